#pragma once
// A transfer on the one device of a command: started through the device controller, as
// the window starts its own, and waited for until the controller's one ending, which keeps
// the history line and, after a firmware download, reads the version again. Its progress
// phase by phase on stderr; SIGINT, SIGTERM and SIGHUP stop it between blocks, or within a
// slice of a wait for a reply, and one that comes after its last block skips what follows.

#include "cli/options.h"
#include "transfer/devicecontroller.h"

namespace tarvenix::cli {

struct Ran {
    TransferRecord record;
    // The first stop signal that came while the transfer ran or ended, or 0. With a record
    // that succeeded, it came after the last block.
    int signal = 0;
};

// Starts the request on the claimed device and returns its record once it has ended; a
// refusal to start (the device busy) is the record's failure.
Ran runOnDevice(DeviceController &device, const TransferRequest &request, const Options &o);

} // namespace tarvenix::cli
