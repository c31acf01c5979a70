// The firmware row: Load Firmware, Run and its six arrows.

#include "ui/mainwindow.h"

#include "device/trace.h"
#include "transfer/devicecontroller.h"
#include "userfiles/settings.h"
#include "words/questions.h"
#include "workers/transferworkers.h"

#include <QMessageBox>

using tarvenix::TransferKind;

void MainWindow::slotPushButtonLoadFW()
{
    loadFile(strFWFile, tr("select bin file"), fwArrows(), runFWButton);
}

void MainWindow::slotPushButtonRunUpdateFW()
{
    if (!runAllowed(strFWFile, tr("Please load firmware file first !"), TransferKind::Firmware))
        return;
    // What the question shows is what is sent, or the transfer fails.
    const tarvenix::FileFacts facts = tarvenix::fileFacts(strFWFile);
    if (!confirmFirmware(facts))
        return;
    fwArrows().unlight();
    // As the firmware row always has: the device opened a second time once the arrows are
    // unlit, and one lost meanwhile told in an information box.
    initHidDevice();
    if (!hidHandle) {
        QMessageBox::information(this, tr("Warning"), tr("Not connected device!"));
        return;
    }
    tarvenix::TransferRequest request;
    request.file = strFWFile;
    request.source = facts;
    startTransfer(workerThreadForFW, request);
}

// Asked after Run opened the device, so that the question names its version as it is now.
// Yes is not the default: a firmware download replaces what runs the device.
bool MainWindow::confirmFirmware(const tarvenix::FileFacts &facts)
{
    if (!tarvenix::safetyOn(tarvenix::Safety::AskBeforeFirmware))
        return true;
    const QString question =
        tarvenix::firmwareQuestion(strFWFile, facts, controller->identity(), strVersion) +
        tr("\n\nDo not unplug the device or close this window until the download is done.");
    return QMessageBox::question(this, tr("Download firmware"), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// Step 6 lights the last arrow. The controller opens the device again and reads its version
// once the transfer has ended, and the success message follows.
void MainWindow::slotShowRunUpdateFWProcess(int step)
{
    qCDebug(tarvenix::lcTrace, "Enter slotUpdateRuningFW");
    fwArrows().light(step);
}
