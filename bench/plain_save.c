/* The least a program can do to save the data area, for the transfer benchmark to hold the
 * command-line tool against: find the first pressure mouse as the tool's table does, make
 * the 1,024 read-out exchanges, write the 524,288 bytes into FILE and flush them to disk.
 * No checks of step, no lock, no history, no words.
 *   plain_save FILE */

#include <hidapi.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { kReport = 1024, kBlock = 512, kBlocks = 1024, kBlockAt = 14, kTimeoutMs = 8000 };

static hid_device *openMouse(void)
{
    struct hid_device_info *all = hid_enumerate(0x1abe, 0x2202);
    hid_device *device = NULL;
    for (const struct hid_device_info *d = all; d && !device; d = d->next) {
        if (d->usage_page == 0x0002 && d->usage == 0x0001)
            device = hid_open_path(d->path);
    }
    hid_free_enumeration(all);
    return device;
}

int main(int argc, char **argv)
{
    static unsigned char area[kBlocks * kBlock];
    unsigned char request[kReport] = {0};
    unsigned char reply[kReport];
    hid_device *device;
    FILE *out;
    if (argc != 2 || hid_init() != 0 || !(device = openMouse()))
        return 1;
    request[3] = 0x01;
    request[4] = 0x02;
    request[5] = 8;
    request[7] = 4;
    request[10] = 2;
    for (unsigned block = 0; block < kBlocks; ++block) {
        const unsigned offset = block * kBlock;
        memcpy(request + 11, &offset, 4);
        if (hid_write(device, request, sizeof request) < 0 ||
            hid_read_timeout(device, reply, sizeof reply, kTimeoutMs) < kBlockAt + kBlock)
            return 1;
        memcpy(area + offset, reply + kBlockAt, kBlock);
    }
    hid_close(device);
    hid_exit();
    out = fopen(argv[1], "wb");
    if (!out || fwrite(area, 1, sizeof area, out) != sizeof area || fflush(out) != 0 ||
        fsync(fileno(out)) != 0 || fclose(out) != 0)
        return 1;
    return 0;
}
