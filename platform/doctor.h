#pragma once
// What a real device needs of the machine it is plugged into, checked one thing at a time:
// the udev rule and the device table, each device's node and this user's access to it, the
// report sizes its descriptor gives, logind for the sleep inhibitor, the HID library, and
// the user's folders. Nothing is opened for a transfer and nothing is sent to a device.
// Codes and English details only: words/doctor.h makes the words.

#include "device/discovery.h"

#include <QString>
#include <QVector>
#include <optional>

namespace tarvenix {

enum class Check {
    UdevRule,      // 70-tarvenix.rules is installed; subject: its path, or the folders looked in
    UdevRuleTable, // it names every product of the device table; subject: its path; detail:
                   // the products it lacks ("abcd:2204, abcd:2109")
    DevicePresent, // a supported device is present; subject: how many
    DeviceAccess,  // the device's node is there and this user may read and write it; subject:
                   // its path; detail: what the system said
    ReportSizes,   // its report descriptor gives the sizes the exchanges need; subject: its
                   // path; detail: why the descriptor could not be read
    Logind,        // logind answers on the system bus; detail: what the bus said
    HidLibrary,    // the HID library is as new as the one built against; subject: its version;
                   // detail: the version built against
    HistoryFolder, // each folder is writable, or can be made; subject: the folder; detail:
    BackupsFolder, // what the system said
    SettingsFolder,
};

struct CheckResult {
    Check check = Check::UdevRule;
    bool ok = false;
    QString subject;
    QString detail;
    // ReportSizes: the bytes a read returns and a write sends; 0 when not known.
    int reportIn = 0;
    int reportOut = 0;
};

// The check's stable name, as scripts read it: "udev-rule", "device-access".
QString checkKey(Check check);

struct DoctorReport {
    QVector<CheckResult> checks;
    QVector<FoundDevice> devices; // the supported devices present
    bool ok() const;
};

// Every check, in order, the device checks once for each supported device present.
// hidapi must be started.
DoctorReport runChecks();

// The first check that fails, in the same order, the later ones not made; none when every
// one holds. It may wait for the system bus, as a transfer's inhibitor does. For the
// window's "not connected" state. hidapi must be started.
std::optional<CheckResult> firstFailingCheck();

} // namespace tarvenix
