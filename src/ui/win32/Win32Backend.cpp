#include "ui/win32/Win32Backend.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/win32/WinText.h"
#include "ui/Application.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/WindowPeer.h"

namespace ui {

UiBackend& DefaultBackend() { return win32::Win32(); }

namespace win32 {

using platform::win32::W;

Win32Backend& Win32() {
    static Win32Backend backend;
    return backend;
}

Win32Backend::Win32Backend() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

Win32Backend::~Win32Backend() {
    if (FApplicationWindow) DestroyWindow(FApplicationWindow);
}

HWND Win32Backend::ApplicationWindow() {
    if (FApplicationWindow) return FApplicationWindow;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &ApplicationProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"NimbrelApplication";
    RegisterClassExW(&wc);
    // Never shown: it stands for the program (its title) and owns the forms.
    FApplicationWindow = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, W(Application().Title()), WS_POPUP, 0, 0, 0,
                                         0, nullptr, nullptr, wc.hInstance, nullptr);
    return FApplicationWindow;
}

LRESULT CALLBACK Win32Backend::ApplicationProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    Win32Backend& self = Win32();
    try {
        LRESULT result = 0;
        if (self.HandleMenuMessage(msg, wp, lp, result)) return result;
        if (msg == WM_TIMER) {
            auto found = self.FTimers.find(wp);
            if (found != self.FTimers.end()) found->second->HandleTimer();
            return 0;
        }
    } catch (const std::exception& error) {
        Application().HandleException(error);
        return 0;
    } catch (...) {
        Application().HandleException(std::runtime_error("unknown error"));
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

TColor Win32Backend::SystemColor(int index) { return static_cast<TColor>(GetSysColor(index)); }

std::unique_ptr<ControlPeer> Win32Backend::CreatePeer(TWinControl& control, PeerKind kind) {
    return std::make_unique<WindowPeer>(control, kind);
}

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
    WindowPeer* form = WindowPeer::FromHandle(root);
    if (form && form->Kind() == PeerKind::Form) {
        // Accelerators: Alt with a key always, a plain key unless an edit field wants it.
        WindowPeer* focused = WindowPeer::FromHandle(GetFocus());
        const bool toEdit = focused && focused->Kind() == PeerKind::Edit;
        if (msg.message == WM_SYSCHAR || (msg.message == WM_CHAR && !toEdit && msg.wParam > L' ')) {
            bool taken = false;
            try {
                taken = form->Control().HandleDialogChar(static_cast<char16_t>(msg.wParam));
            } catch (const std::exception& error) {
                Application().HandleException(error);
                taken = true;
            } catch (...) {
                Application().HandleException(std::runtime_error("unknown error"));
                taken = true;
            }
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

int Win32Backend::MessageBox(const std::u16string& text, const std::u16string& caption, unsigned flags) {
    HWND owner = GetActiveWindow();
    if (!WindowPeer::FromHandle(owner)) owner = ApplicationWindow();
    return MessageBoxW(owner, W(text), W(caption), flags);
}

void Win32Backend::SetApplicationTitle(const std::u16string& title) { SetWindowTextW(ApplicationWindow(), W(title)); }

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
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

TRect Win32Backend::WorkArea() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace win32
}  // namespace ui
