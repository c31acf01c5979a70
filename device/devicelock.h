#pragma once
// An exclusive lock per device, held for a whole transfer by every program of
// ours, so that two programs never interleave their exchanges on one device.
// It belongs to the device itself, not to a user or an environment, so a user's
// run and a root run exclude each other too.

#include <QString>

namespace tarvenix {

class DeviceLock {
  public:
    explicit DeviceLock(const QString &devicePath);
    ~DeviceLock();
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

    bool acquired() const { return lock_ != -1; }
    // Another program holds the device.
    bool busy() const { return busy_; }
    // Why the lock was not had: busyMessage(), or what failed.
    QString error() const { return error_; }
    // The message for a user when another program holds the device.
    static QString busyMessage();

  private:
    qintptr lock_ = -1; // a file descriptor, or a Windows handle
    bool busy_ = false;
    QString error_;
};

} // namespace tarvenix
