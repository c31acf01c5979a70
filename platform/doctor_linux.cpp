// The checks of a Linux machine: the udev rule, the hidraw node's access rights and the
// report descriptor in sysfs, and logind on the system bus. Nothing here opens the device.

#include "platform/doctor_system.h"

#include "device/events.h"
#include "device/report.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <unistd.h>

namespace tarvenix::doctor {

namespace {

const QString kRuleName = QStringLiteral("70-tarvenix.rules");
// A rule in /etc takes the place of one of the same name in /usr/lib.
const QStringList kRuleFolders{QStringLiteral("/etc/udev/rules.d"),
                               QStringLiteral("/usr/lib/udev/rules.d")};

// logind answers at once; a bus that does not is not waited for long.
constexpr int kBusTimeoutMs = 2000;

// The products of the device table (tools/devicetable writes the rule from them) that the
// rule's lines do not name, as "abcd:2204, abcd:2109".
QString productsLacking(const QString &rule)
{
    static const QRegularExpression ids(QStringLiteral(
        R"re(ATTRS\{idVendor\}=="([0-9A-Fa-f]{4})",\s*ATTRS\{idProduct\}=="([0-9A-Fa-f]{4})")re"));
    QSet<QString> named;
    for (auto it = ids.globalMatch(rule); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        named << (m.captured(1) + QLatin1Char(':') + m.captured(2)).toLower();
    }
    QStringList lacking;
    for (const Product &p : followedProducts()) {
        const QString id = hexId(p.vendorId) + QLatin1Char(':') + hexId(p.productId);
        if (!named.contains(id))
            lacking << id;
    }
    return lacking.join(QStringLiteral(", "));
}

// A report as the exchanges see it: a read returns the report ID first where the device
// numbers its reports; a write always sends one first, 0 where it does not.
struct ReportBytes {
    int in = 0;
    int out = 0;
};

int bytesOf(qint64 bits, bool idByte)
{
    return int(std::min<qint64>((bits + 7) / 8 + (idByte ? 1 : 0), INT_MAX));
}

// The largest input and output report of a report descriptor: the Report Size x Report
// Count of each Input and Output main item, summed per report ID.
ReportBytes reportBytes(const QByteArray &d)
{
    struct Globals {
        qint64 size = 0;
        qint64 count = 0;
        int id = 0;
    };
    // Far above any real report, low enough that no sum overflows.
    constexpr quint32 kLimit = 1u << 24;
    Globals g;
    QVector<Globals> pushed;
    QMap<int, qint64> inBits;
    QMap<int, qint64> outBits;
    for (int i = 0; i < d.size();) {
        const auto prefix = quint8(d[i]);
        if (prefix == 0xFE) { // a long item: its data's size, its tag, its data
            i += 3 + (i + 1 < d.size() ? quint8(d[i + 1]) : 0);
            continue;
        }
        const int n = (prefix & 3) == 3 ? 4 : prefix & 3;
        quint32 value = 0;
        for (int k = 0; k < n && i + 1 + k < d.size(); ++k)
            value |= quint32(quint8(d[i + 1 + k])) << (8 * k);
        i += 1 + n;
        value = std::min(value, kLimit);
        switch (prefix & 0xFC) {
        case 0x74: // Report Size
            g.size = value;
            break;
        case 0x94: // Report Count
            g.count = value;
            break;
        case 0x84: // Report ID
            g.id = int(value);
            break;
        case 0xA4: // Push
            pushed << g;
            break;
        case 0xB4: // Pop
            if (!pushed.isEmpty())
                g = pushed.takeLast();
            break;
        case 0x80: // Input
            inBits[g.id] += g.size * g.count;
            break;
        case 0x90: // Output
            outBits[g.id] += g.size * g.count;
            break;
        default:
            break;
        }
    }
    ReportBytes bytes;
    for (auto it = inBits.cbegin(); it != inBits.cend(); ++it)
        bytes.in = std::max(bytes.in, bytesOf(it.value(), it.key() != 0));
    for (auto it = outBits.cbegin(); it != outBits.cend(); ++it)
        bytes.out = std::max(bytes.out, bytesOf(it.value(), true));
    return bytes;
}

} // namespace

QVector<CheckResult> ruleChecks()
{
    for (const QString &folder : kRuleFolders) {
        QFile rule(folder + QLatin1Char('/') + kRuleName);
        if (!rule.exists())
            continue;
        // One this user cannot read names nothing that can be compared.
        const QString text =
            rule.open(QIODevice::ReadOnly) ? QString::fromUtf8(rule.readAll()) : QString();
        const QString lacking = productsLacking(text);
        return {{Check::UdevRule, true, rule.fileName(), {}, 0, 0},
                {Check::UdevRuleTable, lacking.isEmpty(), rule.fileName(), lacking, 0, 0}};
    }
    return {{Check::UdevRule, false, kRuleFolders.join(QStringLiteral(", ")), {}, 0, 0}};
}

CheckResult nodeAccess(const FoundDevice &device)
{
    const bool ok = ::access(QFile::encodeName(device.path).constData(), R_OK | W_OK) == 0;
    const int error = ok ? 0 : errno;
    return {Check::DeviceAccess, ok, device.path, ok ? QString() : qt_error_string(error), 0, 0};
}

CheckResult reportSizes(const FoundDevice &device)
{
    CheckResult r{Check::ReportSizes, false, device.path, {}, 0, 0};
    QFile descriptor(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor")
                         .arg(QFileInfo(device.path).fileName()));
    if (!descriptor.open(QIODevice::ReadOnly)) {
        r.detail = descriptor.errorString();
        return r;
    }
    const ReportBytes bytes = reportBytes(descriptor.readAll());
    r.reportIn = bytes.in;
    r.reportOut = bytes.out;
    r.ok = bytes.in == kReportSize && bytes.out == kReportSize;
    return r;
}

// Asks what a transfer's inhibitor needs, logind's manager, for a property: it holds nothing.
QVector<CheckResult> keepAwakeChecks()
{
    CheckResult r{Check::Logind, false, {}, {}, 0, 0};
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        r.detail = bus.lastError().message();
        return {r};
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("BlockInhibited");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kBusTimeoutMs);
    r.ok = reply.type() == QDBusMessage::ReplyMessage;
    r.detail = r.ok ? QString() : reply.errorMessage();
    return {r};
}

} // namespace tarvenix::doctor
