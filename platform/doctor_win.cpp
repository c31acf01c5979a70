// The checks of a Windows machine: the device's interface opened for reading and writing,
// and its report sizes as the HID parser gives them. No rule and no inhibitor are needed.

#include "platform/doctor_system.h"

#include "device/report.h"

#include <windows.h>

// mingw-w64's HID headers declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}

namespace tarvenix::doctor {

namespace {

HANDLE openInterface(const FoundDevice &device, DWORD access)
{
    return CreateFileW(reinterpret_cast<LPCWSTR>(device.path.utf16()), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
}

} // namespace

QVector<CheckResult> ruleChecks()
{
    return {};
}

CheckResult nodeAccess(const FoundDevice &device)
{
    const HANDLE h = openInterface(device, GENERIC_READ | GENERIC_WRITE);
    const bool ok = h != INVALID_HANDLE_VALUE;
    const QString why = ok ? QString() : qt_error_string(int(GetLastError()));
    if (ok)
        CloseHandle(h);
    return {Check::DeviceAccess, ok, device.path, why, 0, 0};
}

// Windows counts the report ID byte in both lengths, 0 where the device numbers no reports;
// hidapi's read leaves a 0 out, its write sends it.
CheckResult reportSizes(const FoundDevice &device)
{
    CheckResult r{Check::ReportSizes, false, device.path, {}, 0, 0};
    const HANDLE h = openInterface(device, 0);
    PHIDP_PREPARSED_DATA data = nullptr;
    HIDP_CAPS caps{};
    bool read = false;
    if (h != INVALID_HANDLE_VALUE && HidD_GetPreparsedData(h, &data)) {
        read = HidP_GetCaps(data, &caps) == HIDP_STATUS_SUCCESS;
        HidD_FreePreparsedData(data);
    }
    if (!read)
        r.detail = qt_error_string(int(GetLastError()));
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    if (!read)
        return r;
    r.reportIn = caps.InputReportByteLength > 0 ? caps.InputReportByteLength - 1 : 0;
    r.reportOut = caps.OutputReportByteLength;
    r.ok = r.reportIn == kReportSize && r.reportOut == kReportSize;
    return r;
}

QVector<CheckResult> keepAwakeChecks()
{
    return {};
}

} // namespace tarvenix::doctor
