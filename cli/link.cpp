#include "link.h"

#include "cli/deviceset.h"
#include "cli/quoting.h"
#include "cli/recording.h"
#include "cli/text.h"

#include "device/exchange.h"
#include "words/failures.h"
#include <QFile>

namespace tarvenix::cli {

Status noDevice()
{
    return fail({FailureCode::NoDevice, {}},
                Cli::tr("No supported device is present. Plug the pressure mouse in (or "
                        "check its cable), then try again."));
}

namespace {

// What a claim's failure says; `wanted` is the path asked for, if one was, `path` the one
// found. A device that went away between being found and being locked or opened is not one
// whose access rights are wrong.
Status claimed(const Failure &failure, const QString &wanted, const QString &path)
{
    const bool lockOrOpen =
        failure.code == FailureCode::LockFailed || failure.code == FailureCode::OpenFailed;
    if (lockOrOpen && deviceGone(QFile::encodeName(path).constData()))
        return fail(failure, Cli::tr("The device at %1 was unplugged before it could be "
                                     "opened. Plug it in again and repeat the command.")
                                 .arg(deviceText(path)));
    switch (failure.code) {
    case FailureCode::None:
        return {};
    case FailureCode::NoDevice:
        if (wanted.isEmpty())
            return noDevice();
        return fail(failure, Cli::tr("There is no supported device at %1. Run "
                                     "\"tarvenix-cli list\" to see the paths of the "
                                     "supported devices present.")
                                 .arg(wanted));
    case FailureCode::OpenFailed:
        return fail(failure, Cli::tr("The device at %1 is present but cannot be opened. ")
                                     .arg(deviceText(failure.detail)) +
                                 accessHint());
    default:
        return fail(failure, refusalMessage(failure, QString()));
    }
}

} // namespace

Status claim(DeviceController &device, const QString &wanted)
{
    device.record(commandCapture());
    const Failure failure = device.claim(wanted);
    return claimed(failure, wanted, device.path());
}

Status claim(DeviceController &device, const FoundDevice &found)
{
    return claimed(device.claim(found), found.path, found.path);
}

Status claim(DeviceController &device, const Options &o)
{
    if (o.serials.isEmpty())
        return claim(device, o.device);
    QVector<FoundDevice> picked;
    if (Status s = pickDevices(o, &picked); !s.ok())
        return s;
    device.record(commandCapture());
    return claim(device, picked.first());
}

Status deviceFailure(const Failure &failure, QString text, const DeviceController &device)
{
    if (deviceGone(*device.port(), device.path()))
        text += Cli::tr("\nThe device was unplugged. Plug it in again and repeat the "
                        "command.");
    return fail(failure, text);
}

} // namespace tarvenix::cli
