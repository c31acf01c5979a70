#pragma once
// What the user chose in the window's menu, kept with QSettings under "tarvenix" where both
// programs read it: the command-line tool's flags override it for one run.

#include <QString>

namespace tarvenix {

enum class Safety {
    BackupBeforeData,  // read the data area into a backup file before a data download
    VerifyAfterData,   // read it back and compare it with the file after one
    AskBeforeFirmware, // ask before a firmware download goes in
};

// Each is on until the user turns it off.
bool safetyOn(Safety which);
void setSafetyOn(Safety which, bool on);

// Where the settings are kept: a file on Linux (~/.config/tarvenix/tarvenix.conf), a
// registry key on Windows.
QString settingsFile();

// The settings file, or a file that QSettings reads beside it, that was ignored because it
// is there and is not a regular file (a folder, a FIFO that would hang the program): given
// once, for the front end to warn of it; empty when there was none, and after the first
// call. With such a file the settings are the user's own file alone, or, when that is the
// one, the defaults, which are then not kept.
QString takeIgnoredSettings();

// The language the window starts in: empty for the system's, else a locale name ("de").
QString savedLanguage();
void saveLanguage(const QString &name);

} // namespace tarvenix
