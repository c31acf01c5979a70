#include "stopsignals.h"

#include <csignal>

#ifdef Q_OS_WIN

namespace tarvenix::cli {

namespace {

// Windows runs these handlers on a thread of their own; the stop request is atomic.
StopRequest *g_stop = nullptr;

extern "C" void onStopSignal(int signalNumber)
{
    if (g_stop)
        g_stop->requestFromSignal(signalNumber);
}

} // namespace

StopOnSignals::StopOnSignals(StopRequest &stop) : stop_(stop)
{
    g_stop = &stop_;
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

StopOnSignals::~StopOnSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    g_stop = nullptr;
}

void StopOnSignals::poll() {}

} // namespace tarvenix::cli

#else

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

StopOnSignals::StopOnSignals(StopRequest &stop) : stop_(stop)
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

void StopOnSignals::poll()
{
    const sigset_t set = stopSignals();
    const timespec now = {0, 0};
    const int signalNumber = sigtimedwait(&set, nullptr, &now);
    if (signalNumber > 0)
        stop_.requestFromSignal(signalNumber);
}

} // namespace tarvenix::cli

#endif
