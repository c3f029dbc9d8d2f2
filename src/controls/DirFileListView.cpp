#include "controls/DirFileListView.h"

#include <algorithm>
#include <cstdint>

#include "controls/FileListTexts.h"
#include "platform/Files.h"
#include "platform/ShellIcons.h"
#include "platform/ShellOperations.h"
#include "ui/Backend.h"
#include "util/FileUtils.h"
#include "util/Utils.h"

namespace controls {

namespace {
std::u16string TrimBlanks(const std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// Names in natural order (file2 before file10), made a total order for sorting: where the natural
// comparison sees a tie (a name that is the other's beginning, "07" against "7") the one of fewer
// runs comes first, then the plain text decides. A folder without such an order could sort
// differently each time.
int NameOrder(const std::u16string& a, const std::u16string& b) {
    if (const int natural = util::NaturalCompare(a, b); natural != 0) return natural;
    util::StringList runsA, runsB;
    util::SplitDigitRuns(a, runsA);
    util::SplitDigitRuns(b, runsB);
    if (runsA.size() != runsB.size()) return runsA.size() < runsB.size() ? -1 : 1;
    const int plain = a.compare(b);
    return plain < 0 ? -1 : plain > 0 ? 1 : 0;
}

// Every entry of a directory with a name not beginning with ".", through a callback.
template <class Visit>
void ForEachEntry(const std::u16string& directory, Visit visit) {
    platform::DirectoryEntry entry;
    auto search = platform::GetFiles().FindFirst(util::EnsureTrailingBackslash(directory) + u"*.*", entry);
    if (!search) return;
    do {
        if (!entry.Name.empty() && entry.Name[0] != u'.') visit(entry);
    } while (search->Next(entry));
}
}  // namespace

TCustomDirFileListView::TCustomDirFileListView(ui::TComponent* AOwner) : ui::TListView(AOwner) {
    // The system drive's root: the first letter of the Windows directory (the one root elsewhere).
    const std::u16string windows = util::WindowsDirectory();
    FPath = windows.size() > 1 && windows[1] == u':' ? windows.substr(0, 1) + u":\\" : u"\\";
    auto& icons = platform::GetShellIcons();
    SetSmallImageListHandle(icons.SystemImages(platform::SmallIcon));
    SetLargeImageListHandle(icons.SystemImages(platform::LargeIcon));
    if (Columns().Count() == 0) {
        const std::pair<const char16_t*, int> columns[] = {
            {u"Dateiname", 200}, {u"Größe", 100}, {u"Typ", 120}, {u"Geändert am", 120}};
        for (auto [caption, width] : columns) {
            ui::TListColumn* column = Columns().Add();
            column->SetCaption(caption);
            column->SetWidth(width);
        }
    }
    OnEditing = [this](ui::TObject*, ui::TListItem* item, bool& allow) { ItemEditing(item, allow); };
    OnEdited = [this](ui::TObject*, ui::TListItem* item, std::u16string& s) { ItemEdited(item, s); };
    FillList();
}

bool TCustomDirFileListView::DriveMode() const { return util::UpperCaseText(FPath) == u"DRIVES"; }

void TCustomDirFileListView::SetPath(const std::u16string& path) {
    if (path == FPath) return;
    FPath = path;
    const auto alive = Lifetime();
    FillList();
    if (*alive && OnPathChange) OnPathChange(this);
}

void TCustomDirFileListView::SetMask(const std::u16string& mask) {
    if (mask == FMask) return;
    FMask = mask.empty() ? u"*.*" : mask;
    FillList();
}

void TCustomDirFileListView::SetShowFolders(bool show) {
    if (show == FShowFolders) return;
    FShowFolders = show;
    FillList();
}

void TCustomDirFileListView::SetShowFiles(bool show) {
    if (show == FShowFiles) return;
    FShowFiles = show;
    FillList();
}

void TCustomDirFileListView::UpdatePath() { FillList(); }

std::u16string TCustomDirFileListView::ItemTarget(const ui::TListItem* item) const {
    if (!item) return {};
    // A drive's root is kept with its item: no guessing from a display name.
    if (DriveMode()) return item->Data() ? static_cast<const Listed*>(item->Data())->Path : std::u16string();
    return util::EnsureTrailingBackslash(FPath) + TrimBlanks(item->Caption());
}

void TCustomDirFileListView::FillList() {
    const ui::TBusyCursor busy;
    Items().BeginUpdate();
    Items().Clear();
    FListed.clear();
    // Sorted by the full path without regard to case; folders first, each group in name order.
    // One reading of the directory gives the names and what the columns show.
    const auto byPath = [](const Listed& a, const Listed& b) {
        return util::UpperCaseText(a.Path) < util::UpperCaseText(b.Path);
    };
    if (DriveMode()) {
        std::vector<Listed> roots;
        for (const platform::DriveRoot& drive : platform::GetFiles().DriveRoots()) roots.push_back({drive.Root, std::nullopt});
        std::sort(roots.begin(), roots.end(), byPath);
        AddItems(roots);
    } else {
        std::vector<Listed> folders, files;
        const std::u16string folder = util::EnsureTrailingBackslash(FPath);
        ForEachEntry(FPath, [&](const platform::DirectoryEntry& e) {
            if (e.Attributes & platform::AttrDirectory) {
                // Hidden and system folders stay out, as the platform's plain folder search leaves them.
                if (FShowFolders && !(e.Attributes & (platform::AttrHidden | platform::AttrSystem)))
                    folders.push_back({folder + e.Name, e});
            } else if (FShowFiles && MaskPasses(FMask, e.Name)) {
                files.push_back({folder + e.Name, e});
            }
        });
        std::sort(folders.begin(), folders.end(), byPath);
        std::sort(files.begin(), files.end(), byPath);
        AddItems(folders);
        AddItems(files);
    }
    Items().EndUpdate();
}

void TCustomDirFileListView::AddItems(const std::vector<Listed>& listed) {
    const bool drives = DriveMode();
    for (const Listed& one : listed) {
        ui::TListItem* item = Items().Add();
        FListed.push_back(one);
        item->SetData(&FListed.back());
        if (drives) {
            // A few drives: their names are wanted for the captions at once.
            const auto info = platform::GetShellIcons().FileInfo(one.Path, platform::SmallIcon);
            FListed.back().Resolved = true;
            item->SetCaption(info && !info->DisplayName.empty() ? info->DisplayName : one.Path);
            if (info) item->SetImageIndex(info->Icon);
            continue;  // a drive's root is no entry of a folder: no sub-items
        }
        item->SetCaption(util::NamePart(one.Path));
        if (!one.Entry) continue;
        // Size and date come with the reading; the type name waits for the shell (ResolveDetails).
        util::StringList texts;
        if (one.Entry->Attributes & platform::AttrDirectory) {
            texts = {u"", u"Dateiordner"};
        } else {
            const std::uint64_t size = (std::uint64_t{one.Entry->SizeHigh} << 32) | one.Entry->SizeLow;
            texts = {FormatFileSize(size), u""};
        }
        texts.push_back(ListDateText(one.Entry->Times.LastWrite));
        item->SetSubItems(std::move(texts));
    }
}

void TCustomDirFileListView::ResolveDetails(int index) const {
    ui::TListItem* item = const_cast<TCustomDirFileListView*>(this)->Items().Item(index);
    if (!item || !item->Data()) return;
    Listed& listed = *static_cast<Listed*>(item->Data());
    if (listed.Resolved) return;
    listed.Resolved = true;
    const auto info = platform::GetShellIcons().FileInfo(listed.Path, platform::SmallIcon);
    if (!info) return;
    util::StringList texts = item->SubItems();
    const bool file = listed.Entry && !(listed.Entry->Attributes & platform::AttrDirectory);
    if (file && texts.size() >= 2) texts[1] = info->TypeName;
    AssignDetails(*item, info->Icon, std::move(texts));
}

std::u16string TCustomDirFileListView::ItemText(int index, int column) const {
    if (column > 0) ResolveDetails(index);
    return ui::TListView::ItemText(index, column);
}

int TCustomDirFileListView::ItemImage(int index) const {
    ResolveDetails(index);
    return ui::TListView::ItemImage(index);
}

int TCustomDirFileListView::CompareItems(const ui::TListItem* a, const ui::TListItem* b, int column) const {
    const auto listed = [](const ui::TListItem* item) { return static_cast<const Listed*>(item->Data()); };
    const Listed* x = listed(a);
    const Listed* y = listed(b);
    // What was listed as a directory, and every drive, is a folder; the name is the tiebreak.
    const auto isFolder = [](const Listed* l) { return !l || !l->Entry || (l->Entry->Attributes & platform::AttrDirectory); };
    const bool folderA = isFolder(x), folderB = isFolder(y);
    const int byName = NameOrder(a->Caption(), b->Caption());
    if (folderA != folderB) return folderA ? -1 : 1;
    if (folderA) return byName;
    switch (column) {
        case 1: {
            const auto size = [](const Listed* l) { return (std::uint64_t{l->Entry->SizeHigh} << 32) | l->Entry->SizeLow; };
            if (size(x) != size(y)) return size(x) < size(y) ? -1 : 1;
            return byName;
        }
        case 2: {
            const auto extension = [](const std::u16string& name) {
                const std::size_t dot = name.find_last_of(u'.');
                return dot == std::u16string::npos ? std::u16string() : name.substr(dot);
            };
            const int byType = NameOrder(extension(a->Caption()), extension(b->Caption()));
            return byType != 0 ? byType : byName;
        }
        case 3: {
            const std::int64_t ta = x->Entry->Times.LastWrite, tb = y->Entry->Times.LastWrite;
            if (ta != tb) return ta < tb ? -1 : 1;
            return byName;
        }
        default: return byName;
    }
}

void TCustomDirFileListView::KeyPress(char16_t& Key) {
    if (Key == u'\r')
        if (ui::TListItem* focused = ItemFocused()) {
            const std::u16string target = ItemTarget(focused);
            if (util::DirectoryExists(target) && !util::FileExists(target)) {
                const auto alive = Lifetime();
                SetPath(target);
                if (!*alive) return;
            }
        }
    ui::TListView::KeyPress(Key);
}

void TCustomDirFileListView::DblClick() {
    if (ui::TListItem* selected = Selected()) {
        const std::u16string target = ItemTarget(selected);
        const auto alive = Lifetime();
        if (util::DirectoryExists(target)) {
            SetPath(target);
        } else if (util::FileExists(target)) {
            // The shell's default action, started in the file's own folder and shown.
            platform::GetShellOperations().Execute(Handle(), u"", target, u"", util::FolderPart(target),
                                                   platform::ShowState::Shown);
        }
        if (!*alive) return;
    }
    ui::TListView::DblClick();
}

void TCustomDirFileListView::ItemEditing(ui::TListItem*, bool& allow) { allow = !DriveMode(); }

void TCustomDirFileListView::ItemEdited(ui::TListItem* item, std::u16string& s) {
    const std::u16string caption = item->Caption();
    if (DriveMode() || util::UpperCaseText(s) == util::UpperCaseText(caption) || !util::IsValidFileName(s)) {
        s = caption;
        return;
    }
    const std::u16string folder = util::EnsureTrailingBackslash(FPath);
    if (!platform::GetFiles().Rename(folder + caption, folder + s)) s = caption;
}

}  // namespace controls
