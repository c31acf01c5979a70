// The start-up benchmark's peer: a bare Qt widgets window of the window's size, nothing
// of the program's, timed as bench/startup_probe times the window. It prints one line
// of milliseconds since the process was executed (QApplication built, first paint,
// first frame flushed), then exits.

#include "startupclock.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    if (!startClock(argv))
        return 1;
    QApplication app(argc, argv);
    const double appMs = sinceExecMs();
    QWidget window;
    window.resize(656, 544);
    FirstFrame frame;
    window.installEventFilter(&frame);
    window.show();
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    const int status = app.exec();
    std::printf("app=%.1f paint=%.1f frame=%.1f cpu=%.1f resident_kb=%ld\n", appMs, frame.paintMs,
                frame.frameMs, frame.cpuAtFrameMs, frame.rssKb);
    return status;
}
