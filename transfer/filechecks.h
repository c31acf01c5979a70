#pragma once
// The refusals made before a transfer touches the device, shared by every front end.

#include "device/failure.h"

#include <QFile>
#include <QString>
#include <cstdint>

namespace tarvenix {

// Verify reads back the blocks a file covers and compares them with it.
enum class TransferKind { Firmware, Data, Save, Verify };
// The kind's stable English name, as the history and scripts read it: "firmware", "data",
// "save" or "verify".
QString kindName(TransferKind kind);

// What changes when a file is written to or replaced: its size, its modification time and
// (not on Windows) which file of which file system it is.
struct FileIdentity {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;

    bool operator==(const FileIdentity &o) const
    {
        return size == o.size && modifiedNs == o.modifiedNs && device == o.device &&
               inode == o.inode;
    }
    bool operator!=(const FileIdentity &o) const { return !(*this == o); }
};

// The identity of the file open in `file`, and of the one the path names now.
FileIdentity identityOf(const QFile &file);
FileIdentity identityAt(const QString &path);

// What a file holds, noted before a transfer sends it: for the firmware question, the
// history, and the check that what was sent is that file.
struct FileFacts {
    bool exists = false;
    qint64 size = 0;
    QString sha256; // hex
    FileIdentity identity;
};
FileFacts fileFacts(const QString &path);
// The same of the file open in `file`, read from its start; it is left at its start.
FileFacts fileFacts(QFile &file);
// What some bytes are, as FileFacts says it: their size and SHA-256.
FileFacts bytesFacts(qint64 size, const QByteArray &sha256);

// Checks a firmware or data file, or one to verify: present, readable, whole 512-byte blocks,
// small enough for its area. Gives the size when the file can be sent.
Failure checkSourceFile(TransferKind kind, const QString &path, qint64 *size = nullptr);

// Checks that a name given for a save names a file: not empty, not a folder's name
// ("dir/", ".", "..").
Failure checkSaveName(const QString &chosen);

// Checks that a save can write its target, by creating (and discarding) a
// temporary file beside it.
Failure checkSaveTarget(const QString &path);

// TargetExists when an entry of this name exists, TargetIsLink (and where it points)
// when that entry is a symbolic link; none when the name is free.
Failure existingTarget(const QString &path);

// Whether a name that came as text (from a file dialog) lost bytes on the way: a name
// of bytes that are not valid UTF-8 shows U+FFFD, and no entry has the name it now spells.
bool lostInDecoding(const QString &path);

// Reads the next whole block of a file being sent: FileReadFailed with the system's
// reason, or FileShortened when the file ends early.
Failure readSourceBlock(QFile &file, std::uint8_t *block);

// Text (a device's serial, a path) made fit to be part of a file's name on every file
// system: each character outside [A-Za-z0-9._-] becomes "_".
QString safeNamePart(const QString &text);

// The save name with ".bin" appended, unless it already ends in ".bin" in any case.
QString saveFileName(const QString &chosen);

} // namespace tarvenix
