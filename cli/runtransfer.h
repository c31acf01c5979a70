#pragma once
// A transfer on the one device of a command: started through the device controller, as
// the window starts its own, and waited for until the controller's one ending, which keeps
// the history line and, after a firmware download, reads the version again. Its progress
// phase by phase on stderr; SIGINT, SIGTERM and SIGHUP stop it between blocks.

#include "cli/options.h"
#include "transfer/devicecontroller.h"

namespace tarvenix::cli {

// Starts the request on the claimed device and returns its record once it has ended; a
// refusal to start (the device busy) is the record's failure.
TransferRecord runOnDevice(DeviceController &device, const TransferRequest &request,
                           const Options &o);

} // namespace tarvenix::cli
