#define _GNU_SOURCE
#include "emuclient.h"

#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#define REPLY_TIMEOUT_S 30

static void set_reply(char *reply, size_t size, const char *text)
{
    if (reply && size)
        snprintf(reply, size, "%s", text);
}

static int connect_control(char *reply, size_t size)
{
    const char *path = getenv("TARVENIX_EMU_CONTROL");
    struct sockaddr_un addr = {.sun_family = AF_UNIX};
    if (!path || !*path || strlen(path) >= sizeof addr.sun_path) {
        set_reply(reply, size, "err TARVENIX_EMU_CONTROL is not set");
        return -1;
    }
    strcpy(addr.sun_path, path);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    /* A hung emulator must not hang the test that asks it something. */
    struct timeval tv = {REPLY_TIMEOUT_S, 0};
    if (fd >= 0)
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    if (fd < 0 || connect(fd, (struct sockaddr *)&addr, sizeof addr) < 0) {
        set_reply(reply, size, "err cannot connect to the emulator");
        if (fd >= 0)
            close(fd);
        return -1;
    }
    return fd;
}

static int send_all(int fd, const char *data, size_t len)
{
    while (len) {
        ssize_t n = send(fd, data, len, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        data += n;
        len -= (size_t)n;
    }
    return 0;
}

/* Reads up to the newline; bytes beyond what fits are read and dropped. */
static int read_line(int fd, char *reply, size_t size)
{
    size_t used = 0;
    char c;
    for (;;) {
        ssize_t n = recv(fd, &c, 1, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return used ? 0 : -1;
        if (c == '\n')
            break;
        if (reply && used + 1 < size)
            reply[used++] = c;
    }
    if (reply && size)
        reply[used] = '\0';
    return 0;
}

static int is_ok(const char *reply)
{
    return !strncmp(reply, "ok", 2) && (!reply[2] || reply[2] == ' ');
}

int emu_command(const char *line, char *reply, size_t reply_size)
{
    char local[64];
    char *out = reply && reply_size ? reply : local;
    size_t out_size = reply && reply_size ? reply_size : sizeof local;
    int fd = connect_control(out, out_size);
    if (fd < 0)
        return -1;
    int rc = send_all(fd, line, strlen(line)) == 0 && send_all(fd, "\n", 1) == 0
                 ? read_line(fd, out, out_size)
                 : -1;
    close(fd);
    if (rc < 0) {
        set_reply(out, out_size, "err no reply from the emulator");
        return -1;
    }
    return is_ok(out) ? 0 : -1;
}

int emu_commandf(char *reply, size_t reply_size, const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    char *line = NULL;
    int n = vasprintf(&line, fmt, ap);
    va_end(ap);
    if (n < 0) {
        set_reply(reply, reply_size, "err out of memory");
        return -1;
    }
    int rc = emu_command(line, reply, reply_size);
    free(line);
    return rc;
}
