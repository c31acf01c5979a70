/* hidapi's Windows backend, Debian's source unchanged, with one addition that
 * matters only under wine, where the tests run the Windows programs.
 *
 * wine 8.0's configuration manager lacks three calls that hidapi 0.13.1
 * resolves in hid_init: CM_Get_Device_Interface_PropertyW is not exported (so
 * hid_init fails), CM_Get_Device_Interface_List_SizeW fails and
 * CM_Get_Device_Interface_ListW is a stub. Under wine, and only there (ntdll
 * exports wine_get_version), hidapi gets stand-ins instead: the interface list
 * comes from SetupAPI, which wine implements, and the interface properties are
 * reported absent, so the fields hidapi reads through them (interface number,
 * bus type) stay unknown. On Windows hidapi resolves the real calls as before. */

#include <windows.h>

#include <setupapi.h>
#include <stdlib.h>
#include <string.h>

#define WINE_CR_SUCCESS 0x00000000
#define WINE_CR_BUFFER_SMALL 0x0000001A
#define WINE_CR_FAILURE 0x00000013
#define WINE_CR_NO_SUCH_VALUE 0x00000025

static BOOL running_under_wine(void)
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != NULL;
}

/* The present interfaces of a class as cfgmgr32 lists them: each path ends
 * with a zero, and one more zero ends the list. *len counts every character. */
static wchar_t *interface_list(const GUID *guid, ULONG *len)
{
    HDEVINFO set = SetupDiGetClassDevsW(guid, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return NULL;
    wchar_t *list = calloc(1, sizeof(wchar_t));
    size_t used = 0;
    SP_DEVICE_INTERFACE_DATA item;
    memset(&item, 0, sizeof item);
    item.cbSize = sizeof item;
    for (DWORD i = 0; list && SetupDiEnumDeviceInterfaces(set, NULL, guid, i, &item); i++) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &item, NULL, 0, &size, NULL);
        SP_DEVICE_INTERFACE_DETAIL_DATA_W *detail = size ? malloc(size) : NULL;
        if (!detail)
            continue;
        detail->cbSize = sizeof *detail;
        if (SetupDiGetDeviceInterfaceDetailW(set, &item, detail, size, NULL, NULL)) {
            const size_t n = wcslen(detail->DevicePath) + 1;
            wchar_t *grown = realloc(list, (used + n + 1) * sizeof(wchar_t));
            if (grown) {
                list = grown;
                memcpy(list + used, detail->DevicePath, n * sizeof(wchar_t));
                used += n;
                list[used] = 0;
            }
        }
        free(detail);
    }
    SetupDiDestroyDeviceInfoList(set);
    *len = (ULONG)(used + 1);
    return list;
}

static DWORD __stdcall wine_list_size(PULONG len, LPGUID guid, WCHAR *device, ULONG flags)
{
    (void)device;
    (void)flags;
    wchar_t *list = interface_list(guid, len);
    free(list);
    return list ? WINE_CR_SUCCESS : WINE_CR_FAILURE;
}

static DWORD __stdcall wine_list(LPGUID guid, WCHAR *device, WCHAR *buffer, ULONG buffer_len,
                                 ULONG flags)
{
    (void)device;
    (void)flags;
    ULONG len = 0;
    wchar_t *list = interface_list(guid, &len);
    if (!list)
        return WINE_CR_FAILURE;
    const DWORD result = len <= buffer_len ? WINE_CR_SUCCESS : WINE_CR_BUFFER_SMALL;
    if (result == WINE_CR_SUCCESS)
        memcpy(buffer, list, len * sizeof(wchar_t));
    free(list);
    return result;
}

static DWORD __stdcall wine_interface_property(LPCWSTR path, const DEVPROPKEY *key,
                                               DEVPROPTYPE *type, PBYTE buffer, PULONG size,
                                               ULONG flags)
{
    (void)path;
    (void)key;
    (void)type;
    (void)buffer;
    (void)size;
    (void)flags;
    return WINE_CR_NO_SUCH_VALUE;
}

/* hidapi resolves every cfgmgr32 call through GetProcAddress. */
#define STAND_IN(f) ((FARPROC)(void (*)(void))(f))
static FARPROC resolve(HMODULE module, LPCSTR name)
{
    static int wine = -1;
    if (wine < 0)
        wine = running_under_wine();
    if (wine && !strcmp(name, "CM_Get_Device_Interface_List_SizeW"))
        return STAND_IN(wine_list_size);
    if (wine && !strcmp(name, "CM_Get_Device_Interface_ListW"))
        return STAND_IN(wine_list);
    if (wine && !strcmp(name, "CM_Get_Device_Interface_PropertyW"))
        return STAND_IN(wine_interface_property);
    return GetProcAddress(module, name);
}

#define GetProcAddress resolve
#include "hid.c"
