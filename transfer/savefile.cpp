#include "savefile.h"

#include "userfiles/userfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvenix {

namespace {

PlaceResult placed()
{
    PlaceResult r;
    r.placed = true;
    return r;
}

PlaceResult taken()
{
    PlaceResult r;
    r.taken = true;
    return r;
}

PlaceResult failed(int code)
{
    PlaceResult r;
    r.error = qt_error_string(code);
    return r;
}

QString randomLetters()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString letters;
    for (int i = 0; i < 6; ++i)
        letters += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(62)]);
    return letters;
}

const QString kTemporaryPrefix = QStringLiteral(".tvx-");

} // namespace

#ifdef Q_OS_WIN

namespace {

const wchar_t *native(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}

PlaceResult move(const QString &from, const QString &to, DWORD flags)
{
    if (MoveFileExW(native(from), native(to), flags | MOVEFILE_WRITE_THROUGH))
        return placed();
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
        return taken();
    return failed(int(code));
}

// Qt keeps the file's own handle to itself; flushing through a second handle flushes
// the file.
bool syncToDisk(QFile &file, QString &reason)
{
    const HANDLE h =
        CreateFileW(native(file.fileName()), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool flushed = h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
    if (!flushed)
        reason = qt_error_string(int(GetLastError()));
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return flushed;
}

// Windows has no file without a name.
int openUnnamedIn(const QString &, int &error)
{
    error = 0;
    return -1;
}

PlaceResult linkUnnamed(int, const QString &)
{
    return failed(ERROR_NOT_SUPPORTED);
}

// Windows refuses to remove a file that a program holds open.
void holdTemporary(QFile &) {}

bool inUse(const QString &)
{
    return false;
}

} // namespace

bool entryExists(const QString &path)
{
    return GetFileAttributesW(native(path)) != INVALID_FILE_ATTRIBUTES;
}

PlaceResult replaceEntry(const QString &from, const QString &to)
{
    return move(from, to, MOVEFILE_REPLACE_EXISTING);
}

// MoveFileEx without MOVEFILE_REPLACE_EXISTING refuses a taken name in one step on
// every Windows file system, so there is nothing to fall back to.
PlaceResult placeWithoutReplacing(const QString &from, const QString &to, Refusal)
{
    return move(from, to, 0);
}

#else

namespace {

// The file system does not offer the rename that refuses to replace.
bool noReplaceRenameUnsupported(int code)
{
    return code == EINVAL || code == ENOSYS || code == EOPNOTSUPP;
}

// The file system has no hard links (vfat says EPERM).
bool hardLinksUnsupported(int code)
{
    return code == EPERM || code == ENOSYS || code == EOPNOTSUPP;
}

bool syncToDisk(QFile &file, QString &reason)
{
    if (::fsync(file.handle()) == 0)
        return true;
    reason = qt_error_string(errno);
    return false;
}

// The result of a call that tests make fail as the given file system would.
int refusedWith(int code)
{
    errno = code;
    return -1;
}

// A file without a name in the folder, which goes with its last descriptor unless it is
// given one: its descriptor, or -1 with the system's error number in `error`, 0 where the
// file system has no such files (vfat, some network file systems).
int openUnnamedIn(const QString &folder, int &error)
{
    error = 0;
    // An unprivileged process names such a file through /proc.
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        error = errno;
    return fd;
}

// linkat refuses a name that is taken, as the rename that refuses to replace does.
PlaceResult linkUnnamed(int fd, const QString &to)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                 AT_SYMLINK_FOLLOW) == 0)
        return placed();
    return errno == EEXIST ? taken() : failed(errno);
}

// Held while the file is open: a file whose lock can be taken has no owner left, even
// one on another machine that shares the folder.
void holdTemporary(QFile &file)
{
    ::flock(file.handle(), LOCK_EX | LOCK_NB);
}

bool inUse(const QString &path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

} // namespace

PlaceResult replaceEntry(const QString &from, const QString &to)
{
    // rename() replaces the entry itself: a link is replaced, never written through.
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return placed();
    return failed(errno);
}

bool entryExists(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

PlaceResult placeWithoutReplacing(const QString &from, const QString &to, Refusal simulated)
{
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
    int rc = simulated != Refusal::None ? refusedWith(EINVAL)
                                        : ::renameat2(AT_FDCWD, src.constData(), AT_FDCWD,
                                                      dst.constData(), RENAME_NOREPLACE);
    if (rc == 0)
        return placed();
    if (errno == EEXIST)
        return taken();
    if (!noReplaceRenameUnsupported(errno))
        return failed(errno);
    // A hard link refuses a taken name too; the temporary name goes once the link is made.
    rc = simulated == Refusal::NoReplaceRenameAndLinks ? refusedWith(EPERM)
                                                       : ::link(src.constData(), dst.constData());
    if (rc == 0) {
        ::unlink(src.constData());
        return placed();
    }
    if (errno == EEXIST)
        return taken();
    if (!hardLinksUnsupported(errno))
        return failed(errno);
    // Nothing here refuses a taken name in one step, so look just before the rename.
    // A file created between this look and the rename is still replaced; the window
    // is a few microseconds wide instead of the whole transfer.
    if (entryExists(to))
        return taken();
    if (::rename(src.constData(), dst.constData()) != 0)
        return failed(errno);
    return placed();
}

#endif

QString linkTarget(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : QString();
}

// ".tvx-PID-XXXXXX": removed once process PID has gone and nothing holds the file.
void removeStaleTemporaries(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({kTemporaryPrefix + QLatin1Char('*')},
                                            QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : names) {
        const qint64 pid = name.section(QLatin1Char('-'), 1, 1).toLongLong();
        const QString path = dir.filePath(name);
        if (pid > 0 && processGone({pid, {}}) && !inUse(path))
            QFile::remove(path);
    }
}

SaveFile::SaveFile(QString target, bool replaceExisting)
    : target_(std::move(target)), replace_(replaceExisting)
{
}

SaveFile::~SaveFile()
{
    temp_.close();
    if (!tempName_.isEmpty())
        QFile::remove(tempName_);
}

bool SaveFile::fail(FailureCode code, const QString &detail)
{
    failure_ = {code, detail};
    return false;
}

// Only a regular file or a link is replaced: a folder or a FIFO of the name is refused
// before anything is written.
bool SaveFile::open()
{
    const QString kind = entryKind(target_);
    if (!kind.isEmpty() && kind != QLatin1String("file") && kind != QLatin1String("link"))
        return fail(FailureCode::TargetNotAFile, kind);
    removeStaleTemporaries(QFileInfo(target_).path());
    // An unnamed file cannot replace a name in one step, so a replacing save names its own.
    return (!replace_ && openUnnamed()) || (failure_.code == FailureCode::None && openNamed());
}

// False without a failure where the file system has no files without a name.
bool SaveFile::openUnnamed()
{
    int error = 0;
    const int fd = openUnnamedIn(QFileInfo(target_).path(), error);
    if (error)
        return fail(FailureCode::TargetUnwritable, systemReason(error));
    return fd >= 0 && temp_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                                 QFileDevice::AutoCloseHandle);
}

// A short name, whatever the target's length, that says whose it is. The open refuses a
// name that is taken, a link included, so nothing is written through a link planted there.
bool SaveFile::openNamed()
{
    const QString base = QFileInfo(target_).path() + QLatin1Char('/') + kTemporaryPrefix +
                         QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-');
    for (int attempt = 0; attempt < 16 && !temp_.isOpen(); ++attempt) {
        temp_.setFileName(base + randomLetters());
        if (temp_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        const QString reason = temp_.errorString();
        if (!entryExists(temp_.fileName()))
            return fail(FailureCode::TargetUnwritable, reason);
    }
    if (!temp_.isOpen())
        return fail(FailureCode::NoTemporaryName);
    tempName_ = temp_.fileName();
    holdTemporary(temp_);
    // A replaced file keeps its permissions, as an editor's save keeps them.
    const QFileInfo old(target_);
    if (replace_ && old.isFile() && !old.isSymLink())
        temp_.setPermissions(old.permissions());
    return true;
}

bool SaveFile::writeAll(const QByteArray &data)
{
    const char *next = data.constData();
    qint64 left = data.size();
    // A short write is followed by another, so that the call that fails gives the
    // system's reason ("No space left on device").
    while (left > 0) {
        const qint64 written = temp_.write(next, left);
        if (written <= 0)
            return fail(FailureCode::FileWriteFailed, temp_.errorString());
        next += written;
        left -= written;
    }
    QString reason;
    if (!syncToDisk(temp_, reason))
        return fail(FailureCode::FileWriteFailed, reason);
    return true;
}

PlaceResult SaveFile::putWithoutReplacing(const QString &to)
{
    return tempName_.isEmpty() ? linkUnnamed(temp_.handle(), to)
                               : placeWithoutReplacing(tempName_, to);
}

// The data of a save whose target was taken meanwhile, under a name of its own beside it,
// which no start removes.
void SaveFile::keep()
{
    const QString base = QFileInfo(target_).path() + QStringLiteral("/tvx-kept-");
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = base + randomLetters() + QStringLiteral(".bin");
        const PlaceResult r = putWithoutReplacing(name);
        if (r.placed) {
            keptFile_ = name;
            tempName_.clear();
            return;
        }
        if (!r.taken)
            break;
    }
    // Not placed: a named temporary file at least stays, rather than go with this object.
    keptFile_ = tempName_;
    tempName_.clear();
}

bool SaveFile::place()
{
    // A named file is closed first: Windows moves no file that is open. An unnamed one
    // would go with its descriptor.
    if (!tempName_.isEmpty()) {
        temp_.close();
        if (temp_.error() != QFileDevice::NoError)
            return fail(FailureCode::FileWriteFailed, temp_.errorString());
    }
    const PlaceResult r =
        replace_ ? replaceEntry(tempName_, target_) : putWithoutReplacing(target_);
    if (r.placed) {
        tempName_.clear();
        temp_.close();
        return true;
    }
    if (!r.taken)
        return fail(FailureCode::FileWriteFailed, r.error);
    keep();
    return fail(FailureCode::TargetAppeared);
}

bool SaveFile::commit(const QByteArray &data)
{
    return writeAll(data) && place();
}

} // namespace tarvenix
