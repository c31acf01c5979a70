#pragma once
// The history file itself: one JSON object a line, each appended whole under the history's
// lock, so that the processes that share it never mix or lose a line; rotated into
// "history.jsonl.1" once it has 1 MiB, so that it never grows without bound; read from its
// end, so that its last records cost as little as a few lines.

#include "userfiles/userfile.h"

#include <QJsonObject>
#include <QStringList>
#include <memory>

namespace tarvenix {

// Where the history is kept: $XDG_STATE_HOME/tarvenix/history.jsonl on Linux (by default
// ~/.local/state), beside the backups folder on Windows.
QString historyPath();

// The lock that every writer of the history holds, exclusive, and every reader, shared.
class HistoryLock : public FileLock {
  public:
    explicit HistoryLock(bool exclusive);
};

// Appends the record as one line, under a lock the caller holds exclusive. A tail without a
// line end (a full disk, a crash) is closed first, so that the record starts a line of its
// own; a write that fails is undone. False, with what the system said, when not written.
bool appendRecordLocked(const QJsonObject &record, QString &problem);

// Whether the process that wrote this start line is gone.
bool startedByGoneProcess(const QJsonObject &start);

// The history's lines from the newest back: the history's, then those of the file it was
// last rotated into. A history that is not a regular file is not read.
class HistoryLines {
  public:
    // The line before the last one given, without its line end; false after the first.
    bool previous(QByteArray &line);

  private:
    bool openNext();

    QStringList files_{historyPath(), historyPath() + QStringLiteral(".1")};
    int next_ = 0;
    std::unique_ptr<UserFile> file_;
    qint64 unread_ = 0; // the bytes of the file before the buffer
    QByteArray buffer_;
};

} // namespace tarvenix
