#pragma once
// Fonts made once per distinct value and kept for the life of the process, so that painting never
// creates or leaks a font per message. Fills need no brush of their own: they use the device
// context's brush (DC_BRUSH) set to the colour.
#include "ui/win32/Win.h"

#include "ui/Graphics.h"

namespace ui::win32 {

HFONT FontFor(const TFont& font);

}  // namespace ui::win32
