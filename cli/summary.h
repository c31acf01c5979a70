#pragma once
// The end of a run on several devices: one line per device with its result and its own
// exit code, or the same as JSON, and the exit status of the whole run.

#include "cli/status.h"
#include "device/discovery.h"
#include "userfiles/history.h"

#include <QVector>

namespace tarvenix::cli {

struct DeviceResult {
    FoundDevice device;    // none (no path) before a device was found
    Status status;         // the device's own exit code and, when it failed, what failed
    int block = 0;         // the 1-based block a transfer failed at; 0 when none did
    int blocks = 0;        // the blocks of the transfer that failed
    QString phase;         // where it failed, as the history names it: "backup", "download"...
    QString result;        // on success, what was done: "saved to ...", the version text
    QString file;          // the file sent, compared with, or written
    QString backup;        // the backup a data download took, when it did
    QString version;       // the version text, for version
    QString versionBefore; // read before a download
    QString versionAfter;  // read again after a firmware download, when it could be
};

struct RunSummary {
    QVector<DeviceResult> devices;
    QVector<FoundDevice> notTaken; // plugged in during the run
    int signal = 0;                // the first stop signal that came during the run, or 0
};

// What a transfer's record tells of its device's result: the file, the backup, the versions
// and where it failed.
void addRecord(DeviceResult &r, const TransferRecord &record);
// One device's result: {"device", "result", "exitCode", "message", "file", "backup",
// "versionBefore", "versionAfter", "block", "blocks", "phase"}, each key where it applies.
// The document of a command on one device, and each device's entry in a summary.
QJsonObject resultJson(const DeviceResult &r);

QString summaryText(const RunSummary &summary);
// {"devices": [resultJson], "notTaken": [{"device"}], "succeeded", "failed", "exitCode"}
QJsonObject summaryJson(const RunSummary &summary);
// 0 when every device succeeded; 128+N when signal N came during the run; else 8.
Status runStatus(const RunSummary &summary);

} // namespace tarvenix::cli
