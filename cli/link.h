#pragma once
// The device one command works with, held through the device controller, and what its
// failures say to the user.

#include "cli/options.h"
#include "transfer/devicecontroller.h"

namespace tarvenix::cli {

// Finds the device at `wanted`, or without it the first supported device in table
// order; locks it for the whole command and opens it, recorded when --record asks for it.
// hidapi must be started.
Status claim(DeviceController &device, const QString &wanted);
// The same for a device just found, as a run on several devices finds them.
Status claim(DeviceController &device, const FoundDevice &found);
// The device of a command on one device, as the options pick it: by its serial number
// (--serial), its path (--device), or the first supported one.
Status claim(DeviceController &device, const Options &o);

// What to do when no supported device is present.
Status noDevice();

// A failed exchange with the device: adds what to do when it has gone away.
Status deviceFailure(const Failure &failure, QString text, const DeviceController &device);

} // namespace tarvenix::cli
