#pragma once
// Line breaking and alignment of drawn text, as the platform's text drawing does it, over any
// width measure. The raster canvas uses it; the GDI canvas leaves it to the platform.
#include <functional>
#include <string>
#include <vector>

#include "ui/Types.h"

namespace ui {

struct TextLine {
    std::u16string Text;  // as shown: prefix characters resolved
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Underline = -1;   // index in Text of the accelerator letter, or -1
};

struct TextLayout {
    std::vector<TextLine> Lines;
    int Width = 0;   // widest line
    int Height = 0;  // lines times line height
};

// "&x" shows x underlined, "&&" shows one "&", a final "&" shows nothing.
std::u16string StripPrefix(const std::u16string& text, int* underline = nullptr);
// The accelerator letter of a caption (the character after a single "&"), or 0.
char16_t AcceleratorOf(const std::u16string& caption);

using WidthMeasure = std::function<int(const std::u16string&)>;
TextLayout LayOutText(const std::u16string& text, const TRect& rect, unsigned flags,
                      const WidthMeasure& width, int lineHeight);

}  // namespace ui
