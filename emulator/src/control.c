#include "control.h"

#include "replay.h"

#include <gio/gio.h>
#include <gio/gunixsocketaddress.h>
#include <string.h>

#define DEFAULT_SHORT_LEN 20
#define MAX_CONNECTIONS 16

struct Control {
    Emu *emu;
    ControlQuitFunc quit;
    gpointer quit_data;
    GSocketService *service;
    GMainContext *ctx;
};

typedef struct {
    Control *ctl;
    const char *line;
    char *reply;
    gboolean done;
    GMutex lock;
    GCond cond;
} Job;

static char *err_reply(const char *fmt, ...) G_GNUC_PRINTF(1, 2);

static char *err_reply(const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    g_autofree char *reason = g_strdup_vprintf(fmt, ap);
    va_end(ap);
    return g_strdup_printf("err %s", reason);
}

static char *take_err(char *reason)
{
    char *r = g_strdup_printf("err %s", reason ? reason : "failed");
    g_free(reason);
    return r;
}

/* Splits "WORD rest of line" and trims both. */
static char *next_word(const char *s, const char **rest)
{
    while (*s == ' ' || *s == '\t')
        s++;
    const char *end = s;
    while (*end && *end != ' ' && *end != '\t')
        end++;
    *rest = end;
    while (**rest == ' ' || **rest == '\t')
        (*rest)++;
    return g_strndup(s, (gsize)(end - s));
}

static Device *device_arg(Control *ctl, const char **rest, char **reply)
{
    g_autofree char *word = next_word(*rest, rest);
    long id = emu_parse_count(word, G_MAXUINT);
    Device *dev = id > 0 ? emu_find_device(ctl->emu, (guint)id) : NULL;
    if (!dev)
        *reply = err_reply("no device '%s'", word);
    return dev;
}

/* Parses "key=N" options of a command into the given slots. */
typedef struct {
    const char *key;
    long *value;
} Opt;

static Opt *find_opt(Opt *opts, size_t n, const char *word, size_t key_len)
{
    for (size_t i = 0; i < n; i++)
        if (strlen(opts[i].key) == key_len && !strncmp(word, opts[i].key, key_len))
            return &opts[i];
    return NULL;
}

static char *parse_opts(const char *rest, Opt *opts, size_t n)
{
    g_auto(GStrv) words = g_strsplit_set(rest, " \t", -1);
    for (char **w = words; *w; w++) {
        if (!**w)
            continue;
        const char *eq = strchr(*w, '=');
        Opt *opt = eq ? find_opt(opts, n, *w, (size_t)(eq - *w)) : NULL;
        if (!opt)
            return err_reply("unexpected '%s'", *w);
        *opt->value = emu_parse_count(eq + 1, G_MAXINT);
        if (*opt->value < 0)
            return err_reply("bad number in '%s'", *w);
    }
    return NULL;
}

static char *cmd_add(Control *ctl, const char *rest)
{
    EmuConfig cfg;
    char *err = NULL;
    emu_config_defaults(&cfg);
    Device *dev = NULL;
    if (emu_config_parse(&cfg, rest, &err) == 0)
        dev = emu_add_device(ctl->emu, &cfg, TRUE, &err);
    emu_config_free(&cfg);
    return dev ? g_strdup_printf("ok %u", dev->id) : take_err(err);
}

static char *cmd_unplug(Control *ctl, const char *rest)
{
    char *reply = NULL, *err = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    if (*rest)
        return err_reply("unexpected '%s'", rest);
    return device_unplug(dev, &err) == 0 ? g_strdup("ok") : take_err(err);
}

static char *cmd_plug(Control *ctl, const char *rest)
{
    char *reply = NULL, *err = NULL;
    long ms = 0;
    Opt opts[] = {{"ms", &ms}};
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev || (reply = parse_opts(rest, opts, G_N_ELEMENTS(opts))))
        return reply;
    if (ms > 0) {
        device_plug_later(dev, (guint)ms);
        return g_strdup("ok");
    }
    return device_plug(dev, &err) == 0 ? g_strdup("ok") : take_err(err);
}

static const struct {
    const char *name;
    FaultKind kind;
} fault_names[] = {
    {"silent", FAULT_SILENT},       {"delay", FAULT_DELAY},   {"short", FAULT_SHORT},
    {"writefail", FAULT_WRITEFAIL}, {"unplug", FAULT_UNPLUG}, {"late", FAULT_LATE},
    {"stranger", FAULT_STRANGER},   {"drop", FAULT_DROP},
};

static int fault_kind(const char *name, FaultKind *kind)
{
    for (size_t i = 0; i < G_N_ELEMENTS(fault_names); i++) {
        if (!strcmp(name, fault_names[i].name)) {
            *kind = fault_names[i].kind;
            return 0;
        }
    }
    return -1;
}

static char *arm(Device *dev, FaultKind kind, const char *rest)
{
    long at = 1, ms = -1, n = DEFAULT_SHORT_LEN;
    Opt opts[2] = {{"at", &at}};
    size_t count = 1;
    const gboolean timed = kind == FAULT_DELAY || kind == FAULT_LATE;
    if (timed)
        opts[count++] = (Opt){"ms", &ms};
    else if (kind == FAULT_SHORT)
        opts[count++] = (Opt){"n", &n};
    char *reply = parse_opts(rest, opts, count);
    if (reply)
        return reply;
    if (timed && ms < 0)
        return err_reply("%s needs ms=T", kind == FAULT_DELAY ? "delay" : "late");
    if (at < 1)
        return err_reply("at counts from 1");
    guint param = timed ? (guint)ms : (guint)MIN(n, EMU_REPORT_SIZE);
    device_arm_fault(dev, kind, param, (guint)at);
    return g_strdup("ok");
}

static char *cmd_fault(Control *ctl, const char *rest)
{
    char *reply = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    g_autofree char *name = next_word(rest, &rest);
    FaultKind kind;
    if (!strcmp(name, "clear")) {
        device_clear_faults(dev);
        return g_strdup("ok");
    }
    if (fault_kind(name, &kind) < 0)
        return err_reply("unknown fault '%s'", name);
    return arm(dev, kind, rest);
}

static char *cmd_version(Control *ctl, const char *rest)
{
    char *reply = NULL, *err = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    return device_set_version(dev, (const guint8 *)rest, strlen(rest), &err) == 0 ? g_strdup("ok")
                                                                                  : take_err(err);
}

static int unhex(const char *hex, guint8 *out, gsize room, gsize *len)
{
    gsize n = strlen(hex);
    if (n % 2 || n / 2 > room)
        return -1;
    for (gsize i = 0; i < n / 2; i++) {
        int hi = g_ascii_xdigit_value(hex[2 * i]), lo = g_ascii_xdigit_value(hex[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return -1;
        out[i] = (guint8)(hi << 4 | lo);
    }
    *len = n / 2;
    return 0;
}

static char *cmd_versionhex(Control *ctl, const char *rest)
{
    char *reply = NULL, *err = NULL;
    guint8 text[EMU_VERSION_MAX];
    gsize len = 0;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    if (unhex(rest, text, sizeof text, &len) < 0)
        return err_reply("expected up to %d hex bytes", EMU_VERSION_MAX);
    return device_set_version(dev, text, len, &err) == 0 ? g_strdup("ok") : take_err(err);
}

static char *cmd_data(Control *ctl, const char *rest)
{
    char *reply = NULL, *err = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    if (!*rest)
        return err_reply("data needs a file");
    return device_load_data(dev, rest, &err) == 0 ? g_strdup("ok") : take_err(err);
}

static char *cmd_fill(Control *ctl, const char *rest)
{
    char *reply = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    long v = emu_parse_hex(rest, 0xff);
    if (v < 0)
        return err_reply("fill needs a byte such as 0xff");
    device_fill(dev, (guint8)v);
    return g_strdup("ok");
}

static char *cmd_clear(Control *ctl, const char *rest)
{
    char *reply = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    if (*rest && strcmp(rest, "all"))
        return err_reply("unexpected '%s'", rest);
    device_clear_log(dev, *rest != '\0');
    return g_strdup("ok");
}

static char *cmd_stats(Control *ctl, const char *rest)
{
    char *reply = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    g_autofree char *s = device_stats(dev);
    return g_strdup_printf("ok %s", s);
}

static char *cmd_dump(Control *ctl, const char *rest)
{
    char *reply = NULL, *err = NULL;
    Device *dev = device_arg(ctl, &rest, &reply);
    if (!dev)
        return reply;
    if (!*rest)
        return err_reply("dump needs a directory");
    g_autofree char *s = device_dump(dev, rest, &err);
    return s ? g_strdup_printf("ok %s", s) : take_err(err);
}

static char *cmd_list(Control *ctl, const char *rest)
{
    (void)rest;
    GString *out = g_string_new("ok");
    for (guint i = 1; i <= ctl->emu->devices->len; i++) {
        g_autofree char *d = device_describe(emu_find_device(ctl->emu, i));
        g_string_append_printf(out, "%s %s", i > 1 ? ";" : "", d);
    }
    return g_string_free(out, FALSE);
}

static char *cmd_replay(Control *ctl, const char *rest)
{
    if (*rest)
        return err_reply("unexpected '%s'", rest);
    for (guint i = 1; i <= ctl->emu->devices->len; i++) {
        Device *dev = emu_find_device(ctl->emu, i);
        if (dev->replay) {
            g_autofree char *s = replay_status(dev);
            return g_strdup_printf("ok %s", s);
        }
    }
    return err_reply("no capture is being replayed");
}

static char *cmd_quit(Control *ctl, const char *rest)
{
    (void)rest;
    if (ctl->quit)
        ctl->quit(ctl->quit_data);
    return g_strdup("ok");
}

static const struct {
    const char *verb;
    char *(*run)(Control *ctl, const char *rest);
} commands[] = {
    {"add", cmd_add},       {"unplug", cmd_unplug},   {"plug", cmd_plug},
    {"fault", cmd_fault},   {"version", cmd_version}, {"versionhex", cmd_versionhex},
    {"data", cmd_data},     {"fill", cmd_fill},       {"clear", cmd_clear},
    {"stats", cmd_stats},   {"dump", cmd_dump},       {"list", cmd_list},
    {"replay", cmd_replay}, {"quit", cmd_quit},
};

char *control_execute(Control *ctl, const char *line)
{
    g_autofree char *copy = g_strdup(line);
    g_strchomp(copy);
    const char *rest;
    g_autofree char *verb = next_word(copy, &rest);
    for (size_t i = 0; i < G_N_ELEMENTS(commands); i++)
        if (!strcmp(verb, commands[i].verb))
            return commands[i].run(ctl, rest);
    return err_reply("unknown command '%s'", verb);
}

/* ---- socket ----------------------------------------------------------------------------- */

static gboolean run_job(gpointer data)
{
    Job *job = data;
    char *reply = control_execute(job->ctl, job->line);
    g_mutex_lock(&job->lock);
    job->reply = reply;
    job->done = TRUE;
    g_cond_signal(&job->cond);
    g_mutex_unlock(&job->lock);
    return G_SOURCE_REMOVE;
}

/* Commands touch the testbed, which only the main loop may change. */
static char *execute_on_main(Control *ctl, const char *line)
{
    Job job = {ctl, line, NULL, FALSE, {0}, {0}};
    g_mutex_init(&job.lock);
    g_cond_init(&job.cond);
    GSource *idle = g_idle_source_new();
    g_source_set_callback(idle, run_job, &job, NULL);
    g_source_attach(idle, ctl->ctx);
    g_source_unref(idle);
    g_mutex_lock(&job.lock);
    while (!job.done)
        g_cond_wait(&job.cond, &job.lock);
    g_mutex_unlock(&job.lock);
    g_mutex_clear(&job.lock);
    g_cond_clear(&job.cond);
    return job.reply;
}

static gboolean on_connection(GThreadedSocketService *service, GSocketConnection *conn,
                              GObject *source, gpointer data)
{
    (void)service;
    (void)source;
    Control *ctl = data;
    GInputStream *in = g_io_stream_get_input_stream(G_IO_STREAM(conn));
    GOutputStream *out = g_io_stream_get_output_stream(G_IO_STREAM(conn));
    g_autoptr(GDataInputStream) lines = g_data_input_stream_new(in);
    char *line;
    while ((line = g_data_input_stream_read_line(lines, NULL, NULL, NULL))) {
        g_autofree char *reply = execute_on_main(ctl, line);
        g_autofree char *sent = g_strdup_printf("%s\n", reply);
        g_free(line);
        if (!g_output_stream_write_all(out, sent, strlen(sent), NULL, NULL, NULL))
            break;
    }
    return TRUE;
}

Control *control_new(Emu *emu, ControlQuitFunc quit, gpointer quit_data)
{
    Control *ctl = g_new0(Control, 1);
    ctl->emu = emu;
    ctl->quit = quit;
    ctl->quit_data = quit_data;
    ctl->ctx = emu->main_ctx;
    return ctl;
}

int control_listen(Control *ctl, const char *path, char **err)
{
    GError *e = NULL;
    g_autoptr(GSocketAddress) addr = g_unix_socket_address_new(path);
    ctl->service = g_threaded_socket_service_new(MAX_CONNECTIONS);
    if (!g_socket_listener_add_address(G_SOCKET_LISTENER(ctl->service), addr, G_SOCKET_TYPE_STREAM,
                                       G_SOCKET_PROTOCOL_DEFAULT, NULL, NULL, &e)) {
        *err = g_strdup_printf("cannot listen on %s: %s", path, e->message);
        g_error_free(e);
        return -1;
    }
    g_signal_connect(ctl->service, "run", G_CALLBACK(on_connection), ctl);
    g_socket_service_start(ctl->service);
    return 0;
}

/* The service is not released: a connection thread may still wait for a command that the
 * stopped main loop will never run, and the process is about to exit anyway. */
void control_stop(Control *ctl)
{
    if (ctl->service) {
        g_socket_service_stop(ctl->service);
        g_socket_listener_close(G_SOCKET_LISTENER(ctl->service));
    }
}
