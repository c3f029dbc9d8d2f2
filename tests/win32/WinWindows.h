#pragma once
// Looks at real windows from a test: a window's text and a child's place in its parent's client area.
#include <windows.h>

#include <string>

#include "platform/win32/WinText.h"

inline std::u16string WindowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return platform::win32::U16(buffer);
}

inline RECT ChildRect(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
