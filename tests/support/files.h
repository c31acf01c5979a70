#pragma once
// Files for tests: recognisable contents, written and read back whole.

#include <QByteArray>
#include <QString>

namespace testfiles {

// Bytes that differ from block to block, so a misplaced block shows.
QByteArray pattern(int size, int seed);
// Writes bytes to path and returns the path.
QString write(const QString &path, const QByteArray &bytes);
QByteArray read(const QString &path);

} // namespace testfiles
