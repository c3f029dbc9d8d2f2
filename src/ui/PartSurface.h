#pragma once
// A part of another surface as a surface of its own: what a control without a widget of its own
// draws on, in its place on its parent's surface. The part ends with this object.
#include <memory>

#include "ui/CanvasSurface.h"

namespace ui {

class PartSurface final : public CanvasSurface {
public:
    // A part of a surface that outlives this one.
    PartSurface(CanvasSurface& whole, const TRect& part) : FWhole(whole) { FWhole.BeginPart(part); }
    // A part of a surface this one keeps until it goes.
    PartSurface(std::unique_ptr<CanvasSurface> whole, const TRect& part)
        : FOwned(std::move(whole)), FWhole(*FOwned) {
        FWhole.BeginPart(part);
    }
    ~PartSurface() override { FWhole.EndPart(); }
    PartSurface(const PartSurface&) = delete;
    PartSurface& operator=(const PartSurface&) = delete;

    void FillRect(const TRect& rect, TColor rgb) override { FWhole.FillRect(rect, rgb); }
    void Polyline(const std::vector<TPoint>& points, TColor rgb, int width) override {
        FWhole.Polyline(points, rgb, width);
    }
    void SetPixel(int x, int y, TColor rgb) override { FWhole.SetPixel(x, y, rgb); }
    TColor GetPixel(int x, int y) override { return FWhole.GetPixel(x, y); }
    TSize TextExtent(const TFont& font, const std::u16string& text) override { return FWhole.TextExtent(font, text); }
    int DrawText(const TFont& font, TColor rgb, std::optional<TColor> background, const std::u16string& text,
                 TRect& rect, unsigned flags) override {
        return FWhole.DrawText(font, rgb, background, text, rect, flags);
    }
    void DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& source, std::optional<TColor> key) override {
        FWhole.DrawBitmap(x, y, bitmap, source, key);
    }
    void DrawButtonFace(const TRect& rect, bool pushed) override { FWhole.DrawButtonFace(rect, pushed); }
    void DrawEdge(const TRect& rect, bool raised) override { FWhole.DrawEdge(rect, raised); }
    void BeginPart(const TRect& part) override { FWhole.BeginPart(part); }
    void EndPart() override { FWhole.EndPart(); }

private:
    std::unique_ptr<CanvasSurface> FOwned;
    CanvasSurface& FWhole;
};

}  // namespace ui
