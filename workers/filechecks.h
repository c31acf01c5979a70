#pragma once
// The refusals made before a transfer touches the device, shared by every front end.

#include <QString>

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

// Checks that a save can write its target, by creating (and discarding) a
// temporary file beside it. Returns a message, or an empty string.
QString checkSaveTarget(const QString &path);

// The save name with ".bin" appended, unless it already ends in ".bin" in any case.
QString saveFileName(const QString &chosen);

} // namespace tarvenix
