#include <algorithm>

#include "app/MainWindowDesign.h"

namespace app {

void MakeUserPicture(ui::TBitmap& picture, int size) {
    // Drawn apart and handed over whole: a picture on a control redraws it at every change.
    ui::TBitmap b;
    b.SetSize(size, size);
    b.Canvas().Brush.Color = ui::clFuchsia;
    b.Canvas().FillRect(ui::Rect(0, 0, size, size));
    constexpr ui::TColor Body = 0xE8E0D8, Edge = 0xA09890;
    // The shapes in a 64-unit box, tested at each pixel's centre (at 64 pixels: the pixel itself).
    // Head: a disc of radius 12 around (32, 20); shoulders: the upper half of an ellipse around
    // (32, 62), 26 wide and 22 high on each side; between them a gap a unit high.
    const double unit = 64.0 / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double u = (x + 0.5) * unit - 0.5, v = (y + 0.5) * unit - 0.5;
            const double hx = u - 32, hy = v - 20;
            const double head = (hx * hx + hy * hy) / 144.0;
            const double sx = (u - 32) / 26.0, sy = (v - 62) / 22.0;
            const double shoulders = v <= 62 ? sx * sx + sy * sy : 2.0;
            const double inside = std::min(head, shoulders);
            const bool gap = v >= 33.5 && v < 34.5 && hx * hx < 120;
            if (gap) continue;
            if (inside <= 0.80) b.SetPixel(x, y, Body);
            else if (inside <= 1.0) b.SetPixel(x, y, Edge);
        }
    picture.Assign(&b);
}

}  // namespace app
