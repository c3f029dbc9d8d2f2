// The directory file list on the platform's list control and file system: a prepared folder with
// sizes, the shell's type names and icons, dates; the real drive list of the prefix; renaming
// taken and refused on disk; and a screenshot.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include "controls/DirFileListView.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinTempDir.h"

using controls::TDirFileListView;
using ui::win32::WindowOf;

namespace {
std::u16string CellText(HWND list, int row, int column) {
    wchar_t buffer[260] = {};
    ListView_GetItemText(list, row, column, buffer, 260);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

struct ListWindow : ui::TForm {
    ListWindow() : ui::TForm(nullptr) {
        SetBorderStyle(ui::bsSizeToolWin);
        SetCaption(u"Nimbrel");
        SetBounds(40, 40, 620, 320);
        List = new TDirFileListView(this);
        List->SetParent(this);
        List->SetBounds(8, 8, 590, 270);
        List->SetViewStyle(ui::vsReport);
        List->SetHideSelection(false);
        Show();
        ui::Application().ProcessMessages();
    }
    TDirFileListView* List;
};
}  // namespace

TEST(Win32DirFileListView, APreparedFolderTheDrivesAndRenamingOnThePlatform) {
    WinTempDir dir;
    CreateDirectoryW(platform::win32::W(dir.File(u"Zubehör")), nullptr);
    dir.Write(u"file10.txt", std::string(1023, 'x'));
    dir.Write(u"file2.txt", std::string(1024, 'x'));
    dir.Write(u"Größen.txt", std::string(12345, 'x'));
    dir.Write(u"versteckt.txt", "x");
    SetFileAttributesW(platform::win32::W(dir.File(u"versteckt.txt")), FILE_ATTRIBUTE_HIDDEN);
    ListWindow w;
    w.List->SetPath(dir.Path());
    HWND list = WindowOf(*w.List);
    ASSERT_EQ(ListView_GetItemCount(list), 5);
    EXPECT_EQ(CellText(list, 0, 0), u"Zubehör");
    EXPECT_EQ(CellText(list, 0, 2), u"Dateiordner");
    EXPECT_EQ(CellText(list, 1, 0), u"file10.txt");
    EXPECT_EQ(CellText(list, 1, 1), u"0.99 KB");
    EXPECT_EQ(CellText(list, 2, 1), u"1 KB");
    EXPECT_EQ(CellText(list, 3, 0), u"Größen.txt");
    EXPECT_EQ(CellText(list, 3, 1), u"12.0 KB");
    EXPECT_EQ(CellText(list, 4, 0), u"versteckt.txt");  // hidden files are listed
    EXPECT_FALSE(CellText(list, 1, 2).empty());          // the shell's type name
    EXPECT_EQ(CellText(list, 1, 3).size(), 14u);
    // The system's small icons, shared with the control.
    EXPECT_NE(ListView_GetImageList(list, LVSIL_SMALL), nullptr);
    EXPECT_GE(w.List->Items().Item(1)->ImageIndex(), 0);

    // Renaming on disk; a taken name and a case-only change are refused.
    const auto rename = [&](int index, const std::u16string& text) {
        w.List->Items().Item(index)->EditCaption();
        HWND editor = ListView_GetEditControl(list);
        if (!editor) return std::u16string(u"<no editor>");
        SetWindowTextW(editor, platform::win32::W(text));
        SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
        ui::Application().ProcessMessages();
        return CellText(list, index, 0);
    };
    EXPECT_EQ(rename(2, u"file10.txt"), u"file2.txt");
    EXPECT_EQ(dir.Read(u"file10.txt").size(), 1023u);
    EXPECT_EQ(rename(2, u"FILE2.TXT"), u"file2.txt");
    EXPECT_EQ(rename(2, u"a<b.txt"), u"file2.txt");
    EXPECT_EQ(rename(2, u"Brief.txt"), u"Brief.txt");
    EXPECT_EQ(dir.Read(u"Brief.txt").size(), 1024u);
    EXPECT_EQ(dir.Read(u"file2.txt"), "<missing>");

    // The prefix's drives: its C: among them, with the shell's display names and no sub-items.
    w.List->SetPath(u"Drives");
    bool hasC = false;
    for (int i = 0; i < w.List->Items().Count(); ++i) {
        hasC |= w.List->ItemTarget(w.List->Items().Item(i)) == u"C:\\";
        EXPECT_TRUE(w.List->Items().Item(i)->SubItems().empty());
    }
    EXPECT_TRUE(hasC);
    w.List->SetPath(dir.Path());
    RedrawWindow(WindowOf(w), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(WindowOf(w));
    ASSERT_TRUE(shot);
    if (!KeepScreenshot(*shot, "dir-file-list")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
