#pragma once
// The words for every failure that both front ends show, the window in its boxes and the
// command-line tool on stderr: made here, from the failure's code and the file it
// concerns, and nowhere further in.

#include "userfiles/history.h"

#include <QString>

namespace tarvenix {

// Where a text is shown, for the few texts that tell the user what to do in one program.
enum class FrontEnd { Window, CommandLine };

// The transfer's name as messages use it: "Download firmware", "Download data",
// "Save data", "Verify".
QString transferName(TransferKind kind);
// The same name in English, for results that scripts read.
QString transferNameForScripts(TransferKind kind);

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

// After a data download's backup failed: how to download without one.
QString backupOffAdvice(FrontEnd where);

// What a successful transfer adds to its success message, one sentence a line: the backup
// and the verify of a data download, the version before and after a firmware download;
// empty for a save. In the user's language in the window, in English on the command line's
// standard output.
QString successDetails(const TransferRecord &record, FrontEnd where);

// The device as a question or a list names it: "Pressure Mouse (1abe:2202, serial EMU0001)
// at /dev/hidraw0".
QString deviceDescription(const FoundDevice &device);

// A device and its version text, as the firmware question names it.
QString deviceLine(const FoundDevice &device, const QString &version);

// The question before a firmware download: the file, its size and the start of its SHA-256,
// the device and its version text, and what not to do meanwhile.
QString firmwareQuestion(const QString &file, const FileFacts &facts, const FoundDevice &device,
                         const QString &version);
// The same, once for a run on several devices: `devices` made with deviceLine.
QString firmwareQuestion(const QString &file, const FileFacts &facts, const QStringList &devices);

// Said once per run when a transfer could not be added to the history.
QString historyUnwritableMessage(const QString &path, const QString &reason);

// What to do when a supported device is present but cannot be opened.
QString accessHint();

// Why a transfer was stopped when its device went away.
QString unpluggedCause();

} // namespace tarvenix
