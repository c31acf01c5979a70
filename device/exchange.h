#pragma once
// The bounded exchange of one report, the drains around it, and the version query, all
// on the seam. No widgets here: the window and the command-line tool share it.

#include "device/failure.h"
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
// The wait for a stray report after the last reply of a conversation whose replies are its
// data: at least this long, whatever the device's pace...
constexpr int kStrayGraceMinMs = 5;
// ...and at most this long, whatever it is.
constexpr int kStrayGraceMaxMs = 50;

struct ExchangeResult {
    // WriteFailed, ReadFailed, NoReply (the bound passed) or EmptyReply (a report of 0 bytes).
    Failure failure;
    int replyLength = 0;
    qint64 roundTripUs = 0; // from the write to the end of the read
    bool ok() const { return !failure; }
};

// Writes one request and waits up to timeoutMs for its reply. An expired wait
// is a failure like a failed read; a wait cut by a stop fails with the stop's failure.
ExchangeResult exchange(HidPort &port, const Report &request, Report &reply, int timeoutMs,
                        const StopRequest *stop = nullptr);

// Throws away input reports already queued on this handle, for instance
// replies that were meant for an earlier exchange.
void drainInput(HidPort &port);

// Whether the device at path has gone away (see deviceGone in discovery.h), telling the port
// when it has, so that a recording notes the unplug where the program learnt of it.
bool deviceGone(HidPort &port, const QString &path);

// After a transfer that did not complete, the device may still answer requests it was sent:
// reads and throws away reports until none comes for quietMs, for at most boundMs, so that
// the next program to use the device starts clean.
void settleInput(HidPort &port, int quietMs, int boundMs);

// The version query on an open handle, after throwing away anything queued. Fails as the
// exchange does, with VersionCut when the reply ends inside the text, or with OutOfStep when
// a second report follows the reply within kStrayGraceMinMs: the first answered an earlier
// request. version is left as it was only when the query could not be written, and is
// empty after any other failed read.
Failure queryVersion(HidPort &port, QString &version, const StopRequest *stop = nullptr);

} // namespace tarvenix
