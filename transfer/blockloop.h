#pragma once
// The one transfer loop behind the firmware download, the data download, the
// data save and the verify of a file against the data area. No widgets and no threads of its own:
// the window's workers and the command-line tool both run it.

#include "device/exchange.h"
#include "transfer/filechecks.h"

#include <QString>
#include <functional>
#include <vector>

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
    int blocks = 0;      // blocks the transfer has in all
    int failedBlock = 0; // 1-based block that failed; 0 when none did, or before or after all
    Failure failure;     // none when the transfer completed
    QString keptFile;    // a save's data, kept under this name when its target was taken
    // The run that ended the transfer: in a data download, its backup read-out (Save), the
    // download itself (Data) or the verify.
    TransferKind phase = TransferKind::Firmware;
    // A data download's backup of the area: the file it went into, or was to go into.
    QString backupFile;
    // What the transfer sent, or what a save wrote, once all of it went: its size and SHA-256.
    FileFacts sent;

    bool ok() const { return !failure; }
    bool backupTaken() const
    {
        return !backupFile.isEmpty() && (ok() || phase != TransferKind::Save);
    }
};

// How long a save or verify waits after its last reply for a stray report: four times the
// 95th percentile of this transfer's round trips (in µs), within kStrayGraceMinMs and
// kStrayGraceMaxMs.
int strayGraceMs(std::vector<int> roundTripsUs);

class BlockLoop {
  public:
    using StepHandler = std::function<void(int step, int block)>;
    // A phase's blocks done and in all: the run itself, or a data download's backup
    // (TransferKind::Save), download or verify.
    using BlockHandler = std::function<void(TransferKind phase, int done, int blocks)>;

    // file: the file to send or to compare, or the one a save writes.
    BlockLoop(TransferKind kind, HidPort &port, QString file);

    void setReplyTimeout(int ms) { timeoutMs_ = ms; }
    // Called on the loop's thread with each step code as it is reached.
    void setStepHandler(StepHandler handler) { onStep_ = std::move(handler); }
    // Called on the loop's thread after each block's exchange, for finer progress.
    void setBlockHandler(BlockHandler handler) { onBlock_ = std::move(handler); }
    // Checked between blocks; a stop ends the run as a failure with its cause.
    void setStopRequest(const StopRequest *stop) { stop_ = stop; }
    // The device's path, to tell an unplugged device from a failing one.
    void setDevicePath(QString path) { devicePath_ = std::move(path); }
    // A save may replace an existing entry of its target's name: the user agreed to it.
    void setReplaceExisting(bool replace) { replaceExisting_ = replace; }
    // The file to send or compare as it was noted before (the one the firmware question
    // showed); without one, the loop notes it as it opens it. A file that is no longer that
    // file fails the run: before the first block, or after the last one.
    void setSource(FileFacts noted) { source_ = std::move(noted); }
    // This run as one phase of a longer transfer: `before` exchanges came before it, of
    // `inAll`; steps and block counts are of the whole, and only the last phase reaches
    // step 6.
    void setSpan(int before, int inAll, bool last)
    {
        before_ = before;
        inAll_ = inAll;
        last_ = last;
    }

    TransferOutcome run();

  private:
    TransferOutcome fileBlocks();
    bool sameSource(QFile &file);
    bool unchangedAfterSending(const QByteArray &sha256, TransferOutcome &outcome) const;
    TransferOutcome saveArea();
    bool sendBlock(int block, const std::uint8_t *data, TransferOutcome &outcome);
    bool compareBlock(int block, const std::uint8_t *data, TransferOutcome &outcome);
    bool exchangeBlock(int block, TransferOutcome &outcome);
    bool inStep(int block, TransferOutcome &outcome);
    bool quietAfterLastReply(TransferOutcome &outcome);
    void settle(const TransferOutcome &outcome);
    void takeLateReplies(int block);
    void blockDone(int done, int total);
    void finish();
    bool stopped(int block, TransferOutcome &outcome) const;
    static bool fail(TransferOutcome &outcome, int block, Failure failure);

    TransferKind kind_;
    HidPort &port_;
    QString file_;
    int timeoutMs_ = kTransferReplyTimeoutMs;
    StepHandler onStep_;
    BlockHandler onBlock_;
    const StopRequest *stop_ = nullptr;
    QString devicePath_;
    bool replaceExisting_ = false;
    FileFacts source_;
    int before_ = 0;
    int inAll_ = 0; // 0: this run is the whole transfer
    bool last_ = true;
    int steps_ = 0;
    Report request_{};
    Report reply_{};
    std::vector<int> roundTripsUs_; // of this run's exchanges: the device's pace
};

} // namespace tarvenix
