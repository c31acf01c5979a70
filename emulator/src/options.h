/* Device configuration and its key=value text form, shared by --device and `add`. */
#ifndef TARVENIX_EMU_OPTIONS_H
#define TARVENIX_EMU_OPTIONS_H

#include "protocol.h"

#include <glib.h>

typedef struct {
    guint vid;
    guint pid;
    guint page;
    guint usage;
    guint8 version[EMU_VERSION_MAX];
    gsize version_len;
    char *data_file; /* NULL: default pattern or fill */
    int fill;        /* -1: none */
    char *manufacturer;
    char *product;
    char *serial;
    guint interface;    /* bInterfaceNumber */
    GBytes *descriptor; /* NULL: built from page and usage */
} EmuConfig;

void emu_config_defaults(EmuConfig *c);
void emu_config_copy(EmuConfig *dst, const EmuConfig *src);
void emu_config_free(EmuConfig *c);

/* One key=value; on failure returns -1 and a short reason in *err (caller frees). */
int emu_config_set(EmuConfig *c, const char *key, const char *value, char **err);

/* A list such as "vid=1abe,pid=2202,product=Pressure Mouse". Items are separated by commas,
 * or by blanks when the next word holds '=' (so `add vid=1 pid=2` works too). */
int emu_config_parse(EmuConfig *c, const char *list, char **err);

/* Hex number with optional 0x; -1 when malformed or above max. */
long emu_parse_hex(const char *text, unsigned long max);

/* Decimal count; -1 when malformed or above max. */
long emu_parse_count(const char *text, unsigned long max);

/* Bytes written as hex chunks separated by blanks, each either literal pairs ("0102ff") or a
 * run "HH*N" (byte HH, N times): "00000001020800030000 02 00*1013". Upper or lower case.
 * Appends to out; -1 and a reason in *err when malformed or longer than max bytes. */
int emu_hex_decode(const char *text, GByteArray *out, gsize max, char **err);

#endif
