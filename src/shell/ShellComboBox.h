#pragma once
// A drop-down of the shell namespace like an address bar: the root item, its children and the
// chain of folders down to the one shown, each entry indented by its level and carrying its item.
// Linked with a shell tree view and a shell list view, each shows the same folder.
#include <functional>
#include <memory>
#include <string>

#include "shell/ShellFolder.h"
#include "shell/ShellListView.h"
#include "shell/ShellTreeView.h"
#include "ui/ComboBoxEx.h"
#include "ui/ImageList.h"

namespace shell {

// Lets the owner change a new entry's picture.
using TGetImageIndexEvent = std::function<void(ui::TObject* Sender, int Index, int& ImageIndex)>;

class TCustomShellComboBox : public ui::TComboBoxEx, public IShellLinkedView {
public:
    explicit TCustomShellComboBox(ui::TComponent* AOwner);
    ~TCustomShellComboBox() override;
    std::u16string ClassName() const override { return u"TCustomShellComboBox"; }

    const TRoot& Root() const { return FRoot; }
    // Raises as the tree view does for a text that names nothing; Root then reads the previous text.
    void SetRoot(const TRoot& value) override;
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool value);
    // A picture list of the box's own, destroyed with it: used when no list is set through
    // Images(), in place of the system's.
    ui::TImageList* ImageList() const { return FImageList.get(); }
    void SetImageList(std::unique_ptr<ui::TImageList> list);
    // The size of the pictures in use: the system's small icons, the own list's, else 16 x 16.
    int ImageWidth() const;
    int ImageHeight() const;
    TCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    // Links both ways: the tree takes this box's root.
    void SetShellTreeView(TCustomShellTreeView* value) override;
    TCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TCustomShellListView* value);
    // The selected entry's path, empty without one; writing shows the folder of a path, and raises
    // EInvalidPath "Fehler beim Festlegen des Pfades" for a text the shell cannot parse.
    std::u16string Path() const;
    void SetPath(const std::u16string& value);
    // The item of an entry (the last for a position past the end), or none without entries.
    TShellFolder* GetFolder(int Index) const;
    TShellFolder* RootFolder() const { return FRootFolder.get(); }
    TGetImageIndexEvent OnGetImageIndex;

    ui::TComponent& LinkedComponent() override { return *this; }
    void SyncToId(PCItemIDList absolute) override;
    void ShellListViewLinked(IShellLinkedView* list, bool linked) override;
    // Shows the chain of folders down to an absolute list and selects its entry.
    void ShowId(PCItemIDList list);
    // The position of the entry of an absolute list, -1 for none.
    int IndexOfId(PCItemIDList list) const;

protected:
    std::unique_ptr<ui::ControlPeer> CreatePeer(ui::UiBackend& backend) override;
    void Loaded() override;
    void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;
    void Change() override;
    void Click() override;

    void BuildRoot();
    virtual void FillItems();
    void InsertChildItems(int Index, TShellFolder* Folder);
    int ItemImageIndex(const TShellFolder& item) const;
    void ApplyRoot();
    void RemoveAllItems();

private:
    bool Loading() const { return (ComponentState() & ui::csLoading) != 0; }
    // A new entry at a position for an item it then owns.
    void InsertEntry(int position, std::unique_ptr<TShellFolder> item);
    void ApplyImages();
    template <class View>
    void LinkView(View*& field, View* value);

    TRoot FOldRoot;
    TRoot FRoot = u"rfDesktop";
    std::unique_ptr<TShellFolder> FRootFolder;
    std::unique_ptr<ui::TImageList> FImageList;
    TCustomShellTreeView* FTreeView = nullptr;
    TCustomShellListView* FListView = nullptr;
    TShellObjectTypes FObjectTypes = Types(otFolders);
    bool FUseShellImages = true;
    bool FUpdating = false;
};

class TShellComboBox : public TCustomShellComboBox {
public:
    using TCustomShellComboBox::TCustomShellComboBox;
    std::u16string ClassName() const override { return u"TShellComboBox"; }
};

}  // namespace shell
