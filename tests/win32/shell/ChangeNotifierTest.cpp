// The change notifier on the platform's change notification: the handler on the GUI thread after
// a file is made in the watched folder, and a prompt stop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "shell/ChangeNotifier.h"
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
