#include "userfiles/history.h"

#include "userfiles/backups.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>

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

QJsonObject fileJson(const QString &path)
{
    const FileFacts facts = fileFacts(path);
    // The path as it was meant, wherever the history is read later.
    return {{"path", path.isEmpty() ? path : QFileInfo(path).absoluteFilePath()},
            {"size", facts.exists ? QJsonValue(facts.size) : QJsonValue()},
            {"sha256", orNull(facts.exists, facts.sha256)}};
}

// A history that cannot be written is told after the first transfer of a run only. Both
// programs keep their history on one thread.
bool g_told = false;

} // namespace

TransferRecord::TransferRecord(TransferKind kind, FoundDevice device, QString file)
    : time(QDateTime::currentDateTimeUtc()), kind(kind), device(std::move(device)),
      file(std::move(file))
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
    const FailureCode code = outcome.failure.code;
    return code == FailureCode::Stopped || code == FailureCode::StoppedBySignal;
}

void TransferRecord::versionReadAgain(const Failure &failed, const QString &version)
{
    versionAsked = true;
    versionFailure = failed;
    versionAfter = version;
}

QJsonObject TransferRecord::toJson() const
{
    return {{"schema", kSchema},
            {"time", time.toString(Qt::ISODateWithMs)},
            {"kind", kindName(kind)},
            {"device", deviceJson(*this)},
            {"file", fileJson(file)},
            {"result", resultName(*this)},
            {"failure", failureJson(*this)},
            {"backup", orNull(outcome.backupTaken(), outcome.backupFile)},
            {"verified", kind == TransferKind::Data ? QJsonValue(verify && ok()) : QJsonValue()},
            {"durationMs", durationMs}};
}

QString historyPath()
{
#ifdef Q_OS_WIN
    const QString folder = dataFolder();
#else
    // Qt 5 has no standard location for a program's state.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder = state + QStringLiteral("/tarvenix");
#endif
    return folder + QStringLiteral("/history.jsonl");
}

void keepInHistory(TransferRecord &record)
{
    const QString path = historyPath();
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    const QByteArray line = QJsonDocument(record.toJson()).toJson(QJsonDocument::Compact) + '\n';
    // One write of the whole line, appended, so that lines of two programs never mix.
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) &&
        file.write(line) == line.size())
        return;
    if (!g_told)
        record.historyProblem = file.errorString();
    g_told = true;
}

QVector<QJsonObject> readHistory(int limit)
{
    QFile file(historyPath());
    QVector<QJsonObject> entries;
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    while (!file.atEnd()) {
        const QJsonDocument line = QJsonDocument::fromJson(file.readLine());
        if (line.isObject())
            entries.append(line.object());
    }
    if (limit > 0 && entries.size() > limit)
        entries.remove(0, entries.size() - limit);
    return entries;
}

FileFacts fileFacts(const QString &path)
{
    FileFacts facts;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return facts;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    facts.exists = hash.addData(&file);
    facts.size = file.size();
    facts.sha256 = QString::fromLatin1(hash.result().toHex());
    return facts;
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
