#pragma once
// Whether a user sits at a stream: the firmware question is asked only of one.

namespace tarvenix::cli {

// True when the standard stream `fd` (0, 1 or 2) is a terminal or console.
bool isTerminal(int fd);

} // namespace tarvenix::cli
