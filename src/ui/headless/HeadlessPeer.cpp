#include "ui/headless/HeadlessPeer.h"

#include <algorithm>

#include "ui/Form.h"
#include "ui/GuardedCall.h"
#include "ui/headless/HeadlessBackend.h"

namespace ui::headless {

HeadlessPeer::HeadlessPeer(TWinControl& control)
    : Control(control), Bounds(control.BoundsRect()), Text(control.Caption()), Visible(control.Visible()),
      Enabled(control.Enabled()) {
    Headless().Register(this);
}

HeadlessPeer::~HeadlessPeer() { Headless().Unregister(this); }

// Sized when something is drawn, and no larger than a screen could show: a control may be given
// bounds far beyond any screen.
void HeadlessPeer::SizeRaster() {
    constexpr int MaxSide = 16384;
    const TSize client = ClientSizeFor(Bounds.Width(), Bounds.Height());
    Raster.SetSize(std::min(client.cx, MaxSide), std::min(client.cy, MaxSide));
}

void HeadlessPeer::SetBounds(const TRect& bounds) {
    Bounds = bounds;
    ++BoundsChanges;
    Invalidate();
}

void HeadlessPeer::SetFocus() {
    HeadlessPeer*& focused = Headless().FocusedPeer;
    if (focused == this) return;
    HeadlessPeer* previous = focused;
    focused = this;
    if (previous) previous->Deliver([previous] { previous->Control.HandleFocusChanged(false); });
    Deliver([this] { Control.HandleFocusChanged(true); });
}

bool HeadlessPeer::Focused() const { return Headless().FocusedPeer == this; }

void HeadlessPeer::SetCapture(bool capture) {
    HeadlessPeer*& captured = Headless().CapturedPeer;
    if (capture) {
        if (captured == this) return;
        HeadlessPeer* previous = captured;
        captured = this;
        Captured = true;
        // As on the platform, the window that had the mouse hears that it lost it.
        if (previous) previous->LoseCapture();
    } else if (captured == this) {
        captured = nullptr;
        LoseCapture();
    }
}

void HeadlessPeer::LoseCapture() {
    if (!Captured) return;
    Captured = false;
    if (Headless().CapturedPeer == this) Headless().CapturedPeer = nullptr;
    Deliver([this] { Control.HandleCaptureLost(); });
}

TSize HeadlessPeer::ClientSizeFor(int width, int height) const { return {width, height}; }

TPoint HeadlessPeer::ClientOrigin() const {
    TWinControl* parent = Control.Parent();
    const TPoint base = parent && parent->Peer() ? parent->Peer()->ClientOrigin() : TPoint{0, 0};
    return {base.X + Bounds.Left, base.Y + Bounds.Top};
}

std::unique_ptr<CanvasSurface> HeadlessPeer::DirectSurface() {
    SizeRaster();
    return std::make_unique<BitmapSurface>(Raster, &Texts);
}

void HeadlessPeer::Deliver(const std::function<void()>& work) {
    const auto alive = Control.Lifetime();
    GuardedCall(work);
    if (*alive) GuardedCall([this] { Control.ReleaseDirectSurface(); });
}

void HeadlessPeer::Press(int x, int y, TMouseButton button, TShiftState shift, bool doubled) {
    shift |= button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle;
    Held |= shift & (ssLeft | ssRight | ssMiddle);
    if (Control.ControlStyle() & csCaptureMouse) SetCapture(true);
    Deliver([&] { Control.HandleMouseDown(button, shift, x, y, doubled); });
}

void HeadlessPeer::MoveTo(int x, int y, TShiftState shift) {
    shift |= Held;
    Deliver([&] { Control.HandleMouseMove(shift, x, y); });
}

void HeadlessPeer::Release(int x, int y, TMouseButton button, TShiftState shift) {
    Held &= ~(button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle);
    const auto alive = Control.Lifetime();
    Deliver([&] { Control.HandleMouseUp(button, shift, x, y); });
    if (*alive && Headless().CapturedPeer == this) SetCapture(false);
}

void HeadlessPeer::ClickAt(int x, int y, TMouseButton button) {
    const auto alive = Control.Lifetime();
    Press(x, y, button);
    if (*alive) Release(x, y, button);
}

void HeadlessPeer::DoubleClickAt(int x, int y) {
    const auto alive = Control.Lifetime();
    ClickAt(x, y);
    if (*alive) Press(x, y, mbLeft, 0, true);
    if (*alive) Release(x, y);
}

bool HeadlessPeer::Wheel(int delta, int x, int y, TShiftState shift) {
    bool taken = false;
    const TPoint screen = Control.ClientToScreen({x, y});
    Deliver([&] { taken = Control.HandleMouseWheel(shift, delta, screen); });
    return taken;
}

void HeadlessPeer::Leave() {
    Deliver([this] { Control.HandleMouseLeave(); });
}

KeyboardCues HeadlessPeer::ShownCues{false, false};

bool HeadlessPeer::KeyDown(std::uint16_t key, TShiftState shift) {
    if (key == vkTab || (key >= vkLeft && key <= vkDown)) ShownCues.Focus = true;
    bool taken = false;
    const auto alive = Control.Lifetime();
    Deliver([&] { taken = Control.HandleKeyDown(key, shift); });
    if (taken || !*alive) return true;
    // The dialog's keys, unless the control wants them itself.
    const TWantedKeys wanted = Control.WantedKeys();
    const bool enter = key == vkReturn && !(wanted & wkEnter);
    const bool escape = key == vkEscape && !(wanted & wkEscape);
    if (!enter && !escape) return false;
    TForm* form = GetParentForm(&Control);
    if (!form && dynamic_cast<TForm*>(&Control)) form = static_cast<TForm*>(&Control);
    if (!form) return false;
    Deliver([&] { taken = form->HandleDialogKey(escape); });
    return taken;
}

bool HeadlessPeer::KeyPress(char16_t key) {
    bool taken = false;
    Deliver([&] { taken = Control.HandleKeyPress(key); });
    return taken;
}

bool HeadlessPeer::KeyUp(std::uint16_t key, TShiftState shift) {
    bool taken = false;
    Deliver([&] { taken = Control.HandleKeyUp(key, shift); });
    return taken;
}

bool HeadlessPeer::DialogChar(char16_t ch) {
    ShownCues = {true, true};
    bool taken = false;
    Deliver([&] { taken = Control.HandleDialogChar(ch); });
    return taken;
}

void HeadlessPeer::Paint() {
    SizeRaster();
    Texts.clear();
    Dirty = false;
    Deliver([this] { Control.HandlePaint(std::make_unique<BitmapSurface>(Raster, &Texts)); });
}

HeadlessPeer& PeerOf(TWinControl& control) {
    control.HandleNeeded();
    auto* peer = dynamic_cast<HeadlessPeer*>(control.Peer());
    if (!peer) throw std::logic_error("control has no headless widget (is it on a form?)");
    return *peer;
}

}  // namespace ui::headless
