#include "devicechange_win.h"

// initguid.h first makes hidclass.h define GUID_DEVINTERFACE_HID, not only declare it.
#include <initguid.h>

#include <hidclass.h>

#include <cstddef>
#include <cwchar>
#include <utility>

namespace tarvenix {

namespace {

// The name ends at its terminator or at the record's end, whichever comes
// first, so a record without a terminator is not read past its size.
std::wstring recordName(const DEV_BROADCAST_DEVICEINTERFACE_W *record)
{
    constexpr std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (record->dbcc_size <= nameOffset)
        return {};
    const std::size_t room = (record->dbcc_size - nameOffset) / sizeof(wchar_t);
    return std::wstring(record->dbcc_name, wcsnlen(record->dbcc_name, room));
}

} // namespace

bool decodeDeviceChange(UINT message, WPARAM wParam, LPARAM lParam, DeviceChange *out)
{
    if (message != WM_DEVICECHANGE)
        return false;
    DeviceChange change;
    change.wParam = unsigned(wParam);
    if (wParam == DBT_DEVICEARRIVAL)
        change.code = DeviceChange::Arrival;
    else if (wParam == DBT_DEVICEREMOVECOMPLETE)
        change.code = DeviceChange::RemoveComplete;
    const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(lParam);
    if (change.code != DeviceChange::Other && header) {
        change.deviceType = int(header->dbch_devicetype);
        if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
            change.interfaceName =
                recordName(reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W *>(header));
    }
    *out = std::move(change);
    return true;
}

DEV_BROADCAST_DEVICEINTERFACE_W hidInterfaceFilter()
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = GUID_DEVINTERFACE_HID;
    return filter;
}

HDEVNOTIFY registerHidNotifications(HWND window)
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter = hidInterfaceFilter();
    return RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

} // namespace tarvenix
