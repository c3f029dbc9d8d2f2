// The main window's type-to-find: a printable key on the tree starts a search, the field and the
// results take the tree's place, and Esc, an emptied field or a click elsewhere give it back.
#include "app/NbMain.h"

#include "app/ProgramIndex.h"
#include "platform/ShellNamespace.h"
#include "shell/ChangeNotifier.h"
#include "shell/ShellConsts.h"
#include "shell/ShellFolder.h"

namespace app {

namespace {

std::vector<int> ProgramsFolders() {
    return {shell::RootFolderCsidl[shell::rfPrograms], shell::RootFolderCsidl[shell::rfCommonPrograms]};
}

// The file-system path of a special folder, empty when it has none.
std::u16string SpecialFolderPath(int csidl) {
    shell::IdListPtr list = platform::GetShellNamespace().SpecialFolder(0, csidl);
    if (!list) return {};
    return shell::ItemDisplayText(shell::DesktopShellFolder(), list.get(), platform::ShellNameStyle::ForParsing);
}

RecentLinks RecentLinksOf(const LinkList& links) {
    RecentLinks recent;
    int order = 0;
    // Appended as they are launched: the later in the file, the more recent.
    for (const LinkEntry& link : links) recent[FoldForFind(link.Path)] = ++order;
    return recent;
}

}  // namespace

void TMainForm::StartIndex() {
    if (FIndexer) return;
    FIndexer = std::make_unique<TProgramIndexer>([this](FindIndex index) { IndexReady(std::move(index)); });
    FIndexer->Start(ProgramsFolders());
    for (int csidl : ProgramsFolders()) {
        const std::u16string path = SpecialFolderPath(csidl);
        if (path.empty()) continue;
        // Owned by the window, and gone with it.
        auto* watch = new shell::TShellChangeNotifier(this);
        watch->SetRoot(path);
        watch->SetWatchSubTree(true);
        watch->SetNotifyFilters(shell::Filters(shell::nfFileNameChange) | shell::Filters(shell::nfDirNameChange));
        watch->SetOnChange([this] {
            if (FIndexer) FIndexer->Start(ProgramsFolders());
        });
    }
}

void TMainForm::IndexReady(FindIndex index) {
    FIndex = std::move(index);
    if (!FSearching) return;
    RunQuery();
    if (FLaunchWhenReady) {
        FLaunchWhenReady = false;
        if (const FindEntry* entry = FindList->Entry(std::max(FindList->Selected(), 0))) PickResult(*entry);
    }
}

void TMainForm::ShellTreeView1KeyPress(ui::TObject*, char16_t& Key) {
    // Printable characters only: control characters are the tree's and the form's.
    if (Key < 0x20 || Key == 0x7F || Tag() != 0) return;
    const char16_t first = Key;
    Key = 0;
    StartSearch(first);
}

void TMainForm::StartSearch(char16_t first) {
    if (!FindList) {
        FindList = new TFindList(this);
        FindList->SetVisible(false);
        FindList->SetParent(this);
        FindList->SetImages(SysImages);
        FindList->OnPick = [this](int row) { FindListPick(row); };
        FindEdit = new TFindEdit(this);
        FindEdit->SetVisible(false);
        FindEdit->SetParent(this);
        FindEdit->SetColor(DarkGrey);
        FindEdit->SetMaxLength(500);
        FindEdit->OnChange = [this](ui::TObject* s) { FindEditChange(s); };
        FindEdit->OnKeyDown = [this](ui::TObject* s, std::uint16_t& key, ui::TShiftState shift) {
            FindEditKeyDown(s, key, shift);
        };
    }
    // The tree's area: the field at its bottom, the results above it.
    FindList->Font().Assign(&ShellTreeView1->Font());
    FindEdit->Font().Assign(&ShellTreeView1->Font());
    const int fieldHeight = FindList->RowHeight() + 6;
    const int left = ShellTreeView1->Left(), top = ShellTreeView1->Top();
    const int width = ShellTreeView1->Width(), height = ShellTreeView1->Height();
    FindList->SetBounds(left, top, width, height - fieldHeight);
    FindEdit->SetBounds(left, top + height - fieldHeight, width, fieldHeight);
    FindList->SetResults(nullptr, {});
    FSearching = true;
    FLaunchWhenReady = false;
    FRecent = RecentLinksOf(Links);
    FindList->SetVisible(true);
    FindEdit->SetVisible(true);
    FindEdit->SetText(std::u16string(1, first));
    FindEdit->SetFocus();
    FindEdit->PlaceCaretAtEnd();
    ShellTreeView1->SetVisible(false);
    RunQuery();
}

void TMainForm::EndSearch() {
    if (!FSearching) return;
    FSearching = false;
    FLaunchWhenReady = false;
    ShellTreeView1->SetVisible(true);
    ShellTreeView1->SetFocus();
    FindEdit->SetVisible(false);
    FindList->SetVisible(false);
    FindList->SetResults(nullptr, {});
    FindEdit->SetText(u"");
}

void TMainForm::RunQuery() {
    if (!FSearching || !FIndex) return;
    FindList->SetResults(FIndex, FindMatches(*FIndex, FindQuery::Of(FindEdit->Text()), FRecent));
}

void TMainForm::FindEditChange(ui::TObject*) {
    if (!FSearching) return;
    // Everything typed taken back: the search is over.
    if (FindEdit->Text().empty()) {
        EndSearch();
        return;
    }
    RunQuery();
}

void TMainForm::FindEditKeyDown(ui::TObject*, std::uint16_t& Key, ui::TShiftState) {
    if (!FSearching) return;
    switch (Key) {
        case ui::vkUp: FindList->MoveSelection(-1); break;
        case ui::vkDown: FindList->MoveSelection(1); break;
        case ui::vkPrior: FindList->MoveSelection(-FindList->VisibleRows()); break;
        case ui::vkNext: FindList->MoveSelection(FindList->VisibleRows()); break;
        case ui::vkEscape: EndSearch(); break;
        case ui::vkReturn:
            if (!FIndex) {
                // Typed faster than the index was read: the first result starts once it is.
                FLaunchWhenReady = true;
            } else if (const FindEntry* entry = FindList->Entry(std::max(FindList->Selected(), 0))) {
                PickResult(*entry);
            }
            break;
        default: return;
    }
    Key = 0;
}

void TMainForm::FindListPick(int row) {
    const FindEntry* entry = FindList->Entry(row);
    if (!entry) {
        EndSearch();
        return;
    }
    PickResult(*entry);
}

void TMainForm::PickResult(const FindEntry& entry) {
    if (Tag() != 0) return;
    if (entry.IsFolder) {
        const FindEntry folder = entry;  // the results go with the search
        EndSearch();
        ShowFolderInTree(folder);
        return;
    }
    LaunchEntry(entry.Path, Handle(), [this] {
        Hide();
        DragArmed = false;
        CloseMenu();
    });
}

void TMainForm::ShowFolderInTree(const FindEntry& entry) {
    // The folder's place below the shown Programs folder, followed by name as far as it goes.
    std::vector<std::u16string> names;
    const std::u16string separator(FindFolderSeparator);
    for (std::size_t from = 0; !entry.Folder.empty();) {
        const std::size_t at = entry.Folder.find(separator, from);
        names.push_back(entry.Folder.substr(from, at == std::u16string::npos ? std::u16string::npos : at - from));
        if (at == std::u16string::npos) break;
        from = at + separator.size();
    }
    names.push_back(entry.Name);
    ui::TTreeNode* node = ShellTreeView1->Items().GetFirstNode();
    if (!node) return;
    ui::TTreeNode* found = nullptr;
    for (const std::u16string& name : names) {
        node->Expand(false);
        ui::TTreeNode* child = node->GetFirstChild();
        while (child && FoldForFind(child->Text()) != FoldForFind(name)) child = child->GetNextSibling();
        if (!child) break;
        found = node = child;
    }
    if (!found) return;
    found->Expand(false);
    ShellTreeView1->SetSelected(found);
}

}  // namespace app
