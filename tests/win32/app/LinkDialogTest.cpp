// The link manager on real windows: its layout (client size, bounds, captions, font, column
// headers, tab order), the speed buttons' glyphs at the window's density with their disabled
// look, the links shown from the list, and a screenshot.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include "app/NbLink.h"
#include "app/StartMenu.h"
#include "platform/win32/WinText.h"
#include "platform/Utf.h"
#include "ui/Application.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinWindows.h"

using ui::win32::WindowOf;

namespace {
std::u16string HeaderText(HWND list, int index) {
    wchar_t buffer[128] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 128;
    Header_GetItem(ListView_GetHeader(list), index, &item);
    return platform::win32::U16(buffer);
}
}  // namespace

TEST(Win32LinkDialog, LayoutTextsFontsTabOrderGlyphsAndTheLinks) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::u16string notepad = platform::win32::U16(windows) + u"\\notepad.exe";
    app::Links = {u"Editor\t" + notepad, u"Größen und Maße\tC:\\Daten\\Tabelle.xls", u"ohne Pfad"};
    app::TLinkForm form;
    form.Show();
    ui::Application().ProcessMessages();
    HWND dialog = WindowOf(form);
    const int dpi = form.CurrentDpi();
    const auto scaled = [&](int v) { return MulDiv(v, dpi, 96); };
    ExpectDialogFrame(dialog, dpi, 993, 677, u"Dateilinks verwalten");
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);

    const struct {
        ui::TWinControl* control;
        int left, top, width, height;
    } bounds[] = {{form.DirectoryTreeView1, 8, 8, 321, 314}, {form.DirFileListView1, 335, 8, 650, 314},
                  {form.ListView1, 8, 328, 977, 313},        {form.SpeedButton1, 8, 648, 33, 25},
                  {form.SpeedButton2, 48, 648, 33, 25},      {form.SpeedButton3, 96, 647, 33, 25},
                  {form.SpeedButton4, 136, 647, 33, 25},     {form.CheckBox1, 264, 652, 217, 17},
                  {form.Button1, 910, 647, 75, 25}};
    for (const auto& b : bounds) {
        const RECT r = ChildRect(dialog, WindowOf(*b.control));
        EXPECT_EQ(r.left, scaled(b.left)) << platform::ToUtf8(b.control->Name());
        EXPECT_EQ(r.top, scaled(b.top)) << platform::ToUtf8(b.control->Name());
        EXPECT_EQ(r.right - r.left, scaled(b.width)) << platform::ToUtf8(b.control->Name());
        EXPECT_EQ(r.bottom - r.top, scaled(b.height)) << platform::ToUtf8(b.control->Name());
    }
    HWND close = WindowOf(*form.Button1), check = WindowOf(*form.CheckBox1);
    HWND links = WindowOf(*form.ListView1), files = WindowOf(*form.DirFileListView1), tree = WindowOf(*form.DirectoryTreeView1);
    EXPECT_EQ(WindowText(close), u"Schließen");
    EXPECT_EQ(WindowText(check), u"Menüauswahl automatisch hinzufügen");
    EXPECT_TRUE(GetWindowLongPtrW(close, GWL_STYLE) & BS_DEFPUSHBUTTON);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(check, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(platform::win32::U16(font.lfFaceName), u"Tahoma");
    // The column headers, and the file list's first column widened at run time.
    EXPECT_EQ(HeaderText(links, 0), u"Linkname");
    EXPECT_EQ(HeaderText(links, 1), u"Dateipfad");
    EXPECT_EQ(ListView_GetColumnWidth(links, 0), scaled(280));
    EXPECT_EQ(ListView_GetColumnWidth(links, 1), scaled(650));
    EXPECT_EQ(HeaderText(files, 0), u"Dateiname");
    EXPECT_EQ(HeaderText(files, 3), u"Geändert am");
    EXPECT_EQ(ListView_GetColumnWidth(files, 0), scaled(280));
    // The links read from the list: the line without a TAB is not shown.
    form.FormShow(nullptr);
    ui::Application().ProcessMessages();
    ASSERT_EQ(ListView_GetItemCount(links), 2);
    wchar_t text[128] = {};
    ListView_GetItemText(links, 1, 0, text, 128);
    EXPECT_EQ(platform::win32::U16(text), u"Größen und Maße");
    ListView_GetItemText(links, 0, 1, text, 128);
    EXPECT_EQ(platform::win32::U16(text), notepad);
    // Tab order: the links, the close button, the file list, the tree, the check box.
    EXPECT_EQ(GetNextDlgTabItem(dialog, links, FALSE), close);
    EXPECT_EQ(GetNextDlgTabItem(dialog, close, FALSE), files);
    EXPECT_EQ(GetNextDlgTabItem(dialog, files, FALSE), tree);
    EXPECT_EQ(GetNextDlgTabItem(dialog, tree, FALSE), check);
    EXPECT_EQ(GetNextDlgTabItem(dialog, check, FALSE), links);
    // The glyphs: two images each the size of a small icon at this density; with no link chosen
    // the remove and move buttons are off.
    HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(form.SpeedButton1->Glyph().Height(), MulDiv(GetSystemMetrics(SM_CYSMICON), dpi, systemDpi));
    EXPECT_EQ(form.SpeedButton3->Glyph().Width(), 2 * form.SpeedButton3->Glyph().Height());
    EXPECT_FALSE(IsWindowEnabled(WindowOf(*form.SpeedButton2)));
    ListView_SetItemState(links, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ui::Application().ProcessMessages();
    EXPECT_TRUE(IsWindowEnabled(WindowOf(*form.SpeedButton2)));
    EXPECT_TRUE(IsWindowEnabled(WindowOf(*form.SpeedButton4)));
    // A move on the real control: the first link down, still selected.
    SendMessageW(WindowOf(*form.SpeedButton4), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(WindowOf(*form.SpeedButton4), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ui::Application().ProcessMessages();
    ListView_GetItemText(links, 1, 0, text, 128);
    EXPECT_EQ(platform::win32::U16(text), u"Editor");
    EXPECT_EQ(ListView_GetNextItem(links, -1, LVNI_SELECTED), 1);

    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(dialog);
    ASSERT_TRUE(shot);
    app::Links.Clear();
    if (!KeepScreenshot(*shot, "link-dialog")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
