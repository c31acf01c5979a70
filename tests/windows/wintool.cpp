// What a person does on the Windows desktop, for the window tests under wine:
//   wintool list          every visible top-level window, topmost first:
//                         "X Y W H topmost|normal TITLE"
//   wintool click X Y     a left click at those screen coordinates
//   wintool type TEXT     types TEXT into the focused control
//   wintool key KEY       presses return, escape or one letter
// Plain Win32: it runs beside the program under test, in the same wine prefix.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
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
    const bool topmost = GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
    wchar_t line[400];
    std::swprintf(line, 400, L"%ld %ld %ld %ld %ls %ls", r.left, r.top, r.right - r.left,
                  r.bottom - r.top, topmost ? L"topmost" : L"normal", title);
    printUtf8(line);
    return TRUE;
}

void send(INPUT input)
{
    SendInput(1, &input, sizeof input);
    Sleep(20);
}

INPUT mouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT keyboard(WORD vk, wchar_t unicode, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = unicode;
    input.ki.dwFlags = flags;
    return input;
}

void press(WORD vk)
{
    send(keyboard(vk, 0, 0));
    send(keyboard(vk, 0, KEYEVENTF_KEYUP));
}

int usage()
{
    std::fprintf(stderr,
                 "usage: wintool list | click X Y | type TEXT | key return|escape|LETTER\n");
    return 2;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"list" && argc == 2) {
        EnumWindows(listOne, 0);
        return 0;
    }
    if (command == L"click" && argc == 4) {
        SetCursorPos(int(std::wcstol(argv[2], nullptr, 10)),
                     int(std::wcstol(argv[3], nullptr, 10)));
        Sleep(50);
        send(mouse(MOUSEEVENTF_LEFTDOWN));
        send(mouse(MOUSEEVENTF_LEFTUP));
        return 0;
    }
    if (command == L"type" && argc == 3) {
        for (const wchar_t *c = argv[2]; *c; ++c) {
            send(keyboard(0, *c, KEYEVENTF_UNICODE));
            send(keyboard(0, *c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
        }
        return 0;
    }
    if (command == L"key" && argc == 3) {
        const std::wstring key = argv[2];
        if (key == L"return")
            press(VK_RETURN);
        else if (key == L"escape")
            press(VK_ESCAPE);
        else if (key.size() == 1 && std::iswalpha(key[0]))
            press(WORD(std::towupper(key[0])));
        else
            return usage();
        return 0;
    }
    return usage();
}
