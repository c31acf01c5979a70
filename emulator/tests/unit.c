/* Unit tests of the request layouts, the device model, the report descriptor, the
 * configuration syntax and the client library's local failures. Expected bytes are written
 * out literally from the protocol table, not derived from the code under test. */
#define _POSIX_C_SOURCE 200809L
#include "emuclient.h"
#include "options.h"
#include "protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int failures;

#define EXPECT(cond, ...)                                                                          \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            failures++;                                                                            \
            fprintf(stderr, "FAIL %s:%d: %s: ", __FILE__, __LINE__, #cond);                        \
            fprintf(stderr, __VA_ARGS__);                                                          \
            fputc('\n', stderr);                                                                   \
        }                                                                                          \
    } while (0)

typedef struct {
    EmuReqKind kind;
    uint8_t header[15]; /* bytes 0..14 with offset 0x00000400 (block 2) */
} Expected;

static const Expected expected[] = {
    {EMU_REQ_VERSION, {0, 0, 0, 0x01, 0x02, 0x08, 0x00, 3, 0, 0, 0x02, 0, 0, 0, 0}},
    {EMU_REQ_FIRMWARE, {0, 0, 0, 0x00, 0x01, 0x08, 0x02, 0, 0, 0, 0x02, 0x00, 0x04, 0, 0}},
    {EMU_REQ_DATA, {0, 0, 0, 0x00, 0x01, 0x08, 0x02, 4, 0, 0, 0x02, 0x00, 0x04, 0, 0}},
    {EMU_REQ_READOUT, {0, 0, 0, 0x01, 0x02, 0x08, 0x00, 4, 0, 0, 0x02, 0x00, 0x04, 0, 0}},
};

static void request_for(const Expected *e, uint8_t req[EMU_REPORT_SIZE], const uint8_t *payload)
{
    uint32_t offset = e->kind == EMU_REQ_VERSION ? 0 : 1024;
    emu_build_request(req, e->kind, offset, payload);
}

static void test_build_matches_table(void)
{
    uint8_t req[EMU_REPORT_SIZE], payload[EMU_BLOCK_SIZE];
    for (size_t i = 0; i < EMU_BLOCK_SIZE; i++)
        payload[i] = (uint8_t)(i * 3 + 1);
    for (size_t i = 0; i < 4; i++) {
        const Expected *e = &expected[i];
        int packet = e->kind == EMU_REQ_FIRMWARE || e->kind == EMU_REQ_DATA;
        request_for(e, req, payload);
        EXPECT(memcmp(req, e->header, 15) == 0, "header of layout %zu", i);
        for (size_t k = 15; k < EMU_REPORT_SIZE; k++) {
            uint8_t want = packet && k < 527 ? payload[k - 15] : 0;
            if (req[k] != want) {
                EXPECT(0, "layout %zu byte %zu is %02x, expected %02x", i, k, req[k], want);
                break;
            }
        }
    }
}

static void test_parse_accepts_layouts(void)
{
    uint8_t req[EMU_REPORT_SIZE], payload[EMU_BLOCK_SIZE] = {0};
    payload[0] = 0xff;
    for (size_t i = 0; i < 4; i++) {
        request_for(&expected[i], req, payload);
        EmuRequest r = emu_parse_request(req, sizeof req);
        EXPECT(r.kind == expected[i].kind, "layout %zu parsed as %d", i, r.kind);
        EXPECT(r.offset == (i == 0 ? 0u : 1024u), "layout %zu offset %u", i, r.offset);
        EXPECT(emu_parse_request(req, sizeof req - 1).kind == EMU_REQ_BAD, "short write");
    }
}

/* Every fixed byte matters: changing any one of them makes the request bad. */
static void test_parse_rejects_changed_bytes(void)
{
    static const size_t fixed[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 527, 700, 1023};
    uint8_t req[EMU_REPORT_SIZE];
    for (size_t i = 0; i < 4; i++) {
        for (size_t f = 0; f < sizeof fixed / sizeof fixed[0]; f++) {
            request_for(&expected[i], req, NULL);
            req[fixed[f]] ^= 0x10;
            EXPECT(emu_parse_request(req, sizeof req).kind == EMU_REQ_BAD,
                   "layout %zu accepted with byte %zu changed", i, fixed[f]);
        }
    }
    request_for(&expected[0], req, NULL);
    req[15] = 1;
    EXPECT(emu_parse_request(req, sizeof req).kind == EMU_REQ_BAD, "query with a payload");
    request_for(&expected[3], req, NULL);
    req[526] = 1;
    EXPECT(emu_parse_request(req, sizeof req).kind == EMU_REQ_BAD, "read-out with a payload");
}

static EmuReqKind kind_at(EmuReqKind kind, uint32_t offset)
{
    uint8_t req[EMU_REPORT_SIZE];
    emu_build_request(req, kind, offset, NULL);
    return emu_parse_request(req, sizeof req).kind;
}

static void test_parse_offsets(void)
{
    EXPECT(kind_at(EMU_REQ_DATA, 524288 - 512) == EMU_REQ_DATA, "last data block");
    EXPECT(kind_at(EMU_REQ_DATA, 524288) == EMU_REQ_BAD, "data past the end");
    EXPECT(kind_at(EMU_REQ_READOUT, 524288) == EMU_REQ_BAD, "read-out past the end");
    EXPECT(kind_at(EMU_REQ_DATA, 100) == EMU_REQ_BAD, "unaligned data block");
    EXPECT(kind_at(EMU_REQ_FIRMWARE, 64u * 1024 * 1024 - 512) == EMU_REQ_FIRMWARE, "cap");
    EXPECT(kind_at(EMU_REQ_FIRMWARE, 64u * 1024 * 1024) == EMU_REQ_BAD, "beyond the cap");
    EXPECT(kind_at(EMU_REQ_FIRMWARE, 0xfffffe00u) == EMU_REQ_BAD, "32-bit offset");
    EXPECT(kind_at(EMU_REQ_VERSION, 512) == EMU_REQ_BAD, "version query with an offset");
}

static void handle(EmuModel *m, EmuReqKind kind, uint32_t offset, const uint8_t *payload,
                   uint8_t reply[EMU_REPORT_SIZE])
{
    uint8_t req[EMU_REPORT_SIZE];
    emu_build_request(req, kind, offset, payload);
    EmuRequest r = emu_parse_request(req, sizeof req);
    EXPECT(emu_model_handle(m, &r, req, sizeof req, reply) == 0, "handle failed");
    EXPECT(memcmp(reply, req + 3, 8) == 0, "reply bytes 0..7 do not echo bytes 3..10");
}

static void test_model_version_and_pattern(void)
{
    EmuModel m;
    uint8_t reply[EMU_REPORT_SIZE], want[EMU_REPORT_SIZE] = {0};
    EXPECT(emu_model_init(&m) == 0, "init");
    EXPECT(emu_model_set_version(&m, (const uint8_t *)"V1", 2) == 0, "set version");
    EXPECT(emu_model_set_version(&m, (const uint8_t *)"0123456789012345678901234", 25) < 0,
           "a 25-byte version was taken");
    handle(&m, EMU_REQ_VERSION, 0, NULL, reply);
    memcpy(want, reply, 8);
    want[46] = 'V';
    want[47] = '1';
    EXPECT(memcmp(reply, want, sizeof want) == 0, "version reply");
    EXPECT(m.data[0] == 0 && m.data[1] == 7 && m.data[512] == 1 && m.data[513] == 8 &&
               m.data[1024] == 2,
           "default pattern");
    emu_model_free(&m);
}

static void test_model_data(void)
{
    EmuModel m;
    uint8_t reply[EMU_REPORT_SIZE], payload[EMU_BLOCK_SIZE];
    emu_model_init(&m);
    memset(payload, 0xa5, sizeof payload);
    handle(&m, EMU_REQ_DATA, 1024, payload, reply);
    EXPECT(m.data[1023] != 0xa5 && m.data[1024] == 0xa5 && m.data[1535] == 0xa5 &&
               m.data[1536] != 0xa5,
           "data block stored at the wrong place");
    handle(&m, EMU_REQ_READOUT, 1024, NULL, reply);
    EXPECT(reply[13] == 0 && reply[14] == 0xa5 && reply[525] == 0xa5 && reply[526] == 0,
           "read-out reply bytes 14..525");
    emu_model_free(&m);
}

static void test_model_firmware(void)
{
    EmuModel m;
    uint8_t reply[EMU_REPORT_SIZE], payload[EMU_BLOCK_SIZE];
    emu_model_init(&m);
    memset(payload, 0x3c, sizeof payload);
    handle(&m, EMU_REQ_FIRMWARE, 512, payload, reply);
    EXPECT(m.fw_size == 1024, "fw_size %zu", m.fw_size);
    handle(&m, EMU_REQ_FIRMWARE, 1024 * 1024, payload, reply);
    EXPECT(m.fw_size == 1024 * 1024 + 512, "grown fw_size %zu", m.fw_size);
    EXPECT(m.fw[0] == 0 && m.fw[512] == 0x3c && m.fw[1023] == 0x3c && m.fw[1024] == 0 &&
               m.fw[1024 * 1024] == 0x3c,
           "firmware image content");
    emu_model_clear_firmware(&m);
    EXPECT(m.fw_size == 0, "cleared");
    emu_model_free(&m);
}

static void test_descriptor(void)
{
    uint8_t d[32];
    static const uint8_t mouse[] = {0x05, 0x02, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF,
                                    0x00, 0x75, 0x08, 0x96, 0x00, 0x04, 0x09, 0x01, 0x81, 0x02,
                                    0x96, 0xFF, 0x03, 0x09, 0x01, 0x91, 0x02, 0xC0};
    size_t n = emu_report_descriptor(d, 0x0002, 0x0001);
    EXPECT(n == sizeof mouse && memcmp(d, mouse, n) == 0, "descriptor for 0002:0001");
    n = emu_report_descriptor(d, 0xff00, 0x0123);
    EXPECT(n == sizeof mouse + 2 && d[0] == 0x06 && d[1] == 0x00 && d[2] == 0xff && d[3] == 0x0A &&
               d[4] == 0x23 && d[5] == 0x01,
           "descriptor for ff00:0123");
}

static void test_config(void)
{
    EmuConfig c;
    char *err = NULL;
    emu_config_defaults(&c);
    EXPECT(emu_config_parse(&c, "vid=0x0483,pid=5750,product=Pad  X2,fill=0xa5", &err) == 0,
           "parse: %s", err);
    EXPECT(c.vid == 0x0483 && c.pid == 0x5750 && c.fill == 0xa5, "numbers");
    EXPECT(!strcmp(c.product, "Pad  X2"), "product '%s'", c.product);
    EXPECT(emu_config_parse(&c, "page=ff00 usage=1 manufacturer=Acme Ltd", &err) == 0, "blanks");
    EXPECT(c.page == 0xff00 && c.usage == 1 && !strcmp(c.manufacturer, "Acme Ltd"), "blanks");
    EXPECT(c.version_len == 13 && !memcmp(c.version, "TVX-EMU 1.1.0", 13), "default version");
    EXPECT(emu_config_parse(&c, "interface=2,descriptor=05 02 09 01 a1*2", &err) == 0, "%s", err);
    EXPECT(c.interface == 2 && c.descriptor && g_bytes_get_size(c.descriptor) == 6 &&
               ((const uint8_t *)g_bytes_get_data(c.descriptor, NULL))[5] == 0xa1,
           "interface and descriptor");
    EXPECT(emu_config_parse(&c, "product=a\\x2cb \\\\\\xFF,serial=\\x41", &err) == 0, "%s", err);
    EXPECT(!strcmp(c.product, "a,b \\\xff") && !strcmp(c.serial, "A"), "escapes '%s'", c.product);
    const char *bad[] = {"vid=10000",     "vid=xyz",         "colour=red",
                         "fill=100",      "product",         "version=0123456789012345678901234",
                         "interface=256", "descriptor=0x05", "product=\\x00",
                         "serial=a\\x4",  "manufacturer=\\q"};
    for (size_t i = 0; i < sizeof bad / sizeof bad[0]; i++) {
        err = NULL;
        EXPECT(emu_config_parse(&c, bad[i], &err) < 0 && err, "'%s' was accepted", bad[i]);
        free(err);
    }
    emu_config_free(&c);
}

/* Capture hex: literal chunks and runs "HH*N", blanks between; anything else is refused. */
static void test_hex(void)
{
    GByteArray *b = g_byte_array_new();
    char *err = NULL;
    EXPECT(emu_hex_decode("00000001020800030000 02 00*1013", b, 1024, &err) == 0, "%s", err);
    EXPECT(b->len == 1024 && b->data[3] == 1 && b->data[10] == 2 && b->data[1023] == 0, "query");
    g_byte_array_set_size(b, 0);
    EXPECT(emu_hex_decode("AB*3 cD", b, 4, &err) == 0 && b->len == 4 && b->data[2] == 0xab &&
               b->data[3] == 0xcd,
           "runs and case");
    const char *bad[] = {"0", "0g", "00*0", "0*5", "00*", "00*5x", "00 *5", "00*3 00*2"};
    for (size_t i = 0; i < sizeof bad / sizeof bad[0]; i++) {
        g_byte_array_set_size(b, 0);
        err = NULL;
        EXPECT(emu_hex_decode(bad[i], b, 4, &err) < 0 && err, "'%s' was accepted", bad[i]);
        g_free(err);
    }
    g_byte_array_unref(b);
}

static void test_client_without_emulator(void)
{
    char reply[64];
    unsetenv("TARVENIX_EMU_CONTROL");
    EXPECT(emu_command("list", reply, sizeof reply) == -1, "no emulator, yet ok");
    EXPECT(!strncmp(reply, "err ", 4), "reply '%s'", reply);
    setenv("TARVENIX_EMU_CONTROL", "/nonexistent/control", 1);
    EXPECT(emu_commandf(reply, sizeof reply, "stats %d", 1) == -1, "connected to nothing");
    EXPECT(!strncmp(reply, "err ", 4), "reply '%s'", reply);
}

int main(void)
{
    test_build_matches_table();
    test_parse_accepts_layouts();
    test_parse_rejects_changed_bytes();
    test_parse_offsets();
    test_model_version_and_pattern();
    test_model_data();
    test_model_firmware();
    test_descriptor();
    test_config();
    test_hex();
    test_client_without_emulator();
    if (failures)
        fprintf(stderr, "%d failure(s)\n", failures);
    else
        printf("PASS unit\n");
    return failures ? 1 : 0;
}
