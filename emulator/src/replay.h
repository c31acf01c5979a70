/* Replaying a capture: the device answers each request the program makes with what the captured
 * device did after the same request, at the captured times, until the program goes another
 * way (a divergence). */
#ifndef TARVENIX_EMU_REPLAY_H
#define TARVENIX_EMU_REPLAY_H

#include "capture.h"
#include "emu.h"

typedef enum {
    REPLAY_OFF,    /* not the replay's: the device answers as it always does */
    REPLAY_ANSWER, /* the captured write: replay_answer() plays what followed it */
    REPLAY_FAIL,   /* the captured write, which failed: it fails again */
    REPLAY_QUIET,  /* after a strict replay diverged: no answer */
} ReplayVerdict;

/* Takes the capture. fast: no captured delays; lenient: after a divergence the device answers
 * as the plain emulator does (strict: not at all). */
Replay *replay_new(Capture *cap, gboolean fast, gboolean lenient);
void replay_free(Replay *rp);

/* Makes dev (added unplugged when the capture starts so) the captured device: its content as
 * the capture shows it, and what happened before the program opened it. On the main loop,
 * before the program starts. */
void replay_attach(Device *dev, Replay *rp);

/* With Emu.lock held, from the node handlers. replay_write judges a write (a divergence is
 * reported on stderr); replay_answer then plays what followed it; replay_opened plays what
 * followed an open once the program opens the device. */
ReplayVerdict replay_write(Device *dev, const guint8 *data, gsize len, int *err);
void replay_answer(Device *dev);
void replay_opened(Device *dev);

/* "exchanges=N writes=M diverged=0|1 mode=strict|lenient [at=K divergence=TEXT]" */
char *replay_status(Device *dev);

/* At the end: says so on stderr when the program made fewer writes than the capture. */
void replay_finish(Device *dev);

#endif
