#pragma once
// An exclusive lock per device, held for a whole transfer by every program of
// ours, so that two programs never interleave their exchanges on one device.
// It belongs to the device itself, not to a user or an environment, so a user's
// run and a root run exclude each other too.

#include "device/failure.h"

#include <QString>

namespace tarvenix {

class DeviceLock {
  public:
    explicit DeviceLock(const QString &devicePath);
    ~DeviceLock();
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

    bool acquired() const { return lock_ != -1; }
    // Why the lock was not had: Busy when another program holds the device, else
    // LockFailed with what the system said.
    Failure failure() const { return failure_; }

  private:
    qintptr lock_ = -1; // a file descriptor, or a Windows handle
    Failure failure_;
};

} // namespace tarvenix
