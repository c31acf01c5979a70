/* The pressure mouse's request/reply protocol, seen from the device side.
 * Pure functions over byte buffers: no GLib, no umockdev, so they can be tested alone. */
#ifndef TARVENIX_EMU_PROTOCOL_H
#define TARVENIX_EMU_PROTOCOL_H

#include <stddef.h>
#include <stdint.h>

#define EMU_REPORT_SIZE 1024
#define EMU_BLOCK_SIZE 512
#define EMU_DATA_SIZE (512u * 1024u)
#define EMU_FW_CAP (64u * 1024u * 1024u)
#define EMU_VERSION_MAX 24
#define EMU_PAYLOAD_AT 15
#define EMU_REPLY_VERSION_AT 46
#define EMU_REPLY_DATA_AT 14
#define EMU_REPLY_ECHO_LEN 8
/* hidraw's limit on a report descriptor (HID_MAX_DESCRIPTOR_SIZE). */
#define EMU_DESCRIPTOR_MAX 4096

typedef enum {
    EMU_REQ_BAD = 0,
    EMU_REQ_VERSION,
    EMU_REQ_FIRMWARE,
    EMU_REQ_DATA,
    EMU_REQ_READOUT,
} EmuReqKind;

typedef struct {
    EmuReqKind kind;
    uint32_t offset;
} EmuRequest;

/* What the device holds: data area, firmware image, version text. */
typedef struct {
    uint8_t *data; /* EMU_DATA_SIZE bytes */
    uint8_t *fw;
    size_t fw_size;
    size_t fw_alloc;
    uint8_t version[EMU_VERSION_MAX];
    size_t version_len;
} EmuModel;

/* Classifies a request; anything that is not exactly one of the four layouts, or whose
 * block would fall outside the data area or the firmware cap, is EMU_REQ_BAD. */
EmuRequest emu_parse_request(const uint8_t *req, size_t len);

/* Names a request for messages: "a data packet for block 3", "a version query". */
void emu_describe_request(char *out, size_t room, const uint8_t *req, size_t len);

/* Builds a request the way a correct host program would; used by tests and tools. */
void emu_build_request(uint8_t out[EMU_REPORT_SIZE], EmuReqKind kind, uint32_t offset,
                       const uint8_t *payload);

int emu_model_init(EmuModel *m);
void emu_model_free(EmuModel *m);
void emu_model_fill_pattern(EmuModel *m);
void emu_model_fill_byte(EmuModel *m, uint8_t value);
void emu_model_clear_firmware(EmuModel *m);
int emu_model_set_version(EmuModel *m, const uint8_t *text, size_t len);

/* Applies a parsed request (stores packets) and writes the full 1024-byte reply.
 * Returns -1 only when the firmware image cannot grow (out of memory). */
int emu_model_handle(EmuModel *m, const EmuRequest *r, const uint8_t *req, size_t len,
                     uint8_t reply[EMU_REPORT_SIZE]);

/* A report descriptor with the given top-level usage page and usage, 1024-byte input and
 * 1023-byte output reports, no report IDs. Returns its length (at most 32). */
size_t emu_report_descriptor(uint8_t out[32], unsigned page, unsigned usage);

/* The default data-area content: byte k = (k*7 + k/512) & 0xff. */
uint8_t emu_pattern_byte(size_t k);

#endif
