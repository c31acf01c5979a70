#pragma once
// One transfer on a thread of its own, in the manner of a job: it is handed everything it
// needs as values when it starts, reaches back into nobody, reports its progress in
// steps, can be asked to stop, and ends with exactly one result.

#include "transfer/transferrun.h"

#include <QMetaType>
#include <QThread>

namespace tarvenix {

class TransferJob : public QThread {
    Q_OBJECT

  public:
    // The number of step codes emitted in the current run; 0 again at every start.
    int iLoopTemp = 0;

    TransferKind kind() const { return kind_; }
    // The request of the current or the last run.
    const TransferRequest &request() const { return request_; }

    TransferJob(TransferKind kind, QObject *parent);

    // Runs the request on this job's thread; false, doing nothing, while a run goes on.
    bool start(const TransferRequest &request);
    // Asks a running transfer to stop before its next block, saying why. A stop asked for
    // after its last block is kept until the next start, for what follows the transfer.
    void requestStop(StopCause cause);
    // The same for a stop the user asked for with a signal (Ctrl-C); from any thread.
    void requestStopBySignal(int signalNumber);
    // The stop asked for since the last start.
    const StopRequest &stopRequest() const { return stop_; }
    // The reply bound the loop uses; tests may shorten it.
    void setReplyTimeout(int ms) { timeoutMs_ = ms; }

  signals:
    // Steps 1 to 6, as the loop reaches them.
    void progress(int step);
    // After each block's exchange, for finer progress than the steps: the phase, and its
    // blocks done and in all.
    void blocksDone(tarvenix::TransferKind phase, int done, int blocks);
    // Exactly once for every start, as the run's last act.
    void result(const tarvenix::TransferOutcome &outcome);

  protected:
    void run() final;

  private:
    const TransferKind kind_;
    TransferRequest request_;
    StopRequest stop_;
    int timeoutMs_ = kTransferReplyTimeoutMs;
};

} // namespace tarvenix

Q_DECLARE_METATYPE(tarvenix::TransferOutcome)
Q_DECLARE_METATYPE(tarvenix::TransferKind)
