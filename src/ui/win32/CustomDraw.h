#pragma once
// NM_CUSTOMDRAW of a platform control handed to its component: per item, a canvas over the item's
// device context with the item's state, and what the component leaves on it (brush colour, font
// and its colour) given back to the platform.
#include "ui/win32/Win.h"

#include <commctrl.h>

namespace ui::win32 {

class WindowPeer;

// True when the notification was answered (result holds the CDRF_ flags).
bool BridgeCustomDraw(WindowPeer& peer, NMCUSTOMDRAW& draw, LRESULT& result);

}  // namespace ui::win32
