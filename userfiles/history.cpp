#include "userfiles/history.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QSet>
#include <QUuid>
#include <algorithm>

namespace tarvenix {

namespace {

QJsonValue orNull(bool known, const QString &text)
{
    return known ? QJsonValue(text) : QJsonValue();
}

// The device as every document describes it, with the version before the transfer; the
// keys "id" and "versionBefore" are those of earlier versions, kept for one release.
QJsonObject deviceJson(const TransferRecord &r)
{
    QJsonObject device = tarvenix::deviceJson(r.device, r.versionBefore);
    device.insert("versionAfter", orNull(r.versionAsked && !r.versionFailure, r.versionAfter));
    device.insert("id", r.device.ids());
    device.insert("versionBefore", r.versionBefore);
    return device;
}

// What failed, where: the code's name and its English detail, so that the line reads the
// same in every language; the phase and the 1-based block when it failed at one.
QJsonValue failureJson(const TransferRecord &r)
{
    if (r.ok())
        return QJsonValue();
    const TransferOutcome &o = r.outcome;
    QJsonObject failure{{"code", failureCodeName(o.failure.code)},
                        {"detail", o.failure.detail},
                        {"phase", phaseKey(r.kind, o.phase)}};
    if (o.failedBlock > 0) {
        failure.insert("block", o.failedBlock);
        failure.insert("blocks", o.blocks);
    }
    return failure;
}

QJsonObject fileJson(const QString &path, const FileFacts &facts)
{
    // The path as it was meant, wherever the history is read later.
    return {{"path", path.isEmpty() ? path : QFileInfo(path).absoluteFilePath()},
            {"size", facts.exists ? QJsonValue(facts.size) : QJsonValue()},
            {"sha256", orNull(facts.exists, facts.sha256)}};
}

// A history that cannot be written is told after the first transfer of a run only. Both
// programs keep their history on one thread.
bool g_told = false;

void append(TransferRecord &record, const QJsonObject &line)
{
    const HistoryLock lock(true);
    QString problem = lock.error();
    if (lock.held() && appendRecordLocked(line, problem))
        return;
    if (!g_told)
        record.historyProblem = problem;
    g_told = true;
}

// A start line without its end: "running" while its process runs.
QJsonObject unfinished(QJsonObject start)
{
    start.insert("result", startedByGoneProcess(start) ? QStringLiteral("interrupted")
                                                       : QStringLiteral("running"));
    return start;
}

} // namespace

TransferRecord::TransferRecord(TransferKind kind, FoundDevice device, QString file)
    : id(QUuid::createUuid().toString(QUuid::WithoutBraces)), time(QDateTime::currentDateTimeUtc()),
      kind(kind), device(std::move(device)), file(std::move(file))
{
    clock_.start();
}

void TransferRecord::finish(const TransferOutcome &end)
{
    outcome = end;
    durationMs = clock_.elapsed();
}

bool TransferRecord::stopped() const
{
    return isStop(outcome.failure.code);
}

void TransferRecord::versionReadAgain(const Failure &failed, const QString &version)
{
    versionAsked = true;
    versionFailure = failed;
    versionAfter = version;
}

QJsonObject TransferRecord::startJson() const
{
    const ProcessStamp process = thisProcess();
    return {{"schema", kSchema},
            {"event", QStringLiteral("start")},
            {"id", id},
            {"time", time.toString(Qt::ISODateWithMs)},
            {"kind", kindName(kind)},
            {"device", deviceJson(*this)},
            {"file", fileJson(file, source)},
            {"backup", orNull(!outcome.backupFile.isEmpty(), outcome.backupFile)},
            {"process", QJsonObject{{"pid", process.pid}, {"instance", process.instance}}}};
}

QJsonObject TransferRecord::toJson() const
{
    return {{"schema", kSchema},
            {"event", QStringLiteral("end")},
            {"id", id},
            {"time", time.toString(Qt::ISODateWithMs)},
            {"kind", kindName(kind)},
            {"device", deviceJson(*this)},
            {"file", fileJson(file, outcome.sent.exists ? outcome.sent : source)},
            {"result", resultName(*this)},
            {"failure", failureJson(*this)},
            {"backup", orNull(outcome.backupTaken(), outcome.backupFile)},
            {"verified", kind == TransferKind::Data ? QJsonValue(verify && ok()) : QJsonValue()},
            {"durationMs", durationMs}};
}

bool startedByGoneProcess(const QJsonObject &start)
{
    const QJsonObject process = start.value("process").toObject();
    return processGone(
        {process.value("pid").toVariant().toLongLong(), process.value("instance").toString()});
}

void noteStartInHistory(TransferRecord &record)
{
    append(record, record.startJson());
}

void keepInHistory(TransferRecord &record)
{
    append(record, record.toJson());
}

// Read from the end, newest first, until enough transfers are found. An end line comes
// after its start, so a start whose end was seen is left out.
QVector<QJsonObject> readHistory(int limit, int *skipped)
{
    const HistoryLock lock(false);
    QVector<QJsonObject> transfers;
    QSet<QString> ended;
    int unreadable = 0;
    HistoryLines lines;
    QByteArray line;
    while ((limit <= 0 || transfers.size() < limit) && lines.previous(line)) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonDocument document = QJsonDocument::fromJson(line);
        if (!document.isObject()) {
            ++unreadable;
            continue;
        }
        const QJsonObject record = document.object();
        const QString event = record.value("event").toString();
        const QString id = record.value("id").toString();
        if (event == QLatin1String("end"))
            ended.insert(id);
        if (event != QLatin1String("start"))
            transfers.append(record);
        else if (!ended.contains(id))
            transfers.append(unfinished(record));
    }
    std::reverse(transfers.begin(), transfers.end());
    if (skipped)
        *skipped = unreadable;
    return transfers;
}

QString resultName(const TransferRecord &record)
{
    if (record.ok())
        return QStringLiteral("ok");
    return record.stopped() ? QStringLiteral("stopped") : QStringLiteral("failed");
}

QString phaseKey(TransferKind kind, TransferKind phase)
{
    if (kind != TransferKind::Data)
        return kindName(kind);
    switch (phase) {
    case TransferKind::Save:
        return QStringLiteral("backup");
    case TransferKind::Verify:
        return QStringLiteral("verify");
    default:
        return QStringLiteral("download");
    }
}

} // namespace tarvenix
