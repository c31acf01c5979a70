#pragma once
// The record of one transfer, as the history keeps it and both programs tell it, and the
// history file: one JSON line per transfer, appended.

#include "device/discovery.h"
#include "transfer/blockloop.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QStringList>
#include <QVector>

namespace tarvenix {

struct TransferRecord {
    // The form of a history line: raised when a key changes meaning. Lines without one were
    // written by earlier versions, with the failure in the words the user was shown.
    static constexpr int kSchema = 2;

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
    bool verify = false; // a data download read the area back to compare it
    TransferOutcome outcome;
    qint64 durationMs = 0;
    // Not kept: why the history could not be written (what the system said), told once per
    // run; empty when it was written or had been told already.
    QString historyProblem;

    // Starts the record and its clock.
    TransferRecord(TransferKind kind, FoundDevice device, QString file);
    TransferRecord() = default;
    // The transfer's end: its outcome and the time it took.
    void finish(const TransferOutcome &end);
    void versionReadAgain(const Failure &failure, const QString &version);
    bool ok() const { return outcome.ok(); }
    // Stopped on request, by a signal or an unplug, rather than failed.
    bool stopped() const;

    // The history's line, with the file's size and SHA-256 as the file is now.
    QJsonObject toJson() const;

  private:
    QElapsedTimer clock_;
};

// Where the history is kept: $XDG_STATE_HOME/tarvenix/history.jsonl on Linux (by default
// ~/.local/state), beside the backups folder on Windows.
QString historyPath();

// Appends the record's line to the history. The history never makes a transfer fail: a
// history that cannot be written is only told, once per run, in record.historyProblem.
void keepInHistory(TransferRecord &record);

// The last `limit` lines of the history (all with 0) that are JSON objects, oldest first.
QVector<QJsonObject> readHistory(int limit);

// What a file holds now, for the history and for the firmware question.
struct FileFacts {
    bool exists = false;
    qint64 size = 0;
    QString sha256; // hex
};
FileFacts fileFacts(const QString &path);

// A history line's result: "ok", "failed" or "stopped".
QString resultName(const TransferRecord &record);
// The phase of a transfer as the history names it: "backup", "download" or "verify" in a
// data download; the transfer's own name otherwise.
QString phaseKey(TransferKind kind, TransferKind phase);

} // namespace tarvenix
