#pragma once
// The language a user reads: which one the system asks for, and the translations of the
// program's messages (and of Qt's own buttons and dialogs) for it. English needs none.

#include <QLocale>

namespace tarvenix {

// The system's language for messages: the first of the user's languages that this
// program speaks, else the first. On Unix as gettext reads them: the first of LC_ALL,
// LC_MESSAGES and LANG that is set, English when that is C or POSIX, and otherwise the
// languages of LANGUAGE, then that one.
QLocale systemLanguage();

// Puts the program's messages into `language`, in place of any language set before.
void useLanguage(const QLocale &language);

} // namespace tarvenix
