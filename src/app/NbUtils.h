#pragma once
// The application's helpers for link entries: "name<TAB>path", only the first TAB separates.
#include <cstdint>
#include <string>

#include "platform/ShowState.h"
#include "util/Utils.h"

namespace app {

// The icon index GetSysIconIndex gives a path the shell knows nothing of: no icon.
constexpr int NoIcon = -1;

std::u16string CopyBefore(const std::u16string& S, char16_t C);
std::u16string CopyAfter(const std::u16string& S, char16_t C);
// Small icon of the path in the system image list, or NoIcon.
int GetSysIconIndex(const std::u16string& Path);

// The folder of the program's own executable, with its closing backslash.
std::u16string ExecutableFolder();

// Asks the system to log off (0), shut down (1) or restart (2), with the shutdown privilege;
// false when the platform refused.
bool ExitSystem(platform::ExitKind Kind);

// The entry name of a path: its file name without the extension (C:\Tools\Editor.lnk gives Editor).
std::u16string LinkNameFromPath(const std::u16string& path);
std::u16string MakeLinkEntry(const std::u16string& path);
// True when an entry links the path: trailing backslash ignored, A-Z matched case-insensitively.
bool LinksContainPath(const util::StringList& links, const std::u16string& path);

}  // namespace app
