#include "shell/ShellTreeView.h"

#include "platform/ShellOperations.h"
#include "shell/ShellConsts.h"
#include "shell/ShellTreeScopes.h"
#include "ui/Application.h"
#include "util/Utils.h"

namespace shell {

using platform::GetShellNamespace;
using ui::TTreeNode;

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
            platform::GetShellOperations().Execute(Handle(), u"", path, u"", util::FolderPart(path),
                                                   platform::ShowState::Hidden);
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

bool TCustomShellTreeView::HandleImageListRequest() {
    // While the widget is being made it takes the list the tree chose for it.
    ui::TreeViewPeer* widget = Widget();
    if (FImageListChanging || !widget) return false;
    FlagScope changing(FImageListChanging);
    // Whoever sets a list, the tree shows its own pictures or the system's.
    widget->SetImages(Images() ? ImageListHandle() : FUseShellImages ? FImages : 0);
    return true;
}

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

void TCustomShellTreeView::SetUseShellImages(bool value) {
    FUseShellImages = value;
    ApplyImages();
}

void TCustomShellTreeView::ApplyImages() {
    if (Images()) return;  // the assigned list is shown
    SetImageListHandle(FUseShellImages ? FImages : 0);
}

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

}  // namespace shell
