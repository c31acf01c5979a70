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

} // namespace tarvenix
