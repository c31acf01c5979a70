#include "words/doctor.h"

#include "device/report.h"

namespace tarvenix {

namespace {

QString t(Tongue tongue, const char *text)
{
    return say(tongue, text);
}

QString ruleFinding(const CheckResult &r, Tongue tongue)
{
    if (r.check == Check::UdevRule)
        return r.ok ? t(tongue, QT_TRANSLATE_NOOP("Messages", "installed as %1")).arg(r.subject)
                    : t(tongue, QT_TRANSLATE_NOOP("Messages", "70-tarvenix.rules is not "
                                                              "installed (looked in %1)"))
                          .arg(r.subject);
    return r.ok ? t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 names every supported device"))
                      .arg(r.subject)
                : t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 does not name %2, which this "
                                                          "version supports"))
                      .arg(r.subject, r.detail);
}

QString deviceFinding(const CheckResult &r, Tongue tongue)
{
    switch (r.check) {
    case Check::DevicePresent:
        return r.ok ? t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 present")).arg(r.subject)
                    : t(tongue, QT_TRANSLATE_NOOP("Messages", "none present"));
    case Check::DeviceAccess:
        return r.ok ? t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 can be read and written"))
                          .arg(r.subject)
                    : t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 cannot be read and written "
                                                              "(%2)"))
                          .arg(r.subject, r.detail);
    default:
        break;
    }
    if (!r.detail.isEmpty())
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "the report descriptor of %1 cannot be "
                                                       "read (%2)"))
            .arg(r.subject, r.detail);
    const QString sizes =
        t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 has reports of %2 bytes in and %3 out"))
            .arg(r.subject)
            .arg(r.reportIn)
            .arg(r.reportOut);
    return r.ok ? sizes
                : t(tongue, QT_TRANSLATE_NOOP("Messages", "%1, but the exchanges need %2 each"))
                      .arg(sizes)
                      .arg(kReportSize);
}

QString systemFinding(const CheckResult &r, Tongue tongue)
{
    switch (r.check) {
    case Check::Logind:
        return r.ok ? t(tongue, QT_TRANSLATE_NOOP("Messages", "logind answers on the system bus"))
                    : t(tongue, QT_TRANSLATE_NOOP("Messages", "logind does not answer on the "
                                                              "system bus (%1)"))
                          .arg(r.detail);
    case Check::HidLibrary:
        return r.ok ? QStringLiteral("hidapi %1").arg(r.subject)
                    : t(tongue, QT_TRANSLATE_NOOP("Messages", "hidapi %1 is older than %2, "
                                                              "which this program was built "
                                                              "with"))
                          .arg(r.subject, r.detail);
    default:
        return r.ok ? t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 is writable")).arg(r.subject)
                    : t(tongue, QT_TRANSLATE_NOOP("Messages", "%1 is not writable (%2)"))
                          .arg(r.subject, r.detail);
    }
}

const char kInstallRule[] = QT_TRANSLATE_NOOP(
    "Messages",
    "Install it from the build folder: sudo cp build/70-tarvenix.rules /etc/udev/rules.d/ "
    "&& sudo udevadm control --reload-rules && sudo udevadm trigger (the Debian package "
    "installs it itself), then plug the device in again.");

} // namespace

QString checkName(Check check, Tongue tongue)
{
    switch (check) {
    case Check::UdevRule:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "udev rule"));
    case Check::UdevRuleTable:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "udev rule and device table"));
    case Check::DevicePresent:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "supported devices"));
    case Check::DeviceAccess:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "device access"));
    case Check::ReportSizes:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "report sizes"));
    case Check::Logind:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "sleep inhibitor"));
    case Check::HidLibrary:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "HID library"));
    case Check::HistoryFolder:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "history folder"));
    case Check::BackupsFolder:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "backups folder"));
    case Check::SettingsFolder:
        break;
    }
    return t(tongue, QT_TRANSLATE_NOOP("Messages", "settings folder"));
}

QString checkFinding(const CheckResult &result, Tongue tongue)
{
    switch (result.check) {
    case Check::UdevRule:
    case Check::UdevRuleTable:
        return ruleFinding(result, tongue);
    case Check::DevicePresent:
    case Check::DeviceAccess:
    case Check::ReportSizes:
        return deviceFinding(result, tongue);
    default:
        return systemFinding(result, tongue);
    }
}

QString checkAdvice(const CheckResult &result, Tongue tongue)
{
    if (result.ok)
        return QString();
    switch (result.check) {
    case Check::UdevRule:
        return t(tongue, kInstallRule);
    case Check::UdevRuleTable:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "The rule comes from another version of "
                                                       "this program. ")) +
               t(tongue, kInstallRule);
    case Check::DevicePresent:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "Plug the pressure mouse in, or check "
                                                       "its cable."));
    case Check::DeviceAccess:
#ifdef Q_OS_WIN
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "Close any other program that uses the "
                                                       "device, then plug it in again."));
#else
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "Install the udev rule 70-tarvenix.rules, "
                                                       "then plug the device in again: it gives "
                                                       "access to the user at the seat, not to "
                                                       "a remote login."));
#endif
    case Check::ReportSizes:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "This may be a model or firmware that this "
                                                       "version does not support: attach this "
                                                       "output to a bug report."));
    case Check::Logind:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "Transfers still run, but nothing keeps "
                                                       "the machine from sleeping during one: "
                                                       "keep it awake while a transfer runs."));
    case Check::HidLibrary:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "Install hidapi %1 or newer (Debian: "
                                                       "libhidapi-hidraw0)."))
            .arg(result.detail);
    default:
        return t(tongue, QT_TRANSLATE_NOOP("Messages", "Make it writable for this user (check "
                                                       "its owner, its permissions and the free "
                                                       "space)."));
    }
}

QString checkLine(const CheckResult &result, Tongue tongue)
{
    return t(tongue, QT_TRANSLATE_NOOP("Messages", "%1: %2."))
        .arg(checkName(result.check, tongue), checkFinding(result, tongue));
}

QString checkSentence(const CheckResult &result, Tongue tongue)
{
    const QString line = checkLine(result, tongue);
    const QString advice = checkAdvice(result, tongue);
    return advice.isEmpty() ? line : line + QLatin1Char(' ') + advice;
}

QString firstFailingCheckText()
{
    const std::optional<CheckResult> failing = firstFailingCheck();
    return failing ? checkSentence(*failing) : QString();
}

QString checksPrivacyNote()
{
    return Messages::tr("These checks name your devices' paths and serial numbers and your "
                        "folders: read them before you share them.");
}

} // namespace tarvenix
