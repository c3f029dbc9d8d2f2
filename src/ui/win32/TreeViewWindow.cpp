#include "ui/win32/TreeViewWindow.h"

#include <uxtheme.h>

#include <string>

#include "platform/win32/WinText.h"
#include "ui/TreeView.h"
#include "ui/win32/ButtonWindow.h"
#include "ui/win32/EditWindow.h"
#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

using platform::win32::U16;
using platform::win32::W;

namespace {
HTREEITEM H(std::intptr_t item) { return reinterpret_cast<HTREEITEM>(item); }
std::intptr_t I(HTREEITEM item) { return reinterpret_cast<std::intptr_t>(item); }
}  // namespace

TreeViewWindow::TreeViewWindow(TTreeView& tree) : WindowPeer(tree), FTree(tree) {
    TCreateParams params = NativeChildStyles(tree);
    params.Style |= TreeStyles();
    params.ExStyle |= WS_EX_CLIENTEDGE;
    CreateHandle(WC_TREEVIEWW, params, tree.Parent() ? WindowOf(*tree.Parent()) : nullptr, NextChildId(), true);
    // The platform's current look: the explorer's tree with its arrows.
    SetWindowTheme(Handle(), L"Explorer", nullptr);
    AppearanceChanged();
    TreeView_SetIndent(Handle(), tree.Indent());
    if (tree.ImageListHandle()) SetImages(tree.ImageListHandle());
}

void TreeViewWindow::AppearanceChanged() {
    TreeView_SetBkColor(Handle(), ColorToRGB(FTree.Color()));
    TreeView_SetTextColor(Handle(), ColorToRGB(FTree.Font().Color()));
    WindowPeer::AppearanceChanged();
}

DWORD TreeViewWindow::TreeStyles() const {
    DWORD style = 0;
    if (FTree.ShowButtons()) style |= TVS_HASBUTTONS;
    if (FTree.ShowLines()) style |= TVS_HASLINES;
    if (FTree.ShowRoot()) style |= TVS_LINESATROOT;
    if (FTree.RowSelect()) style |= TVS_FULLROWSELECT;
    if (!FTree.HideSelection()) style |= TVS_SHOWSELALWAYS;
    if (!FTree.ReadOnly()) style |= TVS_EDITLABELS;
    return style;
}

void TreeViewWindow::StyleChanged() {
    constexpr DWORD Ours = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS |
                           TVS_EDITLABELS;
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(Ours)) | TreeStyles());
    TreeView_SetIndent(Handle(), FTree.Indent());
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

std::intptr_t TreeViewWindow::InsertItem(std::intptr_t parent, std::intptr_t after, const TTreeNode& node) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? H(parent) : TVI_ROOT;
    insert.hInsertAfter = after == 0 ? TVI_LAST : after == -1 ? TVI_FIRST : H(after);
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    // The control keeps a known text (asked again, it measures it again); a text still to be
    // worked out, the pictures and the button are asked for when the item is drawn.
    insert.item.pszText = node.TextPending() ? LPSTR_TEXTCALLBACKW : const_cast<wchar_t*>(W(node.Text()));
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    return I(TreeView_InsertItem(Handle(), &insert));
}

void TreeViewWindow::DeleteItem(std::intptr_t item) { TreeView_DeleteItem(Handle(), H(item)); }

void TreeViewWindow::UpdateItem(std::intptr_t item, const TTreeNode& node) {
    // The control holds a known text; a pending one, and everything else, is asked for when
    // drawn.
    TVITEMW update{};
    update.mask = TVIF_TEXT;
    update.hItem = H(item);
    update.pszText = node.TextPending() ? LPSTR_TEXTCALLBACKW : const_cast<wchar_t*>(W(node.Text()));
    TreeView_SetItem(Handle(), &update);
    RECT r{};
    if (TreeView_GetItemRect(Handle(), H(item), &r, FALSE)) ::InvalidateRect(Handle(), &r, TRUE);
}

void TreeViewWindow::ExpandItem(std::intptr_t item, bool expand) {
    TreeView_Expand(Handle(), H(item), expand ? TVE_EXPAND : TVE_COLLAPSE);
}

void TreeViewWindow::SelectItem(std::intptr_t item) { TreeView_SelectItem(Handle(), H(item)); }

std::intptr_t TreeViewWindow::TopItem() const { return I(TreeView_GetFirstVisible(Handle())); }

void TreeViewWindow::SetTopItem(std::intptr_t item) { TreeView_SelectSetFirstVisible(Handle(), H(item)); }

std::intptr_t TreeViewWindow::ItemAt(int x, int y) const {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    HTREEITEM item = TreeView_HitTest(Handle(), &hit);
    // On the row: its text, its picture, its button or the space right of it.
    return (hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT)) ? I(item) : 0;
}

TRect TreeViewWindow::ItemRect(std::intptr_t item, bool textOnly) const {
    RECT r{};
    if (!TreeView_GetItemRect(Handle(), H(item), &r, textOnly ? TRUE : FALSE)) return {};
    return {r.left, r.top, r.right, r.bottom};
}

void TreeViewWindow::ReorderChildren(std::intptr_t parent, const TTreeNode* parentNode) {
    if (!parentNode) return;
    // The model's order already stands: the control follows each node's place among its siblings.
    TVSORTCB sort{};
    sort.hParent = H(parent);
    sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM) -> int {
        return reinterpret_cast<const TTreeNode*>(a)->Index() - reinterpret_cast<const TTreeNode*>(b)->Index();
    };
    TreeView_SortChildrenCB(Handle(), &sort, FALSE);
}

void TreeViewWindow::SetRedraw(bool redraw) {
    SendMessageW(Handle(), WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TreeViewWindow::SetImages(std::intptr_t imageList) {
    TreeView_SetImageList(Handle(), reinterpret_cast<HIMAGELIST>(imageList), TVSIL_NORMAL);
}

void TreeViewWindow::EditLabel(std::intptr_t item) {
    SetFocus();
    TreeView_EditLabel(Handle(), H(item));
}

bool TreeViewWindow::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    const std::shared_ptr<bool> alive = FAlive;
    switch (header->code) {
        case TVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
            const auto item = I(info->item.hItem);
            const auto* node = reinterpret_cast<const TTreeNode*>(info->item.lParam);
            if (!node) return true;
            if (info->item.mask & TVIF_TEXT && info->item.cchTextMax > 0) {
                const std::u16string& text = node->Text();
                const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(info->item.cchTextMax) - 1);
                text.copy(reinterpret_cast<char16_t*>(info->item.pszText), n);
                info->item.pszText[n] = L'\0';
                // A text asked for alone is kept by the control from now on (UpdateItem sets
                // it when it changes); pictures and buttons stay asked for.
                if (info->item.mask == TVIF_TEXT) info->item.mask |= TVIF_DI_SETITEM;
            }
            if (info->item.mask & TVIF_CHILDREN) {
                // Without buttons the answer shows nowhere: an open question is left for the
                // moment the node is opened, which asks the tree itself.
                const bool unasked = !FTree.ShowButtons() && node->ChildrenPending();
                info->item.cChildren = unasked || node->HasChildren() ? 1 : 0;
            }
            if (info->item.mask & TVIF_IMAGE) info->item.iImage = FTree.HandleImageIndex(item, false);
            if (*alive && (info->item.mask & TVIF_SELECTEDIMAGE)) info->item.iSelectedImage = FTree.HandleImageIndex(item, true);
            result = 0;
            return true;
        }
        case TVN_ITEMEXPANDINGW: {
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            const bool expand = view->action == TVE_EXPAND;
            // TRUE refuses.
            result = FTree.HandleExpanding(I(view->itemNew.hItem), expand) ? FALSE : TRUE;
            return true;
        }
        case TVN_ITEMEXPANDEDW: {
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            FTree.HandleExpanded(I(view->itemNew.hItem), view->action == TVE_EXPAND);
            result = 0;
            return true;
        }
        case TVN_SELCHANGINGW: {
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            result = FTree.HandleSelChanging(I(view->itemNew.hItem)) ? FALSE : TRUE;
            return true;
        }
        case TVN_SELCHANGEDW: {
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            FTree.HandleSelChanged(I(view->itemNew.hItem));
            result = 0;
            return true;
        }
        case TVN_BEGINLABELEDITW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
            result = FTree.HandleBeginEdit(I(info->item.hItem)) ? FALSE : TRUE;
            return true;
        }
        case TVN_ENDLABELEDITW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
            if (!info->item.pszText) {
                FTree.HandleEndEdit(I(info->item.hItem), nullptr);
                result = FALSE;
                return true;
            }
            const std::u16string text = U16(info->item.pszText);
            const bool accepted = FTree.HandleEndEdit(I(info->item.hItem), &text);
            // The node keeps the text (the item asks for it when drawn): the control must not
            // store the typed one over that, so the answer is always "not taken" here.
            result = FALSE;
            if (accepted && *alive) UpdateItem(I(info->item.hItem), *reinterpret_cast<const TTreeNode*>(info->item.lParam));
            return true;
        }
        case NM_CLICK:
            FTree.HandleClick();
            result = 0;
            return true;
        case NM_DBLCLK:
            FTree.HandleDblClick();
            result = 0;
            return true;
        default: return WindowPeer::OnReflectedNotify(header, result);
    }
}

HBRUSH TreeViewWindow::OnReflectedColor(HDC dc) { return ControlColors(Control(), dc); }

bool TreeViewWindow::HandleFamilyMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != TVM_SETIMAGELIST || !FTree.HandleImageListRequest()) return false;
    result = 0;
    return true;
}

void TreeViewWindow::ApplyItemColors(NMCUSTOMDRAW& draw, COLORREF text, COLORREF back) {
    // A tree item's colours travel in the notification itself.
    auto& tree = reinterpret_cast<NMTVCUSTOMDRAW&>(draw);
    tree.clrText = text;
    tree.clrTextBk = back;
}

}  // namespace ui::win32
