#pragma once
// The eight commands. hidapi must be started for the six that use a device.

#include "cli/options.h"

namespace tarvenix::cli {

Status runList(const Options &o);
Status runVersion(const Options &o);
// firmware, data and save, each recorded in the history.
Status runTransfer(const Options &o);
Status runVerify(const Options &o);
Status runBackups(const Options &o);
Status runHistory(const Options &o);

} // namespace tarvenix::cli
