#include "status.h"

#include "cli/text.h"

#include <QJsonDocument>
#include <cerrno>
#include <cstdio>

namespace tarvenix::cli {

namespace {

QString g_outputFailure;

// Returns the system's error number when the line did not reach the stream, else 0.
int putLine(std::FILE *stream, const QString &text)
{
    errno = 0;
    if (std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream) < 0 ||
        std::fflush(stream) != 0)
        return errno ? errno : EIO;
    return 0;
}

} // namespace

void printResult(const QString &text)
{
    const int error = putLine(stdout, text);
    if (error && g_outputFailure.isEmpty())
        g_outputFailure = Cli::tr("tarvenix-cli: writing to standard output failed: %1.")
                              .arg(qt_error_string(error));
}

QString jsonText(QJsonObject root)
{
    root.insert("schema", kJsonSchema);
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented)).trimmed();
}

void printMessage(const QString &text)
{
    putLine(stderr, text);
}

Exit exitFor(FailureCode code)
{
    switch (code) {
    case FailureCode::None:
        return Exit::Ok;
    case FailureCode::NoDevice:
        return Exit::NoDevice;
    case FailureCode::Busy:
        return Exit::Busy;
    case FailureCode::Mismatch:
        return Exit::Mismatch;
    case FailureCode::FileMissing:
    case FailureCode::NotAFile:
    case FailureCode::FileUnreadable:
    case FailureCode::FileNotBlocks:
    case FailureCode::FileOverDataArea:
    case FailureCode::FileOverAddress:
    case FailureCode::FileChanged:
    case FailureCode::FileReadFailed:
    case FailureCode::FileShortened:
    case FailureCode::NameNotUtf8:
    case FailureCode::NoSaveName:
    case FailureCode::SaveNameIsFolder:
    case FailureCode::TargetExists:
    case FailureCode::TargetIsLink:
    case FailureCode::TargetNotAFile:
    case FailureCode::TargetUnwritable:
    case FailureCode::NoTemporaryName:
    case FailureCode::FileWriteFailed:
    case FailureCode::TargetAppeared:
    case FailureCode::CaptureNotOurs:
    case FailureCode::CaptureUnwritable:
    case FailureCode::CaptureStopped:
        return Exit::File;
    case FailureCode::HidapiFailed:
    case FailureCode::OpenFailed:
    case FailureCode::LockFailed:
    case FailureCode::WriteFailed:
    case FailureCode::ReadFailed:
    case FailureCode::NoReply:
    case FailureCode::EmptyReply:
    case FailureCode::ShortReply:
    case FailureCode::VersionCut:
    case FailureCode::OutOfStep:
    case FailureCode::UnpluggedOnWrite:
    case FailureCode::UnpluggedOnRead:
    case FailureCode::Stopped:
    case FailureCode::StoppedBySignal:
        break;
    }
    return Exit::Device;
}

QString outputFailure()
{
    return g_outputFailure;
}

} // namespace tarvenix::cli
