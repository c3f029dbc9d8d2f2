#pragma once
// A canvas surface on a GDI device context: a window's DC, a paint buffer or a print DC.
#include "ui/win32/Win.h"

#include <functional>
#include <vector>

#include "ui/CanvasSurface.h"

namespace ui::win32 {

class GdiSurface : public CanvasSurface {
public:
    // Draws on dc; release (if given) runs when the surface goes, to give a borrowed DC back.
    explicit GdiSurface(HDC dc, std::function<void()> release = {});
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    HDC Dc() const { return FDc; }

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

private:
    struct OpenPart {
        int SavedState;  // the DC's state before the part, 0 when it could not be saved
        TPoint Offset;
    };
    HDC FDc;
    std::function<void()> FRelease;
    std::vector<OpenPart> FParts;
};

}  // namespace ui::win32
