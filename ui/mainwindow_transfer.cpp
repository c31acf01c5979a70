// What the firmware, data and save commands share: the one-transfer-at-a-time
// guard, the device lock, and the end of a transfer.

#include "ui/mainwindow.h"

#include "workers/transferworkers.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

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
    worker->iLoopTemp = 0;
    worker->start(QThread::InheritPriority);
    return true;
}

void MainWindow::showStep(const ArrowRow &arrows, int step)
{
    if (step >= 1 && step <= 6)
        arrows[step - 1]->setStyleSheet(kArrowLitStyle);
}

void MainWindow::onTransferFailed(const QString &message)
{
    QString text = message;
    if (removedDuringTransfer || !tarvenix::devicePresent(chHidDevicePath))
        text += QStringLiteral("\nThe device was unplugged during the transfer. Plug it in "
                               "again and repeat the transfer.");
    warn(text);
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

bool MainWindow::confirmOverwrite(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    return QMessageBox::question(
               this, QStringLiteral("Save data file"),
               QStringLiteral("The file \"%1\" already exists. Replace it?").arg(path),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
