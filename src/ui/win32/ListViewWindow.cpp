#include "ui/win32/ListViewWindow.h"

#include <uxtheme.h>

#include <algorithm>
#include <string>

#include "platform/win32/WinText.h"
#include "ui/ListView.h"
#include "ui/win32/ButtonWindow.h"
#include "ui/win32/EditWindow.h"
#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

using platform::win32::U16;
using platform::win32::W;

namespace {
UINT StateBits(bool selected, bool focused) { return (selected ? LVIS_SELECTED : 0) | (focused ? LVIS_FOCUSED : 0); }

// Sets a row's selection and focus without asking anyone.
void PutState(HWND list, int index, bool selected, bool focused) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = StateBits(selected, focused);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

class Syncing {
public:
    explicit Syncing(bool& flag) : FFlag(flag), FBefore(flag) { FFlag = true; }
    ~Syncing() { FFlag = FBefore; }
    Syncing(const Syncing&) = delete;
    Syncing& operator=(const Syncing&) = delete;

private:
    bool& FFlag;
    bool FBefore;
};
}  // namespace

ListViewWindow::ListViewWindow(TListView& list) : WindowPeer(list), FList(list) {
    TCreateParams params = NativeChildStyles(list);
    // The system's picture lists are shared: the control must never destroy them.
    params.Style |= ListStyles() | LVS_SHAREIMAGELISTS | (list.OwnerData() ? LVS_OWNERDATA : 0);
    params.ExStyle |= WS_EX_CLIENTEDGE;
    CreateHandle(WC_LISTVIEWW, params, list.Parent() ? WindowOf(*list.Parent()) : nullptr, NextChildId(), true);
    SetWindowTheme(Handle(), L"Explorer", nullptr);
    ListView_SetExtendedListViewStyle(Handle(), LVS_EX_DOUBLEBUFFER | (list.RowSelect() ? LVS_EX_FULLROWSELECT : 0));
    AppearanceChanged();
}

DWORD ListViewWindow::ListStyles() const {
    DWORD style = 0;
    switch (FList.ViewStyle()) {
        case vsIcon: style |= LVS_ICON; break;
        case vsSmallIcon: style |= LVS_SMALLICON; break;
        case vsList: style |= LVS_LIST; break;
        case vsReport: style |= LVS_REPORT; break;
    }
    if (!FList.ReadOnly()) style |= LVS_EDITLABELS;
    if (!FList.HideSelection()) style |= LVS_SHOWSELALWAYS;
    if (!FList.MultiSelect()) style |= LVS_SINGLESEL;
    if (!FList.ColumnClick()) style |= LVS_NOSORTHEADER;
    if (!FList.ShowColumnHeaders()) style |= LVS_NOCOLUMNHEADER;
    return style;
}

void ListViewWindow::StyleChanged() {
    constexpr DWORD Ours = LVS_TYPEMASK | LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_NOSORTHEADER |
                           LVS_NOCOLUMNHEADER;
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(Ours)) | ListStyles());
    ListView_SetExtendedListViewStyleEx(Handle(), LVS_EX_FULLROWSELECT, FList.RowSelect() ? LVS_EX_FULLROWSELECT : 0);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void ListViewWindow::AppearanceChanged() {
    ListView_SetBkColor(Handle(), ColorToRGB(FList.Color()));
    ListView_SetTextBkColor(Handle(), ColorToRGB(FList.Color()));
    ListView_SetTextColor(Handle(), ColorToRGB(FList.Font().Color()));
    WindowPeer::AppearanceChanged();
}

void ListViewWindow::ColumnsChanged() {
    HWND header = ListView_GetHeader(Handle());
    const int had = header ? Header_GetItemCount(header) : 0;
    for (int i = had - 1; i >= 0; --i) ListView_DeleteColumn(Handle(), i);
    for (int i = 0; i < FList.Columns().Count(); ++i) {
        const TListColumn& c = *FList.Columns().Items(i);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = c.Alignment() == taRightJustify ? LVCFMT_RIGHT : c.Alignment() == taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
        column.cx = c.Width();
        column.pszText = const_cast<wchar_t*>(W(c.Caption()));
        column.iSubItem = i;
        ListView_InsertColumn(Handle(), i, &column);
    }
}

void ListViewWindow::InsertItem(int index) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.iImage = I_IMAGECALLBACK;
    Syncing quiet(FSyncing);
    ListView_InsertItem(Handle(), &item);
}

void ListViewWindow::DeleteItem(int index) {
    if (index < 0 || index >= ListView_GetItemCount(Handle())) return;
    const UINT state = ListView_GetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED);
    // A row with a state loses it first, with the questions and events, as a user's change.
    if (state) PutState(Handle(), index, false, false);
    if (!*FAlive) return;
    // The rows after it move up; whatever the control does with the focus now is not the user's.
    Syncing quiet(FSyncing);
    ListView_DeleteItem(Handle(), index);
}

void ListViewWindow::DeleteAll() {
    Syncing quiet(FSyncing);
    ListView_DeleteAllItems(Handle());
}

void ListViewWindow::SetItemCount(int count) {
    Syncing quiet(FSyncing);
    ListView_SetItemCountEx(Handle(), count, LVSICF_NOSCROLL);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void ListViewWindow::UpdateItem(int index) { ListView_RedrawItems(Handle(), index, index); }

void ListViewWindow::SetItemState(int index, bool selected, bool focused) { PutState(Handle(), index, selected, focused); }

void ListViewWindow::ItemsReordered() {
    // The rows ask the list for their texts; only the states are the control's own, and they are
    // set anew from the items, which carried them through the sort.
    Syncing quiet(FSyncing);
    const int count = std::min(ListView_GetItemCount(Handle()), FList.Items().Count());
    for (int i = 0; i < count; ++i) PutState(Handle(), i, false, false);
    for (int i = 0; i < count; ++i) {
        const TListItem* item = FList.Items().Item(i);
        if (item->Selected() || item->Focused()) PutState(Handle(), i, item->Selected(), item->Focused());
    }
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

int ListViewWindow::ItemAt(int x, int y) const {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    const int index = ListView_HitTest(Handle(), &hit);
    return (hit.flags & LVHT_ONITEM) ? index : -1;
}

TRect ListViewWindow::ItemRect(int index) const {
    RECT r{};
    if (!ListView_GetItemRect(Handle(), index, &r, LVIR_BOUNDS)) return {};
    return {r.left, r.top, r.right, r.bottom};
}

void ListViewWindow::MakeVisible(int index) { ListView_EnsureVisible(Handle(), index, FALSE); }

void ListViewWindow::EditLabel(int index) {
    SetFocus();
    ListView_EditLabel(Handle(), index);
}

void ListViewWindow::SetRedraw(bool redraw) {
    SendMessageW(Handle(), WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ListViewWindow::SetImages(std::intptr_t small, std::intptr_t large) {
    ListView_SetImageList(Handle(), reinterpret_cast<HIMAGELIST>(small), LVSIL_SMALL);
    ListView_SetImageList(Handle(), reinterpret_cast<HIMAGELIST>(large), LVSIL_NORMAL);
}

bool ListViewWindow::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    const std::shared_ptr<bool> alive = FAlive;
    switch (header->code) {
        case LVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
                const std::u16string text = FList.ItemText(info->item.iItem, info->item.iSubItem);
                const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(info->item.cchTextMax) - 1);
                text.copy(reinterpret_cast<char16_t*>(info->item.pszText), n);
                info->item.pszText[n] = L'\0';
            }
            if (info->item.mask & LVIF_IMAGE) info->item.iImage = FList.ItemImage(info->item.iItem);
            result = 0;
            return true;
        }
        case LVN_ITEMCHANGING: {
            auto* view = reinterpret_cast<NMLISTVIEW*>(header);
            result = FALSE;
            if (FSyncing || !(view->uChanged & LVIF_STATE) || view->iItem < 0) return true;
            const UINT state = view->uNewState;
            // TRUE refuses.
            result = FList.HandleItemChanging(view->iItem, state & LVIS_SELECTED, state & LVIS_FOCUSED) ? FALSE : TRUE;
            return true;
        }
        case LVN_ITEMCHANGED: {
            auto* view = reinterpret_cast<NMLISTVIEW*>(header);
            result = 0;
            if (FSyncing || !(view->uChanged & LVIF_STATE)) return true;
            if (view->iItem >= 0) {
                FList.HandleItemChanged(view->iItem, view->uNewState & LVIS_SELECTED, view->uNewState & LVIS_FOCUSED);
                return true;
            }
            // A change of every row at once: each row's state is read back.
            const int count = ListView_GetItemCount(Handle());
            for (int i = 0; i < count && *alive; ++i) {
                const UINT state = ListView_GetItemState(Handle(), i, LVIS_SELECTED | LVIS_FOCUSED);
                FList.HandleItemChanged(i, state & LVIS_SELECTED, state & LVIS_FOCUSED);
            }
            return true;
        }
        case LVN_ODSTATECHANGED: {
            // A range of an owner-data list changed at once (a Shift click): each row read back.
            auto* range = reinterpret_cast<NMLVODSTATECHANGE*>(header);
            result = 0;
            if (FSyncing) return true;
            for (int i = std::max(range->iFrom, 0); i <= range->iTo && *alive; ++i) {
                const UINT state = ListView_GetItemState(Handle(), i, LVIS_SELECTED | LVIS_FOCUSED);
                FList.HandleItemChanged(i, state & LVIS_SELECTED, state & LVIS_FOCUSED);
            }
            return true;
        }
        case LVN_ODFINDITEMW: {
            auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
            result = -1;
            if (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL) && find->lvfi.psz)
                result = FList.HandleDataFind(U16(find->lvfi.psz), find->iStart, (find->lvfi.flags & LVFI_PARTIAL) != 0);
            return true;
        }
        case LVN_COLUMNCLICK:
            FList.HandleColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
            result = 0;
            return true;
        case LVN_BEGINLABELEDITW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            result = FList.HandleBeginEdit(info->item.iItem) ? FALSE : TRUE;
            return true;
        }
        case LVN_ENDLABELEDITW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            const int index = info->item.iItem;
            if (!info->item.pszText) {
                FList.HandleEndEdit(index, nullptr);
            } else {
                const std::u16string text = U16(info->item.pszText);
                FList.HandleEndEdit(index, &text);
            }
            // The item keeps the text (the row asks for it when drawn): "not taken" here.
            result = FALSE;
            if (*alive) UpdateItem(index);
            return true;
        }
        case NM_CLICK:
            FList.HandleClick();
            result = 0;
            return true;
        case NM_DBLCLK:
            FList.HandleDblClick();
            result = 0;
            return true;
        default: return WindowPeer::OnReflectedNotify(header, result);
    }
}

HBRUSH ListViewWindow::OnReflectedColor(HDC dc) { return ControlColors(Control(), dc); }

}  // namespace ui::win32
