// The firmware row: Load Firmware, Run and its six arrows.

#include "ui/mainwindow.h"

#include "device/trace.h"
#include "workers/transferworkers.h"

#include <QMessageBox>

using tarvenix::TransferKind;

void MainWindow::slotPushButtonLoadFW()
{
    loadFile(strFWFile, tr("select bin file"), fwArrows());
}

void MainWindow::slotPushButtonRunUpdateFW()
{
    if (!runAllowed(strFWFile, tr("Please load firmware file first !"), TransferKind::Firmware))
        return;
    setArrows(fwArrows(), kArrowUnlitStyle);
    // As the firmware row always has: the device opened a second time once the arrows are
    // unlit, and one lost meanwhile told in an information box.
    initHidDevice();
    if (!hidHandle) {
        QMessageBox::information(this, tr("Warning"), tr("Not connected device!"));
        return;
    }
    startTransfer(workerThreadForFW, strFWFile);
}

void MainWindow::slotShowRunUpdateFWProcess(int step)
{
    qCDebug(tarvenix::lcTrace, "Enter slotUpdateRuningFW");
    showStep(fwArrows(), step);
    if (step != 6)
        return;
    QMessageBox::information(this, tr("Success"), tr("Download firmware successfully!"));
    // Code 6 comes after the last reply: while the worker is still returning, the
    // controller re-opens the device once it has.
    initHidDevice();
}
