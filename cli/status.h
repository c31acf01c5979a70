#pragma once
// What a command ends with: the exit code a script sees and the message a user reads.

#include "device/failure.h"

#include <QJsonObject>
#include <QString>

namespace tarvenix::cli {

// Scripts depend on these numbers: keep them stable, and in step with --help,
// the man page and README.md.
enum class Exit {
    Ok = 0,
    Output = 1,
    Usage = 2,
    NoDevice = 3,
    Busy = 4,
    File = 5,
    Device = 6,
    Mismatch = 7,
    SomeFailed = 8,   // a run on several devices in which one or more failed
    Declined = 9,     // the firmware question answered No: nothing was sent
    ChecksFailed = 10 // doctor: one or more checks failed
};

struct Status {
    Exit code = Exit::Ok;
    QString message; // what went wrong and what to do, for stderr
    int signal = 0;  // the signal that stopped a transfer, as a shell expects: 128 + signal
    bool ok() const { return code == Exit::Ok; }
    int exitCode() const { return signal ? 128 + signal : int(code); }
};

inline Status fail(Exit code, const QString &message)
{
    return {code, message, 0};
}

// The exit code a failure of this kind ends a command with.
Exit exitFor(FailureCode code);

// A command that ended with a failure, told with the message given.
inline Status fail(const Failure &failure, const QString &message)
{
    return fail(exitFor(failure.code), message);
}

// A line for stdout. Results there are for scripts and never translated; only --help,
// which people read, is.
void printResult(const QString &text);
// The form of the JSON documents: raised when a key changes meaning.
constexpr int kJsonSchema = 1;
// A JSON result, as every command prints it: with its "schema", indented, without a last
// newline. A device in it is described by deviceJson, under the key "device".
QString jsonText(QJsonObject root);
// A message for stderr, one line or more.
void printMessage(const QString &text);
// Empty while every result reached stdout; otherwise the message for the first that
// did not, with the system's reason ("No space left on device").
QString outputFailure();

} // namespace tarvenix::cli
