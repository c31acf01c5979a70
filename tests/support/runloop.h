#pragma once
// Running the program's event loop from a test, as main does, with a bound on its time.

#include <QCoreApplication>
#include <QTimer>
#include <functional>

constexpr int kStillRunning = 99;

// Runs the event loop as main does, starting with `act`; the loop's result,
// or kStillRunning when nothing ended it within the time given.
inline int runLoop(const std::function<void()> &act, int ms = 2000)
{
    QTimer::singleShot(0, act);
    QTimer watchdog; // stops with this call, so it cannot end a later loop
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
    watchdog.start(ms);
    return QCoreApplication::exec();
}
