#pragma once
// The least a Win32 program does to show a window: one window that paints its client area, and a
// message loop. Shared by the start-up benchmark's yardsticks, so that they differ only in what
// each starts before it.
#include <windows.h>

namespace minimal {

inline LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH grey = CreateSolidBrush(RGB(0x55, 0x55, 0x55));
        FillRect(dc, &paint.rcPaint, grey);
        DeleteObject(grey);
        EndPaint(window, &paint);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

inline int ShowAndRun(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, className, WS_OVERLAPPEDWINDOW, 0, 0, 522, 521,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace minimal
