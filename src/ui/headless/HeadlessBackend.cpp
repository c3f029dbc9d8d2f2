#include "ui/headless/HeadlessBackend.h"

#include <algorithm>

#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/Menus.h"

namespace ui {

UiBackend& DefaultBackend() { return headless::Headless(); }

namespace headless {

HeadlessBackend& Headless() {
    static HeadlessBackend backend;
    return backend;
}

// ---- peer -----------------------------------------------------------------------------------

HeadlessPeer::HeadlessPeer(TWinControl& control, PeerKind kind)
    : Control(control), Kind(kind), Bounds(control.BoundsRect()), Text(control.Caption()),
      Visible(kind == PeerKind::Form ? false : control.Visible()), Enabled(control.Enabled()) {
    Placement.ShowCmd = 1;
    Placement.NormalPosition = Bounds;
}

HeadlessPeer::~HeadlessPeer() {
    if (Headless().FocusedPeer == this) Headless().FocusedPeer = nullptr;
}

// Sized when something is drawn, and no larger than a screen could show: a control may be given
// bounds far beyond any screen.
void HeadlessPeer::SizeRaster() {
    constexpr int MaxSide = 16384;
    const TSize client = ClientSizeFor(Bounds.Width(), Bounds.Height());
    Raster.SetSize(std::min(client.cx, MaxSide), std::min(client.cy, MaxSide));
}

void HeadlessPeer::SetBounds(const TRect& bounds) {
    Bounds = bounds;
    Placement.NormalPosition = bounds;
    Invalidate();
}

void HeadlessPeer::SetVisible(bool visible) { Visible = visible; }

void HeadlessPeer::SetFocus() {
    HeadlessPeer*& focused = Headless().FocusedPeer;
    if (focused == this) return;
    HeadlessPeer* previous = focused;
    focused = this;
    if (previous) previous->Control.HandleFocusChanged(false);
    Control.HandleFocusChanged(true);
}

bool HeadlessPeer::Focused() const { return Headless().FocusedPeer == this; }

TSize HeadlessPeer::ClientSizeFor(int width, int height) const {
    const auto* form = dynamic_cast<const TForm*>(&Control);
    if (!form || form->BorderStyle() == bsNone) return {width, height};
    return {std::max(0, width - FrameWidth), std::max(0, height - FrameHeight)};
}

std::unique_ptr<CanvasSurface> HeadlessPeer::DirectSurface() {
    SizeRaster();
    return std::make_unique<BitmapSurface>(Raster, &Texts);
}

TWindowPlacement HeadlessPeer::GetPlacement() const {
    TWindowPlacement p = Placement;
    p.NormalPosition = Bounds;
    return p;
}

void HeadlessPeer::SetPlacement(const TWindowPlacement& placement) {
    Placement = placement;
    // As on the platform, the window reports the move and the size it was given, and any show
    // command but "hide" shows it.
    UserSetBounds(placement.NormalPosition);
    if (auto* form = dynamic_cast<TForm*>(&Control)) {
        Visible = placement.ShowCmd != 0;
        form->HandleShowing(Visible);
    }
}

void HeadlessPeer::EndMessage() { Control.ReleaseDirectSurface(); }

void HeadlessPeer::Press(int x, int y, TMouseButton button, TShiftState shift) {
    shift |= button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle;
    Control.HandleMouseDown(button, shift, x, y);
    EndMessage();
}

void HeadlessPeer::MoveTo(int x, int y, TShiftState shift) {
    Control.HandleMouseMove(shift, x, y);
    EndMessage();
}

void HeadlessPeer::Release(int x, int y, TMouseButton button, TShiftState shift) {
    Control.HandleMouseUp(button, shift, x, y);
    EndMessage();
}

void HeadlessPeer::ClickAt(int x, int y, TMouseButton button) {
    Press(x, y, button);
    Release(x, y, button);
}

bool HeadlessPeer::DialogChar(char16_t ch) {
    const bool taken = Control.HandleDialogChar(ch);
    EndMessage();
    return taken;
}

void HeadlessPeer::UserSetBounds(const TRect& bounds) {
    const bool moved = bounds.Left != Bounds.Left || bounds.Top != Bounds.Top;
    const bool sized = bounds.Width() != Bounds.Width() || bounds.Height() != Bounds.Height();
    Bounds = bounds;
    if (auto* form = dynamic_cast<TForm*>(&Control)) {
        if (moved) form->HandleMove(bounds);
        if (sized) form->HandleSize(bounds);
    } else {
        Control.HandleBoundsChanged(bounds);
    }
    EndMessage();
}

void HeadlessPeer::Activate(int state) {
    if (auto* form = dynamic_cast<TForm*>(&Control)) form->HandleActivate(state);
    EndMessage();
}

void HeadlessPeer::Paint() {
    SizeRaster();
    Texts.clear();
    Dirty = false;
    Control.HandlePaint(std::make_unique<BitmapSurface>(Raster, &Texts));
    EndMessage();
}

HeadlessPeer& PeerOf(TWinControl& control) {
    control.HandleNeeded();
    auto* peer = dynamic_cast<HeadlessPeer*>(control.Peer());
    if (!peer) throw std::logic_error("control has no headless widget (is it on a form?)");
    return *peer;
}

// ---- backend --------------------------------------------------------------------------------

struct HeadlessBackend::Timer : TimerPeer {
    explicit Timer(TTimer& t) : Owner(t) { Headless().Timers.push_back(this); }
    ~Timer() override {
        auto& list = Headless().Timers;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    void Set(bool enabled, unsigned interval) override {
        Running = enabled;
        Interval = interval;
    }
    TTimer& Owner;
    bool Running = false;
    unsigned Interval = 0;
};

TColor HeadlessBackend::SystemColor(int index) {
    // The classic Windows palette: fixed, so that pixel checks are exact.
    switch (index) {
        case 4: return 0xF0F0F0;   // menu
        case 5: return 0xFFFFFF;   // window
        case 7: return 0x000000;   // menu text
        case 8: return 0x000000;   // window text
        case 13: return 0xD77800;  // highlight
        case 14: return 0xFFFFFF;  // highlight text
        case 15: return 0xF0F0F0;  // button face
        case 16: return 0xA0A0A0;  // button shadow
        case 17: return 0x6D6D6D;  // gray text
        case 18: return 0x000000;  // button text
        case 20: return 0xFFFFFF;  // button highlight
        case 21: return 0x696969;  // 3-D dark shadow
        case 22: return 0xE3E3E3;  // 3-D light
        case 29: return 0xFF9933;  // menu highlight
        default: return 0xC0C0C0;
    }
}

std::unique_ptr<ControlPeer> HeadlessBackend::CreatePeer(TWinControl& control, PeerKind kind) {
    return std::make_unique<HeadlessPeer>(control, kind);
}

std::unique_ptr<TimerPeer> HeadlessBackend::CreateTimer(TTimer& timer) { return std::make_unique<Timer>(timer); }

void HeadlessBackend::TickTimers() {
    auto timers = Timers;
    for (Timer* t : timers)
        if (std::find(Timers.begin(), Timers.end(), t) != Timers.end() && t->Running) t->Owner.HandleTimer();
}

bool HeadlessBackend::TimerRunning(const TTimer& timer) const {
    for (const Timer* t : Timers)
        if (&t->Owner == &timer) return t->Running;
    return false;
}

void HeadlessBackend::TrackPopup(TPopupMenu& menu, int x, int y) {
    Popups.push_back({&menu, {x, y}});
    if (OnPopup) OnPopup(menu);
}

void HeadlessBackend::ProcessMessages() {
    // Only what was waiting when the call began; actions posted meanwhile wait for the next call.
    std::size_t count = Pending.size();
    while (count-- > 0 && !Pending.empty()) {
        auto action = std::move(Pending.front());
        Pending.pop_front();
        action();
    }
}

void HeadlessBackend::RunUntil(const std::function<bool()>& done) {
    // Without a real user, a loop ends when the queued input runs out.
    while (!done() && !Pending.empty()) {
        auto action = std::move(Pending.front());
        Pending.pop_front();
        action();
    }
}

int HeadlessBackend::MessageBox(const std::u16string& text, const std::u16string& caption, unsigned flags) {
    MessageBoxes.push_back({text, caption, flags});
    return MessageBoxAnswer;
}

void HeadlessBackend::DrawListImage(CanvasSurface& surface, std::intptr_t, int index, int x, int y) {
    // A stand-in icon: a square whose colour tells the index.
    surface.FillRect(Bounds(x, y, 16, 16), MakeColor(index * 37, index * 91, index * 53));
}

}  // namespace headless
}  // namespace ui
