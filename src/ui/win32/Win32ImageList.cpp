#include "ui/win32/Win32ImageList.h"

#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/win32/WinHandles.h"

namespace ui::win32 {

Win32ImageList::Win32ImageList(int width, int height) : FWidth(width), FHeight(height) {
    FList = HeldGdi(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4));
}

Win32ImageList::~Win32ImageList() {
    if (FList && ImageList_Destroy(FList)) CountGdiObject(-1);
}

int Win32ImageList::Add(const TBitmap& image, TColor maskColor) {
    if (!FList) return -1;
    // The picture at the list's size, on the mask colour where it is smaller.
    WindowDc screen(nullptr);
    DibBuffer buffer(screen.Get(), FWidth, FHeight);
    if (!buffer.Valid()) return -1;
    const TColor key = ColorToRGB(maskColor) & 0xFFFFFF;
    for (int row = 0; row < FHeight; ++row)
        for (int col = 0; col < FWidth; ++col) {
            const bool inside = col < image.Width() && row < image.Height();
            buffer.Row(row)[col] = SwapRedBlue(inside ? ColorToRGB(image.Pixel(col, row)) & 0xFFFFFF : key);
        }
    GdiFlush();
    // The list copies the bitmap; it must not stay selected into a DC while that happens.
    UniqueBitmap copy(buffer.Detach());
    if (!copy) return -1;
    return ImageList_AddMasked(FList, copy.get(), key);
}

void Win32ImageList::Clear() {
    if (FList) ImageList_RemoveAll(FList);
}

}  // namespace ui::win32
