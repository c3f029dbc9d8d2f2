#include "shell/ShellComboBox.h"

#include <algorithm>
#include <vector>

#include "platform/ShellIcons.h"
#include "shell/ShellConsts.h"
#include "shell/ShellTreeScopes.h"
#include "ui/Backend.h"
#include "util/Utils.h"

namespace shell {

namespace {
// The drives folder ("My Computer"), whose drives the desktop's box lists right below it.
constexpr int DrivesFolder = 17;
// A folder that answers without end is cut off at what a drop-down can show.
constexpr int MostEntries = 1 << 16;

// One update of the entries: the widget redraws once, at the end.
class EntriesUpdate {
public:
    explicit EntriesUpdate(ui::TComboExItems& items) : FItems(items) { FItems.BeginUpdate(); }
    ~EntriesUpdate() { FItems.EndUpdate(); }
    EntriesUpdate(const EntriesUpdate&) = delete;
    EntriesUpdate& operator=(const EntriesUpdate&) = delete;

private:
    ui::TComboExItems& FItems;
};
}  // namespace

TCustomShellComboBox::TCustomShellComboBox(ui::TComponent* AOwner) : ui::TComboBoxEx(AOwner) {
    SetImageListHandle(platform::GetShellIcons().SystemImages(platform::SmallIcon));
}

TCustomShellComboBox::~TCustomShellComboBox() {
    // Unlinked while this is still whole: the others must not look at a box half gone.
    SetShellTreeView(nullptr);
    SetShellListView(nullptr);
    RemoveAllItems();
}

std::unique_ptr<ui::ControlPeer> TCustomShellComboBox::CreatePeer(ui::UiBackend& backend) {
    // The entries first: the new widget is handed every entry there is.
    if (Items().Count() == 0 && !Loading()) {
        try {
            BuildRoot();
        } catch (const std::exception&) {
            // A root that names nothing leaves the box empty until a root that does is set.
        }
    }
    return ui::TComboBoxEx::CreatePeer(backend);
}

void TCustomShellComboBox::Loaded() {
    ui::TComboBoxEx::Loaded();
    BuildRoot();
}

void TCustomShellComboBox::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
    ui::TComboBoxEx::Notification(AComponent, Operation);
    if (Operation != ui::opRemove) return;
    if (AComponent == FTreeView) FTreeView = nullptr;
    if (AComponent == FListView) FListView = nullptr;
}

// ---- the root and the links ---------------------------------------------------------------------

void TCustomShellComboBox::SetRoot(const TRoot& value) {
    if (util::SameTextAscii(value, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = value;
    ApplyRoot();
}

void TCustomShellComboBox::SetObjectTypes(TShellObjectTypes value) {
    if (value == FObjectTypes) return;
    FObjectTypes = value;
    ApplyRoot();
}

void TCustomShellComboBox::ApplyRoot() {
    if (FUpdating) return;
    FlagScope updating(FUpdating);
    RemoveAllItems();
    BuildRoot();
    if (FTreeView) FTreeView->SetRoot(FRoot);
    if (FListView) FListView->SetRoot(FRoot);
}

template <class View>
void TCustomShellComboBox::LinkView(View*& field, View* value) {
    if (value == field) return;
    View* old = field;
    field = value;
    // The old view lets go of this box; it calls back here with nothing, which is already so.
    if (old && old->ShellComboBox() == this) old->SetShellComboBox(nullptr);
    if (!value) return;
    value->FreeNotification(this);
    // Linked from this side: the view takes this box's root, then links back (which calls here
    // again with the same view and stops at once).
    if (value->ShellComboBox() != this) {
        value->SetRoot(FRoot);
        value->SetShellComboBox(this);
    }
}

void TCustomShellComboBox::SetShellTreeView(TCustomShellTreeView* value) { LinkView(FTreeView, value); }

void TCustomShellComboBox::SetShellListView(TCustomShellListView* value) { LinkView(FListView, value); }

void TCustomShellComboBox::ShellListViewLinked(IShellLinkedView* list, bool linked) {
    auto* view = dynamic_cast<TCustomShellListView*>(list);
    if (linked) {
        if (view && view != FListView) {
            FListView = view;
            view->FreeNotification(this);
        }
    } else if (view == FListView) {
        FListView = nullptr;
    }
}

void TCustomShellComboBox::SyncToId(PCItemIDList absolute) {
    if (FUpdating || !absolute) return;
    if (TShellFolder* selected = GetFolder(ItemIndex()); selected && ItemIndex() >= 0 &&
                                                       IdEqual(selected->AbsoluteID(), absolute))
        return;
    FlagScope updating(FUpdating);
    ShowId(absolute);
}

// ---- the entries ----------------------------------------------------------------------------------

TShellFolder* TCustomShellComboBox::GetFolder(int Index) const {
    const int count = Items().Count();
    if (count == 0) return nullptr;
    const ui::TComboExItem* entry = Items().Items(std::clamp(Index, 0, count - 1));
    return entry ? static_cast<TShellFolder*>(entry->Data()) : nullptr;
}

void TCustomShellComboBox::RemoveAllItems() {
    EntriesUpdate update(Items());
    for (int i = 0; i < Items().Count(); ++i) {
        ui::TComboExItem* entry = Items().Items(i);
        delete static_cast<TShellFolder*>(entry->Data());
        entry->SetData(nullptr);
    }
    Items().Clear();
}

int TCustomShellComboBox::ItemImageIndex(const TShellFolder& item) const {
    return FUseShellImages ? SystemIconIndex(item.AbsoluteID(), false, false) : -1;
}

void TCustomShellComboBox::InsertEntry(int position, std::unique_ptr<TShellFolder> item) {
    ui::TComboExItem* entry = Items().Insert(position);
    TShellFolder* owned = item.release();
    entry->SetData(owned);
    entry->SetCaption(owned->DisplayName());
    entry->SetIndent(owned->Level());
    int image = ItemImageIndex(*owned);
    if (OnGetImageIndex && (Images() || FImageList || FUseShellImages)) OnGetImageIndex(this, entry->Index(), image);
    entry->SetImageIndex(image);
    entry->SetSelectedImageIndex(image);
}

void TCustomShellComboBox::BuildRoot() {
    if (Loading()) return;
    EntriesUpdate update(Items());
    RemoveAllItems();
    FRootFolder = ResolveRoot(FRootFolder, FOldRoot, FRoot);
    auto first = std::make_unique<TShellFolder>(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
    ui::TComboExItem* entry = Items().Add();
    TShellFolder* item = first.release();
    entry->SetData(item);
    entry->SetCaption(item->DisplayName());
    entry->SetImageIndex(ItemImageIndex(*item));
    entry->SetSelectedImageIndex(ItemImageIndex(*item));
    entry->SetIndent(0);
    FillItems();
    SetItemIndex(0);
    if (FUseShellImages) ApplyImages();
}

void TCustomShellComboBox::FillItems() {
    EntriesUpdate update(Items());
    InsertChildItems(0, FRootFolder.get());
    if (FRoot != u"rfDesktop") return;
    IdListPtr drives = platform::GetShellNamespace().SpecialFolder(0, DrivesFolder);
    if (!drives) return;
    const int at = IndexOfId(drives.get());
    if (at >= 0) InsertChildItems(at, GetFolder(at));
}

void TCustomShellComboBox::InsertChildItems(int Index, TShellFolder* Folder) {
    if (!Folder || !Folder->ShellFolder()) return;
    EntriesUpdate update(Items());
    std::unique_ptr<platform::ShellEnumerator> children = Folder->ShellFolder()->EnumObjects(0, ItemKindsOf(FObjectTypes));
    if (!children) throw EShellError(u"Der Ordner kann nicht gelesen werden: " + Folder->DisplayName(), 0);
    std::vector<IdListPtr> lists;
    for (int count = 0; count < MostEntries; ++count) {
        IdListPtr child = children->Next();
        if (!child) break;
        lists.push_back(std::move(child));
    }
    const ShellObjectRef& folder = Folder->ShellFolder();
    std::stable_sort(lists.begin(), lists.end(), [&](const IdListPtr& a, const IdListPtr& b) {
        const auto answer = folder->CompareIds(0, a.get(), b.get());
        return answer && static_cast<std::int16_t>(*answer & 0xFFFF) < 0;
    });
    for (std::size_t i = 0; i < lists.size(); ++i)
        InsertEntry(Index + 1 + static_cast<int>(i),
                    std::make_unique<TShellFolder>(Folder, lists[i].get(), TShellFolder::BindWhenAsked{}));
}

int TCustomShellComboBox::IndexOfId(PCItemIDList list) const {
    for (int i = Items().Count() - 1; i >= 0; --i) {
        const auto* item = static_cast<const TShellFolder*>(Items().Items(i)->Data());
        if (item && IdEqual(item->AbsoluteID(), list)) return i;
    }
    return -1;
}

void TCustomShellComboBox::ShowId(PCItemIDList list) {
    if (!list) return;
    EntriesUpdate update(Items());
    BuildRoot();
    std::vector<IdListPtr> prefixes = IdPrefixList(list);
    // The longest prefix that has an entry: the chain goes on from there.
    int current = -1;
    std::size_t from = prefixes.size();
    while (from > 0 && current < 0) {
        --from;
        current = IndexOfId(prefixes[from].get());
    }
    if (current < 0) {
        IdPrefixListFree(prefixes);
        return;
    }
    const auto insertAfter = [&](PCItemIDList absolute) {
        auto* parent = static_cast<TShellFolder*>(Items().Items(current)->Data());
        IdListPtr last(IdLastItem(absolute));
        InsertEntry(current + 1, std::make_unique<TShellFolder>(parent, last.get(), TShellFolder::BindWhenAsked{}));
        ++current;
    };
    for (std::size_t i = from + 1; i < prefixes.size(); ++i) insertAfter(prefixes[i].get());
    int target = IndexOfId(list);
    if (target < 0) {
        insertAfter(list);
        target = current;
    }
    SetItemIndex(target);
    IdPrefixListFree(prefixes);
}

std::u16string TCustomShellComboBox::Path() const {
    if (ItemIndex() < 0) return {};
    TShellFolder* item = GetFolder(ItemIndex());
    return item ? item->PathName() : std::u16string();
}

void TCustomShellComboBox::SetPath(const std::u16string& value) {
    const std::u16string message = FormatShellMessage(SErrorSettingPath, value);
    IdListPtr list;
    try {
        list = DesktopShellFolder()->ParseDisplayName(0, value);
    } catch (const EShellError&) {
        throw EInvalidPath(message);
    }
    if (!list) throw EInvalidPath(message);
    ShowId(list.get());
}

void TCustomShellComboBox::SetUseShellImages(bool value) {
    FUseShellImages = value;
    ApplyImages();
}

void TCustomShellComboBox::ApplyImages() {
    if (Images()) return;  // a list set through Images() stays
    if (FImageList)
        SetImageListHandle(FImageList->Handle());
    else
        SetImageListHandle(FUseShellImages ? platform::GetShellIcons().SystemImages(platform::SmallIcon) : 0);
}

void TCustomShellComboBox::SetImageList(std::unique_ptr<ui::TImageList> list) {
    FImageList = std::move(list);
    ApplyImages();
}

int TCustomShellComboBox::ImageWidth() const {
    if (FImageList) return FImageList->Width();
    return FUseShellImages ? ui::GetBackend().SmallIconSize(ui::ScreenPixelsPerInch) : 16;
}

int TCustomShellComboBox::ImageHeight() const {
    if (FImageList) return FImageList->Height();
    return FUseShellImages ? ui::GetBackend().SmallIconSize(ui::ScreenPixelsPerInch) : 16;
}

// ---- the user's choice ----------------------------------------------------------------------------

void TCustomShellComboBox::Change() {
    if (Items().Updating()) return;
    const auto alive = Lifetime();
    ui::TComboBoxEx::Change();
    if (!*alive || ItemIndex() < 0 || FUpdating || DroppedDown()) return;
    TShellFolder* item = GetFolder(ItemIndex());
    if (!item) return;
    FlagScope updating(FUpdating);
    IdListPtr shown(IdClone(item->AbsoluteID()));
    if (FTreeView) FTreeView->SelectById(shown.get());
    if (FListView) FListView->SyncToId(shown.get());
}

void TCustomShellComboBox::Click() {
    if (TShellFolder* item = ItemIndex() >= 0 ? GetFolder(ItemIndex()) : nullptr) {
        // A copy: the entries, and the item with them, are built anew.
        IdListPtr shown(IdClone(item->AbsoluteID()));
        FlagScope updating(FUpdating);
        ShowId(shown.get());
    }
    ui::TComboBoxEx::Click();
}

}  // namespace shell
