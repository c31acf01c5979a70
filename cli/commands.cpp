#include "commands.h"

#include "cli/devicelist.h"
#include "cli/link.h"
#include "cli/quoting.h"
#include "cli/recording.h"
#include "cli/runtransfer.h"
#include "cli/summary.h"
#include "cli/terminal.h"
#include "cli/text.h"
#include "userfiles/settings.h"
#include "words/failures.h"
#include "words/questions.h"
#include "words/results.h"

#include <QJsonObject>
#include <cstdio>

namespace tarvenix::cli {

TransferKind kindOf(Command c)
{
    switch (c) {
    case Command::Firmware:
        return TransferKind::Firmware;
    case Command::Save:
        return TransferKind::Save;
    case Command::Verify:
        return TransferKind::Verify;
    default:
        return TransferKind::Data;
    }
}

// A file to send, or to verify against, as the window checks it.
Status checkSource(TransferKind kind, const QString &file, int *blocks)
{
    qint64 size = 0;
    if (const Failure refusal = checkSourceFile(kind, file, &size))
        return fail(refusal, refusalMessage(refusal, file));
    *blocks = int(size / kBlockSize);
    return {};
}

// The name as given, then the name with its suffix.
Status checkTarget(const QString &given, const QString &target, bool force)
{
    if (const Failure unnamed = checkSaveName(given))
        return fail(unnamed, refusalMessage(unnamed, given));
    // A folder of the name is refused first: --force replaces files only.
    if (const Failure refusal = checkSaveTarget(target))
        return fail(refusal, refusalMessage(refusal, target));
    if (const Failure existing = existingTarget(target); existing && !force)
        return fail(existing, refusalMessage(existing, target) +
                                  Cli::tr(" Add --force to replace it, or choose another name."));
    return {};
}

Status transferFailure(TransferKind kind, const QString &file, const TransferOutcome &outcome)
{
    const Failure &failure = outcome.failure;
    if (failure.code == FailureCode::StoppedBySignal) {
        Status s = fail(failure, transferStoppedMessage(kind, outcome));
        s.signal = failure.detail.toInt();
        return s;
    }
    QString text = transferFailureMessage(kind, file, outcome);
    if (kind == TransferKind::Data && outcome.phase == TransferKind::Save)
        text += Cli::tr("\nTo download without a backup, add --no-backup.");
    else if (failure.code == FailureCode::Mismatch)
        text += Cli::tr("\nIf \"%1\" is the data image meant for the device, download it "
                        "again with: tarvenix-cli data \"%1\"")
                    .arg(file);
    return fail(failure, text);
}

TransferRequest requestFor(TransferKind kind, const QString &file, const Options &o)
{
    TransferRequest request;
    request.kind = kind;
    request.file = file;
    request.replaceExisting = o.force;
    request.backup = !o.noBackup && safetyOn(Safety::BackupBeforeData);
    request.verify = !o.noVerify && (o.verify || safetyOn(Safety::VerifyAfterData));
    return request;
}

// The firmware question, asked only of a user at a terminal: a script's standard input and
// output are not both one, and it goes on as it always has.
bool confirmed(const Options &o, const QString &question)
{
    if (o.yes || !safetyOn(Safety::AskBeforeFirmware) || !isTerminal(0) || !isTerminal(1))
        return true;
    std::fputs(qPrintable(question + Cli::tr("\n[y/N] ")), stdout);
    std::fflush(stdout);
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, stdin))
        return false;
    const QString said = QString::fromLocal8Bit(answer).trimmed().toLower();
    return said == QLatin1String("y") || said == QLatin1String("yes");
}

Status declined()
{
    return fail(Exit::Declined,
                Cli::tr("The firmware download was not confirmed; nothing was sent."));
}

void tellHistoryProblem(const TransferRecord &record)
{
    if (!record.historyProblem.isEmpty())
        printMessage(historyUnwritableMessage(historyPath(), record.historyProblem));
}

QString savedResult(const QString &file)
{
    return QStringLiteral("saved to %1").arg(fileNameText(file));
}

QString verifiedResult(const QString &file, int blocks)
{
    return QStringLiteral("verified: the device's data area matches \"%1\" (%2 blocks)")
        .arg(fileNameText(file), QString::number(blocks));
}

QString doneResult(const TransferRecord &record)
{
    return QStringLiteral("%1 done%2 (%3 blocks)")
        .arg(transferName(record.kind, Tongue::English),
             record.verify ? QStringLiteral(" and verified") : QString())
        .arg(record.outcome.blocks);
}

Status stoppedAfterLastBlock(const TransferRecord &record, int signalNumber)
{
    QString text = Cli::tr("%1 was complete when signal %2 came.")
                       .arg(transferName(record.kind))
                       .arg(signalNumber);
    if (record.kind == TransferKind::Firmware && !record.versionAsked)
        text += Cli::tr(" The version was not read again.");
    Status s = fail(Exit::Device, text);
    s.signal = signalNumber;
    return s;
}

namespace {

bool g_documentPrinted = false;

// The command's file, checked as the window checks it, then its device claimed: a file
// refused touches no device.
Status checkAndClaim(DeviceController &device, const Options &o, const QString &file)
{
    const TransferKind kind = kindOf(o.command);
    int blocks = 0;
    Status s = kind == TransferKind::Save ? checkTarget(o.file, file, o.force)
                                          : checkSource(kind, file, &blocks);
    if (s.ok())
        s = claim(device, o);
    return s;
}

// The record as a result line shows it: the device's texts escaped, the backup's name quoted,
// so that only the lines' own line ends split them.
TransferRecord shown(TransferRecord record)
{
    record.versionBefore = deviceText(record.versionBefore);
    record.versionAfter = deviceText(record.versionAfter);
    record.outcome.backupFile = fileNameText(record.outcome.backupFile);
    return record;
}

// What a firmware or data download that completed prints: what its success message adds, or
// what was done when a stop skipped the version read again.
QString detailsText(const TransferRecord &record)
{
    const QString details = successDetails(shown(record), Tongue::English);
    return details.isEmpty() ? doneResult(record) : details;
}

// The device of a command on one device, once it was found.
void describeDevice(DeviceResult &r, const DeviceController &device)
{
    if (r.device.path.isEmpty() && device.row() > 0)
        r.device = device.identity();
}

// The end of a command on one device: with --json its document, whatever the result;
// otherwise its result lines once it completed (a stop after the last block included).
Status finished(const Options &o, DeviceResult r, const DeviceController &device,
                const QString &lines, bool completed = false)
{
    describeDevice(r, device);
    if (o.json)
        printDocument(resultJson(r));
    else if (completed || r.status.ok())
        for (const QString &line : lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            printResult(line);
    return r.status;
}

} // namespace

void printDocument(const QJsonObject &root)
{
    g_documentPrinted = true;
    printResult(jsonText(root));
}

void printFailureDocument(const Options &o, const Status &status)
{
    if (!o.json || status.ok() || g_documentPrinted)
        return;
    DeviceResult r;
    r.status = status;
    printDocument(resultJson(r));
}

Status versionFailure(const Failure &failure, const DeviceController &device)
{
    switch (failure.code) {
    case FailureCode::VersionCut:
        return fail(failure, Cli::tr("The device's version reply ended inside the "
                                     "version text, so the text may be incomplete. "
                                     "Please check the device and its cable, then try "
                                     "again."));
    case FailureCode::EmptyReply:
        return fail(failure, Cli::tr("The device answered the version query with an empty "
                                     "report (0 bytes). Please check the device and its "
                                     "cable, then try again."));
    case FailureCode::OutOfStep:
        return fail(failure, Cli::tr("The device answered the version query twice: the first "
                                     "reply answered an earlier request, so the version is "
                                     "not known. Close any other program that uses the "
                                     "device, then try again."));
    case FailureCode::StoppedBySignal: {
        Status s = fail(
            failure, Cli::tr("Stopped by signal %1 during the version query.").arg(failure.detail));
        s.signal = failure.detail.toInt();
        return s;
    }
    default:
        break;
    }
    if (failure)
        return deviceFailure(
            failure,
            Cli::tr("The device %1 the version query. Please check the device and its "
                    "cable, then try again.")
                .arg(failure.code == FailureCode::WriteFailed ? Cli::tr("did not accept")
                                                              : Cli::tr("did not answer")),
            device);
    return {};
}

Status runList(const Options &o)
{
    const QVector<FoundDevice> devices = findSupportedDevices();
    recordListed(devices);
    if (o.json)
        printDocument(listJson(devices));
    else if (!devices.isEmpty())
        printResult(listText(devices));
    if (devices.isEmpty())
        return noDevice();
    return {};
}

Status runVersion(const Options &o)
{
    DeviceController device;
    DeviceResult r;
    r.status = claim(device, o);
    QString version;
    if (r.status.ok())
        r.status = versionFailure(device.queryVersion(version), device);
    if (r.status.ok())
        r.version = version;
    describeDevice(r, device);
    if (!o.json) {
        if (r.status.ok())
            printResult(deviceText(version));
        return r.status;
    }
    QJsonObject document = resultJson(r);
    if (!r.device.path.isEmpty()) {
        document.insert("row", device.row());
        document = withDeprecatedKeys(document, r.device);
    }
    printDocument(document);
    return r.status;
}

Status runTransfer(const Options &o)
{
    const TransferKind kind = kindOf(o.command);
    const bool save = kind == TransferKind::Save;
    DeviceResult r;
    r.file = save ? saveFileName(o.file) : o.file;
    DeviceController device;
    r.status = checkAndClaim(device, o, r.file);
    if (!r.status.ok())
        return finished(o, r, device, {});
    // A write is recorded with the version of what it wrote over; a save changes nothing.
    QString version;
    if (!save)
        device.queryVersion(version);
    // What the question shows is what is sent, or the transfer fails.
    TransferRequest request = requestFor(kind, r.file, o);
    if (!save)
        request.source = fileFacts(r.file);
    if (kind == TransferKind::Firmware &&
        !confirmed(o, firmwareQuestion(r.file, request.source, shownDevice(device.identity()),
                                       deviceText(version)) +
                          Cli::tr("\n\nDo not unplug the device or stop this program until the "
                                  "download is done."))) {
        r.status = declined();
        return finished(o, r, device, {});
    }
    const Ran ran = runOnDevice(device, request, o);
    const TransferRecord &record = ran.record;
    tellHistoryProblem(record);
    addRecord(r, record);
    if (!record.ok())
        r.status = transferFailure(kind, r.file, record.outcome);
    else if (ran.signal)
        r.status = stoppedAfterLastBlock(record, ran.signal);
    return finished(o, r, device, save ? savedResult(r.file) : detailsText(record), record.ok());
}

Status runVerify(const Options &o)
{
    DeviceResult r;
    r.file = o.file;
    DeviceController device;
    r.status = checkAndClaim(device, o, o.file);
    if (!r.status.ok())
        return finished(o, r, device, {});
    const Ran ran = runOnDevice(device, requestFor(TransferKind::Verify, o.file, o), o);
    const TransferRecord &record = ran.record;
    addRecord(r, record);
    if (!record.ok())
        r.status = transferFailure(TransferKind::Verify, o.file, record.outcome);
    else if (ran.signal)
        r.status = stoppedAfterLastBlock(record, ran.signal);
    return finished(o, r, device, verifiedResult(o.file, record.outcome.blocks), record.ok());
}

} // namespace tarvenix::cli
