#include "cli/terminal.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tarvenix::cli {

#ifdef Q_OS_WIN
// The C runtime takes every character device for a terminal, NUL among them; only a
// console is one a user types at.
bool isTerminal(int fd)
{
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &mode) != 0;
}
#else
bool isTerminal(int fd)
{
    return isatty(fd) == 1;
}
#endif

} // namespace tarvenix::cli
