#pragma once
// Opening the supported device, the bounded exchange of one report, and the
// version query, all on the seam. No widgets here: the window and the command-line
// tool share it.

#include "device/discovery.h"
#include "device/hidport.h"
#include "device/report.h"

#include <QString>

namespace tarvenix {

// Start-up waits for the version reply on the GUI thread before the window is
// shown, so a device that stays silent may hold it only briefly.
constexpr int kVersionReplyTimeoutMs = 1000;
// A transfer block may wait much longer: a device can erase its flash before it
// answers the first firmware packet.
constexpr int kTransferReplyTimeoutMs = 8000;

// NoReply: the bound passed without a reply. EmptyReply: a reply came, of 0 bytes.
enum class ExchangeError { None, WriteFailed, ReadFailed, NoReply, EmptyReply };

struct ExchangeResult {
    ExchangeError error = ExchangeError::None;
    int replyLength = 0;
    QString detail; // what hidapi said of a failed write or read
    bool ok() const { return error == ExchangeError::None; }
};

// Writes one request and waits up to timeoutMs for its reply. An expired wait
// is a failure like a failed read.
ExchangeResult exchange(HidPort &port, const Report &request, Report &reply, int timeoutMs);
// Why an exchange failed, as a phrase for a message: "the device did not answer ...".
QString describe(const ExchangeResult &result, int timeoutMs);

// Throws away input reports already queued on this handle, for instance
// replies that were meant for an earlier exchange.
void drainInput(HidPort &port);

// After a transfer that did not complete, the device may still answer requests it was sent:
// reads and throws away reports until none comes for quietMs, for at most boundMs, so that
// the next program to use the device starts clean.
void settleInput(HidPort &port, int quietMs, int boundMs);

// Cut: the reply ended inside the version text, so the text may be incomplete.
enum class VersionState { NotWritten, NotRead, Cut, Read };

struct Connection {
    // 0 opened, -1 hidapi did not start, -2 no supported device, -3 open failed.
    int result = -2;
    HidPortPtr handle;
    VersionState versionState = VersionState::NotWritten;
    QString version;
};

// Finds the first supported device, opens it and asks for its version text,
// unless another program holds the device. path receives the device's path.
Connection openConnection(char (&path)[kDevicePathSize]);

// The version query on an open handle, after throwing away anything queued.
VersionState queryVersion(HidPort &port, QString &version);

} // namespace tarvenix
