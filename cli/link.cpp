#include "link.h"

#include "cli/deviceset.h"
#include "cli/recording.h"
#include "cli/text.h"
#include "device/exchange.h"
#include "words/failures.h"

namespace tarvenix::cli {

Status noDevice()
{
    return fail({FailureCode::NoDevice, {}},
                Cli::tr("No supported device is present. Plug the pressure mouse in (or "
                        "check its cable), then try again."));
}

namespace {

// What a claim's failure says; `wanted` is the path asked for, if one was.
Status claimed(const Failure &failure, const QString &wanted)
{
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
        return fail(
            failure,
            Cli::tr("The device at %1 is present but cannot be opened. ").arg(failure.detail) +
                accessHint());
    default:
        return fail(failure, refusalMessage(failure, QString()));
    }
}

} // namespace

Status claim(DeviceController &device, const QString &wanted)
{
    device.record(commandCapture());
    return claimed(device.claim(wanted), wanted);
}

Status claim(DeviceController &device, const FoundDevice &found)
{
    return claimed(device.claim(found), found.path);
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
