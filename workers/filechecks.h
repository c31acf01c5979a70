#pragma once
// The refusals made before a transfer touches the device, shared by every front end.

#include <QFile>
#include <QString>
#include <cstdint>

namespace tarvenix {

// Verify reads back the blocks a file covers and compares them with it.
enum class TransferKind { Firmware, Data, Save, Verify };

// The transfer's name as messages use it: "Download firmware", "Download data",
// "Save data", "Verify".
QString transferName(TransferKind kind);

// Checks a firmware or data file, or one to verify: present, readable, whole 512-byte blocks,
// small enough for its area. Returns a message for the user, or an empty
// string and the size when the file can be sent.
QString checkSourceFile(TransferKind kind, const QString &path, qint64 *size = nullptr);

// Checks that a name given for a save names a file: not empty, not a folder's name
// ("dir/", ".", ".."). Returns a message, or an empty string.
QString checkSaveName(const QString &chosen);

// Checks that a save can write its target, by creating (and discarding) a
// temporary file beside it. Returns a message, or an empty string.
QString checkSaveTarget(const QString &path);

// When an entry of this name exists, a link included, says so, and for a link where it
// points and that replacing it replaces only the link. Empty when the name is free.
QString existingTarget(const QString &path);

// The refusal of a file name that is not valid UTF-8: this program could only read
// or write it under another name.
QString notUtf8Refusal(const QString &name);

// Whether a name that came as text (from a file dialog) lost bytes on the way: a name
// of bytes that are not valid UTF-8 shows U+FFFD, and no entry has the name it now spells.
bool lostInDecoding(const QString &path);

// Reads the next whole block of a file being sent. Returns why it could not, naming
// the file and the system's reason (or that the file ends early), or an empty string.
QString readSourceBlock(QFile &file, std::uint8_t *block);

// The save name with ".bin" appended, unless it already ends in ".bin" in any case.
QString saveFileName(const QString &chosen);

} // namespace tarvenix
