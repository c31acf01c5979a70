#pragma once
// Which HID interface belongs to a supported pressure mouse.

#include <QJsonObject>
#include <QString>
#include <QVector>
#include <array>

namespace tarvenix {

struct SupportedDevice {
    int vendorId;
    int productId;
    int usagePage;
    int usage;
};

// Probe order: a device of an earlier row hides one of a later row. Only the
// interface on usage page 0x0002 (simulation controls), usage 0x0001 carries
// the device reports.
constexpr std::array<SupportedDevice, 5> kSupportedDevices{{
    {0x1ABE, 0x2202, 0x0002, 0x0001},
    {0x6A3A, 0x2202, 0x0002, 0x0001},
    {0xABCD, 0x2203, 0x0002, 0x0001},
    {0xABCD, 0x2109, 0x0002, 0x0001},
    {0xABCD, 0x2204, 0x0002, 0x0001},
}};

constexpr int kDevicePathSize = 260;
// At most this much of a path is copied, so the buffer's tail stays zero.
constexpr int kDevicePathCopy = 256;

// Copies the path of the first listed HID interface that matches into
// pDevicePath; a criterion of 0 matches anything. Without a match the buffer
// is left as it was. hidapi must be initialised.
void getDevicePath(int vendorId, int productId, int usagePage, int usage, char *pDevicePath);

// Whether the HID interface at path is no longer listed, allowing the system
// up to waitMs to withdraw it: an exchange can fail just before the list changes.
bool deviceGone(const char *path, int waitMs = 500);

// Zeroes path and tries the table rows in order. Returns the matching row's
// index, or -1 when no supported device is present.
int probeSupportedDevices(char (&path)[kDevicePathSize]);

// A supported device present, as hidapi lists its interface.
struct FoundDevice {
    int row = 0; // 1-based row of kSupportedDevices
    int vendorId = 0;
    int productId = 0;
    int usagePage = 0;
    int usage = 0;
    int interfaceNumber = -1; // -1 where the system does not say
    QString path;
    QString manufacturer;
    QString product;
    QString serial;

    // Vendor and product as four hex digits each: "1abe:2202", or with another separator.
    QString ids(QChar separator = QLatin1Char(':')) const;
};

// An id as four hex digits, as every output shows it: "1abe".
QString hexId(int id);

// The device as every JSON document describes it, under the key "device": vendorId and
// productId (hexId), serial, path, manufacturer, product, and its version text (null when
// not known).
QJsonObject deviceJson(const FoundDevice &device, const QString &version = QString());

// Every supported device present, in table order, and within a row as hidapi lists
// them: the first is the one that probeSupportedDevices finds. hidapi must be initialised.
QVector<FoundDevice> findSupportedDevices();

// The HID interface at path as hidapi lists it, supported or not (row 0); only the path
// when it is not listed. hidapi must be initialised.
FoundDevice listedDevice(const QString &path);

} // namespace tarvenix
