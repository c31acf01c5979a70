// The transfers that a crash, a kill or a power loss ended before they did: found at the
// next start from their start lines that have no end.

#include "userfiles/history.h"

#include "transfer/savefile.h"
#include "userfiles/backups.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QSet>

namespace tarvenix {

namespace {

// The end line that the transfer's own process could not write: its start, and the backup
// of a data download when it was whole (a backup has its name only once it is).
QJsonObject interruptedEnd(QJsonObject start)
{
    start.remove("process");
    const QString backup = start.value("backup").toString();
    start.insert("event", QStringLiteral("end"));
    start.insert("result", QStringLiteral("interrupted"));
    start.insert("failure", QJsonValue());
    start.insert("backup", QFileInfo(backup).isFile() ? QJsonValue(backup) : QJsonValue());
    start.insert("verified",
                 start.value("kind") == QLatin1String("data") ? QJsonValue(false) : QJsonValue());
    start.insert("durationMs", QJsonValue());
    return start;
}

// The start lines, oldest first, whose end is not in the history and whose process is gone.
QVector<QJsonObject> unfinishedStarts()
{
    QVector<QJsonObject> starts;
    QSet<QString> ended;
    HistoryLines lines;
    QByteArray line;
    while (lines.previous(line)) {
        // Only a start or an end line matters; the others are not parsed.
        if (!line.contains("\"event\":\""))
            continue;
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        const QString id = record.value("id").toString();
        const QString event = record.value("event").toString();
        if (event == QLatin1String("end"))
            ended.insert(id);
        else if (event == QLatin1String("start") && !id.isEmpty() && !ended.contains(id) &&
                 startedByGoneProcess(record))
            starts.prepend(record);
    }
    return starts;
}

} // namespace

QVector<QJsonObject> recoverInterruptedTransfers()
{
    removeStaleTemporaries(backupsFolder());
    // Without the history's folder, nothing was ever started.
    if (!QFileInfo::exists(QFileInfo(historyPath()).path()))
        return {};
    const HistoryLock lock(true);
    if (!lock.held())
        return {};
    QVector<QJsonObject> told;
    for (const QJsonObject &start : unfinishedStarts()) {
        const QJsonObject end = interruptedEnd(start);
        QString problem;
        // Told once only: what could not be recorded would be told again at every start.
        if (!appendRecordLocked(end, problem))
            break;
        if (end.value("kind") == QLatin1String("save"))
            removeStaleTemporaries(
                QFileInfo(end.value("file").toObject().value("path").toString()).path());
        told.append(end);
    }
    return told;
}

} // namespace tarvenix
