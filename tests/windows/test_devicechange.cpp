// Checks decodeDeviceChange on the records that a real device seldom sends
// (unterminated names, other device types, no record), as Windows runs it:
// built with mingw, run under wine. The names come from the supported-device table.
// Registration and real notifications are proven by the window test.

#include "device/devicechange_win.h"

#include <cstddef>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32, "record layout as Windows has it");

namespace {

using tarvenix::decodeDeviceChange;
using tarvenix::DeviceChange;

// deviceInterfaceNames(), written from the supported-device table by tarvenix-devicetable.
const wchar_t *const kNames[] = {
#include "interface_names.inc"
};

int failures = 0;

void check(bool ok, const char *what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok)
        ++failures;
}

std::wstring upper(std::wstring text)
{
    for (wchar_t &c : text)
        c = wchar_t(std::towupper(c));
    return text;
}

// The same rule as tarvenix::matchInterfaceName: first entry found, ignoring case.
int match(const std::wstring &name)
{
    for (std::size_t i = 0; i < sizeof(kNames) / sizeof(kNames[0]); ++i) {
        if (upper(name).find(upper(kNames[i])) != std::wstring::npos)
            return int(i);
    }
    return -1;
}

// A device interface record as Windows lays it out: the name follows the header.
// With sizeChars, dbcc_size covers only that many name characters, unterminated;
// the terminator after the whole name is there for a reader that ignores dbcc_size.
struct InterfaceRecord {
    std::vector<unsigned char> bytes;
    explicit InterfaceRecord(const std::wstring &name, std::size_t sizeChars = 0)
    {
        const std::size_t offset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
        bytes.assign(offset + (name.size() + 1) * sizeof(wchar_t), 0);
        auto *record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W *>(bytes.data());
        const std::size_t chars = sizeChars ? sizeChars : name.size() + 1;
        record->dbcc_size = DWORD(offset + chars * sizeof(wchar_t));
        record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        std::wmemcpy(record->dbcc_name, name.data(), name.size());
    }
    LPARAM lParam() { return reinterpret_cast<LPARAM>(bytes.data()); }
};

DeviceChange decoded(UINT message, WPARAM wParam, LPARAM lParam, bool *accepted = nullptr)
{
    DeviceChange change;
    const bool ok = decodeDeviceChange(message, wParam, lParam, &change);
    if (accepted)
        *accepted = ok;
    return change;
}

const std::wstring kMouseName =
    L"\\\\?\\HID#VID_1ABE&PID_2202&MI_00#7&2a8f&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::wstring kLowerName =
    L"\\\\?\\hid#vid_abcd&pid_2204#8&1b2c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::wstring kOtherName =
    L"\\\\?\\HID#VID_046D&PID_C52B&MI_01#9&3d4e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

void checkInterfaceRecords()
{
    InterfaceRecord mouse(kMouseName);
    bool accepted = false;
    DeviceChange c = decoded(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam(), &accepted);
    check(accepted, "arrival: WM_DEVICECHANGE is accepted");
    check(c.code == DeviceChange::Arrival, "arrival: code");
    check(c.deviceType == DBT_DEVTYP_DEVICEINTERFACE, "arrival: device type 5");
    check(c.interfaceName == kMouseName, "arrival: whole interface name");
    check(c.wParam == 0x8000, "arrival: wParam kept");
    check(match(c.interfaceName) == 0, "arrival: matches HID#VID_1ABE&PID_2202");

    InterfaceRecord lower(kLowerName);
    c = decoded(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, lower.lParam());
    check(c.code == DeviceChange::RemoveComplete, "removal: code");
    check(c.deviceType == DBT_DEVTYP_DEVICEINTERFACE, "removal: device type 5");
    check(c.interfaceName == kLowerName, "removal: lower-case name kept as given");
    check(match(c.interfaceName) >= 0 &&
              upper(kNames[match(c.interfaceName)]) == L"HID#VID_ABCD&PID_2204",
          "removal: lower-case name matches HID#VID_ABCD&PID_2204");

    InterfaceRecord other(kOtherName);
    c = decoded(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, other.lParam());
    check(c.code == DeviceChange::Arrival && c.interfaceName == kOtherName, "other mouse: decoded");
    check(match(c.interfaceName) == -1, "other mouse: matches no supported product");

    // Six characters inside dbcc_size, no terminator: the name stops at the record's end.
    InterfaceRecord cut(L"\\\\?\\HID#VID_ABCD", 6);
    c = decoded(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, cut.lParam());
    check(c.interfaceName == L"\\\\?\\HI", "unterminated name: read no further than dbcc_size");
}

void checkOtherMessages()
{
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << 4;
    DeviceChange c = decoded(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume));
    check(c.code == DeviceChange::Arrival, "volume: code");
    check(c.deviceType == DBT_DEVTYP_VOLUME, "volume: device type 2");
    check(c.interfaceName.empty(), "volume: no interface name");

    c = decoded(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    check(c.code == DeviceChange::RemoveComplete, "null record: code");
    check(c.deviceType == -1 && c.interfaceName.empty(), "null record: nothing read");

    // DBT_DEVNODES_CHANGED carries no record; one given anyway is not read.
    InterfaceRecord mouse(kMouseName);
    c = decoded(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, mouse.lParam());
    check(c.code == DeviceChange::Other, "nodes changed: code Other");
    check(c.wParam == DBT_DEVNODES_CHANGED, "nodes changed: wParam kept");
    check(c.deviceType == -1 && c.interfaceName.empty(), "nodes changed: record not read");

    DeviceChange untouched;
    untouched.code = DeviceChange::Arrival;
    untouched.deviceType = 42;
    const bool accepted =
        decodeDeviceChange(WM_PAINT, DBT_DEVICEARRIVAL, mouse.lParam(), &untouched);
    check(!accepted, "WM_PAINT: not accepted");
    check(untouched.code == DeviceChange::Arrival && untouched.deviceType == 42,
          "WM_PAINT: output left alone");
}

} // namespace

int main()
{
    checkInterfaceRecords();
    checkOtherMessages();
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
