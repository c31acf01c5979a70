#pragma once
// The one way a failure travels: a code that says what failed, and a detail that
// carries the value it concerns (what the system said, in English; a size, a path). The
// words a user reads are made only at the edges, the window's boxes and the command-line
// tool's lines, from the code; the command-line tool's exit codes too. The history keeps
// the code's name and the detail, so that it reads the same in every language.

#include <QString>

namespace tarvenix {

enum class FailureCode {
    None,
    // Finding, opening and holding the device.
    HidapiFailed, // the HID library did not start
    NoDevice,     // no supported device present; detail: the path asked for, if one was
    OpenFailed,   // present, but it cannot be opened: access rights; detail: its path
    Busy,         // another program of ours is transferring with it
    LockFailed,   // the device lock could not be taken; detail: why
    // One exchange of a request and its reply.
    WriteFailed,      // detail: what the system said
    ReadFailed,       // detail: what the system said
    NoReply,          // detail: the bound waited, in milliseconds
    EmptyReply,       // a report of 0 bytes came instead of the reply
    ShortReply,       // too short to carry a block; detail: its length
    VersionCut,       // the version reply ended inside the version text
    OutOfStep,        // a report came that answers no request of ours
    UnpluggedOnWrite, // the write failed and the device had gone; detail: what the system said
    UnpluggedOnRead,  // the read failed and the device had gone; detail: what the system said
    // How a transfer ended early.
    Stopped,         // a stop was asked for; detail: its cause's name (stopCauseName)
    StoppedBySignal, // detail: the signal's number
    Mismatch,        // verify found other data in the device
    // The files a transfer reads or writes; the edge knows which file.
    FileMissing,
    NotAFile,
    FileUnreadable,   // detail: what the system said
    FileNotBlocks,    // not a non-zero multiple of the block size; detail: its size
    FileOverDataArea, // detail: its size
    FileOverAddress,  // beyond what the offset field can address; detail: its size
    FileChanged,      // no longer as it was checked when the transfer began
    FileReadFailed,   // during the transfer; detail: what the system said
    FileShortened,    // it ended before the block it was to send
    NameNotUtf8,
    NoSaveName,
    SaveNameIsFolder,
    TargetExists,
    TargetIsLink,     // detail: where the link points
    TargetNotAFile,   // a folder, a FIFO...: detail: which, as entryKind names it
    TargetUnwritable, // detail: what the system said
    NoTemporaryName,  // no free name for the temporary file beside the target
    FileWriteFailed,  // detail: what the system said
    TargetAppeared,   // the target's name was taken during the save
    // A capture of the conversation; it never stops the program.
    CaptureNotOurs,    // the capture's file exists and is no capture, so it is left alone
    CaptureUnwritable, // it cannot be created; detail: what the system said
    CaptureStopped,    // writing it failed during the run; detail: what the system said
};

// Why a transfer was asked to stop, other than a signal (StoppedBySignal).
enum class StopCause {
    User,         // the user chose to stop it
    WindowClosed, // the window that ran it went away
    TrayQuit,     // the program was ended from the tray's menu
    Unplugged,    // the device went away
};

struct Failure {
    FailureCode code = FailureCode::None;
    QString detail;

    // True when something failed, as std::error_code is.
    explicit operator bool() const { return code != FailureCode::None; }
};

// The code's stable name, as the history and scripts read it: "no-reply", "out-of-step".
QString failureCodeName(FailureCode code);
// The code of a name that failureCodeName gave; None for any other text.
FailureCode failureCodeNamed(const QString &name);
// A stop's failure: Stopped with the cause's name as its detail.
Failure stoppedBy(StopCause cause);
// A stop that was asked for (a cause or a signal), and a device that went away mid-transfer.
bool isStop(FailureCode code);
bool isUnplug(FailureCode code);
// "user", "window-closed", "tray-quit", "unplugged".
QString stopCauseName(StopCause cause);
// The cause whose name a Stopped failure's detail carries; User for any other text.
StopCause stopCauseNamed(const QString &name);
// What the system said of an error number, in English whatever the user's language:
// failures keep it as their detail, and the history keeps that.
QString systemReason(int errorNumber);

} // namespace tarvenix
