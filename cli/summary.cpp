#include "summary.h"

#include "cli/devicelist.h"
#include "cli/deviceset.h"
#include "cli/text.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>

namespace tarvenix::cli {

namespace {

QString resultWord(const Status &s)
{
    if (s.ok())
        return QStringLiteral("ok");
    return s.signal ? QStringLiteral("stopped") : QStringLiteral("failed");
}

int failedCount(const RunSummary &summary)
{
    return int(std::count_if(summary.devices.begin(), summary.devices.end(),
                             [](const DeviceResult &r) { return !r.status.ok(); }));
}

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QJsonObject identity(const FoundDevice &d)
{
    return withDeprecatedKeys({{"device", deviceJson(d)}}, d);
}

void insertIf(QJsonObject &o, bool applies, const char *key, const QJsonValue &value)
{
    if (applies)
        o.insert(QLatin1String(key), value);
}

} // namespace

void addRecord(DeviceResult &r, const TransferRecord &record)
{
    const TransferOutcome &o = record.outcome;
    r.device = record.device;
    r.file = record.file;
    r.backup = o.backupTaken() ? o.backupFile : QString();
    r.versionBefore = record.versionBefore;
    r.versionAfter =
        record.versionAsked && !record.versionFailure ? record.versionAfter : QString();
    r.block = o.failedBlock;
    r.blocks = o.failedBlock > 0 ? o.blocks : 0;
    r.phase = record.ok() ? QString() : phaseKey(record.kind, o.phase);
}

QJsonObject resultJson(const DeviceResult &r)
{
    const bool found = !r.device.path.isEmpty();
    QJsonObject o{
        {"device",
         found ? QJsonValue(deviceJson(r.device, r.version.isNull() ? r.versionBefore : r.version))
               : QJsonValue()},
        {"result", resultWord(r.status)},
        {"exitCode", r.status.exitCode()}};
    insertIf(o, !r.status.ok(), "message", r.status.message);
    insertIf(o, !r.file.isEmpty(), "file", r.file);
    insertIf(o, !r.backup.isEmpty(), "backup", r.backup);
    insertIf(o, !r.versionBefore.isEmpty(), "versionBefore", r.versionBefore);
    insertIf(o, !r.versionAfter.isNull(), "versionAfter", r.versionAfter);
    insertIf(o, r.block > 0, "block", r.block);
    insertIf(o, r.block > 0, "blocks", r.blocks);
    insertIf(o, !r.phase.isEmpty(), "phase", r.phase);
    // Deprecated: the version text is the device's "version".
    insertIf(o, !r.version.isNull(), "version", r.version);
    return o;
}

QString summaryText(const RunSummary &summary)
{
    QStringList lines;
    for (const DeviceResult &r : summary.devices) {
        const QString name = deviceName(r.device);
        if (r.status.ok())
            lines << QStringLiteral("%1: ok: %2").arg(name, r.result);
        else
            lines << QStringLiteral("%1: %2 (exit %3): %4")
                         .arg(name, resultWord(r.status), QString::number(r.status.exitCode()),
                              oneLine(r.status.message));
    }
    for (const FoundDevice &d : summary.notTaken)
        lines << QStringLiteral("%1: not taken: it was plugged in during the run; run the "
                                "command again for it.")
                     .arg(deviceName(d));
    const int failed = failedCount(summary);
    lines << QStringLiteral("%1 devices: %2 succeeded, %3 did not.")
                 .arg(summary.devices.size())
                 .arg(summary.devices.size() - failed)
                 .arg(failed);
    return lines.join(QLatin1Char('\n'));
}

QJsonObject summaryJson(const RunSummary &summary)
{
    QJsonArray devices;
    for (const DeviceResult &r : summary.devices)
        devices.append(withDeprecatedKeys(resultJson(r), r.device));
    QJsonArray later;
    for (const FoundDevice &d : summary.notTaken)
        later.append(identity(d));
    const int failed = failedCount(summary);
    const QJsonObject root{{"devices", devices},
                           {"notTaken", later},
                           {"succeeded", summary.devices.size() - failed},
                           {"failed", failed},
                           {"exitCode", runStatus(summary).exitCode()}};
    return root;
}

Status runStatus(const RunSummary &summary)
{
    const int failed = failedCount(summary);
    if (failed == 0 && !summary.signal)
        return {};
    Status s = fail(Exit::SomeFailed,
                    Cli::tr("%1 of %2 devices did not succeed; the summary names each one "
                            "and what failed.")
                        .arg(failed)
                        .arg(summary.devices.size()));
    s.signal = summary.signal;
    if (s.signal && failed)
        s.message = Cli::tr("Stopped by signal %1; the summary says what each device "
                            "holds now.")
                        .arg(s.signal);
    else if (s.signal)
        s.message = Cli::tr("Every device was done when signal %1 came; the summary says what "
                            "each one did.")
                        .arg(s.signal);
    return s;
}

} // namespace tarvenix::cli
