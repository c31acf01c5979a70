#include "devicelock.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QDir>
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace tarvenix {

#ifdef Q_OS_WIN

// A file opened without sharing is the lock; Windows closes it with the process.
DeviceLock::DeviceLock(const QString &devicePath)
{
    QString name = devicePath;
    for (QChar &c : name) {
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    }
    const QString file =
        QDir::tempPath() + QStringLiteral("/tarvenix-") + name + QStringLiteral(".lock");
    HANDLE h =
        CreateFileW(reinterpret_cast<const wchar_t *>(file.utf16()), GENERIC_READ | GENERIC_WRITE,
                    0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        busy_ = GetLastError() == ERROR_SHARING_VIOLATION;
        error_ = busy_ ? busyMessage() : QStringLiteral("cannot open the lock file %1").arg(file);
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

// flock on the device node itself, so every program on the machine meets the
// same lock whoever runs it, and it ends with the process, so a crashed program
// never leaves the device locked. O_NOCTTY: a node may be a terminal.
DeviceLock::DeviceLock(const QString &devicePath)
{
    const QByteArray node = QFile::encodeName(devicePath);
    const int fd = ::open(node.constData(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error_ = QStringLiteral("cannot open %1 to lock it: %2")
                     .arg(devicePath, QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        busy_ = errno == EWOULDBLOCK;
        error_ = busy_ ? busyMessage()
                       : QStringLiteral("cannot lock %1: %2")
                             .arg(devicePath, QString::fromLocal8Bit(strerror(errno)));
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
