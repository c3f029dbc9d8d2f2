#pragma once
// A form's window: owned by the hidden application window (so no task bar button of its own),
// its border styles, placement and topmost state, activation (giving the focus back to the child
// that had it), move and size reports, the close box, dialog keys, modal showing and the screen's
// DPI (per monitor, with the system's DPI where the platform has nothing finer).
#include <vector>

#include "ui/win32/WindowPeer.h"

namespace ui {
class TForm;
}

namespace ui::win32 {

class FormWindow final : public FormPeer, public WindowPeer {
public:
    explicit FormWindow(TForm& form);
    ~FormWindow() override;

    void SetVisible(bool visible) override;
    void BorderChanged() override;
    TWindowPlacement GetPlacement() const override;
    void SetPlacement(const TWindowPlacement& placement) override;
    void SetTopmost(bool topmost) override;
    void BringToFront() override;
    bool Showing() const override;
    int Dpi() const override;

protected:
    bool HandleFamilyMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void ReportBounds(bool moved, bool sized);
    void DisableOtherWindows();
    void EnableOtherWindows();

    TForm& FForm;
    bool FCreated = false;               // creation ended: size reports now come from the user or the program
    HWND FLastFocused = nullptr;         // the child that had the focus when the form was left
    std::vector<HWND> FDisabledWindows;  // what a shown modal form disabled, enabled again at hiding
};

// Pixels per inch of a window: its monitor's where the platform tells (per-monitor awareness),
// else the system's.
int WindowDpi(HWND window);

}  // namespace ui::win32
