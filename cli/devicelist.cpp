#include "devicelist.h"

#include "cli/status.h"

#include <QJsonArray>
#include <QJsonObject>

namespace tarvenix::cli {

QString hex4(int value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

QString listText(const QVector<FoundDevice> &devices)
{
    QStringList lines;
    for (const FoundDevice &d : devices)
        lines << QStringLiteral("row %1  %2:%3  page %4 usage %5  %6  %7, %8, serial %9")
                     .arg(d.row)
                     .arg(hex4(d.vendorId), hex4(d.productId), hex4(d.usagePage), hex4(d.usage),
                          printable(d.path), printable(d.manufacturer), printable(d.product),
                          printable(d.serial));
    return lines.join(QLatin1Char('\n'));
}

QString listJson(const QVector<FoundDevice> &devices)
{
    QJsonArray array;
    for (const FoundDevice &d : devices)
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
    return jsonText({{"devices", array}});
}

} // namespace tarvenix::cli
