#include "device/trace.h"

namespace tarvenix {

// On by default, as the window has always shown it.
Q_LOGGING_CATEGORY(lcTrace, "tarvenix.trace")

} // namespace tarvenix
