#include "ui/win32/CustomDraw.h"

#include "ui/Canvas.h"
#include "ui/Control.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

bool BridgeCustomDraw(WindowPeer& peer, NMCUSTOMDRAW& draw, LRESULT& result) {
    TWinControl& control = peer.Control();
    if (!control.HasCustomDraw()) return false;
    switch (draw.dwDrawStage) {
        case CDDS_PREPAINT: result = CDRF_NOTIFYITEMDRAW; return true;
        case CDDS_ITEMPREPAINT: break;
        default: result = CDRF_DODEFAULT; return true;
    }
    // The canvas starts as the platform would draw: its colours on the item's DC, the control's font.
    TCanvas canvas;
    canvas.SetSurface(std::make_unique<GdiSurface>(draw.hdc));
    const TColor text = GetTextColor(draw.hdc) & 0xFFFFFF, back = GetBkColor(draw.hdc) & 0xFFFFFF;
    canvas.Brush.Color = back;
    canvas.Font.Assign(&control.Font());
    canvas.Font.SetColor(text);
    TFont before;
    before.Assign(&canvas.Font);
    const TRect item{draw.rc.left, draw.rc.top, draw.rc.right, draw.rc.bottom};
    const bool defaultDraw =
        control.CustomDrawItem(canvas, item, static_cast<TCustomDrawState>(draw.uItemState), draw.dwItemSpec);
    const TColor newText = ColorToRGB(canvas.Font.Color()), newBack = ColorToRGB(canvas.Brush.Color);
    canvas.SetSurface(nullptr);
    peer.ApplyItemColors(draw, newText, newBack);
    result = defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    // A new colour goes with the item colours; only a new face, size or style needs another font.
    const bool newFont = canvas.Font.Name() != before.Name() || canvas.Font.Height() != before.Height() ||
                         canvas.Font.Style() != before.Style();
    if (defaultDraw && newFont) {
        SelectObject(draw.hdc, FontFor(canvas.Font));
        result |= CDRF_NEWFONT;
    }
    return true;
}

}  // namespace ui::win32
