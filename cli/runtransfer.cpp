#include "runtransfer.h"

#include "cli/progress.h"
#include "cli/stopsignals.h"

#include <QEventLoop>

namespace tarvenix::cli {

Ran runOnDevice(DeviceController &device, const TransferRequest &request, const Options &o)
{
    TransferJob job(request.kind, nullptr);
    const Progress::Style style = Progress::styleFor(o.quiet, o.trace);
    PhasedProgress progress(style, request.kind);
    // Silent, the counts would only wake this thread at every block.
    if (style != Progress::Style::Silent)
        QObject::connect(&job, &TransferJob::blocksDone, &device,
                         [&progress](TransferKind phase, int done, int blocks) {
                             progress.advance(phase, done, blocks);
                         });
    Ran ran;
    QEventLoop loop;
    QObject::connect(&device, &DeviceController::transferEnded, &loop,
                     [&](TransferJob *, const TransferRecord &ended) {
                         ran.record = ended;
                         loop.quit();
                     });
    // Held before the job's thread starts, which inherits what is held. The job keeps a stop
    // that comes after its last block for the controller's ending.
    StopOnSignals stopSignals([&job](int signalNumber) { job.requestStopBySignal(signalNumber); });
    if (const Failure refused = device.startTransfer(&job, request)) {
        ran.record.kind = request.kind;
        ran.record.file = request.file;
        ran.record.outcome.failure = refused;
        return ran;
    }
    // The start clears the job's stop: one that came just before is asked for again.
    if (const int early = stopSignals.first())
        job.requestStopBySignal(early);
    loop.exec();
    progress.end(ran.record.ok());
    ran.signal = stopSignals.first();
    return ran;
}

} // namespace tarvenix::cli
