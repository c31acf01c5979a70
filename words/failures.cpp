#include "words/failures.h"

#include "words/refusals.h"
#include "words/results.h"
#include "words/tongue.h"

#include <QFileInfo>

namespace tarvenix {

namespace {

QString withDetail(const QString &cause, const QString &detail)
{
    return detail.isEmpty() ? cause : cause + QStringLiteral(" (") + detail + QLatin1Char(')');
}

QString noReply(int timeoutMs)
{
    return Messages::tr("the device did not answer within %1 %2")
        .arg(timeoutMs / 1000.0)
        .arg(timeoutMs == 1000 ? Messages::tr("second") : Messages::tr("seconds"));
}

// The file, not the device, failed during the transfer.
bool fileFailed(FailureCode code)
{
    return code == FailureCode::FileReadFailed || code == FailureCode::FileShortened ||
           code == FailureCode::FileChanged || code == FailureCode::FileWriteFailed ||
           code == FailureCode::TargetAppeared;
}

// What to do after a failed transfer, on a line of its own; empty when nothing helps.
QString advice(TransferKind kind, const TransferOutcome &outcome)
{
    const FailureCode code = outcome.failure.code;
    if (isUnplug(code))
        return Messages::tr("\nThe device was unplugged during the transfer. Plug it in again "
                            "and repeat the transfer.");
    if (code == FailureCode::OutOfStep)
        return Messages::tr("\nClose any other program that uses the device, then try again.");
    if (fileFailed(code) && kind != TransferKind::Save)
        return Messages::tr("\nPlease check the file, then repeat the transfer.");
    if (outcome.failedBlock > 0 && code != FailureCode::Mismatch)
        return Messages::tr("\nPlease check the device and its cable, then try again.");
    return QString();
}

QString stopCause(const QString &name)
{
    switch (stopCauseNamed(name)) {
    case StopCause::User:
        return Messages::tr("the transfer was stopped");
    case StopCause::WindowClosed:
        return Messages::tr("the window was closed during the transfer");
    case StopCause::TrayQuit:
        return Messages::tr("the program was ended from the tray during the transfer");
    case StopCause::Unplugged:
        break;
    }
    return Messages::tr("the device was unplugged");
}

} // namespace

QString failureCause(const Failure &failure, const QString &file)
{
    const QString &detail = failure.detail;
    switch (failure.code) {
    case FailureCode::None:
        return QString();
    case FailureCode::HidapiFailed:
        return Messages::tr("the HID library did not start");
    case FailureCode::NoDevice:
        return Messages::tr("no supported device is present");
    case FailureCode::OpenFailed:
        return Messages::tr("the device cannot be opened");
    case FailureCode::Busy:
        return Messages::tr("another Tarvenix program is transferring with the device");
    case FailureCode::LockFailed:
        return withDetail(Messages::tr("the device cannot be locked"), detail);
    case FailureCode::WriteFailed:
    case FailureCode::UnpluggedOnWrite:
        return withDetail(Messages::tr("the device did not accept the request"), detail);
    case FailureCode::ReadFailed:
    case FailureCode::UnpluggedOnRead:
        return withDetail(Messages::tr("reading the device's reply failed"), detail);
    case FailureCode::NoReply:
        return noReply(detail.toInt());
    case FailureCode::EmptyReply:
        return Messages::tr("the device answered with an empty report (0 bytes) instead of "
                            "its reply");
    case FailureCode::ShortReply:
        return Messages::tr("the device's reply was too short to carry the block (%1 bytes)")
            .arg(detail);
    case FailureCode::VersionCut:
        return Messages::tr("the device's version reply ended inside the version text");
    case FailureCode::OutOfStep:
        return Messages::tr("the device sent a report that answers no request of ours (is "
                            "another program using the device?)");
    case FailureCode::Stopped:
        return stopCause(detail);
    case FailureCode::StoppedBySignal:
        return Messages::tr("the transfer was stopped by signal %1").arg(detail);
    case FailureCode::Mismatch:
        return fileCause(Messages::tr("the device holds data that differs from \"%1\""), file);
    case FailureCode::FileChanged:
        if (!detail.isEmpty())
            return fileCause(Messages::tr("the file \"%1\" changed while it was sent: the "
                                          "device now holds the data as it was read during the "
                                          "transfer (SHA-256 %2), which is not the file as it "
                                          "is now"),
                             file, detail);
        return fileCause(Messages::tr("the file \"%1\" changed since it was checked, or is "
                                      "missing, unreadable or no longer whole blocks; nothing "
                                      "of it was sent"),
                         file);
    case FailureCode::FileReadFailed:
        return fileCause(Messages::tr("the file \"%1\" could not be read (%2)"), file, detail);
    case FailureCode::FileShortened:
        return fileCause(
            Messages::tr("the file \"%1\" ends before this block: it was shortened during the "
                         "transfer"),
            file);
    case FailureCode::TargetUnwritable:
        return fileCause(Messages::tr("the file \"%1\" cannot be written (%2)"), file, detail);
    case FailureCode::NoTemporaryName:
        return fileCause(
            Messages::tr("the file \"%1\" cannot be written (no free temporary name beside it)"),
            file);
    case FailureCode::FileWriteFailed:
        return fileCause(Messages::tr("the file \"%1\" could not be written (%2)"), file, detail);
    case FailureCode::TargetAppeared:
        return fileCause(
            Messages::tr("the file \"%1\" appeared during the save and was left as it is"), file);
    default:
        // The refusals before a transfer are whole sentences of their own.
        return refusalText(failure, file);
    }
}

namespace {

// A data download's backup failed: nothing was written.
QString backupFailureMessage(const TransferOutcome &outcome)
{
    const QString cause = failureCause(outcome.failure, outcome.backupFile);
    const QString what =
        outcome.failedBlock > 0
            ? Messages::tr("the backup of the device's data area failed at block %1 of %2: %3")
                  .arg(outcome.failedBlock)
                  .arg(outcome.blocks)
                  .arg(cause)
            : Messages::tr("the backup of the device's data area failed: %1").arg(cause);
    return Messages::tr("Download data did not start: %1. The device is unchanged.").arg(what) +
           advice(TransferKind::Data, outcome);
}

// Where a data download's backup is, for the user who wants the area back as it was.
QString restoreNote(const TransferOutcome &outcome)
{
    if (!outcome.backupTaken())
        return QString();
    return QLatin1Char('\n') + backupKeptNote(outcome.backupFile, Tongue::User);
}

} // namespace

QString transferFailureMessage(TransferKind kind, const QString &file,
                               const TransferOutcome &outcome)
{
    if (kind == TransferKind::Data && outcome.phase == TransferKind::Save)
        return backupFailureMessage(outcome);
    const QString cause = failureCause(outcome.failure, file);
    const bool inVerify = kind == TransferKind::Data && outcome.phase == TransferKind::Verify;
    QString text = outcome.failedBlock > 0
                       ? (inVerify ? Messages::tr("%1 failed in the verify, at block %2 of %3: %4.")
                                   : Messages::tr("%1 failed at block %2 of %3: %4."))
                             .arg(transferName(kind), QString::number(outcome.failedBlock),
                                  QString::number(outcome.blocks), cause)
                       : Messages::tr("%1 failed: %2.").arg(transferName(kind), cause);
    text += advice(kind, outcome);
    if (kind == TransferKind::Save && !outcome.keptFile.isEmpty())
        text += Messages::tr("\nThe data read from the device is kept in \"%1\"; rename that "
                             "file to keep it.")
                    .arg(outcome.keptFile);
    else if (kind == TransferKind::Save)
        text += Messages::tr("\nNo file was written; an existing file keeps its content.");
    return text + restoreNote(outcome);
}

namespace {

// What the device holds after a transfer stopped in `phase`.
QString stoppedState(TransferKind kind, TransferKind phase)
{
    switch (phase) {
    case TransferKind::Firmware:
        return Messages::tr("the device holds a partial firmware; run the download again "
                            "before unplugging it");
    case TransferKind::Data:
        return Messages::tr("the device's data area is partly overwritten; run the download "
                            "again");
    case TransferKind::Save:
        return kind == TransferKind::Data
                   ? Messages::tr("the backup before the download was not finished, and the "
                                  "device is unchanged")
                   : Messages::tr("nothing was saved, and the device is unchanged");
    case TransferKind::Verify:
        break;
    }
    return kind == TransferKind::Data
               ? Messages::tr("the download was complete, but it was not verified")
               : Messages::tr("the device is unchanged");
}

} // namespace

// The block named is the one the transfer stopped before, as the history keeps it.
QString transferStoppedMessage(TransferKind kind, const TransferOutcome &outcome)
{
    const TransferKind phase = kind == TransferKind::Data ? outcome.phase : kind;
    const QString where =
        kind == TransferKind::Data
            ? Messages::tr("%1 stopped in its %2, before block %3 of %4: %5.")
                  .arg(transferName(kind), phaseName(kind, phase))
            : Messages::tr("%1 stopped before block %2 of %3: %4.").arg(transferName(kind));
    return where.arg(qMax(1, outcome.failedBlock))
               .arg(outcome.blocks)
               .arg(stoppedState(kind, phase)) +
           restoreNote(outcome);
}

} // namespace tarvenix
