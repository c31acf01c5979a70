/* Unplug and plug as libudev and hidapi see them. */
#include "selftest.h"

#include <libudev.h>
#include <poll.h>
#include <pthread.h>
#include <stdio.h>
#include <string.h>

typedef struct {
    struct udev *udev;
    struct udev_monitor *mon;
} Monitor;

static void monitor_open(Monitor *m)
{
    m->udev = udev_new();
    m->mon = m->udev ? udev_monitor_new_from_netlink(m->udev, "udev") : NULL;
    CHECK(m->mon, "no udev monitor");
    udev_monitor_filter_add_match_subsystem_devtype(m->mon, "hidraw", NULL);
    CHECK(udev_monitor_enable_receiving(m->mon) == 0, "monitor not receiving");
}

static void monitor_close(Monitor *m)
{
    udev_monitor_unref(m->mon);
    udev_unref(m->udev);
}

/* Waits for the next hidraw event and checks its action and node. */
static void expect_event(Monitor *m, const char *action, const char *node)
{
    struct pollfd p = {udev_monitor_get_fd(m->mon), POLLIN, 0};
    CHECK(poll(&p, 1, 2000) == 1, "no %s event", action);
    struct udev_device *d = udev_monitor_receive_device(m->mon);
    CHECK(d, "no device in the event");
    const char *got = udev_device_get_action(d), *devnode = udev_device_get_devnode(d);
    CHECK(got && strcmp(got, action) == 0, "event '%s', expected '%s'", got, action);
    CHECK(devnode && strcmp(devnode, node) == 0, "event node %s, expected %s", devnode, node);
    udev_device_unref(d);
}

static void expect_no_event(Monitor *m, int ms)
{
    struct pollfd p = {udev_monitor_get_fd(m->mon), POLLIN, 0};
    CHECK(poll(&p, 1, ms) == 0, "an unexpected event arrived");
}

static int enumerated(const char *path)
{
    struct hid_device_info *list = hid_enumerate(0x1abe, 0x2202);
    int found = 0;
    for (struct hid_device_info *d = list; d; d = d->next)
        found |= strcmp(d->path, path) == 0;
    hid_free_enumeration(list);
    return found;
}

void case_hotplug(void)
{
    Monitor m;
    char old_node[64], new_node[64];
    monitor_open(&m);
    hid_device *old = st_open(1);
    snprintf(old_node, sizeof old_node, "%s", st_node(1));
    st_ctl("unplug 1");
    expect_event(&m, "remove", old_node);
    CHECK(!enumerated(old_node), "%s is still listed", old_node);
    st_ctl("plug 1");
    snprintf(new_node, sizeof new_node, "%s", st_node(1));
    CHECK(strcmp(new_node, old_node) != 0, "plug reused %s", old_node);
    expect_event(&m, "add", new_node);
    CHECK(enumerated(new_node), "%s is not listed", new_node);
    CHECK(hid_write(old, (const unsigned char *)"\0", 1) == -1, "the old handle still works");
    hid_close(old);
    hid_device *h = st_open(1);
    st_walk(h, 2);
    hid_close(h);
    st_ctl("unplug 1");
    expect_event(&m, "remove", new_node);
    long start = st_now_ms();
    st_ctl("plug 1 ms=200");
    expect_no_event(&m, 100);
    struct pollfd p = {udev_monitor_get_fd(m.mon), POLLIN, 0};
    CHECK(poll(&p, 1, 2000) == 1, "the delayed plug never came");
    CHECK(st_now_ms() - start >= 200, "the delayed plug came after %ld ms", st_now_ms() - start);
    monitor_close(&m);
}

typedef struct {
    hid_device *h;
    int result;
    long returned_ms;
} Reader;

static void *blocking_read(void *data)
{
    Reader *r = data;
    uint8_t buf[EMU_REPORT_SIZE];
    r->result = hid_read(r->h, buf, sizeof buf);
    r->returned_ms = st_now_ms();
    return NULL;
}

void case_wakeup(void)
{
    Reader r = {st_open(1), 0, 0};
    pthread_t thread;
    CHECK(pthread_create(&thread, NULL, blocking_read, &r) == 0, "no thread");
    st_sleep_ms(100); /* let the read block */
    CHECK(r.returned_ms == 0, "hid_read returned with nothing to read");
    long start = st_now_ms();
    st_ctl("unplug 1");
    pthread_join(thread, NULL);
    long took = r.returned_ms - start;
    printf("blocked hid_read woke %ld ms after the unplug\n", took);
    CHECK(r.result == -1, "hid_read returned %d", r.result);
    CHECK(took < 1000, "hid_read woke after %ld ms", took);
    hid_close(r.h);
}
