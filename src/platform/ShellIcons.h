#pragma once
// First slice of the shell port: the index of a path's icon in the system image list.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Which of an item's icons: the small or the large one, and for a folder the open or the closed.
struct IconStyle {
    bool Small = true;
    bool Open = false;
    constexpr IconStyle Opened() const { return {Small, true}; }
    friend bool operator==(IconStyle, IconStyle) = default;
};
inline constexpr IconStyle SmallIcon{true, false};
inline constexpr IconStyle LargeIcon{false, false};

// What the shell shows of a path: its icon, its display name and the name of its type.
struct ShellFileInfo {
    int Icon = 0;
    std::u16string DisplayName;
    std::u16string TypeName;
};

class ShellIcons {
public:
    virtual ~ShellIcons() = default;
    // The index in the system image list of the path's icon, or nullopt when the shell knows
    // nothing of the path.
    virtual std::optional<int> SysIconIndex(const std::u16string& path, IconStyle style) = 0;
    // Icon, display name and type name of a path, or nullopt when the shell knows nothing of it.
    // A drive without a medium answers without the platform's "no disk" box.
    virtual std::optional<ShellFileInfo> FileInfo(const std::u16string& path, IconStyle style) = 0;
    // A folder's icon for a list of many folders: the shell's plain folder icon, unless the folder
    // is marked to carry its own look (where the shell reads its settings file), then its own.
    // nullopt when the folder is not there.
    virtual std::optional<int> FolderIconIndex(const std::u16string& path, IconStyle style) = 0;
    // The platform's list of system icons of the style's size (not owned), 0 where there is none.
    virtual std::intptr_t SystemImages(IconStyle style) = 0;
};

ShellIcons& GetShellIcons();
ShellIcons* SetShellIcons(ShellIcons* replacement);

}  // namespace platform
