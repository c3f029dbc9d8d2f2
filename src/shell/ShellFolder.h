#pragma once
// One item of the shell namespace (TShellFolder), the lookups around it (display texts, icons,
// binding a child's folder, resolving a root text) and the process-wide desktop item. Items live
// on the GUI thread; each owns its relative and absolute identifier lists and shares the folder
// objects it holds with the shell.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ShellNamespace.h"
#include "shell/IdList.h"
#include "shell/ShellTypes.h"
#include "ui/Exceptions.h"

namespace shell {

using TRoot = std::u16string;
using ShellObjectRef = std::shared_ptr<platform::ShellObject>;
using platform::ShellWindow;

// Path and item-detail failures.
class EInvalidPath : public ui::Exception {
public:
    using ui::Exception::Exception;
};

// A platform call of the shell failed; the message names it and the platform's code.
class EShellError : public ui::Exception {
public:
    EShellError(const std::u16string& message, std::uint32_t code) : ui::Exception(message), Code(code) {}
    std::uint32_t Code;
};

class TShellFolder {
public:
    // A parent of nullptr means the desktop item. The list is copied; the caller keeps its own.
    TShellFolder(TShellFolder* AParent, PCItemIDList ID, ShellObjectRef SF);
    // An item whose own folder is bound (BindItemFolder, under its parent's folder) when it is
    // first asked for: binding costs time, and most items of a long list are never opened.
    struct BindWhenAsked {};
    TShellFolder(TShellFolder* AParent, PCItemIDList ID, BindWhenAsked);
    virtual ~TShellFolder();
    TShellFolder(const TShellFolder&) = delete;
    TShellFolder& operator=(const TShellFolder&) = delete;

    PCItemIDList RelativeID() const { return FPIDL.get(); }
    PCItemIDList AbsoluteID() const { return FFullPIDL.get(); }
    TShellFolder* Parent() const { return FParent; }
    int Level() const { return FLevel; }
    // The item's own folder; empty for leaves (files, shortcuts).
    const ShellObjectRef& ShellFolder() const;
    const ShellObjectRef& ShellFolder2();
    const ShellObjectRef& ShellDetails();
    ShellWindow ViewHandle() const { return FViewHandle; }
    void SetViewHandle(ShellWindow handle) { FViewHandle = handle; }

    // The parent's folder, or the desktop folder for an item without a parent.
    ShellObjectRef ParentShellFolder() const;
    std::u16string DisplayName() const;
    // The file system path of a file system item, the friendly name of a virtual one.
    std::u16string PathName() const;
    bool IsFolder() const;
    // The answer to one question of attributes (empty when the folder refused): a caller that
    // needs several asks them at once, each question costs the shell a look at the item.
    platform::ShellAttributes Attributes(platform::ShellAttributes question) const { return AskAttributes(question); }
    bool SubFolders() const;
    TShellFolderCapabilities Capabilities() const;
    TShellFolderProperties Properties() const;
    int ImageIndex(bool LargeIcon) const;
    bool ExecuteDefault() const;
    // False without the rename capability; raises "Rename to %s failed" when the folder refuses.
    bool Rename(const std::u16string& NewName);

    // Detail columns, 1-based, after LoadColumnDetails.
    std::u16string GetDetails(int Index) const;
    void SetDetails(int Index, const std::u16string& Value);
    void LoadColumnDetails(TShellFolder* RootFolder, ShellWindow window, int columnCount);
    int DetailCount() const { return static_cast<int>(FDetails.size()); }

private:
    // The answer to the question, or none when the folder refused.
    platform::ShellAttributes AskAttributes(platform::ShellAttributes question) const;
    const ShellObjectRef& DetailInterface();
    void LoadFileSystemDetails(int columnCount);

    IdListPtr FPIDL;
    IdListPtr FFullPIDL;
    TShellFolder* FParent = nullptr;
    mutable ShellObjectRef FIShellFolder;
    mutable bool FBindPending = false;
    bool FBindUnderParent = false;
    ShellObjectRef FIShellFolder2;
    ShellObjectRef FIShellDetails;
    ShellObjectRef FDetailInterface;
    bool FDetailSought = false;
    int FLevel = 0;
    ShellWindow FViewHandle = 0;
    std::vector<std::u16string> FDetails;
};

// The desktop folder object; raises EShellError when the platform gives none.
ShellObjectRef DesktopShellFolder();
// The process-wide desktop item; nullptr when the platform gives no desktop.
TShellFolder* DesktopItem();
// Lets the desktop item go (at exit, before the platform's component layer is shut down).
void ReleaseDesktopItem();

// True when the desktop folder compares the two absolute lists as the same item.
bool IdEqual(PCItemIDList a, PCItemIDList b);
// The desktop's absolute list; raises EShellError when the platform gives none.
IdListPtr IdDesktop();

int SystemIconIndex(PCItemIDList list, bool large, bool open);
bool HasEnumerableItems(const ShellObjectRef& folder, platform::ShellItemKinds kinds);
// The display name of a list as the folder gives it for the name flags, tidied.
std::u16string ItemDisplayText(const ShellObjectRef& folder, PCItemIDList list, platform::ShellNameStyle style);
// A name record as text: the offset form reads inside the list's first entry.
std::u16string NameRecordText(const platform::ShellName& name, PCItemIDList list);
// The folder of a child, or empty for a leaf.
ShellObjectRef BindItemFolder(const ShellObjectRef& parentFolder, PCItemIDList list, ShellWindow window);

// The item for the text in root; the current item is released on success. On failure root is
// set back to oldRoot, the current item stays and ui::Exception is raised.
std::unique_ptr<TShellFolder> ResolveRoot(std::unique_ptr<TShellFolder>& current, const TRoot& oldRoot, TRoot& root);
std::unique_ptr<TShellFolder> FolderFromAbsoluteId(PCItemIDList list);

}  // namespace shell
