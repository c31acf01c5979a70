#include "transferworkers.h"

#include "ui/mainwindow.h"

#include <QDebug>

using tarvenix::TransferKind;

TransferWorker::TransferWorker(TransferKind kind, QObject *parent) : QThread(parent), kind_(kind) {}

void TransferWorker::requestStop()
{
    if (isRunning())
        stop_.store(true);
}

void TransferWorker::run()
{
    qDebug("Enter thread run");
    stop_.store(false);
    // The window keeps the handle unchanged until this run has returned.
    tarvenix::BlockLoop loop(kind_, g_pMainWindow->hidHandle.get(), filePath());
    loop.setReplyTimeout(timeoutMs_);
    loop.setStopFlag(&stop_, QStringLiteral("the transfer was stopped"));
    loop.setStepHandler([this](int step, int block) {
        iLoopTemp = step;
        qDebug("show step:%d iLoopTemp:%d", block, iLoopTemp);
        emitStep(step);
    });
    const tarvenix::TransferOutcome outcome = loop.run();
    if (!outcome.ok)
        emit sigTransferFailed(outcome.message(kind_));
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
