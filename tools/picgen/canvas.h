#pragma once
// Shared drawing helpers: blank pictures, fonts, text outlines and glows.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>

#include <functional>

class QPainter;

namespace tarvenix::picgen {

// The brand green used for every lettering and lit element.
QColor brandGreen(int alpha = 255);

// A transparent picture with a fixed resolution tag, so files never depend on a screen.
QImage newCanvas(const QSize &size);

using PaintFn = std::function<void(QPainter &)>;

// Paints in `logical` units onto a picture of `physical` pixels. The app
// stretches some pictures into a differently sized widget; drawing them in
// the widget's units keeps them undistorted after that stretch.
QImage paintScaled(const QSize &physical, const QSizeF &logical, const PaintFn &paint);
// Paints in the units of a `size` picture onto one `scale` times as large.
QImage paintPlain(const QSize &size, int scale, const PaintFn &paint);

// A font at an explicit pixel size, unhinted so shapes do not depend on DPI.
QFont uiFont(int pixelSize, bool bold, const QString &family = QStringLiteral("DejaVu Sans"));

// The largest pixel size, at most `start`, at which `text` fits `maxWidth`.
int fitPixelSize(const QString &text, bool bold, qreal maxWidth, int start,
                 const QString &family = QStringLiteral("DejaVu Sans"));

// Text outlines placed by the middle of the capitals, which centres labels
// optically whatever their letters.
QPainterPath textAt(const QString &text, const QFont &font, qreal left, qreal capMiddle);
QPainterPath textCentred(const QString &text, const QFont &font, const QPointF &centre);
QPainterPath textRightAligned(const QString &text, const QFont &font, qreal right, qreal capMiddle);

QPainterPath roundedBox(const QRectF &box, qreal radius);

// A soft halo around `shape`: stacked translucent strokes, densest near the edge.
void paintGlow(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal spread,
               int layers);

} // namespace tarvenix::picgen
