#include "capture.h"

#include <errno.h>
#include <json-glib/json-glib.h>
#include <string.h>

#define CAPTURE_FORMAT 1
#define WRITE_MAX 65536
#define INTERFACE_UNKNOWN (-1)

#define NOT_JSON (-2)

typedef struct {
    Capture *cap;
    const char *path;
    JsonObject *obj; /* the line being read */
    guint line;      /* 0: the capture as a whole */
    char *err;
    gboolean opened;
    CapGroup *group; /* where the next actions go */
    double start_t;  /* the group's start, in capture seconds */
    gint64 last_at;
    gboolean silence;     /* a read in the group has waited in vain */
    GPtrArray *unsettled; /* CapAction*: failed reads that a later success shows were not unplugs */
} Reader;

static int fail(Reader *r, const char *fmt, ...) G_GNUC_PRINTF(2, 3);

static int fail(Reader *r, const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    r->err = g_strdup_vprintf(fmt, ap);
    va_end(ap);
    return -1;
}

/* ---- members -------------------------------------------------------------------------- */

static JsonNode *member(Reader *r, const char *key)
{
    return json_object_has_member(r->obj, key) ? json_object_get_member(r->obj, key) : NULL;
}

static gboolean is_value(JsonNode *n, GType type)
{
    return n && JSON_NODE_HOLDS_VALUE(n) && json_node_get_value_type(n) == type;
}

/* *out: the member, when present with a value of the type; -1 when it is absent but required, or
 * of another type. */
static int typed(Reader *r, const char *key, gboolean required, GType type, JsonNode **out)
{
    JsonNode *n = member(r, key);
    *out = is_value(n, type) ? n : NULL;
    if (*out || (!n && !required))
        return 0;
    return fail(r, "\"%s\" %s", key,
                !n                     ? "is missing"
                : type == G_TYPE_INT64 ? "is not an integer"
                                       : "is not a string");
}

static int get_int(Reader *r, const char *key, gboolean required, gint64 *out)
{
    JsonNode *n = NULL;
    if (typed(r, key, required, G_TYPE_INT64, &n) < 0)
        return -1;
    if (n)
        *out = json_node_get_int(n);
    return 0;
}

static int get_number(Reader *r, const char *key, gboolean required, double *out)
{
    JsonNode *n = member(r, key);
    if (!n && !required)
        return 0;
    if (is_value(n, G_TYPE_INT64))
        *out = (double)json_node_get_int(n);
    else if (is_value(n, G_TYPE_DOUBLE))
        *out = json_node_get_double(n);
    else
        return fail(r, "\"%s\" %s", key, n ? "is not a number" : "is missing");
    if (*out < 0)
        return fail(r, "\"%s\" is negative", key);
    return 0;
}

static int get_string(Reader *r, const char *key, gboolean required, const char **out)
{
    JsonNode *n = NULL;
    if (typed(r, key, required, G_TYPE_STRING, &n) < 0)
        return -1;
    if (n)
        *out = json_node_get_string(n);
    return 0;
}

static int get_hex(Reader *r, const char *key, gsize max, GBytes **out)
{
    const char *text = NULL;
    char *why = NULL;
    if (get_string(r, key, TRUE, &text) < 0)
        return -1;
    GByteArray *bytes = g_byte_array_new();
    if (emu_hex_decode(text, bytes, max, &why) < 0) {
        g_byte_array_unref(bytes);
        fail(r, "\"%s\": %s", key, why);
        g_free(why);
        return -1;
    }
    *out = g_byte_array_free_to_bytes(bytes);
    return 0;
}

/* hidapi's text for a failed call ends with the system's text for its errno. */
static int errno_named(const char *text)
{
    for (int e = 1; text && e < 134; e++)
        if (g_str_has_suffix(text, strerror(e)))
            return e;
    return EIO;
}

static int errno_of(Reader *r)
{
    const char *text = NULL;
    get_string(r, "error", FALSE, &text);
    g_clear_pointer(&r->err, g_free); /* a malformed error text only loses its errno */
    return errno_named(text);
}

/* ---- groups and actions ------------------------------------------------------------- */

static void action_free(gpointer p)
{
    CapAction *a = p;
    if (a->data)
        g_bytes_unref(a->data);
    g_free(a);
}

static void group_free(gpointer p)
{
    CapGroup *g = p;
    g_ptr_array_unref(g->actions);
    g_free(g);
}

static void start_group(Reader *r, gboolean at_open, double t)
{
    r->group = g_new0(CapGroup, 1);
    r->group->at_open = at_open;
    r->group->actions = g_ptr_array_new_with_free_func(action_free);
    g_ptr_array_add(r->cap->groups, r->group);
    r->start_t = t;
    r->last_at = 0;
    r->silence = FALSE;
}

/* A time in the group, never before the action before it. */
static gint64 at_time(Reader *r, double t)
{
    gint64 at = (gint64)((t - r->start_t) * 1e6 + 0.5);
    r->last_at = MAX(r->last_at, at);
    return r->last_at;
}

static CapAction *add_action(Reader *r, CapKind kind, gint64 at)
{
    CapAction *a = g_new0(CapAction, 1);
    a->kind = kind;
    a->at_us = at;
    a->timed = r->silence;
    g_ptr_array_add(r->group->actions, a);
    return a;
}

/* The device answered after a failed read, so the failure was not the device going away. */
static void device_was_there(Reader *r)
{
    for (guint i = 0; i < r->unsettled->len; i++)
        ((CapAction *)r->unsettled->pdata[i])->kind = CAP_READFAIL;
    g_ptr_array_set_size(r->unsettled, 0);
}

/* ---- events ---------------------------------------------------------------------------- */

static int set_hex_id(Reader *r, const char *key, guint *out)
{
    const char *text = NULL;
    if (get_string(r, key, TRUE, &text) < 0)
        return -1;
    long v = emu_parse_hex(text, 0xffff);
    if (v < 0)
        return fail(r, "\"%s\" is not a 16-bit hex number: '%s'", key, text);
    *out = (guint)v;
    return 0;
}

static int set_text(Reader *r, const char *key, char **out)
{
    const char *text = "";
    if (get_string(r, key, FALSE, &text) < 0)
        return -1;
    g_free(*out);
    *out = g_strdup(text);
    return 0;
}

static int read_identity(Reader *r)
{
    EmuConfig *c = &r->cap->identity;
    gint64 interface = 0;
    if (set_hex_id(r, "vendorId", &c->vid) < 0 || set_hex_id(r, "productId", &c->pid) < 0 ||
        set_hex_id(r, "usagePage", &c->page) < 0 || set_hex_id(r, "usage", &c->usage) < 0 ||
        set_text(r, "manufacturer", &c->manufacturer) < 0 ||
        set_text(r, "product", &c->product) < 0 || set_text(r, "serial", &c->serial) < 0 ||
        get_int(r, "interface", FALSE, &interface) < 0)
        return -1;
    if (interface < INTERFACE_UNKNOWN || interface > 255)
        return fail(r, "\"interface\" %" G_GINT64_FORMAT " is out of range", interface);
    c->interface = (guint)MAX(interface, 0);
    if (member(r, "descriptor"))
        return get_hex(r, "descriptor", EMU_DESCRIPTOR_MAX, &c->descriptor);
    return 0;
}

static int on_open(Reader *r)
{
    double t = 0;
    if (get_number(r, "t", TRUE, &t) < 0 || (!r->opened && read_identity(r) < 0))
        return -1;
    r->opened = TRUE;
    start_group(r, TRUE, t);
    return 0;
}

static int on_write(Reader *r)
{
    double t = 0;
    gint64 result = 0;
    CapWrite *w = g_new0(CapWrite, 1);
    g_ptr_array_add(r->cap->writes, w);
    w->line = r->line;
    if (!r->opened)
        return fail(r, "a write before any \"open\" line");
    if (get_number(r, "t", TRUE, &t) < 0 || get_hex(r, "data", WRITE_MAX, &w->request) < 0 ||
        get_int(r, "result", TRUE, &result) < 0)
        return -1;
    w->err = result < 0 ? errno_of(r) : 0;
    start_group(r, FALSE, t);
    w->group = r->cap->groups->len - 1;
    if (result >= 0)
        device_was_there(r);
    else if (w->err == ENODEV) /* hidraw's answer once the device has gone */
        add_action(r, CAP_UNPLUG, 0);
    return 0;
}

static int read_report(Reader *r, gint64 result, gint64 at)
{
    GBytes *data = NULL;
    if (get_hex(r, "data", EMU_REPORT_SIZE, &data) < 0)
        return -1;
    gsize len = g_bytes_get_size(data);
    add_action(r, CAP_REPORT, at)->data = data;
    if (len != (gsize)result)
        return fail(r, "\"data\" holds %zu bytes, \"result\" says %" G_GINT64_FORMAT, len, result);
    return 0;
}

static int on_read(Reader *r)
{
    double t = 0, ms = 0;
    gint64 result = 0, timeout = -1;
    if (!r->opened)
        return fail(r, "a read before any \"open\" line");
    if (get_number(r, "t", TRUE, &t) < 0 || get_number(r, "ms", FALSE, &ms) < 0 ||
        get_int(r, "result", TRUE, &result) < 0 || get_int(r, "timeoutMs", FALSE, &timeout) < 0)
        return -1;
    if (result > EMU_REPORT_SIZE)
        return fail(r, "a report of %" G_GINT64_FORMAT " bytes; the device's are at most %d",
                    result, EMU_REPORT_SIZE);
    /* A read that did not wait found its report queued already: it comes with the one before. */
    gint64 at = timeout == 0 && result > 0 ? r->last_at : at_time(r, t + ms / 1000);
    if (result >= 0)
        device_was_there(r);
    if (result == 0 && timeout != 0)
        r->silence = TRUE;
    if (result > 0)
        return read_report(r, result, at);
    if (result < 0) {
        CapAction *a = add_action(r, CAP_UNPLUG, at);
        a->err = errno_of(r);
        g_ptr_array_add(r->unsettled, a);
    }
    return 0;
}

static int on_plugging(Reader *r, CapKind kind)
{
    double t = 0;
    if (get_number(r, "t", TRUE, &t) < 0)
        return -1;
    /* Before the program opened the device: a device that is plugged in first was absent. */
    if (!r->opened && r->cap->groups->len == 1 && r->group->actions->len == 0)
        r->cap->starts_unplugged = kind == CAP_PLUG;
    add_action(r, kind, at_time(r, t))->timed = TRUE;
    g_ptr_array_set_size(r->unsettled, 0);
    return 0;
}

static int on_header(Reader *r)
{
    gint64 format = 0;
    if (get_int(r, "format", TRUE, &format) < 0)
        return -1;
    if (format != CAPTURE_FORMAT)
        return fail(r, "format %" G_GINT64_FORMAT " is not known; this emulator reads format %d",
                    format, CAPTURE_FORMAT);
    return 0;
}

static int on_event(Reader *r, const char *event, gboolean first)
{
    if (first != !strcmp(event, "capture"))
        return fail(r, first ? "the first line must be the \"capture\" line"
                             : "a second \"capture\" line");
    if (first)
        return on_header(r);
    if (!strcmp(event, "open"))
        return on_open(r);
    if (!strcmp(event, "write"))
        return on_write(r);
    if (!strcmp(event, "read"))
        return on_read(r);
    if (!strcmp(event, "unplug"))
        return on_plugging(r, CAP_UNPLUG);
    if (!strcmp(event, "plug"))
        return on_plugging(r, CAP_PLUG);
    if (!strcmp(event, "close") || !strcmp(event, "end"))
        return 0;
    return fail(r, "unknown event \"%s\"", event);
}

static int read_line(Reader *r, JsonParser *parser, const char *text, gssize len, gboolean first)
{
    GError *e = NULL;
    if (!json_parser_load_from_data(parser, text, len, &e)) {
        fail(r, "not JSON: %s", e->message);
        g_error_free(e);
        return NOT_JSON;
    }
    JsonNode *root = json_parser_get_root(parser);
    if (!root || !JSON_NODE_HOLDS_OBJECT(root))
        return fail(r, "not a JSON object");
    r->obj = json_node_get_object(root);
    const char *event = NULL;
    if (get_string(r, "event", TRUE, &event) < 0)
        return -1;
    return on_event(r, event, first);
}

static gboolean blank(const char *s, gsize n)
{
    for (gsize i = 0; i < n; i++)
        if (!g_ascii_isspace(s[i]))
            return FALSE;
    return TRUE;
}

/* A last line without its newline that is not JSON is where a crashed program stopped
 * writing: the capture ends before it. */
static int read_lines(Reader *r, const char *text, gsize size)
{
    JsonParser *parser = json_parser_new_immutable();
    gboolean first = TRUE;
    int rc = 0;
    for (gsize at = 0; at < size && rc == 0; at++) {
        const char *nl = memchr(text + at, '\n', size - at);
        gsize n = nl ? (gsize)(nl - text - at) : size - at;
        r->line++;
        if (!blank(text + at, n)) {
            rc = read_line(r, parser, text + at, (gssize)n, first);
            first = FALSE;
        }
        if (rc == NOT_JSON && !nl && r->line > 1) {
            g_printerr("tarvenix-emu: %s:%u: cut off; the capture ends before it\n", r->path,
                       r->line);
            g_clear_pointer(&r->err, g_free);
            rc = 0;
        }
        at += n;
    }
    g_object_unref(parser);
    r->line = rc < 0 ? r->line : 0;
    if (rc == 0 && first)
        return fail(r, "the capture is empty");
    return rc < 0 ? -1 : 0;
}

static void write_free(gpointer p)
{
    CapWrite *w = p;
    if (w->request)
        g_bytes_unref(w->request);
    g_free(w);
}

Capture *capture_load(const char *path, char **err)
{
    char *text = NULL;
    gsize size = 0;
    GError *e = NULL;
    if (!g_file_get_contents(path, &text, &size, &e)) {
        *err = g_strdup_printf("cannot read the capture: %s", e->message);
        g_error_free(e);
        return NULL;
    }
    Capture *c = g_new0(Capture, 1);
    emu_config_defaults(&c->identity);
    c->writes = g_ptr_array_new_with_free_func(write_free);
    c->groups = g_ptr_array_new_with_free_func(group_free);
    Reader r = {c, path, NULL, 0, NULL, FALSE, NULL, 0, 0, FALSE, g_ptr_array_new()};
    start_group(&r, FALSE, 0);
    int rc = read_lines(&r, text, size);
    if (rc == 0 && !r.opened)
        rc = fail(&r, "there is no \"open\" line, so the device is unknown");
    g_ptr_array_unref(r.unsettled);
    g_free(text);
    if (rc == 0)
        return c;
    *err = r.line ? g_strdup_printf("%s:%u: %s", path, r.line, r.err)
                  : g_strdup_printf("%s: %s", path, r.err);
    g_free(r.err);
    capture_free(c);
    return NULL;
}

void capture_free(Capture *c)
{
    if (!c)
        return;
    emu_config_free(&c->identity);
    g_ptr_array_unref(c->writes);
    g_ptr_array_unref(c->groups);
    g_free(c);
}

/* ---- what the capture tells of the device's content -------------------------------- */

static EmuRequest parse_write(const CapWrite *w, const guint8 **bytes)
{
    gsize len = 0;
    *bytes = g_bytes_get_data(w->request, &len);
    return emu_parse_request(*bytes, len);
}

static const char *const kind_names[] = {[EMU_REQ_FIRMWARE] = "firmware", [EMU_REQ_DATA] = "data"};

static void place_packet(GByteArray *out, GByteArray *sent, const EmuRequest *r, const guint8 *req)
{
    guint block = r->offset / EMU_BLOCK_SIZE;
    if (block >= sent->len) {
        g_byte_array_set_size(sent, block + 1);
        g_byte_array_set_size(out, (block + 1) * EMU_BLOCK_SIZE);
    }
    memcpy(out->data + r->offset, req + EMU_PAYLOAD_AT, EMU_BLOCK_SIZE);
    sent->data[block] = 1;
}

int capture_extract(const Capture *c, GByteArray *out, const char **kind, guint *missing,
                    char **err)
{
    EmuReqKind found = EMU_REQ_BAD;
    GByteArray *sent = g_byte_array_new();
    g_byte_array_set_size(out, 0);
    for (guint i = 0; i < c->writes->len; i++) {
        const guint8 *req;
        EmuRequest r = parse_write(c->writes->pdata[i], &req);
        if (r.kind != EMU_REQ_FIRMWARE && r.kind != EMU_REQ_DATA)
            continue;
        if (found != EMU_REQ_BAD && found != r.kind) {
            *err = g_strdup("the capture holds both firmware and data packets: it sent two files");
            g_byte_array_unref(sent);
            return -1;
        }
        found = r.kind;
        place_packet(out, sent, &r, req);
    }
    *missing = 0;
    for (guint b = 0; b < sent->len; b++)
        *missing += !sent->data[b];
    g_byte_array_unref(sent);
    if (found == EMU_REQ_BAD) {
        *err = g_strdup("the capture holds no firmware or data packets: it sent no file");
        return -1;
    }
    *kind = kind_names[found];
    return 0;
}

/* The first report after a write: the reply to it. */
static GBytes *reply_to(const Capture *c, const CapWrite *w, gsize min_len)
{
    const CapGroup *g = c->groups->pdata[w->group];
    for (guint i = 0; i < g->actions->len; i++) {
        const CapAction *a = g->actions->pdata[i];
        if (a->kind == CAP_REPORT)
            return g_bytes_get_size(a->data) >= min_len ? a->data : NULL;
    }
    return NULL;
}

static void seed_version(const Capture *c, const CapWrite *w, EmuModel *m, gboolean *done)
{
    GBytes *reply = reply_to(c, w, EMU_REPLY_VERSION_AT + EMU_VERSION_MAX);
    if (*done || !reply)
        return;
    const guint8 *text = (const guint8 *)g_bytes_get_data(reply, NULL) + EMU_REPLY_VERSION_AT;
    gsize len = EMU_VERSION_MAX;
    while (len && !text[len - 1])
        len--;
    *done = emu_model_set_version(m, text, len) == 0;
}

static void seed_block(const Capture *c, const CapWrite *w, guint32 offset, EmuModel *m,
                       guint8 *known)
{
    GBytes *reply = reply_to(c, w, EMU_REPLY_DATA_AT + EMU_BLOCK_SIZE);
    if (known[offset / EMU_BLOCK_SIZE] || !reply)
        return;
    const guint8 *bytes = g_bytes_get_data(reply, NULL);
    memcpy(m->data + offset, bytes + EMU_REPLY_DATA_AT, EMU_BLOCK_SIZE);
    known[offset / EMU_BLOCK_SIZE] = 1;
}

void capture_seed_model(const Capture *c, EmuModel *m)
{
    gboolean have_version = FALSE;
    guint8 known[EMU_DATA_SIZE / EMU_BLOCK_SIZE] = {0}; /* read out or overwritten already */
    for (guint i = 0; i < c->writes->len; i++) {
        const CapWrite *w = c->writes->pdata[i];
        const guint8 *req;
        EmuRequest r = parse_write(w, &req);
        if (w->err)
            continue;
        if (r.kind == EMU_REQ_VERSION)
            seed_version(c, w, m, &have_version);
        else if (r.kind == EMU_REQ_READOUT)
            seed_block(c, w, r.offset, m, known);
        else if (r.kind == EMU_REQ_DATA)
            known[r.offset / EMU_BLOCK_SIZE] = 1;
    }
}
