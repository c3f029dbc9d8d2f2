#pragma once
// An in-memory picture of 0x00BBGGRR pixels. The same object serves both backends: the GDI canvas
// hands its pixels to the platform, the raster canvas draws into them.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/Object.h"
#include "ui/Types.h"

namespace ui {

class TCanvas;

class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int width, int height, TColor fill = clWhite);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    std::u16string ClassName() const override { return u"TBitmap"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    // New size; pixels that were inside stay, new ones are white.
    void SetSize(int width, int height);

    // Colour of a pixel; clBlack outside the picture.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    const std::vector<TColor>& Pixels() const { return FPixels; }

    // Draws with the colour key: pixels of TransparentColor() are left out.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    // The key: the colour set, or by default the colour of the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    // A canvas that draws into this picture; each drawing call reports a change.
    TCanvas& Canvas();

    // Uncompressed 24- or 32-bit Windows bitmap files; false (and the picture unchanged) for
    // anything else or a file too short for what its header says.
    bool LoadFromBmpBytes(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> SaveToBmpBytes() const;

    void Assign(const TPersistent* Source) override;

    // Called after every change of size or pixels.
    std::function<void()> OnChange;
    void Changed();

private:
    friend class BitmapSurface;
    // A pixel write without the change report; drawing reports once per call.
    void Put(int x, int y, TColor color) {
        if (x >= 0 && y >= 0 && x < FWidth && y < FHeight)
            FPixels[static_cast<std::size_t>(y) * FWidth + x] = color & 0x00FFFFFFu;
    }
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TColor> FPixels;
    bool FTransparent = false;
    std::optional<TColor> FTransparentColor;
    std::unique_ptr<TCanvas> FCanvas;
};

}  // namespace ui
