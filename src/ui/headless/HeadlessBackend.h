#pragma once
// In-memory widgets for native tests. A test drives a control as its widget would (press, move,
// release at a point; a timer tick; a menu choice; a user resize) and looks at the control's state,
// at the widget's mirror of it and at the pixels a paint produced.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/Bitmap.h"
#include "ui/RasterSurface.h"

namespace ui {
class TForm;
class TPopupMenu;
class TTimer;
}

namespace ui::headless {

// Frame of a headless form with a border: what the outer size has beyond the client area.
constexpr int FrameWidth = 8;
constexpr int FrameHeight = 27;

class HeadlessPeer : public ControlPeer {
public:
    HeadlessPeer(TWinControl& control, PeerKind kind);
    ~HeadlessPeer() override;

    void SetBounds(const TRect& bounds) override;
    void SetText(const std::u16string& text) override { Text = text; }
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override { Enabled = enabled; }
    void StateChanged() override { ++StateChanges; }
    void Invalidate() override {
        ++Invalidations;
        Dirty = true;
    }
    void Update() override {
        if (Dirty) Paint();
    }
    void SetFocus() override;
    bool Focused() const override;
    TSize ClientSizeFor(int width, int height) const override;
    std::unique_ptr<CanvasSurface> DirectSurface() override;
    TWindowPlacement GetPlacement() const override;
    void SetPlacement(const TWindowPlacement& placement) override;
    void SetTopmost(bool topmost) override { Topmost = topmost; }
    void BringToFront() override { ++BroughtToFront; }
    bool Showing() const override { return Visible; }

    // Driving, in client coordinates; the button's bit is added to the key state.
    void Press(int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
    void MoveTo(int x, int y, TShiftState shift = 0);
    void Release(int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
    // Press and release at one point.
    void ClickAt(int x, int y, TMouseButton button = mbLeft);
    bool DialogChar(char16_t ch);
    // Forms: the user (or the platform) moved or sized the window; activation changed.
    void UserSetBounds(const TRect& bounds);
    void Activate(int state);
    // Paints the whole control into Raster; Texts then holds this paint's text draws only.
    void Paint();

    TWinControl& Control;
    PeerKind Kind;
    TRect Bounds;
    std::u16string Text;
    bool Visible = false;
    bool Enabled = true;
    bool Topmost = false;
    bool Dirty = true;
    int Invalidations = 0;
    int StateChanges = 0;
    int BroughtToFront = 0;
    TWindowPlacement Placement;
    TBitmap Raster;
    std::vector<RecordedText> Texts;

private:
    void EndMessage();
    void SizeRaster();
};

HeadlessPeer& PeerOf(TWinControl& control);

class HeadlessBackend : public UiBackend {
public:
    TColor SystemColor(int index) override;
    std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control, PeerKind kind) override;
    std::unique_ptr<TimerPeer> CreateTimer(TTimer& timer) override;
    void TrackPopup(TPopupMenu& menu, int x, int y) override;
    void ProcessMessages() override;
    void RunUntil(const std::function<bool()>& done) override;
    int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned flags) override;
    void SetApplicationTitle(const std::u16string& title) override { Title = title; }
    void DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) override;
    TPoint CursorPos() override { return Cursor; }
    TRect WorkArea() override { return Rect(0, 0, 1280, 1024); }

    // A queued piece of "user input"; run by ProcessMessages and by modal loops, in order.
    void Post(std::function<void()> action) { Pending.push_back(std::move(action)); }
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
        unsigned Flags;
    };
    std::vector<PopupShown> Popups;
    // Runs while a popup is "open": the test chooses an item by calling its Click.
    std::function<void(TPopupMenu&)> OnPopup;
    std::vector<BoxShown> MessageBoxes;
    int MessageBoxAnswer = 1;
    std::u16string Title;
    TPoint Cursor;
    HeadlessPeer* FocusedPeer = nullptr;

    struct Timer;
    std::vector<Timer*> Timers;

private:
    std::deque<std::function<void()>> Pending;
};

HeadlessBackend& Headless();

}  // namespace ui::headless
