#pragma once
// A request to stop, made on one thread and seen on another: the block loop looks at it
// between blocks, and a bounded read between the slices of its wait.

#include "device/failure.h"

#include <atomic>

namespace tarvenix {

class StopRequest {
  public:
    // The first request's cause stands; later ones change nothing.
    void request(StopCause cause) { first(-1 - int(cause)); }
    // The same from a signal handler: async-signal-safe.
    void requestFromSignal(int signalNumber) { first(signalNumber); }
    bool requested() const { return state_.load() != 0; }
    // Stopped with its cause, or StoppedBySignal with the signal's number.
    Failure failure() const
    {
        const int state = state_.load();
        if (state > 0)
            return {FailureCode::StoppedBySignal, QString::number(state)};
        return stoppedBy(StopCause(-1 - state));
    }
    // Before a run, while no loop reads it.
    void reset() { state_.store(0); }

  private:
    void first(int state)
    {
        int none = 0;
        state_.compare_exchange_strong(none, state);
    }
    // 0: no request; a signal's number; or -1 - the cause.
    std::atomic<int> state_{0};
};

} // namespace tarvenix
