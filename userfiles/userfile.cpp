#include "userfiles/userfile.h"

#include "device/failure.h"

#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvenix {

namespace {

QString notAFile(const QString &kind)
{
    return QStringLiteral("not a regular file but a %1").arg(kind);
}

} // namespace

QByteArray UserFile::readAt(qint64 offset, qint64 length)
{
    if (!file_.seek(offset))
        return QByteArray();
    return file_.read(length);
}

#ifdef Q_OS_WIN

namespace {

const wchar_t *native(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}

quint64 value(const FILETIME &time)
{
    return (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

QString entryKind(const QString &path)
{
    const DWORD attributes = GetFileAttributesW(native(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return QString();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return QStringLiteral("link");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return QStringLiteral("folder");
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return QStringLiteral("device");
    return QStringLiteral("file");
}

// Windows has no FIFOs among files, and opening a file never waits.
bool UserFile::open(const QString &path, Mode mode)
{
    const QString kind = entryKind(path);
    if (!kind.isEmpty() && kind != QLatin1String("file")) {
        error_ = notAFile(kind);
        return false;
    }
    file_.setFileName(path);
    const QIODevice::OpenMode how =
        mode == Mode::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite | QIODevice::Unbuffered;
    if (file_.open(how))
        return true;
    error_ = file_.errorString();
    return false;
}

bool UserFile::append(const QByteArray &bytes)
{
    const qint64 before = file_.size();
    if (file_.seek(before) && file_.write(bytes) == bytes.size())
        return true;
    error_ = file_.errorString();
    file_.resize(before);
    return false;
}

// Qt keeps the file's own handle to itself, so the lock is taken through a second one.
FileLock::FileLock(const QString &path, bool exclusive)
{
    if (!file_.open(path, UserFile::Mode::Append)) {
        error_ = file_.error();
        return;
    }
    handle_ = CreateFileW(native(path), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED from{};
    held_ = handle_ != INVALID_HANDLE_VALUE &&
            LockFileEx(handle_, exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0, 0, 1, 0, &from);
    if (!held_)
        error_ = systemReason(int(GetLastError()));
}

FileLock::~FileLock()
{
    if (handle_ && handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

ProcessStamp thisProcess()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return {qint64(GetCurrentProcessId()), QString::number(value(created))};
}

bool processGone(const ProcessStamp &owner)
{
    if (owner.pid <= 0)
        return true;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(owner.pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    FILETIME created, exited, kernel, user;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    const bool same =
        owner.instance.isEmpty() || (GetProcessTimes(process, &created, &exited, &kernel, &user) &&
                                     owner.instance == QString::number(value(created)));
    CloseHandle(process);
    return !running || !same;
}

#else

QString entryKind(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    if (S_ISREG(st.st_mode))
        return QStringLiteral("file");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("folder");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("fifo");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("socket");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return QStringLiteral("device");
    return QStringLiteral("other");
}

// Opened without waiting (a FIFO would wait for a writer) and without following a link;
// only then is it asked what it is.
bool UserFile::open(const QString &path, Mode mode)
{
    const int access = mode == Mode::Read ? O_RDONLY : O_RDWR | O_APPEND | O_CREAT;
    const int fd = ::open(QFile::encodeName(path).constData(),
                          access | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        error_ = errno == ELOOP ? notAFile(QStringLiteral("link")) : systemReason(errno);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error_ = notAFile(entryKind(path));
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const QIODevice::OpenMode how =
        mode == Mode::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite | QIODevice::Unbuffered;
    file_.open(fd, how, QFileDevice::AutoCloseHandle);
    return true;
}

// The system's own write, for its reason: Qt reports a short write without one.
bool UserFile::append(const QByteArray &bytes)
{
    const int fd = file_.handle();
    const off_t before = ::lseek(fd, 0, SEEK_END);
    const char *next = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error_ = systemReason(written < 0 ? errno : EIO);
            // Undone as a whole: the next record starts where this one would have.
            if (::ftruncate(fd, before) != 0)
                error_ += QStringLiteral("; a part of it stays: ") + systemReason(errno);
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

// Released with the file, when this goes.
FileLock::FileLock(const QString &path, bool exclusive)
{
    if (!file_.open(path, UserFile::Mode::Append)) {
        error_ = file_.error();
        return;
    }
    int rc;
    do
        rc = ::flock(file_.handle(), exclusive ? LOCK_EX : LOCK_SH);
    while (rc != 0 && errno == EINTR);
    held_ = rc == 0;
    if (!held_)
        error_ = systemReason(errno);
}

FileLock::~FileLock() = default;

namespace {

// Another after every boot, so that a process id of an earlier boot names no process now.
QString bootId()
{
    static const QString id = [] {
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().trimmed())
                                              : QString();
    }();
    return id;
}

} // namespace

ProcessStamp thisProcess()
{
    return {qint64(::getpid()), bootId()};
}

bool processGone(const ProcessStamp &owner)
{
    if (owner.pid <= 0 || (!owner.instance.isEmpty() && owner.instance != bootId()))
        return true;
    // EPERM: it runs, as another user.
    return ::kill(pid_t(owner.pid), 0) != 0 && errno == ESRCH;
}

#endif

} // namespace tarvenix
