#include "events.h"

namespace tarvenix {

int matchInterfaceName(const QString &name)
{
    for (int i = 0; i < int(kDeviceInterfaceNames.size()); ++i) {
        if (name.contains(QLatin1String(kDeviceInterfaceNames[i]), Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString interfaceName(unsigned vendorId, unsigned productId, const QString &node)
{
    return QStringLiteral("HID#VID_%1&PID_%2#%3")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'))
        .arg(node)
        .toUpper();
}

bool parseHidId(const QString &hidId, unsigned *vendorId, unsigned *productId)
{
    const QStringList parts = hidId.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    bool okVendor = false, okProduct = false;
    *vendorId = parts[1].toUInt(&okVendor, 16);
    *productId = parts[2].toUInt(&okProduct, 16);
    return okVendor && okProduct && *vendorId <= 0xffff && *productId <= 0xffff;
}

QString InterfaceNames::remember(const QString &node, const QString &hidId)
{
    unsigned vendorId = 0, productId = 0;
    if (!parseHidId(hidId, &vendorId, &productId))
        return QString();
    const QString name = interfaceName(vendorId, productId, node);
    names_.insert(node, name);
    return name;
}

} // namespace tarvenix
