#include "ui/win32/ComboBoxExWindow.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/WinText.h"
#include "ui/ComboBoxEx.h"
#include "ui/win32/ButtonWindow.h"
#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

namespace {
// The rows the open list shows before it scrolls.
constexpr int VisibleRows = 12;
}  // namespace

ComboBoxExWindow::ComboBoxExWindow(TComboBoxEx& box) : WindowPeer(box) {
    TCreateParams params = NativeChildStyles(box);
    params.Style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
    CreateHandle(WC_COMBOBOXEXW, params, box.Parent() ? WindowOf(*box.Parent()) : nullptr, NextChildId(), true);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(box.Font())), FALSE);
    if (HWND combo = reinterpret_cast<HWND>(SendMessageW(Handle(), CBEM_GETCOMBOCONTROL, 0, 0)))
        SendMessageW(combo, CB_SETMINVISIBLE, VisibleRows, 0);
}

void ComboBoxExWindow::Describe(COMBOBOXEXITEMW& entry, int index, const TComboExItem& item, std::wstring& text) const {
    text.assign(item.Caption().begin(), item.Caption().end());
    entry.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT;
    entry.iItem = index;
    entry.pszText = text.data();
    entry.iImage = item.ImageIndex();
    entry.iSelectedImage = item.SelectedImageIndex();
    entry.iOverlay = item.OverlayImageIndex();
    entry.iIndent = item.Indent();
}

void ComboBoxExWindow::InsertItem(int index, const TComboExItem& item) {
    COMBOBOXEXITEMW entry{};
    std::wstring text;
    Describe(entry, index, item, text);
    SendMessageW(Handle(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
}

void ComboBoxExWindow::UpdateItem(int index, const TComboExItem& item) {
    COMBOBOXEXITEMW entry{};
    std::wstring text;
    Describe(entry, index, item, text);
    SendMessageW(Handle(), CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
}

void ComboBoxExWindow::DeleteItem(int index) { SendMessageW(Handle(), CBEM_DELETEITEM, index, 0); }

void ComboBoxExWindow::DeleteAll() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

void ComboBoxExWindow::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, index, 0); }

void ComboBoxExWindow::SetImages(std::intptr_t images) { SendMessageW(Handle(), CBEM_SETIMAGELIST, 0, images); }

void ComboBoxExWindow::SetRedraw(bool redraw) {
    SendMessageW(Handle(), WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) ::InvalidateRect(Handle(), nullptr, TRUE);
}

bool ComboBoxExWindow::OnReflectedCommand(WORD code) {
    auto& box = static_cast<TComboBoxEx&>(Control());
    switch (code) {
        case CBN_SELCHANGE:
            box.HandleSelectionChanged(static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)));
            return true;
        case CBN_DROPDOWN:
            box.HandleDropDown(true);
            return true;
        case CBN_CLOSEUP:
            box.HandleDropDown(false);
            return true;
        default:
            return false;
    }
}

}  // namespace ui::win32
