#pragma once
// A check box: the platform's BUTTON class in check box style, subclassed; a toggle comes back
// through the parent's WM_COMMAND, its colours through WM_CTLCOLORSTATIC.
#include "ui/win32/WindowPeer.h"

namespace ui {
class TCheckBox;
}

namespace ui::win32 {

class CheckBoxWindow final : public CheckBoxPeer, public WindowPeer {
public:
    explicit CheckBoxWindow(TCheckBox& box);
    void SetChecked(bool checked) override;
    bool OnReflectedCommand(WORD code) override;
    HBRUSH OnReflectedColor(HDC dc) override;
};

}  // namespace ui::win32
