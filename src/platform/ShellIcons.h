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

class ShellIcons {
public:
    virtual ~ShellIcons() = default;
    // The index in the system image list of the path's icon, or nullopt when the shell knows
    // nothing of the path.
    virtual std::optional<int> SysIconIndex(const std::u16string& path, IconStyle style) = 0;
};

ShellIcons& GetShellIcons();
ShellIcons* SetShellIcons(ShellIcons* replacement);

}  // namespace platform
