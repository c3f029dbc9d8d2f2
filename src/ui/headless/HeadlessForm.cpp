#include "ui/headless/HeadlessForm.h"

#include <algorithm>

#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"

namespace ui::headless {

HeadlessForm::HeadlessForm(TForm& form) : HeadlessPeer(form), Form(form), WindowDpi(Headless().Dpi) {
    // A form's window is made hidden; showing it is a step of its own.
    Visible = false;
    Placement.ShowCmd = 1;
    Placement.NormalPosition = Bounds;
}

void HeadlessForm::SetVisible(bool visible) { Visible = visible; }

TSize HeadlessForm::ClientSizeFor(int width, int height) const {
    if (Form.BorderStyle() == bsNone) return {width, height};
    return {std::max(0, width - FrameWidth), std::max(0, height - FrameHeight)};
}

TPoint HeadlessForm::ClientOrigin() const {
    if (Form.BorderStyle() == bsNone) return {Bounds.Left, Bounds.Top};
    // The frame's width split evenly left and right, the caption above.
    return {Bounds.Left + FrameWidth / 2, Bounds.Top + FrameHeight - FrameWidth / 2};
}

TWindowPlacement HeadlessForm::GetPlacement() const {
    TWindowPlacement p = Placement;
    p.NormalPosition = Bounds;
    return p;
}

void HeadlessForm::SetPlacement(const TWindowPlacement& placement) {
    Placement = placement;
    // As on the platform, the window reports the move and the size it was given, and any show
    // command but "hide" shows it.
    UserSetBounds(placement.NormalPosition);
    Visible = placement.ShowCmd != 0;
    Deliver([this] { Form.HandleShowing(Visible); });
}

void HeadlessForm::UserSetBounds(const TRect& bounds) {
    const bool moved = bounds.Left != Bounds.Left || bounds.Top != Bounds.Top;
    const bool sized = bounds.Width() != Bounds.Width() || bounds.Height() != Bounds.Height();
    Bounds = bounds;
    const auto alive = Form.Lifetime();
    if (moved) Deliver([&] { Form.HandleMove(bounds); });
    if (sized && *alive) Deliver([&] { Form.HandleSize(bounds); });
}

void HeadlessForm::Activate(int state) {
    Deliver([&] { Form.HandleActivate(state); });
}

void HeadlessForm::MoveToScreenOfDpi(int dpi, const TRect& suggested) {
    WindowDpi = dpi;
    Deliver([&] { Form.HandleDpiChanged(dpi, suggested); });
}

HeadlessForm& PeerOf(TForm& form) {
    form.HandleNeeded();
    auto* peer = dynamic_cast<HeadlessForm*>(form.Peer());
    if (!peer) throw std::logic_error("form has no headless window");
    return *peer;
}

}  // namespace ui::headless
