// The change notifier on the platform's change notification: the handler on the GUI thread after
// a file is made in the watched folder, and a prompt stop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "shell/ChangeNotifier.h"
#include "platform/win32/WinText.h"
#include "ui/Application.h"
#include "win32/WinPump.h"
#include "win32/WinTempDir.h"

using namespace shell;
using ui::Application;

namespace {
// Makes new files until done() holds: the worker sets its watch up on its own thread.
bool TouchUntil(const WinTempDir& dir, const std::u16string& folder, const std::function<bool()>& done) {
    for (int n = 0; n < 50; ++n) {
        const std::string name = "datei" + std::to_string(n) + ".txt";
        dir.Write(folder + std::u16string(name.begin(), name.end()), "x");
        for (const DWORD end = GetTickCount() + 100; GetTickCount() < end;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Application().ProcessMessages();
            if (done()) return true;
        }
    }
    return false;
}
}  // namespace

TEST(Win32ChangeNotifier, AFileMadeInTheFolderCallsTheHandlerOnTheGuiThread) {
    WinTempDir dir;
    const int before = TCustomShellChangeNotifier::RunningWorkers();
    const DWORD gui = GetCurrentThreadId();
    {
        TShellChangeNotifier notifier(nullptr);
        notifier.SetWatchSubTree(false);
        notifier.SetRoot(dir.Path());
        int calls = 0;
        DWORD thread = 0;
        notifier.SetOnChange([&] {
            ++calls;
            thread = GetCurrentThreadId();
        });
        EXPECT_TRUE(TouchUntil(dir, u"", [&] { return calls > 0; }));
        EXPECT_EQ(thread, gui);
    }
    // Stopped with nothing changing: the worker ends promptly.
    EXPECT_TRUE(PumpUntil([&] { return TCustomShellChangeNotifier::RunningWorkers() == before; }));
}

TEST(Win32ChangeNotifier, ChangesInASubfolderStayUnheardWithoutTheSubtree) {
    WinTempDir dir;
    CreateDirectoryW(platform::win32::W(dir.File(u"unten")), nullptr);
    TShellChangeNotifier flat(nullptr);
    flat.SetWatchSubTree(false);
    flat.SetRoot(dir.Path());
    int flatCalls = 0;
    flat.SetOnChange([&] { ++flatCalls; });
    // A second notifier on the subfolder itself shows when a change there has been seen.
    TShellChangeNotifier deep(nullptr);
    deep.SetWatchSubTree(false);
    deep.SetRoot(dir.File(u"unten"));
    int deepCalls = 0;
    deep.SetOnChange([&] { ++deepCalls; });
    // Both watch once a change in each folder reached them.
    ASSERT_TRUE(TouchUntil(dir, u"", [&] { return flatCalls > 0; }));
    ASSERT_TRUE(TouchUntil(dir, u"unten\\", [&] { return deepCalls > 0; }));
    flatCalls = deepCalls = 0;
    // Three rounds of changes below, each heard on the subfolder; the flat one may still report
    // one signal left from the writes above, never one per round.
    EXPECT_TRUE(TouchUntil(dir, u"unten\\", [&] { return deepCalls >= 3; }));
    EXPECT_LE(flatCalls, 1);
}
