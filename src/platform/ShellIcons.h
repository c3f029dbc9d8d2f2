#pragma once
// First slice of the shell port: the index of a path's icon in the system image list.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

constexpr std::uint32_t ShgfiSmallIcon = 0x0001;
constexpr std::uint32_t ShgfiOpenIcon = 0x0002;
constexpr std::uint32_t ShgfiSysIconIndex = 0x4000;

class ShellIcons {
public:
    virtual ~ShellIcons() = default;
    // The icon index the shell reports for a path with the given SHGFI_ flags, or nullopt when the
    // shell knows nothing of the path.
    virtual std::optional<int> SysIconIndex(const std::u16string& path, std::uint32_t flags) = 0;
};

ShellIcons& GetShellIcons();
ShellIcons* SetShellIcons(ShellIcons* replacement);

}  // namespace platform
