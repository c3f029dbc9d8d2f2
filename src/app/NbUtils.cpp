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

}  // namespace app
