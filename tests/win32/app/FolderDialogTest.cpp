// The create-folder dialog on real windows: its layout (client size, bounds, captions, font, tab
// order), OK enabled by any character, and a screenshot.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include "app/NbFolder.h"
#include "platform/win32/WinText.h"
#include "ui/Application.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinWindows.h"

using ui::win32::WindowOf;

TEST(Win32FolderDialog, LayoutTextsFontTabOrderAndTheOkButton) {
    app::TFolderForm form;
    form.Show();
    ui::Application().ProcessMessages();
    HWND dialog = WindowOf(form);
    const int dpi = form.CurrentDpi();
    const auto scaled = [&](int v) { return MulDiv(v, dpi, 96); };
    ExpectDialogFrame(dialog, dpi, 337, 90, u"Ordner erstellen");
    HWND edit = WindowOf(*form.Edit1);
    const RECT e = ChildRect(dialog, edit);
    EXPECT_EQ(e.left, scaled(8));
    EXPECT_EQ(e.top, scaled(24));
    EXPECT_EQ(e.right - e.left, scaled(321));
    HWND ok = WindowOf(*form.Button1), cancel = WindowOf(*form.Button2);
    EXPECT_EQ(WindowText(ok), u"Ok");
    EXPECT_EQ(WindowText(cancel), u"Abbruch");
    EXPECT_EQ(ChildRect(dialog, cancel).left, scaled(254));
    EXPECT_EQ(form.Label1->Caption(), u"Ordnername:");
    // The dialog's font reaches its controls.
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(platform::win32::U16(font.lfFaceName), u"Tahoma");
    // OK is enabled by any character, a blank included.
    form.FormShow(nullptr);
    EXPECT_FALSE(IsWindowEnabled(ok));
    SetWindowTextW(edit, L" ");
    ui::Application().ProcessMessages();
    EXPECT_TRUE(IsWindowEnabled(ok));
    // Tab order, with OK enabled (a disabled button is no stop): the field, OK, Abbruch.
    EXPECT_EQ(GetNextDlgTabItem(dialog, edit, FALSE), ok);
    EXPECT_EQ(GetNextDlgTabItem(dialog, ok, FALSE), cancel);
    SetWindowTextW(edit, L"Spiele");
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(dialog);
    ASSERT_TRUE(shot);
    if (!KeepScreenshot(*shot, "folder-dialog")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
