#include "ui/win32/GdiSurface.h"

#include <algorithm>

#include "platform/win32/WinText.h"
#include "ui/Bitmap.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/WinHandles.h"

namespace ui::win32 {

using platform::win32::W;

namespace {
RECT ToRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
}  // namespace

GdiSurface::GdiSurface(HDC dc, std::function<void()> release) : FDc(dc), FRelease(std::move(release)) {}

GdiSurface::~GdiSurface() {
    // A borrowed DC goes back as it came.
    while (!FParts.empty()) EndPart();
    if (FRelease) FRelease();
}

void GdiSurface::BeginPart(const TRect& part) {
    FParts.push_back({SaveDC(FDc), {part.Left, part.Top}});
    IntersectClipRect(FDc, part.Left, part.Top, part.Right, part.Bottom);
    OffsetViewportOrgEx(FDc, part.Left, part.Top, nullptr);
}

void GdiSurface::EndPart() {
    if (FParts.empty()) return;
    const OpenPart part = FParts.back();
    FParts.pop_back();
    if (part.SavedState == 0 || !RestoreDC(FDc, part.SavedState))
        OffsetViewportOrgEx(FDc, -part.Offset.X, -part.Offset.Y, nullptr);
}

void GdiSurface::FillRect(const TRect& rect, TColor rgb) {
    RECT r = ToRect(rect);
    SetDCBrushColor(FDc, rgb & 0x00FFFFFFu);
    ::FillRect(FDc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiSurface::Polyline(const std::vector<TPoint>& points, TColor rgb, int width) {
    if (points.size() < 2) return;
    UniquePen pen(HeldGdi(CreatePen(PS_SOLID, std::max(1, width), rgb & 0x00FFFFFFu)));
    if (!pen) return;
    SelectedObject selected(FDc, pen.get());
    std::vector<POINT> native(points.size());
    std::transform(points.begin(), points.end(), native.begin(), [](const TPoint& p) { return POINT{p.X, p.Y}; });
    // GDI leaves out the last point of a polyline, as the portable raster does.
    ::Polyline(FDc, native.data(), static_cast<int>(native.size()));
}

void GdiSurface::SetPixel(int x, int y, TColor rgb) { SetPixelV(FDc, x, y, rgb & 0x00FFFFFFu); }

TColor GdiSurface::GetPixel(int x, int y) {
    const COLORREF c = ::GetPixel(FDc, x, y);
    return c == CLR_INVALID ? clBlack : static_cast<TColor>(c);
}

TSize GdiSurface::TextExtent(const TFont& font, const std::u16string& text) {
    SelectedObject selected(FDc, FontFor(font));
    SIZE size{};
    if (!GetTextExtentPoint32W(FDc, W(text), static_cast<int>(text.size()), &size)) return {};
    if (text.empty()) {
        // An empty text still has the font's line height.
        TEXTMETRICW tm{};
        if (GetTextMetricsW(FDc, &tm)) size.cy = tm.tmHeight;
    }
    return {size.cx, size.cy};
}

namespace {
UINT TextFormatFlags(unsigned flags) {
    struct Pair {
        unsigned Flag;
        UINT Native;
    };
    static constexpr Pair Pairs[] = {{dtCenter, DT_CENTER},         {dtRight, DT_RIGHT},         {dtVCenter, DT_VCENTER},
                                     {dtBottom, DT_BOTTOM},         {dtWordBreak, DT_WORDBREAK}, {dtSingleLine, DT_SINGLELINE},
                                     {dtExpandTabs, DT_EXPANDTABS}, {dtNoClip, DT_NOCLIP},       {dtCalcRect, DT_CALCRECT},
                                     {dtNoPrefix, DT_NOPREFIX},     {dtEndEllipsis, DT_END_ELLIPSIS},
                                     {dtHidePrefix, DT_HIDEPREFIX}};
    UINT native = DT_LEFT | DT_TOP;
    for (const Pair& p : Pairs)
        if (flags & p.Flag) native |= p.Native;
    return native;
}
}  // namespace

int GdiSurface::DrawText(const TFont& font, TColor rgb, std::optional<TColor> background,
                         const std::u16string& text, TRect& rect, unsigned flags) {
    SelectedObject selected(FDc, FontFor(font));
    SetTextColor(FDc, rgb & 0x00FFFFFFu);
    if (background) {
        SetBkMode(FDc, OPAQUE);
        SetBkColor(FDc, *background & 0x00FFFFFFu);
    } else {
        SetBkMode(FDc, TRANSPARENT);
    }
    RECT r = ToRect(rect);
    const int height = ::DrawTextW(FDc, W(text), static_cast<int>(text.size()), &r, TextFormatFlags(flags));
    if (flags & dtCalcRect) rect = TRect{r.left, r.top, r.right, r.bottom};
    return height;
}

void GdiSurface::DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& source, std::optional<TColor> key) {
    const TRect part = Intersect(source, Rect(0, 0, bitmap.Width(), bitmap.Height()));
    const int w = part.Width(), h = part.Height();
    if (w <= 0 || h <= 0) return;
    DibBuffer buffer(FDc, w, h);
    if (!buffer.Valid()) return;
    // With a key, what is already on the surface shows through: the destination comes into the
    // buffer first and only the pixels that are not the key are replaced.
    if (key) BitBlt(buffer.Dc(), 0, 0, w, h, FDc, x, y, SRCCOPY);
    GdiFlush();
    const TColor keyColor = key ? (*key & 0x00FFFFFFu) : 0;
    for (int row = 0; row < h; ++row) {
        DWORD* out = buffer.Row(row);
        for (int col = 0; col < w; ++col) {
            const TColor c = bitmap.Pixel(part.Left + col, part.Top + row);
            if (key && c == keyColor) continue;
            out[col] = SwapRedBlue(c);
        }
    }
    BitBlt(FDc, x, y, w, h, buffer.Dc(), 0, 0, SRCCOPY);
}

void GdiSurface::DrawButtonFace(const TRect& rect, bool pushed) {
    RECT r = ToRect(rect);
    DrawFrameControl(FDc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
}

void GdiSurface::DrawEdge(const TRect& rect, bool raised) {
    RECT r = ToRect(rect);
    ::DrawEdge(FDc, &r, raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT);
}

}  // namespace ui::win32
