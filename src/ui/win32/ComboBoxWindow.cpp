#include "ui/win32/ComboBoxWindow.h"

#include <shlwapi.h>

#include <string>

#include "platform/win32/WinText.h"
#include "ui/StdCtrls.h"
#include "ui/win32/ButtonWindow.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/Win32Backend.h"

namespace ui::win32 {

namespace {
// The rows the open list shows before it scrolls.
constexpr int VisibleRows = 12;

}  // namespace

ComboBoxWindow::ComboBoxWindow(TComboBox& box) : WindowPeer(box) {
    TCreateParams params = NativeChildStyles(box);
    params.Style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
    CreateHandle(WC_COMBOBOXW, params, box.Parent() ? WindowOf(*box.Parent()) : nullptr, NextChildId(), true);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(box.Font())), FALSE);
    SendMessageW(Handle(), CB_SETMINVISIBLE, VisibleRows, 0);
    SetMaxLength(box.MaxLength());
    SetItems(box.Items());
    if (box.PathCompletion()) SetPathCompletion(true);
}

HWND ComboBoxWindow::EditHandle() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(Handle(), &info) ? info.hwndItem : nullptr;
}

void ComboBoxWindow::SetMaxLength(int length) { SendMessageW(Handle(), CB_LIMITTEXT, length > 0 ? length : 0, 0); }

void ComboBoxWindow::SetItems(const std::vector<std::u16string>& items) {
    // The list changes, the field keeps its text.
    const std::u16string text = WindowTextOf(Handle());
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : items)
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::win32::W(item)));
    SetWindowTextW(Handle(), platform::win32::W(text));
}

void ComboBoxWindow::PlaceCaretAtEnd() {
    const int length = GetWindowTextLengthW(Handle());
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(length, length));
}

void ComboBoxWindow::SelectAllText() { SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

void ComboBoxWindow::SetPathCompletion(bool complete) {
    HWND edit = EditHandle();
    if (!edit) return;
    // The platform's own completion of file-system paths in the field; its objects need OLE.
    Win32().StartShellServices();
    SHAutoComplete(edit, complete ? SHACF_FILESYSTEM | SHACF_AUTOSUGGEST_FORCE_ON
                                  : SHACF_AUTOSUGGEST_FORCE_OFF | SHACF_AUTOAPPEND_FORCE_OFF);
}

bool ComboBoxWindow::OnReflectedCommand(WORD code) {
    auto& box = static_cast<TComboBox&>(Control());
    if (code == CBN_EDITCHANGE && !FSettingText) {
        box.HandleTextEdited(WindowTextOf(Handle()));
    } else if (code == CBN_SELCHANGE) {
        // The field shows the chosen item only after this message: its text comes from the list.
        const LRESULT index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
        const LRESULT length = index == CB_ERR ? CB_ERR : SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
        if (length != CB_ERR && length >= 0) {
            std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
            SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
            box.HandleTextEdited(platform::win32::U16(buffer.data()));
        }
    }
    return true;
}

}  // namespace ui::win32
