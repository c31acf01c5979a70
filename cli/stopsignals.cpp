#include "stopsignals.h"

#include <QtGlobal>

#include <atomic>
#include <csignal>

namespace tarvenix::cli {

void StopOnSignals::take(int signalNumber)
{
    int none = 0;
    first_.compare_exchange_strong(none, signalNumber);
    if (stop_)
        stop_(signalNumber);
}

} // namespace tarvenix::cli

#ifdef Q_OS_WIN

namespace tarvenix::cli {

namespace {

// Windows runs these handlers on a thread of their own, where any call is allowed.
std::atomic<StopOnSignals *> g_watching{nullptr};

extern "C" void onStopSignal(int signalNumber)
{
    if (StopOnSignals *watching = g_watching.load())
        watching->take(signalNumber);
}

} // namespace

StopOnSignals::StopOnSignals(std::function<void(int)> stop) : stop_(std::move(stop))
{
    g_watching.store(this);
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

StopOnSignals::~StopOnSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    g_watching.store(nullptr);
}

} // namespace tarvenix::cli

#else

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tarvenix::cli {

namespace {

// Held pending rather than handled: a handler would cut the wait for a reply short (poll
// is never restarted after one), failing the block instead of stopping it.
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

StopOnSignals::StopOnSignals(std::function<void(int)> stop) : stop_(std::move(stop))
{
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signals_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signals_ >= 0 && pipe2(wake_, O_CLOEXEC) == 0) {
        watcher_ = std::thread([this] { watch(); });
        return;
    }
    // With no way to read them, the signals keep their default action and end the program
    // at once, rather than be held unseen until the transfer ends.
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

// The signals are read as they come, until the destructor wakes the watcher.
void StopOnSignals::watch()
{
    pollfd fds[] = {{signals_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    while (poll(fds, 2, -1) >= 0 || errno == EINTR) {
        if (fds[1].revents)
            return;
        signalfd_siginfo info;
        while (read(signals_, &info, sizeof info) == sizeof info)
            take(int(info.ssi_signo));
    }
}

// A signal that comes after the last block finds the transfer done: it is taken here so
// that it does not end the program before the result is told.
StopOnSignals::~StopOnSignals()
{
    if (watcher_.joinable()) {
        const char wake = 0;
        while (write(wake_[1], &wake, 1) < 0 && errno == EINTR) {
        }
        watcher_.join();
    }
    signalfd_siginfo info;
    while (read(signals_, &info, sizeof info) == sizeof info)
        take(int(info.ssi_signo));
    for (const int fd : {signals_, wake_[0], wake_[1]})
        close(fd);
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

} // namespace tarvenix::cli

#endif
