#include "savefile.h"

#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

PlaceResult replaceEntry(const QString &from, const QString &to)
{
    return move(from, to, MOVEFILE_REPLACE_EXISTING);
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

} // namespace

bool entryExists(const QString &path)
{
    return GetFileAttributesW(native(path)) != INVALID_FILE_ATTRIBUTES;
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

PlaceResult replaceEntry(const QString &from, const QString &to)
{
    // rename() replaces the entry itself: a link is replaced, never written through.
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return placed();
    return failed(errno);
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

} // namespace

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

SaveFile::SaveFile(QString target, bool replaceExisting)
    : target_(std::move(target)), replace_(replaceExisting)
{
}

SaveFile::~SaveFile()
{
    if (temp_.fileName().isEmpty() || !keptFile_.isEmpty())
        return;
    temp_.close();
    QFile::remove(temp_.fileName());
}

bool SaveFile::fail(FailureCode code, const QString &detail)
{
    failure_ = {code, detail};
    return false;
}

bool SaveFile::open()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    // A random suffix makes a name of our own. The open refuses a name that is taken,
    // a link included, so nothing is written through a link planted there.
    for (int attempt = 0; attempt < 16; ++attempt) {
        QString name = target_ + QLatin1Char('.');
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(62)]);
        temp_.setFileName(name);
        if (temp_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        const QString reason = temp_.errorString();
        temp_.setFileName(QString());
        if (!entryExists(name))
            return fail(FailureCode::TargetUnwritable, reason);
    }
    if (!temp_.isOpen())
        return fail(FailureCode::NoTemporaryName);
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
    temp_.close();
    if (temp_.error() != QFileDevice::NoError)
        return fail(FailureCode::FileWriteFailed, temp_.errorString());
    return true;
}

bool SaveFile::place()
{
    const QString temp = temp_.fileName();
    const PlaceResult r =
        replace_ ? replaceEntry(temp, target_) : placeWithoutReplacing(temp, target_);
    if (r.placed) {
        temp_.setFileName(QString());
        return true;
    }
    if (!r.taken)
        return fail(FailureCode::FileWriteFailed, r.error);
    keptFile_ = temp;
    return fail(FailureCode::TargetAppeared);
}

bool SaveFile::commit(const QByteArray &data)
{
    return writeAll(data) && place();
}

} // namespace tarvenix
