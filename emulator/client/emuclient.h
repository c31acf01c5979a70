/* Client side of tarvenix-emu's control channel, for programs running against the emulator.
 * Plain C without dependencies; usable from C++. */
#ifndef TARVENIX_EMUCLIENT_H
#define TARVENIX_EMUCLIENT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sends one command line to the emulator named by $TARVENIX_EMU_CONTROL and stores its reply
 * line (without the newline, always NUL-terminated, truncated to fit) in reply, which may be
 * NULL. Returns 0 when the reply starts with "ok", -1 otherwise; local failures (no variable,
 * no connection) give -1 and a reply starting with "err". */
int emu_command(const char *line, char *reply, size_t reply_size);

/* printf-style form of emu_command. */
int emu_commandf(char *reply, size_t reply_size, const char *fmt, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 3, 4)))
#endif
    ;

#ifdef __cplusplus
}
#endif

#endif
