#include "ui/win32/EditWindow.h"

#include <string>

#include "platform/win32/WinText.h"
#include "ui/StdCtrls.h"
#include "ui/win32/ButtonWindow.h"
#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

HBRUSH ControlColors(const TWinControl& control, HDC dc) {
    const TColor back = ColorToRGB(control.Color());
    SetTextColor(dc, ColorToRGB(control.Font().Color()));
    SetBkColor(dc, back);
    // The device context's own brush, set to the colour: no brush is made per message.
    SetDCBrushColor(dc, back);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

EditWindow::EditWindow(TEdit& edit) : WindowPeer(edit) {
    TCreateParams params = NativeChildStyles(edit);
    params.Style |= ES_AUTOHSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    CreateHandle(WC_EDITW, params, edit.Parent() ? WindowOf(*edit.Parent()) : nullptr, NextChildId(), true);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(edit.Font())), FALSE);
    SetMaxLength(edit.MaxLength());
    SetReadOnly(edit.ReadOnly());
}

void EditWindow::SetMaxLength(int length) { SendMessageW(Handle(), EM_SETLIMITTEXT, length > 0 ? length : 0, 0); }

void EditWindow::PlaceCaretAtEnd() {
    const int length = GetWindowTextLengthW(Handle());
    SendMessageW(Handle(), EM_SETSEL, length, length);
}

void EditWindow::SetReadOnly(bool readOnly) { SendMessageW(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }

bool EditWindow::OnReflectedCommand(WORD code) {
    if (code == EN_CHANGE && !FSettingText) static_cast<TEdit&>(Control()).HandleTextEdited(WindowTextOf(Handle()));
    return true;
}

HBRUSH EditWindow::OnReflectedColor(HDC dc) { return ControlColors(Control(), dc); }

}  // namespace ui::win32
