#pragma once
// The checks that differ from one system to another, for platform/doctor.cpp.

#include "platform/doctor.h"

namespace tarvenix::doctor {

// Linux: the udev rule and, when it is installed, whether it names the table's products.
// Windows: none, no rule is needed there.
QVector<CheckResult> ruleChecks();
// The device's node is there and this user may read and write it.
CheckResult nodeAccess(const FoundDevice &device);
// The device's input and output report sizes, as its report descriptor gives them.
CheckResult reportSizes(const FoundDevice &device);
// Linux: logind on the system bus. Windows: none, the thread's execution state needs nothing.
QVector<CheckResult> keepAwakeChecks();

} // namespace tarvenix::doctor
