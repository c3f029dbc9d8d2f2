#pragma once
// A tree of the shell namespace: one root node for the item named by Root, and below it the
// children of each folder, read from the shell the first time a node opens. Every node owns one
// TShellFolder in its Data. The tree opens leaves that are expanded, renames items by label
// editing, shows the shell's context menu, keeps linked views in step and, with AutoRefresh,
// rebuilds the selected folder when it changes on disk.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "shell/ChangeNotifier.h"
#include "shell/IconPrefetch.h"
#include "shell/ShellContextMenu.h"
#include "shell/ShellFolder.h"
#include "ui/TreeView.h"

namespace shell {

class TCustomShellTreeView;

// A control that shows the same place as a shell tree (the shell combo box and list view): the
// tree hands it its root, tells it which item to show and clears the link when it goes.
class IShellLinkedView {
public:
    virtual ~IShellLinkedView() = default;
    virtual ui::TComponent& LinkedComponent() = 0;
    virtual void SetRoot(const TRoot& root) = 0;
    virtual void SetShellTreeView(TCustomShellTreeView* tree) = 0;
    virtual void SyncToId(PCItemIDList absolute) = 0;
    // A shell list view linked (or unlinked) this view from its side: the back link, nothing more.
    virtual void ShellListViewLinked(IShellLinkedView*, bool) {}
};

using TAddFolderEvent = std::function<void(ui::TObject* Sender, TShellFolder* AFolder, bool& CanAdd)>;

class TCustomShellTreeView : public ui::TTreeView, public IShellCommandVerb {
public:
    explicit TCustomShellTreeView(ui::TComponent* AOwner);
    ~TCustomShellTreeView() override;
    std::u16string ClassName() const override { return u"TCustomShellTreeView"; }

    bool AutoContextMenus() const { return FAutoContext; }
    void SetAutoContextMenus(bool value) { FAutoContext = value; }
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes value);
    const TRoot& Root() const { return FRoot; }
    // Raises "Fehler beim Festlegen des Pfades" after rebuilding from the previous root when the
    // text names nothing; Root then reads the previous text.
    void SetRoot(const TRoot& value);
    IShellLinkedView* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(IShellLinkedView* value);
    IShellLinkedView* ShellListView() const { return FListView; }
    void SetShellListView(IShellLinkedView* value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool value);
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool value);
    TAddFolderEvent OnAddFolder;

    // The selected item's path, empty without a selection; writing selects the item, opening the
    // folders on the way, and raises EInvalidPath for a text the shell cannot parse.
    std::u16string Path() const;
    void SetPath(const std::u16string& value);
    TShellFolder* Folders(int Index) const { return GetFolder(Index); }
    TShellFolder* GetFolder(int Index) const;
    TShellFolder* SelectedFolder() const;
    TShellFolder* RootFolder() const { return FRootFolder.get(); }
    // The item a node carries.
    static TShellFolder* FolderOf(const ui::TTreeNode* node);

    // Rebuilds the node and its subtree from the shell, keeping what was open and selected.
    void Refresh(ui::TTreeNode* Node);
    // Selects the item of an absolute list, opening the folders on the way (linked views call it).
    void SelectById(PCItemIDList ID);

    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;

    // The notifier that watches the selected folder while AutoRefresh is on.
    TShellChangeNotifier* Notifier() const { return FNotifier; }

    platform::ShellContextMenu* ShownShellMenu() override;
    bool HandleImageListRequest() override;

protected:
    std::unique_ptr<ui::ControlPeer> CreatePeer(ui::UiBackend& backend) override;
    void Loaded() override;
    void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;
    bool CanExpand(ui::TTreeNode* Node) override;
    bool CanChange(ui::TTreeNode* Node) override;
    void Delete(ui::TTreeNode* Node) override;
    void Edit(ui::TTreeNode* Node, std::u16string& S) override;
    void GetImageIndex(ui::TTreeNode* Node) override;
    void GetSelectedIndex(ui::TTreeNode* Node) override;
    void ResolvePendingText(ui::TTreeNode* Node) override;
    void ResolvePendingImages(ui::TTreeNode* Node) override;
    void ResolvePendingChildren(ui::TTreeNode* Node) override;
    void DoContextPopup(ui::TPoint MousePos, bool& Handled) override;
    virtual void RemoveAllNodes();

    void BuildRoot();
    void FillNode(ui::TTreeNode* Node);
    void SetUpNode(ui::TTreeNode* Node, PCItemIDList ID, ui::TTreeNode* ParentNode);
    int CompareSiblingItems(ui::TTreeNode* A, ui::TTreeNode* B) const;
    ui::TTreeNode* FindNodeById(PCItemIDList ID, ui::TTreeNode* Start) const;
    void ApplyRoot();
    void RefreshSelectedNode();

private:
    // A child's icons and expand button are asked of the shell the first time they are needed
    // (the widget draws the node), not when the node is made: a folder of hundreds of entries
    // costs only the rows on the screen. Open icons are learned by closed icon: the shell derives
    // the one from the other, and asking it costs as much as the first answer.
    // Children read with a folder bind their own folders when first asked (bindNow false).
    std::unique_ptr<TShellFolder> NewChildItem(ui::TTreeNode* ParentNode, PCItemIDList ID, bool bindNow);
    // The node's item is set; deferred leaves its text, icons and button to the first asking.
    void SetUpChild(ui::TTreeNode* Node, bool deferred);
    std::map<int, int> FOpenIcons;
    // The closed icons of a freshly read folder's first children are asked for at once by a
    // worker, while the program goes on to show them.
    void StartIconPrefetch(ui::TTreeNode* Node);
    void StopIconPrefetch();
    std::unique_ptr<TIconPrefetch> FIconPrefetch;
    std::unordered_map<const ui::TTreeNode*, std::size_t> FPrefetchSlots;
    void ApplyImages();
    bool Loading() const { return (ComponentState() & ui::csLoading) != 0; }
    bool SystemIcons() const { return FUseShellImages && !Images(); }
    void DestroyNotifier();

    TRoot FRoot;
    TRoot FOldRoot;
    std::unique_ptr<TShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes = Types(otFolders);
    std::intptr_t FImages = 0;
    bool FLoadingRoot = false;
    bool FAutoContext = true;
    bool FUpdating = false;
    IShellLinkedView* FComboBox = nullptr;
    IShellLinkedView* FListView = nullptr;
    bool FAutoRefresh = false;
    bool FImageListChanging = false;
    bool FUseShellImages = true;
    TShellChangeNotifier* FNotifier = nullptr;
    std::u16string FSavePath;
    ui::TTreeNode* FNodeToMonitor = nullptr;
};

// The same tree with its properties meant for forms.
class TShellTreeView : public TCustomShellTreeView {
public:
    using TCustomShellTreeView::TCustomShellTreeView;
    std::u16string ClassName() const override { return u"TShellTreeView"; }
};

}  // namespace shell
