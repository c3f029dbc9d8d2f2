#include <algorithm>

#include "app/MainWindowDesign.h"

namespace app {

void MakeUserPicture(ui::TBitmap& picture) {
    // Drawn apart and handed over whole: a picture on a control redraws it at every change.
    ui::TBitmap b;
    b.SetSize(64, 64);
    b.Canvas().Brush.Color = ui::clFuchsia;
    b.Canvas().FillRect(ui::Rect(0, 0, 64, 64));
    constexpr ui::TColor Body = 0xE8E0D8, Edge = 0xA09890;
    // Head: a disc of radius 12 around (32, 20); shoulders: the upper half of an ellipse
    // around (32, 62), 26 wide and 22 high on each side.
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int hx = x - 32, hy = y - 20;
            const double head = (hx * hx + hy * hy) / 144.0;
            const double sx = (x - 32) / 26.0, sy = (y - 62) / 22.0;
            const double shoulders = y <= 62 ? sx * sx + sy * sy : 2.0;
            const double inside = std::min(head, shoulders);
            if (inside <= 0.80) b.SetPixel(x, y, Body);
            else if (inside <= 1.0) b.SetPixel(x, y, Edge);
        }
    // A gap between head and shoulders, so the two read as a person.
    for (int x = 20; x < 44; ++x) {
        const int hx = x - 32;
        if (hx * hx < 120) b.SetPixel(x, 34, ui::clFuchsia);
    }
    picture.Assign(&b);
}

}  // namespace app
