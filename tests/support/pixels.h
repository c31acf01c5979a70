#pragma once
// Comparing what a screen shows with the picture drawn there.

#include <QImage>

// How many of the picture's opaque pixels the shot does not show at `at`
// (each colour within 2); where the picture is translucent it blends in.
inline int opaquePixelsUnlike(const QImage &shot, const QPoint &at, const QImage &picture)
{
    int unlike = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            const QRgb s = shot.pixel(at.x() + x, at.y() + y);
            unlike += qAlpha(p) == 255 &&
                      (qAbs(qRed(p) - qRed(s)) > 2 || qAbs(qGreen(p) - qGreen(s)) > 2 ||
                       qAbs(qBlue(p) - qBlue(s)) > 2);
        }
    }
    return unlike;
}
