#pragma once
// The program's glyphs, drawn rather than loaded: each shape is given in a 16-unit box and drawn
// for the pixel size a density asks for, so every density gets its own drawing (at 16 the pixels
// of the 96-DPI design) and not the design's pixels stretched. A glyph is drawn apart and handed
// over whole: a button recomputes itself at every change of its glyph.
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace app {

// The shapes: whether a point of the 16-unit box is covered.
inline bool ArrowUpShape(double u, double v) {
    // A head widening by a unit a unit down from its tip, on a shaft 4 units wide.
    const bool head = v >= 2 && v < 9 && (u > 8 ? u - 8 : 8 - u) < v - 1;
    const bool shaft = v >= 9 && v < 14 && u >= 6 && u < 10;
    return head || shaft;
}
inline bool ArrowDownShape(double u, double v) { return ArrowUpShape(u, 16 - v); }
inline bool DotsShape(double u, double v) {
    // A row of three dots, each 2 units square, 5 units apart.
    if (v < 7 || v >= 9 || u < 2) return false;
    const double offset = u - 2;
    const int dot = static_cast<int>(offset / 5);
    return dot < 3 && offset - dot * 5 < 2;
}
inline bool PlusShape(double u, double v) {
    // Two bars 2 units thick and 10 long, crossing in the middle.
    return (u >= 7 && u < 9 && v >= 3 && v < 13) || (v >= 7 && v < 9 && u >= 3 && u < 13);
}
inline bool MinusShape(double u, double v) { return v >= 7 && v < 9 && u >= 3 && u < 13; }

// Paints the shape into a square of the bitmap at (left, top), offset by (dx, dy) pixels.
template <class Shape>
void PaintShape(ui::TBitmap& b, int left, int top, int size, int dx, int dy, ui::TColor color, Shape covers) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (covers((x + 0.5) * 16.0 / size, (y + 0.5) * 16.0 / size)) {
                const int px = x + dx, py = y + dy;
                if (px >= 0 && px < size && py >= 0 && py < size) b.SetPixel(left + px, top + py, color);
            }
}

// A glyph of size x size pixels: white where the shape covers a pixel's centre, the magenta key
// elsewhere (the main window's dark buttons).
template <class Shape>
void DrawGlyph(ui::TBitmap& glyph, int size, Shape covers) {
    ui::TBitmap b;
    b.SetSize(size, size);
    b.Canvas().Brush.Color = ui::clFuchsia;
    b.Canvas().FillRect(ui::Rect(0, 0, size, size));
    PaintShape(b, 0, 0, size, 0, 0, ui::clWhite, covers);
    glyph.Assign(&b);
}

// A speed button's glyph: two images of size x size side by side on the magenta key, the shape in
// the button text's colour, and the disabled look: the shape grey over a white copy a pixel (at
// 96 DPI) down and right, as if pressed into the face.
template <class Shape>
void DrawButtonGlyph(ui::TBitmap& glyph, int size, Shape covers) {
    ui::TBitmap b;
    b.SetSize(2 * size, size);
    b.Canvas().Brush.Color = ui::clFuchsia;
    b.Canvas().FillRect(ui::Rect(0, 0, 2 * size, size));
    PaintShape(b, 0, 0, size, 0, 0, ui::clBlack, covers);
    const int emboss = size >= 32 ? size / 16 : 1;
    PaintShape(b, size, 0, size, emboss, emboss, ui::clWhite, covers);
    PaintShape(b, size, 0, size, 0, 0, ui::clGray, covers);
    glyph.Assign(&b);
}

inline void MakeArrowGlyph(ui::TBitmap& glyph, int size = 16) { DrawGlyph(glyph, size, ArrowUpShape); }
inline void MakeDotsGlyph(ui::TBitmap& glyph, int size = 16) { DrawGlyph(glyph, size, DotsShape); }

}  // namespace app
