// One start-up of the real window, timed: started by bench/startup.sh under an
// X server, it builds MainWindow as app/main.cpp does and prints one line of
// milliseconds since the process was executed (main entered, QApplication
// built, MainWindow built and how long that took, first paint, first frame
// flushed) and the resident memory at the first frame, then exits.
//
// With TARVENIX_PROBE_SPLIT=1 it first times, cold, the device parts the
// window's constructor runs (device events, opening the device), so that what
// is left of the constructor shows apart from them.

#include "device/events.h"
#include "ui/mainwindow.h"
#include "transfer/devicecontroller.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

constexpr char kStampVariable[] = "TARVENIX_PROBE_EXEC_NS";

qint64 nowNs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

qint64 g_execNs = 0;

double sinceExecMs()
{
    return (nowNs() - g_execNs) / 1e6;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Notes the window's first paint, then the moment the event loop is back,
// which is after the backing store has been flushed to the screen.
class FirstFrame : public QObject {
  public:
    double paintMs = -1;
    double frameMs = -1;
    long rssKb = -1;

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && paintMs < 0) {
            paintMs = sinceExecMs();
            QTimer::singleShot(0, [this] {
                frameMs = sinceExecMs();
                rssKb = residentKb();
                QCoreApplication::quit();
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    // /proc's start time counts in 10 ms ticks and begins at fork, not at exec,
    // so the probe stamps the clock and executes itself again; the figures then
    // include loading the libraries.
    if (const char *stamp = std::getenv(kStampVariable)) {
        g_execNs = std::atoll(stamp);
    } else {
        setenv(kStampVariable, QByteArray::number(nowNs()).constData(), 1);
        execv("/proc/self/exe", argv);
        std::perror("startup_probe: exec");
        return 1;
    }
    const double mainMs = sinceExecMs();

    // The proposed start-up cut, to compare: widgets on plain raster surfaces,
    // so that showing the window does not load an OpenGL driver.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets); // as main does
    QApplication app(argc, argv);
    const double appMs = sinceExecMs();

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
    std::printf("main=%.1f app=%.1f window=%.1f constructor=%.1f paint=%.1f frame=%.1f "
                "resident_kb=%ld device=%s\n",
                mainMs, appMs, windowMs, windowMs - windowStart, frame.paintMs, frame.frameMs,
                frame.rssKb, window.hidHandle ? "connected" : "none");
    return status;
}
