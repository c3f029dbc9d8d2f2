// The shell tree view's building: the root, a folder's children read when it is first opened,
// and what a node leaves to be worked out when it is first shown (its name, pictures, button).
#include "shell/ShellTreeView.h"

#include "platform/StartTimeline.h"
#include "shell/ShellTreeScopes.h"
#include "ui/Backend.h"

namespace shell {

using ui::TTreeNode;

void TCustomShellTreeView::BuildRoot() {
    if (Loading()) return;
    std::u16string failure;
    bool failed = false;
    platform::MarkStart("tree: root asked");
    try {
        FRootFolder = ResolveRoot(FRootFolder, FOldRoot, FRoot);
        platform::MarkStart("tree: root resolved");
    } catch (const ui::Exception& error) {
        failed = true;
        failure = error.Message();
    }
    if (FRootFolder) {
        FlagScope loading(FLoadingRoot);
        FOpenIcons.clear();
        if (Items().GetFirstNode()) RemoveAllNodes();
        TTreeNode* root = Items().Add(nullptr, u"");
        auto* item = new TShellFolder(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
        root->SetData(item);
        root->SetText(ItemDisplayText(DesktopShellFolder(), item->RelativeID(), platform::ShellNameStyle::Normal));
        if (SystemIcons()) {
            root->SetImageIndex(SystemIconIndex(item->RelativeID(), false, false));
            root->SetSelectedIndex(SystemIconIndex(item->RelativeID(), false, true));
        }
        // With files listed, a root that holds only files has children too.
        if ((FObjectTypes & Types(otNonFolders)) && item->ShellFolder())
            root->SetHasChildren(HasEnumerableItems(item->ShellFolder(), ItemKindsOf(FObjectTypes)));
        else
            root->SetHasChildren(item->SubFolders());
        root->Expand(false);
        SetSelected(root);
    }
    if (failed) throw ui::Exception(failure);
}

void TCustomShellTreeView::SetUpNode(TTreeNode* Node, PCItemIDList ID, TTreeNode* ParentNode) {
    Node->SetData(NewChildItem(ParentNode, ID, true).release());
    SetUpChild(Node, false);
}

std::unique_ptr<TShellFolder> TCustomShellTreeView::NewChildItem(TTreeNode* ParentNode, PCItemIDList ID,
                                                                bool bindNow) {
    TShellFolder* parentItem = FolderOf(ParentNode);
    if (!bindNow) return std::make_unique<TShellFolder>(parentItem, ID, TShellFolder::BindWhenAsked{});
    ShellObjectRef folder = BindItemFolder(parentItem ? parentItem->ShellFolder() : nullptr, ID, 0);
    return std::make_unique<TShellFolder>(parentItem, ID, folder);
}

void TCustomShellTreeView::SetUpChild(TTreeNode* Node, bool deferred) {
    TShellFolder* item = FolderOf(Node);
    // Whether it is a folder and whether it is shared, in one question for the whole row.
    const platform::ShellAttributes attributes =
        item->Attributes({platform::ShellAttribute::Folder, platform::ShellAttribute::Shared});
    if (!deferred) Node->SetText(item->DisplayName());
    if (SystemIcons() && deferred) {
        Node->SetImagesPending();
    } else {
        if (SystemIcons()) {
            Node->SetImageIndex(SystemIconIndex(item->AbsoluteID(), false, false));
            Node->SetSelectedIndex(SystemIconIndex(item->AbsoluteID(), false, true));
        }
        if (Node->SelectedIndex() == 0) Node->SetSelectedIndex(Node->ImageIndex());
    }
    const bool nonFolders = (FObjectTypes & Types(otNonFolders)) != 0;
    const bool folder = attributes.Has(platform::ShellAttribute::Folder);
    if (nonFolders && deferred && folder) {
        // Bound, and looked into, when the button is first needed.
        Node->SetChildrenPending();
    } else if (nonFolders && deferred) {
        // A file or a shortcut holds nothing to show below it.
        Node->SetHasChildren(false);
    } else if (nonFolders && !deferred && item->ShellFolder()) {
        Node->SetHasChildren(HasEnumerableItems(item->ShellFolder(), ItemKindsOf(FObjectTypes)));
    } else {
        Node->SetHasChildren(item->SubFolders());
    }
    if (attributes.Has(platform::ShellAttribute::Shared)) Node->SetOverlayIndex(0);
    bool canAdd = true;
    if (OnAddFolder) OnAddFolder(this, item, canAdd);
    if (!canAdd) Node->Delete();
}

void TCustomShellTreeView::ResolvePendingText(TTreeNode* Node) {
    TShellFolder* item = FolderOf(Node);
    if (!item) return;
    // The widget asks while it draws: a name the shell cannot give shows as empty.
    try {
        Node->AssignText(item->DisplayName());
    } catch (const std::exception&) {
        Node->AssignText(std::u16string());
    }
}

void TCustomShellTreeView::ResolvePendingImages(TTreeNode* Node) {
    TShellFolder* item = FolderOf(Node);
    if (!item || !SystemIcons()) return;
    int closed;
    if (auto slot = FPrefetchSlots.find(Node); slot != FPrefetchSlots.end() && FIconPrefetch) {
        closed = FIconPrefetch->IconIndex(slot->second);
        FPrefetchSlots.erase(slot);
    } else {
        closed = SystemIconIndex(item->AbsoluteID(), false, false);
    }
    int open;
    if (auto known = FOpenIcons.find(closed); known != FOpenIcons.end()) {
        open = known->second;
    } else {
        open = SystemIconIndex(item->AbsoluteID(), false, true);
        FOpenIcons.emplace(closed, open);
    }
    Node->AssignImages(closed, open == 0 ? closed : open);
}

void TCustomShellTreeView::ResolvePendingChildren(TTreeNode* Node) {
    TShellFolder* item = FolderOf(Node);
    if (!item) return;
    // A folder the shell cannot open shows a button when it reports subfolders.
    Node->AssignHasChildren(item->ShellFolder() ? HasEnumerableItems(item->ShellFolder(), ItemKindsOf(FObjectTypes))
                                                : item->SubFolders());
}

void TCustomShellTreeView::FillNode(TTreeNode* Node) {
    TShellFolder* item = FolderOf(Node);
    if (!item) return;
    ui::TBusyCursor busy;
    ItemsUpdate update(Items());
    try {
        std::unique_ptr<platform::ShellEnumerator> children;
        if (item->ShellFolder())
            children = item->ShellFolder()->EnumObjects(ui::GetBackend().ApplicationHandle(), ItemKindsOf(FObjectTypes));
        if (!children) return;
        // The shell hands out every list once; a folder that answers without end is cut off at
        // what a tree can show.
        constexpr int MostChildren = 1 << 20;
        for (int count = 0; count < MostChildren; ++count) {
            IdListPtr child = children->Next();
            if (!child) break;
            // The node carries its item from the start; the widget gets the rows once they are
            // all read and ordered.
            std::unique_ptr<TShellFolder> item = NewChildItem(Node, child.get(), false);
            TTreeNode* node = Items().AddChildTextPendingUnshown(Node, item.get());
            item.release();
            SetUpChild(node, true);
        }
    } catch (const std::exception&) {
        // A folder that fails while it is read shows no children rather than half of them.
        while (TTreeNode* child = Node->GetFirstChild()) child->Delete();
        return;
    }
    platform::MarkStart("tree: folder read");
    Node->CustomSort([this](TTreeNode* a, TTreeNode* b) { return CompareSiblingItems(a, b); }, false);
    platform::MarkStart("tree: folder sorted");
    Items().ShowNewChildren(Node);
    platform::MarkStart("tree: rows given to the widget");
    StartIconPrefetch(Node);
}

int TCustomShellTreeView::CompareSiblingItems(TTreeNode* A, TTreeNode* B) const {
    TShellFolder* a = FolderOf(A);
    TShellFolder* b = FolderOf(B);
    if (!a || !b) return 0;
    ShellObjectRef parent = a->ParentShellFolder();
    auto answer = parent ? parent->CompareIds(0, a->RelativeID(), b->RelativeID()) : std::nullopt;
    return answer ? static_cast<std::int16_t>(*answer & 0xFFFF) : 0;
}

void TCustomShellTreeView::RemoveAllNodes() {
    StopIconPrefetch();
    ItemsUpdate update(Items());
    for (TTreeNode* node = Items().GetFirstNode(); node; node = node->GetNext()) {
        delete FolderOf(node);
        node->SetData(nullptr);
    }
    Items().Clear();
}

}  // namespace shell
