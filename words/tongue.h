#pragma once
// What the words here share: their translation context, and the choice of the user's
// language or English for the texts that the command-line tool prints as results.

#include <QCoreApplication>

namespace tarvenix {

// The user's language, or the English that a script reads on the command line's
// standard output.
enum class Tongue { User, English };

// Every text of words/ is translated under this name.
struct Messages {
    Q_DECLARE_TR_FUNCTIONS(Messages)
};

// A text marked with QT_TRANSLATE_NOOP("Messages", ...), in the tongue asked for.
inline QString say(Tongue tongue, const char *text)
{
    return tongue == Tongue::User ? Messages::tr(text) : QString::fromUtf8(text);
}

// A text about a file, and what the system said of it. Names go in with the other values
// in one pass, so a "%1" in a file name stays text.
inline QString fileCause(const QString &text, const QString &file)
{
    return text.arg(file);
}

inline QString fileCause(const QString &text, const QString &file, const QString &detail)
{
    return text.arg(file, detail);
}

} // namespace tarvenix
