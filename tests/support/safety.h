#pragma once
// The safety net around transfers is on by default; tests of the transfers themselves turn
// it off, so that each transfer is the one run of the block loop they count requests of.

namespace testsafety {

// Turns the backup and the verify of a data download and the firmware question all off, or
// all on again, in this test's own settings.
void setAll(bool on);
inline void off()
{
    setAll(false);
}

} // namespace testsafety
