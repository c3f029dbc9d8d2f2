#pragma once
// The pixels of a shown window as the screen has them, and a copy kept in the run's artifacts
// folder (NIMBREL_ARTIFACTS) for a person to look at.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "ui/Bitmap.h"
#include "ui/win32/WinHandles.h"

// The window's outer rectangle copied from the screen; an empty picture when that fails.
inline std::unique_ptr<ui::TBitmap> GrabWindow(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    auto shot = std::make_unique<ui::TBitmap>(width, height);
    ui::win32::WindowDc screen(nullptr);
    ui::win32::DibBuffer buffer(screen.Get(), width, height);
    if (!buffer.Valid()) return shot;
    BitBlt(buffer.Dc(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) shot->SetPixel(x, y, ui::win32::SwapRedBlue(buffer.Row(y)[x] & 0xFFFFFF));
    return shot;
}

// Writes the picture as "<name>.bmp" into the artifacts folder; false when there is no folder.
inline bool KeepScreenshot(const ui::TBitmap& shot, const std::string& name) {
    const char* folder = std::getenv("NIMBREL_ARTIFACTS");
    if (!folder) return false;
    const auto bytes = shot.SaveToBmpBytes();
    std::ofstream out(std::string(folder) + "/" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}
