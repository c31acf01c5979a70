#pragma once
// The command line: which command, which file, and the options that shape it.

#include "cli/status.h"

#include <QStringList>

namespace tarvenix::cli {

enum class Command { List, Version, Firmware, Data, Save, Verify, Backups, History };

struct Options {
    Command command = Command::List;
    QString file;
    QString device; // a hidraw path; empty for the first supported device
    bool json = false;
    bool quiet = false;
    bool trace = false;
    bool force = false;
    bool verify = false;
    bool noVerify = false;
    bool noBackup = false;
    bool yes = false; // answers the firmware question
    int limit = 0;    // history entries to show; 0: all
};

struct Parsed {
    Status status; // Exit::Usage with the reason when the line is wrong
    bool help = false;
    Options options;
};

// Reads the whole argument list, the program name first.
Parsed parseArguments(const QStringList &arguments);

// The --help text: commands, options, files and exit codes.
QString helpText();

} // namespace tarvenix::cli
