#pragma once
// The start-up benchmark's clock, shared by the window's probe and its bare peer:
// milliseconds since the process was executed, and the first frame's moment.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

inline constexpr char kStampVariable[] = "TARVENIX_PROBE_EXEC_NS";

inline qint64 nowNs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

inline qint64 g_execNs = 0;

inline double sinceExecMs()
{
    return (nowNs() - g_execNs) / 1e6;
}

// Milliseconds of CPU time (user and system) the process has used so far, all threads.
inline double cpuMs()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

inline long residentKb()
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
    double cpuAtFrameMs = -1;

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && paintMs < 0) {
            paintMs = sinceExecMs();
            QTimer::singleShot(0, [this] {
                frameMs = sinceExecMs();
                rssKb = residentKb();
                cpuAtFrameMs = cpuMs();
                QCoreApplication::quit();
            });
        }
        return false;
    }
};

// /proc's start time counts in 10 ms ticks and begins at fork, not at exec, so the
// program stamps the clock and executes itself again; the figures then include loading
// the libraries. False when it cannot.
inline bool startClock(char *argv[])
{
    if (const char *stamp = std::getenv(kStampVariable)) {
        g_execNs = std::atoll(stamp);
        // Not passed on to programs started later.
        unsetenv(kStampVariable);
        return true;
    }
    setenv(kStampVariable, QByteArray::number(nowNs()).constData(), 1);
    execv("/proc/self/exe", argv);
    std::perror("startup: exec");
    return false;
}
