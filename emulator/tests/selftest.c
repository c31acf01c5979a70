/* Emulator self-test: each case runs as the emulator's child and talks to the emulated
 * devices through the real hidapi and libudev. Usage: emu_selftest CASE */
#include "selftest.h"

#include <libudev.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

void case_firmware(void);
void case_data(void);
void case_content(void);
void case_flags(void);
void case_fault_silent(void);
void case_fault_delay(void);
void case_fault_late(void);
void case_fault_short(void);
void case_fault_writefail(void);
void case_fault_unplug(void);
void case_fault_drop(void);
void case_handles(void);
void case_share(void);
void case_hotplug(void);
void case_wakeup(void);
void case_ioctl(void);
void case_startup_fault(void);
void case_replay(void);
void case_replay_fast(void);
void case_replay_strict(void);
void case_replay_lenient(void);

static void check_wstr(const wchar_t *got, const wchar_t *want, const char *what)
{
    CHECK(got && wcscmp(got, want) == 0, "%s is '%ls', expected '%ls'", what, got ? got : L"(null)",
          want);
}

static void check_entry(const struct hid_device_info *d, unsigned id, unsigned page)
{
    CHECK(d, "device %u is missing from the enumeration", id);
    CHECK(strcmp(d->path, st_node(id)) == 0, "entry path %s, device %u has %s", d->path, id,
          st_node(id));
    CHECK(d->vendor_id == 0x1abe && d->product_id == 0x2202, "ids %04x:%04x", d->vendor_id,
          d->product_id);
    CHECK(d->usage_page == page && d->usage == 0x0001, "usage %04x:%04x", d->usage_page, d->usage);
    check_wstr(d->manufacturer_string, L"Tarvenix", "manufacturer");
    check_wstr(d->product_string, L"Pressure Mouse", "product");
    CHECK(d->interface_number == 0, "interface %d", d->interface_number);
    CHECK(d->release_number == 0x0100, "release %04x", d->release_number);
}

static void check_custom_device(void)
{
    unsigned id = (unsigned)atoi(st_ctl("add vid=0x0483,pid=5750,page=ff8c,usage=0123,"
                                        "manufacturer=Acme Ltd,product=Pad X2,serial=S-42") +
                                 3);
    struct hid_device_info *list = hid_enumerate(0x0483, 0x5750);
    CHECK(list && !list->next, "expected exactly one 0483:5750 entry");
    CHECK(list->usage_page == 0xff8c && list->usage == 0x0123, "usage %04x:%04x", list->usage_page,
          list->usage);
    check_wstr(list->manufacturer_string, L"Acme Ltd", "manufacturer");
    check_wstr(list->product_string, L"Pad X2", "product");
    check_wstr(list->serial_number, L"S-42", "serial");
    CHECK(strcmp(list->path, st_node(id)) == 0, "path %s", list->path);
    hid_free_enumeration(list);
}

/* The strings of an open handle come from fstat() and the node's major/minor. */
static void check_open_strings(unsigned id)
{
    wchar_t buf[64];
    hid_device *h = st_open(id);
    CHECK(hid_get_manufacturer_string(h, buf, 64) == 0, "manufacturer: %ls", hid_error(h));
    check_wstr(buf, L"Tarvenix", "open manufacturer");
    CHECK(hid_get_product_string(h, buf, 64) == 0, "product: %ls", hid_error(h));
    check_wstr(buf, L"Pressure Mouse", "open product");
    CHECK(hid_get_serial_number_string(h, buf, 64) == 0, "serial: %ls", hid_error(h));
    check_wstr(buf, L"EMU0001", "open serial");
    hid_close(h);
}

/* Device strings hold any bytes but 00, given as `\xNN`: byte for byte in the USB device's
 * attributes and in the hid device's properties, where hidapi reads them. */
static void check_string_bytes(void)
{
    unsigned id =
        (unsigned)atoi(st_ctl("add pid=5751,product=P\\xe4d\\x2c 1 \\\\ 2,serial=S\\xff1") + 3);
    struct udev *u = udev_new();
    struct udev_device *raw =
        udev_device_new_from_subsystem_sysname(u, "hidraw", strrchr(st_node(id), '/') + 1);
    CHECK(raw, "no hidraw device for %s", st_node(id));
    struct udev_device *usb =
        udev_device_get_parent_with_subsystem_devtype(raw, "usb", "usb_device");
    struct udev_device *hid = udev_device_get_parent_with_subsystem_devtype(raw, "hid", NULL);
    const char *product = usb ? udev_device_get_sysattr_value(usb, "product") : NULL;
    const char *uniq = hid ? udev_device_get_property_value(hid, "HID_UNIQ") : NULL;
    CHECK(product && !strcmp(product, "P\344d, 1 \\ 2"), "product '%s'", product);
    CHECK(uniq && !strcmp(uniq, "S\3771"), "HID_UNIQ '%s'", uniq);
    udev_device_unref(raw);
    udev_unref(u);
}

static void case_enumerate(void)
{
    CHECK(strcmp(st_ctl("add page=ff00"), "ok 1") == 0, "decoy is not device 1");
    CHECK(strcmp(st_ctl("add vid=1abe pid=2202"), "ok 2") == 0, "real is not device 2");
    struct hid_device_info *list = hid_enumerate(0x1abe, 0x2202);
    check_entry(list, 1, 0xff00);
    check_entry(list->next, 2, 0x0002);
    CHECK(!list->next->next, "more than two entries");
    check_wstr(list->next->serial_number, L"EMU0001", "serial");
    hid_free_enumeration(list);
    check_open_strings(2);
    check_custom_device();
    list = hid_enumerate(0, 0);
    int n = 0;
    for (struct hid_device_info *d = list; d; d = d->next)
        n++;
    CHECK(n == 3, "hid_enumerate(0, 0) lists %d devices", n);
    hid_free_enumeration(list);
    check_string_bytes();
}

/* Listing order is the order of adding, also past ten devices (hidraw10 sorts before
 * hidraw2 by name), and a re-plugged device keeps its place. */
static void case_order(void)
{
    enum { COUNT = 12 };
    for (int i = 1; i <= COUNT; i++)
        st_ctl("add serial=N%02d,page=%s", i, i % 2 ? "ff00" : "0002");
    st_ctl("unplug 2");
    st_ctl("plug 2");
    struct hid_device_info *list = hid_enumerate(0, 0), *d = list;
    for (int i = 1; i <= COUNT; i++, d = d->next) {
        wchar_t want[8];
        swprintf(want, 8, L"N%02d", i);
        CHECK(d, "only %d devices listed", i - 1);
        check_wstr(d->serial_number, want, "serial in listing order");
        CHECK(strcmp(d->path, st_node((unsigned)i)) == 0, "entry %d is %s", i, d->path);
    }
    CHECK(!d, "more than %d devices listed", COUNT);
    hid_free_enumeration(list);
}

static void check_version_reply(hid_device *h, const uint8_t *text, size_t len)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE], want[EMU_VERSION_MAX] = {0};
    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
    st_exchange(h, req, reply);
    st_check_echo(reply, req);
    memcpy(want, text, len);
    CHECK(memcmp(reply + REPLY_VERSION_AT, want, sizeof want) == 0, "version bytes differ");
    for (size_t i = REPLY_ECHO_LEN; i < EMU_REPORT_SIZE; i++)
        if (i < REPLY_VERSION_AT || i >= REPLY_VERSION_AT + EMU_VERSION_MAX)
            CHECK(reply[i] == 0, "reply byte %zu is %02x", i, reply[i]);
    /* Exactly one reply per request: nothing more arrives. */
    CHECK(hid_read_timeout(h, reply, sizeof reply, 50) == 0, "a second reply arrived");
}

static void case_version(void)
{
    static const uint8_t odd[24] = {0xff, 0xfe, 'A',  0x00, 'B',  0xc3, 0x28, 0x80,
                                    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                                    0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f, 0xaa};
    hid_device *h = st_open(1);
    check_version_reply(h, (const uint8_t *)"TVX-EMU 1.1.0", 13);
    st_ctl("version 1 Pressure 2.0, beta");
    check_version_reply(h, (const uint8_t *)"Pressure 2.0, beta", 18);
    char hex[2 * sizeof odd + 1];
    for (size_t i = 0; i < sizeof odd; i++)
        sprintf(hex + 2 * i, "%02x", odd[i]);
    st_ctl("versionhex 1 %s", hex);
    check_version_reply(h, odd, sizeof odd);
    hid_close(h);
}

static const struct {
    const char *name;
    void (*run)(void);
} cases[] = {
    {"enumerate", case_enumerate},
    {"order", case_order},
    {"version", case_version},
    {"firmware", case_firmware},
    {"data", case_data},
    {"content", case_content},
    {"flags", case_flags},
    {"fault_silent", case_fault_silent},
    {"fault_delay", case_fault_delay},
    {"fault_late", case_fault_late},
    {"fault_short", case_fault_short},
    {"fault_writefail", case_fault_writefail},
    {"fault_unplug", case_fault_unplug},
    {"fault_drop", case_fault_drop},
    {"handles", case_handles},
    {"share", case_share},
    {"hotplug", case_hotplug},
    {"wakeup", case_wakeup},
    {"ioctl", case_ioctl},
    {"startup_fault", case_startup_fault},
    {"replay", case_replay},
    {"replay_fast", case_replay_fast},
    {"replay_strict", case_replay_strict},
    {"replay_lenient", case_replay_lenient},
};

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: emu_selftest CASE\n");
        return 2;
    }
    CHECK(hid_init() == 0, "hid_init failed");
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        if (strcmp(argv[1], cases[i].name) == 0) {
            cases[i].run();
            hid_exit();
            printf("PASS %s\n", argv[1]);
            return 0;
        }
    }
    fprintf(stderr, "unknown case %s\n", argv[1]);
    return 2;
}
