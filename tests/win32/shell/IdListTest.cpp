// Identifier lists of the real shell: sizes and copies agree with the shell's own, and lists made
// here are freed by the shell's allocator.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "platform/ShellMemory.h"
#include "shell/IdList.h"

using namespace shell;

TEST(Win32IdList, ListsOfTheShellMeasureAndCopyAsTheShellDoes) {
    const long before = platform::ShellBlocksHeld();
    for (int csidl : {CSIDL_DESKTOP, CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_CONTROLS}) {
        LPITEMIDLIST raw = nullptr;
        ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, csidl, &raw), S_OK) << csidl;
        platform::AdoptShellBlock(raw);
        IdListPtr list(reinterpret_cast<PItemIDList>(raw));
        EXPECT_EQ(IdSize(list.get()), ILGetSize(raw)) << csidl;
        EXPECT_TRUE(IdValid(list.get(), IdSize(list.get())));
        IdListPtr copy(IdClone(list.get()));
        EXPECT_TRUE(ILIsEqual(reinterpret_cast<LPCITEMIDLIST>(copy.get()), raw)) << csidl;
        // The parent by stripping, and joined back with the last entry.
        if (IdCount(list.get()) > 0) {
            IdListPtr last(IdLastItem(list.get()));
            IdStripLast(copy.get());
            IdListPtr joined(IdJoin(copy.get(), last.get()));
            EXPECT_TRUE(ILIsEqual(reinterpret_cast<LPCITEMIDLIST>(joined.get()), raw)) << csidl;
            EXPECT_EQ(IdPrefixList(list.get()).size(), static_cast<std::size_t>(IdCount(list.get())));
        }
    }
    EXPECT_EQ(platform::ShellBlocksHeld(), before);
}
