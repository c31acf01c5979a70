#include "background.h"

#include "canvas.h"
#include "glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace tarvenix::picgen {

namespace {

constexpr int kWidth = 656;
constexpr int kHeight = 544;
constexpr int kBandHeight = 50;
// The version line is a plain widget painted in this colour, so the bottom must match it.
const QColor kBodyBase(27, 26, 28);
const QColor kLabelGrey(150, 152, 158);

void paintTitleBand(QPainter &p)
{
    QLinearGradient band(0, 0, 0, kBandHeight);
    band.setColorAt(0, QColor(16, 16, 18));
    band.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(QRectF(0, 0, kWidth, kBandHeight), band);
    // A green hairline that fades out towards both ends underlines the band.
    QLinearGradient line(0, 0, kWidth, 0);
    line.setColorAt(0, brandGreen(0));
    line.setColorAt(0.25, brandGreen(150));
    line.setColorAt(0.75, brandGreen(150));
    line.setColorAt(1, brandGreen(0));
    p.fillRect(QRectF(0, kBandHeight, kWidth, 1), line);
}

void paintTitle(QPainter &p, int scale)
{
    p.drawImage(QRectF(12, 9, 32, 32), logo(32 * scale));
    const QPainterPath brand = textAt(QStringLiteral("Tarvenix"), uiFont(22, true), 54, 25);
    paintGlow(p, brand, brandGreen(40), 3, 3);
    p.fillPath(brand, brandGreen());
    const qreal after = brand.boundingRect().right() + 9;
    p.fillPath(textAt(QStringLiteral("Manager"), uiFont(22, false), after, 25), kLabelGrey);
}

void paintBody(QPainter &p)
{
    const QRectF body(0, kBandHeight + 1, kWidth, kHeight - kBandHeight - 1);
    QLinearGradient fill(0, body.top(), 0, 400);
    fill.setColorAt(0, QColor(42, 41, 46));
    fill.setColorAt(1, kBodyBase);
    p.fillRect(body, fill);
    // Soft light from above; its reach stops well short of the bottom edge.
    QRadialGradient light(QPointF(kWidth / 2.0, kBandHeight), 380);
    light.setColorAt(0, QColor(255, 255, 255, 12));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, kBandHeight + 1, kWidth, 400), light);
    // A shadow under the band lifts it off the body.
    QLinearGradient shade(0, body.top(), 0, body.top() + 8);
    shade.setColorAt(0, QColor(0, 0, 0, 120));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, body.top(), kWidth, 8), shade);
}

void paintSectionLabel(QPainter &p, const QString &text, const Words &w, qreal capMiddle)
{
    QFont font = uiFont(w.labelPixels, true, w.family);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.fillPath(roundedBox(QRectF(44, capMiddle - 3, 6, 6), 1.5), brandGreen(200));
    p.fillPath(textAt(text, font, 57, capMiddle), kLabelGrey);
}

void paintPanel(QPainter &p, const QRectF &box)
{
    const QPainterPath panel = roundedBox(box, 12);
    paintGlow(p, panel.translated(0, 2), QColor(0, 0, 0, 90), 4, 4);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(50, 49, 54));
    fill.setColorAt(1, QColor(36, 35, 39));
    p.fillPath(panel, fill);
    p.strokePath(panel, QPen(QColor(70, 69, 75), 1));
    p.strokePath(roundedBox(box.adjusted(1, 1, -1, -1), 11), QPen(QColor(255, 255, 255, 14), 1));
    // A lit strip at the left ties each panel to the brand colour.
    const QRectF strip(box.left() + 6, box.top() + 14, 3, box.height() - 28);
    paintGlow(p, roundedBox(strip, 1.5), brandGreen(60), 2, 3);
    p.fillPath(roundedBox(strip, 1.5), brandGreen(210));
}

// A recessed channel the progress arrows run along.
void paintTrack(QPainter &p, const QRectF &box)
{
    const QPainterPath track = roundedBox(box, box.height() / 2);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(16, 16, 18));
    fill.setColorAt(1, QColor(26, 25, 28));
    p.fillPath(track, fill);
    p.strokePath(track, QPen(QColor(0, 0, 0, 110), 1));
    p.strokePath(track.translated(0, 1), QPen(QColor(255, 255, 255, 10), 1));
}

void paintSaveArea(QPainter &p, const QRectF &box)
{
    const QPainterPath area = roundedBox(box, 12);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(255, 255, 255, 10));
    fill.setColorAt(1, QColor(255, 255, 255, 3));
    p.fillPath(area, fill);
    p.strokePath(area, QPen(QColor(255, 255, 255, 16), 1));
}

void paintVersionCaption(QPainter &p, const Words &w)
{
    const QPainterPath caption = textRightAligned(w.version, uiFont(13, false, w.family), 84, 521);
    p.fillPath(caption, brandGreen());
}

void paintRows(QPainter &p, const Words &w)
{
    paintSectionLabel(p, w.firmwareRow, w, 127);
    paintPanel(p, QRectF(40.5, 140.5, 575, 85));
    paintTrack(p, QRectF(279.5, 163.5, 189, 35));
    paintSectionLabel(p, w.dataRow, w, 277);
    paintPanel(p, QRectF(40.5, 290.5, 575, 85));
    paintTrack(p, QRectF(279.5, 315.5, 189, 35));
    paintSectionLabel(p, w.saveRow, w, 392);
    paintSaveArea(p, QRectF(40.5, 403.5, 575, 101));
    paintTrack(p, QRectF(244.5, 465.5, 189, 34));
}

} // namespace

QImage background(const Variant &v)
{
    const QImage painted = paintPlain(QSize(kWidth, kHeight), v.scale, [&](QPainter &p) {
        paintTitleBand(p);
        paintTitle(p, v.scale);
        paintBody(p);
        paintRows(p, v.words);
        paintVersionCaption(p, v.words);
    });
    return painted.convertToFormat(QImage::Format_RGB32);
}

} // namespace tarvenix::picgen
