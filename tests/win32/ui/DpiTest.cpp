// The main window at the screen's density: the design at 96 pixels per inch scaled by the
// screen's DPI (the test run sets 144 in a second pass), with a screenshot of each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/MainWindowDesign.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"

using namespace ui;
using ui::win32::WindowOf;

TEST(Win32Dpi, TheMainWindowIsLaidOutForTheScreensDensity) {
    const int dpi = GetBackend().ScreenDpi();
    // The run that sets the display's DPI says which one it set, so that a pass cannot hide at 96.
    if (const char* expected = std::getenv("NIMBREL_EXPECT_DPI")) ASSERT_EQ(dpi, std::atoi(expected));
    auto S = [dpi](int designed) { return ScaleLength(designed, dpi, 96); };
    app::MainWindowForm form;
    form.SetBounds(30, 30, form.Width(), form.Height());
    form.Show();
    Application().ProcessMessages();
    EXPECT_EQ(win32::WindowDpi(WindowOf(form)), dpi);
    EXPECT_EQ(form.CurrentDpi(), dpi);
    const int CW = form.ClientWidth(), CH = form.ClientHeight();
    EXPECT_EQ(CW, S(514));
    EXPECT_EQ(CH, S(497));
    auto placed = [](const TControl* c) {
        RECT r{};
        GetWindowRect(WindowOf(*static_cast<const TWinControl*>(c)), &r);
        MapWindowPoints(nullptr, GetParent(WindowOf(*static_cast<const TWinControl*>(c))), reinterpret_cast<POINT*>(&r), 2);
        return TRect{r.left, r.top, r.right, r.bottom};
    };
    // The tree's margins of 8, 173, 8 and 8, as the window itself places it.
    EXPECT_EQ(placed(form.ShellTreeView1), Rect(S(8), S(8), CW - S(173), CH - S(8)));
    EXPECT_EQ(placed(form.Buttons[0]), Bounds(CW - S(160) - S(7), S(200), S(160), S(41)));
    EXPECT_EQ(form.Buttons[0]->Font().Height(), S(-13));

    const auto shot = GrabWindow(WindowOf(form));
    POINT origin{0, 0};
    ClientToScreen(WindowOf(form), &origin);
    RECT outer{};
    GetWindowRect(WindowOf(form), &outer);
    // The dark window around the tree is on the screen.
    EXPECT_EQ(shot->Pixel(origin.x - outer.left + S(4), origin.y - outer.top + S(4)), app::DarkGrey);
    if (!KeepScreenshot(*shot, "main-window-" + std::to_string(dpi) + "dpi"))
        GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
