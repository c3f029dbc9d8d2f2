#pragma once
// A canvas surface over a bitmap's pixels. Lines, fills, pixels and bitmap transfers are drawn
// exactly; text is not rasterised but recorded with its rectangle, flags, colour and layout, and
// measured with a fixed metric, so drawing code can be checked pixel by pixel and call by call.
#include <string>
#include <vector>

#include "ui/CanvasSurface.h"
#include "ui/TextLayout.h"

namespace ui {

class TBitmap;

struct RecordedText {
    std::u16string Text;     // as passed
    TRect Rect;              // as passed (after measuring, for dtCalcRect)
    unsigned Flags = 0;
    TColor Color = 0;        // resolved text colour
    bool Opaque = false;     // a background was filled behind it
    std::u16string FontName;
    int FontHeight = 0;
    TextLayout Layout;       // where each line went
};

// The fixed metric: every character is (h + 1) / 2 pixels wide and a line is h + 3 pixels high,
// h being the font's pixel height.
int RasterCharWidth(const TFont& font);
int RasterLineHeight(const TFont& font);

class BitmapSurface : public CanvasSurface {
public:
    // Text draws go to sink when one is given (a peer's log that outlives the surface), else to Texts.
    explicit BitmapSurface(TBitmap& bitmap, std::vector<RecordedText>* sink = nullptr)
        : FBitmap(bitmap), FSink(sink ? sink : &Texts) {}

    void FillRect(const TRect& rect, TColor rgb) override;
    void Polyline(const std::vector<TPoint>& points, TColor rgb, int width) override;
    void SetPixel(int x, int y, TColor rgb) override;
    TColor GetPixel(int x, int y) override;
    TSize TextExtent(const TFont& font, const std::u16string& text) override;
    int DrawText(const TFont& font, TColor rgb, std::optional<TColor> background, const std::u16string& text,
                 TRect& rect, unsigned flags) override;
    void DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& source, std::optional<TColor> key) override;
    void DrawButtonFace(const TRect& rect, bool pushed) override;
    void DrawEdge(const TRect& rect, bool raised) override;
    void BeginPart(const TRect& part) override;
    void EndPart() override;

    // Every text draw since the surface was made (measuring excluded), unless a sink was given.
    std::vector<RecordedText> Texts;

private:
    struct Part {
        TPoint Origin;  // of the part's coordinates, in the bitmap's
        TRect Clip;     // in the bitmap's coordinates
    };
    void Plot(int x, int y, TColor rgb, int width);
    // A pixel at a point of the current part; nothing outside it.
    void Put(int x, int y, TColor rgb);
    TPoint Origin() const { return FParts.empty() ? TPoint{0, 0} : FParts.back().Origin; }
    TRect Clip() const;
    TBitmap& FBitmap;
    std::vector<RecordedText>* FSink;
    std::vector<Part> FParts;
};

}  // namespace ui
