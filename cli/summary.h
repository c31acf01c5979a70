#pragma once
// The end of a run on several devices: one line per device with its result and its own
// exit code, or the same as JSON, and the exit status of the whole run.

#include "cli/status.h"
#include "device/discovery.h"

#include <QVector>

namespace tarvenix::cli {

struct DeviceResult {
    FoundDevice device;
    Status status;   // the device's own exit code and, when it failed, what failed
    int block = 0;   // the 1-based block a transfer failed at; 0 when none did
    int blocks = 0;  // the blocks of the transfer that failed
    QString result;  // on success, what was done: "saved to ...", the version text
    QString file;    // the file a save wrote, when it did
    QString backup;  // the backup a data download took, when it did
    QString version; // the version text, for version
};

struct RunSummary {
    QVector<DeviceResult> devices;
    QVector<FoundDevice> notTaken; // plugged in during the run
    int signal = 0;                // the first stop signal that came during the run, or 0
};

QString summaryText(const RunSummary &summary);
// {"devices": [{"path", "serial", "vendorId", "productId", "result", "exitCode",
// "message", "backup", ...}], "notTaken": [...], "succeeded", "failed", "exitCode"}, the
// exit code the run's status: runStatus, or a refusal before any device was taken.
QString summaryJson(const RunSummary &summary, const Status &status);
// 0 when every device succeeded; 128+N when signal N came during the run; else 8.
Status runStatus(const RunSummary &summary);

} // namespace tarvenix::cli
