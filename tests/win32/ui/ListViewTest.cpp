// The list on the platform's list control: columns as the header holds them, rows asking the list
// for their texts, the system's small icons shared and not destroyed, selection by the user's
// keys and by the program, sorting with the state kept, label editing taken and refused, and a
// screenshot of a filled report view.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include "platform/ShellNamespace.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/win32/WindowPeer.h"
#include "util/FileUtils.h"
#include "win32/Screenshot.h"
#include "win32/WinPump.h"

using namespace ui;
using ui::win32::WindowOf;

namespace {
std::u16string CellText(HWND list, int row, int column) {
    wchar_t buffer[128] = {};
    ListView_GetItemText(list, row, column, buffer, 128);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

struct ListWindow : TForm {
    ListWindow() : TForm(nullptr) {
        SetBorderStyle(bsSizeToolWin);
        SetCaption(u"Nimbrel");
        SetBounds(40, 40, 480, 300);
        List = new TListView(this);
        List->SetParent(this);
        List->SetBounds(8, 8, 450, 250);
        List->SetViewStyle(vsReport);
        List->SetRowSelect(true);
        List->SetHideSelection(false);
        List->SetSmallImageListHandle(platform::GetShellNamespace().SystemSmallImages());
        const std::pair<const char16_t*, int> columns[] = {{u"Dateiname", 200}, {u"Größe", 100}, {u"Typ", 120}};
        for (auto [caption, width] : columns) {
            TListColumn* column = List->Columns().Add();
            column->SetCaption(caption);
            column->SetWidth(width);
        }
        List->Columns().Items(1)->SetAlignment(taRightJustify);
        const std::u16string windows = util::WindowsDirectory();
        const char16_t* rows[][3] = {{u"file10.txt", u"1 KB", u"Textdokument"},
                                     {u"Zubehör", u"", u"Dateiordner"},
                                     {u"file2.txt", u"12.0 KB", u"Textdokument"},
                                     {u"notepad.exe", u"152 KB", u"Anwendung"}};
        for (auto& row : rows) {
            TListItem* item = List->Items().Add();
            item->SetCaption(row[0]);
            item->SetSubItems({row[1], row[2]});
            item->SetImageIndex(util::SysIconIndex(row[1][0] ? windows + u"\\win.ini" : windows, platform::SmallIcon));
        }
        Show();
        Application().ProcessMessages();
    }
    TListView* List;
};
}  // namespace

TEST(Win32ListView, ColumnsRowsSelectionSortingAndEditingOnThePlatformsControl) {
    ListWindow w;
    HWND list = WindowOf(*w.List);
    HWND header = ListView_GetHeader(list);
    ASSERT_EQ(Header_GetItemCount(header), 3);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 100);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    ListView_GetColumn(list, 1, &column);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    ASSERT_EQ(ListView_GetItemCount(list), 4);
    EXPECT_EQ(CellText(list, 1, 0), u"Zubehör");
    EXPECT_EQ(CellText(list, 2, 1), u"12.0 KB");
    EXPECT_EQ(CellText(list, 1, 1), u"");
    // The system list is shared: the control holds it without owning it.
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(ListView_GetImageList(list, LVSIL_SMALL)),
              platform::GetShellNamespace().SystemSmallImages());
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHAREIMAGELISTS);

    // The user's keys move selection and focus, with the events.
    std::vector<std::u16string> changes;
    w.List->OnChange = [&](TObject*, TListItem* item, TItemChange change) {
        if (change == ctState && item->Selected()) changes.push_back(item->Caption() + (item->Focused() ? u"*" : u""));
    };
    w.List->SetFocus();
    w.List->SetSelected(w.List->Items().Item(0));
    w.List->SetItemFocused(w.List->Items().Item(0));
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(PumpUntil([&] { return w.List->Selected() == w.List->Items().Item(1); }));
    EXPECT_EQ(changes, (std::vector<std::u16string>{u"file10.txt", u"file10.txt*", u"Zubehör*"}));
    EXPECT_EQ(w.List->SelCount(), 1);
    // A refused change keeps the row where it was.
    w.List->OnChanging = [](TObject*, TListItem* item, TItemChange, bool& allow) { allow = item->Caption() != u"file2.txt"; };
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    Application().ProcessMessages();
    EXPECT_FALSE(ListView_GetItemState(list, 2, LVIS_SELECTED));
    w.List->OnChanging = nullptr;

    // Sorting by the comparison event: the selected item stays selected in its new row.
    w.List->SetSelected(w.List->Items().Item(3));
    w.List->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& compare) {
        compare = util::NaturalCompare(a->Caption(), b->Caption());
    };
    ASSERT_TRUE(w.List->AlphaSort());
    EXPECT_EQ(CellText(list, 0, 0), u"file2.txt");
    EXPECT_EQ(CellText(list, 1, 0), u"file10.txt");
    EXPECT_EQ(CellText(list, 2, 0), u"notepad.exe");
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
    EXPECT_EQ(w.List->Selected()->Caption(), u"notepad.exe");

    // Label editing: the handler's word is taken; a refused start opens no editor.
    w.List->OnEdited = [](TObject*, TListItem*, std::u16string& s) { s += u" (neu)"; };
    w.List->Items().Item(0)->EditCaption();
    HWND editor = ListView_GetEditControl(list);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"Brief.txt");
    SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
    Application().ProcessMessages();
    EXPECT_EQ(w.List->Items().Item(0)->Caption(), u"Brief.txt (neu)");
    EXPECT_EQ(CellText(list, 0, 0), u"Brief.txt (neu)");
    w.List->OnEditing = [](TObject*, TListItem*, bool& allow) { allow = false; };
    w.List->Items().Item(1)->EditCaption();
    EXPECT_EQ(ListView_GetEditControl(list), nullptr);

    // The editor's row took selection and focus on the control, and the items know it.
    const int selectedRow = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    EXPECT_EQ(w.List->Selected() ? w.List->Selected()->Index() : -1, selectedRow);
    // Deleting the selected row leaves no selection behind; a cleared list has no rows.
    w.List->SetSelected(w.List->Items().Item(2));
    w.List->Items().Item(2)->Delete();
    EXPECT_EQ(w.List->Selected(), nullptr);
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), -1);
    w.List->Items().Clear();
    EXPECT_EQ(ListView_GetItemCount(list), 0);
}

TEST(Win32ListView, AReportViewWithIconsAndItsScreenshot) {
    ListWindow w;
    w.List->SetSelected(w.List->Items().Item(1));
    RedrawWindow(WindowOf(w), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application().ProcessMessages();
    const auto shot = GrabWindow(WindowOf(w));
    ASSERT_TRUE(shot);
    // The header and the rows are drawn: the shot is not one colour.
    const TColor corner = shot->Pixel(20, 40);
    bool varied = false;
    for (int x = 20; x < 300 && !varied; x += 3)
        for (int y = 30; y < 120 && !varied; y += 3) varied = shot->Pixel(x, y) != corner;
    EXPECT_TRUE(varied);
    if (!KeepScreenshot(*shot, "list-view")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}

TEST(Win32ListView, OwnerDataRowsAreAskedForWhenShownAndFoundByTheProgram) {
    ListWindow w;
    w.List->SetOwnerData(true);
    HWND list = WindowOf(*w.List);
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LVS_OWNERDATA);
    w.List->OnData = [](TObject*, TListItem* item) {
        item->SetCaption(u"Zeile " + std::u16string(reinterpret_cast<const char16_t*>(std::to_wstring(item->Index()).c_str())));
        item->AddSubItem(item->Index() % 2 ? u"ungerade" : u"gerade");
    };
    w.List->OnDataFind = [](TObject*, const std::u16string& text, int, bool, int& index) {
        if (text.rfind(u"Zeile ", 0) == 0) index = std::stoi(std::string(text.begin() + 6, text.end()));
    };
    w.List->Items().SetCount(10000);
    ASSERT_EQ(ListView_GetItemCount(list), 10000);
    EXPECT_EQ(CellText(list, 9999, 0), u"Zeile 9999");
    EXPECT_EQ(CellText(list, 9999, 1), u"ungerade");
    // The user's End key: the control moves to the last row and the list knows it.
    w.List->SetFocus();
    w.List->SetSelected(w.List->Items().Item(0));
    w.List->SetItemFocused(w.List->Items().Item(0));
    PostMessageW(list, WM_KEYDOWN, VK_END, 0);
    EXPECT_TRUE(PumpUntil([&] { return w.List->Selected() && w.List->Selected()->Index() == 9999; }));
    EXPECT_EQ(w.List->SelCount(), 1);
    // The control's search goes to the program.
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = L"Zeile 4242";
    EXPECT_EQ(ListView_FindItem(list, -1, &find), 4242);
    find.psz = L"nichts";
    EXPECT_EQ(ListView_FindItem(list, -1, &find), -1);
    // Fewer rows: the selection of the rows that went is gone.
    w.List->Items().SetCount(10);
    EXPECT_EQ(ListView_GetItemCount(list), 10);
    EXPECT_EQ(w.List->Selected(), nullptr);
}
