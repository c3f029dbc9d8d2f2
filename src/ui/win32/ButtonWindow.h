#pragma once
// A push button: the platform's BUTTON class, subclassed; its click comes back through the
// parent's WM_COMMAND.
#include "ui/win32/WindowPeer.h"

namespace ui {
class TButton;
}

namespace ui::win32 {

class ButtonWindow final : public ButtonPeer, public WindowPeer {
public:
    explicit ButtonWindow(TButton& button);
    void SetDefault(bool isDefault) override;
    bool OnReflectedCommand(WORD code) override;
};

// Styles every child window of the platform's own classes starts with.
TCreateParams NativeChildStyles(const TWinControl& control);

}  // namespace ui::win32
