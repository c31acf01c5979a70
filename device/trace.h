#pragma once
// The trace: one debug line for every step of the conversation with the device and of
// the window's handling of it ("Enter thread run", "write ok:", "Read ok: 1 2 8 0 3 0 0 2",
// the discovery and initHidDevice lines, "show step:%d iLoopTemp:%d", the device-change
// lines). Their text is fixed and must not be reworded: they are the record of what was
// said to the device and when, and the tests, support scripts and people reading a log
// search them word for word. All of them go to this one category, so that a program can
// turn them off, and then they are not even formatted.

#include <QLoggingCategory>

namespace tarvenix {

Q_DECLARE_LOGGING_CATEGORY(lcTrace)

} // namespace tarvenix
