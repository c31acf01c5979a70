#include "glyphs.h"

#include "canvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace tarvenix::picgen {

namespace {

const QColor kGlyphGrey(188, 190, 196);
// Status lettering starts right of the lamp; keep a little room at the far end too.
constexpr qreal kLetteringLeft = 24;
constexpr qreal kLetteringRoom = kLetteringLeft + 2;

// Both status lines share one lettering size so switching between them does not jump.
int statusPixels(const Words &w)
{
    const int connected = fitPixelSize(w.connected, true, 232 - kLetteringRoom, 17, w.family);
    const int lost = fitPixelSize(w.notConnected, true, 282 - kLetteringRoom, 17, w.family);
    return std::min(connected, lost);
}

void paintLamp(QPainter &p, const QPointF &centre, const QColor &colour)
{
    QPainterPath lamp;
    lamp.addEllipse(centre, 4.5, 4.5);
    QColor halo = colour;
    halo.setAlpha(110);
    paintGlow(p, lamp, halo, 3, 4);
    QRadialGradient shade(centre - QPointF(1.5, 1.5), 6);
    shade.setColorAt(0, colour.lighter(160));
    shade.setColorAt(1, colour.darker(130));
    p.fillPath(lamp, shade);
}

QPainterPath crossPath(const QPointF &centre, qreal half)
{
    QPainterPath path;
    path.moveTo(centre + QPointF(-half, -half));
    path.lineTo(centre + QPointF(half, half));
    path.moveTo(centre + QPointF(half, -half));
    path.lineTo(centre + QPointF(-half, half));
    return path;
}

void strokeCross(QPainter &p, const QPointF &centre, qreal half, const QColor &colour, qreal width)
{
    p.strokePath(crossPath(centre, half), QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
}

// A right-pointing chevron filling an 18 x 21 cell with a little room for a halo.
QPainterPath chevron()
{
    QPainterPath path;
    path.moveTo(3, 2.5);
    path.lineTo(9, 2.5);
    path.lineTo(15.5, 10.5);
    path.lineTo(9, 18.5);
    path.lineTo(3, 18.5);
    path.lineTo(9.5, 10.5);
    path.closeSubpath();
    return path;
}

QImage dialogClose(const QSize &size, int scale, const QColor &plate, const QColor &cross,
                   qreal drop)
{
    return paintPlain(size, scale, [&](QPainter &p) {
        if (plate.alpha() > 0)
            p.fillPath(roundedBox(QRectF(0.5, 0.5, 15, size.height() - 1), 3), plate);
        strokeCross(p, QPointF(8, 7 + drop), 3.5, cross, 1.6);
    });
}

void paintLogoPlate(QPainter &p)
{
    const QPainterPath plate = roundedBox(QRectF(8, 8, 240, 240), 52);
    QLinearGradient fill(0, 8, 0, 248);
    fill.setColorAt(0, QColor(52, 55, 52));
    fill.setColorAt(1, QColor(12, 13, 12));
    p.fillPath(plate, fill);
    p.strokePath(plate, QPen(brandGreen(120), 8));
}

// A corded mouse carrying a bold "T": the product's initial on its device.
// Edges sit on whole pixels of the 32 px picture (8 units each) to stay sharp.
void paintLogoMark(QPainter &p)
{
    p.strokePath(roundedBox(QRectF(64, 48, 128, 184), 64), QPen(brandGreen(), 16));
    p.fillRect(QRectF(120, 12, 16, 36), brandGreen());
    QPainterPath letter;
    letter.addRect(QRectF(88, 88, 80, 24));
    letter.addRect(QRectF(112, 112, 32, 80));
    p.fillPath(letter.simplified(), brandGreen());
}

} // namespace

QImage statusLine(bool connected, const Variant &v)
{
    const QString text = connected ? v.words.connected : v.words.notConnected;
    const QSize size = connected ? QSize(232, 22) : QSize(282, 22);
    return paintPlain(size, v.scale, [&](QPainter &p) {
        paintLamp(p, QPointF(10, 11), connected ? brandGreen() : QColor(226, 60, 48));
        const QFont font = uiFont(statusPixels(v.words), true, v.words.family);
        const QPainterPath letters = textAt(text, font, kLetteringLeft, 11);
        p.fillPath(letters.translated(0, 1), QColor(0, 0, 0, 150));
        // Still green when disconnected, only a little dimmer; the red lamp carries the news.
        p.fillPath(letters, connected ? brandGreen() : QColor(118, 212, 6));
    });
}

QImage exitAtRest(const Variant &v)
{
    return paintPlain(QSize(16, 16), v.scale,
                      [](QPainter &p) { strokeCross(p, QPointF(8, 8), 4, kGlyphGrey, 1.8); });
}

QImage exitLit(const Variant &v)
{
    // Drawn in the 16 x 16 units of the button it is stretched into.
    return paintScaled(QSize(40, 41) * v.scale, QSizeF(16, 16), [](QPainter &p) {
        QPainterPath disc;
        disc.addEllipse(QPointF(8, 8), 7.6, 7.6);
        QRadialGradient fill(QPointF(6.5, 5.5), 9);
        fill.setColorAt(0, QColor(244, 96, 84));
        fill.setColorAt(1, QColor(178, 30, 28));
        p.fillPath(disc, fill);
        strokeCross(p, QPointF(8, 8), 3.2, Qt::white, 1.5);
    });
}

QImage minimiseAtRest(const Variant &v)
{
    return paintPlain(QSize(20, 8), v.scale, [](QPainter &p) {
        p.fillPath(roundedBox(QRectF(3, 3, 14, 2), 1), kGlyphGrey);
    });
}

QImage minimiseLit(const Variant &v)
{
    return paintPlain(QSize(20, 8), v.scale, [](QPainter &p) {
        const QPainterPath bar = roundedBox(QRectF(3, 3, 14, 2), 1);
        paintGlow(p, bar, brandGreen(160), 2.5, 4);
        p.fillPath(bar, brandGreen());
    });
}

QImage arrow(bool lit, const Variant &v)
{
    return paintPlain(QSize(18, 21), v.scale, [lit](QPainter &p) {
        const QPainterPath shape = chevron();
        if (lit) {
            paintGlow(p, shape, brandGreen(120), 2, 3);
            p.fillPath(shape, brandGreen());
            return;
        }
        QLinearGradient fill(0, 2, 0, 19);
        fill.setColorAt(0, QColor(64, 106, 22));
        fill.setColorAt(1, QColor(40, 70, 14));
        p.fillPath(shape, fill);
        p.strokePath(shape, QPen(QColor(20, 36, 8, 200), 0.8));
    });
}

void paintLogo(QPainter &p)
{
    paintLogoPlate(p);
    paintLogoMark(p);
}

QImage logo(int size)
{
    return paintScaled(QSize(size, size), QSizeF(256, 256), paintLogo);
}

QImage dialogCloseNormal(const Variant &v)
{
    return dialogClose(QSize(16, 14), v.scale, Qt::transparent, kGlyphGrey, 0);
}

QImage dialogCloseHover(const Variant &v)
{
    return dialogClose(QSize(16, 14), v.scale, QColor(70, 72, 78), brandGreen(), 0);
}

QImage dialogClosePressed(const Variant &v)
{
    // One pixel taller: the cross sinks as if pushed in.
    return dialogClose(QSize(16, 15), v.scale, QColor(28, 44, 12), brandGreen(), 1);
}

} // namespace tarvenix::picgen
