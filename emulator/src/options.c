#include "options.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>

#define DEFAULT_VERSION "TVX-EMU 1.1.0"

void emu_config_defaults(EmuConfig *c)
{
    memset(c, 0, sizeof *c);
    c->vid = 0x1abe;
    c->pid = 0x2202;
    c->page = 0x0002;
    c->usage = 0x0001;
    c->version_len = strlen(DEFAULT_VERSION);
    memcpy(c->version, DEFAULT_VERSION, c->version_len);
    c->fill = -1;
    c->manufacturer = g_strdup("Tarvenix");
    c->product = g_strdup("Pressure Mouse");
    c->serial = g_strdup("EMU0001");
}

void emu_config_copy(EmuConfig *dst, const EmuConfig *src)
{
    *dst = *src;
    dst->data_file = g_strdup(src->data_file);
    dst->manufacturer = g_strdup(src->manufacturer);
    dst->product = g_strdup(src->product);
    dst->serial = g_strdup(src->serial);
    dst->descriptor = src->descriptor ? g_bytes_ref(src->descriptor) : NULL;
}

void emu_config_free(EmuConfig *c)
{
    g_free(c->data_file);
    g_free(c->manufacturer);
    g_free(c->product);
    g_free(c->serial);
    if (c->descriptor)
        g_bytes_unref(c->descriptor);
    memset(c, 0, sizeof *c);
}

long emu_parse_hex(const char *text, unsigned long max)
{
    if (g_str_has_prefix(text, "0x") || g_str_has_prefix(text, "0X"))
        text += 2;
    if (!g_ascii_isxdigit(*text))
        return -1;
    char *end = NULL;
    errno = 0;
    unsigned long v = strtoul(text, &end, 16);
    if (errno || *end || v > max)
        return -1;
    return (long)v;
}

long emu_parse_count(const char *text, unsigned long max)
{
    if (!g_ascii_isdigit(*text))
        return -1;
    char *end = NULL;
    errno = 0;
    unsigned long v = strtoul(text, &end, 10);
    if (errno || *end || v > max)
        return -1;
    return (long)v;
}

#define HEX_MALFORMED (-1)
#define HEX_TOO_LONG (-2)

static int hex_value(char c)
{
    return g_ascii_xdigit_value(c);
}

/* "HH*N": byte HH, N times (N decimal, at least 1). */
static int decode_run(const char *chunk, gsize n, GByteArray *out, gsize limit)
{
    const char *count = chunk + 3;
    if (n < 4 || n > 12 || chunk[2] != '*' || hex_value(chunk[0]) < 0 || hex_value(chunk[1]) < 0)
        return HEX_MALFORMED;
    for (const char *p = count; p < chunk + n; p++)
        if (!g_ascii_isdigit(*p))
            return HEX_MALFORMED;
    gsize times = (gsize)g_ascii_strtoull(count, NULL, 10);
    if (times == 0)
        return HEX_MALFORMED;
    if (times > limit - out->len)
        return HEX_TOO_LONG;
    gsize at = out->len;
    g_byte_array_set_size(out, (guint)(at + times));
    memset(out->data + at, hex_value(chunk[0]) << 4 | hex_value(chunk[1]), times);
    return 0;
}

static int decode_literal(const char *chunk, gsize n, GByteArray *out, gsize limit)
{
    if (n % 2)
        return HEX_MALFORMED;
    for (gsize i = 0; i < n; i += 2)
        if (hex_value(chunk[i]) < 0 || hex_value(chunk[i + 1]) < 0)
            return HEX_MALFORMED;
    if (n / 2 > limit - out->len)
        return HEX_TOO_LONG;
    for (gsize i = 0; i < n; i += 2) {
        guint8 byte = (guint8)(hex_value(chunk[i]) << 4 | hex_value(chunk[i + 1]));
        g_byte_array_append(out, &byte, 1);
    }
    return 0;
}

int emu_hex_decode(const char *text, GByteArray *out, gsize max, char **err)
{
    const gsize limit = out->len + max;
    for (const char *p = text; *p;) {
        gsize n = strcspn(p, " ");
        int rc =
            memchr(p, '*', n) ? decode_run(p, n, out, limit) : decode_literal(p, n, out, limit);
        if (rc == HEX_MALFORMED)
            *err = g_strdup_printf("bad hex chunk '%.*s'", (int)MIN(n, 24), p);
        else if (rc == HEX_TOO_LONG)
            *err = g_strdup_printf("more than %zu bytes", max);
        if (rc < 0)
            return -1;
        p += n;
        p += strspn(p, " ");
    }
    return 0;
}

static int set_hex(guint *field, const char *key, const char *value, unsigned long max, char **err)
{
    long v = emu_parse_hex(value, max);
    if (v < 0) {
        *err = g_strdup_printf("bad %s '%s'", key, value);
        return -1;
    }
    *field = (guint)v;
    return 0;
}

static int set_string(char **field, const char *value)
{
    g_free(*field);
    *field = g_strdup(value);
    return 0;
}

/* The byte that `\xNN` at p stands for, or -1; 00 ends a string, so it is none. */
static int escaped_byte(const char *p)
{
    if (p[1] != 'x' || hex_value(p[2]) < 0 || hex_value(p[3]) < 0)
        return -1;
    int byte = hex_value(p[2]) << 4 | hex_value(p[3]);
    return byte ? byte : -1;
}

/* A device string: `\xNN` is the byte NN and `\\` a backslash, so that a string may hold
 * bytes that are not UTF-8, and commas. */
static int set_device_string(char **field, const char *key, const char *value, char **err)
{
    GString *out = g_string_new(NULL);
    for (const char *p = value; *p; p++) {
        if (*p != '\\') {
            g_string_append_c(out, *p);
        } else if (p[1] == '\\') {
            g_string_append_c(out, *p++);
        } else if (escaped_byte(p) > 0) {
            g_string_append_c(out, (char)escaped_byte(p));
            p += 3;
        } else {
            *err =
                g_strdup_printf("bad escape '%.4s' in %s (\\xNN but not \\x00, or \\\\)", p, key);
            g_string_free(out, TRUE);
            return -1;
        }
    }
    g_free(*field);
    *field = g_string_free(out, FALSE);
    return 0;
}

static int set_count(guint *field, const char *key, const char *value, unsigned long max,
                     char **err)
{
    long v = emu_parse_count(value, max);
    if (v < 0) {
        *err = g_strdup_printf("bad %s '%s'", key, value);
        return -1;
    }
    *field = (guint)v;
    return 0;
}

/* A raw report descriptor, as a capture holds it; hidapi then takes page and usage from it. */
static int set_descriptor(EmuConfig *c, const char *value, char **err)
{
    GByteArray *bytes = g_byte_array_new();
    char *why = NULL;
    if (emu_hex_decode(value, bytes, EMU_DESCRIPTOR_MAX, &why) < 0 || bytes->len == 0) {
        *err = g_strdup_printf("bad descriptor: %s", why ? why : "empty");
        g_free(why);
        g_byte_array_unref(bytes);
        return -1;
    }
    if (c->descriptor)
        g_bytes_unref(c->descriptor);
    c->descriptor = g_byte_array_free_to_bytes(bytes);
    return 0;
}

static int set_version(EmuConfig *c, const char *value, char **err)
{
    size_t len = strlen(value);
    if (len > EMU_VERSION_MAX) {
        *err = g_strdup_printf("version longer than %d bytes", EMU_VERSION_MAX);
        return -1;
    }
    memset(c->version, 0, sizeof c->version);
    memcpy(c->version, value, len);
    c->version_len = len;
    return 0;
}

static int set_fill(EmuConfig *c, const char *value, char **err)
{
    long v = emu_parse_hex(value, 0xff);
    if (v < 0) {
        *err = g_strdup_printf("bad fill '%s'", value);
        return -1;
    }
    c->fill = (int)v;
    g_free(c->data_file);
    c->data_file = NULL;
    return 0;
}

int emu_config_set(EmuConfig *c, const char *key, const char *value, char **err)
{
    if (!strcmp(key, "vid"))
        return set_hex(&c->vid, key, value, 0xffff, err);
    if (!strcmp(key, "pid"))
        return set_hex(&c->pid, key, value, 0xffff, err);
    if (!strcmp(key, "page"))
        return set_hex(&c->page, key, value, 0xffff, err);
    if (!strcmp(key, "usage"))
        return set_hex(&c->usage, key, value, 0xffff, err);
    if (!strcmp(key, "version"))
        return set_version(c, value, err);
    if (!strcmp(key, "fill"))
        return set_fill(c, value, err);
    if (!strcmp(key, "data")) {
        c->fill = -1;
        return set_string(&c->data_file, value);
    }
    if (!strcmp(key, "manufacturer"))
        return set_device_string(&c->manufacturer, key, value, err);
    if (!strcmp(key, "product"))
        return set_device_string(&c->product, key, value, err);
    if (!strcmp(key, "serial"))
        return set_device_string(&c->serial, key, value, err);
    if (!strcmp(key, "interface"))
        return set_count(&c->interface, key, value, 255, err);
    if (!strcmp(key, "descriptor"))
        return set_descriptor(c, value, err);
    *err = g_strdup_printf("unknown key '%s'", key);
    return -1;
}

static int set_item(EmuConfig *c, const char *item, char **err)
{
    const char *eq = strchr(item, '=');
    if (!eq || eq == item) {
        *err = g_strdup_printf("expected key=value, got '%s'", item);
        return -1;
    }
    char *key = g_strndup(item, (gsize)(eq - item));
    int rc = emu_config_set(c, key, eq + 1, err);
    g_free(key);
    return rc;
}

static int flush_item(EmuConfig *c, GString *item, char **err)
{
    int rc = set_item(c, g_strchomp(item->str), err);
    g_string_free(item, TRUE);
    return rc;
}

/* Words without '=' belong to the previous value, so values may hold blanks. */
static int parse_piece(EmuConfig *c, const char *piece, char **err)
{
    char **words = g_strsplit_set(piece, " \t", -1);
    GString *item = NULL;
    int rc = 0;
    for (char **w = words; *w && rc == 0; w++) {
        if (item && !strchr(*w, '=')) {
            g_string_append_printf(item, " %s", *w);
            continue;
        }
        if (item)
            rc = flush_item(c, item, err);
        item = **w ? g_string_new(*w) : NULL;
    }
    if (item && rc == 0)
        rc = flush_item(c, item, err);
    else if (item)
        g_string_free(item, TRUE);
    g_strfreev(words);
    return rc;
}

int emu_config_parse(EmuConfig *c, const char *list, char **err)
{
    char **pieces = g_strsplit(list, ",", -1);
    int rc = 0;
    for (char **p = pieces; *p && rc == 0; p++) {
        if (**p)
            rc = parse_piece(c, *p, err);
    }
    g_strfreev(pieces);
    return rc;
}
