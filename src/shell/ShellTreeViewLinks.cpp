// The shell tree view's links to other views and to the file system: a linked combo box and
// list view, automatic refresh, finding and selecting a node by its list, and the refresh.
#include "shell/ShellTreeView.h"

#include "shell/ShellTreeScopes.h"
#include "ui/Backend.h"

namespace shell {

using ui::TTreeNode;

void TCustomShellTreeView::SetShellComboBox(IShellLinkedView* value) {
    if (value == FComboBox) return;
    if (FComboBox) FComboBox->SetShellTreeView(nullptr);
    FComboBox = value;
    if (value) {
        value->SetRoot(FRoot);
        value->SetShellTreeView(this);
        value->LinkedComponent().FreeNotification(this);
    }
}

void TCustomShellTreeView::SetShellListView(IShellLinkedView* value) {
    if (value == FListView) return;
    if (FListView) FListView->SetShellTreeView(nullptr);
    FListView = value;
    if (value) {
        value->SetRoot(FRoot);
        value->SetShellTreeView(this);
        value->LinkedComponent().FreeNotification(this);
    }
}

void TCustomShellTreeView::DestroyNotifier() {
    if (!FNotifier) return;
    TShellChangeNotifier* notifier = FNotifier;
    FNotifier = nullptr;
    delete notifier;
}

void TCustomShellTreeView::SetAutoRefresh(bool value) {
    FAutoRefresh = value;
    if (Loading()) return;
    if (value) {
        DestroyNotifier();
        TShellFolder* watched = FNodeToMonitor ? FolderOf(FNodeToMonitor) : FRootFolder.get();
        if (!watched) return;
        FNotifier = new TShellChangeNotifier(this);
        FNotifier->SetWatchSubTree(false);
        FNotifier->SetRoot(watched->PathName());
        FNotifier->SetOnChange([this] { RefreshSelectedNode(); });
    } else {
        DestroyNotifier();
    }
}

TTreeNode* TCustomShellTreeView::FindNodeById(PCItemIDList ID, TTreeNode* Start) const {
    if (!Start) return nullptr;
    const int level = Start->Level();
    for (TTreeNode* node = Start; node; node = node->GetNext()) {
        if (node != Start && node->Level() <= level) break;
        TShellFolder* item = FolderOf(node);
        if (item && IdEqual(item->AbsoluteID(), ID)) return node;
    }
    return nullptr;
}

void TCustomShellTreeView::SelectById(PCItemIDList ID) {
    if (FUpdating || Loading()) return;
    if (TShellFolder* selected = SelectedFolder(); selected && IdEqual(selected->AbsoluteID(), ID)) return;
    FlagScope updating(FUpdating);
    ItemsUpdate update(Items());
    std::vector<IdListPtr> prefixes = IdPrefixList(ID);
    TTreeNode* node = Items().GetFirstNode();
    for (const IdListPtr& prefix : prefixes) {
        if (TTreeNode* found = FindNodeById(prefix.get(), node)) {
            found->Expand(false);
            node = found;
        }
    }
    TTreeNode* target = FindNodeById(ID, node);
    SetSelected(target);
    if (target) {
        if (FListView) FListView->SyncToId(FolderOf(target)->AbsoluteID());
        if (FComboBox) FComboBox->SyncToId(FolderOf(target)->AbsoluteID());
    }
    IdPrefixListFree(prefixes);
}

void TCustomShellTreeView::Refresh(TTreeNode* Node) {
    TShellFolder* oldItem = FolderOf(Node);
    if (!oldItem || !oldItem->ShellFolder()) return;
    IdListPtr topList, selectedList;
    if (TShellFolder* top = FolderOf(TopItem())) topList.reset(IdClone(top->AbsoluteID()));
    if (TShellFolder* selected = SelectedFolder()) selectedList.reset(IdClone(selected->AbsoluteID()));

    ItemsUpdate update(Items());
    ui::TBusyCursor busy;
    FOpenIcons.clear();
    TTreeNode* fresh = Items().Insert(Node, u"");
    auto* item = new TShellFolder(FolderOf(Node->Parent()), oldItem->RelativeID(), oldItem->ShellFolder());
    fresh->SetData(item);
    FillNode(fresh);
    fresh->SetImageIndex(SystemIconIndex(item->AbsoluteID(), false, false));
    fresh->SetSelectedIndex(SystemIconIndex(item->AbsoluteID(), false, true));
    fresh->SetHasChildren(item->SubFolders());
    fresh->SetText(item->DisplayName());

    const int level = Node->Level();
    for (TTreeNode* old = Node; old; old = old->GetNext()) {
        if (old != Node && old->Level() <= level) break;
        TShellFolder* oldFolder = FolderOf(old);
        if (!oldFolder || !old->Expanded()) continue;
        if (TTreeNode* counterpart = FindNodeById(oldFolder->AbsoluteID(), fresh)) counterpart->Expand(false);
    }

    // The old nodes go before the item they hang from: the widget hands the selection on while
    // they go, and the tree asks the items of the nodes it passes, whose parent this item is.
    Node->SetData(nullptr);
    {
        FlagScope updating(FUpdating);
        Node->Delete();
    }
    delete oldItem;

    TTreeNode* first = Items().GetFirstNode();
    if (selectedList) SetSelected(FindNodeById(selectedList.get(), first));
    if (topList)
        if (TTreeNode* top = FindNodeById(topList.get(), first)) SetTopItem(top);
}

void TCustomShellTreeView::RefreshSelectedNode() {
    if (TTreeNode* node = Selected()) Refresh(node);
}

}  // namespace shell
