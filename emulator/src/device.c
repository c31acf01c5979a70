/* What one pressure mouse does with the requests a program writes to its node: record them,
 * answer them, and misbehave when a fault says so. */
#include "emu.h"
#include "replay.h"

#include <errno.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <string.h>

typedef struct {
    Device *dev;
    guint gen;
} HandlerCtx;

typedef struct {
    gboolean writefail;
    gboolean unplug;
    int short_len; /* -1: full length */
    guint late_ms; /* this one reply waits so long */
    gboolean stranger;
    gboolean drop; /* answer a packet without storing it */
} Triggered;

/* ---- open files and their reports -------------------------------------------------------- */

/* hidraw keeps at most this many unread reports per open file and drops newer ones. */
#define HANDLE_QUEUE_MAX 64

/* One open file on the node. hidraw gives every open file its own copy of every input
 * report, so a report meant for one program also reaches any other that has the node open. */
typedef struct {
    UMockdevIoctlClient *client;  /* one umockdev connection per open() */
    GQueue unread;                /* Reply* */
    UMockdevIoctlClient *waiting; /* a read held until a report comes */
    gboolean active; /* has used the node (hidapi's open asks ioctls): a program that polls it */
    /* The node polled readable at some moment since this file's last read, so its program may
     * have passed poll() and must not be held in read() waiting for a report of its own. */
    gboolean polled;
} Handle;

static Handle *handle_of(UMockdevIoctlClient *client)
{
    return g_object_get_data(G_OBJECT(client), "emu-handle");
}

static void complete_read(UMockdevIoctlClient *client, const Reply *r)
{
    if (r->kind == CAP_READFAIL) {
        umockdev_ioctl_client_complete(client, -1, r->err);
        return;
    }
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    gsize n = MIN((gsize)arg->data_len, r->len);
    memcpy(arg->data, r->buf, n);
    umockdev_ioctl_client_complete(client, (glong)n, 0);
}

static void handle_close(Device *dev, Handle *h, int read_errno)
{
    dev->handles = g_list_remove(dev->handles, h);
    if (h->waiting) {
        if (umockdev_ioctl_client_get_connected(h->waiting))
            umockdev_ioctl_client_complete(h->waiting, -1, read_errno);
        g_object_unref(h->waiting);
    }
    g_queue_clear_full(&h->unread, g_free);
    g_object_set_data(G_OBJECT(h->client), "emu-handle", NULL);
    g_object_unref(h->client);
    g_free(h);
}

/* umockdev tells of a closed file only through the client's state, so files are forgotten
 * when next looked at. */
static void forget_closed(Device *dev)
{
    for (GList *l = dev->handles, *next; l; l = next) {
        next = l->next;
        Handle *h = l->data;
        if (!umockdev_ioctl_client_get_connected(h->client))
            handle_close(dev, h, ENODEV);
    }
}

static void watch_closing(Device *dev);

/* poll() on the node is one PTY shared by every open file, so it can only say "some active
 * file has reports". A file that is only held open (a lock) does not count. */
static void update_token(Device *dev)
{
    forget_closed(dev);
    gboolean any = FALSE;
    for (GList *l = dev->handles; l && !any; l = l->next) {
        Handle *h = l->data;
        any = h->active && !g_queue_is_empty(&h->unread);
    }
    node_set_token(dev, any);
    for (GList *l = dev->handles; l && dev->token; l = l->next)
        ((Handle *)l->data)->polled = TRUE;
    if (dev->token)
        watch_closing(dev);
}

/* While the node polls readable, a program that ends with reports unread must not leave it so
 * for the others; umockdev does not say when a file closes, so look now and then. */
#define CLOSING_LOOK_MS 10

static gboolean on_closing_look(gpointer data)
{
    Device *dev = data;
    g_mutex_lock(&dev->emu->lock);
    update_token(dev);
    gboolean keep = dev->token;
    if (!keep) {
        g_source_unref(dev->closing_watch);
        dev->closing_watch = NULL;
    }
    g_mutex_unlock(&dev->emu->lock);
    return keep ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

static void watch_closing(Device *dev)
{
    if (dev->closing_watch)
        return;
    dev->closing_watch = g_timeout_source_new(CLOSING_LOOK_MS);
    g_source_set_callback(dev->closing_watch, on_closing_look, dev, NULL);
    g_source_attach(dev->closing_watch, dev->emu->main_ctx);
}

/* A file becomes active when its program starts using it: hidapi's open asks an ioctl. */
static void mark_active(Device *dev, Handle *h)
{
    if (!h || h->active)
        return;
    h->active = TRUE;
    if (dev->replay)
        replay_opened(dev);
    update_token(dev);
}

static void push_capped(GQueue *q, const Reply *r)
{
    if (g_queue_get_length(q) < HANDLE_QUEUE_MAX)
        g_queue_push_tail(q, g_memdup2(r, sizeof *r));
}

static void handle_receive(Handle *h, const Reply *r)
{
    UMockdevIoctlClient *waiting = h->waiting;
    h->waiting = NULL;
    if (waiting && umockdev_ioctl_client_get_connected(waiting))
        complete_read(waiting, r);
    else
        push_capped(&h->unread, r);
    if (waiting)
        g_object_unref(waiting);
}

/* A report goes to every open file; with none open it waits in the device for the next. */
static void deliver(Device *dev, Reply *r)
{
    forget_closed(dev);
    if (!dev->handles)
        push_capped(&dev->undelivered, r);
    for (GList *l = dev->handles; l; l = l->next)
        handle_receive(l->data, r);
    g_free(r);
    update_token(dev);
}

static void handle_open(Device *dev, UMockdevIoctlClient *client)
{

    Handle *h = g_new0(Handle, 1);
    h->client = g_object_ref(client);
    g_queue_init(&h->unread);
    /* What the device sent while nobody listened reaches the first program to open it. */
    Reply *r;
    while ((r = g_queue_pop_head(&dev->undelivered)))
        g_queue_push_tail(&h->unread, r);
    g_object_set_data(G_OBJECT(client), "emu-handle", h);
    dev->handles = g_list_append(dev->handles, h);
}

static void arm_pending_timer(Device *dev);
static void perform(Device *dev, Reply *r);

/* A replayed unplug waits (a little) for the program to read the reports sent before it, as it
 * had read them before the device went away when the capture was made. */
#define UNPLUG_PATIENCE_US (1000 * 1000)
#define UNPLUG_RETRY_US (2 * 1000)

static gboolean unread_reports(Device *dev)
{
    forget_closed(dev);
    for (GList *l = dev->handles; l; l = l->next) {
        Handle *h = l->data;
        if (h->active && !g_queue_is_empty(&h->unread))
            return TRUE;
    }
    return FALSE;
}

static gboolean on_pending_timer(gpointer data)
{
    Device *dev = data;
    g_mutex_lock(&dev->emu->lock);
    /* An unplug may have replaced this timer while we waited for the lock. */
    if (dev->pending_timer == g_main_current_source()) {
        g_source_unref(dev->pending_timer);
        dev->pending_timer = NULL;
        gint64 now = g_get_monotonic_time();
        Reply *head;
        while ((head = g_queue_peek_head(&dev->pending)) && head->due <= now) {
            if (head->kind == CAP_UNPLUG && now < head->deadline && unread_reports(dev)) {
                head->due = now + UNPLUG_RETRY_US;
                break;
            }
            perform(dev, g_queue_pop_head(&dev->pending));
        }
        arm_pending_timer(dev);
    }
    g_mutex_unlock(&dev->emu->lock);
    return G_SOURCE_REMOVE;
}

static void arm_pending_timer(Device *dev)
{
    Reply *head = g_queue_peek_head(&dev->pending);
    if (!head || dev->pending_timer)
        return;
    gint64 wait_us = head->due - g_get_monotonic_time();
    guint ms = wait_us > 0 ? (guint)((wait_us + 999) / 1000) : 0;
    dev->pending_timer = g_timeout_source_new(ms);
    g_source_set_callback(dev->pending_timer, on_pending_timer, dev, NULL);
    g_source_attach(dev->pending_timer, dev->emu->main_ctx);
}

/* Replies keep their order even when their delays differ; a report due now goes out at once
 * (from a node handler too), anything else through the main loop. */
void device_send(Device *dev, Reply *r, gint64 due)
{
    Reply *last = g_queue_peek_tail(&dev->pending);
    gboolean report = r->kind == CAP_REPORT || r->kind == CAP_READFAIL;
    if (report && !last && due <= g_get_monotonic_time()) {
        deliver(dev, r);
        return;
    }
    r->due = last ? MAX(due, last->due) : due;
    r->deadline = r->due + UNPLUG_PATIENCE_US;
    g_queue_push_tail(&dev->pending, r);
    arm_pending_timer(dev);
}

void device_drop_queued(Device *dev)
{
    if (dev->pending_timer) {
        g_source_destroy(dev->pending_timer);
        g_source_unref(dev->pending_timer);
        dev->pending_timer = NULL;
    }
    g_queue_clear_full(&dev->pending, g_free);
    g_queue_clear_full(&dev->undelivered, g_free);
}

/* Every open file fails from now on: a waiting read at once, later calls by generation. */
static void close_handles(Device *dev)
{
    while (dev->handles)
        handle_close(dev, dev->handles->data, ENODEV);
}

/* ---- unplugging ------------------------------------------------------------------------- */

/* The part of an unplug that any thread may do: every open handle fails from now on. */
static void hang_up(Device *dev)
{
    dev->plugged = FALSE;
    dev->gen++;
    close_handles(dev);
    device_drop_queued(dev);
    dev->token = FALSE;
    node_hangup(dev);
    dev->teardown_pending = TRUE;
}

static void finish_teardown(Device *dev)
{
    if (!dev->teardown_pending)
        return;
    node_destroy(dev);
    dev->teardown_pending = FALSE;
}

static gboolean on_teardown_idle(gpointer data)
{
    Device *dev = data;
    g_mutex_lock(&dev->emu->lock);
    finish_teardown(dev);
    g_mutex_unlock(&dev->emu->lock);
    return G_SOURCE_REMOVE;
}

/* Called from a node handler: the testbed is changed on the main loop only. */
static void unplug_from_handler(Device *dev)
{
    hang_up(dev);
    GSource *idle = g_idle_source_new();
    g_source_set_callback(idle, on_teardown_idle, dev, NULL);
    g_source_attach(idle, dev->emu->main_ctx);
    g_source_unref(idle);
}

static int plug_locked(Device *dev, char **err);

/* What a replay makes happen at its time, on the main loop. */
static void perform(Device *dev, Reply *r)
{
    CapKind kind = r->kind;
    char *err = NULL;
    if (kind == CAP_REPORT || kind == CAP_READFAIL) {
        deliver(dev, r);
        return;
    }
    g_free(r);
    if (kind == CAP_UNPLUG && dev->plugged) {
        /* An unplug drops what is on its way; the replay's later events stay. */
        GQueue later = dev->pending;
        g_queue_init(&dev->pending);
        hang_up(dev);
        finish_teardown(dev);
        dev->pending = later;
    } else if (kind == CAP_PLUG && !dev->plugged && plug_locked(dev, &err) < 0) {
        g_printerr("tarvenix-emu: replayed plug of device %u failed: %s\n", dev->id, err);
        g_free(err);
    }
}

/* ---- requests --------------------------------------------------------------------------- */

static void fire_faults(Device *dev, Triggered *t)
{
    dev->seq++;
    for (GList *l = dev->armed, *next; l; l = next) {
        next = l->next;
        Fault *f = l->data;
        if (f->trigger != dev->seq)
            continue;
        if (f->kind == FAULT_SILENT)
            dev->silent = TRUE;
        else if (f->kind == FAULT_DELAY)
            dev->delay_ms = f->param;
        else if (f->kind == FAULT_SHORT)
            t->short_len = (int)f->param;
        else if (f->kind == FAULT_WRITEFAIL)
            t->writefail = TRUE;
        else if (f->kind == FAULT_LATE)
            t->late_ms = f->param;
        else if (f->kind == FAULT_STRANGER)
            t->stranger = TRUE;
        else if (f->kind == FAULT_DROP)
            t->drop = TRUE;
        else
            t->unplug = TRUE;
        g_free(f);
        dev->armed = g_list_delete_link(dev->armed, l);
    }
}

static void record_request(Device *dev, Handle *h, const EmuRequest *r, const guint8 *data,
                           gsize len)
{
    guint8 record[EMU_REPORT_SIZE] = {0};
    if ((h && !g_queue_is_empty(&h->unread)) || !g_queue_is_empty(&dev->pending))
        dev->early++;
    memcpy(record, data, MIN(len, sizeof record));
    g_byte_array_append(dev->log, record, sizeof record);
    dev->requests++;
    if (r->kind == EMU_REQ_BAD)
        dev->bad++;
}

/* The model takes the request and writes its reply to reply. */
static void model_handle(Device *dev, const EmuRequest *req, const guint8 *data, gsize len,
                         guint8 *reply)
{
    if (emu_model_handle(&dev->model, req, data, len, reply) < 0)
        g_warning("device %u: out of memory storing firmware", dev->id);
}

static void answer(Device *dev, const EmuRequest *req, const guint8 *data, gsize len,
                   const Triggered *t)
{
    Reply *r = g_new0(Reply, 1);
    /* A packet's reply is its echo alone, so a dropped one is answered as a stored one is. */
    EmuRequest handled = *req;
    if (t->drop && (req->kind == EMU_REQ_DATA || req->kind == EMU_REQ_FIRMWARE))
        handled.kind = EMU_REQ_BAD;
    model_handle(dev, &handled, data, len, r->buf);
    r->len = t->short_len >= 0 ? MIN((gsize)t->short_len, sizeof r->buf) : sizeof r->buf;
    device_send(dev, r, g_get_monotonic_time() + (gint64)MAX(dev->delay_ms, t->late_ms) * 1000);
}

/* Another program on the same device asks for the version: its reply reaches every open
 * file, ours included. Its request is not logged: the log holds the program's own. */
static void answer_stranger(Device *dev)
{
    guint8 query[EMU_REPORT_SIZE];
    const Triggered plain = {FALSE, FALSE, -1, 0, FALSE, FALSE};
    emu_build_request(query, EMU_REQ_VERSION, 0, NULL);
    EmuRequest req = emu_parse_request(query, sizeof query);
    answer(dev, &req, query, sizeof query, &plain);
}

/* A request the replay took as the captured one goes into the model as well, so that dumps and a
 * lenient replay's later answers know it. */
static void keep_in_model(Device *dev, const EmuRequest *req, const guint8 *data, gsize len)
{
    guint8 unused[EMU_REPORT_SIZE];
    model_handle(dev, req, data, len, unused);
}

static glong on_write_locked(Device *dev, guint gen, UMockdevIoctlClient *client,
                             const guint8 *data, gsize len, int *err)
{
    Triggered t = {FALSE, FALSE, -1, 0, FALSE, FALSE};
    if (!dev->plugged || gen != dev->gen) {
        *err = ENODEV;
        return -1;
    }
    Handle *h = handle_of(client);
    mark_active(dev, h);
    fire_faults(dev, &t);
    ReplayVerdict v = REPLAY_OFF;
    if (dev->replay && !t.writefail)
        v = replay_write(dev, data, len, err);
    if (t.writefail || v == REPLAY_FAIL) {
        dev->failed++;
        if (t.writefail)
            *err = EIO;
        else
            replay_answer(dev);
        return -1;
    }
    EmuRequest req = emu_parse_request(data, len);
    record_request(dev, h, &req, data, len);
    if (t.unplug) {
        unplug_from_handler(dev);
        return (glong)len;
    }
    if (v == REPLAY_ANSWER) {
        keep_in_model(dev, &req, data, len);
        replay_answer(dev);
    } else if (v == REPLAY_OFF && !dev->silent) {
        answer(dev, &req, data, len, &t);
    }
    if (t.stranger)
        answer_stranger(dev);
    return (glong)len;
}

static void on_read_locked(Device *dev, guint gen, UMockdevIoctlClient *client)
{
    Handle *h = handle_of(client);
    if (!dev->plugged || gen != dev->gen || !h) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return;
    }
    gboolean polled = h->polled;
    mark_active(dev, h);
    Reply *r = g_queue_pop_head(&h->unread);
    update_token(dev);
    h->polled = dev->token;
    if (r) {
        complete_read(client, r);
        g_free(r);
    } else if (polled) {
        /* The shared poll said readable for another file's reports, perhaps read meanwhile:
         * nothing here, and a program that polled must not wait in read(). */
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
    } else {
        /* Nothing to read: hold the read, which is what a blocking read does. */
        h->waiting = g_object_ref(client);
    }
}

/* ---- node handlers (umockdev worker thread) ------------------------------------------- */

static gboolean on_write(UMockdevIoctlBase *base, UMockdevIoctlClient *client, gpointer data)
{
    (void)base;
    HandlerCtx *ctx = data;
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    int err = 0;
    g_mutex_lock(&ctx->dev->emu->lock);
    glong res = on_write_locked(ctx->dev, ctx->gen, client, arg->data, (gsize)arg->data_len, &err);
    g_mutex_unlock(&ctx->dev->emu->lock);
    umockdev_ioctl_client_complete(client, res, err);
    return TRUE;
}

static gboolean on_read(UMockdevIoctlBase *base, UMockdevIoctlClient *client, gpointer data)
{
    (void)base;
    HandlerCtx *ctx = data;
    g_mutex_lock(&ctx->dev->emu->lock);
    on_read_locked(ctx->dev, ctx->gen, client);
    g_mutex_unlock(&ctx->dev->emu->lock);
    return TRUE;
}

static void reply_bytes(UMockdevIoctlClient *client, const void *src, gsize len, glong res)
{
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData *out = umockdev_ioctl_data_resolve(arg, 0, len, NULL);
    if (!out) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    memcpy(out->data, src, len);
    umockdev_ioctl_client_complete(client, res, 0);
}

static void reply_string(UMockdevIoctlClient *client, const char *s, gsize room)
{
    gsize len = MIN(strlen(s) + 1, room);
    g_autofree char *buf = g_malloc0(room ? room : 1);
    memcpy(buf, s, len);
    if (room)
        buf[len - 1] = '\0';
    reply_bytes(client, buf, len, (glong)len);
}

static void reply_descriptor(UMockdevIoctlClient *client, const Node *n)
{
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData *out =
        umockdev_ioctl_data_resolve(arg, 0, sizeof(struct hidraw_report_descriptor), NULL);
    if (!out) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    struct hidraw_report_descriptor *d = (void *)out->data;
    memcpy(d->value, n->rdesc, MIN(d->size, n->rdesc_len));
    umockdev_ioctl_client_complete(client, 0, 0);
}

/* The hidraw ioctls hidapi and friends use; anything else fails as the kernel would. */
static void ioctl_locked(Device *dev, UMockdevIoctlClient *client)
{
    const Node *n = &dev->node;
    gulong req = umockdev_ioctl_client_get_request(client);
    if (_IOC_TYPE(req) != 'H') {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return;
    }
    int size = (int)n->rdesc_len;
    struct hidraw_devinfo info = {BUS_USB, (__s16)dev->cfg.vid, (__s16)dev->cfg.pid};
    switch (_IOC_NR(req)) {
    case _IOC_NR(HIDIOCGRDESCSIZE):
        reply_bytes(client, &size, sizeof size, 0);
        break;
    case _IOC_NR(HIDIOCGRDESC):
        reply_descriptor(client, n);
        break;
    case _IOC_NR(HIDIOCGRAWINFO):
        reply_bytes(client, &info, sizeof info, 0);
        break;
    case _IOC_NR(HIDIOCGRAWNAME(0)):
        reply_string(client, n->name, _IOC_SIZE(req));
        break;
    case _IOC_NR(HIDIOCGRAWPHYS(0)):
        reply_string(client, n->phys, _IOC_SIZE(req));
        break;
    case _IOC_NR(HIDIOCGRAWUNIQ(0)):
        reply_string(client, dev->cfg.serial, _IOC_SIZE(req));
        break;
    default:
        umockdev_ioctl_client_complete(client, -1, EINVAL);
    }
}

static gboolean on_ioctl(UMockdevIoctlBase *base, UMockdevIoctlClient *client, gpointer data)
{
    (void)base;
    HandlerCtx *ctx = data;
    Device *dev = ctx->dev;
    g_mutex_lock(&dev->emu->lock);
    mark_active(dev, handle_of(client));
    if (dev->plugged && ctx->gen == dev->gen)
        ioctl_locked(dev, client);
    else
        umockdev_ioctl_client_complete(client, -1, ENODEV);
    g_mutex_unlock(&dev->emu->lock);
    return TRUE;
}

static void on_connected(UMockdevIoctlBase *base, UMockdevIoctlClient *client, gpointer data)
{
    (void)base;
    HandlerCtx *ctx = data;
    g_mutex_lock(&ctx->dev->emu->lock);
    if (ctx->dev->plugged && ctx->gen == ctx->dev->gen) {
        handle_open(ctx->dev, client);
        update_token(ctx->dev);
    }
    g_mutex_unlock(&ctx->dev->emu->lock);
}

static UMockdevIoctlBase *make_handler(Device *dev)
{
    UMockdevIoctlBase *h = umockdev_ioctl_base_new();
    HandlerCtx *ctx = g_new0(HandlerCtx, 1);
    ctx->dev = dev;
    ctx->gen = dev->gen;
    g_object_set_data_full(G_OBJECT(h), "emu-ctx", ctx, g_free);
    g_signal_connect(h, "handle-ioctl", G_CALLBACK(on_ioctl), ctx);
    g_signal_connect(h, "handle-read", G_CALLBACK(on_read), ctx);
    g_signal_connect(h, "handle-write", G_CALLBACK(on_write), ctx);
    g_signal_connect(h, "client-connected", G_CALLBACK(on_connected), ctx);
    return h;
}

/* ---- commands (main loop) --------------------------------------------------------------- */

static int plug_locked(Device *dev, char **err)
{
    if (dev->plugged) {
        *err = g_strdup("already plugged");
        return -1;
    }
    finish_teardown(dev);
    dev->gen++;
    UMockdevIoctlBase *handler = make_handler(dev);
    int rc = node_create(dev, handler, err);
    g_object_unref(handler);
    if (rc < 0)
        return -1;
    /* A fresh plug is a power cycle: a device that went silent answers again. */
    dev->silent = FALSE;
    dev->token = FALSE;
    dev->plugged = TRUE;
    return 0;
}

int device_plug(Device *dev, char **err)
{
    g_mutex_lock(&dev->emu->lock);
    if (dev->plug_timer) {
        g_source_destroy(dev->plug_timer);
        g_source_unref(dev->plug_timer);
        dev->plug_timer = NULL;
    }
    int rc = plug_locked(dev, err);
    g_mutex_unlock(&dev->emu->lock);
    return rc;
}

int device_unplug(Device *dev, char **err)
{
    g_mutex_lock(&dev->emu->lock);
    int rc = 0;
    if (!dev->plugged) {
        *err = g_strdup("not plugged");
        rc = -1;
    } else {
        hang_up(dev);
        finish_teardown(dev);
    }
    g_mutex_unlock(&dev->emu->lock);
    return rc;
}

static gboolean on_plug_timer(gpointer data)
{
    Device *dev = data;
    char *err = NULL;
    g_mutex_lock(&dev->emu->lock);
    g_source_unref(dev->plug_timer);
    dev->plug_timer = NULL;
    if (!dev->plugged && plug_locked(dev, &err) < 0)
        g_printerr("tarvenix-emu: delayed plug of device %u failed: %s\n", dev->id, err);
    g_mutex_unlock(&dev->emu->lock);
    g_free(err);
    return G_SOURCE_REMOVE;
}

void device_plug_later(Device *dev, guint ms)
{
    g_mutex_lock(&dev->emu->lock);
    if (dev->plug_timer) {
        g_source_destroy(dev->plug_timer);
        g_source_unref(dev->plug_timer);
    }
    dev->plug_timer = g_timeout_source_new(ms);
    g_source_set_callback(dev->plug_timer, on_plug_timer, dev, NULL);
    g_source_attach(dev->plug_timer, dev->emu->main_ctx);
    g_mutex_unlock(&dev->emu->lock);
}

void device_arm_fault(Device *dev, FaultKind kind, guint param, guint at)
{
    Fault *f = g_new0(Fault, 1);
    f->kind = kind;
    f->param = param;
    g_mutex_lock(&dev->emu->lock);
    f->trigger = dev->seq + (at ? at : 1);
    dev->armed = g_list_append(dev->armed, f);
    g_mutex_unlock(&dev->emu->lock);
}

void device_clear_faults(Device *dev)
{
    g_mutex_lock(&dev->emu->lock);
    g_list_free_full(dev->armed, g_free);
    dev->armed = NULL;
    dev->silent = FALSE;
    dev->delay_ms = 0;
    g_mutex_unlock(&dev->emu->lock);
}

int device_set_version(Device *dev, const guint8 *text, gsize len, char **err)
{
    g_mutex_lock(&dev->emu->lock);
    int rc = emu_model_set_version(&dev->model, text, len);
    g_mutex_unlock(&dev->emu->lock);
    if (rc < 0)
        *err = g_strdup_printf("version longer than %d bytes", EMU_VERSION_MAX);
    return rc;
}

int device_load_data(Device *dev, const char *path, char **err)
{
    gchar *contents = NULL;
    gsize len = 0;
    GError *e = NULL;
    if (!g_file_get_contents(path, &contents, &len, &e)) {
        *err = g_strdup(e->message);
        g_error_free(e);
        return -1;
    }
    int rc = 0;
    if (len > EMU_DATA_SIZE) {
        *err = g_strdup_printf("%s is larger than the data area (%u bytes)", path, EMU_DATA_SIZE);
        rc = -1;
    } else {
        g_mutex_lock(&dev->emu->lock);
        emu_model_fill_byte(&dev->model, 0);
        memcpy(dev->model.data, contents, len);
        g_mutex_unlock(&dev->emu->lock);
    }
    g_free(contents);
    return rc;
}

void device_fill(Device *dev, guint8 value)
{
    g_mutex_lock(&dev->emu->lock);
    emu_model_fill_byte(&dev->model, value);
    g_mutex_unlock(&dev->emu->lock);
}

void device_clear_log(Device *dev, gboolean all)
{
    g_mutex_lock(&dev->emu->lock);
    g_byte_array_set_size(dev->log, 0);
    dev->requests = dev->bad = dev->early = dev->failed = 0;
    if (all)
        emu_model_clear_firmware(&dev->model);
    g_mutex_unlock(&dev->emu->lock);
}

static char *counters(Device *dev)
{
    return g_strdup_printf("requests=%" G_GUINT64_FORMAT " bad=%" G_GUINT64_FORMAT
                           " early=%" G_GUINT64_FORMAT,
                           dev->requests, dev->bad, dev->early);
}

char *device_stats(Device *dev)
{
    g_mutex_lock(&dev->emu->lock);
    g_autofree char *base = counters(dev);
    char *s = g_strdup_printf("%s fwsize=%zu plugged=%d node=%s failed=%" G_GUINT64_FORMAT, base,
                              dev->model.fw_size, dev->plugged ? 1 : 0,
                              dev->last_devnode ? dev->last_devnode : "-", dev->failed);
    g_mutex_unlock(&dev->emu->lock);
    return s;
}

char *device_describe(Device *dev)
{
    g_mutex_lock(&dev->emu->lock);
    char *s =
        g_strdup_printf("id=%u node=%s plugged=%d vid=%04x pid=%04x page=%04x usage=%04x", dev->id,
                        dev->last_devnode ? dev->last_devnode : "-", dev->plugged ? 1 : 0,
                        dev->cfg.vid, dev->cfg.pid, dev->cfg.page, dev->cfg.usage);
    g_mutex_unlock(&dev->emu->lock);
    return s;
}

static int write_file(const char *dir, const char *name, const void *data, gsize len, char **err)
{
    g_autofree char *path = g_build_filename(dir, name, NULL);
    GError *e = NULL;
    if (g_file_set_contents(path, data ? data : "", (gssize)len, &e))
        return 0;
    *err = g_strdup(e->message);
    g_error_free(e);
    return -1;
}

char *device_dump(Device *dev, const char *dir, char **err)
{
    if (g_mkdir_with_parents(dir, 0755) < 0) {
        *err = g_strdup_printf("cannot create %s: %s", dir, g_strerror(errno));
        return NULL;
    }
    g_mutex_lock(&dev->emu->lock);
    int rc = write_file(dir, "requests.bin", dev->log->data, dev->log->len, err);
    if (rc == 0)
        rc = write_file(dir, "firmware.bin", dev->model.fw, dev->model.fw_size, err);
    if (rc == 0)
        rc = write_file(dir, "data.bin", dev->model.data, EMU_DATA_SIZE, err);
    char *s = rc == 0 ? counters(dev) : NULL;
    g_mutex_unlock(&dev->emu->lock);
    return s;
}

/* ---- the emulator ----------------------------------------------------------------------- */

Emu *emu_new(void)
{
    Emu *emu = g_new0(Emu, 1);
    g_mutex_init(&emu->lock);
    emu->tb = umockdev_testbed_new();
    emu->devices = g_ptr_array_new();
    emu->main_ctx = g_main_context_default();
    return emu;
}

static int apply_content(Device *dev, char **err)
{
    if (dev->cfg.data_file)
        return device_load_data(dev, dev->cfg.data_file, err);
    if (dev->cfg.fill >= 0)
        emu_model_fill_byte(&dev->model, (guint8)dev->cfg.fill);
    return 0;
}

static void device_free(Device *dev)
{
    replay_free(dev->replay);
    emu_model_free(&dev->model);
    emu_config_free(&dev->cfg);
    g_byte_array_unref(dev->log);
    g_list_free_full(dev->armed, g_free);
    g_free(dev->last_devnode);
    g_free(dev);
}

Device *emu_add_device(Emu *emu, const EmuConfig *cfg, gboolean plug, char **err)
{
    Device *dev = g_new0(Device, 1);
    dev->emu = emu;
    dev->id = emu->devices->len + 1;
    emu_config_copy(&dev->cfg, cfg);
    dev->log = g_byte_array_new();
    dev->node.hidraw = -1;
    dev->node.master_fd = dev->node.slave_fd = -1;
    if (emu_model_init(&dev->model) < 0) {
        *err = g_strdup("out of memory");
        device_free(dev);
        return NULL;
    }
    emu_model_set_version(&dev->model, cfg->version, cfg->version_len);
    if (apply_content(dev, err) < 0 || (plug && device_plug(dev, err) < 0)) {
        device_free(dev);
        return NULL;
    }
    g_ptr_array_add(emu->devices, dev);
    return dev;
}

Device *emu_find_device(Emu *emu, guint id)
{
    if (id == 0 || id > emu->devices->len)
        return NULL;
    return g_ptr_array_index(emu->devices, id - 1);
}

void emu_free(Emu *emu)
{
    for (guint i = 0; i < emu->devices->len; i++) {
        Device *dev = g_ptr_array_index(emu->devices, i);
        g_mutex_lock(&emu->lock);
        if (dev->plugged)
            hang_up(dev);
        finish_teardown(dev);
        g_mutex_unlock(&emu->lock);
    }
    node_close_kept(emu);
    g_object_unref(emu->tb);
    g_mutex_clear(&emu->lock);
}
