#include "events.h"

#include "device/discovery.h"

namespace tarvenix {

QVector<Product> followedProducts()
{
    QVector<Product> products;
    for (const SupportedDevice &d : kSupportedDevices)
        products.append({d.vendorId, d.productId});
    products.append(kFollowedOnly);
    return products;
}

QStringList deviceInterfaceNames()
{
    QStringList names;
    for (const Product &p : followedProducts())
        names << QStringLiteral("HID#VID_%1&PID_%2")
                     .arg(p.vendorId, 4, 16, QLatin1Char('0'))
                     .arg(p.productId, 4, 16, QLatin1Char('0'))
                     .toUpper();
    return names;
}

int matchInterfaceName(const QString &name)
{
    static const QStringList names = deviceInterfaceNames();
    for (int i = 0; i < names.size(); ++i) {
        if (name.contains(names[i], Qt::CaseInsensitive))
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
