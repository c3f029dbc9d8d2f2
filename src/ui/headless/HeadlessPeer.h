#pragma once
// The in-memory widget of a windowed control, for native tests. A test drives a control as its
// widget would (press, move, release at a point, a wheel turn, keys) and looks at the control's
// state, at the widget's mirror of it and at the pixels a paint produced. Every drive runs through
// the guarded dispatch, as a window procedure does.
#include <functional>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/Bitmap.h"
#include "ui/RasterSurface.h"

namespace ui {
class TForm;
}

namespace ui::headless {

// Frame of a headless form with a border: what the outer size has beyond the client area.
constexpr int FrameWidth = 8;
constexpr int FrameHeight = 27;

class HeadlessPeer : public virtual ControlPeer {
public:
    explicit HeadlessPeer(TWinControl& control);
    ~HeadlessPeer() override;
    HeadlessPeer(const HeadlessPeer&) = delete;
    HeadlessPeer& operator=(const HeadlessPeer&) = delete;

    void SetBounds(const TRect& bounds) override;
    void SetText(const std::u16string& text) override { Text = text; }
    void SetVisible(bool visible) override { Visible = visible; }
    void SetEnabled(bool enabled) override { Enabled = enabled; }
    void AppearanceChanged() override { ++AppearanceChanges; }
    void TabChanged() override { ++TabChanges; }
    void Invalidate() override {
        ++Invalidations;
        Dirty = true;
    }
    void InvalidateRect(const TRect& part) override {
        InvalidRects.push_back(part);
        Dirty = true;
    }
    void Update() override {
        if (Dirty) Paint();
    }
    void SetFocus() override;
    bool Focused() const override;
    void SetCapture(bool capture) override;
    TSize ClientSizeFor(int width, int height) const override;
    TPoint ClientOrigin() const override;
    std::unique_ptr<CanvasSurface> DirectSurface() override;
    // The cues of the whole in-memory desktop: hidden until a key shows them (Tab, an arrow, Alt).
    KeyboardCues Cues() const override { return ShownCues; }
    static KeyboardCues ShownCues;

    // Driving, in client coordinates; the button's bit is added to the key state. A press keeps
    // the mouse for a control that captures it, the release lets it go.
    virtual void Press(int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0, bool doubled = false);
    virtual void MoveTo(int x, int y, TShiftState shift = 0);
    virtual void Release(int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
    // Press and release at one point; a double click is two, the second press marked doubled.
    void ClickAt(int x, int y, TMouseButton button = mbLeft);
    void DoubleClickAt(int x, int y);
    // A wheel turn with the pointer at a client point; true when the control took it.
    bool Wheel(int delta, int x, int y, TShiftState shift = 0);
    void Leave();
    // Another window took the mouse, or the platform cancelled the mode.
    void LoseCapture();
    // A key down as the platform delivers it: to the control, and when it leaves Enter or
    // Escape alone, to its form's default or cancel button. True when something took it.
    bool KeyDown(std::uint16_t key, TShiftState shift = 0);
    bool KeyPress(char16_t key);
    bool KeyUp(std::uint16_t key, TShiftState shift = 0);
    bool DialogChar(char16_t ch);
    // Paints the whole control into Raster; Texts then holds this paint's text draws only.
    void Paint();

    TWinControl& Control;
    TRect Bounds;
    std::u16string Text;
    bool Visible = false;
    bool Enabled = true;
    bool Dirty = true;
    bool Captured = false;
    // The buttons held down now: moves report them, as the platform's do.
    TShiftState Held = 0;
    int Invalidations = 0;
    int AppearanceChanges = 0;
    int TabChanges = 0;
    int BoundsChanges = 0;
    // Parts of the client area marked for repainting, in order.
    std::vector<TRect> InvalidRects;
    TBitmap Raster;
    std::vector<RecordedText> Texts;

protected:
    // Runs one message's work guarded; gives borrowed surfaces back unless the control went.
    void Deliver(const std::function<void()>& work);

private:
    void SizeRaster();
};

// The widget of a windowed control, made if the control has none yet.
HeadlessPeer& PeerOf(TWinControl& control);

}  // namespace ui::headless
