/* The control channel: one text command per line, one reply line per command. */
#ifndef TARVENIX_EMU_CONTROL_H
#define TARVENIX_EMU_CONTROL_H

#include "emu.h"

#include <glib.h>

typedef struct Control Control;
typedef void (*ControlQuitFunc)(gpointer data);

/* Runs one command on the calling (main loop) thread and returns the reply line. */
char *control_execute(Control *ctl, const char *line);

Control *control_new(Emu *emu, ControlQuitFunc quit, gpointer quit_data);
/* Listens on a Unix stream socket at path; connections are served on their own threads, and
 * their commands are run on the main loop. */
int control_listen(Control *ctl, const char *path, char **err);
void control_stop(Control *ctl);

#endif
