#include "controls/GraphicButton.h"

#include <algorithm>
#include <cmath>

#include "framework/TextTargets.h"
#include "platform/CodePage.h"
#include "ui/Exceptions.h"
#include "ui/TextLayout.h"
#include "util/Utils.h"

namespace controls {

using namespace ui;

namespace {

// Texts from the language library give a graphic button its caption and its hint.
const bool takesCaptionAndHint = framework::RegisterCaptionHintClass(
    [](const ui::TComponent* c) { return dynamic_cast<const TGraphicButton*>(c) != nullptr; });
constexpr int DesignedSpacing = 3;
constexpr int MaxTagPosition = 32767;
}

// ---- caption tags ---------------------------------------------------------------------------

CaptionTags ParseCaptionTags(const std::u16string& caption) {
    CaptionTags result;
    std::u16string text = caption;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find(u'<', i);
        if (open == std::u16string::npos) break;
        if (open + 1 < text.size() && text[open + 1] == u'<') {  // "<<" is text
            i = open + 2;
            continue;
        }
        const std::size_t close = text.find(u'>', open + 1);
        const std::size_t end = close == std::u16string::npos ? text.size() : close + 1;
        const std::u16string inner =
            text.substr(open + 1, (close == std::u16string::npos ? text.size() : close) - open - 1);
        const std::size_t eq = inner.find(u'=');
        if (eq != std::u16string::npos) {
            const std::u16string name = inner.substr(0, eq);
            const bool isX = util::SameTextAscii(name, u"X"), isY = util::SameTextAscii(name, u"Y");
            if (isX || isY) {
                result.Found = true;
                std::optional<int> value;
                try {
                    value = StrToInt(util::CleanIntText(inner.substr(eq + 1)));
                } catch (const EConvertError&) {
                    // Beyond 32 bits: as if no position were given.
                }
                if (value == -1) value.reset();
                // Far beyond any button, and kept so that rectangles built from it stay in range.
                if (value) value = std::clamp(*value, -MaxTagPosition, MaxTagPosition);
                (isX ? result.X : result.Y) = value;
            }
        }
        text.erase(open, end - open);
        i = open;
    }
    result.Text = text;
    return result;
}

// ---- drawing steps --------------------------------------------------------------------------

void DrawBevel(TCanvas& canvas, const TRect& r, TColor first, TColor second) {
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = first;
    canvas.Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
    canvas.Pen.Color = second;
    canvas.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}});
}

void DrawGradient(TCanvas& canvas, const TRect& r, TColor a, TColor z, int c, bool horizontalBands) {
    if (c < 1) c = 1;
    const int extent = horizontalBands ? r.Height() : r.Width();
    int steps = (extent + c - 1) / c;
    if (steps < 1) steps = 1;
    // Byte values straight from the colour values: no system-colour translation.
    const double startR = RedOf(a), startG = GreenOf(a), startB = BlueOf(a);
    const double stepR = (RedOf(z) - startR) / steps, stepG = (GreenOf(z) - startG) / steps,
                 stepB = (BlueOf(z) - startB) / steps;
    double accR = startR, accG = startG, accB = startB;
    // The first band is the start colour itself (a system colour stays one); only the later
    // bands are mixed from its bytes.
    TColor current = a;
    for (int k = 0; k < steps; ++k) {
        TRect band = horizontalBands ? Rect(r.Left, r.Top + k * c, r.Right, r.Top + k * c + c)
                                     : Rect(r.Left + k * c, r.Top, r.Left + k * c + c, r.Bottom);
        band = Intersect(band, r);
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = current;
        canvas.Pen.Color = current;
        canvas.FillRect(band);
        accR += stepR;
        accG += stepG;
        accB += stepB;
        // nearbyint rounds ties to even under the default rounding mode.
        current = MakeColor(static_cast<int>(std::nearbyint(accR)), static_cast<int>(std::nearbyint(accG)),
                            static_cast<int>(std::nearbyint(accB)));
    }
}

void DrawXPFrame(TCanvas& canvas, int W, int H, TColor color, TColor buttonLight, TColor buttonShadow,
                 bool gradient, bool selected) {
    auto segment = [&canvas](TColor c, int x0, int y0, int x1, int y1) {
        canvas.Pen.Color = c;
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    for (const TPoint p : {TPoint{0, 0}, TPoint{W - 1, 0}, TPoint{W - 1, H - 1}, TPoint{0, H - 1}})
        canvas.SetPixel(p.X, p.Y, color);
    for (const TPoint p : {TPoint{1, 0}, TPoint{1, 1}, TPoint{0, 1}, TPoint{W - 2, 0}, TPoint{W - 2, 1},
                           TPoint{W - 1, 1}, TPoint{W - 2, H - 1}, TPoint{W - 2, H - 2}, TPoint{W - 1, H - 2},
                           TPoint{1, H - 1}, TPoint{1, H - 2}, TPoint{0, H - 2}})
        canvas.SetPixel(p.X, p.Y, clGray);
    segment(clBlack, 2, 0, W - 2, 0);
    segment(clBlack, W - 1, 2, W - 1, H - 2);
    segment(clBlack, 2, H - 1, W - 2, H - 1);
    segment(clBlack, 0, 2, 0, H - 2);
    const TColor topLeft = selected ? buttonShadow : clWhite;
    const TColor bottomRight = selected ? clWhite : buttonShadow;
    segment(topLeft, 2, 1, W - 2, 1);
    segment(topLeft, 1, 2, 1, H - 2);
    segment(bottomRight, W - 2, 2, W - 2, H - 2);
    segment(bottomRight, 2, H - 2, W - 2, H - 2);
    const TRect face = Rect(2, 2, W - 2, H - 2);
    if (gradient) {
        DrawGradient(canvas, face, buttonLight, buttonShadow, 1, true);
    } else {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = buttonLight;
        canvas.FillRect(face);
    }
}

// ---- the button -----------------------------------------------------------------------------

TCustomGraphicButton::TCustomGraphicButton(TComponent* AOwner) : TCustomControl(AOwner) {
    // No click-on-release from the framework: the button raises its click itself.
    SetControlStyle(csCaptureMouse | csSetCaption | csOpaque | csDoubleClicks);
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 50, 50);
    for (TBitmap* b : {&FGlyph, &FSelGlyph, &FBack, &FSelBack}) b->OnChange = [this] { Invalidate(); };
}

TCustomGraphicButton::~TCustomGraphicButton() {
    for (TBitmap* b : {&FGlyph, &FSelGlyph, &FBack, &FSelBack}) b->OnChange = nullptr;
}

void TCustomGraphicButton::SetAllowAllUp(bool v) {
    if (v == FAllowAllUp) return;
    FAllowAllUp = v;
    if (!v) {
        FDown = false;
        Invalidate();
    }
}

void TCustomGraphicButton::SetDown(bool v) {
    if (!FAllowAllUp || v == FDown) return;
    FDown = v;
    Invalidate();
}

void TCustomGraphicButton::SetNumGlyph(int v) {
    if (v == FNumGlyph || v < 1 || v > 2) return;
    FNumGlyph = static_cast<std::uint8_t>(v);
    Invalidate();
}

void TCustomGraphicButton::Click() { TCustomControl::Click(); }

void TCustomGraphicButton::Paint() { PaintButton(FDown); }

void TCustomGraphicButton::EnabledChanged() {
    TCustomControl::EnabledChanged();
    Invalidate();
}

void TCustomGraphicButton::FontChanged() {
    TCustomControl::FontChanged();
    Invalidate();
}

void TCustomGraphicButton::TextChanged() {
    TCustomControl::TextChanged();
    Invalidate();
}

bool TCustomGraphicButton::DialogChar(char16_t ch) {
    const char16_t accelerator = AcceleratorOf(Caption());
    if (accelerator && platform::UpperCaseChar(accelerator) == platform::UpperCaseChar(ch) && CanFocus()) {
        Click();
        return true;
    }
    return TCustomControl::DialogChar(ch);
}

void TCustomGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!Focused()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || !FCanClick) return;
    MouseClick = true;
    if (!(FAllowAllUp && FDown)) PaintButton(true);
    SelectFlag = true;
}

void TCustomGraphicButton::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!MouseClick) return;
    if (Rect(0, 0, Width(), Height()).Contains(X, Y)) {
        if (!SelectFlag) {
            if (!FDown) PaintButton(true);
            SelectFlag = true;
        }
    } else if (SelectFlag) {
        if (!FDown) PaintButton(false);
        SelectFlag = false;
    }
}

void TCustomGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!MouseClick) return;
    MouseClick = false;
    if (FAllowAllUp) {
        if (SelectFlag) {
            if (FDown) PaintButton(false);
            FDown = !FDown;
        }
    } else if (SelectFlag) {
        PaintButton(false);
    }
    if (SelectFlag) Click();
    SelectFlag = false;
}

void TCustomGraphicButton::CaptureLost() {
    TCustomControl::CaptureLost();
    if (!MouseClick) return;
    MouseClick = false;
    if (SelectFlag && !FDown) PaintButton(false);
    SelectFlag = false;
}

void TCustomGraphicButton::ScaleDesign(int M, int D) {
    TCustomControl::ScaleDesign(M, D);
    FDpi = ScaleLength(FDpi, M, D);
    Invalidate();
}

int TCustomGraphicButton::Spacing() const { return ScaleLength(DesignedSpacing, FDpi, 96); }

ButtonLayout TCustomGraphicButton::ComputeLayout(TCanvas& canvas) const {
    ButtonLayout p;
    const int CW = ClientWidth(), CH = ClientHeight();
    const int N = FNumGlyph;
    const int GW = FGlyph.Width(), GH = FGlyph.Height();
    const std::u16string& caption = Caption();
    TRect measured;
    canvas.DrawText(caption, measured, dtCalcRect);
    p.TW = measured.Width();
    p.TH = canvas.TextHeight(caption);
    const bool hasText = !caption.empty() && FShowCaption;
    const bool hasGlyph = !FGlyph.Empty();
    if (hasText && hasGlyph) {
        switch (FLayout) {
            case ltGlyphLeft: {
                const int total = GW / N + p.TW + Spacing();
                p.GX = (CW - total) / 2;
                p.GY = (CH - GH) / 2;
                p.TX = p.GX + GW / N + Spacing();
                p.TY = (CH - p.TH) / 2;
                break;
            }
            case ltGlyphTop: {
                const int total = GH + p.TH + Spacing();
                p.GX = (CW - GW / N) / 2;
                p.GY = (CH - total) / 2;
                p.TX = (CW - p.TW) / 2;
                p.TY = p.GY + GH + Spacing();
                break;
            }
            case ltGlyphRight: {
                const int total = GW / N + p.TW + Spacing();
                p.TX = (CW - total) / 2;
                p.TY = (CH - p.TH) / 2;
                p.GX = p.TX + p.TW + Spacing();
                p.GY = (CH - GH) / 2;
                break;
            }
            case ltGlyphBottom: {
                const int total = GH + p.TH + Spacing();
                p.TX = (CW - p.TW) / 2;
                p.TY = (CH - total) / 2;
                p.GX = (CW - GW / N) / 2;
                p.GY = p.TY + p.TH + Spacing();
                break;
            }
            case ltGlyphCenter:
                p.TX = CW / 2 - canvas.TextWidth(caption) / 2;
                p.TY = CH / 2 - p.TH / 2;
                p.GX = (CW - GW / N) / 2;
                p.GY = (CH - GH) / 2;
                break;
        }
    } else if (hasText) {
        p.TX = (CW - p.TW) / 2;
        p.TY = (CH - p.TH) / 2;
    } else if (hasGlyph) {
        p.GX = (CW - GW / N) / 2;
        p.GY = (CH - GH) / 2;
    }
    return p;
}

void TCustomGraphicButton::PaintTo(TCanvas& canvas, bool Selected) {
    const int CW = ClientWidth(), CH = ClientHeight();
    const int S = FUpDownStyle && Selected ? ScaleLength(1, FDpi, 96) : 0;
    canvas.Font.Assign(&Font());
    const ButtonLayout layout = ComputeLayout(canvas);

    // Background.
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Selected ? FSelectColor : Color();
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = Selected ? FSelectFrameColor : FFrameColor;
    const TRect R = Rect(0, 0, CW, CH);
    if (FFrame) {
        if (FFrameStyle == fsButton) {
            canvas.DrawButtonFace(R, Selected);
        } else if (FFrameStyle == fsXPButton) {
            DrawXPFrame(canvas, CW, CH, Color(), FButtonLight, FButtonShadow, FButtonGradient, Selected);
        } else {
            canvas.FillRect(R);
        }
    } else {
        canvas.FillRect(R);
        const TBitmap& back = Selected ? FSelBack : FBack;
        if (!back.Empty()) canvas.Draw((CW - back.Width()) / 2, (CH - back.Height()) / 2, back);
    }

    // Glyph.
    const int N = FNumGlyph;
    const int GW = FGlyph.Width(), GH = FGlyph.Height();
    const TBitmap* source = nullptr;
    TRect part;
    if (!FGlyph.Empty() && !FSelGlyph.Empty()) {
        source = Selected ? &FSelGlyph : &FGlyph;
        part = Rect(0, 0, source->Width(), source->Height());
    } else if (!FGlyph.Empty()) {
        source = &FGlyph;
        const int left = Enabled() && N == 2 ? 0 : GW - GW / N;
        part = Rect(left, 0, left + GW / N, GH);
    }
    if (source) {
        std::optional<TColor> key;
        if (FTransparent) key = source->Pixel(0, 0);
        canvas.DrawPart(layout.GX + S, layout.GY + S, *source, part, key);
    }

    if (!Caption().empty() && FShowCaption) DrawCaption(canvas, layout, S);
    if (FFrame) DrawFrameOverlay(canvas, Selected);
    if (Focused() && Cues().Focus) DrawFocusFrame(canvas);
}

void TCustomGraphicButton::DrawFocusFrame(TCanvas& canvas) {
    // A dotted frame inside the border, every other pixel, in the caption's colour.
    const int inset = ScaleLength(3, FDpi, 96);
    const TRect r = Rect(inset, inset, ClientWidth() - inset, ClientHeight() - inset);
    if (r.Width() < 2 || r.Height() < 2) return;
    const TColor colour = Font().Color();
    for (int x = r.Left; x < r.Right; x += 2) {
        canvas.SetPixel(x, r.Top, colour);
        canvas.SetPixel(x, r.Bottom - 1, colour);
    }
    for (int y = r.Top; y < r.Bottom; y += 2) {
        canvas.SetPixel(r.Left, y, colour);
        canvas.SetPixel(r.Right - 1, y, colour);
    }
}

void TCustomGraphicButton::FocusChanged(bool focused) {
    TCustomControl::FocusChanged(focused);
    Invalidate();
}

void TCustomGraphicButton::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if ((Key != vkSpace && Key != vkReturn) || Shift != 0) return;
    Key = 0;
    if (Enabled() && FCanClick) Click();
}

void TCustomGraphicButton::DrawCaption(TCanvas& canvas, const ButtonLayout& layout, int S) {
    const int CW = ClientWidth(), CH = ClientHeight();
    canvas.Brush.Style = bsClear;
    const CaptionTags tags = ParseCaptionTags(Caption());
    const std::u16string& text = tags.Found ? tags.Text : Caption();
    const bool embossed = !Enabled() && FFrame;
    // The accelerator's underline only while the keyboard's cues show.
    const unsigned hidden = Cues().Accelerators ? 0 : dtHidePrefix;
    const TColor colour = Enabled() ? Font().Color() : embossed ? clWhite : clGray;

    auto draw = [&](TRect r, unsigned flags) {
        canvas.Font.SetColor(colour);
        TRect first = r;
        canvas.DrawText(text, first, flags);
        if (embossed) {
            TRect second = Rect(r.Left - 1, r.Top - 1, r.Right - 1, r.Bottom - 1);
            canvas.Font.SetColor(clGray);
            canvas.DrawText(text, second, flags);
        }
    };

    if (!FGlyph.Empty()) {
        TRect r = Rect(layout.TX + S, layout.TY + S, layout.TX + S + layout.TW, layout.TY + S + layout.TH);
        if (tags.X) r.Left = *tags.X;
        if (tags.Y) r.Top = *tags.Y;
        draw(r, dtSingleLine | dtLeft | dtTop | hidden);
        return;
    }
    TRect extent = Rect(0, 0, CW, 0);
    canvas.DrawText(text, extent, dtWordBreak | dtCalcRect);
    const int x = tags.X ? *tags.X : (CW - extent.Width()) / 2;
    const int y = tags.Y ? *tags.Y : (CH - extent.Height()) / 2;
    draw(Rect(x, y, CW, CH), dtWordBreak | dtLeft | dtTop | hidden);
}

void TCustomGraphicButton::DrawFrameOverlay(TCanvas& canvas, bool Selected) {
    const int CW = ClientWidth(), CH = ClientHeight();
    const TRect B = Rect(0, 0, CW - 1, CH - 1);
    const TRect R = Rect(0, 0, CW, CH);
    switch (FFrameStyle) {
        case fsBevel:
            if (Selected) DrawBevel(canvas, B, FBevelShadow, FBevelLight);
            else DrawBevel(canvas, B, FBevelLight, FBevelShadow);
            break;
        case fsComboBox:
            if (Selected) DrawBevel(canvas, B, FBevelShadow, FBevelShadow);
            else canvas.DrawEdge(R, true);
            break;
        case fsDoubleBevel:
            DrawBevel(canvas, B, FBevelShadow, FBevelLight);
            if (Selected) DrawBevel(canvas, Rect(1, 1, CW - 2, CH - 2), FBevelShadow, FBevelLight);
            else DrawBevel(canvas, Rect(1, 1, CW - 2, CH - 2), FBevelLight, FBevelShadow);
            break;
        case fsRectangle: {
            const TColor c = Selected ? FSelectFrameColor : FFrameColor;
            DrawBevel(canvas, B, c, c);
            break;
        }
        case fsUpDown:
            canvas.DrawEdge(R, !Selected);
            break;
        case fsButton:
        case fsXPButton:
            break;
    }
}

}  // namespace controls
