#pragma once
// The index type-to-find searches: every entry and folder of the Programs folders, read through
// the shell namespace with their names, icons and shortcut targets. An entry found in both folders
// (the same place below each) is indexed once. A folder reached again through a link (a junction
// to its own parent) is not walked twice, and no walk goes deeper than a menu can sensibly be.
#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "app/FindRank.h"

namespace platform {
class Files;
class ShellNamespace;
}  // namespace platform

namespace app {

// " › ": between the folders of a result's place.
inline constexpr std::u16string_view FindFolderSeparator = u" \u203A ";

struct ProgramIndexLimits {
    int MaxDepth = 32;
    std::size_t MaxEntries = 200000;
};

// Reads the folders of the given special-folder numbers in order; stops early (with what it has)
// when `stop` becomes true. Each entry is numbered in natural order.
std::vector<FindEntry> ReadProgramIndex(platform::ShellNamespace& shell, platform::Files& files,
                                        const std::vector<int>& specialFolders, const std::atomic<bool>& stop,
                                        ProgramIndexLimits limits = {});

}  // namespace app
