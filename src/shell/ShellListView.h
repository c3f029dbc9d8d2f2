#pragma once
// The items of one shell folder in a list control that keeps no rows of its own (owner data): each
// row's text and icon are asked of its item when the control draws it, and in report view the
// detail columns once per item. Double click, Enter and Backspace navigate; F5 reloads; the
// shell's context menu and label-edit renaming work on the rows. Linked with a shell tree view
// (and a shell combo box), each shows the same folder.
#include <memory>
#include <string>
#include <vector>

#include "shell/ChangeNotifier.h"
#include "shell/ShellContextMenu.h"
#include "shell/ShellFolder.h"
#include "shell/ShellTreeView.h"
#include "ui/ListView.h"

namespace shell {

class TCustomShellListView : public ui::TListView, public IShellLinkedView, public IShellCommandVerb {
public:
    explicit TCustomShellListView(ui::TComponent* AOwner);
    ~TCustomShellListView() override;
    std::u16string ClassName() const override { return u"TCustomShellListView"; }

    TShellFolder* RootFolder() const { return FRootFolder.get(); }
    bool AutoContextMenus() const { return FAutoContext; }
    void SetAutoContextMenus(bool value) { FAutoContext = value; }
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool value);
    bool AutoNavigate() const { return FAutoNavigate; }
    void SetAutoNavigate(bool value) { FAutoNavigate = value; }
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes value);
    const TRoot& Root() const { return FRoot; }
    // Raises as the tree view does for a text that names nothing; Root then reads the previous text.
    void SetRoot(const TRoot& value) override;
    TCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    // Links both ways: the tree takes this list's root and shows its folder.
    void SetShellTreeView(TCustomShellTreeView* value) override;
    IShellLinkedView* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(IShellLinkedView* value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TAddFolderEvent OnAddFolder;

    // The parent of the shown folder; the shown folder read again, keeping the selected row's
    // place; the selected row's item; a row's item (none past the last row).
    void Back();
    void Refresh();
    TShellFolder* SelectedFolder() const;
    TShellFolder* GetFolder(int Index) const;
    // Shows the folder of an absolute list (nothing when it is shown already).
    void BrowseTo(PCItemIDList list);

    ui::TComponent& LinkedComponent() override { return *this; }
    void SyncToId(PCItemIDList absolute) override;
    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;
    platform::ShellContextMenu* ShownShellMenu() override { return OpenMenuHandler(); }
    // Enter navigates: the dialog keys of the form must not take it.
    ui::TWantedKeys WantedKeys() const override {
        return ui::TListView::WantedKeys() | (FAutoNavigate ? ui::wkEnter : 0);
    }
    TShellChangeNotifier* Notifier() const { return FNotifier; }

protected:
    std::unique_ptr<ui::ControlPeer> CreatePeer(ui::UiBackend& backend) override;
    void Loaded() override;
    void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;
    void OwnerDataFetch(ui::TListItem* Item) override;
    int OwnerDataFind(const std::u16string& Text, int Start, bool Partial) override;
    void ViewStyleChanged() override;
    void DblClick() override;
    void KeyDown(std::uint16_t& Key, ui::TShiftState Shift) override;
    void DoContextPopup(ui::TPoint MousePos, bool& Handled) override;
    void Edit(ui::TListItem* Item, std::u16string& S) override;

    virtual void FillRows();
    void ReloadFolder();
    void InformLinkedControls();
    void BuildColumns();
    int CompareRows(const TShellFolder& A, const TShellFolder& B) const;
    void RemoveAllRows();

private:
    bool Loading() const { return (ComponentState() & ui::csLoading) != 0; }
    void DestroyNotifier();
    void ResolveShownRoot();

    TRoot FOldRoot;
    TRoot FRoot = u"rfDesktop";
    std::unique_ptr<TShellFolder> FRootFolder;
    bool FAutoContext = true;
    bool FAutoRefresh = false;
    bool FAutoNavigate = true;
    bool FSorted = true;
    bool FUpdating = false;
    TShellObjectTypes FObjectTypes = Types(otFolders) | Types(otNonFolders);
    std::vector<std::unique_ptr<TShellFolder>> FFolders;
    // What a row showed: the control asks for a row's texts column by column and at every
    // drawing; the shell is asked once.
    struct RowShown {
        std::u16string Caption;
        bool Named = false;
        int Image = -1;
        int ImageStyle = -1;  // the view style the picture was asked for (icon view: large)
    };
    mutable std::vector<RowShown> FShown;
    const std::u16string& RowCaption(int index) const;
    TCustomShellTreeView* FTreeView = nullptr;
    IShellLinkedView* FComboBox = nullptr;
    TShellChangeNotifier* FNotifier = nullptr;
    bool FSettingRoot = false;
    bool FDestroying = false;
    std::u16string FSavePath;
};

class TShellListView : public TCustomShellListView {
public:
    using TCustomShellListView::TCustomShellListView;
    std::u16string ClassName() const override { return u"TShellListView"; }
};

}  // namespace shell
