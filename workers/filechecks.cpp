#include "filechecks.h"

#include "device/report.h"
#include "workers/savefile.h"

#include <QDir>
#include <QFileInfo>

namespace tarvenix {

namespace {

QString rule()
{
    return QStringLiteral("The device takes whole blocks of %1 bytes, so the size must be a "
                          "non-zero multiple of %1.")
        .arg(kBlockSize);
}

// Names go in with the other values in one pass, so a "%1" in a file name stays text.
QString sizeRefusal(TransferKind kind, const QString &path, qint64 size)
{
    const QString name = QFileInfo(path).fileName();
    if (size == 0 || size % kBlockSize != 0)
        return QStringLiteral("The file \"%1\" has %2 bytes. %3")
            .arg(name, QString::number(size), rule());
    if ((kind == TransferKind::Data || kind == TransferKind::Verify) && size > kDataAreaSize)
        return QStringLiteral("The file \"%1\" has %2 bytes, more than the device's data area "
                              "of %3 bytes. Please choose a smaller data file.")
            .arg(name, QString::number(size), QString::number(kDataAreaSize));
    if (size > kMaxOffsetFileSize)
        return QStringLiteral("The file \"%1\" has %2 bytes, more than the device can address "
                              "(%3 bytes).")
            .arg(name, QString::number(size), QString::number(kMaxOffsetFileSize));
    return QString();
}

} // namespace

QString transferName(TransferKind kind)
{
    switch (kind) {
    case TransferKind::Firmware:
        return QStringLiteral("Download firmware");
    case TransferKind::Data:
        return QStringLiteral("Download data");
    case TransferKind::Save:
        return QStringLiteral("Save data");
    case TransferKind::Verify:
        break;
    }
    return QStringLiteral("Verify");
}

QString checkSourceFile(TransferKind kind, const QString &path, qint64 *size)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("The file \"%1\" cannot be found. It may have been moved or "
                              "deleted; please load it again.")
            .arg(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("The file \"%1\" cannot be read: %2. Please check it and load it "
                              "again.")
            .arg(path, info.isFile() ? file.errorString() : QStringLiteral("it is not a file"));
    const QString refusal = sizeRefusal(kind, path, file.size());
    if (refusal.isEmpty() && size)
        *size = file.size();
    return refusal;
}

QString checkSaveName(const QString &chosen)
{
    if (chosen.isEmpty())
        return QStringLiteral("No file name was given. Please name the file to save to, for "
                              "example \"dump.bin\".");
    const QString name = QFileInfo(chosen).fileName();
    if (!name.isEmpty() && name != QLatin1String(".") && name != QLatin1String(".."))
        return QString();
    return QStringLiteral("\"%1\" names a folder, not a file. Please add a file name, for "
                          "example \"%2\".")
        .arg(chosen, QDir::cleanPath(chosen + QStringLiteral("/dump.bin")));
}

QString checkSaveTarget(const QString &path)
{
    SaveFile file(path, false);
    if (file.open())
        return QString();
    return QStringLiteral("Cannot save there: %1. Please choose another place.").arg(file.error());
}

QString existingTarget(const QString &path)
{
    if (!entryExists(path))
        return QString();
    const QString pointsTo = linkTarget(path);
    if (pointsTo.isEmpty())
        return QStringLiteral("The file \"%1\" already exists.").arg(path);
    return QStringLiteral("\"%1\" already exists: it is a symbolic link to \"%2\". Replacing it "
                          "replaces the link itself; \"%2\" is left as it is.")
        .arg(path, pointsTo);
}

QString notUtf8Refusal(const QString &name)
{
    return QStringLiteral("The name \"%1\" is not valid UTF-8 (\"\uFFFD\" marks the bytes "
                          "that are not), so this program would read or write another name "
                          "instead. Please rename the file (or its folder) to a UTF-8 name, "
                          "then try again.")
        .arg(name);
}

bool lostInDecoding(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !entryExists(path);
}

// A short read is followed by another, so that the call that fails gives the system's
// reason. A call that reads nothing without an error means the file ends early.
QString readSourceBlock(QFile &file, std::uint8_t *block)
{
    qint64 got = 0;
    while (got < kBlockSize) {
        const qint64 n = file.read(reinterpret_cast<char *>(block) + got, kBlockSize - got);
        if (n <= 0)
            break;
        got += n;
    }
    if (got == kBlockSize)
        return QString();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("the file \"%1\" could not be read (%2)")
            .arg(file.fileName(), file.errorString());
    return QStringLiteral("the file \"%1\" ends before this block: it was shortened during the "
                          "transfer")
        .arg(file.fileName());
}

QString saveFileName(const QString &chosen)
{
    if (chosen.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QStringLiteral(".bin");
}

} // namespace tarvenix
