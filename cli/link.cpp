#include "link.h"

#include "cli/devicelist.h"
#include "workers/messages.h"

#include <QFile>
#include <algorithm>
#include <hidapi.h>

namespace tarvenix::cli {

namespace {

Status find(const QString &wanted, Link &link)
{
    if (wanted.isEmpty()) {
        char path[kDevicePathSize];
        const int row = probeSupportedDevices(path);
        if (row < 0)
            return noDevice();
        link.path = QString::fromLocal8Bit(path);
        link.row = row + 1;
        return {};
    }
    const QVector<ListedDevice> devices = listSupportedDevices();
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const ListedDevice &d) { return d.path == wanted; });
    if (found == devices.end())
        return fail({FailureCode::NoDevice, wanted},
                    QStringLiteral("There is no supported device at %1. Run \"tarvenix-cli "
                                   "list\" to see the paths of the supported devices present.")
                        .arg(wanted));
    link.path = wanted;
    link.row = found->row;
    return {};
}

Status lock(Link &link)
{
    link.lock = std::make_unique<DeviceLock>(link.path);
    if (link.lock->acquired())
        return {};
    if (link.lock->busy())
        return fail({FailureCode::Busy, {}}, DeviceLock::busyMessage());
    return fail({FailureCode::LockFailed, link.lock->error()},
                QStringLiteral("The device cannot be locked: %1. ").arg(link.lock->error()) +
                    accessHint());
}

} // namespace

Status noDevice()
{
    return fail({FailureCode::NoDevice, {}},
                QStringLiteral("No supported device is present. Plug the pressure mouse in (or "
                               "check its cable), then try again."));
}

Status openLink(const QString &wanted, Link &link)
{
    Status s = find(wanted, link);
    if (s.ok())
        s = lock(link);
    if (!s.ok())
        return s;
    link.handle = openPort(QFile::encodeName(link.path).constData());
    if (!link.handle)
        return fail(
            {FailureCode::OpenFailed, link.path},
            QStringLiteral("The device at %1 is present but cannot be opened. ").arg(link.path) +
                accessHint());
    return {};
}

Status deviceFailure(const Failure &failure, QString text, const Link &link)
{
    if (deviceGone(QFile::encodeName(link.path).constData()))
        text += QStringLiteral("\nThe device was unplugged. Plug it in again and repeat the "
                               "command.");
    return fail(failure, text);
}

} // namespace tarvenix::cli
