// The data row (Load Data, Run) and the save row (Save), with their arrows.

#include "ui/mainwindow.h"

#include "workers/transferworkers.h"

#include <QDebug>
#include <QFileDialog>
#include <QMessageBox>

using tarvenix::TransferKind;

void MainWindow::slotPushButtonLoadData()
{
    loadFile(strDataFile, QStringLiteral("select data file"), dataArrows());
}

void MainWindow::slotPushButtonRunUpdateData()
{
    if (!runAllowed(strDataFile, QStringLiteral("Please load data file first !"),
                    TransferKind::Data))
        return;
    setArrows(dataArrows(), kArrowUnlitStyle);
    startTransfer(workerThreadForData);
}

// The dialog comes first, even without a device, as users expect of Save.
QString MainWindow::askSaveTarget()
{
    const QString chosen = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save data file"), QStringLiteral("./"), QStringLiteral("*.bin"));
    strSaveDataFile = chosen;
    qDebug() << "strSaveDataFile: " << strSaveDataFile << "\n";
    if (chosen.isEmpty())
        return QString();
    strSaveDataFile = tarvenix::saveFileName(chosen);
    // The dialog asked about the name it returned, not about one we extended.
    if (strSaveDataFile != chosen && !confirmOverwrite(strSaveDataFile))
        return QString();
    const QString refusal = tarvenix::checkSaveTarget(strSaveDataFile);
    if (!refusal.isEmpty()) {
        warn(refusal);
        return QString();
    }
    return strSaveDataFile;
}

void MainWindow::slotPushButtonRunSaveData()
{
    if (refuseWhileTransferring() || askSaveTarget().isEmpty() || !openDevice())
        return;
    setArrows(saveArrows(), kArrowUnlitStyle);
    startTransfer(workerThreadForSaveData);
}

void MainWindow::slotShowRunUpdateDataProcess(int step)
{
    showStep(dataArrows(), step);
    if (step == 6)
        QMessageBox::information(this, QStringLiteral("Success"),
                                 QStringLiteral("Download data successfully!"));
}

void MainWindow::slotShowRunUpdateSaveDataProcess(int step)
{
    qDebug("Enter slotShowRunUpdateSaveDataProcess step:%d", step);
    showStep(saveArrows(), step);
    if (step == 6)
        QMessageBox::information(this, QStringLiteral("Success"),
                                 QStringLiteral("Save data successfully!"));
}
