#include "userfiles/backups.h"

#include "transfer/filechecks.h"
#include "transfer/savefile.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace tarvenix {

namespace {

constexpr int kKeptNewest = 20;
// A serial is device-supplied text: only so much of it goes into a name.
constexpr int kSerialChars = 64;

const QString kTimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'");

// "KEY-20240518T101502.123Z.bin", or with a counter "KEY-20240518T101502.123Z-2.bin".
const QRegularExpression
    kName(QStringLiteral("^(.+)-(\\d{8}T\\d{6}\\.\\d{3}Z)(?:-(\\d+))?\\.bin$"));

QString stamp(const QDateTime &time)
{
    return time.toUTC().toString(kTimeFormat);
}

QDateTime fromStamp(const QString &text)
{
    QDateTime time = QDateTime::fromString(text, kTimeFormat);
    time.setTimeSpec(Qt::UTC);
    return time;
}

// The marker that keeps when the device's last successful download was.
QString markerPath(const QString &key)
{
    return backupsFolder() + QLatin1Char('/') + key + QStringLiteral(".last-download");
}

QDateTime lastSuccess(const QString &key)
{
    QFile marker(markerPath(key));
    if (!marker.open(QIODevice::ReadOnly))
        return QDateTime();
    return fromStamp(QString::fromLatin1(marker.readAll().trimmed()));
}

// "1abe-2202" or "1abe-2202-SERIAL", as backupKey makes it.
FoundDevice deviceOf(const QString &key)
{
    FoundDevice device;
    device.vendorId = key.section(QLatin1Char('-'), 0, 0).toInt(nullptr, 16);
    device.productId = key.section(QLatin1Char('-'), 1, 1).toInt(nullptr, 16);
    device.serial = key.section(QLatin1Char('-'), 2);
    return device;
}

bool older(const Backup &a, const Backup &b)
{
    return a.time != b.time ? a.time < b.time : a.counter < b.counter;
}

} // namespace

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tarvenix");
}

QString backupsFolder()
{
    return dataFolder() + QStringLiteral("/backups");
}

QString backupKey(const FoundDevice &device)
{
    const QString key = device.ids(QLatin1Char('-'));
    if (device.serial.isEmpty())
        return key;
    return key + QLatin1Char('-') + safeNamePart(device.serial.left(kSerialChars));
}

QString newBackupPath(const QString &key, const QDateTime &time)
{
    QDir().mkpath(backupsFolder());
    const QString base = backupsFolder() + QLatin1Char('/') + key + QLatin1Char('-') + stamp(time);
    QString path = base + QStringLiteral(".bin");
    for (int counter = 2; entryExists(path); ++counter)
        path = base + QStringLiteral("-%1.bin").arg(counter);
    return path;
}

QVector<Backup> listBackups()
{
    QVector<Backup> backups;
    const QFileInfoList files =
        QDir(backupsFolder()).entryInfoList({QStringLiteral("*.bin")}, QDir::Files);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch m = kName.match(file.fileName());
        if (!m.hasMatch())
            continue;
        const int counter = m.captured(3).isEmpty() ? 1 : m.captured(3).toInt();
        backups.append({file.filePath(), m.captured(1), deviceOf(m.captured(1)),
                        fromStamp(m.captured(2)), counter, file.size()});
    }
    std::sort(backups.begin(), backups.end(), older);
    return backups;
}

void noteSuccessfulDownload(const QString &key, const QDateTime &time)
{
    QDir().mkpath(backupsFolder());
    QSaveFile marker(markerPath(key));
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write(stamp(time).toLatin1() + '\n');
        marker.commit();
    }
}

void pruneBackups(const QString &key)
{
    QVector<Backup> own = listBackups();
    own.erase(std::remove_if(own.begin(), own.end(), [&](const Backup &b) { return b.key != key; }),
              own.end());
    const QDateTime success = lastSuccess(key);
    const auto firstAfter = std::find_if(own.begin(), own.end(), [&](const Backup &b) {
        return !success.isValid() || b.time > success;
    });
    const int kept = firstAfter == own.end() ? -1 : int(firstAfter - own.begin());
    for (int i = 0; i < own.size() - kKeptNewest; ++i) {
        if (i != kept)
            QFile::remove(own[i].path);
    }
}

} // namespace tarvenix
