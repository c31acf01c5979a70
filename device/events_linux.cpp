// Linux device events: a libudev monitor on hidraw, watched by the event loop.

#include "events.h"

#include "device/trace.h"

#include <QSocketNotifier>
#include <libudev.h>

namespace tarvenix {

struct DeviceEvents::Private {
    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
    InterfaceNames names;

    QString remember(udev_device *device);
    void rememberPresent();
    DeviceEvent translate(udev_device *device);
};

QString DeviceEvents::Private::remember(udev_device *device)
{
    udev_device *hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    const char *hidId = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
    return names.remember(QString::fromLocal8Bit(udev_device_get_sysname(device)),
                          QString::fromLatin1(hidId));
}

void DeviceEvents::Private::rememberPresent()
{
    udev_enumerate *list = udev_enumerate_new(context);
    udev_enumerate_add_match_subsystem(list, "hidraw");
    udev_enumerate_scan_devices(list);
    udev_list_entry *entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(list))
    {
        udev_device *device =
            udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
        if (device) {
            remember(device);
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(list);
}

DeviceEvent DeviceEvents::Private::translate(udev_device *device)
{
    DeviceEvent event;
    const QByteArray action = udev_device_get_action(device);
    const QString node = QString::fromLocal8Bit(udev_device_get_sysname(device));
    if (action == "add") {
        event.code = DeviceEventCode::Arrival;
        event.rawCode = kArrivalCode;
        event.interfaceName = remember(device);
    } else if (action == "remove") {
        event.code = DeviceEventCode::RemoveComplete;
        event.rawCode = kRemoveCompleteCode;
        event.interfaceName = names.take(node);
    }
    return event;
}

// The "udev" source, not "kernel": its events come after udev's rules have
// given the user access to the node, so an open made on arrival is allowed.
DeviceEvents::DeviceEvents(QObject *parent) : QObject(parent), d(std::make_unique<Private>())
{
    d->context = udev_new();
    d->monitor = d->context ? udev_monitor_new_from_netlink(d->context, "udev") : nullptr;
    if (!d->monitor) {
        qCDebug(lcTrace, "device events unavailable: no udev monitor");
        return;
    }
    udev_monitor_filter_add_match_subsystem_devtype(d->monitor, "hidraw", nullptr);
    udev_monitor_enable_receiving(d->monitor);
    d->rememberPresent();
    d->notifier = new QSocketNotifier(udev_monitor_get_fd(d->monitor), QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        udev_device *device = udev_monitor_receive_device(d->monitor);
        if (!device)
            return;
        const DeviceEvent event = d->translate(device);
        udev_device_unref(device);
        emit deviceEvent(event);
    });
}

DeviceEvents::~DeviceEvents()
{
    if (d->monitor)
        udev_monitor_unref(d->monitor);
    if (d->context)
        udev_unref(d->context);
}

} // namespace tarvenix
