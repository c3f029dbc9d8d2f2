#include "ui/GraphicControl.h"

#include "ui/PartSurface.h"

namespace ui {

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() {
    FCanvas.SetSurface(nullptr);
    // The place it covered shows the parent again.
    Invalidate();
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
    const TRect old = BoundsRect();
    TControl::SetBounds(left, top, width, height);
    if (BoundsRect() == old) return;
    // Both places change on the parent: where it was and where it is.
    if (FParent && FParent->Peer() && Visible()) FParent->Peer()->InvalidateRect(old);
    Invalidate();
}

void TGraphicControl::Invalidate() {
    if (FParent && FParent->Peer() && !(ComponentState() & csDestroying)) FParent->Peer()->InvalidateRect(BoundsRect());
}

void TGraphicControl::Update() {
    if (FParent) FParent->Update();
}

void TGraphicControl::PaintOn(CanvasSurface& parentSurface) {
    if (FPainting || FWidth <= 0 || FHeight <= 0) return;
    FPainting = true;
    FCanvas.SetSurface(std::make_unique<PartSurface>(parentSurface, BoundsRect()));
    FCanvas.Pen = TPen{};
    FCanvas.Brush = TBrush{Color(), bsSolid};
    FCanvas.Font.Assign(&Font());
    try {
        Paint();
    } catch (...) {
        FCanvas.SetSurface(nullptr);
        FPainting = false;
        throw;
    }
    FCanvas.SetSurface(nullptr);
    FPainting = false;
}

std::unique_ptr<CanvasSurface> TGraphicControl::MeasuringSurface() const {
    if (!FParent || !FParent->Peer()) return nullptr;
    return FParent->Peer()->DirectSurface();
}

}  // namespace ui
