#include "platform/ShellIcons.h"

#include "platform/win32/ShellFlags.h"
#include "platform/win32/WinText.h"

#include <shellapi.h>

namespace platform {
namespace {
class Win32ShellIcons final : public ShellIcons {
public:
    std::optional<int> SysIconIndex(const std::u16string& path, IconStyle style) override {
        SHFILEINFOW info{};  // zero-filled: an unknown path leaves iIcon at 0
        DWORD_PTR result = SHGetFileInfoW(win32::W(path), 0, &info, sizeof(info), win32::IconFlags(style));
        if (result == 0) return std::nullopt;
        return info.iIcon;
    }
};
}  // namespace

ShellIcons& DefaultShellIcons() {
    static Win32ShellIcons icons;
    return icons;
}

}  // namespace platform
