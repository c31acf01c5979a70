#pragma once
// The device one command works with: found, held against our other programs,
// and opened.

#include "cli/status.h"
#include "device/devicelock.h"
#include "device/exchange.h"

#include <memory>

namespace tarvenix::cli {

struct Link {
    QString path;
    int row = 0; // 1-based row of tarvenix::kSupportedDevices
    // Declared before the handle, so the device is closed before the lock goes.
    std::unique_ptr<DeviceLock> lock;
    HidPortPtr handle;
};

// Finds the device at `wanted`, or without it the first supported device in
// table order; takes its device lock and opens it. hidapi must be started.
Status openLink(const QString &wanted, Link &link);

// What to do when no supported device is present.
Status noDevice();

// A failed exchange with the device: adds what to do when it has gone away.
Status deviceFailure(const Failure &failure, QString text, const Link &link);

} // namespace tarvenix::cli
