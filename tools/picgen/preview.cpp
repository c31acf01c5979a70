#include "preview.h"

#include "canvas.h"
#include "catalog.h"

#include <QPainter>

namespace tarvenix::picgen {

namespace {

// Where the main window shows each picture; pictures are stretched into their rectangle.
struct Spot {
    const char *rest;
    const char *lit;
    QRect rect;
};

const Spot kSpots[] = {
    {"exit_large.png", "exit_small.png", {620, 12, 16, 16}},
    {"minimise_large.png", "minimise_small.png", {580, 16, 20, 8}},
    {"btn_load_firmware.png", "btn_load_firmware_hover.png", {65, 155, 188, 54}},
    {"btn_run.png", "btn_run_hover.png", {480, 155, 100, 51}},
    {"btn_load_data.png", "btn_load_data_hover.png", {65, 306, 188, 54}},
    {"btn_run.png", "btn_run_hover.png", {480, 306, 100, 51}},
    {"btn_save.png", "btn_save_hover.png", {240, 416, 182, 48}},
};

const int kArrowRows[][2] = {{290, 170}, {290, 322}, {255, 472}};
constexpr int kArrowCount = 5;
constexpr int kArrowStep = 37;

void placeStatus(QPainter &p, bool lit)
{
    const QImage status = drawPicture(lit ? QStringLiteral("device_connected.png")
                                          : QStringLiteral("device_not_connected.png"));
    p.drawImage(QPoint(200, 72), status);
}

void placeArrows(QPainter &p, bool lit)
{
    const QImage dark = drawPicture(QStringLiteral("arrow.png"));
    const QImage bright = drawPicture(QStringLiteral("arrow_lit.png"));
    for (const auto &row : kArrowRows) {
        for (int i = 0; i < kArrowCount; ++i) {
            const bool on = lit && i < 3; // part-way through, to show both states side by side
            p.drawImage(QPoint(row[0] + i * kArrowStep, row[1]), on ? bright : dark);
        }
    }
}

void placeVersion(QPainter &p, int top)
{
    p.fillRect(QRect(88, top + 511, 260, 20), QColor(27, 26, 28));
    p.setFont(uiFont(13, false));
    p.setPen(QColor(200, 200, 204));
    p.drawText(QRect(92, top + 511, 256, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("1.0.0"));
}

void paintWindow(QPainter &p, int top, bool lit)
{
    p.save();
    p.translate(0, top);
    p.drawImage(QPoint(0, 0), drawPicture(QStringLiteral("background.png")));
    for (const Spot &spot : kSpots)
        p.drawImage(spot.rect, drawPicture(QString::fromLatin1(lit ? spot.lit : spot.rest)));
    placeStatus(p, lit);
    placeArrows(p, lit);
    p.restore();
    placeVersion(p, top);
}

} // namespace

QString writePreview(const QString &path)
{
    constexpr int kWindowHeight = 544;
    constexpr int kGap = 16;
    const QImage sheet = paintPlain(QSize(656, 2 * kWindowHeight + kGap), 1, [](QPainter &p) {
        p.fillRect(QRect(0, 0, 656, 2 * kWindowHeight + kGap), QColor(90, 90, 90));
        paintWindow(p, 0, false);
        paintWindow(p, kWindowHeight + kGap, true);
    });
    if (!sheet.save(path, "PNG"))
        return QStringLiteral("cannot write %1").arg(path);
    return QString();
}

} // namespace tarvenix::picgen
