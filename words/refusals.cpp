#include "words/refusals.h"

#include "words/failures.h"
#include "words/tongue.h"

#include <QDir>
#include <QFileInfo>

namespace tarvenix {

namespace {

QString blockRule()
{
    return Messages::tr("The device takes whole blocks of %1 bytes, so the size must be a "
                        "non-zero multiple of %1.")
        .arg(kBlockSize);
}

// The refusals of a file's size name only the file, not its folder.
QString sizeRefusal(FailureCode code, const QString &file, const QString &size)
{
    const QString name = QFileInfo(file).fileName();
    switch (code) {
    case FailureCode::FileOverDataArea:
        return Messages::tr("The file \"%1\" has %2 bytes, more than the device's data area "
                            "of %3 bytes. Please choose a smaller data file.")
            .arg(name, size, QString::number(kDataAreaSize));
    case FailureCode::FileOverAddress:
        return Messages::tr("The file \"%1\" has %2 bytes, more than the device can address "
                            "(%3 bytes).")
            .arg(name, size, QString::number(kMaxOffsetFileSize));
    default:
        return Messages::tr("The file \"%1\" has %2 bytes. %3").arg(name, size, blockRule());
    }
}

// What a name is instead of a file, as entryKind names it.
QString entryWords(const QString &kind)
{
    if (kind == QLatin1String("folder"))
        return Messages::tr("a folder");
    if (kind == QLatin1String("fifo"))
        return Messages::tr("a named pipe (FIFO)");
    if (kind == QLatin1String("socket"))
        return Messages::tr("a socket");
    if (kind == QLatin1String("device"))
        return Messages::tr("a device");
    return Messages::tr("a special file");
}

QString busyMessage()
{
    return Messages::tr("The device is busy: another Tarvenix program is transferring with "
                        "it. Please wait until that transfer has finished, then try again.");
}

} // namespace

QString refusalText(const Failure &failure, const QString &file)
{
    const QString &detail = failure.detail;
    switch (failure.code) {
    case FailureCode::FileMissing:
        return fileCause(Messages::tr("The file \"%1\" cannot be found. It may have been moved "
                                      "or deleted."),
                         file);
    case FailureCode::NotAFile:
    case FailureCode::FileUnreadable:
        return fileCause(Messages::tr("The file \"%1\" cannot be read: %2. Please check it."), file,
                         failure.code == FailureCode::NotAFile ? Messages::tr("it is not a file")
                                                               : detail);
    case FailureCode::FileNotBlocks:
    case FailureCode::FileOverDataArea:
    case FailureCode::FileOverAddress:
        return sizeRefusal(failure.code, file, detail);
    case FailureCode::NameNotUtf8:
        return fileCause(
            Messages::tr("The name \"%1\" is not valid UTF-8 (\"\uFFFD\" marks the bytes that "
                         "are not), so this program would read or write another name instead. "
                         "Please rename the file (or its folder) to a UTF-8 name, then try again."),
            file);
    case FailureCode::NoSaveName:
        return Messages::tr("No file name was given. Please name the file to save to, for "
                            "example \"dump.bin\".");
    case FailureCode::SaveNameIsFolder:
        return Messages::tr("\"%1\" names a folder, not a file. Please add a file name, for "
                            "example \"%2\".")
            .arg(file, QDir::cleanPath(file + QStringLiteral("/dump.bin")));
    case FailureCode::TargetExists:
        return fileCause(Messages::tr("The file \"%1\" already exists."), file);
    case FailureCode::TargetIsLink:
        return fileCause(
            Messages::tr("\"%1\" already exists: it is a symbolic link to \"%2\". Replacing it "
                         "replaces the link itself; \"%2\" is left as it is."),
            file, detail);
    case FailureCode::TargetNotAFile:
        return Messages::tr("\"%1\" is not a file but %2, so nothing can be saved under that "
                            "name. Please choose another name.")
            .arg(file, entryWords(detail));
    case FailureCode::TargetUnwritable:
    case FailureCode::NoTemporaryName:
        return Messages::tr("Cannot save there: %1. Please choose another place.")
            .arg(failureCause(failure, file));
    case FailureCode::Busy:
        return busyMessage();
    case FailureCode::LockFailed:
        return Messages::tr("The device cannot be locked: %1. ").arg(detail) + accessHint();
    default:
        return QString();
    }
}

QString refusalMessage(const Failure &failure, const QString &file)
{
    const QString text = refusalText(failure, file);
    return text.isEmpty() ? failureCause(failure, file) + QLatin1Char('.') : text;
}

QString captureMessage(const Failure &failure, const QString &file)
{
    switch (failure.code) {
    case FailureCode::CaptureNotOurs:
        return Messages::tr("Not recording: \"%1\" exists and is not a capture, so it is left "
                            "as it is. Choose another name for the capture.")
            .arg(file);
    case FailureCode::CaptureStopped:
        return Messages::tr("Recording stopped: the capture \"%1\" could not be written (%2). "
                            "The program goes on without recording.")
            .arg(file, failure.detail);
    default:
        return Messages::tr("Not recording: the capture \"%1\" cannot be written (%2). Choose "
                            "another place for it.")
            .arg(file, failure.detail);
    }
}

QString accessHint()
{
    return Messages::tr("Check the access rights to its hidraw node (install the udev rule "
                        "70-tarvenix.rules that comes with this program), then plug it in "
                        "again.");
}

} // namespace tarvenix
