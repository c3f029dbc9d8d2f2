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
    std::optional<int> FolderIconIndex(const std::u16string& path, IconStyle style) override {
        const DWORD attributes = GetFileAttributesW(win32::W(path));
        if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
        // Only a folder marked read-only or system may have a look of its own (desktop.ini);
        // asking the shell for every other one costs milliseconds each for the same icon.
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) return SysIconIndex(path, style);
        SHFILEINFOW info{};
        if (!SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                            win32::IconFlags(style) | SHGFI_USEFILEATTRIBUTES))
            return SysIconIndex(path, style);
        return info.iIcon;
    }
    std::optional<ShellFileInfo> FileInfo(const std::u16string& path, IconStyle style) override {
        // An empty drive must not stop everything with the platform's question for a disk.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        SHFILEINFOW info{};
        const DWORD_PTR result = SHGetFileInfoW(win32::W(path), 0, &info, sizeof(info),
                                                win32::IconFlags(style) | SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
        SetErrorMode(previous);
        if (result == 0) return std::nullopt;
        return ShellFileInfo{info.iIcon, win32::U16(info.szDisplayName), win32::U16(info.szTypeName)};
    }
    std::intptr_t SystemImages(IconStyle style) override {
        SHFILEINFOW info{};
        wchar_t windows[MAX_PATH + 1] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        return static_cast<std::intptr_t>(SHGetFileInfoW(windows, 0, &info, sizeof(info), win32::IconFlags(style)));
    }
};
}  // namespace

ShellIcons& DefaultShellIcons() {
    static Win32ShellIcons icons;
    return icons;
}

}  // namespace platform
