#include "stopsignals.h"

#include <QtGlobal>
#include <atomic>
#include <csignal>

#ifdef Q_OS_WIN

namespace tarvenix::cli {

namespace {

// Windows runs these handlers on a thread of their own.
std::atomic<int> g_signal{0};

extern "C" void onStopSignal(int signalNumber)
{
    g_signal.store(signalNumber);
}

} // namespace

StopOnSignals::StopOnSignals()
{
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

StopOnSignals::~StopOnSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

int StopOnSignals::poll()
{
    return g_signal.exchange(0);
}

} // namespace tarvenix::cli

#else

#include <QtGlobal>
#include <ctime>
#include <pthread.h>

namespace tarvenix::cli {

namespace {

// Held pending rather than handled: a handler would cut the wait for a reply short (poll
// is never restarted after one), failing the block instead of stopping between blocks.
sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

StopOnSignals::StopOnSignals()
{
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

// A signal that comes after the last block finds the transfer done: it is taken here so
// that it does not end the program before the result is told.
StopOnSignals::~StopOnSignals()
{
    poll();
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

int StopOnSignals::poll()
{
    const sigset_t set = stopSignals();
    const timespec now = {0, 0};
    return qMax(0, sigtimedwait(&set, nullptr, &now));
}

} // namespace tarvenix::cli

#endif
