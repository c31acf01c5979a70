#pragma once
// The backups of the data area that a data download takes first: where they go, their
// names, and which of them are kept. Both programs share the folder.

#include "device/discovery.h"

#include <QDateTime>
#include <QString>
#include <QVector>

namespace tarvenix {

// The tool's own folder for data, the same for every program that asks:
// ~/.local/share/tarvenix on Linux, %LOCALAPPDATA%/tarvenix on Windows.
QString dataFolder();
QString backupsFolder();

// The part of a backup's name that says whose it is, of [A-Za-z0-9._-] only:
// vendor-product ("1abe-2202"), then the serial, when the device has one, made safe.
QString backupKey(const FoundDevice &device);

// A free name in the backups folder for a backup taken at `time`, the folder made if need
// be: "1abe-2202-EMU0001-20240518T101502.123Z.bin", with a counter ("-2") when taken.
QString newBackupPath(const QString &key, const QDateTime &time);

struct Backup {
    QString path;
    QString key;
    // Whose it is, as far as its name tells: vendor, product and the serial as made safe.
    FoundDevice device;
    QDateTime time; // UTC, from the name
    int counter = 1;
    qint64 size = 0;
    QDateTime written; // when the file was written
};

// Every backup in the folder, oldest first: in the order they were written, and by their
// names where that is one.
QVector<Backup> listBackups();

// After a data download succeeded (`time` is when it started): the backups taken before it
// no longer hold the state before any trouble.
void noteSuccessfulDownload(const QString &key, const QDateTime &time);
// A backup was taken: the first after a successful download is marked, by its name, as the
// state before the trouble began, whatever the clock said when it was taken.
void noteBackupTaken(const QString &key, const QString &file);

// Keeps a device's 20 newest backups, the one marked after its last successful download
// (without a mark, its oldest one taken after that download; without a download, its
// oldest of all), and `justTaken`.
void pruneBackups(const QString &key, const QString &justTaken = QString());

} // namespace tarvenix
