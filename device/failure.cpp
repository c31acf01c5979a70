#include "device/failure.h"

#include <cstring>
#include <utility>

#ifdef Q_OS_WIN
#include <QtGlobal>
#else
#include <clocale>
#include <locale.h>
#endif

namespace tarvenix {

namespace {

// Names are stable: the history and scripts match them.
constexpr std::pair<FailureCode, const char *> kCodeNames[] = {
    {FailureCode::None, ""},
    {FailureCode::HidapiFailed, "hidapi-failed"},
    {FailureCode::NoDevice, "no-device"},
    {FailureCode::OpenFailed, "open-failed"},
    {FailureCode::Busy, "busy"},
    {FailureCode::LockFailed, "lock-failed"},
    {FailureCode::WriteFailed, "write-failed"},
    {FailureCode::ReadFailed, "read-failed"},
    {FailureCode::NoReply, "no-reply"},
    {FailureCode::EmptyReply, "empty-reply"},
    {FailureCode::ShortReply, "short-reply"},
    {FailureCode::VersionCut, "version-cut"},
    {FailureCode::OutOfStep, "out-of-step"},
    {FailureCode::UnpluggedOnWrite, "unplugged-on-write"},
    {FailureCode::UnpluggedOnRead, "unplugged-on-read"},
    {FailureCode::Stopped, "stopped"},
    {FailureCode::StoppedBySignal, "stopped-by-signal"},
    {FailureCode::Mismatch, "mismatch"},
    {FailureCode::FileMissing, "file-missing"},
    {FailureCode::NotAFile, "not-a-file"},
    {FailureCode::FileUnreadable, "file-unreadable"},
    {FailureCode::FileNotBlocks, "file-not-blocks"},
    {FailureCode::FileOverDataArea, "file-over-data-area"},
    {FailureCode::FileOverAddress, "file-over-address"},
    {FailureCode::FileChanged, "file-changed"},
    {FailureCode::FileReadFailed, "file-read-failed"},
    {FailureCode::FileShortened, "file-shortened"},
    {FailureCode::NameNotUtf8, "name-not-utf8"},
    {FailureCode::NoSaveName, "no-save-name"},
    {FailureCode::SaveNameIsFolder, "save-name-is-folder"},
    {FailureCode::TargetExists, "target-exists"},
    {FailureCode::TargetIsLink, "target-is-link"},
    {FailureCode::TargetNotAFile, "target-not-a-file"},
    {FailureCode::TargetUnwritable, "target-unwritable"},
    {FailureCode::NoTemporaryName, "no-temporary-name"},
    {FailureCode::FileWriteFailed, "file-write-failed"},
    {FailureCode::TargetAppeared, "target-appeared"},
    {FailureCode::CaptureNotOurs, "capture-not-ours"},
    {FailureCode::CaptureUnwritable, "capture-unwritable"},
    {FailureCode::CaptureStopped, "capture-stopped"},
};

constexpr std::pair<StopCause, const char *> kCauseNames[] = {
    {StopCause::User, "user"},
    {StopCause::WindowClosed, "window-closed"},
    {StopCause::TrayQuit, "tray-quit"},
    {StopCause::Unplugged, "unplugged"},
};

} // namespace

QString failureCodeName(FailureCode code)
{
    for (const auto &[known, name] : kCodeNames) {
        if (known == code)
            return QString::fromLatin1(name);
    }
    return QString();
}

FailureCode failureCodeNamed(const QString &name)
{
    for (const auto &[code, known] : kCodeNames) {
        if (name == QLatin1String(known))
            return code;
    }
    return FailureCode::None;
}

bool isStop(FailureCode code)
{
    return code == FailureCode::Stopped || code == FailureCode::StoppedBySignal;
}

bool isUnplug(FailureCode code)
{
    return code == FailureCode::UnpluggedOnWrite || code == FailureCode::UnpluggedOnRead;
}

Failure stoppedBy(StopCause cause)
{
    return {FailureCode::Stopped, stopCauseName(cause)};
}

QString stopCauseName(StopCause cause)
{
    for (const auto &[known, name] : kCauseNames) {
        if (known == cause)
            return QString::fromLatin1(name);
    }
    return QString();
}

StopCause stopCauseNamed(const QString &name)
{
    for (const auto &[cause, known] : kCauseNames) {
        if (name == QLatin1String(known))
            return cause;
    }
    return StopCause::User;
}

#ifdef Q_OS_WIN

QString systemReason(int errorNumber)
{
    return qt_error_string(errorNumber);
}

#else

// The C locale's texts are the English ones, whatever language the program speaks.
QString systemReason(int errorNumber)
{
    static const locale_t english = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return QString::fromLocal8Bit(english ? strerror_l(errorNumber, english)
                                          : std::strerror(errorNumber));
}

#endif

} // namespace tarvenix
