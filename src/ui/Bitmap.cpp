#include "ui/Bitmap.h"

#include "ui/Canvas.h"
#include "ui/RasterSurface.h"

namespace ui {

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TColor fill) {
    SetSize(width, height);
    std::fill(FPixels.begin(), FPixels.end(), fill);
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (width == FWidth && height == FHeight) return;
    std::vector<TColor> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), clWhite);
    for (int y = 0; y < height && y < FHeight; ++y)
        for (int x = 0; x < width && x < FWidth; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = FPixels[static_cast<std::size_t>(y) * FWidth + x];
    FPixels.swap(pixels);
    FWidth = width;
    FHeight = height;
    Changed();
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clBlack;
    return FPixels[static_cast<std::size_t>(y) * FWidth + x];
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    FPixels[static_cast<std::size_t>(y) * FWidth + x] = color & 0x00FFFFFFu;
    Changed();
}

void TBitmap::SetTransparent(bool transparent) {
    if (transparent == FTransparent) return;
    FTransparent = transparent;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentColor) return *FTransparentColor;
    return Pixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = color;
    Changed();
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(std::make_unique<BitmapSurface>(*this));
    return *FCanvas;
}

namespace {
std::uint32_t ReadLe(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}
void WriteLe(std::vector<std::uint8_t>& b, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
}  // namespace

bool TBitmap::LoadFromBmpBytes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const std::uint32_t offset = ReadLe(bytes, 10, 4);
    const std::uint32_t headerSize = ReadLe(bytes, 14, 4);
    if (headerSize < 40) return false;
    const std::int32_t width = static_cast<std::int32_t>(ReadLe(bytes, 18, 4));
    std::int32_t height = static_cast<std::int32_t>(ReadLe(bytes, 22, 4));
    const std::uint32_t planes = ReadLe(bytes, 26, 2);
    const std::uint32_t bits = ReadLe(bytes, 28, 2);
    const std::uint32_t compression = ReadLe(bytes, 30, 4);
    if (planes != 1 || (bits != 24 && bits != 32) || (compression != 0 && !(compression == 3 && bits == 32)))
        return false;
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) return false;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits / 8 + 3) / 4 * 4;
    if (offset > bytes.size() || stride * static_cast<std::uint64_t>(height) > bytes.size() - offset) return false;
    std::vector<TColor> pixels(static_cast<std::size_t>(width) * height);
    for (std::int32_t row = 0; row < height; ++row) {
        const std::size_t line = offset + static_cast<std::size_t>(stride * row);
        const std::int32_t y = topDown ? row : height - 1 - row;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t p = line + static_cast<std::size_t>(x) * (bits / 8);
            pixels[static_cast<std::size_t>(y) * width + x] = MakeColor(bytes[p + 2], bytes[p + 1], bytes[p]);
        }
    }
    FPixels.swap(pixels);
    FWidth = width;
    FHeight = height;
    Changed();
    return true;
}

std::vector<std::uint8_t> TBitmap::SaveToBmpBytes() const {
    const std::uint32_t stride = (static_cast<std::uint32_t>(FWidth) * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(FHeight);
    std::vector<std::uint8_t> b;
    b.reserve(54 + imageSize);
    b.push_back('B');
    b.push_back('M');
    WriteLe(b, 54 + imageSize, 4);
    WriteLe(b, 0, 4);
    WriteLe(b, 54, 4);
    WriteLe(b, 40, 4);
    WriteLe(b, static_cast<std::uint32_t>(FWidth), 4);
    WriteLe(b, static_cast<std::uint32_t>(FHeight), 4);
    WriteLe(b, 1, 2);
    WriteLe(b, 24, 2);
    WriteLe(b, 0, 4);
    WriteLe(b, imageSize, 4);
    WriteLe(b, 3780, 4);  // 96 pixels per inch
    WriteLe(b, 3780, 4);
    WriteLe(b, 0, 4);
    WriteLe(b, 0, 4);
    for (int y = FHeight - 1; y >= 0; --y) {
        for (int x = 0; x < FWidth; ++x) {
            const TColor c = Pixel(x, y);
            b.push_back(static_cast<std::uint8_t>(BlueOf(c)));
            b.push_back(static_cast<std::uint8_t>(GreenOf(c)));
            b.push_back(static_cast<std::uint8_t>(RedOf(c)));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(FWidth) * 3; pad < stride; ++pad) b.push_back(0);
    }
    return b;
}

void TBitmap::Assign(const TPersistent* Source) {
    if (auto* other = dynamic_cast<const TBitmap*>(Source)) {
        if (other == this) return;
        FWidth = other->FWidth;
        FHeight = other->FHeight;
        FPixels = other->FPixels;
        FTransparent = other->FTransparent;
        FTransparentColor = other->FTransparentColor;
        Changed();
        return;
    }
    if (!Source) {  // assigning nothing empties the picture
        FWidth = FHeight = 0;
        FPixels.clear();
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::Changed() {
    if (OnChange) OnChange();
}

}  // namespace ui
