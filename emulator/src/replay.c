#include "replay.h"

#include <string.h>

#define DIFFERENCES_SHOWN 4

struct Replay {
    Capture *cap;
    gboolean fast;
    gboolean lenient;
    guint matched; /* captured writes the program has made */
    /* Groups that start at an open and wait for the program to open the device. */
    guint waiting;
    guint waiting_end;
    guint diverged_at; /* 0, or the write (from 1) that went another way */
    char *divergence;
};

/* The first group after write k (0-based) and what came before it. */
static guint group_of_write(const Capture *c, guint k)
{
    return k < c->writes->len ? ((const CapWrite *)c->writes->pdata[k])->group : c->groups->len;
}

Replay *replay_new(Capture *cap, gboolean fast, gboolean lenient)
{
    Replay *rp = g_new0(Replay, 1);
    rp->cap = cap;
    rp->fast = fast;
    rp->lenient = lenient;
    rp->waiting = 1;
    rp->waiting_end = group_of_write(cap, 0);
    return rp;
}

void replay_free(Replay *rp)
{
    if (!rp)
        return;
    capture_free(rp->cap);
    g_free(rp->divergence);
    g_free(rp);
}

static void play_group(Device *dev, guint index)
{
    const Replay *rp = dev->replay;
    const CapGroup *g = rp->cap->groups->pdata[index];
    gint64 start = g_get_monotonic_time();
    for (guint i = 0; i < g->actions->len; i++) {
        const CapAction *a = g->actions->pdata[i];
        Reply *r = g_new0(Reply, 1);
        r->kind = a->kind;
        r->err = a->err;
        if (a->data) {
            r->len = g_bytes_get_size(a->data);
            memcpy(r->buf, g_bytes_get_data(a->data, NULL), r->len);
        }
        device_send(dev, r, start + (!rp->fast || a->timed ? a->at_us : 0));
    }
}

void replay_attach(Device *dev, Replay *rp)
{
    g_mutex_lock(&dev->emu->lock);
    dev->replay = rp;
    capture_seed_model(rp->cap, &dev->model);
    play_group(dev, 0);
    g_mutex_unlock(&dev->emu->lock);
}

/* ---- divergence ------------------------------------------------------------------------ */

static void describe_bytes(GString *s, GBytes *want, const guint8 *got, gsize got_len)
{
    gsize want_len = 0, count = 0;
    const guint8 *w = g_bytes_get_data(want, &want_len);
    GString *list = g_string_new(NULL);
    for (gsize i = 0; i < MIN(want_len, got_len); i++) {
        if (w[i] != got[i] && count++ < DIFFERENCES_SHOWN)
            g_string_append_printf(list, "%sbyte %zu is %02x, expected %02x", count > 1 ? "; " : "",
                                   i, got[i], w[i]);
    }
    if (count)
        g_string_append_printf(s, "%zu byte%s differ%s (%s%s)", count, count == 1 ? "" : "s",
                               count == 1 ? "s" : "", list->str,
                               count > DIFFERENCES_SHOWN ? "; ..." : "");
    if (want_len != got_len)
        g_string_append_printf(s, "%sit is %zu bytes long, expected %zu", count ? "; " : "",
                               got_len, want_len);
    g_string_free(list, TRUE);
}

static char *describe_divergence(const Replay *rp, const CapWrite *w, const guint8 *data, gsize len)
{
    char got[96], want[96];
    guint n = rp->matched + 1, total = rp->cap->writes->len;
    GString *s = g_string_new(NULL);
    emu_describe_request(got, sizeof got, data, len);
    if (!w) {
        g_string_append_printf(s,
                               "write %u goes past the capture, which ends after %u write%s; "
                               "the program sent %s",
                               n, total, total == 1 ? "" : "s", got);
    } else {
        gsize want_len = 0;
        const guint8 *bytes = g_bytes_get_data(w->request, &want_len);
        emu_describe_request(want, sizeof want, bytes, want_len);
        g_string_append_printf(s, "write %u of %u differs from the capture: ", n, total);
        describe_bytes(s, w->request, data, len);
        g_string_append_printf(s, "; the capture expects %s (line %u), the program sent %s", want,
                               w->line, got);
    }
    g_string_append(s, rp->lenient ? "; lenient: the device answers as the plain emulator does"
                                   : "; strict: the device answers no more");
    return g_string_free(s, FALSE);
}

static void diverge(Device *dev, const CapWrite *w, const guint8 *data, gsize len)
{
    Replay *rp = dev->replay;
    rp->diverged_at = rp->matched + 1;
    rp->divergence = describe_divergence(rp, w, data, len);
    g_printerr("tarvenix-emu: replay: %s\n", rp->divergence);
    /* What the capture still had queued belongs to another conversation, and would hold up the
     * plain emulator's answers behind it. */
    device_drop_queued(dev);
}

static gboolean same_bytes(GBytes *want, const guint8 *data, gsize len)
{
    gsize want_len = 0;
    const guint8 *w = g_bytes_get_data(want, &want_len);
    return want_len == len && memcmp(w, data, len) == 0;
}

/* ---- the program's calls --------------------------------------------------------------- */

ReplayVerdict replay_write(Device *dev, const guint8 *data, gsize len, int *err)
{
    Replay *rp = dev->replay;
    const Capture *c = rp->cap;
    if (!rp->diverged_at) {
        const CapWrite *w = rp->matched < c->writes->len ? c->writes->pdata[rp->matched] : NULL;
        if (w && same_bytes(w->request, data, len)) {
            rp->matched++;
            *err = w->err;
            return w->err ? REPLAY_FAIL : REPLAY_ANSWER;
        }
        diverge(dev, w, data, len);
    }
    return rp->lenient ? REPLAY_OFF : REPLAY_QUIET;
}

/* Groups after the last write that wait for an open the program did not make are dropped: their
 * reports reached a file that is not open now. */
void replay_answer(Device *dev)
{
    Replay *rp = dev->replay;
    guint group = group_of_write(rp->cap, rp->matched - 1);
    rp->waiting = group + 1;
    rp->waiting_end = group_of_write(rp->cap, rp->matched);
    play_group(dev, group);
}

void replay_opened(Device *dev)
{
    Replay *rp = dev->replay;
    if (!rp->diverged_at && rp->waiting < rp->waiting_end)
        play_group(dev, rp->waiting++);
}

char *replay_status(Device *dev)
{
    g_mutex_lock(&dev->emu->lock);
    const Replay *rp = dev->replay;
    GString *s = g_string_new(NULL);
    g_string_append_printf(s, "exchanges=%u writes=%u diverged=%d mode=%s", rp->matched,
                           rp->cap->writes->len, rp->diverged_at ? 1 : 0,
                           rp->lenient ? "lenient" : "strict");
    if (rp->diverged_at)
        g_string_append_printf(s, " at=%u divergence=%s", rp->diverged_at, rp->divergence);
    g_mutex_unlock(&dev->emu->lock);
    return g_string_free(s, FALSE);
}

void replay_finish(Device *dev)
{
    g_mutex_lock(&dev->emu->lock);
    const Replay *rp = dev->replay;
    if (!rp->diverged_at && rp->matched < rp->cap->writes->len)
        g_printerr("tarvenix-emu: replay: the program made %u of the capture's %u writes\n",
                   rp->matched, rp->cap->writes->len);
    g_mutex_unlock(&dev->emu->lock);
}
