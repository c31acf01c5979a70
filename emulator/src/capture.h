/* A capture: what one program exchanged with one device, recorded as JSON Lines by the program
 * at its device seam, read here so that the emulator can replay it. */
#ifndef TARVENIX_EMU_CAPTURE_H
#define TARVENIX_EMU_CAPTURE_H

#include "options.h"
#include "protocol.h"

#include <glib.h>

typedef enum {
    CAP_REPORT,   /* a report the program read */
    CAP_READFAIL, /* a read that failed while the device stayed */
    CAP_UNPLUG,
    CAP_PLUG,
} CapKind;

/* Something the device did, at_us after the start of its group. timed: its time matters even in
 * a fast replay, because a read before it in its group waited in vain (the program's wait must
 * pass first) or because it is a plug or unplug line (a person's doing, not the device's). */
typedef struct {
    CapKind kind;
    gint64 at_us;
    gboolean timed;
    int err;      /* CAP_READFAIL: the errno that hidapi's text names */
    GBytes *data; /* CAP_REPORT */
} CapAction;

/* What the device did after one write, or after one open of the device, up to the next write or
 * open. Groups that start at an open wait for the program to open the device. */
typedef struct {
    gboolean at_open;
    GPtrArray *actions; /* CapAction*, at_us never decreasing */
} CapGroup;

typedef struct {
    guint line;
    GBytes *request;
    int err;     /* 0: the write went through; otherwise it failed with this errno */
    guint group; /* index of the group that starts at this write */
} CapWrite;

typedef struct {
    EmuConfig identity; /* from the first open */
    gboolean starts_unplugged;
    GPtrArray *writes; /* CapWrite* */
    GPtrArray *groups; /* CapGroup*; the first starts with the capture, then in capture order */
} Capture;

/* Reads a capture; NULL with "FILE:LINE: reason" in *err when it is not a valid one. */
Capture *capture_load(const char *path, char **err);
void capture_free(Capture *c);

/* The file that the captured program sent: its firmware or data packets' payloads, each at its
 * offset. kind becomes "firmware" or "data", missing the number of blocks below the end that
 * no packet carried (left zero). -1 with a reason when there is nothing, or both kinds. */
int capture_extract(const Capture *c, GByteArray *out, const char **kind, guint *missing,
                    char **err);

/* What the device held, as far as the capture shows: the version text of the first version
 * reply, and each block that a read-out returned before a data packet changed it. */
void capture_seed_model(const Capture *c, EmuModel *m);

#endif
