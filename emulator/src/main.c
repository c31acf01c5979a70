/* tarvenix-emu: emulated pressure mice for programs that use hidapi's hidraw backend. */
#include "control.h"
#include "emu.h"
#include "replay.h"

#include <errno.h>
#include <glib-unix.h>
#include <glib/gstdio.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#define REEXEC_MARK "TARVENIX_EMU_REEXEC"
#define PRELOAD_NAME "libumockdev-preload"

typedef struct {
    gboolean no_device;
    gboolean serve;
    gboolean no_hangup;
    GPtrArray *devices;
    GPtrArray *commands;
    char *control_path;
    char **program; /* NULL-terminated, points into argv */
    const char *replay;
    const char *extract;
    gboolean fast;
    gboolean strict;
    gboolean lenient;
} Args;

typedef struct {
    GMainLoop *loop;
    GPid child;
    int status;
    gboolean serve;
} Run;

static void usage(FILE *out)
{
    fputs("usage: tarvenix-emu [--no-device] [--device DEVICE]... [--control PATH]\n"
          "                    [--command LINE]... [--no-hangup]\n"
          "                    [--serve | -- PROGRAM [ARGS...]]\n"
          "       tarvenix-emu --replay FILE [--fast] [--strict | --lenient] [--control PATH]\n"
          "                    [--command LINE]... [--no-hangup] [--serve | -- PROGRAM...]\n"
          "       tarvenix-emu --replay FILE --extract OUT\n"
          "DEVICE: vid=1abe,pid=2202,page=0002,usage=0001,version=TEXT,data=FILE,fill=0xNN,\n"
          "      manufacturer=TEXT,product=TEXT,serial=TEXT,interface=N,descriptor=HEX\n"
          "See emulator/README.md for the control commands.\n",
          out);
}

static const char *option_value(int argc, char **argv, int *i)
{
    if (*i + 1 >= argc) {
        fprintf(stderr, "tarvenix-emu: %s needs a value\n", argv[*i]);
        exit(2);
    }
    return argv[++*i];
}

/* One option at argv[*i]; returns FALSE at "--", which ends the options. */
static gboolean parse_option(int argc, char **argv, int *i, Args *a)
{
    const char *arg = argv[*i];
    if (!strcmp(arg, "--")) {
        a->program = *i + 1 < argc ? argv + *i + 1 : NULL;
        return FALSE;
    }
    if (!strcmp(arg, "--no-device"))
        a->no_device = TRUE;
    else if (!strcmp(arg, "--serve"))
        a->serve = TRUE;
    else if (!strcmp(arg, "--no-hangup"))
        a->no_hangup = TRUE;
    else if (!strcmp(arg, "--device"))
        g_ptr_array_add(a->devices, (char *)option_value(argc, argv, i));
    else if (!strcmp(arg, "--command"))
        g_ptr_array_add(a->commands, (char *)option_value(argc, argv, i));
    else if (!strcmp(arg, "--control"))
        a->control_path = g_strdup(option_value(argc, argv, i));
    else if (!strcmp(arg, "--replay"))
        a->replay = option_value(argc, argv, i);
    else if (!strcmp(arg, "--extract"))
        a->extract = option_value(argc, argv, i);
    else if (!strcmp(arg, "--fast"))
        a->fast = TRUE;
    else if (!strcmp(arg, "--strict"))
        a->strict = TRUE;
    else if (!strcmp(arg, "--lenient"))
        a->lenient = TRUE;
    else if (!strcmp(arg, "--help") || !strcmp(arg, "-h")) {
        usage(stdout);
        exit(0);
    } else {
        fprintf(stderr, "tarvenix-emu: unknown option %s\n", arg);
        usage(stderr);
        exit(2);
    }
    return TRUE;
}

static void parse_args(int argc, char **argv, Args *a)
{
    memset(a, 0, sizeof *a);
    a->devices = g_ptr_array_new();
    a->commands = g_ptr_array_new();
    for (int i = 1; i < argc && parse_option(argc, argv, &i, a); i++) {
    }
    const char *wrong = NULL;
    if (!a->replay && (a->extract || a->fast || a->strict || a->lenient))
        wrong = "--extract, --fast, --strict and --lenient need --replay FILE";
    else if (a->strict && a->lenient)
        wrong = "give --strict or --lenient, not both";
    else if (a->replay && (a->devices->len || a->no_device))
        wrong = "--replay brings its own device; --device and --no-device do not go with it";
    else if (a->extract && (a->serve || a->program))
        wrong = "--extract only writes a file: no --serve, no PROGRAM";
    else if (!a->extract && a->serve == (a->program != NULL))
        wrong = "give either --serve or -- PROGRAM";
    if (wrong) {
        fprintf(stderr, "tarvenix-emu: %s\n", wrong);
        usage(stderr);
        exit(2);
    }
}

/* --extract: the file that the captured program sent, rebuilt from the capture. */
static int run_extract(const Args *a)
{
    char *err = NULL;
    const char *kind = NULL;
    guint missing = 0;
    GError *e = NULL;
    GByteArray *out = g_byte_array_new();
    Capture *cap = capture_load(a->replay, &err);
    int rc = -1;
    if (cap && capture_extract(cap, out, &kind, &missing, &err) < 0)
        fprintf(stderr, "tarvenix-emu: %s: %s\n", a->replay, err);
    else if (!cap)
        fprintf(stderr, "tarvenix-emu: %s\n", err);
    else if (!g_file_set_contents(a->extract, (const char *)out->data, out->len, &e))
        fprintf(stderr, "tarvenix-emu: cannot write %s: %s\n", a->extract, e->message);
    else
        rc = 0;
    if (rc == 0)
        printf("%s %u\n", kind, out->len);
    if (rc == 0 && missing)
        fprintf(stderr,
                "tarvenix-emu: %u blocks below the end were never sent; %s has zeros there\n",
                missing, a->extract);
    g_clear_error(&e);
    g_free(err);
    capture_free(cap);
    g_byte_array_unref(out);
    return rc == 0 ? 0 : 1;
}

/* umockdev needs its preload library in this process too (for uevents), so a direct call
 * restarts itself through umockdev-wrapper. */
static void ensure_preload(char **argv)
{
    const char *preload = g_getenv("LD_PRELOAD");
    if (preload && strstr(preload, PRELOAD_NAME)) {
        g_unsetenv(REEXEC_MARK);
        return;
    }
    if (g_getenv(REEXEC_MARK)) {
        fprintf(stderr, "tarvenix-emu: %s is still not preloaded after umockdev-wrapper\n",
                PRELOAD_NAME);
        exit(1);
    }
    g_setenv(REEXEC_MARK, "1", TRUE);
    char *self = g_file_read_link("/proc/self/exe", NULL);
    GPtrArray *args = g_ptr_array_new();
    g_ptr_array_add(args, "umockdev-wrapper");
    g_ptr_array_add(args, self ? self : argv[0]);
    for (char **a = argv + 1; *a; a++)
        g_ptr_array_add(args, *a);
    g_ptr_array_add(args, NULL);
    execvp("umockdev-wrapper", (char **)args->pdata);
    fprintf(stderr, "tarvenix-emu: cannot run umockdev-wrapper: %s\n", g_strerror(errno));
    exit(1);
}

static int add_devices(Emu *emu, const Args *a)
{
    EmuConfig cfg;
    for (guint i = 0; i < MAX(a->devices->len, a->no_device ? 0u : 1u); i++) {
        char *err = NULL;
        emu_config_defaults(&cfg);
        int rc = i < a->devices->len ? emu_config_parse(&cfg, a->devices->pdata[i], &err) : 0;
        if (rc == 0 && !emu_add_device(emu, &cfg, TRUE, &err))
            rc = -1;
        emu_config_free(&cfg);
        if (rc < 0) {
            fprintf(stderr, "tarvenix-emu: device %u: %s\n", i + 1, err);
            g_free(err);
            return -1;
        }
    }
    return 0;
}

static int add_replay_device(Emu *emu, const Args *a)
{
    char *err = NULL;
    Capture *cap = capture_load(a->replay, &err);
    Device *dev = cap ? emu_add_device(emu, &cap->identity, !cap->starts_unplugged, &err) : NULL;
    if (!dev) {
        fprintf(stderr, "tarvenix-emu: %s%s\n", cap ? "the captured device: " : "", err);
        g_free(err);
        capture_free(cap);
        return -1;
    }
    replay_attach(dev, replay_new(cap, a->fast, a->lenient));
    return 0;
}

static int run_commands(Control *ctl, const Args *a)
{
    for (guint i = 0; i < a->commands->len; i++) {
        g_autofree char *reply = control_execute(ctl, a->commands->pdata[i]);
        if (!g_str_has_prefix(reply, "ok")) {
            fprintf(stderr, "tarvenix-emu: %s: %s\n", (char *)a->commands->pdata[i], reply);
            return -1;
        }
    }
    return 0;
}

static char *default_control_dir(void)
{
    const char *base = g_getenv("XDG_RUNTIME_DIR");
    if (!base || g_access(base, W_OK) != 0)
        base = g_get_tmp_dir();
    char *tmpl = g_build_filename(base, "tarvenix-emu-XXXXXX", NULL);
    if (!g_mkdtemp(tmpl)) {
        g_free(tmpl);
        return NULL;
    }
    return tmpl;
}

static void remove_dir(const char *dir)
{
    GDir *d = g_dir_open(dir, 0, NULL);
    const char *name;
    while (d && (name = g_dir_read_name(d))) {
        g_autofree char *file = g_build_filename(dir, name, NULL);
        g_unlink(file);
    }
    if (d)
        g_dir_close(d);
    g_rmdir(dir);
}

static void on_quit(gpointer data)
{
    Run *run = data;
    if (run->serve)
        g_main_loop_quit(run->loop);
    else if (run->child > 0)
        kill(run->child, SIGTERM);
}

static gboolean on_signal(gpointer data)
{
    on_quit(data);
    return G_SOURCE_CONTINUE;
}

static void on_child_exit(GPid pid, gint status, gpointer data)
{
    Run *run = data;
    g_spawn_close_pid(pid);
    run->child = 0;
    if (WIFEXITED(status))
        run->status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        run->status = 128 + WTERMSIG(status);
    else
        run->status = 1;
    g_main_loop_quit(run->loop);
}

/* GIO ignores SIGPIPE for its sockets; the program under test gets the default back. */
static void child_setup(gpointer data)
{
    (void)data;
    signal(SIGPIPE, SIG_DFL);
}

static int start_child(Run *run, char **program)
{
    GError *e = NULL;
    GSpawnFlags flags =
        G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_CHILD_INHERITS_STDIN;
    if (!g_spawn_async(NULL, program, NULL, flags, child_setup, NULL, &run->child, &e)) {
        fprintf(stderr, "tarvenix-emu: cannot start %s: %s\n", program[0], e->message);
        g_error_free(e);
        return -1;
    }
    g_child_watch_add(run->child, on_child_exit, run);
    return 0;
}

static char *shell_quote_env(const char *name)
{
    const char *v = g_getenv(name);
    g_autofree char *q = g_shell_quote(v ? v : "");
    return g_strdup_printf("%s=%s", name, q);
}

static void print_environment(const char *control_path)
{
    g_autofree char *dir = shell_quote_env("UMOCKDEV_DIR");
    g_autofree char *pre = shell_quote_env("LD_PRELOAD");
    g_autofree char *ctl = shell_quote_env("TARVENIX_EMU_CONTROL");
    g_autofree char *run = shell_quote_env("XDG_RUNTIME_DIR");
    fprintf(stderr, "tarvenix-emu: serving; control socket %s; stop with SIGINT or `quit`\n",
            control_path);
    printf("export %s %s %s %s\n", dir, pre, ctl, run);
    fflush(stdout);
}

static int serve_or_run(const Args *a, Run *run, const char *control_path)
{
    g_unix_signal_add(SIGINT, on_signal, run);
    g_unix_signal_add(SIGTERM, on_signal, run);
    if (a->serve)
        print_environment(control_path);
    else if (start_child(run, a->program) < 0)
        return 1;
    g_main_loop_run(run->loop);
    return a->serve ? 0 : run->status;
}

static int run_emulator(const Args *a, const char *control_path)
{
    Emu *emu = emu_new();
    emu->no_hangup = a->no_hangup;
    Run run = {g_main_loop_new(NULL, FALSE), 0, 1, a->serve};
    Control *ctl = control_new(emu, on_quit, &run);
    char *err = NULL;
    int status = 1;
    int added = a->replay ? add_replay_device(emu, a) : add_devices(emu, a);
    if (added < 0 || run_commands(ctl, a) < 0)
        status = 1;
    else if (control_listen(ctl, control_path, &err) < 0) {
        fprintf(stderr, "tarvenix-emu: %s\n", err);
        g_free(err);
    } else {
        g_setenv("TARVENIX_EMU_CONTROL", control_path, TRUE);
        status = serve_or_run(a, &run, control_path);
        if (a->replay)
            replay_finish(emu_find_device(emu, 1));
    }
    control_stop(ctl);
    emu_free(emu);
    g_main_loop_unref(run.loop);
    return status;
}

int main(int argc, char **argv)
{
    Args a;
    parse_args(argc, argv, &a);
    if (a.extract)
        return run_extract(&a);
    ensure_preload(argv);
    char *dir = a.control_path ? NULL : default_control_dir();
    char *path = a.control_path ? g_strdup(a.control_path) : g_build_filename(dir, "control", NULL);
    if (!a.control_path && !dir) {
        fprintf(stderr, "tarvenix-emu: cannot create a directory for the control socket\n");
        return 1;
    }
    /* Each testbed has its own /dev, so its programs get their own runtime
     * directory too: locks named after /dev/hidraw0 in two testbeds never meet. */
    if (dir) {
        g_setenv("XDG_RUNTIME_DIR", dir, TRUE);
        g_chmod(dir, 0700);
    }
    int status = run_emulator(&a, path);
    g_unlink(path);
    if (dir)
        remove_dir(dir);
    return status;
}
