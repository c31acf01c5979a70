/* Replay of replay.jsonl: a version query answered after 200 ms, a firmware packet with a stray
 * report after its reply, a failed write, a silent device and an unplug; and a report read at
 * open, before the first write. */
#define _POSIX_C_SOURCE 200809L
#include "selftest.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <wchar.h>

#define CAPTURED_VERSION "TVX-CAP 9.9.9"

static void firmware_packet(uint8_t req[EMU_REPORT_SIZE], uint32_t block, int changed)
{
    uint8_t payload[EMU_BLOCK_SIZE];
    memset(payload, block ? 0x33 : 0x11, EMU_BLOCK_SIZE);
    if (!block)
        memset(payload + 256, 0x22, 256);
    payload[20] += (uint8_t)changed;
    emu_build_request(req, EMU_REQ_FIRMWARE, block * EMU_BLOCK_SIZE, payload);
}

static hid_device *open_captured(void)
{
    struct hid_device_info *d = hid_enumerate(0x1abe, 0x2202);
    CHECK(d && !d->next && d->serial_number && !wcscmp(d->serial_number, L"CAP0042"),
          "the captured device is not the one listed");
    hid_device *h = hid_open_path(d->path);
    CHECK(h, "cannot open %s", d->path);
    hid_free_enumeration(d);
    return h;
}

static void check_descriptor(void)
{
    int fd = open(st_node(1), O_RDWR | O_CLOEXEC), size = 0;
    struct hidraw_report_descriptor desc = {.size = 27};
    CHECK(fd >= 0 && ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size == 27, "descriptor size");
    CHECK(ioctl(fd, HIDIOCGRDESC, &desc) == 0 && desc.value[8] == 0x25 && desc.value[9] == 0x7f,
          "not the captured descriptor");
    close(fd);
}

/* Sends a version query and returns how long its reply took. */
static long version_exchange(hid_device *h, uint8_t reply[EMU_REPORT_SIZE])
{
    uint8_t req[EMU_REPORT_SIZE];
    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
    long start = st_now_ms();
    st_exchange(h, req, reply);
    return st_now_ms() - start;
}

static void check_replay(int fast)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    hid_device *h = open_captured();
    check_descriptor();
    CHECK(hid_read_timeout(h, reply, sizeof reply, 0) == 16 && reply[0] == 0xaa,
          "the report read at open is not there");
    long took = version_exchange(h, reply);
    CHECK(!memcmp(reply + REPLY_VERSION_AT, CAPTURED_VERSION, 13), "not the captured reply");
    CHECK(fast ? took < 190 : took >= 190 && took < 1000, "the reply took %ld ms", took);

    firmware_packet(req, 0, 0);
    st_exchange(h, req, reply);
    st_check_echo(reply, req);
    CHECK(hid_read_timeout(h, reply, sizeof reply, 0) == 8 && reply[0] == 0xbb,
          "the stray report after the reply is not there");

    firmware_packet(req, 1, 0);
    CHECK(st_send(h, req) == -1 && wcsstr(hid_error(h), L"Input/output error"),
          "the captured write failure was not reproduced");
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "the retry failed");
    CHECK(hid_read_timeout(h, reply, sizeof reply, 300) == 0, "a silent device answered");

    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "write before the unplug");
    long start = st_now_ms();
    CHECK(hid_read_timeout(h, reply, sizeof reply, 2000) == -1, "the read did not fail");
    CHECK(st_now_ms() - start < 1000 && st_stat(1, "plugged") == 0, "the device was not unplugged");
    const char *status = st_ctl("replay");
    CHECK(!strcmp(status, "ok exchanges=5 writes=5 diverged=0 mode=strict"), "%s", status);
    hid_close(h);
}

void case_replay(void)
{
    check_replay(0);
}

void case_replay_fast(void)
{
    check_replay(1);
}

/* Block 0's packet with its payload byte 20 (request byte 35) changed. Strict: no answers from
 * then on; lenient: the plain emulator's, with the captured device's version text. */
static void check_divergence(int lenient)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    hid_device *h = open_captured();
    hid_read_timeout(h, reply, sizeof reply, 0); /* the report read at open */
    version_exchange(h, reply);
    firmware_packet(req, 0, 1);
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "the changed write failed");
    int n = hid_read_timeout(h, reply, sizeof reply, 300);
    CHECK(n == (lenient ? EMU_REPORT_SIZE : 0), "the changed request got %d bytes", n);
    const char *status = st_ctl("replay");
    CHECK(strstr(status, "exchanges=1 writes=5 diverged=1") && strstr(status, "at=2 ") &&
              strstr(status, "byte 35 is 12, expected 11") &&
              strstr(status, "expects a firmware packet for block 0"),
          "%s", status);
    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "a later write failed");
    n = hid_read_timeout(h, reply, sizeof reply, lenient ? 1000 : 300);
    CHECK(n == (lenient ? EMU_REPORT_SIZE : 0), "a later request got %d bytes", n);
    CHECK(!lenient || !memcmp(reply + REPLY_VERSION_AT, CAPTURED_VERSION, 13), "version");
    hid_close(h);
}

void case_replay_strict(void)
{
    check_divergence(0);
}

void case_replay_lenient(void)
{
    check_divergence(1);
}
