#pragma once
// The words for every failure, as both front ends show them: the window in its boxes and
// the command-line tool on standard error. Made from the failure's code and detail and the
// file it concerns. What to do with a front end's own means (a menu setting, an option,
// loading a file again) the front end adds itself.

#include "transfer/blockloop.h"
#include "words/refusals.h"

#include <QString>

namespace tarvenix {

// A failure as a phrase that ends "... failed: ", naming `file` where the failure is the
// file's: "the device did not answer within 8 seconds".
QString failureCause(const Failure &failure, const QString &file);

// A transfer that did not complete: the transfer, its phase and block, the cause, and what
// to do.
QString transferFailureMessage(TransferKind kind, const QString &file,
                               const TransferOutcome &outcome);

// After a stop: where the transfer stopped and what the device holds now.
QString transferStoppedMessage(TransferKind kind, const TransferOutcome &outcome);

} // namespace tarvenix
