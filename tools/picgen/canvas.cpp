#include "canvas.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tarvenix::picgen {

namespace {

// 96 dpi; Qt would otherwise take the resolution tag from the current screen.
constexpr int kDotsPerMeter = 3780;

} // namespace

QColor brandGreen(int alpha)
{
    return QColor(141, 254, 3, alpha);
}

QImage newCanvas(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    return image;
}

QImage paintScaled(const QSize &physical, const QSizeF &logical, const PaintFn &paint)
{
    QImage image = newCanvas(physical);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    p.scale(physical.width() / logical.width(), physical.height() / logical.height());
    paint(p);
    p.end();
    return image;
}

QImage paintPlain(const QSize &size, int scale, const PaintFn &paint)
{
    return paintScaled(size * scale, QSizeF(size), paint);
}

QFont uiFont(int pixelSize, bool bold, const QString &family)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

int fitPixelSize(const QString &text, bool bold, qreal maxWidth, int start, const QString &family)
{
    int size = start;
    while (size > 6 && QFontMetricsF(uiFont(size, bold, family)).horizontalAdvance(text) > maxWidth)
        --size;
    return size;
}

QPainterPath textAt(const QString &text, const QFont &font, qreal left, qreal capMiddle)
{
    QPainterPath path;
    path.addText(left, capMiddle + QFontMetricsF(font).capHeight() / 2, font, text);
    return path;
}

QPainterPath textCentred(const QString &text, const QFont &font, const QPointF &centre)
{
    // Centre the ink, not the advance, so side bearings do not push it off.
    QPainterPath path = textAt(text, font, 0, centre.y());
    return path.translated(centre.x() - path.boundingRect().center().x(), 0);
}

QPainterPath textRightAligned(const QString &text, const QFont &font, qreal right, qreal capMiddle)
{
    QPainterPath path = textAt(text, font, 0, capMiddle);
    return path.translated(right - path.boundingRect().right(), 0);
}

QPainterPath roundedBox(const QRectF &box, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

void paintGlow(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal spread,
               int layers)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    QColor layer = colour;
    layer.setAlpha(colour.alpha() / layers);
    for (int i = layers; i >= 1; --i) {
        p.setPen(QPen(layer, 2 * spread * i / layers, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.restore();
}

} // namespace tarvenix::picgen
