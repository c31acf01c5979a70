#pragma once
// An exclusive lock per device, held for a whole transfer by every program of
// ours, so that two programs never interleave their exchanges on one device.

#include <QString>

namespace tarvenix {

class DeviceLock {
  public:
    explicit DeviceLock(const QString &devicePath);
    ~DeviceLock();
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

    bool acquired() const { return lock_ != -1; }
    // Why the lock was not had: another program holds it, or the lock file failed.
    QString error() const { return error_; }
    // The message for a user when another program holds the device.
    static QString busyMessage();

    static QString lockFilePath(const QString &devicePath);

  private:
    qintptr lock_ = -1; // a file descriptor, or a Windows mutex handle
    QString error_;
};

} // namespace tarvenix
