#include "devicelist.h"

#include "cli/quoting.h"
#include "cli/status.h"

#include <QJsonArray>
#include <QJsonObject>

namespace tarvenix::cli {

QString listText(const QVector<FoundDevice> &devices)
{
    QStringList lines;
    for (const FoundDevice &d : devices)
        lines << QStringLiteral("row %1  %2  page %3 usage %4  %5  %6, %7, serial %8")
                     .arg(d.row)
                     .arg(d.ids(), hexId(d.usagePage), hexId(d.usage), deviceText(d.path),
                          deviceText(d.manufacturer), deviceText(d.product), deviceText(d.serial));
    return lines.join(QLatin1Char('\n'));
}

QJsonObject withDeprecatedKeys(QJsonObject object, const FoundDevice &device)
{
    const QJsonObject described = deviceJson(device);
    for (const char *key : {"vendorId", "productId", "serial", "path", "manufacturer", "product"})
        object.insert(QLatin1String(key), described.value(QLatin1String(key)));
    return object;
}

QJsonObject listJson(const QVector<FoundDevice> &devices)
{
    QJsonArray array;
    for (const FoundDevice &d : devices)
        array.append(withDeprecatedKeys({{"device", deviceJson(d)},
                                         {"row", d.row},
                                         {"usagePage", hexId(d.usagePage)},
                                         {"usage", hexId(d.usage)}},
                                        d));
    return {{"devices", array}};
}

} // namespace tarvenix::cli
