#pragma once
// The contents of one directory, or the list of drives, in a list control: name, size, type and
// date columns with the system's icons; Enter or a double click opens a folder or drive, a double
// click opens a file with the shell; labels rename entries. The list is a snapshot, read again
// whenever the path, the mask or what is shown changes.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "ui/ListView.h"

namespace controls {

class TCustomDirFileListView : public ui::TListView {
public:
    explicit TCustomDirFileListView(ui::TComponent* AOwner);
    std::u16string ClassName() const override { return u"TDirFileListView"; }

    // A directory, or "DRIVES" (any letter case) for the list of drives.
    const std::u16string& Path() const { return FPath; }
    void SetPath(const std::u16string& path);
    // "*.*" for every file, else the extensions to show ("*.exe;*.lnk"); empty means "*.*".
    const std::u16string& Mask() const { return FMask; }
    void SetMask(const std::u16string& mask);
    bool ShowFolders() const { return FShowFolders; }
    void SetShowFolders(bool show);
    bool ShowFiles() const { return FShowFiles; }
    void SetShowFiles(bool show);
    // Reads the current directory again.
    void UpdatePath();
    bool DriveMode() const;
    // The path an item stands for: the folder or file of its caption, or the drive's root.
    std::u16string ItemTarget(const ui::TListItem* item) const;
    // The order of two items for a column (0 name, 1 size, 2 type, 3 date): folders (and drives)
    // first, among themselves by name; files by the column, then by name. Names compare
    // naturally (file2 before file10), where they tie the shorter first, so that the order is
    // total; the type column compares the extensions, none before any.
    int CompareItems(const ui::TListItem* a, const ui::TListItem* b, int column) const;
    // The icon and type name of a row are asked of the shell when the row is first shown (or
    // read through these); a folder of any size opens in the time of its reading.
    std::u16string ItemText(int index, int column) const override;
    int ItemImage(int index) const override;

    // After the path changed and the list was read.
    ui::TNotifyEvent OnPathChange;

protected:
    void KeyPress(char16_t& Key) override;
    void DblClick() override;

private:
    // A path to list, with its directory entry (none for a drive's root).
    struct Listed {
        std::u16string Path;
        std::optional<platform::DirectoryEntry> Entry;
        bool Resolved = false;  // icon and type name asked for
    };
    void FillList();
    void AddItems(const std::vector<Listed>& listed);
    void ItemEditing(ui::TListItem* item, bool& allow);
    void ItemEdited(ui::TListItem* item, std::u16string& s);
    void ResolveDetails(int index) const;

    std::u16string FPath;
    std::u16string FMask = u"*.*";
    bool FShowFolders = true;
    bool FShowFiles = true;
    // What each item was listed from, pointed to by the item's data.
    std::deque<Listed> FListed;
};

class TDirFileListView : public TCustomDirFileListView {
public:
    using TCustomDirFileListView::TCustomDirFileListView;
};

}  // namespace controls
