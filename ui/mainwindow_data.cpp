// The data row (Load Data, Run) and the save row (Save), with their arrows.

#include "ui/mainwindow.h"

#include "device/trace.h"
#include "userfiles/settings.h"
#include "words/failures.h"
#include "workers/transferworkers.h"

#include <QFileDialog>
#include <QFileInfo>

using tarvenix::TransferKind;

void MainWindow::slotPushButtonLoadData()
{
    loadFile(strDataFile, tr("select data file"), dataArrows(), runDataButton);
}

void MainWindow::slotPushButtonRunUpdateData()
{
    if (!runAllowed(strDataFile, tr("Please load data file first !"), TransferKind::Data))
        return;
    dataArrows().unlight();
    tarvenix::TransferRequest request;
    request.file = strDataFile;
    request.backup = tarvenix::safetyOn(tarvenix::Safety::BackupBeforeData);
    request.verify = tarvenix::safetyOn(tarvenix::Safety::VerifyAfterData);
    startTransfer(workerThreadForData, request);
}

// The dialog comes first, even without a device, as users expect of Save.
bool MainWindow::askSaveTarget(bool *replace)
{
    const QString chosen = QFileDialog::getSaveFileName(
        this, tr("Save data file"), QStringLiteral("./"), QStringLiteral("*.bin"));
    strSaveDataFile = chosen;
    qCDebug(tarvenix::lcTrace) << "strSaveDataFile: " << strSaveDataFile << "\n";
    if (chosen.isEmpty())
        return false;
    const tarvenix::Failure unnamed =
        tarvenix::lostInDecoding(chosen) ? tarvenix::Failure{tarvenix::FailureCode::NameNotUtf8, {}}
                                         : tarvenix::checkSaveName(chosen);
    if (unnamed) {
        warn(tarvenix::refusalMessage(unnamed, chosen));
        return false;
    }
    strSaveDataFile = tarvenix::saveFileName(chosen);
    // A folder of the name is refused before the question: only files are replaced.
    if (const tarvenix::Failure refusal = tarvenix::checkSaveTarget(strSaveDataFile)) {
        warn(tarvenix::refusalMessage(refusal, strSaveDataFile));
        return false;
    }
    const tarvenix::Failure existing = tarvenix::existingTarget(strSaveDataFile);
    // Qt's dialog asked about the name it returned, and only when that name leads to a
    // file: not about a name we extended, nor about a link that leads nowhere.
    const bool dialogAsked = strSaveDataFile == chosen && QFileInfo::exists(chosen);
    if (existing && !dialogAsked &&
        !confirmOverwrite(tarvenix::refusalMessage(existing, strSaveDataFile)))
        return false;
    // Without the user's yes, the save refuses to replace a file that appears meanwhile.
    *replace = bool(existing);
    return true;
}

void MainWindow::slotPushButtonRunSaveData()
{
    bool replace = false;
    if (refuseWhileTransferring() || !askSaveTarget(&replace) || !openDevice())
        return;
    saveArrows().unlight();
    tarvenix::TransferRequest request;
    request.file = strSaveDataFile;
    request.replaceExisting = replace;
    startTransfer(workerThreadForSaveData, request);
}

// Step 6 lights the last arrow; the success message follows when the transfer has ended.
void MainWindow::slotShowRunUpdateDataProcess(int step)
{
    dataArrows().light(step);
}

void MainWindow::slotShowRunUpdateSaveDataProcess(int step)
{
    qCDebug(tarvenix::lcTrace, "Enter slotShowRunUpdateSaveDataProcess step:%d", step);
    saveArrows().light(step);
}
