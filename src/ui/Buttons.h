#pragma once
// A flat or raised speed button with a glyph whose second image is the disabled look.
#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace ui {

class TSpeedButton : public TCustomControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TSpeedButton"; }

    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& glyph) { FGlyph.Assign(&glyph); }
    // Images side by side in Glyph: 1 to 4; the second is drawn when the button is disabled.
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int n);
    bool Flat() const { return FFlat; }
    void SetFlat(bool f);
    // Buttons of one group index above 0 are exclusive; with AllowAllUp all may be up.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int g) { FGroupIndex = g; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool a) { FAllowAllUp = a; }
    bool Down() const { return FDown; }
    void SetDown(bool d);
    // The press is showing (pointer inside during a left press).
    bool Pressed() const { return FPressedLook; }
    // Left part of the glyph image that is drawn for the current enabled state.
    TRect GlyphSource() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void EnabledChanged() override;

private:
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    bool FFlat = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    bool FTracking = false;
    bool FPressedLook = false;
};

}  // namespace ui
