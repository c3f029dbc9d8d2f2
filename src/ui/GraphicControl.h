#pragma once
// A control without a widget of its own: its parent paints it in its place and hands it the mouse
// over its bounds. A label or a picture needs no more, and a window each would cost a form's
// start a message round per control for making, placing and painting it.
#include "ui/Control.h"

namespace ui {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    std::u16string ClassName() const override { return u"TGraphicControl"; }

    // The surface of the parent's paint, in this control's place; outside a paint it draws
    // nothing and measures zero.
    TCanvas& Canvas() { return FCanvas; }
    void SetBounds(int left, int top, int width, int height) override;
    // The parent's widget repaints this control's place.
    void Invalidate() override;
    void Update() override;
    // Paints this control in its place on the parent's surface (the parent's paint calls it).
    void PaintOn(CanvasSurface& parentSurface);

protected:
    virtual void Paint() {}
    void VisibleChanged() override { Invalidate(); }
    void EnabledChanged() override { Invalidate(); }
    void ColorChanged() override { Invalidate(); }
    void FontChanged() override { Invalidate(); }
    // A surface of the parent's widget to measure text on, for as long as the result lives;
    // nullptr while the parent has no widget.
    std::unique_ptr<CanvasSurface> MeasuringSurface() const;

private:
    TCanvas FCanvas;
    bool FPainting = false;
};

}  // namespace ui
