#include "words/results.h"

#include "words/failures.h"

#include <QJsonObject>

namespace tarvenix {

namespace {

const char *transferSource(TransferKind kind)
{
    switch (kind) {
    case TransferKind::Firmware:
        return QT_TRANSLATE_NOOP("Messages", "Download firmware");
    case TransferKind::Data:
        return QT_TRANSLATE_NOOP("Messages", "Download data");
    case TransferKind::Save:
        return QT_TRANSLATE_NOOP("Messages", "Save data");
    case TransferKind::Verify:
        break;
    }
    return QT_TRANSLATE_NOOP("Messages", "Verify");
}

const char kBackupKept[] =
    QT_TRANSLATE_NOOP("Messages", "The data area as it was before the download is kept in "
                                  "\"%1\"; to restore it, download that file.");

QString versionChange(const TransferRecord &r, Tongue tongue)
{
    if (r.versionFailure)
        return say(tongue,
                   QT_TRANSLATE_NOOP("Messages", "The version could not be read again after the "
                                                 "download: %1. The device may be restarting; its "
                                                 "version is shown again once it is back."))
            .arg(failureCause(r.versionFailure, QString()));
    if (r.versionAfter == r.versionBefore)
        return say(tongue, QT_TRANSLATE_NOOP("Messages", "The version text is unchanged: \"%1\". "
                                                         "A device may keep its text after a "
                                                         "download."))
            .arg(r.versionBefore);
    return say(tongue,
               QT_TRANSLATE_NOOP("Messages", "Version before: \"%1\"\nVersion after: \"%2\""))
        .arg(r.versionBefore, r.versionAfter);
}

QString dataNotes(const TransferRecord &r, Tongue tongue)
{
    const QString backup =
        r.outcome.backupTaken()
            ? backupKeptNote(r.outcome.backupFile, tongue)
            : say(tongue,
                  QT_TRANSLATE_NOOP("Messages", "No backup was taken: backups are turned off."));
    const QString verify =
        r.verify ? say(tongue, QT_TRANSLATE_NOOP("Messages", "The data area was read back and "
                                                             "matches the file."))
                 : say(tongue, QT_TRANSLATE_NOOP("Messages", "The data area was not read back: "
                                                             "verifying is turned off."));
    return verify + QLatin1Char('\n') + backup;
}

// The history's words for a transfer and its result, as both lists show them.
const char *const kHistoryWords[] = {
    QT_TRANSLATE_NOOP("Messages", "firmware"),    QT_TRANSLATE_NOOP("Messages", "data"),
    QT_TRANSLATE_NOOP("Messages", "save"),        QT_TRANSLATE_NOOP("Messages", "ok"),
    QT_TRANSLATE_NOOP("Messages", "failed"),      QT_TRANSLATE_NOOP("Messages", "stopped"),
    QT_TRANSLATE_NOOP("Messages", "interrupted"), QT_TRANSLATE_NOOP("Messages", "running"),
};

QString historyWord(const QString &word)
{
    for (const char *known : kHistoryWords) {
        if (word == QLatin1String(known))
            return Messages::tr(known);
    }
    return word;
}

// What failed, from a record's code and detail; a record of an earlier version says it in
// the words it was written with.
QString failureWords(const QJsonObject &e)
{
    const QJsonValue failure = e.value("failure");
    if (!failure.isObject())
        return failure.toString().section(QLatin1Char('\n'), 0, 0);
    const QJsonObject f = failure.toObject();
    const QString cause =
        failureCause({failureCodeNamed(f.value("code").toString()), f.value("detail").toString()},
                     e.value("file").toObject().value("path").toString());
    if (!f.contains("block"))
        return cause;
    return Messages::tr("block %1 of %2: %3")
        .arg(f.value("block").toInt())
        .arg(f.value("blocks").toInt())
        .arg(cause);
}

// The backup a successful transfer took, or what went wrong.
QString outcomeWords(const QJsonObject &e)
{
    const QString result = e.value("result").toString();
    if (result == QLatin1String("ok"))
        return e.value("backup").toString();
    if (result == QLatin1String("interrupted"))
        return Messages::tr("the program ended during the transfer");
    return failureWords(e);
}

// When the transfer started, in the user's time zone.
QString localTime(const QJsonObject &e)
{
    return QDateTime::fromString(e.value("time").toString(), Qt::ISODateWithMs)
        .toLocalTime()
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

TransferKind kindNamed(const QString &name)
{
    for (TransferKind kind : {TransferKind::Firmware, TransferKind::Data, TransferKind::Save}) {
        if (kindName(kind) == name)
            return kind;
    }
    return TransferKind::Verify;
}

// "1abe:2202 EMU0001"; earlier versions kept vendor and product as "id".
QString deviceWords(const QJsonObject &d)
{
    const QString ids = d.contains("vendorId") ? d.value("vendorId").toString() + QLatin1Char(':') +
                                                     d.value("productId").toString()
                                               : d.value("id").toString();
    return (ids + QLatin1Char(' ') + d.value("serial").toString()).trimmed();
}

} // namespace

QString transferName(TransferKind kind, Tongue tongue)
{
    return say(tongue, transferSource(kind));
}

QString phaseName(TransferKind kind, TransferKind phase)
{
    if (kind != TransferKind::Data)
        return transferName(kind);
    switch (phase) {
    case TransferKind::Save:
        return Messages::tr("backup");
    case TransferKind::Verify:
        return Messages::tr("verify");
    default:
        return Messages::tr("download");
    }
}

QString phaseTitle(TransferKind kind, TransferKind phase)
{
    if (phase == kind)
        return transferName(kind);
    return phase == TransferKind::Save ? Messages::tr("Backup") : transferName(phase);
}

QString backupKeptNote(const QString &backupFile, Tongue tongue)
{
    return say(tongue, kBackupKept).arg(backupFile);
}

QString successDetails(const TransferRecord &record, Tongue tongue)
{
    switch (record.kind) {
    case TransferKind::Firmware:
        return record.versionAsked ? versionChange(record, tongue) : QString();
    case TransferKind::Data:
        return dataNotes(record, tongue);
    case TransferKind::Save:
    case TransferKind::Verify:
        break;
    }
    return QString();
}

QStringList historyColumns(const QJsonObject &e)
{
    return {localTime(e),
            historyWord(e.value("kind").toString()),
            historyWord(e.value("result").toString()),
            e.value("file").toObject().value("path").toString(),
            deviceWords(e.value("device").toObject()),
            outcomeWords(e)};
}

QString historySkippedNote(int skipped)
{
    return Messages::tr("Lines of the history that could not be read were left out: %1.")
        .arg(skipped);
}

QString interruptedMessage(const QJsonObject &end)
{
    const QJsonObject file = end.value("file").toObject();
    const QString path = file.value("path").toString();
    const QString what =
        Messages::tr("%1 on %2, started %3, did not end: the program that ran it ended first "
                     "(a crash, a kill or a power loss).")
            .arg(transferName(kindNamed(end.value("kind").toString())),
                 deviceWords(end.value("device").toObject()), localTime(end));
    const QString sha256 = file.value("sha256").toString();
    const QString backup = end.value("backup").toString();
    if (end.value("kind") == QLatin1String("firmware"))
        return what + QLatin1Char('\n') +
               Messages::tr("The device may hold a partial firmware. Run the firmware download "
                            "again with the same file, \"%1\" (SHA-256 %2), before unplugging "
                            "the device.")
                   .arg(path, sha256);
    if (end.value("kind") == QLatin1String("data"))
        return what + QLatin1Char('\n') +
               Messages::tr("The device's data area may be partly overwritten. Download "
                            "\"%1\" (SHA-256 %2) again.")
                   .arg(path, sha256) +
               (backup.isEmpty() ? QString()
                                 : QLatin1Char('\n') + backupKeptNote(backup, Tongue::User));
    return what + QLatin1Char('\n') +
           Messages::tr("The device is unchanged, and \"%1\" was not written: it holds what it "
                        "held before. Save again to get the data.")
               .arg(path);
}

QString settingsIgnoredMessage(const QString &path)
{
    return Messages::tr("The settings file \"%1\" is not a regular file, so it is ignored; "
                        "until it is removed or renamed, the settings may stay at their "
                        "defaults.")
        .arg(path);
}

QString historyUnwritableMessage(const QString &path, const QString &reason)
{
    return Messages::tr("This transfer could not be added to the history in \"%1\" (%2). "
                        "Transfers still work; this is said once until the program starts "
                        "again.")
        .arg(path, reason);
}

} // namespace tarvenix
