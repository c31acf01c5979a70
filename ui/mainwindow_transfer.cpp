// What the firmware, data and save commands share: the refusal while a transfer runs,
// the start through the device controller, and what the end of a transfer shows.

#include "ui/mainwindow.h"

#include "device/trace.h"
#include "transfer/devicecontroller.h"
#include "ui/tray.h"
#include "userfiles/history.h"
#include "words/failures.h"
#include "words/results.h"

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

void MainWindow::loadFile(QString &path, const QString &caption, ArrowRow &arrows, QPushButton *run)
{
    if (refuseWhileTransferring())
        return;
    path =
        QFileDialog::getOpenFileName(this, caption, QStringLiteral("./"), QStringLiteral("*.bin"));
    qCDebug(tarvenix::lcTrace) << "filePath: " << path << "\n";
    if (tarvenix::lostInDecoding(path)) {
        warn(tarvenix::refusalMessage({tarvenix::FailureCode::NameNotUtf8, {}}, path));
        path.clear();
    } else if (!path.isEmpty()) {
        arrows.unlight();
    }
    showChosenFile(run, path);
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
        warn(withLoadAgain(refusal, tarvenix::refusalMessage(refusal, path)));
        return false;
    }
    return openDevice();
}

QString MainWindow::withLoadAgain(const tarvenix::Failure &failure, const QString &text) const
{
    switch (failure.code) {
    case tarvenix::FailureCode::FileMissing:
    case tarvenix::FailureCode::NotAFile:
    case tarvenix::FailureCode::FileUnreadable:
        return text + tr("\nPlease load the file again.");
    default:
        return text;
    }
}

bool MainWindow::startTransfer(tarvenix::TransferJob *worker,
                               const tarvenix::TransferRequest &request)
{
    const tarvenix::Failure refusal = controller->startTransfer(worker, request);
    if (refusal)
        warn(tarvenix::refusalMessage(refusal, request.file));
    return !refusal;
}

namespace {

QString successText(tarvenix::TransferKind kind)
{
    switch (kind) {
    case tarvenix::TransferKind::Firmware:
        return MainWindow::tr("Download firmware successfully!");
    case tarvenix::TransferKind::Data:
        return MainWindow::tr("Download data successfully!");
    default:
        return MainWindow::tr("Save data successfully!");
    }
}

// Lines of a box's informative text, the empty ones left out.
QString lines(const QStringList &parts)
{
    QStringList kept = parts;
    kept.removeAll(QString());
    return kept.join(QLatin1Char('\n'));
}

} // namespace

// Success is told here only, once the transfer has ended: after the verify of a data
// download, and after a firmware download's version was read again.
void MainWindow::onTransferEnded(tarvenix::TransferJob *job, const tarvenix::TransferRecord &record)
{
    const bool ok = record.ok();
    const bool backupFailed = record.kind == tarvenix::TransferKind::Data &&
                              record.outcome.phase == tarvenix::TransferKind::Save;
    // A failure's own advice says what to do with the file; Run reads it again anyway.
    const QString failure =
        ok ? QString() : tarvenix::transferFailureMessage(record.kind, record.file, record.outcome);
    QMessageBox box(ok ? QMessageBox::Information : QMessageBox::Warning,
                    ok ? tr("Success") : tr("Warning"), ok ? successText(job->kind()) : failure,
                    QMessageBox::Ok, this);
    const QString backupOff = tr("To download without a backup, turn off \"Back up before a "
                                 "data download\" in the window's menu (right-click the "
                                 "window).");
    const QString historyProblem =
        record.historyProblem.isEmpty()
            ? QString()
            : tarvenix::historyUnwritableMessage(tarvenix::historyPath(), record.historyProblem);
    box.setInformativeText(
        lines({ok ? tarvenix::successDetails(record, tarvenix::Tongue::User) : QString(),
               !ok && backupFailed ? backupOff : QString(), historyProblem}));
    tray->tellWhileHidden(box);
    box.exec();
}

bool MainWindow::confirmOverwrite(const QString &existing)
{
    return QMessageBox::question(this, tr("Save data file"), existing + tr(" Replace it?"),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void MainWindow::tellInterruptedTransfers()
{
    for (const QJsonObject &end : tarvenix::recoverInterruptedTransfers())
        QMessageBox::warning(this, tr("Interrupted transfer"), tarvenix::interruptedMessage(end));
}
