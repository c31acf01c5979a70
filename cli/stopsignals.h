#pragma once
// While a transfer runs, SIGINT, SIGTERM and SIGHUP ask its loop to stop between blocks,
// so that the device is left in a known state and its lock is released in order.

#include "transfer/blockloop.h"

namespace tarvenix::cli {

class StopOnSignals {
  public:
    explicit StopOnSignals(StopRequest &stop);
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals &) = delete;
    StopOnSignals &operator=(const StopOnSignals &) = delete;

    // Between blocks: turns a signal that has come into the stop request.
    void poll();

  private:
    StopRequest &stop_;
};

} // namespace tarvenix::cli
