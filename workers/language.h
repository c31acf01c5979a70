#pragma once
// The language a user reads: which one the system asks for, and the translations of the
// program's messages (and of Qt's own buttons and dialogs) for it. English needs none.

#include <QLocale>

namespace tarvenix {

// The system's language for messages. On Unix, as gettext reads it: the first of LC_ALL,
// LC_MESSAGES and LANG that is set, English when that is C or POSIX, and otherwise the
// first language of LANGUAGE that this program speaks.
QLocale systemLanguage();

// Puts the program's messages into `language`, in place of any language set before.
void useLanguage(const QLocale &language);

} // namespace tarvenix
