#include "filechecks.h"

#include "device/report.h"
#include "transfer/savefile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace tarvenix {

QString kindName(TransferKind kind)
{
    switch (kind) {
    case TransferKind::Firmware:
        return QStringLiteral("firmware");
    case TransferKind::Data:
        return QStringLiteral("data");
    case TransferKind::Save:
        return QStringLiteral("save");
    case TransferKind::Verify:
        break;
    }
    return QStringLiteral("verify");
}

namespace {

Failure sizeRefusal(TransferKind kind, qint64 size)
{
    const QString bytes = QString::number(size);
    if (size == 0 || size % kBlockSize != 0)
        return {FailureCode::FileNotBlocks, bytes};
    if ((kind == TransferKind::Data || kind == TransferKind::Verify) && size > kDataAreaSize)
        return {FailureCode::FileOverDataArea, bytes};
    if (size > kMaxOffsetFileSize)
        return {FailureCode::FileOverAddress, bytes};
    return {};
}

} // namespace

#ifdef Q_OS_WIN

FileIdentity identityAt(const QString &path)
{
    const QFileInfo info(path);
    FileIdentity id;
    if (info.isFile()) {
        id.size = info.size();
        id.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    }
    return id;
}

FileIdentity identityOf(const QFile &file)
{
    return identityAt(file.fileName());
}

#else

namespace {

FileIdentity identityFrom(int rc, const struct stat &st)
{
    FileIdentity id;
    if (rc != 0)
        return id;
    id.size = st.st_size;
    id.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    return id;
}

} // namespace

FileIdentity identityAt(const QString &path)
{
    struct stat st;
    return identityFrom(::stat(QFile::encodeName(path).constData(), &st), st);
}

FileIdentity identityOf(const QFile &file)
{
    struct stat st;
    return identityFrom(::fstat(file.handle(), &st), st);
}

#endif

FileFacts fileFacts(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return fileFacts(file);
}

FileFacts fileFacts(QFile &file)
{
    FileFacts facts;
    facts.identity = identityOf(file);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    facts.exists = file.seek(0) && hash.addData(&file) && file.seek(0);
    facts.size = facts.identity.size;
    facts.sha256 = QString::fromLatin1(hash.result().toHex());
    return facts;
}

FileFacts bytesFacts(qint64 size, const QByteArray &sha256)
{
    FileFacts facts;
    facts.exists = true;
    facts.size = size;
    facts.sha256 = QString::fromLatin1(sha256.toHex());
    return facts;
}

Failure checkSourceFile(TransferKind kind, const QString &path, qint64 *size)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {FailureCode::FileMissing, {}};
    if (!info.isFile())
        return {FailureCode::NotAFile, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FailureCode::FileUnreadable, file.errorString()};
    Failure refusal = sizeRefusal(kind, file.size());
    if (!refusal && size)
        *size = file.size();
    return refusal;
}

Failure checkSaveName(const QString &chosen)
{
    if (chosen.isEmpty())
        return {FailureCode::NoSaveName, {}};
    const QString name = QFileInfo(chosen).fileName();
    if (!name.isEmpty() && name != QLatin1String(".") && name != QLatin1String(".."))
        return {};
    return {FailureCode::SaveNameIsFolder, {}};
}

Failure checkSaveTarget(const QString &path)
{
    SaveFile file(path, false);
    return file.open() ? Failure{} : file.failure();
}

Failure existingTarget(const QString &path)
{
    if (!entryExists(path))
        return {};
    const QString pointsTo = linkTarget(path);
    if (pointsTo.isEmpty())
        return {FailureCode::TargetExists, {}};
    return {FailureCode::TargetIsLink, pointsTo};
}

bool lostInDecoding(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !entryExists(path);
}

// A short read is followed by another, so that the call that fails gives the system's
// reason. A call that reads nothing without an error means the file ends early.
Failure readSourceBlock(QFile &file, std::uint8_t *block)
{
    qint64 got = 0;
    while (got < kBlockSize) {
        const qint64 n = file.read(reinterpret_cast<char *>(block) + got, kBlockSize - got);
        if (n <= 0)
            break;
        got += n;
    }
    if (got == kBlockSize)
        return {};
    if (file.error() != QFileDevice::NoError)
        return {FailureCode::FileReadFailed, file.errorString()};
    return {FailureCode::FileShortened, {}};
}

QString saveFileName(const QString &chosen)
{
    if (chosen.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QStringLiteral(".bin");
}

QString safeNamePart(const QString &text)
{
    QString name = text;
    for (QChar &c : name) {
        const bool safe = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                          (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                          (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                          c == QLatin1Char('.') || c == QLatin1Char('_') || c == QLatin1Char('-');
        if (!safe)
            c = QLatin1Char('_');
    }
    return name;
}

} // namespace tarvenix
