#pragma once
// The words for what a transfer did: its name and its phases, what a successful one adds to
// its success message, and a history record as both front ends list it.

#include "userfiles/history.h"
#include "words/tongue.h"

#include <QJsonObject>
#include <QStringList>

namespace tarvenix {

// The transfer's name as messages use it: "Download firmware", "Download data",
// "Save data", "Verify".
QString transferName(TransferKind kind, Tongue tongue = Tongue::User);
// A phase of a data download as messages name it: "backup", "download", "verify"; for the
// other transfers, their name.
QString phaseName(TransferKind kind, TransferKind phase);
// A phase as its progress is titled: "Backup", "Download data", "Verify".
QString phaseTitle(TransferKind kind, TransferKind phase);

// The sentence that names a data download's backup and how to restore it.
QString backupKeptNote(const QString &backupFile, Tongue tongue);

// What a successful transfer adds to its success message, one sentence a line: the backup
// and the verify of a data download, the version before and after a firmware download;
// empty for a save.
QString successDetails(const TransferRecord &record, Tongue tongue);

// A history record as both programs list it, in the user's words: local time, transfer,
// result, file, device, and the backup taken or what failed. A record of an earlier version keeps
// the words it was written with.
QStringList historyColumns(const QJsonObject &entry);

// Said under a list of the history when some of its lines could not be read.
QString historySkippedNote(int skipped);

// A transfer that its program never ended, as recoverInterruptedTransfers() found it (its
// end line): which, on which device, when, what the device may hold now and what to do.
QString interruptedMessage(const QJsonObject &end);

// Said once when a settings file was ignored (takeIgnoredSettings()).
QString settingsIgnoredMessage(const QString &path);

// Said once per run when a transfer could not be added to the history.
QString historyUnwritableMessage(const QString &path, const QString &reason);

} // namespace tarvenix
