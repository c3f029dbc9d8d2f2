#include "controls/DirectoryTreeView.h"

#include "platform/ShellIcons.h"
#include "platform/ShellNamespace.h"
#include "shell/ShellConsts.h"
#include "shell/ShellFolder.h"
#include "ui/Backend.h"
#include "util/FileUtils.h"
#include "util/Utils.h"

namespace controls {

namespace {
bool SameText(const std::u16string& a, const std::u16string& b) {
    return util::UpperCaseText(a) == util::UpperCaseText(b);
}

// Changes between the calls are shown once.
class NodesUpdate {
public:
    explicit NodesUpdate(ui::TTreeNodes& nodes) : FNodes(nodes) { FNodes.BeginUpdate(); }
    ~NodesUpdate() { FNodes.EndUpdate(); }
    NodesUpdate(const NodesUpdate&) = delete;
    NodesUpdate& operator=(const NodesUpdate&) = delete;

private:
    ui::TTreeNodes& FNodes;
};
}  // namespace

TCustomDirectoryTreeView::TCustomDirectoryTreeView(ui::TComponent* AOwner) : ui::TTreeView(AOwner) {
    SetImageListHandle(platform::GetShellIcons().SystemImages(platform::SmallIcon));
    OnEdited = [this](ui::TObject*, ui::TTreeNode* node, std::u16string& s) { NodeEdited(node, s); };
    SetBounds(Left(), Top(), 65, 65);
    BuildDrives();
    if (ui::TTreeNode* root = Items().GetFirstNode()) root->Expand(false);
}

TCustomDirectoryTreeView::~TCustomDirectoryTreeView() {
    // The nodes go before the drives they point to, quietly: whoever listened may be gone already.
    OnChange = nullptr;
    OnChanging = nullptr;
    OnDeletion = nullptr;
    Items().Clear();
}

const platform::DriveRoot* TCustomDirectoryTreeView::DriveOf(const ui::TTreeNode* node) const {
    return node && node->Level() == 1 ? static_cast<const platform::DriveRoot*>(node->Data()) : nullptr;
}

void TCustomDirectoryTreeView::SetIconStyle(TIconStyle style) {
    if (style == FIconStyle) return;
    FIconStyle = style;
    SetImageListHandle(platform::GetShellIcons().SystemImages(style == isSmall ? platform::SmallIcon : platform::LargeIcon));
    SetIndent(style == isLarge ? 32 : 16);
    RefreshPath();
}

void TCustomDirectoryTreeView::SetDirectory(const std::u16string& value) {
    const std::u16string trimmed = util::TrimTrailingBackslash(value);
    if (SameText(trimmed, FDirectory) || !util::DirectoryExists(value)) return;
    FDirectory = trimmed;
    OpenPath(FDirectory);
    if (ui::TTreeNode* selected = Selected()) SetTopItem(selected);
}

std::u16string TCustomDirectoryTreeView::GetPath(const ui::TTreeNode* node) const {
    if (!node || node->Level() == 0) return {};
    std::u16string path;
    for (const ui::TTreeNode* n = node; n && n->Level() >= 1; n = n->Parent()) {
        if (const platform::DriveRoot* drive = DriveOf(n)) {
            path = drive->Root + path;
            break;
        }
        path = n->Text() + u"\\" + path;
    }
    // A drive keeps its closing backslash; so does the one root of a system without drive letters.
    const std::u16string trimmed = util::TrimTrailingBackslash(path);
    return trimmed.empty() ? path : trimmed;
}

void TCustomDirectoryTreeView::BuildDrives() {
    NodesUpdate update(Items());
    Items().Clear();
    FDrives.clear();
    auto& shell = platform::GetShellNamespace();
    // The computer: its name and icon as the shell shows its drives folder, or a plain caption.
    ui::TTreeNode* root = Items().AddChild(nullptr, u"Computer");
    const platform::ShellIdList drivesFolder = shell.SpecialFolder(0, shell::RootFolderCsidl[shell::rfMyComputer]);
    if (drivesFolder) {
        if (auto desktop = shell.Desktop()) {
            const std::u16string name = shell::ItemDisplayText(desktop, drivesFolder.get(), platform::ShellNameStyle::Normal);
            if (!name.empty()) root->SetText(name);
        }
        const platform::IconStyle style = FIconStyle == isSmall ? platform::SmallIcon : platform::LargeIcon;
        const int icon = shell.SysIconIndex(drivesFolder.get(), style).value_or(0);
        root->SetImageIndex(icon);
        root->SetSelectedIndex(icon);
    }
    root->SetHasChildren(true);
    for (const platform::DriveRoot& drive : platform::GetFiles().DriveRoots()) {
        FDrives.push_back(drive);
        // The drive's name and icons are asked for when it is drawn: a drive without a medium
        // costs nothing until then.
        ui::TTreeNode* node = Items().AddChildTextPending(root, &FDrives.back());
        node->SetImagesPending();
        node->SetHasChildren(true);
    }
    SortChildren(root);
}

void TCustomDirectoryTreeView::ResolvePendingText(ui::TTreeNode* Node) {
    const platform::DriveRoot* drive = DriveOf(Node);
    if (!drive) return;
    const auto info = platform::GetShellIcons().FileInfo(drive->Root, platform::SmallIcon);
    Node->AssignText(info && !info->DisplayName.empty() ? info->DisplayName : drive->Root);
}

void TCustomDirectoryTreeView::ResolvePendingImages(ui::TTreeNode* Node) {
    const std::u16string path = GetPath(Node);
    const platform::IconStyle style = FIconStyle == isSmall ? platform::SmallIcon : platform::LargeIcon;
    const int closed = util::SysIconIndex(path, style);
    // A drive shows its open icon when selected; a directory the same icon both ways.
    Node->AssignImages(closed, DriveOf(Node) ? util::SysOpenIconIndex(path, style) : closed);
}

void TCustomDirectoryTreeView::ResolvePendingChildren(ui::TTreeNode* Node) {
    Node->AssignHasChildren(util::HasSubDirectories(GetPath(Node)));
}

bool TCustomDirectoryTreeView::CanExpand(ui::TTreeNode* Node) {
    // Read on first opening: a node that turns out to have no directories loses its button.
    if (Node->Level() >= 1 && Node->Count() == 0 && Node->HasChildren())
        Node->SetHasChildren(LoadChildren(Node, GetPath(Node)) > 0);
    return ui::TTreeView::CanExpand(Node);
}

int TCustomDirectoryTreeView::LoadChildren(ui::TTreeNode* node, const std::u16string& path) {
    const ui::TBusyCursor busy;
    NodesUpdate update(Items());
    int count = 0;
    platform::DirectoryEntry entry;
    // Hidden and system directories are shown; names beginning with "." are not. Each icon and
    // each expand button is asked for when its node is drawn, so a folder of many thousands opens
    // in the time of its reading.
    if (auto search = platform::GetFiles().FindFirst(util::EnsureTrailingBackslash(path) + u"*.*", entry)) {
        do {
            if (!(entry.Attributes & platform::AttrDirectory) || entry.Name.empty() || entry.Name[0] == u'.') continue;
            ++count;
            ui::TTreeNode* child = Items().AddChild(node, entry.Name);
            child->SetImagesPending();
            child->SetChildrenPending();
        } while (search->Next(entry));
    }
    SortChildren(node);
    return count;
}

int TCustomDirectoryTreeView::CompareNodes(ui::TTreeNode* a, ui::TTreeNode* b) {
    if (OnSort) {
        int compare = 0;
        OnSort(this, a, b, compare);
        return compare;
    }
    const platform::DriveRoot* driveA = DriveOf(a);
    const platform::DriveRoot* driveB = DriveOf(b);
    if (driveA && driveB) {
        const std::u16string x = util::UpperCaseText(driveA->Key), y = util::UpperCaseText(driveB->Key);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return util::NaturalCompare(a->Text(), b->Text());
}

void TCustomDirectoryTreeView::SortChildren(ui::TTreeNode* node) {
    if (node) node->CustomSort([this](ui::TTreeNode* a, ui::TTreeNode* b) { return CompareNodes(a, b); }, false);
}

bool TCustomDirectoryTreeView::OpenPath(const std::u16string& path) {
    if (path.empty()) return false;
    util::StringList parts;
    util::SplitToList(util::TrimTrailingBackslash(path), u"\\", parts);
    // "C:\" splits into "C:" and nothing after it; the one root of a system without drive
    // letters gives an empty first part, which its drive's key matches.
    while (parts.size() > 1 && parts.back().empty()) parts.pop_back();
    ui::TTreeNode* current = Items().GetFirstNode();
    if (!current) return false;
    for (const std::u16string& part : parts) {
        if (!current->Expanded()) current->Expand(false);
        ui::TTreeNode* match = nullptr;
        for (ui::TTreeNode* child = current->GetFirstChild(); child && !match; child = child->GetNextSibling()) {
            const platform::DriveRoot* drive = DriveOf(child);
            if (drive ? SameText(drive->Key, part) : (child->Level() >= 2 && SameText(child->Text(), part))) match = child;
        }
        if (!match) return false;
        current = match;
    }
    SetSelected(current);
    return true;
}

void TCustomDirectoryTreeView::UpdatePath(ui::TTreeNode* node) {
    if (!node) return;
    {
        NodesUpdate update(Items());
        node->Collapse(false);
        while (ui::TTreeNode* child = node->GetFirstChild()) child->Delete();
        node->SetHasChildren(true);
    }
    node->Expand(false);
}

void TCustomDirectoryTreeView::RefreshPath() {
    const std::u16string path = Selected() ? GetPath(Selected()) : std::u16string();
    BuildDrives();
    if (ui::TTreeNode* root = Items().GetFirstNode()) root->Expand(false);
    OpenPath(path);
}

void TCustomDirectoryTreeView::NewDirectory(ui::TTreeNode* node, const std::u16string& name) {
    const std::u16string path = util::EnsureTrailingBackslash(GetPath(node)) + name;
    platform::GetFiles().MakeDirectory(path);
    UpdatePath(node);
    OpenPath(path);
}

void TCustomDirectoryTreeView::Change(ui::TTreeNode* Node) {
    FDirectory = Node && Node->Level() >= 1 ? GetPath(Node) : std::u16string();
    ui::TTreeView::Change(Node);
}

void TCustomDirectoryTreeView::MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
    if (FClickExpand && Button == ui::mbLeft)
        if (ui::TTreeNode* node = GetNodeAt(X, Y)) node->Expand(false);
    ui::TTreeView::MouseDown(Button, Shift, X, Y);
}

void TCustomDirectoryTreeView::NodeEdited(ui::TTreeNode* node, std::u16string& s) {
    const std::u16string old = node->Text();
    s = util::StripInvalidFileNameChars(s);
    // A drive or the computer is not renamed; an empty name, the same name or a name that is
    // taken changes nothing on disk, and the node keeps its old label.
    if (node->Level() < 2 || s.empty() || s == old) {
        s = old;
        return;
    }
    const std::u16string path = GetPath(node);
    if (!platform::GetFiles().Rename(path, util::FolderPart(path) + s)) s = old;
}

}  // namespace controls
