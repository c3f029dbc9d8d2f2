// The run box on real windows: its controls, texts, font and tab order, the platform's combo box
// with the history and the path completion on its field, the picture at the window's density,
// and a screenshot.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include "app/NbVariables.h"
#include "framework/FormManager.h"
#include "platform/win32/WinText.h"
#include "runbox/RunForm.h"
#include "ui/Application.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinWindows.h"

using ui::win32::WindowOf;

TEST(Win32RunDialog, ControlsTextsTabOrderHistoryAndScreenshot) {
    framework::SetProcessRegistryKey(u"Software\\Corvath\\NimbrelTest\\RunDialog");
    runbox::RunHistory history;
    history.Add(u"calc");
    history.Add(u"notepad C:\\Größen.txt");
    ASSERT_TRUE(history.Save(runbox::RunRegistryKey()));
    runbox::TRunForm form;
    form.Show();
    form.FormShow(nullptr);
    ui::Application().ProcessMessages();
    HWND dialog = WindowOf(form);
    const int dpi = form.CurrentDpi();
    const auto scaled = [&](int v) { return MulDiv(v, dpi, 96); };
    ExpectDialogFrame(dialog, dpi, 400, 149, u"Ausführen");
    // At the lower left of the work area (nothing was stored).
    RECT window{}, work{};
    GetWindowRect(dialog, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(window.left, work.left + scaled(12));
    EXPECT_EQ(window.bottom, work.bottom - scaled(12));

    HWND combo = WindowOf(*form.ComboBox1), ok = WindowOf(*form.Button1), cancel = WindowOf(*form.Button2),
         browse = WindowOf(*form.Button3);
    wchar_t className[64] = {};
    GetClassNameW(combo, className, 64);
    EXPECT_EQ(platform::win32::U16(className), u"ComboBox");
    EXPECT_EQ(GetWindowLongPtrW(combo, GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(WindowText(combo), u"notepad C:\\Größen.txt");
    DWORD start = 1, end = 0;
    SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 21u);  // the whole text selected
    EXPECT_EQ(WindowText(ok), u"OK");
    EXPECT_EQ(WindowText(cancel), u"Abbrechen");
    EXPECT_EQ(WindowText(browse), u"Durchsuchen...");
    EXPECT_TRUE(GetWindowLongPtrW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(form.Label1->Caption(),
              u"Geben Sie den Namen eines Programms, Ordners, Dokuments oder einer Internetressource an.");
    EXPECT_EQ(form.Label2->Caption(), u"Öffnen:");
    const RECT c = ChildRect(dialog, combo);
    EXPECT_EQ(c.left, scaled(60));
    EXPECT_EQ(c.right - c.left, scaled(328));
    EXPECT_EQ(ChildRect(dialog, browse).left, scaled(300));
    // Tab order: the field, OK, Abbrechen, Durchsuchen.
    EXPECT_EQ(GetNextDlgTabItem(dialog, combo, FALSE), ok);
    EXPECT_EQ(GetNextDlgTabItem(dialog, ok, FALSE), cancel);
    EXPECT_EQ(GetNextDlgTabItem(dialog, cancel, FALSE), browse);
    EXPECT_EQ(GetNextDlgTabItem(dialog, browse, FALSE), combo);
    // The picture the size of a large icon at this density.
    EXPECT_EQ(form.Image1->Picture().Width(), 2 * GetSystemMetrics(SM_CXSMICON) * dpi / 96);

    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(dialog);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Corvath\\NimbrelTest");
    framework::SetProcessRegistryKey(u"");
    ASSERT_TRUE(shot);
    if (!KeepScreenshot(*shot, "run-dialog")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
