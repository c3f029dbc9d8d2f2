#include "platform/ShellIcons.h"

#include <sys/stat.h>

#include <map>
#include <mutex>

#include "platform/posix/PosixPath.h"

// Without a shell image list the icon source is a small table: a folder, an open folder, a file of
// unknown type, and one index for each file extension met so far. The same path always gets the
// same index within a run, which is all the callers rely on.
namespace platform {
namespace {
constexpr int FolderIcon = 1;
constexpr int OpenFolderIcon = 2;
constexpr int PlainFileIcon = 3;

class PosixShellIcons final : public ShellIcons {
public:
    std::optional<int> SysIconIndex(const std::u16string& path, IconStyle style) override {
        struct stat st{};
        if (path.empty() || stat(posix::NativePath(path).c_str(), &st) != 0) return std::nullopt;
        if (S_ISDIR(st.st_mode)) return style.Open ? OpenFolderIcon : FolderIcon;
        const auto sep = path.find_last_of(u"\\/");
        const auto dot = path.find_last_of(u'.');
        if (dot == std::u16string::npos || (sep != std::u16string::npos && dot < sep)) return PlainFileIcon;
        std::u16string extension = path.substr(dot);
        for (char16_t& c : extension)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        std::lock_guard lock(mutex_);
        auto [it, added] = byExtension_.try_emplace(extension, PlainFileIcon + 1 + static_cast<int>(byExtension_.size()));
        return it->second;
    }

    // Folders here have no look of their own.
    std::optional<int> FolderIconIndex(const std::u16string& path, IconStyle style) override {
        return SysIconIndex(path, style);
    }

    std::optional<ShellFileInfo> FileInfo(const std::u16string& path, IconStyle style) override {
        const std::optional<int> icon = SysIconIndex(path, style);
        if (!icon) return std::nullopt;
        ShellFileInfo info;
        info.Icon = *icon;
        std::u16string trimmed = path;
        while (trimmed.size() > 1 && (trimmed.back() == u'\\' || trimmed.back() == u'/')) trimmed.pop_back();
        const auto sep = trimmed.find_last_of(u"\\/");
        info.DisplayName = trimmed == u"\\" || trimmed == u"/" ? u"Dateisystem" : trimmed.substr(sep == std::u16string::npos ? 0 : sep + 1);
        struct stat st{};
        if (stat(posix::NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            info.TypeName = u"Dateiordner";
        } else {
            // As the platform names a type it has no program for: the extension and "-Datei".
            const auto dot = info.DisplayName.find_last_of(u'.');
            std::u16string extension = dot == std::u16string::npos ? u"" : info.DisplayName.substr(dot + 1);
            for (char16_t& c : extension)
                if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
            info.TypeName = extension.empty() ? u"Datei" : extension + u"-Datei";
        }
        return info;
    }
    std::intptr_t SystemImages(IconStyle) override { return 0; }

private:
    std::mutex mutex_;
    std::map<std::u16string, int> byExtension_;
};
}  // namespace

ShellIcons& DefaultShellIcons() {
    static PosixShellIcons icons;
    return icons;
}

}  // namespace platform
