#pragma once
// The application's small helpers: text around a separator, the small icon of a path, the
// program's own folder and the end of the session.
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

}  // namespace app
