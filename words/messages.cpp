#include "words/messages.h"

#include "device/devicelock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tarvenix {

namespace {

// Every text here is translated under this name.
struct Messages {
    Q_DECLARE_TR_FUNCTIONS(Messages)
};

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

// A text about a file, and what the system said of it. Names go in with the other values
// in one pass, so a "%1" in a file name stays text.
QString fileCause(const QString &text, const QString &file)
{
    return text.arg(file);
}

QString fileCause(const QString &text, const QString &file, const QString &detail)
{
    return text.arg(file, detail);
}

QString blockRule()
{
    return Messages::tr("The device takes whole blocks of %1 bytes, so the size must be a "
                        "non-zero multiple of %1.")
        .arg(kBlockSize);
}

// The refusals of a file's size name only the file, not its folder.
QString sizeRefusal(FailureCode code, const QString &file, const QString &size)
{
    const QString name = QFileInfo(file).fileName();
    switch (code) {
    case FailureCode::FileOverDataArea:
        return Messages::tr("The file \"%1\" has %2 bytes, more than the device's data area "
                            "of %3 bytes. Please choose a smaller data file.")
            .arg(name, size, QString::number(kDataAreaSize));
    case FailureCode::FileOverAddress:
        return Messages::tr("The file \"%1\" has %2 bytes, more than the device can address "
                            "(%3 bytes).")
            .arg(name, size, QString::number(kMaxOffsetFileSize));
    default:
        return Messages::tr("The file \"%1\" has %2 bytes. %3").arg(name, size, blockRule());
    }
}

bool unplugged(FailureCode code)
{
    return code == FailureCode::UnpluggedOnWrite || code == FailureCode::UnpluggedOnRead;
}

// The file, not the device, failed during the transfer.
bool fileFailed(FailureCode code)
{
    return code == FailureCode::FileReadFailed || code == FailureCode::FileShortened ||
           code == FailureCode::FileWriteFailed || code == FailureCode::TargetAppeared;
}

// What to do after a failed transfer, on a line of its own; empty when nothing helps.
QString advice(TransferKind kind, const TransferOutcome &outcome)
{
    const FailureCode code = outcome.failure.code;
    if (unplugged(code))
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

// The refusals that are whole sentences of their own; empty for every other failure.
QString refusalText(const Failure &failure, const QString &file)
{
    const QString &detail = failure.detail;
    switch (failure.code) {
    case FailureCode::FileMissing:
        return fileCause(
            Messages::tr("The file \"%1\" cannot be found. It may have been moved or deleted; "
                         "please load it again."),
            file);
    case FailureCode::NotAFile:
    case FailureCode::FileUnreadable:
        return fileCause(
            Messages::tr("The file \"%1\" cannot be read: %2. Please check it and load it again."),
            file,
            failure.code == FailureCode::NotAFile ? Messages::tr("it is not a file") : detail);
    case FailureCode::FileNotBlocks:
    case FailureCode::FileOverDataArea:
    case FailureCode::FileOverAddress:
        return sizeRefusal(failure.code, file, detail);
    case FailureCode::NameNotUtf8:
        return fileCause(
            Messages::tr("The name \"%1\" is not valid UTF-8 (\"\uFFFD\" marks the bytes that "
                         "are not), so this program would read or write another name instead. "
                         "Please rename the file (or its folder) to a UTF-8 name, then try again."),
            file);
    case FailureCode::NoSaveName:
        return Messages::tr("No file name was given. Please name the file to save to, for "
                            "example \"dump.bin\".");
    case FailureCode::SaveNameIsFolder:
        return Messages::tr("\"%1\" names a folder, not a file. Please add a file name, for "
                            "example \"%2\".")
            .arg(file, QDir::cleanPath(file + QStringLiteral("/dump.bin")));
    case FailureCode::TargetExists:
        return fileCause(Messages::tr("The file \"%1\" already exists."), file);
    case FailureCode::TargetIsLink:
        return fileCause(
            Messages::tr("\"%1\" already exists: it is a symbolic link to \"%2\". Replacing it "
                         "replaces the link itself; \"%2\" is left as it is."),
            file, detail);
    case FailureCode::TargetUnwritable:
    case FailureCode::NoTemporaryName:
        return Messages::tr("Cannot save there: %1. Please choose another place.")
            .arg(failureCause(failure, file));
    case FailureCode::Busy:
        return DeviceLock::busyMessage();
    case FailureCode::LockFailed:
        return Messages::tr("The device cannot be locked: %1. ").arg(detail) + accessHint();
    default:
        return QString();
    }
}

const char *transferSource(TransferKind kind)
{
    switch (kind) {
    case TransferKind::Firmware:
        return QT_TRANSLATE_NOOP("Messages", "Download firmware");
    case TransferKind::Data:
        return QT_TRANSLATE_NOOP("Messages", "Download data");
    case TransferKind::Save:
        return QT_TRANSLATE_NOOP("Messages", "Save data");
    case TransferKind::Verify:
        break;
    }
    return QT_TRANSLATE_NOOP("Messages", "Verify");
}

} // namespace

QString transferName(TransferKind kind)
{
    return Messages::tr(transferSource(kind));
}

QString transferNameForScripts(TransferKind kind)
{
    return QString::fromLatin1(transferSource(kind));
}

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
        return detail;
    case FailureCode::StoppedBySignal:
        return Messages::tr("the transfer was stopped by signal %1").arg(detail);
    case FailureCode::Mismatch:
        return fileCause(Messages::tr("the device holds data that differs from \"%1\""), file);
    case FailureCode::FileChanged:
        return fileCause(
            Messages::tr("the file \"%1\" is missing, unreadable or no longer whole blocks; "
                         "please load it again"),
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

QString refusalMessage(const Failure &failure, const QString &file)
{
    const QString text = refusalText(failure, file);
    return text.isEmpty() ? failureCause(failure, file) + QLatin1Char('.') : text;
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

// A text in the user's language, or as it stands where a script reads it: the command
// line's results on standard output stay English.
QString phrase(FrontEnd where, const char *text)
{
    return where == FrontEnd::Window ? Messages::tr(text) : QString::fromUtf8(text);
}

const char kBackupKept[] =
    QT_TRANSLATE_NOOP("Messages", "The data area as it was before the download is kept in "
                                  "\"%1\"; to restore it, download that file.");

// Where a data download's backup is, for the user who wants the area back as it was.
QString restoreNote(const TransferOutcome &outcome)
{
    if (!outcome.backupTaken())
        return QString();
    return QLatin1Char('\n') + Messages::tr(kBackupKept).arg(outcome.backupFile);
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

QString transferStoppedMessage(TransferKind kind, const TransferOutcome &outcome)
{
    QString state;
    switch (kind == TransferKind::Data ? outcome.phase : kind) {
    case TransferKind::Firmware:
        state = Messages::tr("the device holds a partial firmware; run the download again "
                             "before unplugging it");
        break;
    case TransferKind::Data:
        state = Messages::tr("the device's data area is partly overwritten; run the download "
                             "again");
        break;
    case TransferKind::Save:
        state = kind == TransferKind::Data
                    ? Messages::tr("the backup before the download was not finished, and the "
                                   "device is unchanged")
                    : Messages::tr("nothing was saved, and the device is unchanged");
        break;
    case TransferKind::Verify:
        state = kind == TransferKind::Data
                    ? Messages::tr("the download was complete, but it was not verified")
                    : Messages::tr("the device is unchanged");
        break;
    }
    return Messages::tr("%1 stopped after %2 of %3 blocks: %4.")
               .arg(transferName(kind))
               .arg(qMax(0, outcome.failedBlock - 1))
               .arg(outcome.blocks)
               .arg(state) +
           restoreNote(outcome);
}

QString backupOffAdvice(FrontEnd where)
{
    return where == FrontEnd::Window
               ? Messages::tr("To download without a backup, turn off \"Back up before a data "
                              "download\" in the window's menu (right-click the window).")
               : Messages::tr("To download without a backup, add --no-backup.");
}

namespace {

QString versionChange(const TransferRecord &r, FrontEnd where)
{
    if (r.versionFailure)
        return phrase(where, QT_TRANSLATE_NOOP("Messages",
                                               "The version could not be read again after the "
                                               "download: %1. The device may be restarting; its "
                                               "version is shown again once it is back."))
            .arg(failureCause(r.versionFailure, QString()));
    if (r.versionAfter == r.versionBefore)
        return phrase(where, QT_TRANSLATE_NOOP("Messages", "The version text is unchanged: \"%1\". "
                                                           "A device may keep its text after a "
                                                           "download."))
            .arg(r.versionBefore);
    return phrase(where,
                  QT_TRANSLATE_NOOP("Messages", "Version before: \"%1\"\nVersion after: \"%2\""))
        .arg(r.versionBefore, r.versionAfter);
}

QString dataNotes(const TransferRecord &r, FrontEnd where)
{
    const QString backup =
        r.outcome.backupTaken()
            ? phrase(where, kBackupKept).arg(r.outcome.backupFile)
            : phrase(where,
                     QT_TRANSLATE_NOOP("Messages", "No backup was taken: backups are turned off."));
    const QString verify =
        r.verify ? phrase(where, QT_TRANSLATE_NOOP("Messages",
                                                   "The data area was read back and matches the "
                                                   "file."))
                 : phrase(where, QT_TRANSLATE_NOOP("Messages", "The data area was not read back: "
                                                               "verifying is turned off."));
    return verify + QLatin1Char('\n') + backup;
}

} // namespace

QString successDetails(const TransferRecord &record, FrontEnd where)
{
    switch (record.kind) {
    case TransferKind::Firmware:
        return record.versionAsked ? versionChange(record, where) : QString();
    case TransferKind::Data:
        return dataNotes(record, where);
    case TransferKind::Save:
    case TransferKind::Verify:
        break;
    }
    return QString();
}

QString deviceDescription(const FoundDevice &device)
{
    const QString name = device.product.isEmpty() ? Messages::tr("The device") : device.product;
    return device.serial.isEmpty()
               ? Messages::tr("%1 (%2) at %3").arg(name, device.ids(), device.path)
               : Messages::tr("%1 (%2, serial %3) at %4")
                     .arg(name, device.ids(), device.serial, device.path);
}

QString deviceLine(const FoundDevice &device, const QString &version)
{
    return Messages::tr("%1, version \"%2\"").arg(deviceDescription(device), version);
}

QString firmwareQuestion(const QString &file, const FileFacts &facts, const FoundDevice &device,
                         const QString &version)
{
    return Messages::tr("Download this firmware into the device?\n\n"
                        "File: %1, %2 bytes, SHA-256 %3\n"
                        "Device: %4\n\n"
                        "Do not unplug the device or close this window until the download "
                        "is done.")
        .arg(file, QString::number(facts.size), facts.sha256.left(12), deviceLine(device, version));
}

QString firmwareQuestion(const QString &file, const FileFacts &facts, const QStringList &devices)
{
    return Messages::tr("Download this firmware into these %1 devices?\n\n"
                        "File: %2, %3 bytes, SHA-256 %4\n"
                        "Devices:\n%5\n\n"
                        "Do not unplug the devices or stop this program until every download "
                        "is done.")
        .arg(QString::number(devices.size()), file, QString::number(facts.size),
             facts.sha256.left(12), devices.join(QLatin1Char('\n')));
}

QString historyUnwritableMessage(const QString &path, const QString &reason)
{
    return Messages::tr("This transfer could not be added to the history in \"%1\" (%2). "
                        "Transfers still work; this is said once until the program starts "
                        "again.")
        .arg(path, reason);
}

QString accessHint()
{
    return Messages::tr("Check the access rights to its hidraw node (install the udev rule "
                        "70-tarvenix.rules that comes with this program), then plug it in "
                        "again.");
}

QString unpluggedCause()
{
    return Messages::tr("the device was unplugged");
}

} // namespace tarvenix
