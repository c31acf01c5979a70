/* The device as the rest of the system sees it: sysfs entries under the testbed, a /dev
 * node backed by a PTY, and uevents. */
#define _GNU_SOURCE
#include "emu.h"

#include <errno.h>
#include <fcntl.h>
#include <glib/gstdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

/* Opened with O_NOCTTY everywhere: a PTY must never become our controlling terminal, or
 * closing it on unplug would hang us up. */
static int open_pty(Node *n, char **err)
{
    char name[128];
    n->master_fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (n->master_fd < 0 || grantpt(n->master_fd) || unlockpt(n->master_fd) ||
        ptsname_r(n->master_fd, name, sizeof name)) {
        *err = g_strdup_printf("cannot create pty: %s", g_strerror(errno));
        return -1;
    }
    n->slave_fd = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    struct termios t;
    struct stat st;
    if (n->slave_fd < 0 || tcgetattr(n->slave_fd, &t) || fstat(n->slave_fd, &st)) {
        *err = g_strdup_printf("cannot open pty %s: %s", name, g_strerror(errno));
        return -1;
    }
    /* Raw, so a single token byte makes the node poll readable. */
    cfmakeraw(&t);
    tcsetattr(n->slave_fd, TCSANOW, &t);
    n->rdev_major = major(st.st_rdev);
    n->rdev_minor = minor(st.st_rdev);
    n->pty_name = g_strdup(name);
    return 0;
}

static void close_fd(int *fd)
{
    if (*fd >= 0)
        close(*fd);
    *fd = -1;
}

static void build_paths(Device *dev)
{
    Node *n = &dev->node;
    const EmuConfig *c = &dev->cfg;
    /* The PCI slot is the device number, so sysfs paths (which libudev sorts) follow the
     * order in which devices were added. */
    n->sys_usb = g_strdup_printf("/sys/devices/pci0000:00/0000:00:%02x.0/usb%u/%u-1", dev->id,
                                 dev->id, dev->id);
    n->sys_intf = g_strdup_printf("%s/%u-1:1.%u", n->sys_usb, dev->id, c->interface);
    n->sys_hid = g_strdup_printf("%s/0003:%04X:%04X.%04X", n->sys_intf, c->vid, c->pid, n->hid_seq);
    n->sys_raw = g_strdup_printf("%s/hidraw/hidraw%d", n->sys_hid, n->hidraw);
    n->devnode = g_strdup_printf("/dev/hidraw%d", n->hidraw);
    n->name = g_strdup_printf("%s %s", c->manufacturer, c->product);
    n->phys = g_strdup_printf("usb-0000:00:%02x.0-1/input%u", dev->id, c->interface);
}

/* umockdev takes an attribute's value as g_strcompress() does, so any bytes come through. */
static char *escape_attr(const char *s)
{
    return g_strescape(s, NULL);
}

/* umockdev takes properties literally but refuses a description that is not UTF-8, and a
 * newline would end a property line in the uevent file. */
static char *flatten(const char *s)
{
    return g_strdelimit(g_strdup(s), "\n", ' ');
}

static char *property_text(const char *s)
{
    g_autofree char *flat = flatten(s);
    return g_utf8_make_valid(flat, -1);
}

static void describe_usb(GString *d, Device *dev)
{
    const EmuConfig *c = &dev->cfg;
    char *man = escape_attr(c->manufacturer), *prod = escape_attr(c->product),
         *ser = escape_attr(c->serial);
    g_string_append_printf(d,
                           "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n"
                           "E: PRODUCT=%x/%x/100\nE: BUSNUM=%03u\nE: DEVNUM=002\n"
                           "A: idVendor=%04x\nA: idProduct=%04x\nA: bcdDevice=0100\n"
                           "A: manufacturer=%s\nA: product=%s\nA: serial=%s\n"
                           "A: busnum=%u\nA: devnum=2\nA: speed=12\n\n",
                           dev->node.sys_usb + 4, c->vid, c->pid, dev->id, c->vid, c->pid, man,
                           prod, ser, dev->id);
    g_free(man);
    g_free(prod);
    g_free(ser);
}

static void describe_intf(GString *d, Device *dev)
{
    g_string_append_printf(d,
                           "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n"
                           "E: DRIVER=usbhid\nE: INTERFACE=3/0/0\n"
                           "A: bInterfaceNumber=%02x\nA: bInterfaceClass=03\n\n",
                           dev->node.sys_intf + 4, dev->cfg.interface);
}

static void describe_hid(GString *d, Device *dev)
{
    const EmuConfig *c = &dev->cfg;
    char *name = property_text(dev->node.name), *uniq = property_text(c->serial);
    g_string_append_printf(d,
                           "P: %s\nE: SUBSYSTEM=hid\nE: DRIVER=hid-generic\n"
                           "E: HID_ID=0003:%08X:%08X\nE: HID_NAME=%s\nE: HID_PHYS=%s\n"
                           "E: HID_UNIQ=%s\nE: MODALIAS=hid:b0003g0001v%08Xp%08X\n\n",
                           dev->node.sys_hid + 4, c->vid, c->pid, name, dev->node.phys, uniq,
                           c->vid, c->pid);
    g_free(name);
    g_free(uniq);
}

static void describe_raw(GString *d, Device *dev)
{
    const Node *n = &dev->node;
    g_string_append_printf(d,
                           "P: %s\nE: SUBSYSTEM=hidraw\nE: DEVNAME=%s\nE: MAJOR=%u\n"
                           "E: MINOR=%u\nA: dev=%u:%u\n\n",
                           n->sys_raw + 4, n->devnode, n->rdev_major, n->rdev_minor, n->rdev_major,
                           n->rdev_minor);
}

static char *in_root(Device *dev, const char *path)
{
    g_autofree char *root = umockdev_testbed_get_root_dir(dev->emu->tb);
    return g_build_filename(root, path, NULL);
}

static int make_link(const char *target, const char *link, char **err)
{
    g_unlink(link);
    if (symlink(target, link) == 0)
        return 0;
    *err = g_strdup_printf("symlink %s: %s", link, g_strerror(errno));
    return -1;
}

/* The report descriptor and the hidraw `device` link exist before the add events go out,
 * so a program reacting to an event at once never finds them missing. */
static int precreate_files(Device *dev, const char *pty, char **err)
{
    Node *n = &dev->node;
    g_autofree char *hid = in_root(dev, n->sys_hid);
    g_autofree char *raw = in_root(dev, n->sys_raw);
    g_autofree char *rdesc = g_build_filename(hid, "report_descriptor", NULL);
    g_autofree char *link = g_build_filename(raw, "device", NULL);
    g_autofree char *target = g_strdup_printf("../../../%s", strrchr(n->sys_hid, '/') + 1);
    g_autofree char *node = in_root(dev, n->devnode);
    g_autofree char *node_dir = g_path_get_dirname(node);
    if (g_mkdir_with_parents(raw, 0755) || g_mkdir_with_parents(node_dir, 0755)) {
        *err = g_strdup_printf("mkdir: %s", g_strerror(errno));
        return -1;
    }
    if (!g_file_set_contents(rdesc, (const char *)n->rdesc, (gssize)n->rdesc_len, NULL)) {
        *err = g_strdup("cannot write the report descriptor");
        return -1;
    }
    if (make_link(target, link, err) < 0 || make_link(pty, node, err) < 0)
        return -1;
    return 0;
}

static int add_described(Device *dev, GString *d, char **err)
{
    GError *e = NULL;
    gboolean ok = umockdev_testbed_add_from_string(dev->emu->tb, d->str, &e);
    if (!ok)
        *err = g_strdup_printf("testbed: %s", e->message);
    g_clear_error(&e);
    g_string_truncate(d, 0);
    return ok ? 0 : -1;
}

/* The hid device's properties get their own bytes, which need not be UTF-8, before the hidraw
 * node that programs look for appears. */
static void set_hid_bytes(Device *dev)
{
    g_autofree char *name = flatten(dev->node.name), *uniq = flatten(dev->cfg.serial);
    umockdev_testbed_set_property(dev->emu->tb, dev->node.sys_hid, "HID_NAME", name);
    umockdev_testbed_set_property(dev->emu->tb, dev->node.sys_hid, "HID_UNIQ", uniq);
}

static int add_sysfs(Device *dev, char **err)
{
    GString *d = g_string_new(NULL);
    describe_usb(d, dev);
    describe_intf(d, dev);
    describe_hid(d, dev);
    int rc = add_described(dev, d, err);
    if (rc == 0) {
        set_hid_bytes(dev);
        describe_raw(d, dev);
        rc = add_described(dev, d, err);
    }
    g_string_free(d, TRUE);
    return rc;
}

/* A captured descriptor as it is; otherwise one for the configured page and usage. */
static void set_descriptor(Device *dev)
{
    Node *n = &dev->node;
    if (!dev->cfg.descriptor) {
        n->rdesc_len = emu_report_descriptor(n->rdesc, dev->cfg.page, dev->cfg.usage);
        return;
    }
    const void *bytes = g_bytes_get_data(dev->cfg.descriptor, &n->rdesc_len);
    memcpy(n->rdesc, bytes, n->rdesc_len);
}

int node_create(Device *dev, UMockdevIoctlBase *handler, char **err)
{
    Emu *emu = dev->emu;
    Node *n = &dev->node;
    GError *e = NULL;
    if (open_pty(n, err) < 0)
        goto fail;
    n->hidraw = (int)emu->next_hidraw++;
    n->hid_seq = ++emu->next_hid_seq;
    build_paths(dev);
    set_descriptor(dev);
    /* Attached before the add events, so the node can be opened as soon as one arrives. */
    if (!umockdev_testbed_attach_ioctl(emu->tb, n->devnode, handler, &e)) {
        *err = g_strdup_printf("attach: %s", e->message);
        g_clear_error(&e);
        goto fail;
    }
    n->handler = g_object_ref(handler);
    if (precreate_files(dev, n->pty_name, err) < 0 || add_sysfs(dev, err) < 0)
        goto fail;
    g_free(dev->last_devnode);
    dev->last_devnode = g_strdup(n->devnode);
    return 0;
fail:
    node_destroy(dev);
    return -1;
}

/* A process that made the node its controlling terminal (wine's device process is a
 * session leader) is killed by the hang-up that closing the PTY sends; with --no-hangup the
 * PTY stays open, emptied, until the emulator ends. */
void node_hangup(Device *dev)
{
    Node *n = &dev->node;
    if (dev->emu->no_hangup && n->master_fd >= 0) {
        tcflush(n->slave_fd, TCIFLUSH);
        if (!dev->emu->kept_fds)
            dev->emu->kept_fds = g_array_new(FALSE, FALSE, sizeof(int));
        g_array_append_val(dev->emu->kept_fds, n->master_fd);
        g_array_append_val(dev->emu->kept_fds, n->slave_fd);
        n->master_fd = n->slave_fd = -1;
    }
    close_fd(&n->master_fd);
    close_fd(&n->slave_fd);
}

void node_close_kept(Emu *emu)
{
    for (guint i = 0; emu->kept_fds && i < emu->kept_fds->len; i++)
        close(g_array_index(emu->kept_fds, int, i));
    if (emu->kept_fds)
        g_array_free(emu->kept_fds, TRUE);
    emu->kept_fds = NULL;
}

static gboolean sysfs_present(Device *dev, const char *path)
{
    g_autofree char *dir = in_root(dev, path);
    g_autofree char *uevent = g_build_filename(dir, "uevent", NULL);
    return g_file_test(uevent, G_FILE_TEST_EXISTS);
}

/* Remove events first, while the entries still exist (umockdev reads them to build the
 * event), then the entries themselves, children before parents. */
static void remove_sysfs(Device *dev)
{
    Node *n = &dev->node;
    const char *bottom_up[] = {n->sys_raw, n->sys_hid, n->sys_intf, n->sys_usb};
    for (size_t i = 0; i < G_N_ELEMENTS(bottom_up); i++)
        if (sysfs_present(dev, bottom_up[i]))
            umockdev_testbed_uevent(dev->emu->tb, bottom_up[i], "remove");
    for (size_t i = 0; i < G_N_ELEMENTS(bottom_up); i++)
        if (sysfs_present(dev, bottom_up[i]))
            umockdev_testbed_remove_device(dev->emu->tb, bottom_up[i]);
    /* umockdev leaves the /sys/dev/char link behind; a later node may get the same number. */
    g_autofree char *sys = umockdev_testbed_get_sys_dir(dev->emu->tb);
    g_autofree char *chr = g_strdup_printf("%s/dev/char/%u:%u", sys, n->rdev_major, n->rdev_minor);
    g_unlink(chr);
}

void node_destroy(Device *dev)
{
    Node *n = &dev->node;
    node_hangup(dev);
    if (n->sys_usb)
        remove_sysfs(dev);
    if (n->devnode) {
        char *node = in_root(dev, n->devnode);
        g_unlink(node);
        g_free(node);
    }
    if (n->handler) {
        umockdev_testbed_detach_ioctl(dev->emu->tb, n->devnode, NULL);
        g_object_unref(n->handler);
    }
    g_free(n->devnode);
    g_free(n->sys_usb);
    g_free(n->sys_intf);
    g_free(n->sys_hid);
    g_free(n->sys_raw);
    g_free(n->name);
    g_free(n->phys);
    g_free(n->pty_name);
    memset(n, 0, sizeof *n);
    n->hidraw = -1;
    n->master_fd = n->slave_fd = -1;
}

/* poll() on the node is real (umockdev does not intercept it), so a byte in the PTY stands
 * for "reports are queued"; it is flushed when the queue runs dry. */
void node_set_token(Device *dev, gboolean on)
{
    Node *n = &dev->node;
    if (on == dev->token || n->master_fd < 0)
        return;
    if (on) {
        static const char token = 't';
        if (write(n->master_fd, &token, 1) != 1)
            return;
    } else {
        tcflush(n->slave_fd, TCIFLUSH);
    }
    dev->token = on;
}
