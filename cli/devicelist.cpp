#include "devicelist.h"

#include "cli/status.h"
#include "device/discovery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <hidapi.h>

namespace tarvenix::cli {

namespace {

QString text(const wchar_t *s)
{
    return s ? QString::fromWCharArray(s) : QString();
}

QString hex4(int value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

ListedDevice listed(int row, const hid_device_info *d)
{
    ListedDevice l;
    l.row = row + 1;
    l.vendorId = d->vendor_id;
    l.productId = d->product_id;
    l.usagePage = d->usage_page;
    l.usage = d->usage;
    l.path = QString::fromLocal8Bit(d->path);
    l.manufacturer = text(d->manufacturer_string);
    l.product = text(d->product_string);
    l.serial = text(d->serial_number);
    return l;
}

} // namespace

QVector<ListedDevice> listSupportedDevices()
{
    QVector<ListedDevice> devices;
    for (int row = 0; row < int(kSupportedDevices.size()); ++row) {
        const SupportedDevice &s = kSupportedDevices[row];
        hid_device_info *list = hid_enumerate(ushort(s.vendorId), ushort(s.productId));
        for (const hid_device_info *d = list; d; d = d->next) {
            if (d->usage_page == s.usagePage && d->usage == s.usage)
                devices.append(listed(row, d));
        }
        hid_free_enumeration(list);
    }
    return devices;
}

QString listText(const QVector<ListedDevice> &devices)
{
    QStringList lines;
    for (const ListedDevice &d : devices)
        lines << QStringLiteral("row %1  %2:%3  page %4 usage %5  %6  %7, %8, serial %9")
                     .arg(d.row)
                     .arg(hex4(d.vendorId), hex4(d.productId), hex4(d.usagePage), hex4(d.usage),
                          printable(d.path), printable(d.manufacturer), printable(d.product),
                          printable(d.serial));
    return lines.join(QLatin1Char('\n'));
}

QString listJson(const QVector<ListedDevice> &devices)
{
    QJsonArray array;
    for (const ListedDevice &d : devices)
        array.append(QJsonObject{
            {"row", d.row},
            {"vendorId", hex4(d.vendorId)},
            {"productId", hex4(d.productId)},
            {"usagePage", hex4(d.usagePage)},
            {"usage", hex4(d.usage)},
            {"path", d.path},
            {"manufacturer", d.manufacturer},
            {"product", d.product},
            {"serial", d.serial},
        });
    const QJsonObject root{{"devices", array}};
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented)).trimmed();
}

} // namespace tarvenix::cli
