#pragma once
// An owner-drawn push or toggle button with a caption, glyphs, background pictures and seven frame
// styles. It has two looks only, normal and selected; during a press the selected look is drawn
// straight onto the control, not through a repaint.
#include <cstdint>
#include <optional>
#include <string>

#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace controls {

using ui::TColor;

enum TFrameStyle { fsBevel, fsButton, fsXPButton, fsComboBox, fsDoubleBevel, fsRectangle, fsUpDown };
enum TLayout { ltGlyphLeft, ltGlyphTop, ltGlyphRight, ltGlyphBottom, ltGlyphCenter };

// A caption with its position tags "<X=..>" and "<Y=..>" taken out.
struct CaptionTags {
    std::u16string Text;     // the caption without any tag; meaningful when Found
    bool Found = false;      // at least one X or Y tag
    std::optional<int> X;    // given and not -1
    std::optional<int> Y;
};
CaptionTags ParseCaptionTags(const std::u16string& caption);

// Where PaintButton puts the glyph and the caption, before the selected shift.
struct ButtonLayout {
    int GX = 0, GY = 0, TX = 0, TY = 0, TW = 0, TH = 0;
};

class TCustomGraphicButton : public ui::TCustomControl {
public:
    explicit TCustomGraphicButton(ui::TComponent* AOwner);
    ~TCustomGraphicButton() override;
    std::u16string ClassName() const override { return u"TCustomGraphicButton"; }

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    bool CanClick() const { return FCanClick; }
    void SetCanClick(bool v) { SetAndInvalidate(FCanClick, v); }
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool UpDownStyle() const { return FUpDownStyle; }
    void SetUpDownStyle(bool v) { SetAndInvalidate(FUpDownStyle, v); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { SetAndInvalidate(FTransparent, v); }
    std::uint8_t NumGlyph() const { return FNumGlyph; }
    void SetNumGlyph(int v);

    ui::TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const ui::TBitmap& b) { FGlyph.Assign(&b); }
    ui::TBitmap& SelGlyph() { return FSelGlyph; }
    void SetSelGlyph(const ui::TBitmap& b) { FSelGlyph.Assign(&b); }
    ui::TBitmap& Back() { return FBack; }
    void SetBack(const ui::TBitmap& b) { FBack.Assign(&b); }
    ui::TBitmap& SelBack() { return FSelBack; }
    void SetSelBack(const ui::TBitmap& b) { FSelBack.Assign(&b); }

    TColor SelectColor() const { return FSelectColor; }
    void SetSelectColor(TColor v) { SetAndInvalidate(FSelectColor, v); }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor v) { SetAndInvalidate(FFrameColor, v); }
    TColor SelectFrameColor() const { return FSelectFrameColor; }
    void SetSelectFrameColor(TColor v) { SetAndInvalidate(FSelectFrameColor, v); }
    TColor BevelLight() const { return FBevelLight; }
    void SetBevelLight(TColor v) { SetAndInvalidate(FBevelLight, v); }
    TColor BevelShadow() const { return FBevelShadow; }
    void SetBevelShadow(TColor v) { SetAndInvalidate(FBevelShadow, v); }
    bool Frame() const { return FFrame; }
    void SetFrame(bool v) { SetAndInvalidate(FFrame, v); }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v) { SetAndInvalidate(FFrameStyle, v); }
    TColor ButtonLight() const { return FButtonLight; }
    void SetButtonLight(TColor v) { SetAndInvalidate(FButtonLight, v); }
    TColor ButtonShadow() const { return FButtonShadow; }
    void SetButtonShadow(TColor v) { SetAndInvalidate(FButtonShadow, v); }
    bool ButtonGradient() const { return FButtonGradient; }
    void SetButtonGradient(bool v) { SetAndInvalidate(FButtonGradient, v); }
    TLayout Layout() const { return FLayout; }
    void SetLayout(TLayout v) { SetAndInvalidate(FLayout, v); }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v) { SetAndInvalidate(FShowCaption, v); }

    // The press state: a qualifying left press is in progress / the pointer is inside it.
    bool Pressing() const { return MouseClick; }
    bool Selecting() const { return SelectFlag; }

    // Draws one of the two looks on a canvas of the control's client size.
    void PaintTo(ui::TCanvas& canvas, bool Selected);
    // Glyph and caption positions for the canvas's font.
    ButtonLayout ComputeLayout(ui::TCanvas& canvas) const;

    void Click() override;
    // Enter goes to the focused button (Space too), not to the form's default button.
    ui::TWantedKeys WantedKeys() const override { return ui::wkEnter; }
    // At a higher DPI the gap between glyph and caption and the pressed look's shift grow with it.
    void ScaleDesign(int M, int D) override;

protected:
    void Paint() override;
    // Another window took the mouse during a press: the press ends with no click.
    void CaptureLost() override;
    // Draws a look directly on the control's canvas.
    void PaintButton(bool Selected) { PaintTo(Canvas(), Selected); }
    void MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
    void MouseMove(ui::TShiftState Shift, int X, int Y) override;
    void MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
    void EnabledChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    bool DialogChar(char16_t ch) override;
    // Space or Enter presses the focused button; the focus frame follows the focus.
    void KeyDown(std::uint16_t& Key, ui::TShiftState Shift) override;
    void FocusChanged(bool focused) override;

private:
    template <class T>
    void SetAndInvalidate(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void DrawFrameOverlay(ui::TCanvas& canvas, bool Selected);
    void DrawCaption(ui::TCanvas& canvas, const ButtonLayout& layout, int shift);
    void DrawFocusFrame(ui::TCanvas& canvas);

    int Spacing() const;
    int FDpi = 96;  // the density the button is shown at; its design is at 96
    bool FAllowAllUp = false;
    bool FCanClick = true;
    bool FDown = false;
    bool FUpDownStyle = true;
    bool FTransparent = true;
    std::uint8_t FNumGlyph = 1;
    ui::TBitmap FGlyph;
    ui::TBitmap FSelGlyph;
    ui::TBitmap FBack;
    ui::TBitmap FSelBack;
    TColor FSelectColor = ui::clBtnFace;
    TColor FFrameColor = ui::clBlack;
    TColor FSelectFrameColor = ui::clWhite;
    TColor FBevelLight = ui::clBtnHighlight;
    TColor FBevelShadow = ui::clBtnShadow;
    bool FFrame = true;
    TFrameStyle FFrameStyle = fsBevel;
    TColor FButtonLight = 0xAAFFFF;
    TColor FButtonShadow = 0x55DFFF;
    bool FButtonGradient = false;
    TLayout FLayout = ltGlyphLeft;
    bool FShowCaption = true;
    bool MouseClick = false;
    bool SelectFlag = false;
};

class TGraphicButton : public TCustomGraphicButton {
public:
    using TCustomGraphicButton::TCustomGraphicButton;
    std::u16string ClassName() const override { return u"TGraphicButton"; }
};

// Drawing steps of the button, usable on any canvas.
// Two open polylines: (L,B)->(L,T)->(R,T) in first, (R,T)->(R,B)->(L,B) in second; each leaves
// out its own last point.
void DrawBevel(ui::TCanvas& canvas, const ui::TRect& r, TColor first, TColor second);
// Bands of c pixels from a to z (horizontal bands top to bottom, or vertical left to right).
void DrawGradient(ui::TCanvas& canvas, const ui::TRect& r, TColor a, TColor z, int c, bool horizontalBands);
// The XP-style frame and face over a width x height rectangle at the origin.
void DrawXPFrame(ui::TCanvas& canvas, int width, int height, TColor color, TColor buttonLight,
                 TColor buttonShadow, bool gradient, bool selected);

}  // namespace controls
