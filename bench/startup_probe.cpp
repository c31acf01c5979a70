// One start-up of the real window, timed: started by bench/startup.sh under an
// X server, it takes app/main.cpp's steps (app/startup.h) and prints one line of
// milliseconds since the process was executed (main entered, QApplication
// built, the application set up, MainWindow built and how long that took, first
// paint, first frame flushed) and the resident memory at the first frame, then
// exits.
//
// With TARVENIX_PROBE_SPLIT=1 it first times, cold, the device parts the
// window's constructor runs (device events, opening the device), so that what
// is left of the constructor shows apart from them.

#include "app/startup.h"
#include "device/events.h"
#include "transfer/devicecontroller.h"
#include "ui/mainwindow.h"

#include "startupclock.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (!startClock(argv))
        return 1;
    const double mainMs = sinceExecMs();

    std::shared_ptr<void> display = prepareApplication();
    QApplication app(argc, argv);
    display.reset();
    const double appMs = sinceExecMs();
    QCommandLineParser parser;
    setUpApplication(parser);
    const double setUpMs = sinceExecMs();

    if (qEnvironmentVariableIntValue("TARVENIX_PROBE_SPLIT")) {
        const double before = sinceExecMs();
        {
            tarvenix::DeviceEvents events;
        }
        const double events = sinceExecMs();
        const bool opened = !tarvenix::DeviceController().open().failure;
        std::printf("split device_events=%.1f open=%.1f opened=%d\n", events - before,
                    sinceExecMs() - events, int(opened));
    }

    const double windowStart = sinceExecMs();
    MainWindow window;
    const double windowMs = sinceExecMs();
    FirstFrame frame;
    window.installEventFilter(&frame);
    window.show();
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    const int status = app.exec();
    // key=value, so that bench/startup.sh can gather the runs.
    std::printf("main=%.1f app=%.1f setup=%.1f window=%.1f constructor=%.1f paint=%.1f "
                "frame=%.1f cpu=%.1f resident_kb=%ld device=%s\n",
                mainMs, appMs, setUpMs, windowMs, windowMs - windowStart, frame.paintMs,
                frame.frameMs, frame.cpuAtFrameMs, frame.rssKb,
                window.hidHandle ? "connected" : "none");
    return status;
}
