#pragma once
// Looks at real windows from a test: a window's text and a child's place in its parent's client area.
#include <windows.h>

#include <gtest/gtest.h>

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

// A fixed-size dialog's client area and caption against its design at its window's density.
inline void ExpectDialogFrame(HWND dialog, int dpi, int width, int height, const std::u16string& caption) {
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, MulDiv(width, dpi, 96));
    EXPECT_EQ(client.bottom, MulDiv(height, dpi, 96));
    EXPECT_EQ(WindowText(dialog), caption);
    EXPECT_FALSE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_THICKFRAME);  // fixed size
}
