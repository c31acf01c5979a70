#pragma once
// The port that records: it stands in for the device's port and writes every write and read,
// with its time, into a capture, and the device's identity when it opens.

#include "device/capture.h"

namespace tarvenix {

// port, opened on the device at path, recorded into capture from now until it closes.
HidPortPtr recordingPort(HidPortPtr port, std::shared_ptr<Capture> capture, const QString &path);

} // namespace tarvenix
