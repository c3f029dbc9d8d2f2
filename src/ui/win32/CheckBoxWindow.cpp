#include "ui/win32/CheckBoxWindow.h"

#include "ui/StdCtrls.h"
#include "ui/win32/ButtonWindow.h"
#include "ui/win32/EditWindow.h"
#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

CheckBoxWindow::CheckBoxWindow(TCheckBox& box) : WindowPeer(box) {
    TCreateParams params = NativeChildStyles(box);
    params.Style |= BS_CHECKBOX;
    CreateHandle(WC_BUTTONW, params, box.Parent() ? WindowOf(*box.Parent()) : nullptr, NextChildId(), true);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(box.Font())), FALSE);
    SetChecked(box.Checked());
}

void CheckBoxWindow::SetChecked(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBoxWindow::OnReflectedCommand(WORD code) {
    if (code == BN_CLICKED) static_cast<TCheckBox&>(Control()).HandleToggled();
    return true;
}

HBRUSH CheckBoxWindow::OnReflectedColor(HDC dc) { return ControlColors(Control(), dc); }

}  // namespace ui::win32
