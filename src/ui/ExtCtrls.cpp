#include "ui/ExtCtrls.h"

namespace ui {

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() & ~csSetCaption);
    SetParentColor(true);
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this] { Invalidate(); };
}

void TImage::SetCenter(bool c) {
    if (c == FCenter) return;
    FCenter = c;
    Invalidate();
}

void TImage::SetTransparent(bool t) {
    if (t == FTransparent) return;
    FTransparent = t;
    Invalidate();
}

TPoint TImage::PictureOrigin() const {
    if (!FCenter) return {0, 0};
    return {(ClientWidth() - FPicture.Width()) / 2, (ClientHeight() - FPicture.Height()) / 2};
}

void TImage::Paint() {
    TCanvas& canvas = Canvas();
    // A transparent picture leaves what its parent painted around and through it.
    if (!FTransparent) {
        canvas.Brush.Color = Color();
        canvas.FillRect(ClientRect());
    }
    if (FPicture.Empty()) return;
    const TPoint at = PictureOrigin();
    std::optional<TColor> key;
    if (FTransparent || FPicture.Transparent()) key = FPicture.TransparentColor();
    canvas.DrawPart(at.X, at.Y, FPicture, Rect(0, 0, FPicture.Width(), FPicture.Height()), key);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() {
    if (FPeer) FPeer->Set(false, FInterval);
}

void TTimer::SetEnabled(bool e) {
    if (e == FEnabled) return;
    FEnabled = e;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == FInterval) return;
    FInterval = ms;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    // Nothing runs while the form is still being put together.
    if (ComponentState() & (csLoading | csDesigning)) return;
    const bool run = FEnabled && FInterval > 0;
    if (!FPeer && !run) return;
    if (!FPeer) FPeer = GetBackend().CreateTimer(*this);
    FPeer->Set(run, FInterval);
}

void TTimer::HandleTimer() {
    if (FEnabled && OnTimer) OnTimer(this);
}

}  // namespace ui
