/* Shared helpers of the emulator self-test, a hidapi program run as the emulator's child. */
#ifndef TARVENIX_EMU_SELFTEST_H
#define TARVENIX_EMU_SELFTEST_H

#include "protocol.h"

#include <hidapi.h>
#include <stddef.h>
#include <stdint.h>

/* Reply positions, written out here rather than taken from the emulator's own header so that
 * a wrong constant there cannot agree with itself. */
#define REPLY_ECHO_LEN 8
#define REPLY_DATA_AT 14
#define REPLY_VERSION_AT 46

#define CHECK(cond, ...)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            st_fail(__FILE__, __LINE__, #cond, __VA_ARGS__);                                       \
    } while (0)

void st_fail(const char *file, int line, const char *cond, const char *fmt, ...)
    __attribute__((format(printf, 4, 5), noreturn));

/* Runs a control command that must succeed; returns the reply in a static buffer. */
const char *st_ctl(const char *fmt, ...) __attribute__((format(printf, 1, 2)));

/* A numeric field of `stats ID`, e.g. st_stat(1, "requests"). */
long st_stat(unsigned id, const char *field);

/* The node path a device has now (from `stats`). */
const char *st_node(unsigned id);

hid_device *st_open(unsigned id);

/* Writes one request; returns hid_write's result. */
int st_send(hid_device *h, const uint8_t req[EMU_REPORT_SIZE]);

/* Sends a request and reads its reply; both must be full-length. */
void st_exchange(hid_device *h, const uint8_t req[EMU_REPORT_SIZE], uint8_t reply[EMU_REPORT_SIZE]);

/* Checks reply bytes 0..7 against request bytes 3..10. */
void st_check_echo(const uint8_t *reply, const uint8_t *req);

/* Sends n version queries with replies, to walk a fault's request counter forward. */
void st_walk(hid_device *h, int n);

long st_now_ms(void);
void st_sleep_ms(long ms);

/* Deterministic bytes, zeros included. */
void st_fill_random(uint8_t *buf, size_t len, uint32_t seed);

/* Reads a whole file; returns its length or -1. */
long st_read_file(const char *path, uint8_t **data);

/* A fresh directory under the temp dir for dumps. */
const char *st_tmpdir(void);

#endif
