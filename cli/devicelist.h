#pragma once
// The supported devices present, as the list command shows them.

#include "device/discovery.h"

namespace tarvenix::cli {

// One line per device.
QString listText(const QVector<FoundDevice> &devices);
// {"devices": [{"row": 1, "vendorId": "1abe", ...}, ...]}
QString listJson(const QVector<FoundDevice> &devices);

} // namespace tarvenix::cli
