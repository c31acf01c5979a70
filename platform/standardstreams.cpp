#include "platform/standardstreams.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace tarvenix {

void prepareStandardStreams()
{
#ifndef Q_OS_WIN
    // An open takes the lowest free descriptor: filling 0, 1 and 2 in order puts each in
    // place. It is the system call itself: a library that wraps open() (umockdev's, under the
    // tests) may open descriptors of its own, which would fall into the gaps meant here.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            syscall(SYS_openat, AT_FDCWD, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace tarvenix
