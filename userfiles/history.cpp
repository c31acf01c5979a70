#include "userfiles/history.h"

#include "userfiles/backups.h"
#include "words/messages.h"

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

QJsonObject deviceJson(const TransferRecord &r)
{
    return {{"id", r.device.ids()},
            {"serial", r.device.serial},
            {"path", r.device.path},
            {"versionBefore", r.versionBefore},
            {"versionAfter", orNull(r.versionAsked && !r.versionFailure, r.versionAfter)}};
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
    if (!end.ok())
        failure = transferFailureMessage(kind, file, end);
}

void TransferRecord::versionReadAgain(const Failure &failed, const QString &version)
{
    versionAsked = true;
    versionFailure = failed;
    versionAfter = version;
}

QJsonObject TransferRecord::toJson() const
{
    return {{"time", time.toString(Qt::ISODateWithMs)},
            {"kind", historyKind(kind)},
            {"device", deviceJson(*this)},
            {"file", fileJson(file)},
            {"result", ok() ? QStringLiteral("ok") : QStringLiteral("failed")},
            {"failure", orNull(!ok(), failure)},
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
        record.historyProblem = historyUnwritableMessage(path, file.errorString());
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

QStringList historyColumns(const QJsonObject &e)
{
    const auto member = [&](const char *group, const char *key) {
        return e.value(QLatin1String(group)).toObject().value(QLatin1String(key)).toString();
    };
    const QDateTime time = QDateTime::fromString(e.value("time").toString(), Qt::ISODateWithMs);
    const bool ok = e.value("result").toString() == QLatin1String("ok");
    return {time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            e.value("kind").toString(),
            e.value("result").toString(),
            member("file", "path"),
            (member("device", "id") + QLatin1Char(' ') + member("device", "serial")).trimmed(),
            ok ? e.value("backup").toString()
               : e.value("failure").toString().section(QLatin1Char('\n'), 0, 0)};
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

QString historyKind(TransferKind kind)
{
    switch (kind) {
    case TransferKind::Firmware:
        return QStringLiteral("firmware");
    case TransferKind::Data:
        return QStringLiteral("data");
    case TransferKind::Save:
        return QStringLiteral("save");
    case TransferKind::Verify:
        break;
    }
    return QStringLiteral("verify");
}

} // namespace tarvenix
