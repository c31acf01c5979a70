#pragma once
// The supported devices present, for the list command and for --device.

#include <QString>
#include <QVector>

namespace tarvenix::cli {

struct ListedDevice {
    int row = 0; // 1-based row of tarvenix::kSupportedDevices
    int vendorId = 0;
    int productId = 0;
    int usagePage = 0;
    int usage = 0;
    QString path;
    QString manufacturer;
    QString product;
    QString serial;
};

// In table order, and within a row as hidapi lists them, so the first entry
// is the device that discovery opens. hidapi must be started.
QVector<ListedDevice> listSupportedDevices();

// One line per device.
QString listText(const QVector<ListedDevice> &devices);
// {"devices": [{"row": 1, "vendorId": "1abe", ...}, ...]}
QString listJson(const QVector<ListedDevice> &devices);

} // namespace tarvenix::cli
