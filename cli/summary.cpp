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

QJsonObject identity(const FoundDevice &d, const QString &version = QString())
{
    return withDeprecatedKeys({{"device", deviceJson(d, version)}}, d);
}

QJsonObject resultJson(const DeviceResult &r)
{
    QJsonObject o = identity(r.device, r.version);
    o.insert("result", resultWord(r.status));
    o.insert("exitCode", r.status.exitCode());
    if (!r.status.ok())
        o.insert("message", r.status.message);
    if (r.block > 0) {
        o.insert("block", r.block);
        o.insert("blocks", r.blocks);
    }
    if (!r.file.isEmpty())
        o.insert("file", r.file);
    if (!r.backup.isEmpty())
        o.insert("backup", r.backup);
    if (!r.version.isNull())
        o.insert("version", r.version);
    return o;
}

} // namespace

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

QString summaryJson(const RunSummary &summary, const Status &status)
{
    QJsonArray devices;
    for (const DeviceResult &r : summary.devices)
        devices.append(resultJson(r));
    QJsonArray later;
    for (const FoundDevice &d : summary.notTaken)
        later.append(identity(d));
    const int failed = failedCount(summary);
    const QJsonObject root{{"devices", devices},
                           {"notTaken", later},
                           {"succeeded", summary.devices.size() - failed},
                           {"failed", failed},
                           {"exitCode", status.exitCode()}};
    return jsonText(root);
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
