#include "ui/RasterSurface.h"

#include <cstdlib>

#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace ui {

int RasterCharWidth(const TFont& font) { return (font.PixelHeight() + 1) / 2; }
int RasterLineHeight(const TFont& font) { return font.PixelHeight() + 3; }

TRect BitmapSurface::Clip() const {
    const TRect whole = Rect(0, 0, FBitmap.Width(), FBitmap.Height());
    return FParts.empty() ? whole : Intersect(FParts.back().Clip, whole);
}

void BitmapSurface::BeginPart(const TRect& part) {
    const TPoint origin = Origin();
    const TRect placed = Bounds(origin.X + part.Left, origin.Y + part.Top, part.Width(), part.Height());
    FParts.push_back({{placed.Left, placed.Top}, Intersect(placed, Clip())});
}

void BitmapSurface::EndPart() {
    if (!FParts.empty()) FParts.pop_back();
}

void BitmapSurface::Put(int x, int y, TColor rgb) {
    const TPoint origin = Origin();
    x += origin.X;
    y += origin.Y;
    if (Clip().Contains(x, y)) FBitmap.Put(x, y, rgb);
}

void BitmapSurface::FillRect(const TRect& rect, TColor rgb) {
    const TPoint origin = Origin();
    const TRect r = Intersect(Bounds(rect.Left + origin.X, rect.Top + origin.Y, rect.Width(), rect.Height()), Clip());
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) FBitmap.Put(x, y, rgb);
    FBitmap.Changed();
}

void BitmapSurface::Plot(int x, int y, TColor rgb, int width) {
    if (width <= 1) {
        Put(x, y, rgb);
        return;
    }
    const int from = -(width - 1) / 2;
    for (int dy = from; dy < from + width; ++dy)
        for (int dx = from; dx < from + width; ++dx) Put(x + dx, y + dy, rgb);
}

void BitmapSurface::Polyline(const std::vector<TPoint>& points, TColor rgb, int width) {
    // Each segment runs from its start up to, not including, its end; the next segment paints the
    // joint, so only the polyline's very last point stays unpainted.
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        int x = points[i].X, y = points[i].Y;
        const int x1 = points[i + 1].X, y1 = points[i + 1].Y;
        const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
        const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
        int error = dx + dy;
        while (x != x1 || y != y1) {
            Plot(x, y, rgb, width);
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x += sx;
            }
            if (e2 <= dx) {
                error += dx;
                y += sy;
            }
        }
    }
    FBitmap.Changed();
}

void BitmapSurface::SetPixel(int x, int y, TColor rgb) {
    Put(x, y, rgb);
    FBitmap.Changed();
}

TColor BitmapSurface::GetPixel(int x, int y) {
    const TPoint origin = Origin();
    return FBitmap.Pixel(x + origin.X, y + origin.Y);
}

TSize BitmapSurface::TextExtent(const TFont& font, const std::u16string& text) {
    return TSize{static_cast<int>(text.size()) * RasterCharWidth(font), RasterLineHeight(font)};
}

int BitmapSurface::DrawText(const TFont& font, TColor rgb, std::optional<TColor> background,
                            const std::u16string& text, TRect& rect, unsigned flags) {
    const int charWidth = RasterCharWidth(font);
    const TextLayout layout = LayOutText(
        text, rect, flags, [charWidth](const std::u16string& s) { return static_cast<int>(s.size()) * charWidth; },
        RasterLineHeight(font));
    if (flags & dtCalcRect) {
        rect.Right = rect.Left + layout.Width;
        rect.Bottom = rect.Top + layout.Height;
        return layout.Height;
    }
    if (background) {
        for (const auto& line : layout.Lines) FillRect(Bounds(line.X, line.Y, line.Width, RasterLineHeight(font)), *background);
    }
    // Recorded where it lands on the bitmap.
    const TPoint origin = Origin();
    TextLayout placed = layout;
    for (auto& line : placed.Lines) {
        line.X += origin.X;
        line.Y += origin.Y;
    }
    const TRect at = Bounds(rect.Left + origin.X, rect.Top + origin.Y, rect.Width(), rect.Height());
    FSink->push_back(RecordedText{text, at, flags, rgb, background.has_value(), font.Name(), font.Height(), placed});
    return layout.Height;
}

void BitmapSurface::DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& source, std::optional<TColor> key) {
    for (int sy = source.Top; sy < source.Bottom; ++sy)
        for (int sx = source.Left; sx < source.Right; ++sx) {
            const TColor c = bitmap.Pixel(sx, sy);
            if (key && c == (*key & 0x00FFFFFFu)) continue;
            Put(x + sx - source.Left, y + sy - source.Top, c);
        }
    FBitmap.Changed();
}

namespace {
// One ring of a 3-D edge: top and left in the first colour, bottom and right in the second.
void Ring(BitmapSurface& s, const TRect& r, TColor topLeft, TColor bottomRight) {
    if (r.Empty()) return;
    s.Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}}, topLeft, 1);
    s.Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}}, bottomRight, 1);
}
}  // namespace

void BitmapSurface::DrawEdge(const TRect& rect, bool raised) {
    const TColor light = ColorToRGB(cl3DLight), highlight = ColorToRGB(clBtnHighlight);
    const TColor shadow = ColorToRGB(clBtnShadow), dark = ColorToRGB(cl3DDkShadow);
    const TRect inner = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    if (raised) {
        Ring(*this, rect, light, dark);
        Ring(*this, inner, highlight, shadow);
    } else {
        Ring(*this, rect, shadow, highlight);
        Ring(*this, inner, dark, light);
    }
}

void BitmapSurface::DrawButtonFace(const TRect& rect, bool pushed) {
    FillRect(rect, ColorToRGB(clBtnFace));
    if (pushed) {
        // A pushed face: dark outer ring, shadow inner ring, no highlight.
        Ring(*this, rect, ColorToRGB(cl3DDkShadow), ColorToRGB(cl3DDkShadow));
        const TRect inner = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
        Ring(*this, inner, ColorToRGB(clBtnShadow), ColorToRGB(clBtnShadow));
    } else {
        const TRect r = Rect(rect.Left, rect.Top, rect.Right, rect.Bottom);
        Ring(*this, r, ColorToRGB(clBtnHighlight), ColorToRGB(cl3DDkShadow));
        const TRect inner = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
        Ring(*this, inner, ColorToRGB(cl3DLight), ColorToRGB(clBtnShadow));
    }
}

}  // namespace ui
