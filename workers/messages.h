#pragma once
// The words for every failure that both front ends show, the window in its boxes and the
// command-line tool on stderr: made here, from the failure's code and the file it
// concerns, and nowhere further in.

#include "workers/blockloop.h"

#include <QString>

namespace tarvenix {

// The transfer's name as messages use it: "Download firmware", "Download data",
// "Save data", "Verify".
QString transferName(TransferKind kind);

// A failure as a phrase that ends "... failed: ", naming `file` where the failure is the
// file's: "the device did not answer within 8 seconds".
QString failureCause(const Failure &failure, const QString &file);

// A refusal before a transfer starts, as sentences: what is wrong and what to do.
QString refusalMessage(const Failure &failure, const QString &file);

// A transfer that did not complete: the transfer, its block and cause, and what to do.
QString transferFailureMessage(TransferKind kind, const QString &file,
                               const TransferOutcome &outcome);

// After a stop: where the transfer stopped and what the device holds now.
QString transferStoppedMessage(TransferKind kind, const TransferOutcome &outcome);

// What to do when a supported device is present but cannot be opened.
QString accessHint();

// Why a transfer was stopped when its device went away.
QString unpluggedCause();

} // namespace tarvenix
