#include "transfer/transferjob.h"

#include "device/trace.h"

namespace tarvenix {

TransferJob::TransferJob(TransferKind kind, QObject *parent) : QThread(parent), kind_(kind)
{
    // The result crosses from the job's thread to its receivers' as a queued call.
    qRegisterMetaType<TransferOutcome>();
    qRegisterMetaType<TransferKind>();
}

bool TransferJob::start(const TransferRequest &request)
{
    if (isRunning())
        return false;
    request_ = request;
    iLoopTemp = 0;
    stop_.reset();
    QThread::start(QThread::InheritPriority);
    return true;
}

void TransferJob::requestStop(StopCause cause)
{
    stop_.request(cause);
}

void TransferJob::requestStopBySignal(int signalNumber)
{
    stop_.requestFromSignal(signalNumber);
}

void TransferJob::run()
{
    qCDebug(lcTrace, "Enter thread run");
    TransferRun transfer(request_);
    transfer.setReplyTimeout(timeoutMs_);
    transfer.setStopRequest(&stop_);
    transfer.setStepHandler([this](int step, int block) {
        iLoopTemp = step;
        qCDebug(lcTrace, "show step:%d iLoopTemp:%d", block, iLoopTemp);
        emit progress(step);
    });
    transfer.setBlockHandler(
        [this](TransferKind phase, int done, int blocks) { emit blocksDone(phase, done, blocks); });
    emit result(transfer.run());
}

} // namespace tarvenix
