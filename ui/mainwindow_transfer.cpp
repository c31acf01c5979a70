// What the firmware, data and save commands share: the one-transfer-at-a-time
// guard, the device lock, and the end of a transfer.

#include "ui/mainwindow.h"

#include "workers/messages.h"
#include "workers/transferworkers.h"

#include <QDebug>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

void MainWindow::warn(const QString &text)
{
    QMessageBox::warning(this, QStringLiteral("Warning"), text);
}

bool MainWindow::refuseWhileTransferring()
{
    if (!transferRunning())
        return false;
    warn(QStringLiteral("A transfer is in progress. Please wait until it has finished."));
    return true;
}

void MainWindow::setArrows(const ArrowRow &arrows, const QString &style)
{
    for (QPushButton *arrow : arrows)
        arrow->setStyleSheet(style);
}

void MainWindow::loadFile(QString &path, const QString &caption, const ArrowRow &arrows)
{
    if (refuseWhileTransferring())
        return;
    path =
        QFileDialog::getOpenFileName(this, caption, QStringLiteral("./"), QStringLiteral("*.bin"));
    qDebug() << "filePath: " << path << "\n";
    if (tarvenix::lostInDecoding(path)) {
        warn(tarvenix::refusalMessage({tarvenix::FailureCode::NameNotUtf8, {}}, path));
        path.clear();
        return;
    }
    if (!path.isEmpty())
        setArrows(arrows, kArrowUnlitStyle);
}

bool MainWindow::openDevice()
{
    initHidDevice();
    if (!hidHandle)
        warn(QStringLiteral("Not connected device!"));
    return bool(hidHandle);
}

// The file is checked before the device is touched.
bool MainWindow::runAllowed(const QString &path, const QString &loadFirst,
                            tarvenix::TransferKind kind)
{
    qDebug() << "WorkerThread run: threadId: " << QThread::currentThreadId();
    if (refuseWhileTransferring())
        return false;
    if (path.isEmpty()) {
        warn(loadFirst);
        return false;
    }
    if (const tarvenix::Failure refusal = tarvenix::checkSourceFile(kind, path)) {
        warn(tarvenix::refusalMessage(refusal, path));
        return false;
    }
    return openDevice();
}

bool MainWindow::startTransfer(TransferWorker *worker)
{
    auto lock = std::make_unique<tarvenix::DeviceLock>(QString::fromLocal8Bit(chHidDevicePath));
    if (!lock->acquired()) {
        warn(lock->error());
        return false;
    }
    transferLock = std::move(lock);
    runningWorker = worker;
    removedDuringTransfer = false;
    worker->clearStop();
    worker->iLoopTemp = 0;
    worker->start(QThread::InheritPriority);
    return true;
}

void MainWindow::showStep(const ArrowRow &arrows, int step)
{
    if (step >= 1 && step <= 6)
        arrows[step - 1]->setStyleSheet(kArrowLitStyle);
}

void MainWindow::onTransferFinished()
{
    if (!runningWorker)
        return;
    // finished is emitted as run returns, so this wait is over at once.
    runningWorker->wait();
    runningWorker = nullptr;
    transferLock.reset();
    if (removedDuringTransfer) {
        removedDuringTransfer = false;
        deviceRemoved();
    }
    if (reopenAfterTransfer) {
        reopenAfterTransfer = false;
        deviceArrived();
    }
}

bool MainWindow::confirmOverwrite(const QString &existing)
{
    return QMessageBox::question(
               this, QStringLiteral("Save data file"), existing + QStringLiteral(" Replace it?"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
