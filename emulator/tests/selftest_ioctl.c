/* The hidraw ioctls, issued directly as other HID libraries would. */
#define _POSIX_C_SOURCE 200809L
#include "selftest.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

static const uint8_t mouse_descriptor[] = {
    0x05, 0x02, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x96,
    0x00, 0x04, 0x09, 0x01, 0x81, 0x02, 0x96, 0xFF, 0x03, 0x09, 0x01, 0x91, 0x02, 0xC0};

void case_ioctl(void)
{
    int fd = open(st_node(1), O_RDWR | O_CLOEXEC);
    CHECK(fd >= 0, "cannot open %s", st_node(1));
    int size = 0;
    CHECK(ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0, "HIDIOCGRDESCSIZE");
    CHECK(size == (int)sizeof mouse_descriptor, "descriptor size %d", size);
    struct hidraw_report_descriptor desc = {.size = (uint32_t)size};
    CHECK(ioctl(fd, HIDIOCGRDESC, &desc) == 0, "HIDIOCGRDESC");
    CHECK(memcmp(desc.value, mouse_descriptor, sizeof mouse_descriptor) == 0, "descriptor");
    struct hidraw_devinfo info = {0};
    CHECK(ioctl(fd, HIDIOCGRAWINFO, &info) == 0, "HIDIOCGRAWINFO");
    CHECK(info.bustype == BUS_USB && (uint16_t)info.vendor == 0x1abe &&
              (uint16_t)info.product == 0x2202,
          "info %u %04x:%04x", info.bustype, (uint16_t)info.vendor, (uint16_t)info.product);
    char name[64] = {0};
    int n = ioctl(fd, HIDIOCGRAWNAME(sizeof name), name);
    CHECK(n == 24 && strcmp(name, "Tarvenix Pressure Mouse") == 0, "name '%s' (%d)", name, n);
    n = ioctl(fd, HIDIOCGRAWNAME(9), name);
    CHECK(n == 9 && strcmp(name, "Tarvenix") == 0, "truncated name '%s' (%d)", name, n);
    CHECK(ioctl(fd, HIDIOCGRAWPHYS(sizeof name), name) > 0 && strstr(name, "input0"), "phys");
    CHECK(ioctl(fd, HIDIOCGRAWUNIQ(sizeof name), name) > 0 && !strcmp(name, "EMU0001"), "uniq");
    CHECK(ioctl(fd, HIDIOCGFEATURE(16), name) == -1, "an unsupported ioctl succeeded");
    close(fd);
}

/* Armed with --command before the program starts: the very first write fails. */
void case_startup_fault(void)
{
    uint8_t req[EMU_REPORT_SIZE];
    hid_device *h = st_open(1);
    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
    CHECK(st_send(h, req) == -1, "the first write did not fail");
    st_walk(h, 1);
    hid_close(h);
}
