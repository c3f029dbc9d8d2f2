#include "ui/Canvas.h"

#include "ui/Backend.h"
#include "ui/Bitmap.h"

namespace ui {

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetBackend().SystemColor(SystemColorIndex(color)) & 0x00FFFFFFu;
    return color & 0x00FFFFFFu;
}

TCanvas::TCanvas(std::unique_ptr<CanvasSurface> surface) : FSurface(std::move(surface)) {}

void TCanvas::FillRect(const TRect& rect) {
    if (FSurface && Brush.Style != bsClear) FSurface->FillRect(rect, ColorToRGB(Brush.Color));
}

void TCanvas::LineTo(int x, int y) {
    if (FSurface && Pen.Style != psClear) FSurface->Polyline({FPenPos, {x, y}}, ColorToRGB(Pen.Color), Pen.Width);
    FPenPos = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (FSurface && Pen.Style != psClear && points.size() > 1)
        FSurface->Polyline(points, ColorToRGB(Pen.Color), Pen.Width);
    if (!points.empty()) FPenPos = points.back();
}

TColor TCanvas::Pixel(int x, int y) const { return FSurface ? FSurface->GetPixel(x, y) : clBlack; }

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (FSurface) FSurface->SetPixel(x, y, ColorToRGB(color));
}

TSize TCanvas::TextExtent(const std::u16string& text) const {
    return FSurface ? FSurface->TextExtent(Font, text) : TSize{};
}

void TCanvas::TextOut(int x, int y, const std::u16string& text) {
    if (!FSurface) return;
    const TSize extent = TextExtent(text);
    TRect rect = Bounds(x, y, extent.cx, extent.cy);
    DrawText(text, rect, dtLeft | dtTop | dtSingleLine | dtNoClip | dtNoPrefix);
}

int TCanvas::DrawText(const std::u16string& text, TRect& rect, unsigned flags) {
    if (!FSurface) return 0;
    std::optional<TColor> background;
    if (Brush.Style != bsClear) background = ColorToRGB(Brush.Color);
    return FSurface->DrawText(Font, ColorToRGB(Font.Color()), background, text, rect, flags);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    std::optional<TColor> key;
    if (bitmap.Transparent()) key = bitmap.TransparentColor();
    DrawPart(x, y, bitmap, Rect(0, 0, bitmap.Width(), bitmap.Height()), key);
}

void TCanvas::DrawPart(int x, int y, const TBitmap& bitmap, const TRect& source, std::optional<TColor> key) {
    if (!FSurface || bitmap.Empty()) return;
    const TRect clipped = Intersect(source, Rect(0, 0, bitmap.Width(), bitmap.Height()));
    if (clipped.Empty()) return;
    FSurface->DrawBitmap(x + clipped.Left - source.Left, y + clipped.Top - source.Top, bitmap, clipped, key);
}

void TCanvas::DrawButtonFace(const TRect& rect, bool pushed) {
    if (FSurface) FSurface->DrawButtonFace(rect, pushed);
}

void TCanvas::DrawEdge(const TRect& rect, bool raised) {
    if (FSurface) FSurface->DrawEdge(rect, raised);
}

}  // namespace ui
