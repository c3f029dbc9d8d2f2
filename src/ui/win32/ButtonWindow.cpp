#include "ui/win32/ButtonWindow.h"

#include "ui/StdCtrls.h"
#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

TCreateParams NativeChildStyles(const TWinControl& control) {
    TCreateParams p;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (control.TabStop()) p.Style |= WS_TABSTOP;
    if (control.Visible()) p.Style |= WS_VISIBLE;
    return p;
}

ButtonWindow::ButtonWindow(TButton& button) : WindowPeer(button) {
    TCreateParams params = NativeChildStyles(button);
    params.Style |= button.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    CreateHandle(WC_BUTTONW, params, button.Parent() ? WindowOf(*button.Parent()) : nullptr, NextChildId(), true);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(button.Font())), FALSE);
}

void ButtonWindow::SetDefault(bool isDefault) {
    SendMessageW(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool ButtonWindow::OnReflectedCommand(WORD code) {
    if (code == BN_CLICKED) Control().HandleClick();
    return true;
}

}  // namespace ui::win32
