#include "ui/win32/FormWindow.h"

#include <vector>

#include <windowsx.h>

#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/DialogKeys.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WinHandles.h"

namespace ui::win32 {

namespace {

TCreateParams FormStyles(const TForm& form) {
    TCreateParams p;
    p.Style = WS_CLIPCHILDREN;
    const TBorderIcons icons = form.BorderIcons();
    switch (form.BorderStyle()) {
        case bsNone: p.Style |= WS_POPUP; break;
        case bsSingle: p.Style |= WS_CAPTION; break;
        case bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
        case bsDialog:
            p.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            p.ExStyle |= WS_EX_DLGMODALFRAME;
            if (icons & biHelp) p.ExStyle |= WS_EX_CONTEXTHELP;
            break;
        case bsToolWindow:
            p.Style |= WS_CAPTION;
            p.ExStyle |= WS_EX_TOOLWINDOW;
            break;
        case bsSizeToolWin:
            p.Style |= WS_CAPTION | WS_THICKFRAME;
            p.ExStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (form.ModalFrame()) p.ExStyle |= WS_EX_DLGMODALFRAME;
    if (form.BorderStyle() != bsNone && (icons & biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        if (form.BorderStyle() == bsSingle || form.BorderStyle() == bsSizeable) {
            if (icons & biMinimize) p.Style |= WS_MINIMIZEBOX;
            if (icons & biMaximize) p.Style |= WS_MAXIMIZEBOX;
        }
    }
    return p;
}

void FillClient(HWND window, HDC dc, TColor color) {
    RECT r{};
    GetClientRect(window, &r);
    SetDCBrushColor(dc, ColorToRGB(color));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

int WindowDpi(HWND window) {
    // GetDpiForWindow exists from Windows 10 (1607) on; older systems have one DPI for all screens.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    WindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

FormWindow::FormWindow(TForm& form) : WindowPeer(form), FForm(form) {
    CreateHandle(FormClass, FormStyles(form), Win32().ApplicationWindow(), nullptr, false);
    FCreated = true;
}

FormWindow::~FormWindow() { EnableOtherWindows(); }

void FormWindow::SetVisible(bool visible) {
    if (visible) {
        if (FForm.Modal()) DisableOtherWindows();
        // Shown as the mouse shows it: no underlined accelerators and no focus frame until the
        // keyboard is used, unless the user asked for them always.
        BOOL alwaysCues = FALSE;
        SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysCues, 0);
        if (!alwaysCues)
            SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
        ShowWindow(Handle(), SW_SHOW);
    } else {
        // Enabled again first, so that the platform activates the window the modal form came from.
        EnableOtherWindows();
        ShowWindow(Handle(), SW_HIDE);
    }
}

void FormWindow::BorderChanged() {
    const TCreateParams p = FormStyles(FForm);
    HWND window = Handle();
    const LONG_PTR kept = GetWindowLongPtrW(window, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(p.Style) | kept);
    SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(p.ExStyle));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TWindowPlacement FormWindow::GetPlacement() const {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    TWindowPlacement p;
    if (!GetWindowPlacement(Handle(), &wp)) return p;
    p.Flags = static_cast<int>(wp.flags);
    p.ShowCmd = static_cast<int>(wp.showCmd);
    p.MinPosition = {wp.ptMinPosition.x, wp.ptMinPosition.y};
    p.MaxPosition = {wp.ptMaxPosition.x, wp.ptMaxPosition.y};
    p.NormalPosition = {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                        wp.rcNormalPosition.bottom};
    return p;
}

void FormWindow::SetPlacement(const TWindowPlacement& p) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    wp.flags = static_cast<UINT>(p.Flags);
    wp.showCmd = static_cast<UINT>(p.ShowCmd);
    wp.ptMinPosition = {p.MinPosition.X, p.MinPosition.Y};
    wp.ptMaxPosition = {p.MaxPosition.X, p.MaxPosition.Y};
    wp.rcNormalPosition = {p.NormalPosition.Left, p.NormalPosition.Top, p.NormalPosition.Right, p.NormalPosition.Bottom};
    SetWindowPlacement(Handle(), &wp);
    // Any show command but "hide" shows the window; the form follows what the platform did.
    FForm.HandleShowing(IsWindowVisible(Handle()) != FALSE);
}

void FormWindow::SetTopmost(bool topmost) {
    constexpr UINT Flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    HWND window = Handle();
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, Flags);
    if (!topmost || (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
    // Wine puts a window that owns popups (a tree's tooltip) after the last of them without
    // the topmost mark. The popups are lent to this window's owner for the move.
    struct Owned {
        HWND Self;
        std::vector<HWND> Popups;
    } owned{window, {}};
    EnumWindows(
        [](HWND w, LPARAM data) -> BOOL {
            auto& o = *reinterpret_cast<Owned*>(data);
            if (GetWindow(w, GW_OWNER) == o.Self) o.Popups.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&owned));
    const LONG_PTR owner = reinterpret_cast<LONG_PTR>(GetWindow(window, GW_OWNER));
    for (HWND popup : owned.Popups) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, owner);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, Flags);
    for (HWND popup : owned.Popups)
        if (IsWindow(popup)) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
}

void FormWindow::BringToFront() {
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (IsWindowVisible(Handle())) SetForegroundWindow(Handle());
}

bool FormWindow::Showing() const { return IsWindowVisible(Handle()) != FALSE; }

int FormWindow::Dpi() const { return WindowDpi(Handle()); }

void FormWindow::DisableOtherWindows() {
    struct Collect {
        HWND self;
        std::vector<HWND>* list;
    } collect{Handle(), &FDisabledWindows};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Collect*>(data);
            if (window != c->self && IsWindowVisible(window) && IsWindowEnabled(window)) c->list->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    for (HWND window : FDisabledWindows) EnableWindow(window, FALSE);
}

void FormWindow::EnableOtherWindows() {
    for (HWND window : FDisabledWindows)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    FDisabledWindows.clear();
}

void FormWindow::ReportBounds(bool moved, bool sized) {
    RECT r{};
    GetWindowRect(Handle(), &r);
    // A minimized window keeps its normal bounds in the form.
    const TRect bounds = IsIconic(Handle()) ? FForm.BoundsRect() : TRect{r.left, r.top, r.right, r.bottom};
    const std::shared_ptr<bool> alive = FAlive;
    if (moved) FForm.HandleMove(bounds);
    if (sized && *alive) FForm.HandleSize(bounds);
}

bool FormWindow::HandleFamilyMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    const std::shared_ptr<bool> alive = FAlive;
    switch (msg) {
        case WM_ERASEBKGND:
            FillClient(Handle(), reinterpret_cast<HDC>(wp), FForm.Color());
            result = 1;
            return true;
        case WM_PRINTCLIENT:
            FillClient(Handle(), reinterpret_cast<HDC>(wp), FForm.Color());
            FForm.HandlePaint(std::make_unique<GdiSurface>(reinterpret_cast<HDC>(wp)));
            result = 0;
            return true;
        case WM_PAINT: {
            // Labels and pictures have no windows: the form paints them in their places.
            if (!FForm.HasWindowlessChildren()) return false;
            const PaintDc paint(Handle());
            if (paint.Get()) FForm.HandlePaint(std::make_unique<GdiSurface>(paint.Get()));
            result = 0;
            return true;
        }
        case DM_GETDEFID: {
            TButton* button = FindDefaultButton(FForm);
            HWND window = button ? WindowOf(*button) : nullptr;
            result = window ? MAKELRESULT(GetDlgCtrlID(window), DC_HASDEFID) : 0;
            return true;
        }
        case WM_COMMAND:
            // Enter and Escape from the dialog keys, when no button of those ids exists.
            if (lp == 0 && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
                FForm.HandleDialogKey(LOWORD(wp) == IDCANCEL);
                result = 0;
                return true;
            }
            return false;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                // The child that had the focus gets it back when the form is activated again.
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) FLastFocused = focus;
            }
            FForm.HandleActivate(LOWORD(wp));
            if (!*alive) return true;
            if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) {
                // The child that had the focus, or on the first activation the first stop of the
                // tab order: a dialog takes typing in its first field at once.
                HWND focus = FLastFocused && IsWindow(FLastFocused) && IsChild(Handle(), FLastFocused) &&
                                     IsWindowEnabled(FLastFocused) && IsWindowVisible(FLastFocused)
                                 ? FLastFocused
                                 : GetNextDlgTabItem(Handle(), nullptr, FALSE);
                if (focus && IsChild(Handle(), focus)) {
                    ::SetFocus(focus);
                    result = 0;
                    return true;
                }
            }
            return false;
        case WM_MOVE:
        case WM_SIZE:
            if (FCreated) ReportBounds(msg == WM_MOVE, msg == WM_SIZE);
            if (!*alive) return true;
            return false;
        case WM_CLOSE:
            FForm.HandleCloseRequest();
            result = 0;
            return true;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            FForm.HandleDpiChanged(LOWORD(wp), TRect{suggested->left, suggested->top, suggested->right, suggested->bottom});
            result = 0;
            return true;
        }
        default: return false;
    }
}

}  // namespace ui::win32
