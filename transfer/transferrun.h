#pragma once
// One transfer as the user asked for it, on a port its caller holds: a data download is the
// backup read-out of the data area into a file of its own, the download, and the verify of
// the area against the file, each a run of the block loop; the other transfers are one run.
// The machine is kept awake throughout. The window's jobs and the command-line tool both
// run it.

#include "transfer/blockloop.h"

namespace tarvenix {

// What a transfer needs, handed over whole when it starts.
struct TransferRequest {
    TransferKind kind = TransferKind::Firmware;
    QString file;       // the file to send or to compare, or the one a save writes
    QString devicePath; // to tell an unplugged device from a failing one
    // Held open and unchanged by its owner until the result has come.
    HidPort *port = nullptr;
    // A save may replace an existing entry of its file's name: the user agreed to it.
    bool replaceExisting = false;
    // The file to send or compare as noted before it starts (FileFacts): what the firmware
    // question showed, what the history names. Noted when the transfer starts if not given.
    FileFacts source;
    // A data download: whose backups these are (backupKey), to name, keep and prune them.
    QString deviceKey;
    bool backup = false; // read the area into a backup before the first data packet
    QString backupFile;  // the free name the backup goes to, chosen as the transfer starts
    bool verify = false; // read the area back and compare it with the file afterwards
};

class TransferRun {
  public:
    explicit TransferRun(TransferRequest request) : request_(std::move(request)) {}

    void setReplyTimeout(int ms) { timeoutMs_ = ms; }
    void setStopRequest(const StopRequest *stop) { stop_ = stop; }
    // Steps 1 to 6 over the exchanges of every phase; 6 only once the last one has passed.
    void setStepHandler(BlockLoop::StepHandler handler) { onStep_ = std::move(handler); }
    // After each exchange: the phase, and its blocks done and in all.
    void setBlockHandler(BlockLoop::BlockHandler handler) { onBlock_ = std::move(handler); }

    TransferOutcome run();

  private:
    struct Phase {
        TransferKind kind;
        QString file;
    };
    QVector<Phase> phases() const;
    // The exchanges of all phases, as the files are now.
    int exchanges() const;
    TransferOutcome runPhases(const QVector<Phase> &phases);
    BlockLoop phaseLoop(const Phase &phase, int before, int inAll, bool last) const;
    void keepBackups(const TransferOutcome &outcome, const QDateTime &started) const;

    TransferRequest request_;
    int timeoutMs_ = kTransferReplyTimeoutMs;
    const StopRequest *stop_ = nullptr;
    BlockLoop::StepHandler onStep_;
    BlockLoop::BlockHandler onBlock_;
};

} // namespace tarvenix
