#include "device/exchange.h"

#include "device/discovery.h"
#include "device/trace.h"

#include <QElapsedTimer>
#include <QFile>

namespace tarvenix {

ExchangeResult exchange(HidPort &port, const Report &request, Report &reply, int timeoutMs,
                        const StopRequest *stop)
{
    ExchangeResult result;
    QElapsedTimer clock;
    clock.start();
    if (!port.write(request)) {
        result.failure = {FailureCode::WriteFailed, port.errorText()};
        return result;
    }
    qCDebug(lcTrace, "write ok:");
    reply.fill(0);
    const qint64 readStart = clock.nsecsElapsed();
    result.replyLength = port.read(reply, timeoutMs, ReadPurpose::Reply, stop);
    const qint64 waitedNs = clock.nsecsElapsed() - readStart;
    result.roundTripUs = clock.nsecsElapsed() / 1000;
    // hidapi returns 0 both for a wait that ran out and for a report of 0 bytes. The
    // wait never ends before its bound unless a stop cut it, so a 0 that comes sooner is
    // an empty report.
    if (result.replyLength < 0)
        result.failure = {FailureCode::ReadFailed, port.errorText()};
    else if (result.replyLength == 0 && stop && stop->requested())
        result.failure = stop->failure();
    else if (result.replyLength == 0 && waitedNs < qint64(timeoutMs) * 1000000)
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
    while (port.read(discard, 0, ReadPurpose::Drain, nullptr) > 0) {
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
    while (clock.elapsed() < boundMs &&
           port.read(discard, quietMs, ReadPurpose::Settle, nullptr) > 0)
        qCDebug(lcTrace, "discarded a late reply: %s", traceBytes(discard).text);
}

namespace {

// A reply to an earlier request that came after the drain was read as ours: ours follows it
// within a round trip, and one round trip needs no more than the shortest grace.
bool staleReply(HidPort &port)
{
    Report stray;
    if (port.read(stray, kStrayGraceMinMs, ReadPurpose::Grace, nullptr) <= 0)
        return false;
    qCDebug(lcTrace, "report after the version reply: the reply answered an earlier request: %s",
            traceBytes(stray).text);
    return true;
}

} // namespace

Failure queryVersion(HidPort &port, QString &version, const StopRequest *stop)
{
    Report request;
    Report reply{};
    buildVersionQuery(request);
    // A reply queued for an earlier request would be read as this one's.
    drainInput(port);
    const ExchangeResult result = exchange(port, request, reply, kVersionReplyTimeoutMs, stop);
    if (result.failure.code == FailureCode::WriteFailed)
        return result.failure;
    Failure failure = result.failure;
    if (result.ok() && staleReply(port))
        failure = {FailureCode::OutOfStep, {}};
    // A failed, unanswered or stale read leaves the reply zero, so the text is empty.
    if (failure)
        reply.fill(0);
    version = versionText(reply);
    qCDebug(lcTrace).noquote() << "Version:" << version;
    if (!failure && !versionTextWhole(reply, result.replyLength))
        return {FailureCode::VersionCut, {}};
    return failure;
}

} // namespace tarvenix
