#include "device/exchange.h"

#include "device/discovery.h"
#include "device/trace.h"

#include <QElapsedTimer>
#include <QFile>

namespace tarvenix {

ExchangeResult exchange(HidPort &port, const Report &request, Report &reply, int timeoutMs)
{
    ExchangeResult result;
    if (!port.write(request)) {
        result.failure = {FailureCode::WriteFailed, port.errorText()};
        return result;
    }
    qCDebug(lcTrace, "write ok:");
    reply.fill(0);
    QElapsedTimer clock;
    clock.start();
    result.replyLength = port.read(reply, timeoutMs, ReadPurpose::Reply);
    // hidapi returns 0 both for a wait that ran out and for a report of 0 bytes. The
    // wait never ends before its bound, so a 0 that comes sooner is an empty report.
    if (result.replyLength < 0)
        result.failure = {FailureCode::ReadFailed, port.errorText()};
    else if (result.replyLength == 0 && clock.nsecsElapsed() < qint64(timeoutMs) * 1000000)
        result.failure = {FailureCode::EmptyReply, {}};
    else if (result.replyLength == 0)
        result.failure = {FailureCode::NoReply, QString::number(timeoutMs)};
    else
        qCDebug(lcTrace, "Read ok: %s", traceBytes(reply).text);
    return result;
}

void drainInput(HidPort &port)
{
    Report discard;
    while (port.read(discard, 0, ReadPurpose::Drain) > 0) {
    }
}

bool deviceGone(HidPort &port, const QString &path)
{
    if (!deviceGone(QFile::encodeName(path).constData()))
        return false;
    port.noteUnplugged();
    return true;
}

void settleInput(HidPort &port, int quietMs, int boundMs)
{
    Report discard;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < boundMs && port.read(discard, quietMs, ReadPurpose::Settle) > 0)
        qCDebug(lcTrace, "discarded a late reply: %s", traceBytes(discard).text);
}

Failure queryVersion(HidPort &port, QString &version)
{
    Report request;
    Report reply{};
    buildVersionQuery(request);
    // A reply queued for an earlier request would be read as this one's.
    drainInput(port);
    const ExchangeResult result = exchange(port, request, reply, kVersionReplyTimeoutMs);
    if (result.failure.code == FailureCode::WriteFailed)
        return result.failure;
    // A failed or unanswered read leaves the reply zero, so the text is empty.
    if (!result.ok())
        reply.fill(0);
    version = versionText(reply);
    qCDebug(lcTrace).noquote() << "Version:" << version;
    if (result.ok() && !versionTextWhole(reply, result.replyLength))
        return {FailureCode::VersionCut, {}};
    return result.failure;
}

} // namespace tarvenix
