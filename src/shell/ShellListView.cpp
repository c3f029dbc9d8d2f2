#include "shell/ShellListView.h"

#include <algorithm>

#include "platform/Files.h"
#include "platform/ShellIcons.h"
#include "platform/ShellOperations.h"
#include "shell/ShellTreeScopes.h"
#include "ui/Backend.h"
#include "util/FileUtils.h"
#include "util/Utils.h"

namespace shell {

using platform::GetShellNamespace;

namespace {
// One update of the rows: the widget redraws once, at the end.
class RowsUpdate {
public:
    explicit RowsUpdate(ui::TListItems& items) : FItems(items) { FItems.BeginUpdate(); }
    ~RowsUpdate() { FItems.EndUpdate(); }
    RowsUpdate(const RowsUpdate&) = delete;
    RowsUpdate& operator=(const RowsUpdate&) = delete;

private:
    ui::TListItems& FItems;
};

// A folder that answers without end is cut off at what a list can show.
constexpr int MostRows = 1 << 20;
}  // namespace

TCustomShellListView::TCustomShellListView(ui::TComponent* AOwner) : ui::TListView(AOwner) {
    SetOwnerData(true);
    SetHideSelection(false);
    auto& icons = platform::GetShellIcons();
    SetSmallImageListHandle(icons.SystemImages(platform::SmallIcon));
    SetLargeImageListHandle(icons.SystemImages(platform::LargeIcon));
}

TCustomShellListView::~TCustomShellListView() {
    FDestroying = true;
    // Unlinked while this is still whole: the others must not look at a list half gone.
    SetShellTreeView(nullptr);
    SetShellComboBox(nullptr);
    DestroyNotifier();
    RemoveAllRows();
    FRootFolder.reset();
}

std::unique_ptr<ui::ControlPeer> TCustomShellListView::CreatePeer(ui::UiBackend& backend) {
    // The rows first: the new widget is handed their number.
    if (!FRootFolder) {
        try {
            ResolveShownRoot();
        } catch (const std::exception&) {
            // A root that names nothing leaves the list empty until a root that does is set.
        }
        ReloadFolder();
    }
    return ui::TListView::CreatePeer(backend);
}

void TCustomShellListView::Loaded() {
    ui::TListView::Loaded();
    FillRows();
    SetAutoRefresh(FAutoRefresh);
}

void TCustomShellListView::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
    ui::TListView::Notification(AComponent, Operation);
    if (Operation != ui::opRemove) return;
    if (AComponent == FTreeView) FTreeView = nullptr;
    if (FComboBox && &FComboBox->LinkedComponent() == AComponent) FComboBox = nullptr;
    if (AComponent == FNotifier) FNotifier = nullptr;
}

// ---- the root and the links ---------------------------------------------------------------------

void TCustomShellListView::ResolveShownRoot() { FRootFolder = ResolveRoot(FRootFolder, FOldRoot, FRoot); }

void TCustomShellListView::SetRoot(const TRoot& value) {
    if (util::SameTextAscii(value, FRoot)) return;
    FOldRoot = FRoot;
    FRoot = value;
    ResolveShownRoot();
    FSettingRoot = true;
    ReloadFolder();
}

void TCustomShellListView::SetShellTreeView(TCustomShellTreeView* value) {
    if (value == FTreeView) return;
    TCustomShellTreeView* old = FTreeView;
    FTreeView = value;
    // The old tree lets go of this list; it calls back here with nothing, which is already so.
    if (old && old->ShellListView() == this) old->SetShellListView(nullptr);
    if (!value) return;
    value->FreeNotification(this);
    // Linked from this side: the tree takes this list's root, then links back (which calls here
    // again with the same tree and stops above).
    if (value->ShellListView() != this) {
        value->SetRoot(FRoot);
        value->SetShellListView(this);
    }
}

void TCustomShellListView::SetShellComboBox(IShellLinkedView* value) {
    if (value == FComboBox) return;
    IShellLinkedView* old = FComboBox;
    FComboBox = value;
    if (old) old->ShellListViewLinked(this, false);
    if (!value) return;
    value->LinkedComponent().FreeNotification(this);
    value->SetRoot(FRoot);
    value->ShellListViewLinked(this, true);
}

void TCustomShellListView::SyncToId(PCItemIDList absolute) {
    if (FUpdating || !absolute) return;
    if (FRootFolder && IdEqual(FRootFolder->AbsoluteID(), absolute)) return;
    BrowseTo(absolute);
}

void TCustomShellListView::InformLinkedControls() {
    const bool settingRoot = std::exchange(FSettingRoot, false);
    if (settingRoot) {
        if (FTreeView) FTreeView->SetRoot(FRoot);
        if (FComboBox) FComboBox->SetRoot(FRoot);
        return;
    }
    if (!FRootFolder) return;
    if (FTreeView) FTreeView->SelectById(FRootFolder->AbsoluteID());
    if (FComboBox) FComboBox->SyncToId(FRootFolder->AbsoluteID());
}

// ---- the rows -------------------------------------------------------------------------------------

void TCustomShellListView::ReloadFolder() {
    if (FUpdating) return;
    FlagScope updating(FUpdating);
    const bool refresh = FAutoRefresh;
    SetAutoRefresh(false);
    InformLinkedControls();
    FillRows();
    if (ViewStyle() == ui::vsReport) BuildColumns();
    SetAutoRefresh(refresh);
}

void TCustomShellListView::RemoveAllRows() {
    if (!FDestroying) Items().SetCount(0);
    FFolders.clear();
    FShown.clear();
}

const std::u16string& TCustomShellListView::RowCaption(int index) const {
    RowShown& shown = FShown[static_cast<std::size_t>(index)];
    if (!shown.Named) {
        shown.Caption = FFolders[static_cast<std::size_t>(index)]->DisplayName();
        shown.Named = true;
    }
    return shown.Caption;
}

void TCustomShellListView::FillRows() {
    if (Loading() && !HandleAllocated()) return;
    const ui::TBusyCursor busy;
    RowsUpdate update(Items());
    RemoveAllRows();
    if (!FRootFolder || !FRootFolder->ShellFolder()) return;
    std::vector<std::unique_ptr<TShellFolder>> rows;
    try {
        std::unique_ptr<platform::ShellEnumerator> children =
            FRootFolder->ShellFolder()->EnumObjects(ui::GetBackend().ApplicationHandle(), ItemKindsOf(FObjectTypes));
        if (!children) return;
        const auto alive = Lifetime();
        for (int count = 0; count < MostRows; ++count) {
            IdListPtr child = children->Next();
            if (!child) break;
            // Each row binds its own folder only when it is opened: most rows never are.
            auto item = std::make_unique<TShellFolder>(FRootFolder.get(), child.get(), TShellFolder::BindWhenAsked{});
            bool canAdd = true;
            if (OnAddFolder) OnAddFolder(this, item.get(), canAdd);
            if (!*alive) return;
            if (canAdd) rows.push_back(std::move(item));
        }
    } catch (const std::exception&) {
        // A folder that fails while it is read shows nothing rather than half of it.
        return;
    }
    if (FSorted) {
        // Whether a row is a folder is asked once per row, not at each comparison; the folder's
        // own order decides within folders and within files.
        std::vector<std::pair<bool, std::unique_ptr<TShellFolder>>> ranked;
        ranked.reserve(rows.size());
        for (auto& row : rows) {
            const bool folder = row->IsFolder();
            ranked.emplace_back(folder, std::move(row));
        }
        ShellObjectRef parent = FRootFolder->ShellFolder();
        std::stable_sort(ranked.begin(), ranked.end(), [&](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first;
            const auto answer = parent ? parent->CompareIds(0, a.second->RelativeID(), b.second->RelativeID()) : std::nullopt;
            return answer && static_cast<std::int16_t>(*answer & 0xFFFF) < 0;
        });
        for (std::size_t i = 0; i < ranked.size(); ++i) rows[i] = std::move(ranked[i].second);
    }
    FFolders = std::move(rows);
    FShown.assign(FFolders.size(), RowShown{});
    Items().SetCount(static_cast<int>(FFolders.size()));
}

int TCustomShellListView::CompareRows(const TShellFolder& A, const TShellFolder& B) const {
    const int rankA = A.IsFolder() ? 1 : 0, rankB = B.IsFolder() ? 1 : 0;
    if (rankA != rankB) return rankB - rankA;
    ShellObjectRef parent = A.ParentShellFolder();
    if (!parent) return 0;
    const auto answer = parent->CompareIds(0, A.RelativeID(), B.RelativeID());
    return answer ? static_cast<std::int16_t>(*answer & 0xFFFF) : 0;
}

void TCustomShellListView::OwnerDataFetch(ui::TListItem* Item) {
    ui::TListView::OwnerDataFetch(Item);
    const int index = Item->Index();
    TShellFolder* item = GetFolder(index);
    if (!item) return;
    Item->SetCaption(RowCaption(index));
    RowShown& shown = FShown[static_cast<std::size_t>(index)];
    if (shown.ImageStyle != static_cast<int>(ViewStyle() == ui::vsIcon)) {
        shown.ImageStyle = static_cast<int>(ViewStyle() == ui::vsIcon);
        shown.Image = item->ImageIndex(ViewStyle() == ui::vsIcon);
    }
    Item->SetImageIndex(shown.Image);
    if (ViewStyle() != ui::vsReport) return;
    const int columns = Columns().Count();
    // Read from the shell once per item, when the row is first drawn in report view.
    if (item->DetailCount() == 0 && columns > 1) {
        try {
            item->LoadColumnDetails(FRootFolder.get(), HandleAllocated() ? Handle() : 0, columns);
        } catch (const std::exception&) {
            // An item gone from the disk, or one the shell tells nothing of, shows no details,
            // and is not asked again each time its row is drawn.
            for (int column = 1; column < columns; ++column) item->SetDetails(column, u"");
        }
    }
    util::StringList details;
    for (int column = 1; column < columns; ++column) details.push_back(item->GetDetails(column));
    Item->SetSubItems(std::move(details));
}

int TCustomShellListView::OwnerDataFind(const std::u16string& Text, int Start, bool) {
    const int count = static_cast<int>(FFolders.size());
    if (count == 0 || Text.empty()) return -1;
    const std::u16string wanted = util::UpperCaseText(Text);
    const int first = Start >= 0 && Start < count ? Start : 0;
    // From the start row through the last, then from the first row round to where it began.
    for (int step = 0; step < count; ++step) {
        const int row = (first + step) % count;
        const std::u16string name = util::UpperCaseText(RowCaption(row));
        if (name.compare(0, wanted.size(), wanted) == 0) return row;
    }
    return -1;
}

TShellFolder* TCustomShellListView::GetFolder(int Index) const {
    return Index >= 0 && Index < static_cast<int>(FFolders.size()) ? FFolders[static_cast<std::size_t>(Index)].get()
                                                                    : nullptr;
}

TShellFolder* TCustomShellListView::SelectedFolder() const {
    const ui::TListItem* selected = Selected();
    return selected ? GetFolder(selected->Index()) : nullptr;
}

void TCustomShellListView::SetObjectTypes(TShellObjectTypes value) {
    FObjectTypes = value;
    if (!Loading()) ReloadFolder();
}

void TCustomShellListView::SetSorted(bool value) {
    if (value == FSorted) return;
    FSorted = value;
    FillRows();
}

void TCustomShellListView::ViewStyleChanged() {
    if (ViewStyle() == ui::vsReport && !Loading()) BuildColumns();
}

// ---- navigation -----------------------------------------------------------------------------------

void TCustomShellListView::BrowseTo(PCItemIDList list) {
    if (FUpdating || !list) return;
    if (FRootFolder && IdEqual(FRootFolder->AbsoluteID(), list)) return;
    std::unique_ptr<TShellFolder> shown = FolderFromAbsoluteId(list);
    if (!shown) return;
    FRootFolder.reset();
    FSettingRoot = false;
    FRootFolder = std::move(shown);
    ReloadFolder();
}

void TCustomShellListView::Back() {
    if (!FRootFolder) return;
    // The desktop has no parent to go back to.
    if (IdCount(FRootFolder->AbsoluteID()) == 0) return;
    IdListPtr parent(IdClone(FRootFolder->AbsoluteID()));
    IdStripLast(parent.get());
    BrowseTo(parent.get());
}

void TCustomShellListView::Refresh() {
    if (!FRootFolder) return;
    const ui::TListItem* selected = Selected();
    const int row = selected ? selected->Index() : -1;
    SetSelected(nullptr);
    IdListPtr shown(IdClone(FRootFolder->AbsoluteID()));
    // A folder that went while shown shows nothing: made anew from its list it would stand for
    // the desktop, whose items are not what the user looked at.
    if (IdCount(shown.get()) > 0 && !BindItemFolder(DesktopShellFolder(), shown.get(), 0)) {
        RemoveAllRows();
        return;
    }
    FRootFolder.reset();
    FSettingRoot = false;
    FRootFolder = FolderFromAbsoluteId(shown.get());
    ReloadFolder();
    if (row >= 0 && row < Items().Count()) {
        ui::TListItem* again = Items().Item(row);
        SetSelected(again);
        if (ui::TListItem* focused = Items().Item(row)) focused->SetFocused(true);
    }
}

void TCustomShellListView::DblClick() {
    if (FAutoNavigate)
        if (TShellFolder* item = SelectedFolder()) {
            const auto alive = Lifetime();
            if (item->IsFolder()) {
                IdListPtr target(IdClone(item->AbsoluteID()));
                BrowseTo(target.get());
            } else {
                const std::u16string path = item->PathName();
                platform::GetShellOperations().Execute(Handle(), u"", path, u"", util::FolderPart(path),
                                                       platform::ShowState::Hidden);
            }
            if (!*alive) return;
        }
    ui::TListView::DblClick();
}

void TCustomShellListView::KeyDown(std::uint16_t& Key, ui::TShiftState Shift) {
    const auto alive = Lifetime();
    ui::TListView::KeyDown(Key, Shift);
    if (!*alive || !FAutoNavigate) return;
    if (Key == ui::vkBack && !EditingLabel()) {
        Back();
    } else if (Key == ui::vkReturn && (Shift & ui::ssAlt)) {
        if (TShellFolder* item = SelectedFolder()) InvokeItemVerb(item, "properties");
        Key = 0;
    } else if (Key == ui::vkReturn) {
        if (TShellFolder* item = SelectedFolder()) {
            if (item->IsFolder()) {
                IdListPtr target(IdClone(item->AbsoluteID()));
                BrowseTo(target.get());
            } else {
                item->ExecuteDefault();
            }
        }
    } else if (Key == ui::vkF5) {
        Refresh();
    }
}

void TCustomShellListView::DoContextPopup(ui::TPoint MousePos, bool& Handled) {
    TShellFolder* item = SelectedFolder();
    if (!FAutoContext || !item) {
        ui::TListView::DoContextPopup(MousePos, Handled);
        return;
    }
    ShowItemContextMenu(this, item, MousePos.X, MousePos.Y, this);
    Handled = true;
}

void TCustomShellListView::Edit(ui::TListItem* Item, std::u16string& S) {
    ui::TListView::Edit(Item, S);
    TShellFolder* item = Item ? GetFolder(Item->Index()) : nullptr;
    if (!item || S.empty()) return;
    // A refused rename raises "Rename to %s failed"; the row shows the item's name as it is.
    const int index = Item->Index();
    item->Rename(S);
    // Renamed: the row asks for its name again.
    FShown[static_cast<std::size_t>(index)].Named = false;
    Invalidate();
}

// ---- commands and refreshing ----------------------------------------------------------------------

void TCustomShellListView::ExecuteCommand(const std::string& Verb, bool& Handled) {
    const std::u16string verb(Verb.begin(), Verb.end());
    if (util::SameTextAscii(verb, u"rename")) {
        if (ui::TListItem* selected = Selected()) {
            selected->EditCaption();
            Handled = true;
        }
    } else if (util::SameTextAscii(verb, u"open")) {
        auto& shell = GetShellNamespace();
        FSavePath = shell.CurrentDirectory();
        if (TShellFolder* item = SelectedFolder()) shell.ChangeCurrentDirectory(util::FolderPart(item->PathName()));
    }
}

void TCustomShellListView::CommandCompleted(const std::string& Verb, bool Succeeded) {
    if (!Succeeded) return;
    const std::u16string verb(Verb.begin(), Verb.end());
    if (util::SameTextAscii(verb, u"delete") || util::SameTextAscii(verb, u"paste")) {
        Refresh();
    } else if (util::SameTextAscii(verb, u"open")) {
        GetShellNamespace().ChangeCurrentDirectory(FSavePath);
    }
}

void TCustomShellListView::DestroyNotifier() {
    if (!FNotifier) return;
    TShellChangeNotifier* notifier = FNotifier;
    FNotifier = nullptr;
    delete notifier;
}

void TCustomShellListView::SetAutoRefresh(bool value) {
    FAutoRefresh = value;
    if (Loading()) return;
    DestroyNotifier();
    if (!value || !FRootFolder) return;
    FNotifier = new TShellChangeNotifier(this);
    FNotifier->SetWatchSubTree(false);
    FNotifier->SetRoot(FRootFolder->PathName());
    FNotifier->SetOnChange([this] { Refresh(); });
}

}  // namespace shell
