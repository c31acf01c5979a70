#define _GNU_SOURCE
#include "selftest.h"

#include "emuclient.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wchar.h>

#define REPLY_TIMEOUT_MS 2000

void st_fail(const char *file, int line, const char *cond, const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    fprintf(stderr, "FAIL %s:%d: %s: ", file, line, cond);
    vfprintf(stderr, fmt, ap);
    fputc('\n', stderr);
    va_end(ap);
    exit(1);
}

const char *st_ctl(const char *fmt, ...)
{
    static char reply[4096];
    char *line = NULL;
    va_list ap;
    va_start(ap, fmt);
    int n = vasprintf(&line, fmt, ap);
    va_end(ap);
    CHECK(n >= 0, "out of memory");
    int rc = emu_command(line, reply, sizeof reply);
    CHECK(rc == 0, "'%s' -> '%s'", line, reply);
    free(line);
    return reply;
}

static const char *stat_value(unsigned id, const char *field)
{
    static char value[256];
    char key[64];
    const char *reply = st_ctl("stats %u", id);
    snprintf(key, sizeof key, " %s=", field);
    const char *p = strstr(reply, key);
    CHECK(p, "no %s in '%s'", field, reply);
    p += strlen(key);
    size_t n = strcspn(p, " ");
    CHECK(n < sizeof value, "long value");
    memcpy(value, p, n);
    value[n] = '\0';
    return value;
}

long st_stat(unsigned id, const char *field)
{
    return strtol(stat_value(id, field), NULL, 10);
}

const char *st_node(unsigned id)
{
    return stat_value(id, "node");
}

hid_device *st_open(unsigned id)
{
    const char *node = st_node(id);
    hid_device *h = hid_open_path(node);
    CHECK(h, "cannot open %s: %ls", node, hid_error(NULL));
    return h;
}

int st_send(hid_device *h, const uint8_t req[EMU_REPORT_SIZE])
{
    return hid_write(h, req, EMU_REPORT_SIZE);
}

void st_exchange(hid_device *h, const uint8_t req[EMU_REPORT_SIZE], uint8_t reply[EMU_REPORT_SIZE])
{
    int w = st_send(h, req);
    CHECK(w == EMU_REPORT_SIZE, "hid_write returned %d", w);
    int r = hid_read_timeout(h, reply, EMU_REPORT_SIZE, REPLY_TIMEOUT_MS);
    CHECK(r == EMU_REPORT_SIZE, "hid_read_timeout returned %d", r);
}

void st_check_echo(const uint8_t *reply, const uint8_t *req)
{
    CHECK(memcmp(reply, req + 3, REPLY_ECHO_LEN) == 0, "reply does not echo the request");
}

void st_walk(hid_device *h, int n)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
    for (int i = 0; i < n; i++) {
        st_exchange(h, req, reply);
        st_check_echo(reply, req);
    }
}

long st_now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000L + ts.tv_nsec / 1000000L;
}

void st_sleep_ms(long ms)
{
    struct timespec ts = {ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

void st_fill_random(uint8_t *buf, size_t len, uint32_t seed)
{
    uint32_t x = seed ? seed : 1;
    for (size_t i = 0; i < len; i++) {
        x = x * 1664525u + 1013904223u;
        buf[i] = (uint8_t)(x >> 24);
    }
}

long st_read_file(const char *path, uint8_t **data)
{
    FILE *f = fopen(path, "rb");
    if (!f)
        return -1;
    fseek(f, 0, SEEK_END);
    long len = ftell(f);
    rewind(f);
    *data = malloc(len > 0 ? (size_t)len : 1);
    size_t got = *data ? fread(*data, 1, (size_t)len, f) : 0;
    fclose(f);
    return got == (size_t)len ? len : -1;
}

const char *st_tmpdir(void)
{
    static char dir[4096];
    const char *base = getenv("TMPDIR");
    snprintf(dir, sizeof dir, "%s/emu-selftest-XXXXXX", base && *base ? base : "/tmp");
    CHECK(mkdtemp(dir), "mkdtemp failed");
    return dir;
}
