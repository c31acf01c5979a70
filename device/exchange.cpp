#include "device/exchange.h"

#include "device/devicelock.h"

#include <QDebug>
#include <QElapsedTimer>
#include <hidapi.h>

namespace tarvenix {

namespace {

QString withDetail(const QString &cause, const QString &detail)
{
    return detail.isEmpty() ? cause : cause + QStringLiteral(" (") + detail + QLatin1Char(')');
}

} // namespace

ExchangeResult exchange(HidPort &port, const Report &request, Report &reply, int timeoutMs)
{
    ExchangeResult result;
    if (!port.write(request)) {
        result.error = ExchangeError::WriteFailed;
        result.detail = port.errorText();
        return result;
    }
    qDebug("write ok:");
    reply.fill(0);
    QElapsedTimer clock;
    clock.start();
    result.replyLength = port.read(reply, timeoutMs);
    // hidapi returns 0 both for a wait that ran out and for a report of 0 bytes. The
    // wait never ends before its bound, so a 0 that comes sooner is an empty report.
    if (result.replyLength < 0) {
        result.error = ExchangeError::ReadFailed;
        result.detail = port.errorText();
    } else if (result.replyLength == 0)
        result.error = clock.nsecsElapsed() < qint64(timeoutMs) * 1000000
                           ? ExchangeError::EmptyReply
                           : ExchangeError::NoReply;
    else
        qDebug("Read ok: %s", traceBytes(reply).text);
    return result;
}

QString describe(const ExchangeResult &result, int timeoutMs)
{
    switch (result.error) {
    case ExchangeError::WriteFailed:
        return withDetail(QStringLiteral("the device did not accept the request"), result.detail);
    case ExchangeError::ReadFailed:
        return withDetail(QStringLiteral("reading the device's reply failed"), result.detail);
    case ExchangeError::NoReply:
        return QStringLiteral("the device did not answer within %1 %2")
            .arg(timeoutMs / 1000.0)
            .arg(timeoutMs == 1000 ? QStringLiteral("second") : QStringLiteral("seconds"));
    case ExchangeError::EmptyReply:
        return QStringLiteral("the device answered with an empty report (0 bytes) instead of "
                              "its reply");
    case ExchangeError::None:
        break;
    }
    return QString();
}

void drainInput(HidPort &port)
{
    Report discard;
    while (port.read(discard, 0) > 0) {
    }
}

void settleInput(HidPort &port, int quietMs, int boundMs)
{
    Report discard;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < boundMs && port.read(discard, quietMs) > 0)
        qDebug("discarded a late reply: %s", traceBytes(discard).text);
}

VersionState queryVersion(HidPort &port, QString &version)
{
    Report request;
    Report reply{};
    buildVersionQuery(request);
    // A reply queued for an earlier request would be read as this one's.
    drainInput(port);
    const ExchangeResult result = exchange(port, request, reply, kVersionReplyTimeoutMs);
    if (result.error == ExchangeError::WriteFailed)
        return VersionState::NotWritten;
    // A failed or unanswered read leaves the reply zero, so the text is empty.
    if (!result.ok())
        reply.fill(0);
    version = versionText(reply);
    qDebug().noquote() << "Version:" << version;
    if (!result.ok())
        return VersionState::NotRead;
    return versionTextWhole(reply, result.replyLength) ? VersionState::Read : VersionState::Cut;
}

Connection openConnection(char (&path)[kDevicePathSize])
{
    Connection c;
    if (hid_init() == -1) {
        qDebug("hid_init() fail");
        c.result = -1;
        return c;
    }
    qDebug("hid_init ......");
    if (probeSupportedDevices(path) < 0)
        return c;
    qDebug().noquote() << "chHidDevicePath:" << QString::fromLocal8Bit(path);
    c.handle = openPort(path);
    if (!c.handle) {
        qDebug("hid_open handle_loopSendEnterVoiceStatus fail ");
        c.result = -3;
        return c;
    }
    qDebug("hid_open  sendvoicestatus/Simulate ok");
    c.result = 0;
    // A reply to our query would reach another program's transfer as its own.
    const DeviceLock lock(QString::fromLocal8Bit(path));
    if (lock.acquired())
        c.versionState = queryVersion(*c.handle, c.version);
    else
        qDebug("device busy, version query skipped");
    return c;
}

} // namespace tarvenix
