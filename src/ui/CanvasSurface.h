#pragma once
// What a canvas draws on: a device context on Windows, a pixel raster in the headless backend.
// Colours arrive resolved (no system colours); the canvas keeps pen, brush and font.
#include <optional>
#include <string>
#include <vector>

#include "ui/Types.h"

namespace ui {

class TBitmap;
class TFont;

class CanvasSurface {
public:
    virtual ~CanvasSurface() = default;
    virtual void FillRect(const TRect& rect, TColor rgb) = 0;
    // One-pixel-wide (or width-wide) lines through the points; the last point is not painted.
    virtual void Polyline(const std::vector<TPoint>& points, TColor rgb, int width) = 0;
    virtual void SetPixel(int x, int y, TColor rgb) = 0;
    virtual TColor GetPixel(int x, int y) = 0;
    // Extent of one line of text exactly as given (no prefix processing).
    virtual TSize TextExtent(const TFont& font, const std::u16string& text) = 0;
    // Draws (or, with dtCalcRect, measures into rect) text with the text flags; background nullopt
    // leaves the background as it is. Returns the height of the text.
    virtual int DrawText(const TFont& font, TColor rgb, std::optional<TColor> background,
                         const std::u16string& text, TRect& rect, unsigned flags) = 0;
    // Copies the source part of the bitmap to (x, y); with a key, pixels of that colour are left out.
    virtual void DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& source,
                            std::optional<TColor> key) = 0;
    // The platform's push-button face over rect, pushed or released.
    virtual void DrawButtonFace(const TRect& rect, bool pushed) = 0;
    // A two-pixel 3-D edge around rect, raised or sunken.
    virtual void DrawEdge(const TRect& rect, bool raised) = 0;
    // From here on drawing goes to a part of the surface: coordinates count from the part's
    // top-left corner and nothing lands outside it, until the matching EndPart. Parts nest.
    virtual void BeginPart(const TRect& part) = 0;
    virtual void EndPart() = 0;
};

}  // namespace ui
