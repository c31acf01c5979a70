/* Firmware and data transfers, compared byte for byte with the emulator's dumps. */
#include "selftest.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#define FW_SIZE 65536
#define DATA_BLOCKS (EMU_DATA_SIZE / EMU_BLOCK_SIZE)

static uint8_t *dumped(const char *dir, const char *name, long *len)
{
    char path[4200];
    uint8_t *data = NULL;
    snprintf(path, sizeof path, "%s/%s", dir, name);
    *len = st_read_file(path, &data);
    CHECK(*len >= 0, "cannot read %s", path);
    unlink(path);
    return data;
}

static void remove_dump(const char *dir)
{
    static const char *names[] = {"requests.bin", "firmware.bin", "data.bin"};
    char path[4200];
    for (size_t i = 0; i < 3; i++) {
        snprintf(path, sizeof path, "%s/%s", dir, names[i]);
        unlink(path);
    }
    rmdir(dir);
}

static void send_firmware(hid_device *h, const uint8_t *fw, uint8_t *log)
{
    uint8_t reply[EMU_REPORT_SIZE];
    for (uint32_t b = 0; b < FW_SIZE / EMU_BLOCK_SIZE; b++) {
        uint8_t *req = log + (size_t)b * EMU_REPORT_SIZE;
        emu_build_request(req, EMU_REQ_FIRMWARE, b * EMU_BLOCK_SIZE, fw + b * EMU_BLOCK_SIZE);
        st_exchange(h, req, reply);
        st_check_echo(reply, req);
    }
}

void case_firmware(void)
{
    uint8_t *fw = malloc(FW_SIZE), *log = malloc(FW_SIZE * 2);
    st_fill_random(fw, FW_SIZE, 17);
    memset(fw + 3 * EMU_BLOCK_SIZE, 0, EMU_BLOCK_SIZE); /* a block of zeros is data too */
    hid_device *h = st_open(1);
    send_firmware(h, fw, log);
    hid_close(h);
    const char *dir = st_tmpdir();
    const char *reply = st_ctl("dump 1 %s", dir);
    CHECK(strcmp(reply, "ok requests=128 bad=0 early=0") == 0, "dump said '%s'", reply);
    long len;
    uint8_t *image = dumped(dir, "firmware.bin", &len);
    CHECK(len == FW_SIZE && memcmp(image, fw, FW_SIZE) == 0, "firmware image differs (%ld)", len);
    uint8_t *requests = dumped(dir, "requests.bin", &len);
    CHECK(len == FW_SIZE * 2 && memcmp(requests, log, (size_t)len) == 0, "request log differs");
    CHECK(st_stat(1, "fwsize") == FW_SIZE, "fwsize %ld", st_stat(1, "fwsize"));
    remove_dump(dir);
    free(image);
    free(requests);
    free(fw);
    free(log);
}

static void read_block(hid_device *h, uint32_t block, uint8_t out[EMU_BLOCK_SIZE])
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    emu_build_request(req, EMU_REQ_READOUT, block * EMU_BLOCK_SIZE, NULL);
    st_exchange(h, req, reply);
    st_check_echo(reply, req);
    memcpy(out, reply + REPLY_DATA_AT, EMU_BLOCK_SIZE);
}

static void check_default_pattern(hid_device *h)
{
    uint8_t block[EMU_BLOCK_SIZE];
    const uint32_t probes[] = {0, 1, DATA_BLOCKS - 1};
    for (size_t i = 0; i < 3; i++) {
        read_block(h, probes[i], block);
        for (size_t k = 0; k < EMU_BLOCK_SIZE; k++) {
            size_t at = probes[i] * EMU_BLOCK_SIZE + k;
            CHECK(block[k] == emu_pattern_byte(at), "pattern byte %zu", at);
        }
    }
}

void case_data(void)
{
    uint8_t *data = malloc(EMU_DATA_SIZE), *back = malloc(EMU_DATA_SIZE);
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    st_fill_random(data, EMU_DATA_SIZE, 99);
    hid_device *h = st_open(1);
    check_default_pattern(h);
    long start = st_now_ms();
    for (uint32_t b = 0; b < DATA_BLOCKS; b++) {
        emu_build_request(req, EMU_REQ_DATA, b * EMU_BLOCK_SIZE, data + b * EMU_BLOCK_SIZE);
        st_exchange(h, req, reply);
        st_check_echo(reply, req);
    }
    for (uint32_t b = 0; b < DATA_BLOCKS; b++)
        read_block(h, b, back + b * EMU_BLOCK_SIZE);
    long ms = st_now_ms() - start;
    printf("%d round trips in %ld ms\n", 2 * DATA_BLOCKS, ms);
    CHECK(memcmp(back, data, EMU_DATA_SIZE) == 0, "read-out differs from what was written");
    const char *dir = st_tmpdir();
    st_ctl("dump 1 %s", dir);
    long len;
    uint8_t *area = dumped(dir, "data.bin", &len);
    CHECK(len == EMU_DATA_SIZE && memcmp(area, data, EMU_DATA_SIZE) == 0, "data.bin differs");
    remove_dump(dir);
    hid_close(h);
    free(area);
    free(data);
    free(back);
}

/* `fill` and `data` replace the area; a short file leaves zeros behind it. */
void case_content(void)
{
    uint8_t block[EMU_BLOCK_SIZE], file[700];
    hid_device *h = st_open(1);
    st_ctl("fill 1 0x5a");
    read_block(h, 5, block);
    for (size_t k = 0; k < EMU_BLOCK_SIZE; k++)
        CHECK(block[k] == 0x5a, "fill byte %zu is %02x", k, block[k]);
    st_fill_random(file, sizeof file, 5);
    const char *dir = st_tmpdir();
    char path[4200];
    snprintf(path, sizeof path, "%s/area.bin", dir);
    FILE *f = fopen(path, "wb");
    CHECK(f && fwrite(file, 1, sizeof file, f) == sizeof file, "cannot write %s", path);
    fclose(f);
    st_ctl("data 1 %s", path);
    read_block(h, 0, block);
    CHECK(memcmp(block, file, EMU_BLOCK_SIZE) == 0, "block 0 is not the file");
    read_block(h, 1, block);
    CHECK(memcmp(block, file + EMU_BLOCK_SIZE, sizeof file - EMU_BLOCK_SIZE) == 0, "block 1");
    for (size_t k = sizeof file - EMU_BLOCK_SIZE; k < EMU_BLOCK_SIZE; k++)
        CHECK(block[k] == 0, "byte after the file is %02x", block[k]);
    unlink(path);
    rmdir(dir);
    hid_close(h);
}

static void expect_stats(const char *want)
{
    const char *s = st_ctl("stats 1");
    CHECK(strncmp(s, want, strlen(want)) == 0, "stats '%s', expected '%s...'", s, want);
}

void case_flags(void)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    hid_device *h = st_open(1);
    emu_build_request(req, EMU_REQ_READOUT, 0, NULL);
    req[600] = 1; /* a byte beyond the payload */
    st_exchange(h, req, reply);
    st_check_echo(reply, req);
    expect_stats("ok requests=1 bad=1 early=0");
    emu_build_request(req, EMU_REQ_DATA, EMU_DATA_SIZE, NULL); /* one block past the end */
    st_exchange(h, req, reply);
    expect_stats("ok requests=2 bad=2 early=0");
    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "first write");
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "second write");
    expect_stats("ok requests=4 bad=2 early=1");
    for (int i = 0; i < 2; i++)
        CHECK(hid_read_timeout(h, reply, sizeof reply, 1000) == EMU_REPORT_SIZE, "reply %d", i);
    st_exchange(h, req, reply);
    expect_stats("ok requests=5 bad=2 early=1");
    st_ctl("clear 1");
    expect_stats("ok requests=0 bad=0 early=0");
    hid_close(h);
}
