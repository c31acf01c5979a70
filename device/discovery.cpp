#include "discovery.h"

#include "device/trace.h"

#include <QMutex>
#include <QThread>
#include <QVector>
#include <cstring>
#include <hidapi.h>

namespace tarvenix {

namespace {

bool differs(int criterion, unsigned short field)
{
    return criterion != 0 && criterion != field;
}

bool matches(const hid_device_info *d, int vendorId, int productId, int usagePage, int usage)
{
    return !differs(vendorId, d->vendor_id) && !differs(productId, d->product_id) &&
           !differs(usagePage, d->usage_page) && !differs(usage, d->usage);
}

// A device's string as hidapi hands it over: on Linux what the C library decoded from the
// device's bytes, which for glibc includes numbers past Unicode (from the old 5- and 6-byte
// forms) that QString would cut into stray surrogates; on Windows UTF-16, where a surrogate
// may stand alone. Whatever is no character becomes U+FFFD.
QString text(const wchar_t *s)
{
    if (!s)
        return QString();
    QVector<uint> points;
    if (sizeof(wchar_t) == sizeof(ushort))
        points = QString::fromWCharArray(s).toUcs4();
    else
        for (; *s; ++s)
            points << uint(*s);
    for (uint &c : points)
        if (c > 0x10ffff || QChar::isSurrogate(c))
            c = QChar::ReplacementCharacter;
    return QString::fromUcs4(points.constData(), points.size());
}

FoundDevice found(int row, const hid_device_info *d)
{
    FoundDevice f;
    f.row = row + 1;
    f.vendorId = d->vendor_id;
    f.productId = d->product_id;
    f.usagePage = d->usage_page;
    f.usage = d->usage;
    f.interfaceNumber = d->interface_number;
    f.path = QString::fromLocal8Bit(d->path);
    f.manufacturer = text(d->manufacturer_string);
    f.product = text(d->product_string);
    f.serial = text(d->serial_number);
    return f;
}

// hidapi keeps the text of its last enumeration error in one global, which an
// enumeration replaces and frees: two threads enumerating at once (transfers on several
// devices, each checking whether its device went away) would free it twice.
QMutex g_enumerating;

// One enumeration, one at a time, freed when it goes.
class Enumeration {
  public:
    Enumeration(int vendorId, int productId)
        : locker_(&g_enumerating), list_(hid_enumerate(ushort(vendorId), ushort(productId)))
    {
    }
    ~Enumeration() { hid_free_enumeration(list_); }
    Enumeration(const Enumeration &) = delete;
    Enumeration &operator=(const Enumeration &) = delete;

    const hid_device_info *first() const { return list_; }

  private:
    QMutexLocker locker_;
    hid_device_info *const list_;
};

void traceEntry(const hid_device_info *d, int vendorId, int productId)
{
    qCDebug(lcTrace, "loop search device");
    qCDebug(lcTrace, "vendor_id:%04x", d->vendor_id);
    qCDebug(lcTrace, "vid:%04x", vendorId);
    qCDebug(lcTrace, "product_id:%04x", d->product_id);
    qCDebug(lcTrace, "pid:%04x", productId);
    qCDebug(lcTrace, "cur_dev->usage_page:%04x", d->usage_page);
    qCDebug(lcTrace, "cur_dev->usage:%04x", d->usage);
}

} // namespace

void getDevicePath(int vendorId, int productId, int usagePage, int usage, char *pDevicePath)
{
    qCDebug(lcTrace, "Enter getDevicePath");
    const Enumeration list(vendorId, productId);
    for (const hid_device_info *cur_dev = list.first(); cur_dev; cur_dev = cur_dev->next) {
        traceEntry(cur_dev, vendorId, productId);
        if (!matches(cur_dev, vendorId, productId, usagePage, usage))
            continue;
        qCDebug(lcTrace).noquote() << "find device:" << cur_dev->path;
        std::strncpy(pDevicePath, cur_dev->path, kDevicePathCopy);
        qCDebug(lcTrace).noquote()
            << "pDevicePath:"
            << QString::fromLocal8Bit(pDevicePath, int(strnlen(pDevicePath, kDevicePathCopy)));
        break;
    }
}

namespace {

bool listed(const char *path)
{
    const Enumeration list(0, 0);
    bool present = false;
    for (const hid_device_info *d = list.first(); d && !present; d = d->next)
        present = std::strncmp(d->path, path, kDevicePathCopy) == 0;
    return present;
}

} // namespace

bool deviceGone(const char *path, int waitMs)
{
    constexpr int kStepMs = 50;
    for (int waited = 0;; waited += kStepMs) {
        if (!listed(path))
            return true;
        if (waited >= waitMs)
            return false;
        QThread::msleep(kStepMs);
    }
}

int probeSupportedDevices(char (&path)[kDevicePathSize])
{
    std::memset(path, 0, sizeof path);
    for (int row = 0; row < int(kSupportedDevices.size()); ++row) {
        const SupportedDevice &d = kSupportedDevices[row];
        getDevicePath(d.vendorId, d.productId, d.usagePage, d.usage, path);
        if (path[0])
            return row;
    }
    return -1;
}

QString FoundDevice::ids(QChar separator) const
{
    return hexId(vendorId) + separator + hexId(productId);
}

QString hexId(int id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

QJsonObject deviceJson(const FoundDevice &device, const QString &version)
{
    return {{"vendorId", hexId(device.vendorId)},
            {"productId", hexId(device.productId)},
            {"serial", device.serial},
            {"path", device.path.isEmpty() ? QJsonValue() : QJsonValue(device.path)},
            {"manufacturer", device.manufacturer},
            {"product", device.product},
            {"version", version.isNull() ? QJsonValue() : QJsonValue(version)}};
}

QVector<FoundDevice> findSupportedDevices()
{
    QVector<FoundDevice> devices;
    // One enumeration for all rows: each one reads every HID device's attributes.
    const Enumeration list(0, 0);
    for (int row = 0; row < int(kSupportedDevices.size()); ++row) {
        const SupportedDevice &s = kSupportedDevices[row];
        for (const hid_device_info *d = list.first(); d; d = d->next) {
            if (matches(d, s.vendorId, s.productId, s.usagePage, s.usage))
                devices.append(found(row, d));
        }
    }
    return devices;
}

FoundDevice listedDevice(const QString &path)
{
    FoundDevice device;
    device.path = path;
    const Enumeration list(0, 0);
    for (const hid_device_info *d = list.first(); d; d = d->next) {
        if (QString::fromLocal8Bit(d->path) == path)
            return found(-1, d);
    }
    return device;
}

} // namespace tarvenix
