#include "platform/doctor.h"

#include "platform/doctor_system.h"
#include "userfiles/backups.h"
#include "userfiles/history.h"
#include "userfiles/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <functional>
#include <hidapi.h>

namespace tarvenix {

namespace {

using Step = std::function<QVector<CheckResult>()>;

CheckResult present(const QVector<FoundDevice> &devices)
{
    return {Check::DevicePresent, !devices.isEmpty(), QString::number(devices.size()), {}, 0, 0};
}

// A library older than the one built against may lack what the program calls.
CheckResult hidLibrary()
{
    const hid_api_version *v = hid_version();
    const bool ok = v->major > HID_API_VERSION_MAJOR ||
                    (v->major == HID_API_VERSION_MAJOR && v->minor >= HID_API_VERSION_MINOR);
    return {Check::HidLibrary,
            ok,
            QString::fromUtf8(hid_version_str()),
            QStringLiteral(HID_API_VERSION_STR),
            0,
            0};
}

// Writable when a file can be made in it, or, while it does not exist yet, in the nearest
// folder above it that does: the programs make it when they first write.
CheckResult folder(Check check, const QString &path)
{
    QString existing = path;
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    QTemporaryFile probe(existing + QStringLiteral("/.tarvenix-check-XXXXXX"));
    const bool ok = QFileInfo(existing).isDir() && probe.open();
    return {check, ok, QDir::toNativeSeparators(path), ok ? QString() : probe.errorString(), 0, 0};
}

QVector<CheckResult> folderChecks()
{
    QVector<CheckResult> results{folder(Check::HistoryFolder, QFileInfo(historyPath()).path()),
                                 folder(Check::BackupsFolder, backupsFolder())};
#ifndef Q_OS_WIN
    // Windows keeps the settings in the registry.
    results << folder(Check::SettingsFolder, QFileInfo(settingsFile()).path());
#endif
    return results;
}

// The checks in their order, a device's once for each device present.
QVector<Step> checkSteps(const QVector<FoundDevice> &devices)
{
    QVector<Step> steps{doctor::ruleChecks, [devices] { return QVector{present(devices)}; }};
    for (const FoundDevice &d : devices)
        steps << [d] { return QVector{doctor::nodeAccess(d), doctor::reportSizes(d)}; };
    steps << doctor::keepAwakeChecks << [] { return QVector{hidLibrary()}; } << folderChecks;
    return steps;
}

} // namespace

QString checkKey(Check check)
{
    switch (check) {
    case Check::UdevRule:
        return QStringLiteral("udev-rule");
    case Check::UdevRuleTable:
        return QStringLiteral("udev-rule-table");
    case Check::DevicePresent:
        return QStringLiteral("device-present");
    case Check::DeviceAccess:
        return QStringLiteral("device-access");
    case Check::ReportSizes:
        return QStringLiteral("report-sizes");
    case Check::Logind:
        return QStringLiteral("logind");
    case Check::HidLibrary:
        return QStringLiteral("hidapi");
    case Check::HistoryFolder:
        return QStringLiteral("history-folder");
    case Check::BackupsFolder:
        return QStringLiteral("backups-folder");
    case Check::SettingsFolder:
        break;
    }
    return QStringLiteral("settings-folder");
}

bool DoctorReport::ok() const
{
    return std::all_of(checks.begin(), checks.end(), [](const CheckResult &r) { return r.ok; });
}

DoctorReport runChecks()
{
    DoctorReport report;
    report.devices = findSupportedDevices();
    for (const Step &step : checkSteps(report.devices))
        report.checks << step();
    return report;
}

std::optional<CheckResult> firstFailingCheck()
{
    for (const Step &step : checkSteps(findSupportedDevices())) {
        for (const CheckResult &r : step()) {
            if (!r.ok)
                return r;
        }
    }
    return std::nullopt;
}

} // namespace tarvenix
