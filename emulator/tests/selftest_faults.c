/* Each fault, armed at request 17 so that 16 requests pass untouched first. */
#include "selftest.h"

#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#define AT 17

static void version_request(uint8_t req[EMU_REPORT_SIZE])
{
    emu_build_request(req, EMU_REQ_VERSION, 0, NULL);
}

/* Arms the fault at request AT, makes the AT - 1 requests before it, and
 * leaves in req the request that will meet it. */
static hid_device *walk_to_fault(const char *fault, uint8_t req[EMU_REPORT_SIZE])
{
    hid_device *h = st_open(1);
    st_ctl("fault 1 %s at=%d", fault, AT);
    st_walk(h, AT - 1);
    version_request(req);
    return h;
}

void case_fault_silent(void)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    hid_device *h = walk_to_fault("silent", req);
    for (int i = 0; i < 2; i++) {
        CHECK(st_send(h, req) == EMU_REPORT_SIZE, "write %d", i);
        CHECK(hid_read_timeout(h, reply, sizeof reply, 150) == 0, "silent device answered");
    }
    CHECK(st_stat(1, "requests") == AT + 1, "unanswered requests are still recorded");
    st_ctl("fault 1 clear");
    st_walk(h, 1);
    hid_close(h);
}

/* One request whose reply must be held back for 300 ms, no more than a second. */
static void expect_held_reply(hid_device *h, const uint8_t *req)
{
    uint8_t reply[EMU_REPORT_SIZE];
    long start = st_now_ms();
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "write");
    CHECK(hid_read_timeout(h, reply, sizeof reply, 100) == 0, "reply came early");
    CHECK(hid_read_timeout(h, reply, sizeof reply, 2000) == EMU_REPORT_SIZE, "no reply");
    long took = st_now_ms() - start;
    CHECK(took >= 300 && took < 1000, "reply took %ld ms", took);
    st_check_echo(reply, req);
}

/* The fault holds back the AT-th reply, and later ones unless it is `late`. */
static void check_timed_fault(const char *kind, int held)
{
    uint8_t req[EMU_REPORT_SIZE];
    hid_device *h = st_open(1);
    st_ctl("fault 1 %s ms=300 at=%d", kind, AT);
    long start = st_now_ms();
    st_walk(h, AT - 1);
    CHECK(st_now_ms() - start < 250, "replies before the fault were slow");
    version_request(req);
    for (int i = 0; i < held; i++)
        expect_held_reply(h, req);
    /* A delay lasts until cleared; a late reply ends by itself. */
    if (!strcmp(kind, "delay"))
        st_ctl("fault 1 clear");
    start = st_now_ms();
    st_walk(h, 3);
    CHECK(st_now_ms() - start < 250, "replies after the fault were slow");
    hid_close(h);
}

void case_fault_delay(void)
{
    check_timed_fault("delay", 2);
}

void case_fault_late(void)
{
    check_timed_fault("late", 1);
}

void case_fault_short(void)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    hid_device *h = walk_to_fault("short n=20", req);
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "write");
    int n = hid_read_timeout(h, reply, sizeof reply, 1000);
    CHECK(n == 20, "short reply has %d bytes", n);
    st_check_echo(reply, req);
    st_walk(h, 1); /* one request only */
    hid_close(h);
}

void case_fault_writefail(void)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    hid_device *h = walk_to_fault("writefail", req);
    CHECK(st_send(h, req) == -1, "the write did not fail");
    CHECK(hid_read_timeout(h, reply, sizeof reply, 100) == 0, "a failed write was answered");
    CHECK(st_stat(1, "failed") == 1, "failed=%ld", st_stat(1, "failed"));
    CHECK(st_stat(1, "requests") == AT - 1, "a failed write was recorded");
    st_walk(h, 1);
    hid_close(h);
}

void case_fault_unplug(void)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    hid_device *h = walk_to_fault("unplug", req);
    CHECK(st_send(h, req) == EMU_REPORT_SIZE, "the write itself succeeds");
    long start = st_now_ms();
    int n = hid_read_timeout(h, reply, sizeof reply, 2000);
    CHECK(n == -1, "read after unplug returned %d", n);
    CHECK(st_now_ms() - start < 1000, "the read was not woken promptly");
    CHECK(st_send(h, req) == -1, "write after unplug succeeded");
    CHECK(st_stat(1, "plugged") == 0, "still plugged");
    hid_close(h);
    CHECK(hid_open_path(st_node(1)) == NULL, "the old node still opens");
}

/* The dropped packet is answered as a stored one is, but the block keeps its old bytes; the
 * next packet is stored. */
void case_fault_drop(void)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE], payload[EMU_BLOCK_SIZE];
    hid_device *h = walk_to_fault("drop", req);
    memset(payload, 0xab, sizeof payload);
    for (int stored = 0; stored < 2; stored++) {
        emu_build_request(req, EMU_REQ_DATA, 0, payload);
        st_exchange(h, req, reply);
        emu_build_request(req, EMU_REQ_READOUT, 0, NULL);
        st_exchange(h, req, reply);
        CHECK((reply[EMU_REPLY_DATA_AT] == 0xab) == stored, "packet %d %s", stored,
              stored ? "was not stored" : "was stored");
    }
    hid_close(h);
}

/* As hidraw does: every open file gets each report; a report sent while none is open waits
 * for the next one opened; a stranger's reply reaches a program that did not ask. */
void case_handles(void)
{
    uint8_t req[EMU_REPORT_SIZE], reply[EMU_REPORT_SIZE];
    version_request(req);
    hid_device *a = st_open(1), *b = st_open(1);
    st_exchange(a, req, reply);
    CHECK(hid_read_timeout(b, reply, sizeof reply, 500) == EMU_REPORT_SIZE,
          "the other open file did not get its copy");
    CHECK(hid_read_timeout(a, reply, sizeof reply, 0) == 0, "one report was read twice");
    hid_close(b);

    /* A program that ends with a reply unread leaves the node no longer readable. */
    b = st_open(1);
    st_exchange(a, req, reply);
    hid_close(b);
    st_sleep_ms(50);
    long start = st_now_ms();
    CHECK(hid_read_timeout(a, reply, sizeof reply, 300) == 0, "a report nobody sent");
    CHECK(st_now_ms() - start >= 250, "a read bounded at 300 ms returned after %ld ms",
          st_now_ms() - start);

    st_ctl("fault 1 stranger at=1");
    st_exchange(a, req, reply);
    CHECK(hid_read_timeout(a, reply, sizeof reply, 500) == EMU_REPORT_SIZE,
          "the stranger's reply did not arrive");
    CHECK(st_stat(1, "requests") == 3, "the stranger's request was logged as ours");

    st_ctl("fault 1 late ms=200 at=1");
    CHECK(st_send(a, req) == EMU_REPORT_SIZE, "write");
    hid_close(a);
    st_sleep_ms(400);
    hid_device *c = st_open(1);
    CHECK(hid_read_timeout(c, reply, sizeof reply, 500) == EMU_REPORT_SIZE,
          "a reply sent while nobody listened was lost");
    st_check_echo(reply, req);
    hid_close(c);
}

/* Two programs on one device, as the window and the CLI: one exchanges requests, the other
 * looks for reports without waiting. In each round the looker takes its copy of the reply, then
 * looks once more, which must find nothing and return at once, before the next round starts. */
#define SHARE_ROUNDS 1000
#define SHARE_LIMIT_MS 20000

static int look(hid_device *b, const uint8_t *req)
{
    uint8_t reply[EMU_REPORT_SIZE];
    int n = hid_read_timeout(b, reply, sizeof reply, 0);
    CHECK(n == 0 || n == EMU_REPORT_SIZE, "a look returned %d", n);
    if (n > 0)
        st_check_echo(reply, req);
    return n > 0;
}

static void look_each_round(int ready, const uint8_t *req)
{
    hid_device *b = st_open(1);
    for (int i = 0; i < SHARE_ROUNDS; i++) {
        CHECK(write(ready, "r", 1) == 1, "cannot tell the exchanging program");
        while (!look(b, req)) {
        }
        CHECK(!look(b, req), "round %d: the looker got a second copy", i);
    }
    hid_close(b);
    exit(0);
}

static void exchange_each_round(int ready, const uint8_t *req)
{
    uint8_t reply[EMU_REPORT_SIZE];
    char c;
    hid_device *a = st_open(1);
    for (int i = 0; i < SHARE_ROUNDS; i++) {
        CHECK(read(ready, &c, 1) == 1, "round %d: the looker is gone", i);
        st_exchange(a, req, reply);
        st_check_echo(reply, req);
        CHECK(hid_read_timeout(a, reply, sizeof reply, 0) == 0, "round %d: a second reply", i);
    }
    hid_close(a);
    exit(0);
}

/* umockdev blocks signals while a call waits in the emulator, so a hung program is killed
 * from here. */
static const char *outcome(pid_t pid, long deadline)
{
    int status = 0;
    pid_t got;
    while ((got = waitpid(pid, &status, WNOHANG)) == 0 && st_now_ms() < deadline)
        st_sleep_ms(10);
    if (got == pid)
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? NULL : "failed";
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return "hung";
}

void case_share(void)
{
    uint8_t req[EMU_REPORT_SIZE];
    int ready[2];
    version_request(req);
    CHECK(pipe(ready) == 0, "pipe");
    pid_t looker = fork();
    if (looker == 0) {
        close(ready[0]);
        look_each_round(ready[1], req);
    }
    pid_t exchanger = fork();
    if (exchanger == 0) {
        close(ready[1]);
        exchange_each_round(ready[0], req);
    }
    CHECK(looker > 0 && exchanger > 0, "fork");
    close(ready[0]);
    close(ready[1]);
    long deadline = st_now_ms() + SHARE_LIMIT_MS;
    const char *ex = outcome(exchanger, deadline), *lo = outcome(looker, deadline);
    CHECK(!ex && !lo, "the exchanging program %s, the looker %s", ex ? ex : "ended well",
          lo ? lo : "ended well");
}
