#pragma once
// The record of one transfer, as the history keeps it and both programs tell it: a line when
// it starts and one when it ends, which share the transfer's id, so that a transfer whose
// program died in the middle is found at the next start.

#include "device/discovery.h"
#include "transfer/blockloop.h"
#include "userfiles/historyfile.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QStringList>
#include <QVector>

namespace tarvenix {

struct TransferRecord {
    // The form of a history line: raised when a key changes meaning. Lines without one were
    // written by earlier versions, with the failure in the words the user was shown; lines
    // of schema 2 have no start lines and no id.
    static constexpr int kSchema = 3;

    QString id;     // shared by the transfer's start and end lines
    QDateTime time; // UTC, when the transfer started
    TransferKind kind = TransferKind::Firmware;
    FoundDevice device;
    QString versionBefore;
    // After a firmware download the device is asked its version again: what it said, or
    // why it could not be read.
    bool versionAsked = false;
    QString versionAfter;
    Failure versionFailure;
    QString file;
    // The file to send as noted before the first block; the outcome says what was sent.
    FileFacts source;
    bool verify = false; // a data download read the area back to compare it
    // The outcome, once the transfer has ended; before, only where its backup goes.
    TransferOutcome outcome;
    qint64 durationMs = 0;
    // Not kept: why the history could not be written (what the system said), told once per
    // run; empty when it was written or had been told already.
    QString historyProblem;

    // Starts the record and its clock, with an id of its own.
    TransferRecord(TransferKind kind, FoundDevice device, QString file);
    TransferRecord() = default;
    // The transfer's end: its outcome and the time it took.
    void finish(const TransferOutcome &end);
    void versionReadAgain(const Failure &failure, const QString &version);
    bool ok() const { return outcome.ok(); }
    // Stopped on request, by a signal or an unplug, rather than failed.
    bool stopped() const;

    // The history's start line: the transfer, the file as noted, where its backup goes and
    // the process that runs it.
    QJsonObject startJson() const;
    // The history's end line, with the size and SHA-256 of what was sent, or of the file as
    // noted when not all of it was.
    QJsonObject toJson() const;

  private:
    QElapsedTimer clock_;
};

// Appends the record's start line, or its end line, to the history. The history never makes
// a transfer fail: a history that cannot be written is only told, once per run, in
// record.historyProblem.
void noteStartInHistory(TransferRecord &record);
void keepInHistory(TransferRecord &record);

// The last `limit` transfers of the history (all with 0), oldest first: the end lines, the
// lines of earlier versions, and the start lines of transfers that have not ended, with the
// result "running", or "interrupted" once their process is gone. `skipped` counts the lines
// read that are no JSON object.
QVector<QJsonObject> readHistory(int limit, int *skipped = nullptr);

// The transfers that started and never ended, and whose process is gone: each gets an end
// line with the result "interrupted" (and the backup of a data download, once it was
// whole), under the history's lock, so that one process only finds it. Returns those end
// lines, oldest first. The temporary files of the saves they made are removed.
QVector<QJsonObject> recoverInterruptedTransfers();

// A history line's result: "ok", "failed" or "stopped".
QString resultName(const TransferRecord &record);
// The phase of a transfer as the history names it: "backup", "download" or "verify" in a
// data download; the transfer's own name otherwise.
QString phaseKey(TransferKind kind, TransferKind phase);

} // namespace tarvenix
