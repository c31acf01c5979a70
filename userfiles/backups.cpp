#include "userfiles/backups.h"

#include "transfer/filechecks.h"
#include "transfer/savefile.h"
#include "userfiles/userfile.h"

#include <QDir>
#include <QRegularExpression>
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

// When the device's last successful download was, and the name of the first backup taken
// after it, once one was: "20240518T101502.123Z\n[NAME.bin\n]".
struct Marker {
    QDateTime success;
    QString kept;
};

Marker readMarker(const QString &key)
{
    UserFile file;
    if (!file.open(markerPath(key), UserFile::Mode::Read))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAt(0, 1024)).split(QLatin1Char('\n'));
    return {fromStamp(lines.value(0).trimmed()), lines.value(1).trimmed()};
}

// Written whole or not at all; a marker that is no regular file is left as it is.
void writeMarker(const QString &key, const Marker &marker)
{
    QDir().mkpath(backupsFolder());
    SaveFile file(markerPath(key), true);
    QByteArray text = stamp(marker.success).toLatin1() + '\n';
    if (!marker.kept.isEmpty())
        text += marker.kept.toUtf8() + '\n';
    if (file.open())
        file.commit(text);
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
    if (a.written != b.written)
        return a.written < b.written;
    return a.time != b.time ? a.time < b.time : a.counter < b.counter;
}

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// The backup that holds the area as it was before the trouble began, or none.
QString keptAfterSuccess(const QString &key, const QVector<Backup> &own)
{
    const Marker marker = readMarker(key);
    const auto marked = std::find_if(own.begin(), own.end(), [&](const Backup &b) {
        return !marker.kept.isEmpty() && nameOf(b.path) == marker.kept;
    });
    if (marked != own.end())
        return marked->path;
    const auto firstAfter = std::find_if(own.begin(), own.end(), [&](const Backup &b) {
        return !marker.success.isValid() || b.time > marker.success;
    });
    return firstAfter == own.end() ? QString() : firstAfter->path;
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
                        fromStamp(m.captured(2)), counter, file.size(), file.lastModified()});
    }
    std::sort(backups.begin(), backups.end(), older);
    return backups;
}

void noteSuccessfulDownload(const QString &key, const QDateTime &time)
{
    writeMarker(key, {time, QString()});
}

void noteBackupTaken(const QString &key, const QString &file)
{
    const Marker marker = readMarker(key);
    const bool markedOneStays =
        !marker.kept.isEmpty() && entryExists(backupsFolder() + QLatin1Char('/') + marker.kept);
    if (marker.success.isValid() && !markedOneStays)
        writeMarker(key, {marker.success, nameOf(file)});
}

void pruneBackups(const QString &key, const QString &justTaken)
{
    QVector<Backup> own = listBackups();
    own.erase(std::remove_if(own.begin(), own.end(), [&](const Backup &b) { return b.key != key; }),
              own.end());
    const QString kept = keptAfterSuccess(key, own);
    for (int i = 0; i < own.size() - kKeptNewest; ++i) {
        const QString &path = own[i].path;
        if (path != kept && nameOf(path) != nameOf(justTaken))
            QFile::remove(path);
    }
}

} // namespace tarvenix
