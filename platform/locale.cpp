#include "platform/locale.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <QTextCodec>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#endif

void tarvenix::useUtf8CharacterType()
{
#ifndef Q_OS_WIN
    // Qt 5 picks its codec for the locale once: it picks now, under the user's locale.
    QTextCodec::codecForLocale();
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
#endif
}
