// The change notifier on the in-memory backend and inotify: the handler on the GUI thread, the
// watch's options, a failed watch, and stops that never wait for a change or deadlock.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/ChangeWatch.h"
#include "shell/ChangeNotifier.h"
#include "support/PumpUntil.h"
#include "support/TempDir.h"
#include "ui/Application.h"

using namespace shell;

namespace {
void Touch(const std::filesystem::path& file) { std::ofstream(file) << "x"; }

// Makes new files in the folder until done() holds: the worker sets its watch up on its own
// thread, and a change before that is not one it can see.
bool TouchUntil(const std::filesystem::path& folder, const std::function<bool()>& done) {
    int n = 0;
    return PumpUntil([&] {
        if (done()) return true;
        Touch(folder / ("datei" + std::to_string(n++) + ".txt"));
        ui::Application().ProcessMessages();
        return done();
    });
}
}  // namespace

TEST(ChangeWatch, ReportsChangesOfTheChosenKindsAndWakes) {
    TempDir dir;
    std::filesystem::create_directory(dir.Native() / "sub");
    auto watch = platform::CreateChangeWatch();
    ASSERT_TRUE(watch);
    EXPECT_FALSE(watch->Watch(dir.File(u"missing"), true, platform::ChangeFileName));
    // Without the subtree a file made below is no change; the wake-up ends the wait.
    ASSERT_TRUE(watch->Watch(dir.Path(), false, platform::ChangeFileName));
    Touch(dir.Native() / "sub" / "below.txt");
    watch->Wake();
    EXPECT_EQ(watch->Wait(), platform::ChangeWatch::Event::Woken);
    // With it, the same is a change; and one in the directory itself always is.
    ASSERT_TRUE(watch->Watch(dir.Path(), true, platform::ChangeFileName));
    Touch(dir.Native() / "sub" / "below2.txt");
    watch->Wake();
    EXPECT_EQ(watch->Wait(), platform::ChangeWatch::Event::Changed);
    EXPECT_TRUE(watch->Rearm());
    EXPECT_EQ(watch->Wait(), platform::ChangeWatch::Event::Woken);
    // A directory made is no file-name change.
    ASSERT_TRUE(watch->Watch(dir.Path(), false, platform::ChangeFileName));
    std::filesystem::create_directory(dir.Native() / "other");
    watch->Wake();
    EXPECT_EQ(watch->Wait(), platform::ChangeWatch::Event::Woken);
}

TEST(ChangeNotifier, CallsItsHandlerOnTheGuiThreadAndTakesNewOptions) {
    TempDir dir, second;
    const int before = TCustomShellChangeNotifier::RunningWorkers();
    const auto gui = std::this_thread::get_id();
    {
        TShellChangeNotifier notifier(nullptr);
        EXPECT_EQ(NotifyFlags(notifier.NotifyFilters()), 0x3u);
        EXPECT_TRUE(notifier.WatchSubTree());
        EXPECT_EQ(notifier.Root(), u"C:\\");
        EXPECT_FALSE(notifier.Watching());  // no handler, no worker
        notifier.SetWatchSubTree(false);
        notifier.SetRoot(dir.Path());
        int calls = 0;
        bool onGui = true;
        notifier.SetOnChange([&] {
            ++calls;
            onGui = onGui && std::this_thread::get_id() == gui;
        });
        ASSERT_TRUE(notifier.Watching());
        const int started = TCustomShellChangeNotifier::StartedWorkers();
        EXPECT_TRUE(TouchUntil(dir.Native(), [&] { return calls > 0; }));
        EXPECT_TRUE(onGui);
        // The same root in other letters changes nothing; another one is watched by the same worker.
        std::u16string upper = dir.Path();
        for (auto& c : upper)
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        notifier.SetRoot(upper);
        EXPECT_EQ(notifier.Root(), dir.Path());
        notifier.SetRoot(second.Path());
        const int sofar = calls;
        EXPECT_TRUE(TouchUntil(second.Native(), [&] { return calls > sofar; }));
        EXPECT_EQ(TCustomShellChangeNotifier::StartedWorkers(), started);
    }
    // Gone without a change to wake it: the worker ends all the same.
    EXPECT_TRUE(PumpUntil([&] { return TCustomShellChangeNotifier::RunningWorkers() == before; }));
}

TEST(ChangeNotifier, AMissingRootEndsTheWorkerAndAHandlerMayFreeItsNotifier) {
    const int before = TCustomShellChangeNotifier::RunningWorkers();
    TempDir dir;
    {
        TShellChangeNotifier notifier(nullptr);
        notifier.SetRoot(dir.File(u"gibt es nicht"));
        int calls = 0;
        notifier.SetOnChange([&] { ++calls; });
        EXPECT_TRUE(PumpUntil([&] { return !notifier.Watching(); }));
        EXPECT_EQ(calls, 0);
        // The ended worker is never used again: a root that exists starts a new one.
        notifier.SetRoot(dir.Path());
        EXPECT_TRUE(notifier.Watching());
    }
    // A handler that frees its own notifier, while the worker waits for that very handler.
    auto* notifier = new TShellChangeNotifier(nullptr);
    notifier->SetRoot(dir.Path());
    bool freed = false;
    notifier->SetOnChange([&] {
        delete notifier;
        freed = true;
    });
    EXPECT_TRUE(TouchUntil(dir.Native(), [&] { return freed; }));
    Touch(dir.Native() / "b.txt");
    EXPECT_TRUE(PumpUntil([&] { return TCustomShellChangeNotifier::RunningWorkers() == before; }));
}
