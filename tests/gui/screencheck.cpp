// Takes a screenshot of an X display and checks what a person would see there:
//   screencheck grab OUT.png
//   screencheck connected SHOT.png X Y   the window at X,Y shows "Device connected"
//   screencheck disconnected SHOT.png X Y   it shows the not-connected indicator
//   screencheck above SHOT.png X Y W H   a light dialog face covers that rectangle's centre

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

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 3 && a[1] == "grab")
        return app.primaryScreen()->grabWindow(0).save(a[2]) ? 0 : 1;
    const QImage shot =
        a.size() > 2 ? QImage(a[2]).convertToFormat(QImage::Format_RGB32) : QImage();
    if (a.size() == 5 && (a[1] == "connected" || a[1] == "disconnected"))
        return indicatorShows(shot, a[3].toInt(), a[4].toInt(), a[1] == "connected") ? 0 : 1;
    if (a.size() == 7 && a[1] == "above")
        return above(shot, QRect(a[3].toInt(), a[4].toInt(), a[5].toInt(), a[6].toInt()));
    std::fprintf(stderr,
                 "usage: screencheck grab OUT | [dis]connected SHOT X Y | above SHOT X Y W H\n");
    return 2;
}
