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

// The language the window starts in: empty for the system's, else a locale name ("de").
QString savedLanguage();
void saveLanguage(const QString &name);

} // namespace tarvenix
