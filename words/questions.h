#pragma once
// The words that name a device, and the question before a firmware download. What not to
// do meanwhile names a front end's own means, so each front end adds it.

#include "device/discovery.h"
#include "userfiles/history.h"

#include <QString>
#include <QStringList>

namespace tarvenix {

// The device as a question or a list names it: "Pressure Mouse (1abe:2202, serial EMU0001)
// at /dev/hidraw0". Its strings as the device gave them: a front end shows them safely.
QString deviceDescription(const FoundDevice &device);

// A device and its version text, as the firmware question names it.
QString deviceLine(const FoundDevice &device, const QString &version);

// The question before a firmware download: the file, its size and the start of its SHA-256,
// the device and its version text.
QString firmwareQuestion(const QString &file, const FileFacts &facts, const FoundDevice &device,
                         const QString &version);
// The same, once for a run on several devices: `devices` made with deviceLine.
QString firmwareQuestion(const QString &file, const FileFacts &facts, const QStringList &devices);

} // namespace tarvenix
