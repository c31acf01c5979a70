// The doctor command: what a real device needs of this machine, one line per check with what
// to do when it fails, for a user to fix it or to attach to a bug report.

#include "words/doctor.h"
#include "cli/commands.h"
#include "cli/devicelist.h"
#include "cli/quoting.h"
#include "cli/text.h"

#include <QJsonArray>
#include <algorithm>

namespace tarvenix::cli {

namespace {

QJsonObject checkJson(const CheckResult &r)
{
    QJsonObject o{{"check", checkKey(r.check)},
                  {"ok", r.ok},
                  {"detail", checkLine(r, Tongue::English)},
                  {"advice", r.ok ? QJsonValue() : QJsonValue(checkAdvice(r, Tongue::English))}};
    if (r.check == Check::DeviceAccess || r.check == Check::ReportSizes)
        o.insert("path", r.subject);
    return o;
}

QJsonObject reportJson(const DoctorReport &report)
{
    QJsonArray checks;
    for (const CheckResult &r : report.checks)
        checks.append(checkJson(r));
    QJsonArray devices;
    for (const FoundDevice &d : report.devices)
        devices.append(QJsonObject{{"device", deviceJson(d)}});
    return {{"checks", checks}, {"devices", devices}};
}

// One line per check, marked for grep as the summary of several devices marks its lines,
// then the devices as list shows them.
QString reportText(const DoctorReport &report)
{
    QStringList lines;
    for (const CheckResult &r : report.checks)
        lines << deviceText((r.ok ? QStringLiteral("ok    ") : QStringLiteral("FAIL  ")) +
                            checkSentence(r));
    if (!report.devices.isEmpty())
        lines << QString() << listText(report.devices);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

Status runDoctor(const Options &o)
{
    const DoctorReport report = runChecks();
    printMessage(checksPrivacyNote());
    if (o.json)
        printDocument(reportJson(report));
    else
        printResult(reportText(report));
    if (report.ok())
        return {};
    const auto failed = std::count_if(report.checks.begin(), report.checks.end(),
                                      [](const CheckResult &r) { return !r.ok; });
    return fail(Exit::ChecksFailed, Cli::tr("%1 of %2 checks failed; each failed line says what "
                                            "to do.")
                                        .arg(failed)
                                        .arg(report.checks.size()));
}

} // namespace tarvenix::cli
