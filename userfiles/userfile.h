#pragma once
// The program's own files in the user's folders (the history and its lock, the backups'
// markers), opened with care: a name that is a link, a FIFO, a device or a folder is
// refused without waiting on it or following it. And who wrote a record: a process, told
// apart from a later one that got its id, so that one that is gone can be found.

#include <QFile>
#include <QString>

namespace tarvenix {

// What a name is, without following a link: "file", "link", "folder", "fifo", "socket",
// "device" or "other"; empty when there is no entry of that name.
QString entryKind(const QString &path);

class UserFile {
  public:
    enum class Mode {
        Read,
        Append, // created when missing; read and appended to
    };

    // False, with error(), when it cannot be opened or is not a regular file.
    bool open(const QString &path, Mode mode);
    // In English: what the system said, or what the name is instead of a file.
    QString error() const { return error_; }
    qint64 size() const { return file_.size(); }
    int handle() const { return file_.handle(); }
    QByteArray readAt(qint64 offset, qint64 length);
    // Writes all of bytes at the end. A write that fails or falls short (a full disk) is
    // undone, so that no fragment stays, and error() gives the system's reason.
    bool append(const QByteArray &bytes);

  private:
    QFile file_;
    QString error_;
};

// An exclusive or shared lock on the lock file at path, created when missing, held for
// this object's life: flock on Linux, LockFileEx on Windows. Waits for the holder.
class FileLock {
  public:
    FileLock(const QString &path, bool exclusive);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool held() const { return held_; }
    QString error() const { return error_; }

  private:
    UserFile file_;
    bool held_ = false;
    QString error_;
#ifdef Q_OS_WIN
    void *handle_ = nullptr; // a second handle of the lock file's, which LockFileEx takes
#endif
};

// A process as a record names it: its id, and what tells it from a later process with
// the same id (on Linux the boot, on Windows the process's start).
struct ProcessStamp {
    qint64 pid = 0;
    QString instance;
};

ProcessStamp thisProcess();
// Whether the process has ended; by its id alone when the instance is not known.
bool processGone(const ProcessStamp &owner);

} // namespace tarvenix
