#include "ui/win32/WindowPeer.h"

#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "platform/ShellNamespace.h"
#include "platform/StartTimeline.h"
#include "platform/Utf.h"
#include "platform/win32/WinText.h"
#include "ui/GuardedCall.h"
#include "ui/win32/CustomDraw.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WinHandles.h"

namespace ui::win32 {

using platform::win32::W;

namespace {
// Which window is whose, and a native window's own procedure under ours: asked on every
// message, so kept here rather than in window properties, which cost a trip to the window server
// each under Wine.
struct WindowEntry {
    WindowPeer* Peer;
    WNDPROC Native;
};
struct WindowTable {
    std::mutex Lock;
    std::unordered_map<HWND, WindowEntry> Entries;
};

// Never freed: a window may still get its last messages while the program's statics go.
WindowTable& Windows() {
    static auto* table = new WindowTable;
    return *table;
}

void Register(HWND window, WindowPeer* peer, WNDPROC native = nullptr) {
    const std::lock_guard guard(Windows().Lock);
    Windows().Entries[window] = {peer, native};
}

WindowEntry Lookup(HWND window) {
    const std::lock_guard guard(Windows().Lock);
    const auto found = Windows().Entries.find(window);
    return found == Windows().Entries.end() ? WindowEntry{nullptr, nullptr} : found->second;
}

// The peer goes; a native window whose procedure stays in the chain keeps it until destroyed.
void Orphan(HWND window) {
    const std::lock_guard guard(Windows().Lock);
    if (auto found = Windows().Entries.find(window); found != Windows().Entries.end()) found->second.Peer = nullptr;
}

void Unregister(HWND window) {
    const std::lock_guard guard(Windows().Lock);
    Windows().Entries.erase(window);
}
// Child window ids start above the dialog ids IDOK and IDCANCEL, which dialog keys send.
int nextChildId = 100;

// What a popup menu with owner-drawn items sends its owner window.
bool IsOwnerDrawnMenuMessage(UINT msg) {
    return msg == WM_DRAWITEM || msg == WM_MEASUREITEM || msg == WM_INITMENUPOPUP || msg == WM_MENUCHAR;
}

bool IsPress(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

// The button of a press.
TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: return mbRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: return mbMiddle;
        default: return mbLeft;
    }
}

unsigned ButtonBit(TMouseButton button) { return 1u << static_cast<unsigned>(button); }

int ButtonKey(TMouseButton button) { return button == mbRight ? VK_RBUTTON : button == mbMiddle ? VK_MBUTTON : VK_LBUTTON; }
}  // namespace

const wchar_t* const FormClass = L"NimbrelForm";
const wchar_t* const ControlClass = L"NimbrelControl";

HMENU NextChildId() {
    const int id = nextChildId;
    nextChildId = nextChildId >= 0xFFFF ? 100 : nextChildId + 1;
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

TShiftState ShiftFromMouse(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState ShiftFromKeyboard() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

HWND WindowOf(const TWinControl& control) {
    auto* peer = dynamic_cast<WindowPeer*>(control.Peer());
    return peer ? peer->Handle() : nullptr;
}

WindowPeer* WindowPeer::FromHandle(HWND window) { return window ? Lookup(window).Peer : nullptr; }

WindowPeer::WindowPeer(TWinControl& control) : FControl(control) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        // Double clicks always arrive; controls that do not want them see a second press instead.
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = FormClass;
        RegisterClassExW(&wc);
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpszClassName = ControlClass;
        RegisterClassExW(&wc);
        return true;
    }();
    (void)registered;
}

void WindowPeer::CreateHandle(const wchar_t* windowClass, TCreateParams params, HWND parent, HMENU id, bool native) {
    FNative = native;
    if (!FControl.Enabled()) params.Style |= WS_DISABLED;
    const TRect b = FControl.BoundsRect();
    HWND made = CreateWindowExW(params.ExStyle, windowClass, W(FControl.Caption()), params.Style, b.Left, b.Top,
                                b.Width(), b.Height(), parent, id, GetModuleHandleW(nullptr), this);
    if (!made) throw std::runtime_error("CreateWindowExW failed for " + platform::ToUtf8(FControl.ClassName()));
    FWindow = made;
    CountUserObject(1);
    if (native) {
        // The platform's own window procedure stays underneath ours. (The common controls' own
        // subclassing service would do the same at the price of a window property read per
        // message, which the window server answers under Wine.)
        FNativeProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(made, GWLP_WNDPROC));
        Register(made, this, FNativeProc);
        SetWindowLongPtrW(made, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeProc));
    }
    if (parent && FControl.TabOrder() >= 0) OrderSiblingsByTab();
}

WindowPeer::~WindowPeer() {
    *FAlive = false;
    if (!FWindow) return;
    // A native window gets its own procedure back while ours is on top; under a later subclass
    // ours stays in the chain and passes everything down.
    if (FNative && GetWindowLongPtrW(FWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&NativeProc)) {
        SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FNativeProc));
        Unregister(FWindow);
    } else if (FNative) {
        Orphan(FWindow);
    } else {
        Unregister(FWindow);
    }
    // The window's last messages no longer find this peer: its count goes here.
    if (DestroyWindow(FWindow)) CountUserObject(-1);
}

// ---- state from the component ---------------------------------------------------------------

void WindowPeer::SetBounds(const TRect& b) {
    SetWindowPos(FWindow, nullptr, b.Left, b.Top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPeer::SetText(const std::u16string& text) {
    FSettingText = true;
    SetWindowTextW(FWindow, W(text));
    FSettingText = false;
}

void WindowPeer::SetVisible(bool visible) { ShowWindow(FWindow, visible ? SW_SHOWNA : SW_HIDE); }

void WindowPeer::SetEnabled(bool enabled) { EnableWindow(FWindow, enabled ? TRUE : FALSE); }

void WindowPeer::AppearanceChanged() {
    if (FNative) SendMessageW(FWindow, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(FControl.Font())), FALSE);
    ::InvalidateRect(FWindow, nullptr, TRUE);
}

KeyboardCues WindowPeer::Cues() const {
    const auto state = static_cast<UINT>(SendMessageW(FWindow, WM_QUERYUISTATE, 0, 0));
    return {(state & UISF_HIDEACCEL) == 0, (state & UISF_HIDEFOCUS) == 0};
}

void WindowPeer::TabChanged() {
    const LONG_PTR style = GetWindowLongPtrW(FWindow, GWL_STYLE);
    const LONG_PTR wanted = FControl.TabStop() ? style | WS_TABSTOP : style & ~WS_TABSTOP;
    if (wanted != style) SetWindowLongPtrW(FWindow, GWL_STYLE, wanted);
    OrderSiblingsByTab();
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
    // The Tab key follows the windows' order.
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](const auto& a, const auto& b) { return TWinControl::TabsBefore(a.first, b.first); });
    // Only when the windows are not in that order already: each move costs a message round.
    HWND previous = nullptr;
    bool ordered = true;
    for (const auto& [control, window] : siblings) {
        HWND expected = previous ? GetWindow(previous, GW_HWNDNEXT) : GetWindow(window, GW_HWNDFIRST);
        while (expected && expected != window && !FromHandle(expected)) expected = GetWindow(expected, GW_HWNDNEXT);
        if (expected != window) {
            ordered = false;
            break;
        }
        previous = window;
    }
    if (ordered) return;
    // Each to the top, last first, so that the first ends on top.
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
        SetWindowPos(it->second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowPeer::Invalidate() { ::InvalidateRect(FWindow, nullptr, FNative ? TRUE : FALSE); }

void WindowPeer::InvalidateRect(const TRect& part) {
    // Erased first: what is painted there may not cover all of it.
    const RECT r{part.Left, part.Top, part.Right, part.Bottom};
    ::InvalidateRect(FWindow, &r, TRUE);
}

void WindowPeer::Update() { UpdateWindow(FWindow); }

void WindowPeer::SetFocus() { ::SetFocus(FWindow); }

bool WindowPeer::Focused() const { return FWindow && GetFocus() == FWindow; }

void WindowPeer::SetCapture(bool capture) {
    if (capture) {
        if (GetCapture() != FWindow) ::SetCapture(FWindow);
    } else if (GetCapture() == FWindow) {
        ReleaseCapture();
    }
}

TSize WindowPeer::ClientSizeFor(int width, int height) const {
    RECT frame{0, 0, 0, 0};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(FWindow, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(FWindow, GWL_EXSTYLE));
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {std::max(0L, width - (frame.right - frame.left)), std::max(0L, height - (frame.bottom - frame.top))};
}

TPoint WindowPeer::ClientOrigin() const {
    POINT p{0, 0};
    ClientToScreen(FWindow, &p);
    return {p.x, p.y};
}

std::unique_ptr<CanvasSurface> WindowPeer::DirectSurface() {
    HWND window = FWindow;
    HDC dc = HeldGdi(GetDC(window));
    if (!dc) return nullptr;
    return std::make_unique<GdiSurface>(dc, [window, dc] {
        if (ReleaseDC(window, dc)) CountGdiObject(-1);
    });
}

// ---- messages -------------------------------------------------------------------------------

LRESULT CALLBACK WindowPeer::WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* peer = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (peer) {
            peer->FWindow = window;
            Register(window, peer);
        }
    }
    WindowPeer* self = FromHandle(window);
    if (!self) return DefWindowProcW(window, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        Unregister(window);
        self->FWindow = nullptr;
        CountUserObject(-1);
        return DefWindowProcW(window, msg, wp, lp);
    }
    return self->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK WindowPeer::NativeProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    const WindowEntry entry = Lookup(window);
    if (!entry.Native) return DefWindowProcW(window, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        Unregister(window);
        if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&NativeProc))
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.Native));
        if (entry.Peer) {
            entry.Peer->FWindow = nullptr;
            CountUserObject(-1);
        }
        return CallWindowProcW(entry.Native, window, msg, wp, lp);
    }
    if (!entry.Peer) return CallWindowProcW(entry.Native, window, msg, wp, lp);
    return entry.Peer->Dispatch(msg, wp, lp);
}

LRESULT WindowPeer::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    // A handler may free the control (and this peer) in the middle of the message.
    const std::shared_ptr<bool> alive = FAlive;
    LRESULT result = 0;
    ++FDepth;
    GuardedCall([&] { result = HandleMessage(msg, wp, lp); });
    if (!*alive) return result;
    if (msg == WM_PAINT) MarkPainted();
    // Only the outermost message gives the borrowed surface back: a handler that sent itself a
    // message (focus, say) still draws on it afterwards.
    if (--FDepth == 0) GuardedCall([this] { FControl.ReleaseDirectSurface(); });
    return result;
}

void WindowPeer::MarkPainted() const {
#ifdef NIMBREL_TIMELINE
    const std::string name = platform::ToUtf8(FControl.Name().empty() ? FControl.ClassName() : FControl.Name());
    platform::MarkFirstPaint(name.c_str());
#endif
}

LRESULT WindowPeer::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (!FWindow) return 0;
    return FNative ? CallWindowProcW(FNativeProc, FWindow, msg, wp, lp) : DefWindowProcW(FWindow, msg, wp, lp);
}

bool WindowPeer::HandleFamilyMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT WindowPeer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (IsOwnerDrawnMenuMessage(msg))
        if (platform::ShellContextMenu* menu = FControl.ShownShellMenu()) {
            menu->HandleMenuMessage(msg, wp, lp);
            return 0;
        }
    if (!FNative && Win32().HandleMenuMessage(msg, wp, lp, result)) return result;
    if (HandleFamilyMessage(msg, wp, lp, result)) return result;
    const std::shared_ptr<bool> alive = FAlive;
    if (RoutesMouse() && HandleMouse(msg, wp, lp)) return 0;
    if (!*alive) return 0;
    if (FNative && RoutesMouse() && IsPress(msg)) return PressThroughNative(msg, wp, lp);
    switch (msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            // The platform's own control updates itself first (caret, default button look).
            const LRESULT r = FNative ? DefaultProc(msg, wp, lp) : 0;
            if (*alive) FControl.HandleFocusChanged(msg == WM_SETFOCUS);
            return r;
        }
        case WM_GETDLGCODE: return DialogCode(wp, lp);
        case WM_UPDATEUISTATE: {
            // Cues shown or hidden: a control that draws them draws itself again.
            const LRESULT r = DefaultProc(msg, wp, lp);
            if (!FNative) ::InvalidateRect(FWindow, nullptr, FALSE);
            return r;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (FControl.HandleKeyDown(static_cast<std::uint16_t>(wp), ShiftFromKeyboard())) return 0;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (FControl.HandleKeyUp(static_cast<std::uint16_t>(wp), ShiftFromKeyboard())) return 0;
            break;
        case WM_CHAR:
            if (FControl.HandleKeyPress(static_cast<char16_t>(wp))) return 0;
            break;
        case WM_MOUSEWHEEL: {
            const TPoint screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (FControl.HandleMouseWheel(ShiftFromMouse(GET_KEYSTATE_WPARAM(wp)), GET_WHEEL_DELTA_WPARAM(wp), screen))
                return 0;
            break;  // the platform passes an untaken turn on to the parent
        }
        case WM_MOUSELEAVE:
            FTrackingLeave = false;
            FControl.HandleMouseLeave();
            break;
        case WM_CAPTURECHANGED:
            // Let go on the release that is being handled, the mouse is not lost.
            if (reinterpret_cast<HWND>(lp) != FWindow && !FReleasingOnUp) FControl.HandleCaptureLost();
            break;
        case WM_CANCELMODE:
            FControl.HandleCaptureLost();
            if (*alive && GetCapture() == FWindow) ReleaseCapture();
            break;
        case WM_CONTEXTMENU: return ContextMenu(wp, lp);
        case WM_COMMAND:
            if (lp != 0) {
                WindowPeer* child = FromHandle(reinterpret_cast<HWND>(lp));
                if (child && child->OnReflectedCommand(HIWORD(wp))) return 0;
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lp);
            WindowPeer* child = header ? FromHandle(header->hwndFrom) : nullptr;
            if (child && child->OnReflectedNotify(header, result)) return result;
            break;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            WindowPeer* child = FromHandle(reinterpret_cast<HWND>(lp));
            if (HBRUSH brush = child ? child->OnReflectedColor(reinterpret_cast<HDC>(wp)) : nullptr)
                return reinterpret_cast<LRESULT>(brush);
            break;
        }
        default: break;
    }
    if (!*alive) return 0;
    return DefaultProc(msg, wp, lp);
}

LRESULT WindowPeer::DialogCode(WPARAM wp, LPARAM lp) {
    LRESULT code = FNative ? DefaultProc(WM_GETDLGCODE, wp, lp) : 0;
    const TWantedKeys wanted = FControl.WantedKeys();
    if (wanted & wkArrows) code |= DLGC_WANTARROWS;
    if (wanted & wkChars) code |= DLGC_WANTCHARS;
    if (wanted & wkTab) code |= DLGC_WANTTAB;
    // Enter and Escape are asked for one key at a time: the dialog keeps them otherwise. A drag
    // in progress takes Escape to end itself.
    if (const auto* msg = reinterpret_cast<const MSG*>(lp); msg && msg->message == WM_KEYDOWN) {
        const bool dragging = FControl.Dragging();
        if ((msg->wParam == VK_RETURN && (wanted & wkEnter)) ||
            (msg->wParam == VK_ESCAPE && ((wanted & wkEscape) || dragging)))
            code |= DLGC_WANTMESSAGE;
    }
    return code;
}

LRESULT WindowPeer::ContextMenu(WPARAM wp, LPARAM lp) {
    int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    const bool fromKeyboard = x == -1 && y == -1;
    if (fromKeyboard) {
        // From the keyboard: the menu opens over the middle of the control.
        RECT r{};
        GetWindowRect(FWindow, &r);
        x = (r.left + r.right) / 2;
        y = (r.top + r.bottom) / 2;
    }
    if (FControl.HandleContextMenu(x, y, !fromKeyboard)) return 0;
    // Without a menu of its own, the platform asks the parent.
    return DefaultProc(WM_CONTEXTMENU, wp, lp);
}

bool WindowPeer::HandleMouse(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg < WM_MOUSEFIRST || msg > WM_MBUTTONDBLCLK) return false;
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    const TShiftState shift = ShiftFromMouse(wp);
    TMouseButton button = mbLeft;
    bool down = false, up = false, doubled = false;
    switch (msg) {
        case WM_MOUSEMOVE:
            if (!FTrackingLeave) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FWindow, 0};
                FTrackingLeave = TrackMouseEvent(&track) != FALSE;
            }
            FControl.HandleMouseMove(shift, x, y);
            return false;
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
    if (down) FAwaitingRelease |= ButtonBit(button);
    if (up) FAwaitingRelease &= ~ButtonBit(button);
    if (down) {
        if (FControl.ControlStyle() & csCaptureMouse) {
            SetCapture(true);
            FCapturedOnPress = true;
        }
        FControl.HandleMouseDown(button, shift, x, y, doubled);
    } else if (up) {
        // The last button up lets the mouse go, unless a drag still holds it; a platform control
        // that took the mouse itself keeps its own. It goes before the release is handled: a
        // click may open a modal window, which must get the mouse while this one waits.
        if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && !FControl.Dragging() && FCapturedOnPress) {
            FCapturedOnPress = false;
            FReleasingOnUp = true;
            SetCapture(false);
            FReleasingOnUp = false;
        }
        FControl.HandleMouseUp(button, shift, x, y);
        if (!*alive) return true;
    }
    // The platform still sees the message: a right release becomes a context menu request.
    return !*alive;
}

LRESULT WindowPeer::PressThroughNative(UINT msg, WPARAM wp, LPARAM lp) {
    const std::shared_ptr<bool> alive = FAlive;
    const TMouseButton button = ButtonOf(msg);
    // A tree runs its own drag detection inside the press and keeps the release when the button
    // comes up before the pointer moved away: the component would stay pressed for good.
    const LRESULT result = DefaultProc(msg, wp, lp);
    if (!*alive || !(FAwaitingRelease & ButtonBit(button))) return result;
    if (GetKeyState(ButtonKey(button)) < 0) return result;  // still held: a drag, released later
    FAwaitingRelease &= ~ButtonBit(button);
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(FWindow, &at);
    FControl.HandleMouseUp(button, ShiftFromKeyboard(), at.x, at.y);
    return result;
}

bool WindowPeer::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    if (header->code == NM_CUSTOMDRAW) return BridgeCustomDraw(*this, *reinterpret_cast<NMCUSTOMDRAW*>(header), result);
    return false;
}

void WindowPeer::ApplyItemColors(NMCUSTOMDRAW& draw, COLORREF text, COLORREF back) {
    SetTextColor(draw.hdc, text);
    SetBkColor(draw.hdc, back);
}

std::u16string WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return platform::win32::U16(buffer.data(), static_cast<std::size_t>(std::max(0, copied)));
}

}  // namespace ui::win32
