// The device lock as Windows has it, a named mutex, which Windows lets the
// thread that owns it take again: in one process too, a second lock on the
// same device is refused, from the same thread or another, while a lock on
// another device is had; and the device is free again once the lock is gone.

#include "device/devicelock.h"

#include <cstdio>
#include <thread>

using tarvenix::DeviceLock;

namespace {

int failures = 0;

void check(bool ok, const char *what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok)
        ++failures;
}

bool busy(const DeviceLock &lock)
{
    return !lock.acquired() && lock.failure().code == tarvenix::FailureCode::Busy;
}

} // namespace

int main()
{
    const QString path = QStringLiteral(
        "\\\\?\\hid#vid_1abe&pid_2202&mi_00#7&2a8f&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    {
        DeviceLock first(path);
        check(first.acquired(), "the first lock is had");
        check(busy(DeviceLock(path)), "the same thread is refused");
        check(busy(DeviceLock(path.toUpper())), "the path in capitals is the same device");
        bool otherThreadBusy = false;
        std::thread other([&] { otherThreadBusy = busy(DeviceLock(path)); });
        other.join();
        check(otherThreadBusy, "another thread is refused");
        check(DeviceLock(path + QStringLiteral("2")).acquired(), "another device is free");
    }
    check(DeviceLock(path).acquired(), "free again once released");
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
