#pragma once
// The supported devices present, as the list command shows them.

#include "device/discovery.h"

namespace tarvenix::cli {

// Four hex digits, as the ids are shown: "1abe".
QString hex4(int value);
// One line per device.
QString listText(const QVector<FoundDevice> &devices);
// {"devices": [{"row": 1, "vendorId": "1abe", ...}, ...]}
QString listJson(const QVector<FoundDevice> &devices);

} // namespace tarvenix::cli
