#pragma once
// Text from outside the program made safe for a terminal and for the lines scripts read:
// neither a device's strings nor a file's name can move the cursor, retitle the terminal or
// split a line in two. JSON carries both as they are.

#include "device/discovery.h"

#include <QString>

namespace tarvenix::cli {

// Text that came from the device (its version, its USB strings, its path): each control
// character becomes an escape such as "\x1b"; everything else, a backslash included, stays.
QString deviceText(const QString &text);

// The device with each of its strings made deviceText, for a question or a message.
FoundDevice shownDevice(FoundDevice device);

// A file's name in a result line: as it is, unless it holds a control character; then quoted
// as coreutils' ls and mv quote it, for a shell to read back: 'a'$'\n''b'. A backslash is
// never doubled.
QString fileNameText(const QString &name);

} // namespace tarvenix::cli
