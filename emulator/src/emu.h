/* The emulator's devices: state, request handling, faults and their umockdev nodes.
 *
 * Threads: umockdev calls the node handlers (ioctl/read/write) on its own worker thread;
 * control commands, timers and the child watch run on the main loop. One mutex (Emu.lock)
 * guards all device state. Testbed changes (adding and removing sysfs devices) happen on
 * the main loop only. */
#ifndef TARVENIX_EMU_EMU_H
#define TARVENIX_EMU_EMU_H

#include "capture.h"
#include "options.h"
#include "protocol.h"

#include <glib.h>
#include <umockdev.h>

typedef enum {
    FAULT_SILENT,
    FAULT_DELAY,
    FAULT_SHORT,
    FAULT_WRITEFAIL,
    FAULT_UNPLUG,
    FAULT_LATE,     /* one reply only, delayed */
    FAULT_STRANGER, /* another program asks for the version after this request */
    FAULT_DROP,     /* a firmware or data packet is answered but not stored */
} FaultKind;

typedef struct {
    FaultKind kind;
    guint64 trigger; /* the request number (Device.seq) it fires on */
    guint param;     /* delay ms or short length */
} Fault;

/* A report on its way to the program; in a replay also a failing read, an unplug or a plug. */
typedef struct {
    CapKind kind;
    int err; /* CAP_READFAIL */
    gsize len;
    gint64 due;      /* monotonic time when a delayed reply becomes readable */
    gint64 deadline; /* CAP_UNPLUG: waits for the program to read what came before, until then */
    guint8 buf[EMU_REPORT_SIZE];
} Reply;

/* One plugged-in instance of a device: its sysfs entries, PTY and ioctl handler. */
typedef struct {
    int hidraw; /* -1 while unplugged */
    guint hid_seq;
    int master_fd;
    int slave_fd;
    guint rdev_major;
    guint rdev_minor;
    char *pty_name;
    char *devnode;
    char *sys_usb;
    char *sys_intf;
    char *sys_hid;
    char *sys_raw;
    char *name; /* HID_NAME, reported by HIDIOCGRAWNAME */
    char *phys;
    guint8 rdesc[EMU_DESCRIPTOR_MAX];
    gsize rdesc_len;
    UMockdevIoctlBase *handler;
} Node;

typedef struct Emu Emu;
typedef struct Replay Replay;

typedef struct {
    Emu *emu;
    guint id;
    EmuConfig cfg;
    EmuModel model;

    GByteArray *log;
    guint64 requests;
    guint64 bad;
    guint64 early;
    guint64 failed;

    guint64 seq; /* write attempts, the clock that faults are armed against */
    GList *armed;
    gboolean silent;
    guint delay_ms;

    gboolean plugged;
    guint gen;          /* bumped on every plug and unplug; stale handlers compare against it */
    GList *handles;     /* Handle*: the node's open files, each with its own reports */
    GQueue undelivered; /* Reply*: sent while no file was open, for the next one opened */
    GQueue pending;
    gboolean token;
    GSource *closing_watch; /* while token: looks for files closed with reports unread */
    GSource *pending_timer;
    GSource *plug_timer;
    gboolean teardown_pending;
    char *last_devnode;
    Node node;
    Replay *replay; /* NULL unless this device replays a capture */
} Device;

struct Emu {
    UMockdevTestbed *tb;
    GMutex lock;
    GPtrArray *devices;
    GMainContext *main_ctx;
    guint next_hidraw;
    guint next_hid_seq;
    /* --no-hangup: an unplug keeps each node's terminal open until the end (kept_fds). */
    gboolean no_hangup;
    GArray *kept_fds;
};

Emu *emu_new(void);
void emu_free(Emu *emu);
/* plug: FALSE adds the device unplugged, for a later plug. */
Device *emu_add_device(Emu *emu, const EmuConfig *cfg, gboolean plug, char **err);
Device *emu_find_device(Emu *emu, guint id);

/* Device commands; all take Emu.lock themselves and run on the main loop. */
int device_plug(Device *dev, char **err);
int device_unplug(Device *dev, char **err);
void device_plug_later(Device *dev, guint ms);
void device_arm_fault(Device *dev, FaultKind kind, guint param, guint at);
void device_clear_faults(Device *dev);
int device_set_version(Device *dev, const guint8 *text, gsize len, char **err);
int device_load_data(Device *dev, const char *path, char **err);
void device_fill(Device *dev, guint8 value);
void device_clear_log(Device *dev, gboolean all);
char *device_stats(Device *dev);
char *device_describe(Device *dev);
char *device_dump(Device *dev, const char *dir, char **err);

/* With Emu.lock held. device_send sends a report (or makes a replayed event happen) at due
 * (monotonic time), after whatever was sent before it; device_drop_queued drops what is still
 * on its way. */
void device_send(Device *dev, Reply *r, gint64 due);
void device_drop_queued(Device *dev);

/* Node plumbing (node.c), called with Emu.lock held on the main loop. */
int node_create(Device *dev, UMockdevIoctlBase *handler, char **err);
void node_destroy(Device *dev);
void node_hangup(Device *dev);  /* any thread, lock held */
void node_close_kept(Emu *emu); /* the PTYs that --no-hangup kept open */
void node_set_token(Device *dev, gboolean on);

#endif
