#include "devicelock.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace tarvenix {

QString DeviceLock::lockFilePath(const QString &devicePath)
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    QString name = devicePath;
    for (QChar &c : name) {
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    }
    return dir + QStringLiteral("/tarvenix-") + name + QStringLiteral(".lock");
}

#ifdef Q_OS_WIN

// A file opened without sharing is the lock; Windows closes it with the process.
DeviceLock::DeviceLock(const QString &devicePath)
{
    const QString file = lockFilePath(devicePath);
    HANDLE h =
        CreateFileW(reinterpret_cast<const wchar_t *>(file.utf16()), GENERIC_READ | GENERIC_WRITE,
                    0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = GetLastError() == ERROR_SHARING_VIOLATION
                     ? busyMessage()
                     : QStringLiteral("cannot open the lock file %1").arg(file);
        return;
    }
    lock_ = reinterpret_cast<qintptr>(h);
}

DeviceLock::~DeviceLock()
{
    if (acquired())
        CloseHandle(reinterpret_cast<HANDLE>(lock_));
}

#else

// flock ends with the process, so a crashed program never leaves the device locked.
DeviceLock::DeviceLock(const QString &devicePath)
{
    const QByteArray file = QFile::encodeName(lockFilePath(devicePath));
    const int fd = ::open(file.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error_ = QStringLiteral("cannot open the lock file %1: %2")
                     .arg(QString::fromLocal8Bit(file), QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error_ = busyMessage();
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

QString DeviceLock::busyMessage()
{
    return QStringLiteral("The device is busy: another Tarvenix program is transferring with "
                          "it. Please wait until that transfer has finished, then try again.");
}

} // namespace tarvenix
