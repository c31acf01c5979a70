#pragma once
// A command on several devices at once: every device found, locked and opened on this
// thread, then each one's transfer on a thread of its own, and a summary at the end.

#include "cli/options.h"

namespace tarvenix::cli {

// version, firmware, data, save (into a folder) and verify with --all or --device given
// more than once. hidapi must be started.
Status runOnMany(const Options &o);

} // namespace tarvenix::cli
