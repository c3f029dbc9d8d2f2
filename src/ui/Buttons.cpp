#include "ui/Buttons.h"

namespace ui {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TCustomControl(AOwner) {
    // Clicks come from MouseUp below, which knows about groups and the down state.
    SetControlStyle((ControlStyle() & ~csClickEvents & ~csSetCaption) | csOpaque);
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetNumGlyphs(int n) {
    if (n < 1 || n > 4 || n == FNumGlyphs) return;
    FNumGlyphs = n;
    Invalidate();
}

void TSpeedButton::SetFlat(bool f) {
    if (f == FFlat) return;
    FFlat = f;
    Invalidate();
}

void TSpeedButton::SetDown(bool d) {
    if (FGroupIndex == 0) d = false;
    if (d == FDown) return;
    if (!d && !FAllowAllUp) {
        // The last button of an exclusive group stays down unless all may be up.
        bool otherDown = false;
        if (Parent())
            for (int i = 0; i < Parent()->ControlCount(); ++i)
                if (auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); b && b != this &&
                    b->FGroupIndex == FGroupIndex && b->FDown)
                    otherDown = true;
        if (!otherDown) return;
    }
    FDown = d;
    if (d && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); b && b != this &&
                b->FGroupIndex == FGroupIndex && b->FDown) {
                b->FDown = false;
                b->Invalidate();
            }
    Invalidate();
}

void TSpeedButton::EnabledChanged() {
    TCustomControl::EnabledChanged();
    Invalidate();
}

TRect TSpeedButton::GlyphSource() const {
    const int imageWidth = FGlyph.Width() / FNumGlyphs;
    const int index = !Enabled() && FNumGlyphs >= 2 ? 1 : 0;
    return Rect(index * imageWidth, 0, (index + 1) * imageWidth, FGlyph.Height());
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    const bool sunken = FDown || FPressedLook;
    if (FFlat) {
        canvas.Brush.Color = Color();
        canvas.FillRect(client);
        if (sunken) canvas.DrawEdge(client, false);
    } else {
        canvas.DrawButtonFace(client, sunken);
    }
    const int shift = sunken ? 1 : 0;
    const TRect source = GlyphSource();
    int contentWidth = FGlyph.Empty() ? 0 : source.Width();
    const TSize text = canvas.TextExtent(Caption());
    if (!Caption().empty()) contentWidth += (contentWidth ? 4 : 0) + text.cx;
    int x = (client.Width() - contentWidth) / 2 + shift;
    if (!FGlyph.Empty()) {
        canvas.DrawPart(x, (client.Height() - FGlyph.Height()) / 2 + shift, FGlyph, source,
                        FGlyph.Pixel(0, FGlyph.Height() - 1));
        x += source.Width() + 4;
    }
    if (!Caption().empty()) {
        canvas.Brush.Style = bsClear;
        if (!Enabled()) canvas.Font.SetColor(clGrayText);
        TRect r = Bounds(x, (client.Height() - text.cy) / 2 + shift, text.cx, text.cy);
        canvas.DrawText(Caption(), r, dtSingleLine | dtLeft | dtTop);
    }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    FTracking = true;
    FPressedLook = true;
    Repaint();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FTracking) return;
    const bool inside = ClientRect().Contains(X, Y);
    if (inside != FPressedLook) {
        FPressedLook = inside;
        Repaint();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!FTracking || Button != mbLeft) return;
    FTracking = false;
    const bool inside = ClientRect().Contains(X, Y);
    FPressedLook = false;
    if (inside && FGroupIndex != 0) SetDown(!(FDown && FAllowAllUp));
    Repaint();
    if (inside) Click();
}

}  // namespace ui
