#include "workers/transferworkers.h"

using tarvenix::TransferJob;
using tarvenix::TransferKind;

// Each signal is emitted on the job's thread, in step with progress, so that a receiver
// in another thread gets the steps queued in their order.

WorkerThreadForFW::WorkerThreadForFW(QObject *parent) : TransferJob(TransferKind::Firmware, parent)
{
    connect(this, &TransferJob::progress, this, &WorkerThreadForFW::sigRunUpdateFWProcess,
            Qt::DirectConnection);
}

WorkerThreadForData::WorkerThreadForData(QObject *parent) : TransferJob(TransferKind::Data, parent)
{
    connect(this, &TransferJob::progress, this, &WorkerThreadForData::sigRunUpdateDataProcess,
            Qt::DirectConnection);
}

WorkerThreadForSaveData::WorkerThreadForSaveData(QObject *parent)
    : TransferJob(TransferKind::Save, parent)
{
    connect(this, &TransferJob::progress, this,
            &WorkerThreadForSaveData::sigRunUpdateSaveDataProcess, Qt::DirectConnection);
}
