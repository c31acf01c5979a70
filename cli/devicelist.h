#pragma once
// The supported devices present, as the list command shows them.

#include "device/discovery.h"

#include <QJsonObject>

namespace tarvenix::cli {

// The keys that described a device in earlier versions, beside the "device" object for
// one release: vendorId, productId, serial, path, manufacturer, product.
QJsonObject withDeprecatedKeys(QJsonObject object, const FoundDevice &device);
// One line per device.
QString listText(const QVector<FoundDevice> &devices);
// {"devices": [{"device": {...}, "row": 1, "usagePage": "0002", "usage": "0001", ...}]}
QJsonObject listJson(const QVector<FoundDevice> &devices);

} // namespace tarvenix::cli
