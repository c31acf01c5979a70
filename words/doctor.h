#pragma once
// The words for the checks of a real device's set-up (platform/doctor.h): each check's
// name, what it found and what to do when it failed. The command-line tool's doctor prints
// them; the window names the first failing one where it says the device is not connected.

#include "platform/doctor.h"
#include "words/tongue.h"

namespace tarvenix {

// "udev rule", "device access".
QString checkName(Check check, Tongue tongue = Tongue::User);
// What the check found: "70-tarvenix.rules is not installed (looked in ...)".
QString checkFinding(const CheckResult &result, Tongue tongue = Tongue::User);
// What to do about a failed check; empty for one that held.
QString checkAdvice(const CheckResult &result, Tongue tongue = Tongue::User);
// Its name and what it found: "udev rule: 70-tarvenix.rules is not installed (...)."
QString checkLine(const CheckResult &result, Tongue tongue = Tongue::User);
// The check in one line: its name, what it found, and what to do when it failed.
QString checkSentence(const CheckResult &result, Tongue tongue = Tongue::User);

// For the window's "not connected" state: the first check that fails, in one line in the
// user's language; empty when every check holds. It may wait for the system bus for up
// to two seconds. hidapi must be started.
QString firstFailingCheckText();

// Said wherever the checks are shown in full: what they name is private.
QString checksPrivacyNote();

} // namespace tarvenix
