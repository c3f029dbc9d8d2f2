#pragma once
// Font, pen and brush: drawing attributes held by controls and canvases.
#include <functional>
#include <string>

#include "ui/Object.h"
#include "ui/Types.h"

namespace ui {

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 0x1;
constexpr TFontStyles fsItalic = 0x2;
constexpr TFontStyles fsUnderline = 0x4;
constexpr TFontStyles fsStrikeOut = 0x8;

// Screen resolution the forms are designed for; a font's sizes in points convert through its own
// density, which starts here and follows the control's when it is scaled.
constexpr int ScreenPixelsPerInch = 96;

class TFont : public TPersistent {
public:
    std::u16string ClassName() const override { return u"TFont"; }
    const std::u16string& Name() const { return FName; }
    void SetName(const std::u16string& name);
    // Negative: character height in pixels without internal leading; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Points, rounded; setting it stores the matching negative pixel height at the font's density.
    int Size() const;
    void SetSize(int points);
    // The pixels per inch the font is shown at (a scaled form's fonts carry its density).
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int ppi) { FPixelsPerInch = ppi > 0 ? ppi : ScreenPixelsPerInch; }
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    // Pixel height of the characters, whatever the sign convention of Height.
    int PixelHeight() const { return FHeight < 0 ? -FHeight : FHeight; }

    void Assign(const TPersistent* Source) override;
    friend bool operator==(const TFont& a, const TFont& b) {
        return a.FName == b.FName && a.FHeight == b.FHeight && a.FColor == b.FColor && a.FStyle == b.FStyle;
    }

    std::function<void()> OnChange;

private:
    void Changed();
    std::u16string FName = u"Tahoma";
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    int FPixelsPerInch = ScreenPixelsPerInch;
};

enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

}  // namespace ui
