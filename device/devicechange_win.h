#pragma once
// WM_DEVICECHANGE reduced to the three values the window acts on. Plain Win32,
// no Qt, so that it builds and runs on its own under mingw and wine.

#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>

#include <string>

namespace tarvenix {

struct DeviceChange {
    enum Code { Arrival, RemoveComplete, Other };
    Code code = Other;
    // The record's dbch_devicetype; -1 when none was read (no record, or another event).
    int deviceType = -1;
    // Set only for a device interface record, e.g. "\\?\HID#VID_1ABE&PID_2202#...".
    std::wstring interfaceName;
    unsigned wParam = 0;
};

// False (and *out untouched) when message is not WM_DEVICECHANGE. The record at
// lParam is read only for an arrival or a removal, the two events that carry one.
bool decodeDeviceChange(UINT message, WPARAM wParam, LPARAM lParam, DeviceChange *out);

// The filter that registerHidNotifications passes: every HID device interface.
DEV_BROADCAST_DEVICEINTERFACE_W hidInterfaceFilter();

// Asks for WM_DEVICECHANGE on window for every HID interface; null on failure.
// Give the handle back with UnregisterDeviceNotification.
HDEVNOTIFY registerHidNotifications(HWND window);

} // namespace tarvenix
