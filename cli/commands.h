#pragma once
// The nine commands. hidapi must be started for the seven that use a device.

#include "cli/options.h"
#include "transfer/devicecontroller.h"

#include <QJsonObject>

namespace tarvenix::cli {

Status runList(const Options &o);
Status runVersion(const Options &o);
// firmware, data and save, each recorded in the history.
Status runTransfer(const Options &o);
Status runVerify(const Options &o);
Status runBackups(const Options &o);
Status runHistory(const Options &o);
Status runDoctor(const Options &o);

// --json: every run prints one JSON document on stdout, this way, with its "schema".
void printDocument(const QJsonObject &root);
// The end of a run with --json that failed before printing its document (a file refused, no
// device found): its failure as a result without a device.
void printFailureDocument(const Options &o, const Status &status);
// Before a command on a device: the transfers that a crash ended, each told once on stderr.
void tellInterruptedTransfers();

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
// The request as the options and the window's settings make it.
TransferRequest requestFor(TransferKind kind, const QString &file, const Options &o);
// The firmware question, asked only of a user at a terminal (--yes and the window's menu
// answer it before): false when the answer was not yes.
bool confirmed(const Options &o, const QString &question);
// The refusal after the firmware question was not answered yes.
Status declined();
// Tells, on stderr, that a transfer's record could not be added to the history.
void tellHistoryProblem(const TransferRecord &record);
// The result lines on stdout, the same for one device as for each of several.
QString savedResult(const QString &file);
QString verifiedResult(const QString &file, int blocks);
// "Download firmware done (64 blocks)", with " and verified" after a verified data download.
QString doneResult(const TransferRecord &record);
// A stop signal that came after the transfer's last block: the transfer was done, and only
// what follows it (the version read again) was skipped.
Status stoppedAfterLastBlock(const TransferRecord &record, int signalNumber);

} // namespace tarvenix::cli
