#pragma once
// The shell namespace port: the desktop folder and what the shell's folder objects answer, in
// the shapes the shell items need. Identifier lists cross the port as raw bytes of the shell's
// allocator (see ShellMemory.h); a list the port hands out belongs to the caller.
//
// One ShellObject stands for a folder object of the shell with whatever faces it has: a browsable
// folder, the extended folder that reports detail columns, or the older details object. Objects
// and enumerators are reference counted by shared_ptr; the backend's own references go when the
// last owner lets go of them.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ShellIcons.h"
#include "platform/ShellMemory.h"
#include "platform/ShellValues.h"
#include "platform/ShowState.h"

namespace platform {

// A native window handle, 0 for none.
using ShellWindow = std::intptr_t;

// A name as a folder reports it: wide text, 8-bit text at an offset inside the item's first
// entry, or 8-bit text carried inline.
struct ShellName {
    enum Form { Wide = 0, Offset = 1, Inline = 2 };
    Form Kind = Wide;
    bool HasText = false;  // wide form: whether any text came at all
    std::u16string Text;   // wide form
    unsigned ByteOffset = 0;
    std::string Bytes;  // inline form, up to its terminating zero
};

enum class ShellFace { Folder, Folder2, Details };

struct ShortcutInfo {
    std::u16string Target;
    std::u16string IconFile;  // empty: the target's own icon
    int IconIndex = 0;
};

// A detail column's header as a folder describes it: its text, its alignment (0 left, 1 right,
// 2 centred) and its width in characters.
struct ShellColumnHeader {
    ShellName Name;
    int Format = 0;
    int Characters = 0;
};

// A column the folder shows by default.
inline constexpr std::uint32_t ColumnShownByDefault = 0x10;

class ShellEnumerator {
public:
    virtual ~ShellEnumerator() = default;
    // The next item's relative list, or an empty pointer when there are no more.
    virtual ShellIdList Next() = 0;
};

// A popup menu of the platform, destroyed with the object.
class ShellPopupMenu {
public:
    virtual ~ShellPopupMenu() = default;
    virtual std::intptr_t Handle() const = 0;
    // Shows the menu at a screen point and returns the chosen command's identifier, 0 for none.
    virtual int Track(int screenX, int screenY, ShellWindow owner) = 0;
};

// What a context menu is filled for: an explorer's tree, and a view that can rename in place.
struct ContextMenuUse {
    bool Explore = false;
    bool CanRename = false;
};

class ShellContextMenu {
public:
    virtual ~ShellContextMenu() = default;
    // Adds the item's commands to the menu at `index`, with identifiers first..last.
    virtual bool Fill(ShellPopupMenu& menu, unsigned index, unsigned first, unsigned last, ContextMenuUse use) = 0;
    // The language-independent verb of the command at an offset (up to 255 bytes); empty for none.
    virtual std::string Verb(unsigned offset) = 0;
    virtual bool Invoke(unsigned offset, ShellWindow owner, ShowState show) = 0;
    // Runs a verb; an asynchronous one may go on after the call returns.
    virtual bool InvokeVerb(const std::string& verb, ShellWindow owner, ShowState show, bool asynchronous) = 0;
    // Whether the menu draws some of its items itself; then the owner hands it the menu messages.
    virtual bool HasMenuHandler() const = 0;
    virtual void HandleMenuMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam) = 0;
};

class ShellObject {
public:
    virtual ~ShellObject() = default;
    virtual bool Has(ShellFace face) const = 0;

    // Each returns an empty pointer when the folder refuses.
    virtual std::shared_ptr<ShellObject> BindToObject(const std::uint8_t* relative, ShellFace face) = 0;
    virtual std::shared_ptr<ShellObject> UiObjectOf(ShellWindow owner, const std::uint8_t* relative, ShellFace face) = 0;
    virtual std::shared_ptr<ShellObject> CreateViewObject(ShellWindow owner, ShellFace face) = 0;
    virtual std::unique_ptr<ShellEnumerator> EnumObjects(ShellWindow owner, ShellItemKinds kinds) = 0;
    // The folder's comparison answer (its low 16 bits are the order), or nullopt when it failed.
    virtual std::optional<std::int32_t> CompareIds(std::uint32_t column, const std::uint8_t* a, const std::uint8_t* b) = 0;
    // Attributes in and out: the question goes in, the answer comes back (a folder may answer
    // more than it was asked); false on failure.
    virtual bool AttributesOf(const std::uint8_t* relative, ShellAttributes& attributes) = 0;
    virtual std::optional<ShellName> DisplayNameOf(const std::uint8_t* relative, ShellNameStyle style) = 0;
    // The item's new relative list, or empty when the folder refused.
    virtual ShellIdList SetNameOf(ShellWindow owner, const std::uint8_t* relative, const std::u16string& name,
                                  ShellNameStyle style) = 0;
    virtual ShellIdList ParseDisplayName(ShellWindow owner, const std::u16string& name) = 0;
    virtual std::unique_ptr<ShellContextMenu> ContextMenuOf(ShellWindow owner, const std::uint8_t* relative) = 0;
    // A detail column of an item through the extended folder or the details face.
    virtual std::optional<ShellName> DetailsOf(const std::uint8_t* relative, unsigned column) = 0;
    // A column's header (no item), or nullopt past the last column.
    virtual std::optional<ShellColumnHeader> ColumnHeaderOf(unsigned column) {
        std::optional<ShellName> name = DetailsOf(nullptr, column);
        if (!name) return std::nullopt;
        return ShellColumnHeader{*name, 0, 0};
    }
    // The column's default state through the extended folder, or nullopt without one.
    virtual std::optional<std::uint32_t> DefaultColumnStateOf(unsigned) { return std::nullopt; }
};

// A setting of the platform's that holds until the scope ends: what a worker thread needs before
// it calls the shell (on Windows, its COM apartment), or quiet critical-error dialogs.
class ShellScope {
public:
    virtual ~ShellScope() = default;
};

class ShellNamespace {
public:
    virtual ~ShellNamespace() = default;
    // The namespace's root folder, or empty when the platform gives none.
    virtual std::shared_ptr<ShellObject> Desktop() = 0;
    virtual ShellIdList SpecialFolder(ShellWindow owner, int csidl) = 0;
    // The icon index in the system image list of an item by its absolute list; nullopt when the
    // shell knows nothing of it.
    virtual std::optional<int> SysIconIndex(const std::uint8_t* absolute, IconStyle style) = 0;
    // The platform's own list of small system icons (not owned), 0 where there is none.
    virtual std::intptr_t SystemSmallImages() = 0;
    // Runs the item's default verb.
    virtual bool ExecuteDefault(ShellWindow owner, const std::uint8_t* absolute) = 0;
    virtual std::unique_ptr<ShellPopupMenu> CreatePopupMenu() = 0;
    // Keeps the platform's critical-error dialogs (a drive without a disk) away until the scope ends.
    virtual std::unique_ptr<ShellScope> QuietCriticalErrors() = 0;
    virtual int MajorVersion() = 0;
    virtual std::u16string CurrentDirectory() = 0;
    virtual bool ChangeCurrentDirectory(const std::u16string& directory) = 0;
    // What a shortcut holds (a shell link on Windows, a symbolic link to a file on other systems):
    // the path it points to, as stored, without looking for a target that moved, and its own icon
    // if it names one. nullopt for an item that is no shortcut or that cannot be read. Safe on a
    // worker thread inside EnterWorkerThread.
    virtual std::optional<ShortcutInfo> ReadShortcut(const std::u16string& path) = 0;
    // Readies the calling worker thread for SysIconIndex until the scope ends.
    virtual std::unique_ptr<ShellScope> EnterWorkerThread() = 0;
};

// Shell objects, enumerators and context menus of the backends that are alive now: every one a
// view took must be given back.
long ShellObjectsHeld();
namespace detail {
void CountShellObject(int delta);
}  // namespace detail

// Counts one backend object for ShellObjectsHeld while it lives.
struct CountedShellObject {
    CountedShellObject() { detail::CountShellObject(1); }
    CountedShellObject(const CountedShellObject&) = delete;
    CountedShellObject& operator=(const CountedShellObject&) = delete;
    ~CountedShellObject() { detail::CountShellObject(-1); }
};

ShellNamespace& GetShellNamespace();
ShellNamespace* SetShellNamespace(ShellNamespace* replacement);

}  // namespace platform
