#pragma once
// The six commands. hidapi must be started.

#include "cli/options.h"
#include "workers/devicecontroller.h"

namespace tarvenix::cli {

Status runList(const Options &o);
Status runVersion(const Options &o);
// firmware, data (with --verify) and save.
Status runTransfer(const Options &o);
Status runVerify(const Options &o);

// What the commands share with a run on several devices.
TransferKind kindOf(Command c);
// A file to send, or to verify against, as the window checks it; its blocks.
Status checkSource(TransferKind kind, const QString &file, int *blocks);
// A save's target: the name as given, then the name with its suffix.
Status checkTarget(const QString &given, const QString &target, bool force);
// A transfer that did not complete, told as the window tells it.
Status transferFailure(TransferKind kind, const QString &file, const TransferOutcome &outcome);
// The version query's failure on this device, as words; none when it succeeded.
Status versionFailure(const Failure &failure, const DeviceController &device);

} // namespace tarvenix::cli
