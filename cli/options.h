#pragma once
// The command line: which command, which file, and the options that shape it.

#include "cli/status.h"

#include <QStringList>

namespace tarvenix::cli {

enum class Command { List, Version, Firmware, Data, Save, Verify, Backups, History, Doctor };

struct Options {
    Command command = Command::List;
    QString file;
    QString device; // a hidraw path; empty for the first supported device
    // Several devices at once: every supported one (--all), optionally of one model
    // (--product VID:PID, 0 while not given), or those picked with --device or --serial,
    // repeated.
    bool all = false;
    QStringList devices;
    // --serial: devices picked by their serial number, which stays when the path changes.
    QStringList serials;
    int vendorId = 0;
    int productId = 0;
    bool json = false;
    bool quiet = false;
    bool trace = false;
    bool force = false;
    bool verify = false;
    bool noVerify = false;
    bool noBackup = false;
    bool yes = false;         // answers the firmware question; accepted by every command
    int limit = 0;            // history entries to show; 0: all
    QString record;           // --record: the capture's file; empty when not recording
    bool recordPaths = false; // --record-paths: the capture keeps the user's file names

    bool manyDevices() const { return all || devices.size() > 1 || serials.size() > 1; }
};

struct Parsed {
    Status status; // Exit::Usage with the reason when the line is wrong
    bool help = false;
    bool version = false;
    Options options;
};

// Reads the whole argument list, the program name first.
Parsed parseArguments(const QStringList &arguments);

// The --help text: commands, options, files and exit codes.
QString helpText();

} // namespace tarvenix::cli
