#pragma once
// The in-memory backend for native tests: it makes the headless widgets, keeps queued "user
// input" and work handed over from other threads, fires timers when told, records popup menus
// and message boxes, and answers for the screen (its DPI, the control under a point).
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ui/Backend.h"
#include "ui/HandOverQueue.h"
#include "ui/headless/HeadlessForm.h"
#include "ui/headless/HeadlessPeer.h"
#include "ui/headless/HeadlessListView.h"
#include "ui/headless/HeadlessTreeView.h"
#include "ui/headless/HeadlessButton.h"
#include "ui/headless/HeadlessCheckBox.h"
#include "ui/headless/HeadlessComboBox.h"
#include "ui/headless/HeadlessComboBoxEx.h"
#include "ui/headless/HeadlessCustom.h"
#include "ui/headless/HeadlessEdit.h"

namespace ui {
class TPopupMenu;
class TTimer;
}

namespace ui::headless {

class HeadlessBackend : public UiBackend {
public:
    HeadlessBackend();
    ~HeadlessBackend() override;

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
    void SetApplicationTitle(const std::u16string& title) override { Title = title; }
    void DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) override;
    TPoint CursorPos() override { return Cursor; }
    TRect WorkArea() override { return Rect(0, 0, 1280, 1024); }
    // A second screen to the right of the first: work areas by point.
    TRect WorkAreaAt(TPoint at) override { return at.X >= 1280 ? Rect(1280, 0, 2560, 984) : WorkArea(); }
    TShiftState KeyboardShift() override { return Shift; }
    int ScreenDpi() override { return Dpi; }
    TWinControl* ControlAt(TPoint screen) override;
    void SetDragCursor(TDragCursor cursor) override { DragCursor = cursor; }
    TScreenCursor ScreenCursor() override { return ShownCursor; }
    void SetScreenCursor(TScreenCursor cursor) override {
        ShownCursor = cursor;
        if (cursor == TScreenCursor::HourGlass) ++HourGlassShown;
    }
    void StartShellServices() override { ++ShellServicesStarts; }
    // How often the program asked for the shell's services.
    int ShellServicesStarts = 0;
    // The screen cursor now, and how often the hourglass was put up.
    TScreenCursor ShownCursor = TScreenCursor::Default;
    int HourGlassShown = 0;

    // A queued piece of "user input"; run by ProcessMessages and by modal loops, in order.
    void Queue(std::function<void()> action) { Post(nullptr, std::move(action)); }
    // Fires every running timer once.
    void TickTimers();
    // The running state of a timer's widget.
    bool TimerRunning(const TTimer& timer) const;

    struct PopupShown {
        TPopupMenu* Menu;
        TPoint At;
    };
    struct BoxShown {
        std::u16string Text, Caption;
        TMsgIcon Icon;
        TMsgButtons Buttons;
    };
    std::vector<PopupShown> Popups;
    // Runs while a popup is "open": the test chooses an item by calling its Click.
    std::function<void(TPopupMenu&)> OnPopup;
    std::vector<BoxShown> MessageBoxes;
    TMsgAnswer MessageBoxAnswer = TMsgAnswer::Ok;
    std::u16string Title;
    TPoint Cursor;
    TShiftState Shift = 0;  // the modifier keys the "user" holds
    int Dpi = 96;
    TDragCursor DragCursor = TDragCursor::Arrow;
    HeadlessPeer* FocusedPeer = nullptr;
    HeadlessPeer* CapturedPeer = nullptr;

    // Widgets in the order they were made; ControlAt searches them.
    void Register(HeadlessPeer* peer) { Peers.push_back(peer); }
    void Unregister(HeadlessPeer* peer);
    std::vector<HeadlessPeer*> Peers;

    struct Timer;
    std::vector<Timer*> Timers;

private:
    HandOverQueue FWork;
    std::thread::id FGuiThread = std::this_thread::get_id();
};

HeadlessBackend& Headless();

}  // namespace ui::headless
