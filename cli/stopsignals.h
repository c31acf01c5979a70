#pragma once
// While a transfer runs, SIGINT, SIGTERM and SIGHUP are held for the transfer to stop
// between blocks, so that the device is left in a known state and its lock is released in
// order. Made on the thread that starts the transfer's thread, before it does: that thread
// inherits what is held.

namespace tarvenix::cli {

class StopOnSignals {
  public:
    StopOnSignals();
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals &) = delete;
    StopOnSignals &operator=(const StopOnSignals &) = delete;

    // The number of a stop signal that has come since the last call, or 0.
    int poll();
};

} // namespace tarvenix::cli
