#include "shell/ShellTreeView.h"

#include "platform/Files.h"
#include "platform/ShellIcons.h"
#include "shell/ShellConsts.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Menus.h"
#include "util/Utils.h"

namespace shell {

using platform::GetShellNamespace;
using ui::TTreeNode;

namespace {

// Keeps a flag set for the time of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~FlagScope() { FFlag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& FFlag;
};

// One update of the node collection: the widget redraws once, at the end.
class ItemsUpdate {
public:
    explicit ItemsUpdate(ui::TTreeNodes& items) : FItems(items) { FItems.BeginUpdate(); }
    ~ItemsUpdate() { FItems.EndUpdate(); }
    ItemsUpdate(const ItemsUpdate&) = delete;
    ItemsUpdate& operator=(const ItemsUpdate&) = delete;

private:
    ui::TTreeNodes& FItems;
};

}  // namespace

TCustomShellTreeView::TCustomShellTreeView(ui::TComponent* AOwner) : ui::TTreeView(AOwner) {
    SetShowRoot(false);
    SetRightClickSelect(true);
    FImages = GetShellNamespace().SystemSmallImages();
    FNotifier = new TShellChangeNotifier(this);
    FRoot = std::u16string(RootFolderNames[rfDesktop]);
    ApplyImages();
}

TCustomShellTreeView::~TCustomShellTreeView() {
    StopIconPrefetch();
    DestroyNotifier();
    // The nodes' items go here, while this class's node-deletion hook still runs.
    DestroyHandle();
    RemoveAllNodes();
    FRootFolder.reset();
}

TShellFolder* TCustomShellTreeView::FolderOf(const TTreeNode* node) {
    return node ? static_cast<TShellFolder*>(node->Data()) : nullptr;
}

// ---- building -------------------------------------------------------------------------------

void TCustomShellTreeView::BuildRoot() {
    if (Loading()) return;
    std::u16string failure;
    bool failed = false;
    try {
        FRootFolder = ResolveRoot(FRootFolder, FOldRoot, FRoot);
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
        root->SetText(ItemDisplayText(DesktopShellFolder(), item->RelativeID(), platform::ShgdnNormal));
        if (SystemIcons()) {
            root->SetImageIndex(SystemIconIndex(item->RelativeID(), false, false));
            root->SetSelectedIndex(SystemIconIndex(item->RelativeID(), false, true));
        }
        // With files listed, a root that holds only files has children too.
        if ((FObjectTypes & Types(otNonFolders)) && item->ShellFolder())
            root->SetHasChildren(HasEnumerableItems(item->ShellFolder(), ObjectTypeFlags(FObjectTypes)));
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
    if (nonFolders && deferred && item->IsFolder()) {
        // Bound, and looked into, when the button is first needed.
        Node->SetChildrenPending();
    } else if (nonFolders && !deferred && item->ShellFolder()) {
        Node->SetHasChildren(HasEnumerableItems(item->ShellFolder(), ObjectTypeFlags(FObjectTypes)));
    } else {
        Node->SetHasChildren(item->SubFolders());
    }
    if (item->Properties() & (1u << fpShared)) Node->SetOverlayIndex(0);
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
    Node->AssignHasChildren(item->ShellFolder() ? HasEnumerableItems(item->ShellFolder(), ObjectTypeFlags(FObjectTypes))
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
            children = item->ShellFolder()->EnumObjects(ui::GetBackend().ApplicationHandle(), ObjectTypeFlags(FObjectTypes));
        if (!children) return;
        // The shell hands out every list once; a folder that answers without end is cut off at
        // what a tree can show.
        constexpr int MostChildren = 1 << 20;
        for (int count = 0; count < MostChildren; ++count) {
            IdListPtr child = children->Next();
            if (!child) break;
            // The node carries its item from the start: the widget may ask for its text at once.
            std::unique_ptr<TShellFolder> item = NewChildItem(Node, child.get(), false);
            TTreeNode* node = Items().AddChildTextPending(Node, item.get());
            item.release();
            SetUpChild(node, true);
        }
    } catch (const std::exception&) {
        // A folder that fails while it is read shows no children rather than half of them.
        while (TTreeNode* child = Node->GetFirstChild()) child->Delete();
        return;
    }
    Node->CustomSort([this](TTreeNode* a, TTreeNode* b) { return CompareSiblingItems(a, b); }, false);
    StartIconPrefetch(Node);
}

void TCustomShellTreeView::StartIconPrefetch(TTreeNode* Node) {
    StopIconPrefetch();
    if (!SystemIcons()) return;
    // About two screens of rows: what shows first, and what a first scroll brings.
    constexpr std::size_t PrefetchedRows = 64;
    std::vector<IdListPtr> lists;
    for (int i = 0; i < Node->Count() && lists.size() < PrefetchedRows; ++i) {
        TTreeNode* child = Node->Item(i);
        TShellFolder* item = FolderOf(child);
        if (!item || !child->ImagesPending()) continue;
        FPrefetchSlots.emplace(child, lists.size());
        lists.emplace_back(IdClone(item->AbsoluteID()));
    }
    if (!lists.empty())
        FIconPrefetch = std::make_unique<TIconPrefetch>(GetShellNamespace(), std::move(lists), platform::ShgfiSmallIcon);
}

void TCustomShellTreeView::StopIconPrefetch() {
    FIconPrefetch.reset();
    FPrefetchSlots.clear();
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

// ---- hooks of the tree ----------------------------------------------------------------------

std::unique_ptr<ui::ControlPeer> TCustomShellTreeView::CreatePeer(ui::UiBackend& backend) {
    // The nodes outlive the widget here, so a new widget shows them as they are; a tree that
    // has none yet is built first, so that the new widget makes their items with the others.
    if (!FLoadingRoot && !Items().GetFirstNode() && !Loading()) {
        try {
            BuildRoot();
        } catch (const std::exception& error) {
            ui::Application().HandleException(error);
        }
    }
    return ui::TTreeView::CreatePeer(backend);
}

void TCustomShellTreeView::Loaded() {
    ui::TTreeView::Loaded();
    // A designed root that is missing here is reported; the form is still made.
    try {
        BuildRoot();
    } catch (const std::exception& error) {
        ui::Application().HandleException(error);
    }
}

void TCustomShellTreeView::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
    ui::TTreeView::Notification(AComponent, Operation);
    if (Operation != ui::opRemove) return;
    if (FComboBox && &FComboBox->LinkedComponent() == AComponent) FComboBox = nullptr;
    if (FListView && &FListView->LinkedComponent() == AComponent) FListView = nullptr;
    if (AComponent == FNotifier) FNotifier = nullptr;
}

bool TCustomShellTreeView::CanExpand(TTreeNode* Node) {
    if ((ComponentState() & ui::csDesigning) && Node->Level() > 0) return true;
    bool result = true;
    const auto alive = Lifetime();
    if (OnExpanding) OnExpanding(this, Node, result);
    if (!*alive) return false;
    if (result) {
        TShellFolder* item = FolderOf(Node);
        const bool folder = item && item->IsFolder();
        if (folder && Node->HasChildren() && Node->Count() == 0) {
            FillNode(Node);
        } else if (item && !folder) {
            const std::u16string path = item->PathName();
            GetShellNamespace().OpenFile(Handle(), path, util::FolderPart(path), platform::ShowState::Hidden);
        }
    }
    Node->SetHasChildren(Node->Count() > 0);
    return result;
}

bool TCustomShellTreeView::CanChange(TTreeNode* Node) {
    bool result = ui::TTreeView::CanChange(Node);
    if (!result || FUpdating || !Node) return result;
    const bool autoRefresh = FAutoRefresh;
    SetAutoRefresh(false);
    TShellFolder* item = FolderOf(Node);
    if (item && !item->IsFolder()) item = item->Parent();
    if (item) {
        FlagScope updating(FUpdating);
        if (FComboBox) FComboBox->SyncToId(item->AbsoluteID());
        if (FListView) FListView->SyncToId(item->AbsoluteID());
    }
    struct Monitor {
        TTreeNode*& slot;
        ~Monitor() { slot = nullptr; }
    } monitor{FNodeToMonitor};
    FNodeToMonitor = Node;
    SetAutoRefresh(autoRefresh);
    return result;
}

void TCustomShellTreeView::Delete(TTreeNode* Node) {
    FPrefetchSlots.erase(Node);
    if (Node == FNodeToMonitor) FNodeToMonitor = nullptr;
    delete FolderOf(Node);
    Node->SetData(nullptr);
    ui::TTreeView::Delete(Node);
}

void TCustomShellTreeView::Edit(TTreeNode* Node, std::u16string& S) {
    const std::u16string before = Node->Text();
    if (S.empty()) {
        S = before;
        return;
    }
    const auto alive = Lifetime();
    const std::intptr_t item = Node->ItemId();
    if (OnEdited) OnEdited(this, Node, S);
    if (!*alive) return;
    // A handler may have freed the node; look it up again by its item where the widget has one.
    if (item && Items().GetNode(item) != Node) return;
    TShellFolder* folder = FolderOf(Node);
    if (!folder || !folder->Rename(S)) S = before;
}

void TCustomShellTreeView::GetImageIndex(TTreeNode* Node) {
    if (Images()) ui::TTreeView::GetImageIndex(Node);
}

void TCustomShellTreeView::GetSelectedIndex(TTreeNode* Node) {
    if (Images()) ui::TTreeView::GetSelectedIndex(Node);
}

void TCustomShellTreeView::DoContextPopup(ui::TPoint MousePos, bool& Handled) {
    if (!FAutoContext || (PopupMenu() && PopupMenu()->AutoPopup())) return;
    ShowItemContextMenu(this, SelectedFolder(), MousePos.X, MousePos.Y);
    Handled = true;
}

platform::ShellContextMenu* TCustomShellTreeView::ShownShellMenu() { return OpenMenuHandler(); }

bool TCustomShellTreeView::HandleImageListRequest() {
    // While the widget is being made it takes the list the tree chose for it.
    ui::TreeViewPeer* widget = Widget();
    if (FImageListChanging || !widget) return false;
    FlagScope changing(FImageListChanging);
    // Whoever sets a list, the tree shows its own pictures or the system's.
    widget->SetImages(Images() ? ImageListHandle() : FUseShellImages ? FImages : 0);
    return true;
}

// ---- properties -----------------------------------------------------------------------------

void TCustomShellTreeView::SetObjectTypes(TShellObjectTypes value) {
    FObjectTypes = value;
    ApplyRoot();
}

void TCustomShellTreeView::SetRoot(const TRoot& value) {
    if (util::SameTextAscii(value, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = value;
    ApplyRoot();
}

void TCustomShellTreeView::ApplyRoot() {
    if (FUpdating) return;
    FlagScope updating(FUpdating);
    BuildRoot();
    if (FComboBox) FComboBox->SetRoot(FRoot);
    if (FListView) FListView->SetRoot(FRoot);
}

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

void TCustomShellTreeView::SetUseShellImages(bool value) {
    FUseShellImages = value;
    ApplyImages();
}

void TCustomShellTreeView::ApplyImages() {
    if (Images()) return;  // the assigned list is shown
    SetImageListHandle(FUseShellImages ? FImages : 0);
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

// ---- paths and selection --------------------------------------------------------------------

TShellFolder* TCustomShellTreeView::GetFolder(int Index) const {
    return FolderOf(const_cast<TCustomShellTreeView*>(this)->Items().Item(Index));
}

TShellFolder* TCustomShellTreeView::SelectedFolder() const { return FolderOf(Selected()); }

std::u16string TCustomShellTreeView::Path() const {
    TShellFolder* item = SelectedFolder();
    return item ? item->PathName() : std::u16string();
}

void TCustomShellTreeView::SetPath(const std::u16string& value) {
    const std::u16string message = FormatShellMessage(SErrorSettingPath, value);
    IdListPtr list;
    try {
        list = DesktopShellFolder()->ParseDisplayName(0, value);
        if (!list) throw EInvalidPath(message);
        SelectById(list.get());
    } catch (const EShellError&) {
        throw EInvalidPath(message);
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

// ---- refreshing -----------------------------------------------------------------------------

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

// ---- commands of the context menu -----------------------------------------------------------

void TCustomShellTreeView::ExecuteCommand(const std::string& Verb, bool& Handled) {
    const std::u16string verb(Verb.begin(), Verb.end());
    if (util::SameTextAscii(verb, u"rename")) {
        if (TTreeNode* node = Selected()) {
            node->EditText();
            Handled = true;
        }
    } else if (util::SameTextAscii(verb, u"open")) {
        auto& shell = GetShellNamespace();
        FSavePath = shell.CurrentDirectory();
        if (TShellFolder* item = SelectedFolder()) shell.ChangeCurrentDirectory(util::FolderPart(item->PathName()));
    }
}

void TCustomShellTreeView::CommandCompleted(const std::string& Verb, bool Succeeded) {
    TTreeNode* node = Selected();
    if (!Succeeded || !node) return;
    const std::u16string verb(Verb.begin(), Verb.end());
    if (util::SameTextAscii(verb, u"delete")) {
        TShellFolder* item = FolderOf(node);
        // Gone means no file and no folder of that name: a folder whose removal was cancelled stays.
        if (item && !platform::GetFiles().Attributes(item->PathName())) {
            node->SetData(nullptr);
            node->Delete();
            delete item;
        }
    } else if (util::SameTextAscii(verb, u"paste")) {
        Refresh(node);
    } else if (util::SameTextAscii(verb, u"open")) {
        GetShellNamespace().ChangeCurrentDirectory(FSavePath);
    }
}

}  // namespace shell
