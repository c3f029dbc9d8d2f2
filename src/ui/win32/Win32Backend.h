#pragma once
// The widget backend on the real platform: windows, GDI, timers, menus, message loops, the
// hand-over of work from other threads, and OLE for the GUI thread.
#include "ui/win32/Win.h"

#include <map>
#include <memory>
#include <thread>

#include "ui/Backend.h"
#include "ui/HandOverQueue.h"
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
    std::unique_ptr<FormPeer> CreateForm(TForm& form) override;
    std::unique_ptr<CustomPeer> CreateCustomControl(TWinControl& control) override;
    std::unique_ptr<ButtonPeer> CreateButton(TButton& button) override;
    std::unique_ptr<EditPeer> CreateEdit(TEdit& edit) override;
    std::unique_ptr<ComboBoxPeer> CreateComboBox(TComboBox& box) override;
    std::unique_ptr<ComboBoxExPeer> CreateComboBoxEx(TComboBoxEx& box) override;
    std::unique_ptr<CheckBoxPeer> CreateCheckBox(TCheckBox& box) override;
    std::unique_ptr<TreeViewPeer> CreateTreeView(TTreeView& tree) override;
    std::unique_ptr<ListViewPeer> CreateListView(TListView& list) override;
    std::unique_ptr<TimerPeer> CreateTimer(TTimer& timer) override;
    std::unique_ptr<ImageListPeer> CreateImageList(int width, int height) override;
    void TrackPopup(TPopupMenu& menu, int x, int y) override;
    void ProcessMessages() override;
    void RunUntil(const std::function<bool()>& done) override;
    void Post(const void* owner, std::function<void()> work) override;
    bool Send(const void* owner, std::function<void()> work) override;
    void DiscardPosted(const void* owner) override;
    TMsgAnswer MessageBox(const std::u16string& text, const std::u16string& caption, TMsgIcon icon,
                          TMsgButtons buttons) override;
    void SetApplicationTitle(const std::u16string& title) override;
    void DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) override;
    TPoint CursorPos() override;
    TRect WorkArea() override;
    TRect WorkAreaAt(TPoint at) override;
    TShiftState KeyboardShift() override;
    int ScreenDpi() override;
    int SmallIconSize(int dpi) override;
    TWinControl* ControlAt(TPoint screen) override;
    void SetDragCursor(TDragCursor cursor) override;
    TScreenCursor ScreenCursor() override { return FScreenCursor; }
    void SetScreenCursor(TScreenCursor cursor) override;
    void RemoveTaskbarButton() override;
    std::intptr_t ApplicationHandle() override { return reinterpret_cast<std::intptr_t>(FApplicationWindow); }
    // OLE on the GUI thread, once.
    void StartShellServices() override;

    // The hidden top-level window that owns every form, so that forms get no task bar button
    // of their own; it also receives the timers and the work handed over from other threads.
    HWND ApplicationWindow() const { return FApplicationWindow; }
    // Owner-drawn menu items measured and painted for whichever of our windows owns the menu.
    bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

private:
    friend struct Win32Timer;
    static LRESULT CALLBACK ApplicationProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    // Accelerators and dialog keys of the form the message is for, then the window itself.
    void Dispatch(MSG& msg);

    bool FOleStarted = false;
    bool FOleInitialized = false;
    TScreenCursor FScreenCursor = TScreenCursor::Default;
    HWND FApplicationWindow = nullptr;
    std::map<UINT_PTR, TTimer*> FTimers;
    UINT_PTR FNextTimerId = 1;
    std::thread::id FGuiThread = std::this_thread::get_id();
    HandOverQueue FWork;
};

Win32Backend& Win32();
// Drops the cached menu font, so that the next menu uses the one the user chose.
void RefreshMenuFont();

}  // namespace ui::win32
