// Icons asked for by a worker thread in its own apartment are the ones the program gets itself:
// a folder, a shortcut written with the shell's link object, and a plain file. The start's
// warm-up readies the image list and both programs folders' icons.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include "../bench/BenchShortcut.h"
#include "app/NbWarmUp.h"
#include "platform/ShellIcons.h"
#include "platform/ShellNamespace.h"
#include "platform/win32/WinText.h"
#include "shell/IconPrefetch.h"
#include "shell/ShellFolder.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "win32/WinPump.h"
#include "win32/WinTempDir.h"

using namespace shell;
using platform::win32::W;

TEST(Win32IconPrefetch, AWorkersIconsAreTheProgramsOwn) {
    ui::GetBackend();  // the program's apartment, as in the start menu
    WinTempDir dir;
    CreateDirectoryW(W(dir.File(u"Zubehör")), nullptr);
    ASSERT_TRUE(MakeShortcut(W(dir.File(u"Editor.lnk"))));
    CloseHandle(CreateFileW(W(dir.File(u"Liesmich.txt")), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    auto& shell = platform::GetShellNamespace();
    std::vector<IdListPtr> copies;
    std::vector<int> direct;
    for (const char16_t* name : {u"Zubehör", u"Editor.lnk", u"Liesmich.txt"}) {
        IdListPtr list = DesktopShellFolder()->ParseDisplayName(0, dir.File(name));
        ASSERT_TRUE(list) << "no list for a made file";
        direct.push_back(shell.SysIconIndex(list.get(), platform::SmallIcon).value_or(-1));
        copies.emplace_back(IdClone(list.get()));
    }
    EXPECT_NE(direct[0], direct[1]);  // a folder and a shortcut to a program look different
    TIconPrefetch prefetch(shell, std::move(copies), platform::SmallIcon);
    EXPECT_TRUE(PumpUntil([&] { return prefetch.AskedByWorker() == 3; }));
    for (std::size_t i = 0; i < direct.size(); ++i) EXPECT_EQ(prefetch.IconIndex(i), direct[i]) << i;
}

TEST(Win32ShellWarmUp, ReadiesTheImageListAndBothProgramsFoldersIcons) {
    ui::GetBackend();
    app::TShellWarmUp warmUp;
    warmUp.Wait();
    EXPECT_EQ(warmUp.StepsDone(), 3);
    // The program's own answers are there at once and are the same list's.
    EXPECT_NE(platform::GetShellNamespace().SystemSmallImages(), 0);
}
