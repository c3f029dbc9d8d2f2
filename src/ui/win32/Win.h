#pragma once
// <windows.h> without its A/W name macros that would rename the component model's own members
// (TCanvas::TextOut, CanvasSurface::DrawText, UiBackend::MessageBox) in the files that see both.
#include <windows.h>

#undef MessageBox
#undef DrawText
#undef TextOut
