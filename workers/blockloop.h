#pragma once
// The one transfer loop behind the firmware download, the data download and
// the data save. No widgets and no threads of its own: the window's workers
// and the command-line tool both run it.

#include "device/connection.h"
#include "workers/filechecks.h"

#include <QString>
#include <atomic>
#include <functional>

namespace tarvenix {

// Progress in six steps: steps 1 to 5 as each sixth of the blocks is done,
// step 6 only when the whole transfer is done. With fewer than six blocks
// several steps fall together.
class StepSchedule {
  public:
    explicit StepSchedule(int blocks) : blocks_(blocks) {}
    // The steps reached once `done` blocks have been exchanged, at most 5.
    int stepsAfter(int done) const;
    static constexpr int kSteps = 6;

  private:
    int blocks_;
};

struct TransferOutcome {
    bool ok = false;
    int blocks = 0;      // blocks the transfer has in all
    int failedBlock = 0; // 1-based block that failed, 0 when none did
    QString cause;       // why it failed, a phrase: "the device did not answer ..."

    // The whole failure text for a user, naming the transfer, block and cause.
    QString message(TransferKind kind) const;
};

class BlockLoop {
  public:
    using StepHandler = std::function<void(int step, int block)>;
    using BlockHandler = std::function<void(int done, int total)>;

    BlockLoop(TransferKind kind, hid_device *device, QString path);

    void setReplyTimeout(int ms) { timeoutMs_ = ms; }
    // Called on the loop's thread with each step code as it is reached.
    void setStepHandler(StepHandler handler) { onStep_ = std::move(handler); }
    // Called on the loop's thread after each block's exchange, for finer progress.
    void setBlockHandler(BlockHandler handler) { onBlock_ = std::move(handler); }
    // Checked between blocks; a stop ends the run as a failure with this cause.
    void setStopFlag(const std::atomic<bool> *stop, QString cause);

    TransferOutcome run();

  private:
    TransferOutcome sendFile();
    TransferOutcome saveArea();
    bool exchangeBlock(int block, TransferOutcome &outcome);
    void blockDone(int done, int total);
    void finish();
    bool stopped(int block, TransferOutcome &outcome) const;

    TransferKind kind_;
    hid_device *device_;
    QString path_;
    int timeoutMs_ = kTransferReplyTimeoutMs;
    StepHandler onStep_;
    BlockHandler onBlock_;
    const std::atomic<bool> *stop_ = nullptr;
    QString stopCause_;
    int steps_ = 0;
    Report request_{};
    Report reply_{};
};

} // namespace tarvenix
