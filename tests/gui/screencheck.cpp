// Takes a screenshot of an X display and checks what a person would see there:
//   screencheck grab OUT.png [X Y W H]  the whole screen, or that rectangle of it
//   screencheck connected SHOT.png X Y   the window at X,Y shows "Device connected"
//   screencheck disconnected SHOT.png X Y   it shows the not-connected indicator
//   screencheck above SHOT.png X Y W H   a light dialog face covers that rectangle's centre
//   screencheck find SHOT.png PICTURE     prints X Y where the picture's top-left corner shows
//   screencheck face SHOT.png             prints how many pixels show a dialog's light face
//   screencheck shows SHOT.png X Y PICTURE  the picture's opaque pixels show at X,Y exactly

#include "support/pixels.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

namespace {

bool isGreenLettering(QRgb c)
{
    return qGreen(c) > 180 && qRed(c) < 190 && qBlue(c) < 90;
}
bool isRed(QRgb c)
{
    return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90;
}

int count(const QImage &shot, const QRect &area, bool (*test)(QRgb))
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(shot.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

// The connected picture sits at 230,72 (232 x 22); the not-connected one,
// with its red dot, starts further left at 200,73.
bool indicatorShows(const QImage &shot, int x, int y, bool connected)
{
    const int green = count(shot, QRect(x + 230, y + 72, 232, 22), isGreenLettering);
    const int red = count(shot, QRect(x + 200, y + 72, 30, 22), isRed);
    std::printf("green lettering pixels %d, red pixels %d\n", green, red);
    // Both pictures have green lettering; only the not-connected one has the red dot.
    return connected ? green > 150 && red == 0 : red > 20;
}

int above(const QImage &shot, const QRect &box)
{
    const QRgb c = shot.pixel(box.center().x(), box.top() + box.height() / 3);
    std::printf("dialog face %d,%d,%d\n", qRed(c), qGreen(c), qBlue(c));
    return qGray(c) > 150 ? 0 : 1;
}

// The picture's top-left corner (its title band with the logo), exactly; the
// window's background is opaque, so nothing blends into it.
bool showsAt(const QImage &shot, const QImage &corner, int x, int y)
{
    for (int j = 0; j < corner.height(); ++j) {
        for (int i = 0; i < corner.width(); ++i) {
            if (shot.pixel(x + i, y + j) != corner.pixel(i, j))
                return false;
        }
    }
    return true;
}

int find(const QImage &shot, const QImage &picture)
{
    const QImage corner = picture.copy(0, 0, 96, 48).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y + corner.height() <= shot.height(); ++y) {
        for (int x = 0; x + corner.width() <= shot.width(); ++x) {
            if (showsAt(shot, corner, x, y)) {
                std::printf("%d %d\n", x, y);
                return 0;
            }
        }
    }
    return 1;
}

int shows(const QImage &shot, const QPoint &at, const QImage &picture)
{
    const int unlike = opaquePixelsUnlike(shot, at, picture);
    std::printf("%d opaque pixels unlike the picture\n", unlike);
    return unlike == 0 ? 0 : 1;
}

bool isDialogFace(QRgb c)
{
    return qAbs(qRed(c) - 239) < 4 && qAbs(qGreen(c) - 239) < 4 && qAbs(qBlue(c) - 239) < 4;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList a = app.arguments();
    if ((a.size() == 3 || a.size() == 7) && a[1] == "grab") {
        const QRect area = a.size() == 7
                               ? QRect(a[3].toInt(), a[4].toInt(), a[5].toInt(), a[6].toInt())
                               : QRect(0, 0, -1, -1);
        return app.primaryScreen()
                       ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                       .save(a[2])
                   ? 0
                   : 1;
    }
    const QImage shot =
        a.size() > 2 ? QImage(a[2]).convertToFormat(QImage::Format_RGB32) : QImage();
    if (a.size() == 5 && (a[1] == "connected" || a[1] == "disconnected"))
        return indicatorShows(shot, a[3].toInt(), a[4].toInt(), a[1] == "connected") ? 0 : 1;
    if (a.size() == 7 && a[1] == "above")
        return above(shot, QRect(a[3].toInt(), a[4].toInt(), a[5].toInt(), a[6].toInt()));
    if (a.size() == 4 && a[1] == "find")
        return find(shot, QImage(a[3]));
    if (a.size() == 6 && a[1] == "shows")
        return shows(shot, QPoint(a[3].toInt(), a[4].toInt()),
                     QImage(a[5]).convertToFormat(QImage::Format_ARGB32));
    if (a.size() == 3 && a[1] == "face") {
        std::printf("%d\n", count(shot, shot.rect(), isDialogFace));
        return 0;
    }
    std::fprintf(stderr,
                 "usage: screencheck grab OUT | [dis]connected SHOT X Y | above SHOT X Y W H | "
                 "find SHOT PICTURE | face SHOT | shows SHOT X Y PICTURE\n");
    return 2;
}
