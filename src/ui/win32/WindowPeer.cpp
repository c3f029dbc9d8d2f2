#include "ui/win32/WindowPeer.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <string>

#include "platform/win32/WinText.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WinHandles.h"

namespace ui::win32 {

using platform::win32::U16;
using platform::win32::W;

namespace {

const wchar_t* const PeerProperty = L"NimbrelPeer";
const wchar_t* const FormClass = L"NimbrelForm";
const wchar_t* const ControlClass = L"NimbrelControl";
constexpr UINT_PTR NativeSubclassId = 1;
// Child window ids start above the dialog ids IDOK and IDCANCEL, which dialog keys send.
int nextChildId = 100;

bool IsNative(PeerKind kind) { return kind == PeerKind::Button || kind == PeerKind::Edit || kind == PeerKind::CheckBox; }

void RegisterClasses(WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Double clicks always arrive; controls that do not want them see a second press instead.
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = FormClass;
    RegisterClassExW(&wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpszClassName = ControlClass;
    RegisterClassExW(&wc);
}

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
    if (form.BorderStyle() != bsNone && (icons & biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        if (form.BorderStyle() == bsSingle || form.BorderStyle() == bsSizeable) {
            if (icons & biMinimize) p.Style |= WS_MINIMIZEBOX;
            if (icons & biMaximize) p.Style |= WS_MAXIMIZEBOX;
        }
    }
    return p;
}

TCreateParams ChildStyles(const TWinControl& control, PeerKind kind) {
    TCreateParams p;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (control.TabStop()) p.Style |= WS_TABSTOP;
    switch (kind) {
        case PeerKind::Button:
            p.Style |= static_cast<const TButton&>(control).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            break;
        case PeerKind::Edit:
            p.Style |= ES_AUTOHSCROLL;
            p.ExStyle |= WS_EX_CLIENTEDGE;
            break;
        case PeerKind::CheckBox: p.Style |= BS_CHECKBOX; break;
        default: p.Style |= WS_CLIPCHILDREN; break;
    }
    return p;
}

TShiftState ShiftFrom(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

// The first shown button below control that answers pick(), depth first.
TButton* FindButton(TWinControl& control, bool (*pick)(const TButton&)) {
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (auto* button = dynamic_cast<TButton*>(child); button && button->Visible() && pick(*button))
            return button;
        if (auto* win = dynamic_cast<TWinControl*>(child))
            if (TButton* found = FindButton(*win, pick)) return found;
    }
    return nullptr;
}

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return U16(buffer.data(), static_cast<std::size_t>(std::max(0, copied)));
}

}  // namespace

HWND WindowOf(const TWinControl& control) {
    auto* peer = dynamic_cast<WindowPeer*>(control.Peer());
    return peer ? peer->Handle() : nullptr;
}

WindowPeer* WindowPeer::FromHandle(HWND window) {
    return window ? static_cast<WindowPeer*>(GetPropW(window, PeerProperty)) : nullptr;
}

WindowPeer::WindowPeer(TWinControl& control, PeerKind kind) : FControl(control), FKind(kind) {
    RegisterClasses(&WindowProc);
    TCreateParams params;
    HWND parent = nullptr;
    HMENU id = nullptr;
    const wchar_t* windowClass = ControlClass;
    if (kind == PeerKind::Form) {
        params = FormStyles(static_cast<TForm&>(control));
        parent = Win32().ApplicationWindow();
        windowClass = FormClass;
    } else {
        params = ChildStyles(control, kind);
        parent = control.Parent() ? WindowOf(*control.Parent()) : nullptr;
        if (control.Visible()) params.Style |= WS_VISIBLE;
        // Command messages carry 16-bit ids: they go round within that range.
        id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextChildId));
        nextChildId = nextChildId >= 0xFFFF ? 100 : nextChildId + 1;
        if (kind == PeerKind::Button || kind == PeerKind::CheckBox) windowClass = WC_BUTTONW;
        if (kind == PeerKind::Edit) windowClass = WC_EDITW;
    }
    if (!control.Enabled()) params.Style |= WS_DISABLED;
    control.CreateParams(params);
    const TRect b = control.BoundsRect();
    HWND made = CreateWindowExW(params.ExStyle, windowClass, W(control.Caption()), params.Style, b.Left, b.Top,
                                b.Width(), b.Height(), parent, id, GetModuleHandleW(nullptr), this);
    if (!made) throw std::runtime_error("CreateWindowExW failed for " + std::to_string(static_cast<int>(kind)));
    FWindow = made;
    if (IsNative(kind)) {
        SetPropW(made, PeerProperty, this);
        SetWindowSubclass(made, &SubclassProc, NativeSubclassId, reinterpret_cast<DWORD_PTR>(this));
        ApplyNativeState();
    }
    if (kind != PeerKind::Form && control.TabOrder() >= 0) OrderSiblingsByTab();
    FCreated = true;
}

WindowPeer::~WindowPeer() {
    *FAlive = false;
    EnableOtherWindows();
    if (!FWindow) return;
    RemovePropW(FWindow, PeerProperty);
    if (IsNative(FKind)) RemoveWindowSubclass(FWindow, &SubclassProc, NativeSubclassId);
    DestroyWindow(FWindow);
}

TForm* WindowPeer::Form() const { return FKind == PeerKind::Form ? static_cast<TForm*>(&FControl) : nullptr; }

// ---- state from the component ---------------------------------------------------------------

void WindowPeer::SetBounds(const TRect& b) {
    SetWindowPos(FWindow, nullptr, b.Left, b.Top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPeer::SetText(const std::u16string& text) {
    FSettingText = true;
    SetWindowTextW(FWindow, W(text));
    FSettingText = false;
}

void WindowPeer::SetVisible(bool visible) {
    if (FKind != PeerKind::Form) {
        ShowWindow(FWindow, visible ? SW_SHOWNA : SW_HIDE);
        return;
    }
    if (visible) {
        if (Form()->Modal()) DisableOtherWindows();
        ShowWindow(FWindow, SW_SHOW);
    } else {
        // Enabled again first, so that the platform activates the window the modal form came from.
        EnableOtherWindows();
        ShowWindow(FWindow, SW_HIDE);
    }
}

void WindowPeer::SetEnabled(bool enabled) { EnableWindow(FWindow, enabled ? TRUE : FALSE); }

void WindowPeer::StateChanged() {
    if (FKind == PeerKind::Form) {
        ApplyWindowStyles();
    } else {
        const LONG_PTR style = GetWindowLongPtrW(FWindow, GWL_STYLE);
        const LONG_PTR wanted = FControl.TabStop() ? style | WS_TABSTOP : style & ~WS_TABSTOP;
        if (wanted != style) SetWindowLongPtrW(FWindow, GWL_STYLE, wanted);
        OrderSiblingsByTab();
    }
    if (IsNative(FKind)) ApplyNativeState();
    InvalidateRect(FWindow, nullptr, TRUE);
}

void WindowPeer::OrderSiblingsByTab() {
    TWinControl* parent = FControl.Parent();
    if (!parent) return;
    // This control may be still in the making, its peer not yet handed to it.
    std::vector<std::pair<const TWinControl*, HWND>> siblings;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* win = dynamic_cast<TWinControl*>(parent->Controls(i));
        HWND window = win == &FControl ? FWindow : win ? WindowOf(*win) : nullptr;
        if (window) siblings.emplace_back(win, window);
    }
    // The Tab key follows the windows' order: by tab order, those without one after, in the order made.
    const auto key = [](const TWinControl* c) { return c->TabOrder() < 0 ? INT_MAX : c->TabOrder(); };
    std::stable_sort(siblings.begin(), siblings.end(),
                     [&](const auto& a, const auto& b) { return key(a.first) < key(b.first); });
    // Each to the top, last first, so that the first ends on top.
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
        SetWindowPos(it->second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowPeer::ApplyWindowStyles() {
    TCreateParams p = FormStyles(*Form());
    FControl.CreateParams(p);
    const LONG_PTR kept = GetWindowLongPtrW(FWindow, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(FWindow, GWL_STYLE, static_cast<LONG_PTR>(p.Style) | kept);
    SetWindowLongPtrW(FWindow, GWL_EXSTYLE, static_cast<LONG_PTR>(p.ExStyle));
    SetWindowPos(FWindow, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void WindowPeer::ApplyNativeState() {
    SendMessageW(FWindow, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(FControl.Font())), TRUE);
    switch (FKind) {
        case PeerKind::Button:
            SendMessageW(FWindow, BM_SETSTYLE,
                         static_cast<TButton&>(FControl).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
            break;
        case PeerKind::Edit: {
            auto& edit = static_cast<TEdit&>(FControl);
            SendMessageW(FWindow, EM_SETLIMITTEXT, edit.MaxLength() > 0 ? edit.MaxLength() : 0, 0);
            SendMessageW(FWindow, EM_SETREADONLY, edit.ReadOnly() ? TRUE : FALSE, 0);
            break;
        }
        case PeerKind::CheckBox:
            SendMessageW(FWindow, BM_SETCHECK, static_cast<TCheckBox&>(FControl).Checked() ? BST_CHECKED : BST_UNCHECKED,
                         0);
            break;
        default: break;
    }
}

void WindowPeer::Invalidate() { InvalidateRect(FWindow, nullptr, IsNative(FKind) ? TRUE : FALSE); }

void WindowPeer::Update() { UpdateWindow(FWindow); }

void WindowPeer::SetFocus() { ::SetFocus(FWindow); }

bool WindowPeer::Focused() const { return FWindow && GetFocus() == FWindow; }

TSize WindowPeer::ClientSizeFor(int width, int height) const {
    RECT frame{0, 0, 0, 0};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(FWindow, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(FWindow, GWL_EXSTYLE));
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {std::max(0L, width - (frame.right - frame.left)), std::max(0L, height - (frame.bottom - frame.top))};
}

std::unique_ptr<CanvasSurface> WindowPeer::DirectSurface() {
    HWND window = FWindow;
    HDC dc = GetDC(window);
    if (!dc) return nullptr;
    return std::make_unique<GdiSurface>(dc, [window, dc] { ReleaseDC(window, dc); });
}

TWindowPlacement WindowPeer::GetPlacement() const {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    TWindowPlacement p;
    if (!GetWindowPlacement(FWindow, &wp)) return p;
    p.Flags = static_cast<int>(wp.flags);
    p.ShowCmd = static_cast<int>(wp.showCmd);
    p.MinPosition = {wp.ptMinPosition.x, wp.ptMinPosition.y};
    p.MaxPosition = {wp.ptMaxPosition.x, wp.ptMaxPosition.y};
    p.NormalPosition = {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                        wp.rcNormalPosition.bottom};
    return p;
}

void WindowPeer::SetPlacement(const TWindowPlacement& p) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    wp.flags = static_cast<UINT>(p.Flags);
    wp.showCmd = static_cast<UINT>(p.ShowCmd);
    wp.ptMinPosition = {p.MinPosition.X, p.MinPosition.Y};
    wp.ptMaxPosition = {p.MaxPosition.X, p.MaxPosition.Y};
    wp.rcNormalPosition = {p.NormalPosition.Left, p.NormalPosition.Top, p.NormalPosition.Right, p.NormalPosition.Bottom};
    SetWindowPlacement(FWindow, &wp);
    // Any show command but "hide" shows the window; the form follows what the platform did.
    if (TForm* form = Form()) form->HandleShowing(IsWindowVisible(FWindow) != FALSE);
}

void WindowPeer::SetTopmost(bool topmost) {
    SetWindowPos(FWindow, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowPeer::BringToFront() {
    SetWindowPos(FWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (FKind == PeerKind::Form && IsWindowVisible(FWindow)) SetForegroundWindow(FWindow);
}

bool WindowPeer::Showing() const { return IsWindowVisible(FWindow) != FALSE; }

void WindowPeer::DisableOtherWindows() {
    struct Collect {
        HWND self;
        std::vector<HWND>* list;
    } collect{FWindow, &FDisabledWindows};
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

void WindowPeer::EnableOtherWindows() {
    for (HWND window : FDisabledWindows)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    FDisabledWindows.clear();
}

// ---- painting -------------------------------------------------------------------------------

void WindowPeer::PaintInto(HDC dc) {
    RECT client{};
    GetClientRect(FWindow, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    DibBuffer buffer(dc, w, h);
    if (!buffer.Valid()) {
        FControl.HandlePaint(std::make_unique<GdiSurface>(dc));
        return;
    }
    if (!(FControl.ControlStyle() & csOpaque)) {
        // What lies behind a control that does not cover itself: its parent's colour, and what a
        // self-painting parent draws there.
        TWinControl* parent = FControl.Parent();
        const TColor back = ColorToRGB(parent ? parent->Color() : FControl.Color());
        RECT all{0, 0, w, h};
        FillRect(buffer.Dc(), &all, SolidBrushFor(back));
        auto* parentPeer = parent ? dynamic_cast<WindowPeer*>(parent->Peer()) : nullptr;
        if (parentPeer && parentPeer->Kind() == PeerKind::Custom) {
            POINT old{};
            SetViewportOrgEx(buffer.Dc(), -FControl.Left(), -FControl.Top(), &old);
            parent->HandlePaint(std::make_unique<GdiSurface>(buffer.Dc()));
            SetViewportOrgEx(buffer.Dc(), old.x, old.y, nullptr);
        }
    }
    FControl.HandlePaint(std::make_unique<GdiSurface>(buffer.Dc()));
    GdiFlush();
    BitBlt(dc, 0, 0, w, h, buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- messages -------------------------------------------------------------------------------

LRESULT CALLBACK WindowPeer::WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* peer = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (peer) {
            peer->FWindow = window;
            SetPropW(window, PeerProperty, peer);
        }
    }
    WindowPeer* self = FromHandle(window);
    if (!self) return DefWindowProcW(window, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        RemovePropW(window, PeerProperty);
        self->FWindow = nullptr;
        return DefWindowProcW(window, msg, wp, lp);
    }
    return self->Dispatch(msg, wp, lp, false);
}

LRESULT CALLBACK WindowPeer::SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<WindowPeer*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &SubclassProc, NativeSubclassId);
        RemovePropW(window, PeerProperty);
        self->FWindow = nullptr;
        return DefSubclassProc(window, msg, wp, lp);
    }
    return self->Dispatch(msg, wp, lp, true);
}

LRESULT WindowPeer::Dispatch(UINT msg, WPARAM wp, LPARAM lp, bool native) {
    // A handler may free the control (and this peer) in the middle of the message.
    const std::shared_ptr<bool> alive = FAlive;
    LRESULT result = 0;
    ++FDepth;
    try {
        result = native ? HandleNativeMessage(msg, wp, lp) : HandleMessage(msg, wp, lp);
    } catch (const std::exception& error) {
        Application().HandleException(error);
    } catch (...) {
        Application().HandleException(std::runtime_error("unknown error"));
    }
    if (!*alive) return result;
    // Only the outermost message gives the borrowed surface back: a handler that sent itself a
    // message (focus, say) still draws on it afterwards.
    if (--FDepth == 0) FControl.ReleaseDirectSurface();
    return result;
}

LRESULT WindowPeer::DefaultProc(UINT msg, WPARAM wp, LPARAM lp, bool native) {
    if (!FWindow) return 0;
    return native ? DefSubclassProc(FWindow, msg, wp, lp) : DefWindowProcW(FWindow, msg, wp, lp);
}

LRESULT WindowPeer::HandleNativeMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const std::shared_ptr<bool> alive = FAlive;
    switch (msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT r = DefaultProc(msg, wp, lp, true);
            if (*alive) FControl.HandleFocusChanged(msg == WM_SETFOCUS);
            return r;
        }
        case WM_CONTEXTMENU: return ContextMenu(wp, lp, true);
        default: return DefaultProc(msg, wp, lp, true);
    }
}

LRESULT WindowPeer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT menuResult = 0;
    if (Win32().HandleMenuMessage(msg, wp, lp, menuResult)) return menuResult;
    if (HandleMouse(msg, wp, lp)) return 0;
    const std::shared_ptr<bool> alive = FAlive;
    switch (msg) {
        case WM_ERASEBKGND: {
            if (FKind == PeerKind::Form) {
                RECT r{};
                GetClientRect(FWindow, &r);
                FillRect(reinterpret_cast<HDC>(wp), &r, SolidBrushFor(ColorToRGB(FControl.Color())));
            }
            return 1;  // self-painted controls paint all of themselves, through a buffer
        }
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(FWindow, &ps);
            if (dc && FKind == PeerKind::Custom) PaintInto(dc);
            EndPaint(FWindow, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            HDC dc = reinterpret_cast<HDC>(wp);
            if (FKind == PeerKind::Custom) {
                PaintInto(dc);
            } else {
                RECT r{};
                GetClientRect(FWindow, &r);
                FillRect(dc, &r, SolidBrushFor(ColorToRGB(FControl.Color())));
            }
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: FControl.HandleFocusChanged(msg == WM_SETFOCUS); return 0;
        case WM_CONTEXTMENU: return ContextMenu(wp, lp, false);
        case WM_COMMAND:
            if (HandleCommand(wp, lp)) return 0;
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const LRESULT brush = HandleChildColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
            if (brush) return brush;
            break;
        }
        case DM_GETDEFID:
            if (FKind == PeerKind::Form) {
                TButton* button = FindButton(FControl, [](const TButton& b) { return b.Default(); });
                if (!button || !button->Peer()) return 0;
                return MAKELRESULT(GetDlgCtrlID(WindowOf(*button)), DC_HASDEFID);
            }
            break;
        case WM_ACTIVATE:
            if (TForm* form = Form()) {
                form->HandleActivate(LOWORD(wp));
                if (!*alive) return 0;
            }
            break;
        case WM_MOVE:
        case WM_SIZE:
            if (FKind == PeerKind::Form && FCreated) ReportBounds(msg == WM_MOVE, msg == WM_SIZE);
            if (!*alive) return 0;
            break;
        case WM_CLOSE:
            if (TForm* form = Form()) {
                form->HandleCloseRequest();
                return 0;
            }
            break;
        default: break;
    }
    return DefaultProc(msg, wp, lp, false);
}

LRESULT WindowPeer::ContextMenu(WPARAM wp, LPARAM lp, bool native) {
    int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    if (x == -1 && y == -1) {
        // From the keyboard: the menu opens over the middle of the control.
        RECT r{};
        GetWindowRect(FWindow, &r);
        x = (r.left + r.right) / 2;
        y = (r.top + r.bottom) / 2;
    }
    if (FControl.HandleContextMenu(x, y)) return 0;
    // Without a menu of its own, the platform asks the parent.
    return DefaultProc(WM_CONTEXTMENU, wp, lp, native);
}

bool WindowPeer::HandleMouse(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg < WM_MOUSEFIRST || msg > WM_MBUTTONDBLCLK) return false;
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    TShiftState shift = ShiftFrom(wp);
    const TControlStyle style = FControl.ControlStyle();
    TMouseButton button = mbLeft;
    bool down = false, up = false, doubled = false;
    switch (msg) {
        case WM_MOUSEMOVE: FControl.HandleMouseMove(shift, x, y); return false;
        case WM_LBUTTONDOWN: down = true; break;
        case WM_RBUTTONDOWN: button = mbRight; down = true; break;
        case WM_MBUTTONDOWN: button = mbMiddle; down = true; break;
        case WM_LBUTTONDBLCLK: down = doubled = true; break;
        case WM_RBUTTONDBLCLK: button = mbRight; down = doubled = true; break;
        case WM_MBUTTONDBLCLK: button = mbMiddle; down = doubled = true; break;
        case WM_LBUTTONUP: up = true; break;
        case WM_RBUTTONUP: button = mbRight; up = true; break;
        case WM_MBUTTONUP: button = mbMiddle; up = true; break;
        default: return false;
    }
    const std::shared_ptr<bool> alive = FAlive;
    if (down) {
        if (style & csCaptureMouse) SetCapture(FWindow);
        if (doubled && (style & csDoubleClicks)) {
            FControl.HandleDblClick();
            if (!*alive) return true;
            shift |= ssDouble;
        }
        FControl.HandleMouseDown(button, shift, x, y);
    } else if (up) {
        FControl.HandleMouseUp(button, shift, x, y);
        if (!*alive) return true;
        if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == FWindow) ReleaseCapture();
    }
    // The platform still sees the message: a right release becomes a context menu request.
    return false;
}

bool WindowPeer::HandleCommand(WPARAM wp, LPARAM lp) {
    const WORD code = HIWORD(wp), id = LOWORD(wp);
    if (lp == 0) {
        // Escape and Enter in a form without a button of those ids: the cancel or default button.
        if (FKind != PeerKind::Form || (id != IDOK && id != IDCANCEL)) return false;
        TButton* button = id == IDCANCEL ? FindButton(FControl, [](const TButton& b) { return b.Cancel(); })
                                         : FindButton(FControl, [](const TButton& b) { return b.Default(); });
        if (button && button->Enabled()) button->HandleClick();
        return true;
    }
    WindowPeer* child = FromHandle(reinterpret_cast<HWND>(lp));
    if (!child) return false;
    switch (child->Kind()) {
        case PeerKind::Button:
            if (code == BN_CLICKED) child->Control().HandleClick();
            return true;
        case PeerKind::CheckBox:
            if (code == BN_CLICKED) static_cast<TCheckBox&>(child->Control()).HandleToggled();
            return true;
        case PeerKind::Edit:
            if (code == EN_CHANGE && !child->FSettingText)
                static_cast<TEdit&>(child->Control()).HandleTextEdited(WindowText(child->Handle()));
            return true;
        default: return false;
    }
}

LRESULT WindowPeer::HandleChildColor(HDC dc, HWND childWindow) {
    WindowPeer* child = FromHandle(childWindow);
    if (!child || (child->Kind() != PeerKind::Edit && child->Kind() != PeerKind::CheckBox)) return 0;
    const TColor back = ColorToRGB(child->Control().Color());
    SetTextColor(dc, ColorToRGB(child->Control().Font().Color()));
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(SolidBrushFor(back));
}

void WindowPeer::ReportBounds(bool moved, bool sized) {
    TForm* form = Form();
    RECT r{};
    GetWindowRect(FWindow, &r);
    // A minimized window keeps its normal bounds in the form.
    const TRect bounds = IsIconic(FWindow) ? form->BoundsRect() : TRect{r.left, r.top, r.right, r.bottom};
    const std::shared_ptr<bool> alive = FAlive;
    if (moved) form->HandleMove(bounds);
    if (sized && *alive) form->HandleSize(bounds);
}

}  // namespace ui::win32
