#pragma once
// While a transfer runs, SIGINT, SIGTERM and SIGHUP are held for the transfer to stop
// between blocks, or within a slice of a wait for a reply, so that the device is left in a
// known state and its lock is released in order. Each one that comes is passed on at once,
// whatever the thread that started the transfer is doing (reading the version again, for
// one). Made on that thread before it starts the transfer's thread, which inherits what is
// held.

#include <QtGlobal>
#include <atomic>
#include <functional>
#include <thread>

namespace tarvenix::cli {

class StopOnSignals {
  public:
    // `stop` is called with each signal's number, on a thread of this object's own.
    explicit StopOnSignals(std::function<void(int signalNumber)> stop);
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals &) = delete;
    StopOnSignals &operator=(const StopOnSignals &) = delete;

    // The number of the first stop signal that came, or 0.
    int first() const { return first_.load(); }
    // A stop signal has come: called on the thread that caught it.
    void take(int signalNumber);

  private:
    const std::function<void(int)> stop_;
    std::atomic<int> first_{0};
#ifndef Q_OS_WIN
    void watch();

    int signals_ = -1; // a signalfd of the three
    int wake_[2] = {-1, -1};
    std::thread watcher_;
#endif
};

} // namespace tarvenix::cli
