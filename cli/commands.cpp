#include "commands.h"

#include "cli/devicelist.h"
#include "cli/link.h"
#include "cli/progress.h"
#include "cli/recording.h"
#include "cli/stopsignals.h"
#include "cli/text.h"
#include "workers/blockloop.h"
#include "workers/messages.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tarvenix::cli {

TransferKind kindOf(Command c)
{
    if (c == Command::Firmware)
        return TransferKind::Firmware;
    return c == Command::Save ? TransferKind::Save : TransferKind::Data;
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
    if (const Failure existing = existingTarget(target); existing && !force)
        return fail(existing, refusalMessage(existing, target) +
                                  Cli::tr(" Add --force to replace it, or choose another name."));
    if (const Failure refusal = checkSaveTarget(target))
        return fail(refusal, refusalMessage(refusal, target));
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
    if (failure.code == FailureCode::Mismatch)
        text += Cli::tr("\nDownload the file again with \"tarvenix-cli data --verify "
                        "FILE\".");
    return fail(failure, text);
}

namespace {

Status transfer(TransferKind kind, const DeviceController &device, const QString &file, int blocks,
                const Options &o)
{
    Progress progress(Progress::styleFor(o.quiet, o.trace), transferName(kind), blocks);
    StopRequest stop;
    StopOnSignals stopSignals(stop);
    BlockLoop loop = device.loop(kind, file);
    loop.setReplaceExisting(o.force);
    loop.setStopRequest(&stop);
    loop.setBlockHandler([&](int done, int) {
        progress.advance(done);
        stopSignals.poll();
    });
    loop.setStepHandler([&progress](int, int block) {
        if (block < 0)
            progress.finish();
    });
    const TransferOutcome outcome = loop.run();
    if (outcome.ok())
        return {};
    progress.abandon();
    return transferFailure(kind, file, outcome);
}

} // namespace

Status versionFailure(const Failure &failure, const DeviceController &device)
{
    if (failure.code == FailureCode::VersionCut)
        return fail(failure, Cli::tr("The device's version reply ended inside the "
                                     "version text, so the text may be incomplete. "
                                     "Please check the device and its cable, then try "
                                     "again."));
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
        printResult(listJson(devices));
    else if (!devices.isEmpty())
        printResult(listText(devices));
    if (devices.isEmpty())
        return noDevice();
    return {};
}

Status runVersion(const Options &o)
{
    DeviceController device;
    if (Status s = claim(device, o.device); !s.ok())
        return s;
    QString version;
    if (Status failed = versionFailure(device.queryVersion(version), device); !failed.ok())
        return failed;
    if (o.json)
        printResult(QString::fromUtf8(
            QJsonDocument(
                QJsonObject{{"path", device.path()}, {"row", device.row()}, {"version", version}})
                .toJson(QJsonDocument::Indented)
                .trimmed()));
    else
        printResult(printable(version));
    return {};
}

Status runTransfer(const Options &o)
{
    const TransferKind kind = kindOf(o.command);
    const bool save = kind == TransferKind::Save;
    const QString file = save ? saveFileName(o.file) : o.file;
    int blocks = kDataAreaBlocks;
    Status s = save ? checkTarget(o.file, file, o.force) : checkSource(kind, file, &blocks);
    DeviceController device;
    if (s.ok())
        s = claim(device, o.device);
    if (s.ok())
        s = transfer(kind, device, file, blocks, o);
    if (s.ok() && o.verify)
        s = transfer(TransferKind::Verify, device, file, blocks, o);
    if (s.ok() && save)
        printResult(QStringLiteral("saved to %1").arg(file));
    return s;
}

Status runVerify(const Options &o)
{
    int blocks = 0;
    Status s = checkSource(TransferKind::Verify, o.file, &blocks);
    DeviceController device;
    if (s.ok())
        s = claim(device, o.device);
    if (s.ok())
        s = transfer(TransferKind::Verify, device, o.file, blocks, o);
    if (s.ok())
        printResult(QStringLiteral("verified: the device's data area matches \"%1\" (%2 blocks)")
                        .arg(o.file, QString::number(blocks)));
    return s;
}

} // namespace tarvenix::cli
