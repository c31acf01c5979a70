// The backups and history commands: what the data downloads kept, and what was done; and
// the transfers that a crash ended, told at the start of a command on a device.

#include "cli/commands.h"

#include "userfiles/backups.h"
#include "userfiles/history.h"
#include "words/results.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace tarvenix::cli {

namespace {

QJsonObject backupsJson(const QVector<Backup> &backups)
{
    QJsonArray array;
    for (const Backup &b : backups)
        array.append(QJsonObject{{"path", b.path},
                                 {"device", deviceJson(b.device)},
                                 {"deviceKey", b.key},
                                 {"time", b.time.toString(Qt::ISODateWithMs)},
                                 {"size", b.size}});
    return {{"folder", backupsFolder()}, {"backups", array}};
}

} // namespace

Status runBackups(const Options &o)
{
    const QVector<Backup> backups = listBackups();
    if (o.json) {
        printDocument(backupsJson(backups));
    } else if (backups.isEmpty()) {
        printResult(
            QStringLiteral("No backups in %1.").arg(QDir::toNativeSeparators(backupsFolder())));
    } else {
        for (const Backup &b : backups)
            printResult(
                QStringLiteral("%1  %2  %3")
                    .arg(b.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
                         b.key, QDir::toNativeSeparators(b.path)));
    }
    return {};
}

void tellInterruptedTransfers()
{
    for (const QJsonObject &end : recoverInterruptedTransfers())
        printMessage(interruptedMessage(end));
}

Status runHistory(const Options &o)
{
    int skipped = 0;
    const QVector<QJsonObject> entries = readHistory(o.limit, &skipped);
    if (skipped > 0)
        printMessage(historySkippedNote(skipped));
    if (o.json) {
        QJsonArray array;
        for (const QJsonObject &entry : entries)
            array.append(entry);
        printDocument({{"history", historyPath()}, {"transfers", array}});
    } else if (entries.isEmpty()) {
        printResult(
            QStringLiteral("No transfers in %1.").arg(QDir::toNativeSeparators(historyPath())));
    } else {
        for (const QJsonObject &entry : entries) {
            QStringList columns = historyColumns(entry);
            columns.removeAll(QString());
            printResult(printable(columns.join(QStringLiteral("  "))));
        }
    }
    return {};
}

} // namespace tarvenix::cli
