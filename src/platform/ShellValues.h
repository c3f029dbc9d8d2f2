#pragma once
// The typed questions and answers of the shell namespace: what an item is and allows, which kinds
// of items a folder lists, and which form of an item's name is wanted. The platform's own bits
// for them live in its backend only.
#include <cstdint>
#include <initializer_list>

namespace platform {

enum class ShellAttribute : std::uint8_t {
    CanCopy, CanMove, CanLink, CanRename, CanDelete, HasPropSheet, DropTarget,
    Ghosted, Link, Shared, ReadOnly, Hidden, Slow,
    Removable, Validate, FileSysAncestor, Folder, FileSystem, HasSubfolder
};

// A set of attributes: the question asked of a folder, and its answer.
class ShellAttributes {
public:
    constexpr ShellAttributes() = default;
    constexpr ShellAttributes(std::initializer_list<ShellAttribute> attributes) {
        for (ShellAttribute a : attributes) Add(a);
    }
    constexpr bool Has(ShellAttribute a) const { return (FBits & Bit(a)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr ShellAttributes& Add(ShellAttribute a) {
        FBits |= Bit(a);
        return *this;
    }
    friend constexpr bool operator==(ShellAttributes, ShellAttributes) = default;

private:
    static constexpr std::uint32_t Bit(ShellAttribute a) { return 1u << static_cast<unsigned>(a); }
    std::uint32_t FBits = 0;
};

// The kinds of items an enumeration of a folder returns.
struct ShellItemKinds {
    bool Folders = false;
    bool NonFolders = false;
    bool Hidden = false;
    friend constexpr bool operator==(ShellItemKinds, ShellItemKinds) = default;
};

// The form of a display name: for showing or for parsing, relative to its folder or to the desktop.
enum class ShellNameStyle : std::uint8_t { Normal, InFolder, ForParsing, InFolderForParsing };

}  // namespace platform
