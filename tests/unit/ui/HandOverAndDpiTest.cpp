// Work handed to the GUI thread from another thread; image lists of own pictures; a form designed
// at 96 pixels per inch shown at 144.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/MainWindowDesign.h"
#include "ui/Application.h"
#include "ui/ImageList.h"
#include "ui/headless/HeadlessBackend.h"
#include "util/TextCodec.h"

using namespace ui;
using headless::Headless;
using headless::PeerOf;

TEST(HandOver, PostedAndSentWorkRunsOnTheGuiThreadAndDiscardedWorkReleasesItsSender) {
    const auto gui = std::this_thread::get_id();
    std::atomic<int> ran{0};
    std::atomic<bool> onGui{true};
    std::atomic<int> sendResult{-1};
    const int owner = 0;
    std::thread worker([&] {
        Headless().Post(&owner, [&] {
            onGui = onGui && std::this_thread::get_id() == gui;
            ++ran;
        });
        sendResult = Headless().Send(&owner, [&] {
            onGui = onGui && std::this_thread::get_id() == gui;
            ++ran;
        });
    });
    // The GUI thread handles messages until the sender has its answer.
    for (int spins = 0; sendResult == -1 && spins < 100000; ++spins) {
        Application().ProcessMessages();
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_EQ(sendResult, 1);
    EXPECT_EQ(ran, 2);
    EXPECT_TRUE(onGui);

    // Work discarded before it ran: the waiting sender is released with false, and nothing runs.
    std::atomic<bool> queued{false};
    std::thread waiting([&] {
        sendResult = Headless().Send(&owner, [&] { ++ran; });
        queued = true;
    });
    // Discarding repeatedly until the sender saw it: it may not have queued its work yet.
    for (int spins = 0; !queued && spins < 1000000; ++spins) {
        Headless().DiscardPosted(&owner);
        std::this_thread::yield();
    }
    waiting.join();
    EXPECT_EQ(sendResult, 0);
    Application().ProcessMessages();
    EXPECT_EQ(ran, 2);
    // On the GUI thread itself, Send runs the work at once.
    EXPECT_TRUE(Headless().Send(&owner, [&] { ++ran; }));
    EXPECT_EQ(ran, 3);
}

TEST(ImageList, OwnPicturesBecomeAPlatformListWithTheirTransparency) {
    TImageList images(nullptr);
    TBitmap arrow(16, 16, clFuchsia);
    arrow.SetPixel(3, 4, clRed);
    arrow.SetPixel(15, 15, clBlue);
    arrow.SetTransparentColor(clFuchsia);
    images.Add(arrow);
    const std::intptr_t handle = images.Handle();
    ASSERT_NE(handle, 0);
    EXPECT_EQ(images.Handle(), handle);  // made once
    TBitmap second(16, 16, clFuchsia);
    second.SetPixel(0, 0, clLime);
    second.SetTransparentColor(clFuchsia);
    EXPECT_EQ(images.Add(second), 1);  // added to the platform's list as well
    TBitmap target(20, 20, clWhite);
    GetBackend().DrawListImage(*target.Canvas().Surface(), handle, 0, 2, 2);
    GetBackend().DrawListImage(*target.Canvas().Surface(), handle, 1, 0, 0);
    EXPECT_EQ(target.Pixel(5, 6), clRed);
    EXPECT_EQ(target.Pixel(17, 17), clBlue);
    EXPECT_EQ(target.Pixel(4, 4), clWhite);  // the key colour left the target alone
    EXPECT_EQ(target.Pixel(0, 0), clLime);
    EXPECT_EQ(target.Pixel(1, 0), clWhite);
}

TEST(Dpi, AFormDesignedAt96IsShownScaledAt144AndFollowsAMoveBack) {
    struct ScreenDpi {
        explicit ScreenDpi(int dpi) { Headless().Dpi = dpi; }
        ~ScreenDpi() { Headless().Dpi = 96; }
    } screen(144);
    app::MainWindowForm form;
    auto at = [&](const char16_t* name) { return dynamic_cast<TControl*>(form.FindComponent(name))->BoundsRect(); };
    EXPECT_EQ(form.CurrentDpi(), 144);
    EXPECT_EQ(form.ClientWidth(), 771);   // 514 x 1.5
    EXPECT_EQ(form.ClientHeight(), 746);  // 497 x 1.5, rounded
    // The tree keeps its margins of 8, 173, 8, 8 as 12, 260, 12, 12.
    EXPECT_EQ(at(u"ShellTreeView1"), Rect(12, 12, 771 - 260, 746 - 12));
    EXPECT_EQ(at(u"GraphicButton1").Left, 771 - 240 - 11);  // right margin 7 x 1.5 rounds to 11
    EXPECT_EQ(at(u"GraphicButton1").Width(), 240);
    EXPECT_EQ(form.Font().Height(), -20);  // -13 x 1.5, rounded away from zero
    EXPECT_EQ(dynamic_cast<TControl*>(form.FindComponent(u"UserLabel"))->Font().Height(), -26);
    // Scaled before its controls got their widgets: each was made at its scaled bounds, never moved.
    int widgets = 0;
    for (int i = 0; i < form.ControlCount(); ++i) {
        auto* win = dynamic_cast<TWinControl*>(form.Controls(i));
        if (!win || !win->HandleAllocated()) continue;
        ++widgets;
        EXPECT_EQ(PeerOf(*win).BoundsChanges, 0) << util::ToUtf8(win->Name());
        EXPECT_EQ(PeerOf(*win).Bounds, win->BoundsRect()) << util::ToUtf8(win->Name());
    }
    EXPECT_GE(widgets, 7);  // the tree and six buttons
    // A user resize lays out with the scaled margins.
    PeerOf(form).UserSetBounds(Bounds(0, 0, 871 + headless::FrameWidth, 746 + headless::FrameHeight));
    EXPECT_EQ(at(u"ShellTreeView1"), Rect(12, 12, 871 - 260, 746 - 12));
    // Moved to a screen at 96: the designed layout again.
    PeerOf(form).MoveToScreenOfDpi(96, Bounds(0, 0, 514 + headless::FrameWidth, 497 + headless::FrameHeight));
    EXPECT_EQ(form.CurrentDpi(), 96);
    EXPECT_EQ(at(u"ShellTreeView1"), Rect(8, 8, 514 - 173, 497 - 8));
    EXPECT_EQ(form.Font().Height(), -13);
}
