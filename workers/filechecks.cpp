#include "filechecks.h"

#include "device/report.h"

#include <QFileInfo>
#include <QSaveFile>

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

QString checkSaveTarget(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("The file \"%1\" cannot be written: %2. Please choose another "
                              "place.")
            .arg(path, file.errorString());
    file.cancelWriting();
    return QString();
}

QString saveFileName(const QString &chosen)
{
    if (chosen.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QStringLiteral(".bin");
}

} // namespace tarvenix
