#pragma once
// The window of a control that paints itself: our own class, painted through an off-screen
// buffer (only the part the platform asks for), with what lies behind a control that does not
// cover itself drawn first.
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class CustomWindow final : public CustomPeer, public WindowPeer {
public:
    explicit CustomWindow(TWinControl& control);
    // Paints the control's client area on dc, through an off-screen buffer; only clip is copied.
    void PaintInto(HDC dc, const RECT& clip);

protected:
    bool HandleFamilyMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

}  // namespace ui::win32
