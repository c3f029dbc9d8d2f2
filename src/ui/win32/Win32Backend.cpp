#include "platform/StartTimeline.h"
#include "ui/win32/Win32Backend.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/WinText.h"
#include "ui/Application.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/GuardedCall.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/win32/ButtonWindow.h"
#include "ui/win32/CheckBoxWindow.h"
#include "ui/win32/ComboBoxExWindow.h"
#include "ui/win32/ComboBoxWindow.h"
#include "ui/win32/CustomWindow.h"
#include "ui/win32/EditWindow.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/ListViewWindow.h"
#include "ui/win32/TreeViewWindow.h"
#include "ui/win32/Win32ImageList.h"
#include "ui/win32/WindowPeer.h"

namespace ui {

UiBackend& DefaultBackend() { return win32::Win32(); }

namespace win32 {

using platform::win32::W;

Win32Backend& Win32() {
    static Win32Backend backend;
    return backend;
}

namespace {
// Work handed over from another thread waits in the queue; this message wakes the GUI thread.
constexpr UINT WorkWaiting = WM_APP + 0x4E42;
}  // namespace

Win32Backend::Win32Backend() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    platform::MarkStart("backend: begun");
    InitCommonControlsEx(&icc);
    platform::MarkStart("backend: common controls");
    // The shell's folders, context menus and drag and drop want OLE on the GUI thread.
    if (!Application().ShellServicesOnDemand()) StartShellServices();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &ApplicationProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"NimbrelApplication";
    RegisterClassExW(&wc);
    // Never shown: it stands for the program (its title) and owns the forms. Made here, on the
    // GUI thread, so that other threads only ever post to it.
    FApplicationWindow = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, W(Application().Title()), WS_POPUP, 0, 0, 0,
                                         0, nullptr, nullptr, wc.hInstance, nullptr);
    // From here on its messages reach this backend (not while it is being made: the backend's
    // own construction is not finished then).
    if (FApplicationWindow) SetWindowLongPtrW(FApplicationWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    platform::MarkStart("backend: app window");
}

Win32Backend::~Win32Backend() {
    FWork.Discard(nullptr);
    if (FApplicationWindow) {
        SetWindowLongPtrW(FApplicationWindow, GWLP_USERDATA, 0);
        DestroyWindow(FApplicationWindow);
    }
    if (FOleInitialized) OleUninitialize();
}

void Win32Backend::StartShellServices() {
    // OLE belongs to the thread that starts it: only the GUI thread's asking counts.
    if (FOleStarted || std::this_thread::get_id() != FGuiThread) return;
    FOleStarted = true;
    FOleInitialized = SUCCEEDED(OleInitialize(nullptr));
    platform::MarkStart("backend: OLE");
}

LRESULT CALLBACK Win32Backend::ApplicationProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    auto* backend = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!backend) return DefWindowProcW(window, msg, wp, lp);
    Win32Backend& self = *backend;
    LRESULT result = 0;
    bool handled = false;
    GuardedCall([&] {
        if (self.HandleMenuMessage(msg, wp, lp, result)) {
            handled = true;
        } else if (msg == WM_TIMER) {
            auto found = self.FTimers.find(wp);
            if (found != self.FTimers.end()) found->second->HandleTimer();
            handled = true;
        } else if (msg == WorkWaiting) {
            // What is waiting now; work handed over meanwhile has its own wake-up message.
            self.FWork.RunWaiting(self.FWork.Waiting());
            handled = true;
        } else if (msg == WM_SETTINGCHANGE) {
            RefreshMenuFont();
        }
    });
    return handled ? result : DefWindowProcW(window, msg, wp, lp);
}

TColor Win32Backend::SystemColor(int index) { return static_cast<TColor>(GetSysColor(index)); }

std::unique_ptr<FormPeer> Win32Backend::CreateForm(TForm& form) { return std::make_unique<FormWindow>(form); }
std::unique_ptr<CustomPeer> Win32Backend::CreateCustomControl(TWinControl& control) {
    return std::make_unique<CustomWindow>(control);
}
std::unique_ptr<ButtonPeer> Win32Backend::CreateButton(TButton& button) { return std::make_unique<ButtonWindow>(button); }
std::unique_ptr<EditPeer> Win32Backend::CreateEdit(TEdit& edit) { return std::make_unique<EditWindow>(edit); }
std::unique_ptr<ComboBoxPeer> Win32Backend::CreateComboBox(TComboBox& box) {
    return std::make_unique<ComboBoxWindow>(box);
}
std::unique_ptr<ComboBoxExPeer> Win32Backend::CreateComboBoxEx(TComboBoxEx& box) {
    return std::make_unique<ComboBoxExWindow>(box);
}
std::unique_ptr<CheckBoxPeer> Win32Backend::CreateCheckBox(TCheckBox& box) {
    return std::make_unique<CheckBoxWindow>(box);
}
std::unique_ptr<TreeViewPeer> Win32Backend::CreateTreeView(TTreeView& tree) {
    return std::make_unique<TreeViewWindow>(tree);
}
std::unique_ptr<ListViewPeer> Win32Backend::CreateListView(TListView& list) {
    return std::make_unique<ListViewWindow>(list);
}
std::unique_ptr<ImageListPeer> Win32Backend::CreateImageList(int width, int height) {
    return std::make_unique<Win32ImageList>(width, height);
}

// ---- work from other threads ----------------------------------------------------------------

void Win32Backend::Post(const void* owner, std::function<void()> work) {
    FWork.Post(owner, std::move(work), [this] { PostMessageW(FApplicationWindow, WorkWaiting, 0, 0); });
}

bool Win32Backend::Send(const void* owner, std::function<void()> work) {
    if (std::this_thread::get_id() == FGuiThread) {
        GuardedCall(work);
        return true;
    }
    return FWork.Send(owner, std::move(work), [this] { PostMessageW(FApplicationWindow, WorkWaiting, 0, 0); });
}

void Win32Backend::DiscardPosted(const void* owner) { FWork.Discard(owner); }

// ---- timers ---------------------------------------------------------------------------------

struct Win32Timer : TimerPeer {
    explicit Win32Timer(TTimer& owner) : Owner(owner), Id(Win32().FNextTimerId++) { Win32().FTimers[Id] = &owner; }
    ~Win32Timer() override {
        Stop();
        Win32().FTimers.erase(Id);
    }
    void Set(bool enabled, unsigned interval) override {
        Stop();
        // A zero interval means a stopped timer, not a busy one.
        if (enabled && interval > 0) Running = SetTimer(Win32().ApplicationWindow(), Id, interval, nullptr) != 0;
    }
    void Stop() {
        if (Running) KillTimer(Win32().ApplicationWindow(), Id);
        Running = false;
    }
    TTimer& Owner;
    UINT_PTR Id;
    bool Running = false;
};

std::unique_ptr<TimerPeer> Win32Backend::CreateTimer(TTimer& timer) { return std::make_unique<Win32Timer>(timer); }

// ---- message loops --------------------------------------------------------------------------

void Win32Backend::Dispatch(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    auto* form = dynamic_cast<FormWindow*>(WindowPeer::FromHandle(root));
    if (form) {
        // Accelerators: Alt with a key always, a plain key unless the focused control takes typing.
        WindowPeer* focused = WindowPeer::FromHandle(GetFocus());
        const bool typing = focused && (dynamic_cast<EditWindow*>(focused) || (focused->Control().WantedKeys() & wkChars));
        // The keyboard in use shows its cues: Alt the accelerators and the focus, Tab and the
        // arrows the focus.
        const bool arrowOrTab = msg.message == WM_KEYDOWN && (msg.wParam == VK_TAB || (msg.wParam >= VK_LEFT && msg.wParam <= VK_DOWN));
        if (msg.message == WM_SYSKEYDOWN || arrowOrTab) {
            const WORD cues = msg.message == WM_SYSKEYDOWN ? UISF_HIDEACCEL | UISF_HIDEFOCUS : UISF_HIDEFOCUS;
            SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
        }
        if (msg.message == WM_SYSCHAR || (msg.message == WM_CHAR && !typing && msg.wParam > L' ')) {
            bool taken = false;
            if (!GuardedCall([&] { taken = form->Control().HandleDialogChar(static_cast<char16_t>(msg.wParam)); }))
                taken = true;
            if (taken) return;
        }
        // Tab between controls, Enter and Escape for the default and cancel buttons.
        if (IsDialogMessageW(root, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Backend::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            Application().Terminate();
            return;
        }
        Dispatch(msg);
    }
}

void Win32Backend::RunUntil(const std::function<bool()>& done) {
    MSG msg;
    while (!done() && !Application().Terminated()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            Application().Terminate();
            return;
        }
        if (got == -1) return;
        Dispatch(msg);
    }
}

TMsgAnswer Win32Backend::MessageBox(const std::u16string& text, const std::u16string& caption, TMsgIcon icon,
                                   TMsgButtons buttons) {
    HWND owner = GetActiveWindow();
    if (!WindowPeer::FromHandle(owner)) owner = ApplicationWindow();
    UINT flags = buttons == TMsgButtons::OkCancel ? MB_OKCANCEL : buttons == TMsgButtons::YesNo ? MB_YESNO : MB_OK;
    switch (icon) {
        case TMsgIcon::Error: flags |= MB_ICONERROR; break;
        case TMsgIcon::Question: flags |= MB_ICONQUESTION; break;
        case TMsgIcon::Warning: flags |= MB_ICONWARNING; break;
        case TMsgIcon::Information: flags |= MB_ICONINFORMATION; break;
        case TMsgIcon::None: break;
    }
    switch (MessageBoxW(owner, W(text), W(caption), flags)) {
        case IDCANCEL: return TMsgAnswer::Cancel;
        case IDYES: return TMsgAnswer::Yes;
        case IDNO: return TMsgAnswer::No;
        default: return TMsgAnswer::Ok;
    }
}

void Win32Backend::SetApplicationTitle(const std::u16string& title) { SetWindowTextW(FApplicationWindow, W(title)); }

void Win32Backend::DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) {
    auto images = reinterpret_cast<HIMAGELIST>(list);
    if (auto* gdi = dynamic_cast<GdiSurface*>(&surface)) {
        ImageList_Draw(images, index, gdi->Dc(), x, y, ILD_TRANSPARENT);
        return;
    }
    // A surface without a device context (a picture in memory): draw over a copy of its pixels.
    int cx = 0, cy = 0;
    if (!ImageList_GetIconSize(images, &cx, &cy) || cx <= 0 || cy <= 0) return;
    WindowDc screen(nullptr);
    DibBuffer buffer(screen.Get(), cx, cy);
    if (!buffer.Valid()) return;
    for (int row = 0; row < cy; ++row)
        for (int col = 0; col < cx; ++col) buffer.Row(row)[col] = SwapRedBlue(surface.GetPixel(x + col, y + row));
    ImageList_Draw(images, index, buffer.Dc(), 0, 0, ILD_TRANSPARENT);
    GdiFlush();
    for (int row = 0; row < cy; ++row)
        for (int col = 0; col < cx; ++col) surface.SetPixel(x + col, y + row, SwapRedBlue(buffer.Row(row)[col] & 0xFFFFFF));
}

TPoint Win32Backend::CursorPos() {
    // Where the pointer was when the message being handled was made, not where it is by now:
    // input handled late (a busy moment) still starts a drag where the press was.
    const DWORD at = GetMessagePos();
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

int Win32Backend::ScreenDpi() { return WindowDpi(nullptr); }

int Win32Backend::SmallIconSize(int dpi) {
    // GetSystemMetricsForDpi exists from Windows 10 (1607) on; before, the metric is the
    // system's, for the system's density.
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    if (forDpi && dpi > 0)
        if (const int size = forDpi(SM_CXSMICON, static_cast<UINT>(dpi)); size > 0) return size;
    const int system = WindowDpi(nullptr);
    return MulDiv(GetSystemMetrics(SM_CXSMICON), dpi > 0 ? dpi : system, system > 0 ? system : 96);
}

TWinControl* Win32Backend::ControlAt(TPoint screen) {
    // The deepest of our windows under the point; a window of the platform's own inside one of
    // ours (an edit's parts) counts as that one.
    for (HWND window = WindowFromPoint(POINT{screen.X, screen.Y}); window; window = GetParent(window))
        if (WindowPeer* peer = WindowPeer::FromHandle(window)) return &peer->Control();
    return nullptr;
}

namespace {
// The pointer while something is dragged: an arrow with a small dotted box beside its tip,
// drawn here as a two-colour cursor (the platform has no such shape among its own).
HCURSOR DragArrowCursor() {
    struct Destroy {
        void operator()(HICON cursor) const { DestroyCursor(cursor); }
    };
    static const std::unique_ptr<std::remove_pointer_t<HICON>, Destroy> cursor = [] {
        constexpr int Size = 32;
        // AND plane (1 leaves the screen) above the XOR plane (1 makes white), a row of 4 bytes each.
        BYTE planes[2 * Size * Size / 8];
        std::fill(planes, planes + Size * Size / 8, 0xFF);
        std::fill(planes + Size * Size / 8, planes + sizeof planes, 0x00);
        auto put = [&](int x, int y, bool white) {
            const int bit = 7 - x % 8, at = y * Size / 8 + x / 8;
            planes[at] &= static_cast<BYTE>(~(1 << bit));
            if (white) planes[Size * Size / 8 + at] |= static_cast<BYTE>(1 << bit);
        };
        // The arrow: a black outline around a white body, its tip at the hot spot.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x <= y * 2 / 3 && x < 11; ++x) put(x, y, x > 0 && x < y * 2 / 3 && y < 15);
        // The box: a dotted black frame with a white inside.
        for (int y = 18; y <= 26; ++y)
            for (int x = 12; x <= 24; ++x) {
                const bool edge = y == 18 || y == 26 || x == 12 || x == 24;
                if (!edge || (x + y) % 2 == 0) put(x, y, !edge);
            }
        return std::unique_ptr<std::remove_pointer_t<HICON>, Destroy>(
            CreateCursor(GetModuleHandleW(nullptr), 0, 0, Size, Size, planes, planes + Size * Size / 8));
    }();
    return cursor ? cursor.get() : LoadCursorW(nullptr, IDC_ARROW);
}
}  // namespace

void Win32Backend::RemoveTaskbarButton() {
    const LONG_PTR style = GetWindowLongPtrW(FApplicationWindow, GWL_EXSTYLE);
    if (style & WS_EX_TOOLWINDOW) return;
    ShowWindow(FApplicationWindow, SW_HIDE);
    SetWindowLongPtrW(FApplicationWindow, GWL_EXSTYLE, style | WS_EX_TOOLWINDOW);
    ShowWindow(FApplicationWindow, SW_SHOW);
}

void Win32Backend::SetScreenCursor(TScreenCursor cursor) {
    FScreenCursor = cursor;
    // Busy work runs without handling messages, so the cursor set here stays until it ends.
    SetCursor(LoadCursorW(nullptr, cursor == TScreenCursor::HourGlass ? IDC_WAIT : IDC_ARROW));
}

void Win32Backend::SetDragCursor(TDragCursor cursor) {
    switch (cursor) {
        case TDragCursor::Drag: SetCursor(DragArrowCursor()); break;
        case TDragCursor::NoDrop: SetCursor(LoadCursorW(nullptr, IDC_NO)); break;
        case TDragCursor::Arrow: SetCursor(LoadCursorW(nullptr, IDC_ARROW)); break;
    }
}

TRect Win32Backend::WorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right, r.bottom};
}

TRect Win32Backend::WorkAreaAt(TPoint at) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(POINT{at.X, at.Y}, MONITOR_DEFAULTTONEAREST), &info)) return WorkArea();
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

TShiftState Win32Backend::KeyboardShift() { return ShiftFromKeyboard(); }

}  // namespace win32
}  // namespace ui
