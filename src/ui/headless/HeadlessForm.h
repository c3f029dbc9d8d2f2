#pragma once
// The in-memory window of a form: placement, topmost state, activation, the frame around the
// client area, the screen's DPI, and the user's moves and resizes.
#include "ui/headless/HeadlessPeer.h"

namespace ui::headless {

class HeadlessForm final : public FormPeer, public HeadlessPeer {
public:
    explicit HeadlessForm(TForm& form);

    void SetVisible(bool visible) override;
    TSize ClientSizeFor(int width, int height) const override;
    TPoint ClientOrigin() const override;
    void BorderChanged() override { ++BorderChanges; }
    TWindowPlacement GetPlacement() const override;
    void SetPlacement(const TWindowPlacement& placement) override;
    void SetTopmost(bool topmost) override { Topmost = topmost; }
    void BringToFront() override { ++BroughtToFront; }
    bool Showing() const override { return Visible; }
    int Dpi() const override { return WindowDpi; }

    // The user (or the platform) moved or sized the window; activation changed; the window went
    // to a screen of another density, with the bounds the platform suggests there.
    void UserSetBounds(const TRect& bounds);
    void Activate(int state);
    void MoveToScreenOfDpi(int dpi, const TRect& suggested);

    TForm& Form;
    bool Topmost = false;
    int BroughtToFront = 0;
    int BorderChanges = 0;
    int WindowDpi = 96;
    TWindowPlacement Placement;
};

// The window of a form, made if the form has none yet.
HeadlessForm& PeerOf(TForm& form);

}  // namespace ui::headless
