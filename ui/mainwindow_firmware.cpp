// The firmware row: Load Firmware, Run and its six arrows.

#include "ui/mainwindow.h"

#include "workers/transferworkers.h"

#include <QDebug>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>

using tarvenix::TransferKind;

void MainWindow::slotPushButtonLoadFW()
{
    if (refuseWhileTransferring())
        return;
    strFWFile = QFileDialog::getOpenFileName(this, QStringLiteral("select bin file"),
                                             QStringLiteral("./"), QStringLiteral("*.bin"));
    qDebug() << "filePath: " << strFWFile << "\n";
    if (!strFWFile.isEmpty())
        setArrows(fwArrows(), kArrowUnlitStyle);
}

void MainWindow::slotPushButtonRunUpdateFW()
{
    qDebug() << "WorkerThread run: threadId: " << QThread::currentThreadId();
    if (refuseWhileTransferring())
        return;
    if (strFWFile.isEmpty()) {
        warn(QStringLiteral("Please load firmware file first !"));
        return;
    }
    const QString refusal = tarvenix::checkSourceFile(TransferKind::Firmware, strFWFile);
    if (!refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    initHidDevice();
    if (!hidHandle) {
        warn(QStringLiteral("Not connected device!"));
        return;
    }
    setArrows(fwArrows(), kArrowUnlitStyle);
    initHidDevice();
    if (!hidHandle) {
        QMessageBox::information(this, QStringLiteral("Warning"),
                                 QStringLiteral("Not connected device!"));
        return;
    }
    startTransfer(workerThreadForFW);
}

void MainWindow::slotShowRunUpdateFWProcess(int step)
{
    qDebug("Enter slotUpdateRuningFW");
    showStep(fwArrows(), step);
    if (step != 6)
        return;
    QMessageBox::information(this, QStringLiteral("Success"),
                             QStringLiteral("Download firmware successfully!"));
    // Code 6 comes after the last reply; the worker may still be returning.
    workerThreadForFW->wait();
    onTransferFinished();
    initHidDevice();
}
