// The main window at the screen's density: the design at 96 pixels per inch scaled by the
// screen's DPI (the test run sets 144 in a second pass), with a screenshot of each.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/MainWindowDesign.h"
#include "app/NbMain.h"
#include "app/NbVariables.h"
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
    if (const char* expected = std::getenv("NIMBREL_EXPECT_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected));
    }
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

TEST(Win32Dpi, TheMenusTreeFontIndentPictureAndGlyphsFollowTheDensity) {
    const int dpi = GetBackend().ScreenDpi();
    if (const char* expected = std::getenv("NIMBREL_EXPECT_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected));
    }
    app::FolderSize = 8;
    app::TMainForm form;
    form.ShellTreeView1->SetRoot(u"rfCommonPrograms");
    form.SetBounds(30, 30, form.Width(), form.Height());
    form.Show();
    Application().ProcessMessages();
    HWND tree = WindowOf(*form.ShellTreeView1);
    // The font the platform's tree draws with: eight points at the window's density.
    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tree, WM_GETFONT, 0, 0)), sizeof(font), &font), 0);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, dpi, 72));
    EXPECT_EQ(static_cast<int>(SendMessageW(tree, TVM_GETINDENT, 0, 0)), ScaleLength(19, dpi, 96));
    // A name is as much wider as the font is larger.
    HDC dc = GetDC(tree);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(tree, WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Administrative Tools", 20, &text);
    SelectObject(dc, old);
    ReleaseDC(tree, dc);
    EXPECT_NEAR(text.cx, 102 * dpi / 96, 102 * dpi / 96 / 8) << "the name measures " << text.cx;
    EXPECT_EQ(form.UserImage->Picture().Width(), ScaleLength(64, dpi, 96));
    using ForDpi = int(WINAPI*)(int, UINT);
    const auto forDpi = reinterpret_cast<ForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    const int icon = forDpi ? forDpi(SM_CXSMICON, static_cast<UINT>(dpi)) : GetSystemMetrics(SM_CXSMICON);
    EXPECT_EQ(form.Buttons[4]->Glyph().Width(), icon);
    EXPECT_EQ(form.Buttons[5]->Glyph().Width(), icon);
    RedrawWindow(WindowOf(form), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application().ProcessMessages();
    const auto shot = GrabWindow(WindowOf(form));
    if (!KeepScreenshot(*shot, "menu-" + std::to_string(dpi) + "dpi"))
        GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
