#include "runtransfer.h"

#include "cli/progress.h"
#include "cli/stopsignals.h"

#include <QEventLoop>
#include <QTimer>

namespace tarvenix::cli {

namespace {

// Often enough that a stop is passed on at once, seldom enough to cost nothing.
constexpr int kTickMs = 100;

} // namespace

TransferRecord runOnDevice(DeviceController &device, const TransferRequest &request,
                           const Options &o)
{
    TransferJob job(request.kind, nullptr);
    PhasedProgress progress(Progress::styleFor(o.quiet, o.trace), request.kind);
    QObject::connect(&job, &TransferJob::blocksDone, &device,
                     [&progress](TransferKind phase, int done, int blocks) {
                         progress.advance(phase, done, blocks);
                     });
    TransferRecord record;
    QEventLoop loop;
    QObject::connect(&device, &DeviceController::transferEnded, &loop,
                     [&](TransferJob *, const TransferRecord &ended) {
                         record = ended;
                         loop.quit();
                     });
    // Held before the job's thread starts, which inherits what is held.
    StopOnSignals stopSignals;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        if (const int signalNumber = stopSignals.poll())
            device.stopTransferBySignal(signalNumber);
    });
    ticks.start(kTickMs);
    if (const Failure refused = device.startTransfer(&job, request)) {
        record.kind = request.kind;
        record.file = request.file;
        record.outcome.failure = refused;
        return record;
    }
    loop.exec();
    progress.end(record.ok());
    return record;
}

} // namespace tarvenix::cli
