// What the firmware, data and save commands share: the refusal while a transfer runs,
// the start through the device controller, and what the end of a transfer shows.

#include "ui/mainwindow.h"

#include "device/trace.h"
#include "workers/devicecontroller.h"
#include "workers/messages.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

void MainWindow::warn(const QString &text)
{
    QMessageBox::warning(this, tr("Warning"), text);
}

bool MainWindow::refuseWhileTransferring()
{
    if (!transferRunning())
        return false;
    warn(tr("A transfer is in progress. Please wait until it has finished."));
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
    qCDebug(tarvenix::lcTrace) << "filePath: " << path << "\n";
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
        warn(tr("Not connected device!"));
    return bool(hidHandle);
}

// The file is checked before the device is touched.
bool MainWindow::runAllowed(const QString &path, const QString &loadFirst,
                            tarvenix::TransferKind kind)
{
    qCDebug(tarvenix::lcTrace) << "WorkerThread run: threadId: " << QThread::currentThreadId();
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

bool MainWindow::startTransfer(tarvenix::TransferJob *worker, const QString &file,
                               bool replaceExisting)
{
    const tarvenix::Failure refusal = controller->startTransfer(worker, file, replaceExisting);
    if (refusal)
        warn(tarvenix::refusalMessage(refusal, file));
    return !refusal;
}

void MainWindow::showStep(const ArrowRow &arrows, int step)
{
    if (step >= 1 && step <= 6)
        arrows[step - 1]->setStyleSheet(kArrowLitStyle);
}

void MainWindow::onTransferEnded(tarvenix::TransferJob *job,
                                 const tarvenix::TransferOutcome &outcome)
{
    if (!outcome.ok())
        warn(tarvenix::transferFailureMessage(job->kind(), job->request().file, outcome));
}

bool MainWindow::confirmOverwrite(const QString &existing)
{
    return QMessageBox::question(this, tr("Save data file"), existing + tr(" Replace it?"),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
