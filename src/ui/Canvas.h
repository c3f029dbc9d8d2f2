#pragma once
// A drawing surface with the current pen, brush and font. System colours are resolved here, so
// the surfaces only ever see plain 0x00BBGGRR values.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/CanvasSurface.h"
#include "ui/Graphics.h"

namespace ui {

class TBitmap;

class TCanvas {
public:
    explicit TCanvas(std::unique_ptr<CanvasSurface> surface = nullptr);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // A canvas without a surface draws nothing and measures zero.
    void SetSurface(std::unique_ptr<CanvasSurface> surface) { FSurface = std::move(surface); }
    CanvasSurface* Surface() const { return FSurface.get(); }
    bool HasSurface() const { return FSurface != nullptr; }

    TPen Pen;
    TBrush Brush;
    TFont Font;

    void FillRect(const TRect& rect);
    void MoveTo(int x, int y) { FPenPos = {x, y}; }
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    TSize TextExtent(const std::u16string& text) const;
    int TextWidth(const std::u16string& text) const { return TextExtent(text).cx; }
    int TextHeight(const std::u16string& text) const { return TextExtent(text).cy; }
    void TextOut(int x, int y, const std::u16string& text);
    // Text in Font's colour; the brush fills behind it unless its style is bsClear.
    int DrawText(const std::u16string& text, TRect& rect, unsigned flags);

    // The whole bitmap at (x, y), with its colour key when it is transparent.
    void Draw(int x, int y, const TBitmap& bitmap);
    // A part of the bitmap at (x, y), optionally with a colour key.
    void DrawPart(int x, int y, const TBitmap& bitmap, const TRect& source, std::optional<TColor> key);
    void DrawButtonFace(const TRect& rect, bool pushed);
    void DrawEdge(const TRect& rect, bool raised);

private:
    std::unique_ptr<CanvasSurface> FSurface;
    TPoint FPenPos;
};

// The colour as drawn: system colours through the backend, everything else as it is.
TColor ColorToRGB(TColor color);

}  // namespace ui
