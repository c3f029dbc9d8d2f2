#pragma once
// The widget backend on the real platform: windows, GDI, timers, menus and message loops.
#include "ui/win32/Win.h"

#include <map>

#include "ui/Backend.h"
#include "ui/win32/WinHandles.h"

namespace ui {
class TMenuItem;
}

namespace ui::win32 {

class Win32Backend : public UiBackend {
public:
    Win32Backend();
    ~Win32Backend() override;

    TColor SystemColor(int index) override;
    std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control, PeerKind kind) override;
    std::unique_ptr<TimerPeer> CreateTimer(TTimer& timer) override;
    void TrackPopup(TPopupMenu& menu, int x, int y) override;
    void ProcessMessages() override;
    void RunUntil(const std::function<bool()>& done) override;
    int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned flags) override;
    void SetApplicationTitle(const std::u16string& title) override;
    void DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) override;
    TPoint CursorPos() override;
    TRect WorkArea() override;

    // The hidden top-level window that owns every form, so that forms get no task bar button
    // of their own; it also receives the timers.
    HWND ApplicationWindow();
    // Owner-drawn menu items measured and painted for whichever of our windows owns the menu.
    bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

private:
    friend struct Win32Timer;
    static LRESULT CALLBACK ApplicationProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    // Accelerators and dialog keys of the form the message is for, then the window itself.
    void Dispatch(MSG& msg);
    HWND FApplicationWindow = nullptr;
    std::map<UINT_PTR, TTimer*> FTimers;
    UINT_PTR FNextTimerId = 1;
};

Win32Backend& Win32();

}  // namespace ui::win32
