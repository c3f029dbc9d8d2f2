#include "app/NbUtils.h"

#include "platform/ShellOperations.h"
#include "platform/System.h"
#include "util/FileUtils.h"

namespace app {
std::u16string CopyBefore(const std::u16string& S, char16_t C) {
    const size_t p = S.find(C);
    return p == std::u16string::npos ? S : S.substr(0, p);
}

std::u16string CopyAfter(const std::u16string& S, char16_t C) {
    const size_t p = S.find(C);
    return p == std::u16string::npos ? std::u16string() : S.substr(p + 1);
}

int GetSysIconIndex(const std::u16string& Path) {
    return util::SysIconIndex(Path, platform::SmallIcon, NoIcon);
}

std::u16string ExecutableFolder() {
    return util::FolderPart(platform::GetSystem().ExecutablePath());
}

bool ExitSystem(platform::ExitKind Kind) { return platform::GetSession().ExitSystem(Kind); }

std::u16string LinkNameFromPath(const std::u16string& path) {
    const size_t sep = path.find_last_of(u"\\:");
    std::u16string name = sep == std::u16string::npos ? path : path.substr(sep + 1);
    const size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos) name.erase(dot);
    return name;
}

std::u16string MakeLinkEntry(const std::u16string& path) { return LinkNameFromPath(path) + u'\t' + path; }

bool LinksContainPath(const util::StringList& links, const std::u16string& path) {
    const std::u16string wanted = util::EnsureTrailingBackslash(path);
    for (const auto& entry : links)
        if (util::SameTextAscii(util::EnsureTrailingBackslash(CopyAfter(entry, u'\t')), wanted)) return true;
    return false;
}

}  // namespace app
