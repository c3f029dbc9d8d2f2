#pragma once
// An edit field: the platform's EDIT class, subclassed; the user's changes come back through the
// parent's WM_COMMAND, its colours through the parent's WM_CTLCOLOREDIT.
#include "ui/win32/WindowPeer.h"

namespace ui {
class TEdit;
}

namespace ui::win32 {

class EditWindow final : public EditPeer, public WindowPeer {
public:
    explicit EditWindow(TEdit& edit);
    void SetMaxLength(int length) override;
    void SetReadOnly(bool readOnly) override;
    void PlaceCaretAtEnd() override;
    bool OnReflectedCommand(WORD code) override;
    HBRUSH OnReflectedColor(HDC dc) override;
};

// The colours of a platform control from its component: font colour on its background colour.
HBRUSH ControlColors(const TWinControl& control, HDC dc);

}  // namespace ui::win32
