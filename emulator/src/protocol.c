#include "protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define OP_AT 3
#define LEN_AT 5
#define AREA_AT 7
#define CONST_AT 10
#define OFFSET_AT 11
#define CONST_VALUE 0x02
#define PAYLOAD_END (EMU_PAYLOAD_AT + EMU_BLOCK_SIZE)

typedef struct {
    EmuReqKind kind;
    uint8_t op[2];
    uint16_t length;
    uint8_t area;
    int has_payload;
} Layout;

static const Layout layouts[] = {
    {EMU_REQ_VERSION, {0x01, 0x02}, 0x0008, 3, 0},
    {EMU_REQ_FIRMWARE, {0x00, 0x01}, 0x0208, 0, 1},
    {EMU_REQ_DATA, {0x00, 0x01}, 0x0208, 4, 1},
    {EMU_REQ_READOUT, {0x01, 0x02}, 0x0008, 4, 0},
};

static uint32_t get_le32(const uint8_t *p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

static void put_le32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        p[i] = (uint8_t)(v >> (8 * i));
}

static int all_zero(const uint8_t *p, size_t n)
{
    for (size_t i = 0; i < n; i++)
        if (p[i])
            return 0;
    return 1;
}

static int header_matches(const Layout *l, const uint8_t *req)
{
    return req[0] == 0 && req[1] == 0 && req[2] == 0 && req[OP_AT] == l->op[0] &&
           req[OP_AT + 1] == l->op[1] && req[LEN_AT] == (l->length & 0xff) &&
           req[LEN_AT + 1] == (l->length >> 8) && req[AREA_AT] == l->area && req[8] == 0 &&
           req[9] == 0 && req[CONST_AT] == CONST_VALUE;
}

static int offset_fits(EmuReqKind kind, uint32_t offset)
{
    uint64_t end = (uint64_t)offset + EMU_BLOCK_SIZE;
    if (offset % EMU_BLOCK_SIZE)
        return 0;
    if (kind == EMU_REQ_VERSION)
        return offset == 0;
    if (kind == EMU_REQ_FIRMWARE)
        return end <= EMU_FW_CAP;
    return end <= EMU_DATA_SIZE;
}

static int layout_matches(const Layout *l, const uint8_t *req)
{
    if (!header_matches(l, req))
        return 0;
    if (!l->has_payload && !all_zero(req + EMU_PAYLOAD_AT, EMU_BLOCK_SIZE))
        return 0;
    if (!all_zero(req + PAYLOAD_END, EMU_REPORT_SIZE - PAYLOAD_END))
        return 0;
    return offset_fits(l->kind, get_le32(req + OFFSET_AT));
}

EmuRequest emu_parse_request(const uint8_t *req, size_t len)
{
    EmuRequest r = {EMU_REQ_BAD, 0};
    if (len != EMU_REPORT_SIZE)
        return r;
    for (size_t i = 0; i < sizeof layouts / sizeof layouts[0]; i++) {
        if (layout_matches(&layouts[i], req)) {
            r.kind = layouts[i].kind;
            r.offset = get_le32(req + OFFSET_AT);
            break;
        }
    }
    return r;
}

void emu_describe_request(char *out, size_t room, const uint8_t *req, size_t len)
{
    static const char *const names[] = {"", "a version query", "a firmware packet", "a data packet",
                                        "a read-out request"};
    EmuRequest r = emu_parse_request(req, len);
    if (r.kind == EMU_REQ_BAD)
        snprintf(out, room, "a request that matches no layout (%zu bytes)", len);
    else if (r.kind == EMU_REQ_VERSION)
        snprintf(out, room, "%s", names[r.kind]);
    else
        snprintf(out, room, "%s for block %u", names[r.kind],
                 (unsigned)(r.offset / EMU_BLOCK_SIZE));
}

void emu_build_request(uint8_t out[EMU_REPORT_SIZE], EmuReqKind kind, uint32_t offset,
                       const uint8_t *payload)
{
    memset(out, 0, EMU_REPORT_SIZE);
    for (size_t i = 0; i < sizeof layouts / sizeof layouts[0]; i++) {
        const Layout *l = &layouts[i];
        if (l->kind != kind)
            continue;
        out[OP_AT] = l->op[0];
        out[OP_AT + 1] = l->op[1];
        out[LEN_AT] = (uint8_t)(l->length & 0xff);
        out[LEN_AT + 1] = (uint8_t)(l->length >> 8);
        out[AREA_AT] = l->area;
        out[CONST_AT] = CONST_VALUE;
        put_le32(out + OFFSET_AT, offset);
        if (l->has_payload && payload)
            memcpy(out + EMU_PAYLOAD_AT, payload, EMU_BLOCK_SIZE);
    }
}

uint8_t emu_pattern_byte(size_t k)
{
    return (uint8_t)((k * 7 + k / EMU_BLOCK_SIZE) & 0xff);
}

int emu_model_init(EmuModel *m)
{
    memset(m, 0, sizeof *m);
    m->data = malloc(EMU_DATA_SIZE);
    if (!m->data)
        return -1;
    emu_model_fill_pattern(m);
    return 0;
}

void emu_model_free(EmuModel *m)
{
    free(m->data);
    free(m->fw);
    memset(m, 0, sizeof *m);
}

void emu_model_fill_pattern(EmuModel *m)
{
    for (size_t k = 0; k < EMU_DATA_SIZE; k++)
        m->data[k] = emu_pattern_byte(k);
}

void emu_model_fill_byte(EmuModel *m, uint8_t value)
{
    memset(m->data, value, EMU_DATA_SIZE);
}

void emu_model_clear_firmware(EmuModel *m)
{
    free(m->fw);
    m->fw = NULL;
    m->fw_size = 0;
    m->fw_alloc = 0;
}

int emu_model_set_version(EmuModel *m, const uint8_t *text, size_t len)
{
    if (len > EMU_VERSION_MAX)
        return -1;
    memset(m->version, 0, sizeof m->version);
    memcpy(m->version, text, len);
    m->version_len = len;
    return 0;
}

static int grow_firmware(EmuModel *m, size_t end)
{
    size_t alloc = m->fw_alloc ? m->fw_alloc : 64 * 1024;
    while (alloc < end)
        alloc *= 2;
    if (alloc == m->fw_alloc)
        return 0;
    uint8_t *fw = realloc(m->fw, alloc);
    if (!fw)
        return -1;
    /* Blocks never written read back as zero, so dumps stay deterministic. */
    memset(fw + m->fw_alloc, 0, alloc - m->fw_alloc);
    m->fw = fw;
    m->fw_alloc = alloc;
    return 0;
}

static int store_firmware(EmuModel *m, uint32_t offset, const uint8_t *payload)
{
    size_t end = (size_t)offset + EMU_BLOCK_SIZE;
    if (grow_firmware(m, end) < 0)
        return -1;
    memcpy(m->fw + offset, payload, EMU_BLOCK_SIZE);
    if (end > m->fw_size)
        m->fw_size = end;
    return 0;
}

int emu_model_handle(EmuModel *m, const EmuRequest *r, const uint8_t *req, size_t len,
                     uint8_t reply[EMU_REPORT_SIZE])
{
    memset(reply, 0, EMU_REPORT_SIZE);
    /* The echo makes every reply traceable to its request, even for a bad one. */
    if (len >= OP_AT + EMU_REPLY_ECHO_LEN)
        memcpy(reply, req + OP_AT, EMU_REPLY_ECHO_LEN);
    switch (r->kind) {
    case EMU_REQ_VERSION:
        memcpy(reply + EMU_REPLY_VERSION_AT, m->version, EMU_VERSION_MAX);
        return 0;
    case EMU_REQ_FIRMWARE:
        return store_firmware(m, r->offset, req + EMU_PAYLOAD_AT);
    case EMU_REQ_DATA:
        memcpy(m->data + r->offset, req + EMU_PAYLOAD_AT, EMU_BLOCK_SIZE);
        return 0;
    case EMU_REQ_READOUT:
        memcpy(reply + EMU_REPLY_DATA_AT, m->data + r->offset, EMU_BLOCK_SIZE);
        return 0;
    case EMU_REQ_BAD:
        break;
    }
    return 0;
}

static size_t put_item(uint8_t *out, uint8_t tag, unsigned value)
{
    if (value <= 0xff) {
        out[0] = (uint8_t)(tag | 1);
        out[1] = (uint8_t)value;
        return 2;
    }
    out[0] = (uint8_t)(tag | 2);
    out[1] = (uint8_t)(value & 0xff);
    out[2] = (uint8_t)(value >> 8);
    return 3;
}

size_t emu_report_descriptor(uint8_t out[32], unsigned page, unsigned usage)
{
    /* Logical 0..255, 8-bit fields; then 1024 input bytes and 1023 output bytes, the
     * output one short because hidapi puts the report-ID byte 0 in front of it. */
    static const uint8_t body[] = {0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
                                   0x08, 0x96, 0x00, 0x04, 0x09, 0x01, 0x81, 0x02,
                                   0x96, 0xFF, 0x03, 0x09, 0x01, 0x91, 0x02, 0xC0};
    size_t n = put_item(out, 0x04, page);
    n += put_item(out + n, 0x08, usage);
    memcpy(out + n, body, sizeof body);
    return n + sizeof body;
}
