#pragma once
// Device arrival and removal, reduced to the three values the window acts on:
// the event code, the record's device type and the interface name.

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

namespace tarvenix {

enum class DeviceEventCode { Arrival, RemoveComplete, Other };

// The record type of a device interface, as Windows numbers it.
constexpr int kDeviceTypeInterface = 5;
// The codes Windows gives the three kinds, kept for the trace line.
constexpr unsigned kArrivalCode = 0x8000;
constexpr unsigned kRemoveCompleteCode = 0x8004;
constexpr unsigned kNodesChangedCode = 0x0007;

struct DeviceEvent {
    DeviceEventCode code = DeviceEventCode::Other;
    int deviceType = kDeviceTypeInterface;
    QString interfaceName;
    unsigned rawCode = kNodesChangedCode;
};

struct Product {
    int vendorId;
    int productId;
};

// Followed beside the supported devices, though discovery never opens it: 0x2103 may be
// another mode of the device (0x2203 in the table), and its arrival is followed by a
// look for the supported devices.
constexpr Product kFollowedOnly{0xABCD, 0x2103};

// The products whose arrival and removal are followed: those of kSupportedDevices, in
// table order, then kFollowedOnly. The udev rule gives access to the same ones.
QVector<Product> followedProducts();

// The names looked for in an interface name, one per followed product, in their order:
// "HID#VID_1ABE&PID_2202".
QStringList deviceInterfaceNames();

// The first list entry found in name, ignoring case; -1 when none is.
int matchInterfaceName(const QString &name);

// An interface name in the Windows form, so that the list matches it:
// "HID#VID_1ABE&PID_2202#hidraw3".
QString interfaceName(unsigned vendorId, unsigned productId, const QString &node);

// Vendor and product from a HID_ID property such as "0003:00001ABE:00002202".
bool parseHidId(const QString &hidId, unsigned *vendorId, unsigned *productId);

// What was learned of each node at its arrival. A remove event carries no
// vendor or product, and the kernel has removed the device's sysfs entries by
// then, so the removal is named from here alone.
class InterfaceNames {
  public:
    // Remembers the node's interface name from its HID_ID; returns the name,
    // empty when the property does not parse.
    QString remember(const QString &node, const QString &hidId);
    // The name remembered for a node that is going away, forgetting it.
    QString take(const QString &node) { return names_.take(node); }

  private:
    QHash<QString, QString> names_;
};

// Follows HID devices as the platform reports them and emits each event.
class DeviceEvents : public QObject {
    Q_OBJECT
  public:
    explicit DeviceEvents(QObject *parent = nullptr);
    ~DeviceEvents() override;

  signals:
    void deviceEvent(const tarvenix::DeviceEvent &event);

  private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace tarvenix
