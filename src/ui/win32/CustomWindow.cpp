#include "ui/win32/CustomWindow.h"

#include "ui/Canvas.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/WinHandles.h"

namespace ui::win32 {

CustomWindow::CustomWindow(TWinControl& control) : WindowPeer(control) {
    TCreateParams params;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (control.TabStop()) params.Style |= WS_TABSTOP;
    if (control.Visible()) params.Style |= WS_VISIBLE;
    HWND parent = control.Parent() ? WindowOf(*control.Parent()) : nullptr;
    CreateHandle(ControlClass, params, parent, NextChildId(), false);
}

void CustomWindow::PaintInto(HDC dc, const RECT& clip) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0 || clip.right <= clip.left || clip.bottom <= clip.top) return;
    TWinControl& control = Control();
    DibBuffer buffer(dc, w, h);
    if (!buffer.Valid()) {
        control.HandlePaint(std::make_unique<GdiSurface>(dc));
        return;
    }
    // Drawing outside the part asked for costs little once it is clipped away.
    IntersectClipRect(buffer.Dc(), clip.left, clip.top, clip.right, clip.bottom);
    if (!(control.ControlStyle() & csOpaque)) {
        // What lies behind a control that does not cover itself: its parent's colour, and what a
        // self-painting parent draws there.
        TWinControl* parent = control.Parent();
        SetDCBrushColor(buffer.Dc(), ColorToRGB(parent ? parent->Color() : control.Color()));
        FillRect(buffer.Dc(), &clip, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        if (parent && dynamic_cast<CustomWindow*>(parent->Peer())) {
            POINT old{};
            SetViewportOrgEx(buffer.Dc(), -control.Left(), -control.Top(), &old);
            parent->HandlePaint(std::make_unique<GdiSurface>(buffer.Dc()));
            SetViewportOrgEx(buffer.Dc(), old.x, old.y, nullptr);
        }
    }
    control.HandlePaint(std::make_unique<GdiSurface>(buffer.Dc()));
    GdiFlush();
    BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, buffer.Dc(), clip.left, clip.top,
           SRCCOPY);
}

bool CustomWindow::HandleFamilyMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;  // painted whole, through the buffer
            return true;
        case WM_PAINT: {
            const PaintDc paint(Handle());
            if (paint.Get()) PaintInto(paint.Get(), paint.Area());
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT: {
            RECT all{};
            GetClientRect(Handle(), &all);
            PaintInto(reinterpret_cast<HDC>(wp), all);
            result = 0;
            return true;
        }
        default: return false;
    }
}

}  // namespace ui::win32
