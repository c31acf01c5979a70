#pragma once
// The six commands. hidapi must be started.

#include "cli/options.h"

namespace tarvenix::cli {

Status runList(const Options &o);
Status runVersion(const Options &o);
// firmware, data (with --verify) and save.
Status runTransfer(const Options &o);
Status runVerify(const Options &o);

} // namespace tarvenix::cli
