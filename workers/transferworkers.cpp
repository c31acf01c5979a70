#include "transferworkers.h"

#include "ui/mainwindow.h"
#include "workers/messages.h"

#include <QDebug>

using tarvenix::TransferKind;

TransferWorker::TransferWorker(TransferKind kind, QObject *parent) : QThread(parent), kind_(kind) {}

void TransferWorker::requestStop(const QString &cause)
{
    if (isRunning())
        stop_.request(cause);
}

void TransferWorker::run()
{
    qDebug("Enter thread run");
    // The window keeps the handle and the path unchanged until this run has returned.
    tarvenix::BlockLoop loop(kind_, *g_pMainWindow->hidHandle, filePath());
    loop.setReplyTimeout(timeoutMs_);
    loop.setStopRequest(&stop_);
    loop.setReplaceExisting(replaceExisting_);
    loop.setDevicePath(QString::fromLocal8Bit(g_pMainWindow->chHidDevicePath));
    loop.setStepHandler([this](int step, int block) {
        iLoopTemp = step;
        qDebug("show step:%d iLoopTemp:%d", block, iLoopTemp);
        emitStep(step);
    });
    const tarvenix::TransferOutcome outcome = loop.run();
    if (!outcome.ok())
        emit sigTransferFailed(tarvenix::transferFailureMessage(kind_, filePath(), outcome));
}

WorkerThreadForFW::WorkerThreadForFW(QObject *parent)
    : TransferWorker(TransferKind::Firmware, parent)
{
}

QString WorkerThreadForFW::filePath() const
{
    return g_pMainWindow->strFWFile;
}

WorkerThreadForData::WorkerThreadForData(QObject *parent)
    : TransferWorker(TransferKind::Data, parent)
{
}

QString WorkerThreadForData::filePath() const
{
    return g_pMainWindow->strDataFile;
}

WorkerThreadForSaveData::WorkerThreadForSaveData(QObject *parent)
    : TransferWorker(TransferKind::Save, parent)
{
}

QString WorkerThreadForSaveData::filePath() const
{
    return g_pMainWindow->strSaveDataFile;
}
