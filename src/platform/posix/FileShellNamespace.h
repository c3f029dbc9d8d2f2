#pragma once
// The shell namespace on a plain file system. The desktop is the file system's root; every
// identifier-list entry carries one file name (the count, then the name in UTF-16LE). Folders
// are directories, everything else is a leaf; names that begin with "." are hidden. Paths come
// out Windows-style ("\tmp\Menu\Editor.desktop"), as the rest of the program writes them, and
// both separators are read. Special folders map to directories that can be set; the virtual
// ones (control panel, printers, ...) do not exist here.
//
// Opening a file goes to a handler (by default "xdg-open"); the context menu offers "open",
// "delete", "rename" and "properties"; what is opened, and which verbs ran, is recorded.
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ShellNamespace.h"

namespace platform::posix {

// One item of a popup menu: its command identifier and caption.
using ShellMenuEntry = std::pair<int, std::u16string>;

class FileShellNamespace : public ShellNamespace {
public:
    FileShellNamespace();

    // A native directory for a special folder; an empty text removes it.
    void SetSpecialFolder(int csidl, std::string directory);
    // The directory a special folder maps to, empty for none.
    std::string SpecialFolderPath(int csidl) const;

    // Opens a file (Windows-style path); false when it could not be started.
    std::function<bool(const std::u16string& path)> Opener;
    // Picks a command of a shown popup menu; 0 dismisses it. Without it menus are dismissed.
    std::function<int(const std::vector<ShellMenuEntry>& items)> MenuChoice;
    // Called with each directory about to be enumerated (native path); it may throw.
    std::function<void(const std::string& directory)> OnEnumerate;
    // "open <path>", "properties <path>", "delete <path>": what was asked, in order.
    std::vector<std::u16string> Requests;

    // Enumerations started, for tests that count how often folders are read.
    int Enumerations() const { return FEnumerations; }

    std::shared_ptr<ShellObject> Desktop() override;
    ShellIdList SpecialFolder(ShellWindow owner, int csidl) override;
    std::optional<int> SysIconIndex(const std::uint8_t* absolute, IconStyle style) override;
    std::intptr_t SystemSmallImages() override { return 0; }
    bool ExecuteDefault(ShellWindow owner, const std::uint8_t* absolute) override;
    std::unique_ptr<ShellPopupMenu> CreatePopupMenu() override;
    std::unique_ptr<ShellScope> QuietCriticalErrors() override;
    int MajorVersion() override { return 0; }
    std::u16string CurrentDirectory() override;
    bool ChangeCurrentDirectory(const std::u16string& directory) override;
    // A symbolic link to anything but a directory is this system's shortcut.
    std::optional<ShortcutInfo> ReadShortcut(const std::u16string& path) override;
    std::unique_ptr<ShellScope> EnterWorkerThread() override;

    // Used by the folder objects.
    void CountEnumeration() { ++FEnumerations; }
    bool Open(const std::u16string& path);

private:
    std::map<int, std::string> FSpecial;
    std::atomic<int> FEnumerations{0};
};

// The native path of an absolute list (entries below the root), or nullopt for a damaged list.
std::optional<std::string> NativePathOfList(const std::uint8_t* absolute);
// The Windows-style text of a native path: "/" becomes "\".
std::u16string ShellPathText(const std::string& native);

}  // namespace platform::posix
