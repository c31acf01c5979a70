#include "devicelock.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QHash>
#include <QMutex>
#include <string>
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace tarvenix {

#ifdef Q_OS_WIN

namespace {

// One name per device for every session on the machine: Windows paths ignore
// case, and a kernel object's name may not hold a backslash after the prefix.
std::wstring mutexName(const QString &devicePath)
{
    QString name = devicePath.toLower();
    for (QChar &c : name) {
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    }
    return (QStringLiteral("Global\\tarvenix-device-") + name).toStdWString();
}

// Every user may wait on the mutex and release it, so that the programs of two
// users logged on at once exclude each other too.
HANDLE openMutex(const std::wstring &name)
{
    constexpr DWORD kAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x100001;;;WD)", SDDL_REVISION_1,
                                                         &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE h = CreateMutexExW(descriptor ? &attributes : nullptr, name.c_str(), 0, kAccess);
    LocalFree(descriptor);
    return h;
}

// A mutex is recursive for the thread that owns it; this table makes a second
// lock on the same device in this process fail, as it does in another one.
QMutex heldGuard;
QHash<QString, HANDLE> held;

} // namespace

// A named mutex is the lock: Windows gives it up when its process ends, and a
// program that died holding it leaves it abandoned, which the next one takes.
// It is released on the thread that took it, as Windows requires.
DeviceLock::DeviceLock(const QString &devicePath)
{
    const std::wstring name = mutexName(devicePath);
    const QString key = QString::fromStdWString(name);
    QMutexLocker locker(&heldGuard);
    if (held.contains(key)) {
        failure_ = {FailureCode::Busy, {}};
        return;
    }
    HANDLE h = openMutex(name);
    if (!h) {
        const DWORD code = GetLastError();
        failure_ =
            code == ERROR_ACCESS_DENIED
                ? Failure{FailureCode::Busy, {}}
                : Failure{FailureCode::LockFailed,
                          QStringLiteral("cannot create %1: %2").arg(key, systemReason(int(code)))};
        return;
    }
    const DWORD wait = WaitForSingleObject(h, 0);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        CloseHandle(h);
        failure_ = {FailureCode::Busy, {}};
        return;
    }
    held.insert(key, h);
    lock_ = reinterpret_cast<qintptr>(h);
}

DeviceLock::~DeviceLock()
{
    if (!acquired())
        return;
    HANDLE h = reinterpret_cast<HANDLE>(lock_);
    ReleaseMutex(h);
    CloseHandle(h);
    QMutexLocker locker(&heldGuard);
    held.remove(held.key(h));
}

#else

// flock on the device node itself, so every program on the machine meets the
// same lock whoever runs it, and it ends with the process, so a crashed program
// never leaves the device locked. O_NOCTTY: a node may be a terminal.
DeviceLock::DeviceLock(const QString &devicePath)
{
    const QByteArray node = QFile::encodeName(devicePath);
    const int fd = ::open(node.constData(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        failure_ = {FailureCode::LockFailed,
                    QStringLiteral("cannot open %1: %2").arg(devicePath, systemReason(errno))};
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        failure_ =
            errno == EWOULDBLOCK
                ? Failure{FailureCode::Busy, {}}
                : Failure{
                      FailureCode::LockFailed,
                      QStringLiteral("cannot lock %1: %2").arg(devicePath, systemReason(errno))};
        ::close(fd);
        return;
    }
    lock_ = fd;
}

DeviceLock::~DeviceLock()
{
    if (acquired())
        ::close(int(lock_));
}

#endif

} // namespace tarvenix
