#pragma once
// Fonts and solid brushes made once per distinct value and kept for the life of the process, so
// that painting and WM_CTLCOLOR answers never create or leak GDI objects per message.
#include "ui/win32/Win.h"

#include "ui/Graphics.h"

namespace ui::win32 {

HFONT FontFor(const TFont& font);
// A brush of a plain (already resolved) colour.
HBRUSH SolidBrushFor(TColor rgb);

}  // namespace ui::win32
