#pragma once
// Owners for the GDI and USER objects the widget backend makes, so that no path leaks one.
#include "ui/win32/Win.h"

#include <memory>
#include <type_traits>

namespace ui::win32 {

// What the program holds of the platform's GDI and USER objects, counted by the owners below and
// by the window peers. The platform's own count (GetGuiResources) is not there everywhere (Wine
// answers zero), and tests need to see that painting and resizing leave nothing behind.
struct HeldObjects {
    long Gdi = 0;
    long User = 0;
};
HeldObjects HeldObjectCounts();
void CountGdiObject(int delta);
void CountUserObject(int delta);
// A GDI object just made, counted when there is one.
template <class Handle>
Handle HeldGdi(Handle handle) {
    if (handle) CountGdiObject(1);
    return handle;
}

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const {
        if (DeleteObject(object)) CountGdiObject(-1);
    }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const {
        if (DeleteDC(dc)) CountGdiObject(-1);
    }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

struct MenuDeleter {
    void operator()(HMENU menu) const {
        if (DestroyMenu(menu)) CountUserObject(-1);
    }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : FWindow(window), FDc(HeldGdi(GetDC(window))) {}
    ~WindowDc() {
        if (FDc && ReleaseDC(FWindow, FDc)) CountGdiObject(-1);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    HDC FDc;
};

// A paint message's device context from BeginPaint, ended with EndPaint even when the painting
// fails (else the window would be asked to paint again and again).
class PaintDc {
public:
    explicit PaintDc(HWND window) : FWindow(window), FDc(BeginPaint(window, &FPaint)) {}
    ~PaintDc() { EndPaint(FWindow, &FPaint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return FDc; }
    const RECT& Area() const { return FPaint.rcPaint; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDc;
};

// Selects an object into a DC for a scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : FDc(dc), FPrevious(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (FPrevious && FPrevious != HGDI_ERROR) SelectObject(FDc, FPrevious);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC FDc;
    HGDIOBJ FPrevious;
};

// A 32-bit top-down DIB section selected into its own memory DC: an off-screen picture whose
// pixels are directly reachable.
class DibBuffer {
public:
    DibBuffer(HDC compatible, int width, int height) : FWidth(width), FHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        FBitmap.reset(HeldGdi(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
        FBits = static_cast<DWORD*>(bits);
        FDc.reset(HeldGdi(CreateCompatibleDC(compatible)));
        if (FDc && FBitmap) FSelection = std::make_unique<SelectedObject>(FDc.get(), FBitmap.get());
    }
    DibBuffer(const DibBuffer&) = delete;
    DibBuffer& operator=(const DibBuffer&) = delete;
    ~DibBuffer() {
        FSelection.reset();  // the bitmap leaves the DC before either is deleted
    }
    bool Valid() const { return FBits && FSelection; }
    HDC Dc() const { return FDc.get(); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // 0x00RRGGBB, as DIBs keep pixels.
    DWORD* Row(int y) const { return FBits + static_cast<std::size_t>(y) * FWidth; }
    // Takes the bitmap out of the DC and hands it over; the buffer is no longer valid.
    HBITMAP Detach() {
        FSelection.reset();
        FBits = nullptr;
        return FBitmap.release();
    }

private:
    int FWidth, FHeight;
    UniqueBitmap FBitmap;
    UniqueMemoryDc FDc;
    std::unique_ptr<SelectedObject> FSelection;
    DWORD* FBits = nullptr;
};

// 0x00BBGGRR (COLORREF) and a DIB's 0x00RRGGBB differ only in the order of red and blue.
inline DWORD SwapRedBlue(DWORD c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace ui::win32
