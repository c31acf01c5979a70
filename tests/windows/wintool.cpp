// What a person sees on the Windows desktop, for the window test under wine:
// every visible top-level window, topmost first, one a line:
//   X Y W H topmost|normal tool|app TITLE
// ("tool": a tool window, which gets no taskbar button on Windows).
// Plain Win32: it runs beside the program under test, in the same wine prefix.
// (The test clicks and types through X, as a person would.)

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void printUtf8(const std::wstring &text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

BOOL CALLBACK listOne(HWND window, LPARAM)
{
    if (!IsWindowVisible(window))
        return TRUE;
    RECT r;
    GetWindowRect(window, &r);
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    const LONG style = GetWindowLongW(window, GWL_EXSTYLE);
    wchar_t line[400];
    std::swprintf(line, 400, L"%ld %ld %ld %ld %ls %ls %ls", r.left, r.top, r.right - r.left,
                  r.bottom - r.top, style & WS_EX_TOPMOST ? L"topmost" : L"normal",
                  style & WS_EX_TOOLWINDOW ? L"tool" : L"app", title);
    printUtf8(line);
    return TRUE;
}

} // namespace

int main()
{
    EnumWindows(listOne, 0);
    return 0;
}
