// The backups and history commands: what the data downloads kept, and what was done; and
// the transfers that a crash ended, told at the start of a command on a device.

#include "cli/commands.h"
#include "cli/quoting.h"

#include "userfiles/backups.h"
#include "userfiles/history.h"
#include "words/results.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace tarvenix::cli {

namespace {

// Of historyColumns: the file, and the last, which after a success is the backup taken.
constexpr int kFileColumn = 3;
constexpr int kBackupOrFailureColumn = 5;

// The file's column (and the backup's) is a file's name; the others hold the device's
// strings and the failure's words.
QString historyLine(const QJsonObject &entry)
{
    const QStringList columns = historyColumns(entry);
    const bool backup = entry.value("result").toString() == QLatin1String("ok");
    QStringList shown;
    for (int i = 0; i < columns.size(); ++i) {
        const bool fileName = i == kFileColumn || (i == kBackupOrFailureColumn && backup);
        if (!columns[i].isEmpty())
            shown << (fileName ? fileNameText(columns[i]) : deviceText(columns[i]));
    }
    return shown.join(QStringLiteral("  "));
}

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
                         b.key, fileNameText(QDir::toNativeSeparators(b.path))));
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
        for (const QJsonObject &entry : entries)
            printResult(historyLine(entry));
    }
    return {};
}

} // namespace tarvenix::cli
