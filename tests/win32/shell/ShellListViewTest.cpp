// The shell list view on the platform's own shell and list control, linked with a shell tree:
// a deep folder chosen in the tree is listed, Enter and Backspace in the list move the tree, F5
// shows a new file, typing the last row's first letters selects it, the report view's columns
// come from the shell, a refused rename is told, and a screenshot.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include "platform/win32/WinText.h"
#include "shell/ShellComboBox.h"
#include "shell/ShellListView.h"
#include "support/TextOut.h"
#include "util/Utils.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinPump.h"
#include "win32/WinTempDir.h"

using namespace shell;
using ui::win32::WindowOf;
using platform::win32::W;

namespace {
struct LinkedWindow : ui::TForm {
    LinkedWindow() : ui::TForm(nullptr) {
        SetCaption(u"Shell-Steuerelemente");
        SetBounds(40, 40, 760, 420);
        Tree = new TShellTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(6, 6, 240, 370);
        List = new TShellListView(this);
        List->SetParent(this);
        List->SetBounds(252, 6, 490, 370);
    }
    std::vector<std::u16string> Rows() const {
        std::vector<std::u16string> rows;
        for (int i = 0; i < List->Items().Count(); ++i) rows.push_back(List->ItemText(i, 0));
        return rows;
    }
    TShellTreeView* Tree;
    TShellListView* List;
};

void MakeFolder(const std::u16string& path) { CreateDirectoryW(W(path), nullptr); }
void MakeFile(const std::u16string& path) {
    HANDLE h = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
}

void Key(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 0);
    SendMessageW(window, WM_KEYUP, key, 0xC0000000);
    ui::Application().ProcessMessages();
}
}  // namespace

TEST(Win32ShellListView, LinkedWithTheTreeNavigatesFindsRefreshesAndRenames) {
    WinTempDir dir;
    MakeFolder(dir.File(u"Zubehör"));
    MakeFolder(dir.File(u"Zubehör\\Werkzeug"));
    MakeFolder(dir.File(u"Zubehör\\Werkzeug\\Größen"));
    MakeFile(dir.File(u"Zubehör\\Werkzeug\\Größen\\Maße.txt"));
    MakeFile(dir.File(u"Zubehör\\Werkzeug\\Größen\\Zollstock.txt"));
    MakeFile(dir.File(u"Zubehör\\Werkzeug\\Hammer.txt"));
    MakeFile(dir.File(u"Zubehör\\Werkzeug\\Zange.txt"));
    LinkedWindow w;
    w.Show();
    // Linked from the list's side: the tree takes the list's root; a root set on the tree then
    // reaches the list.
    w.List->SetShellTreeView(w.Tree);
    EXPECT_EQ(w.Tree->ShellListView(), w.List);
    EXPECT_EQ(w.Tree->Root(), u"rfDesktop");
    w.Tree->SetRoot(dir.Path());
    EXPECT_TRUE(util::SameTextAscii(w.List->Root(), w.Tree->Root()));
    EXPECT_EQ(w.Rows(), (std::vector<std::u16string>{u"Zubehör"}));

    // A deep folder chosen in the tree is listed: its folder first, then its files.
    w.Tree->SetPath(dir.File(u"Zubehör\\Werkzeug"));
    ui::Application().ProcessMessages();
    auto rows = w.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], u"Größen");
    EXPECT_EQ(rows[1].substr(0, 6), u"Hammer");
    HWND list = WindowOf(*w.List);
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    // Enter on the folder goes into it; the tree follows. Backspace comes back.
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(list);
    Key(list, VK_RETURN);
    ASSERT_EQ(w.Rows().size(), 2u);
    ASSERT_NE(w.Tree->Selected(), nullptr);
    EXPECT_EQ(w.Tree->Selected()->Text(), u"Größen");
    Key(list, VK_BACK);
    EXPECT_EQ(w.Rows().size(), 3u);
    EXPECT_EQ(w.Tree->Selected()->Text(), u"Werkzeug");
    // F5 shows a file that appeared.
    MakeFile(dir.File(u"Zubehör\\Werkzeug\\Bohrer.txt"));
    Key(list, VK_F5);
    EXPECT_EQ(ListView_GetItemCount(list), 4);
    // Typing the first letters of the last row's name selects the last row.
    SetFocus(list);
    EXPECT_EQ(w.List->HandleDataFind(u"Za", 0, true), 3);
    // As the keyboard sends them: a repeat count of one (the control ignores a character without).
    SendMessageW(list, WM_CHAR, L'Z', 1);
    SendMessageW(list, WM_CHAR, L'a', 1);
    ui::Application().ProcessMessages();
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 3);

    // Report view: the shell's own columns, each named once.
    w.List->SetViewStyle(ui::vsReport);
    ui::Application().ProcessMessages();
    ASSERT_GE(w.List->Columns().Count(), 2);
    for (int i = 0; i < w.List->Columns().Count(); ++i) {
        EXPECT_FALSE(w.List->Columns().Items(i)->Caption().empty());
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(util::SameTextAscii(w.List->Columns().Items(i)->Caption(), w.List->Columns().Items(j)->Caption()));
    }
    wchar_t text[64] = {};
    ListView_GetItemText(list, 3, 0, text, 64);
    EXPECT_EQ(std::u16string(platform::win32::U16(text)).substr(0, 5), u"Zange");

    // A rename to a name that is taken is refused with the shell's message.
    std::vector<std::u16string> told;
    ui::Application().OnException = [&](const std::exception& e) {
        const auto* error = dynamic_cast<const ui::Exception*>(&e);
        told.push_back(error ? error->Message() : u"?");
    };
    SetFocus(list);
    HWND editor = ListView_EditLabel(list, 3);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"Hammer.txt");
    SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
    ui::Application().ProcessMessages();
    ui::Application().OnException = nullptr;
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(u"Rename to Hammer.txt failed"), std::u16string::npos) << U8(told[0]);
    EXPECT_NE(GetFileAttributesW(W(dir.File(u"Zubehör\\Werkzeug\\Zange.txt"))), INVALID_FILE_ATTRIBUTES);

    RedrawWindow(WindowOf(w), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(WindowOf(w));
    ASSERT_TRUE(shot);
    if (!KeepScreenshot(*shot, "shell-list-view")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}

namespace {
struct ThreeLinked : ui::TForm {
    ThreeLinked() : ui::TForm(nullptr) {
        SetCaption(u"Shell-Steuerelemente");
        SetBounds(40, 40, 760, 440);
        Combo = new TShellComboBox(this);
        Combo->SetParent(this);
        Combo->SetBounds(6, 6, 736, 24);
        Tree = new TShellTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(6, 36, 240, 360);
        List = new TShellListView(this);
        List->SetParent(this);
        List->SetBounds(252, 36, 490, 360);
    }
    int Indent(const std::u16string& caption) const {
        for (int i = 0; i < Combo->Items().Count(); ++i)
            if (Combo->Items().Items(i)->Caption() == caption) return Combo->Items().Items(i)->Indent();
        return -1;
    }
    TShellComboBox* Combo;
    TShellTreeView* Tree;
    TShellListView* List;
};
}  // namespace

TEST(Win32ShellComboBox, TheDesktopsDrivesAndTheChainToADeepFolderLinkedWithTreeAndList) {
    ThreeLinked w;
    w.Show();
    w.Tree->SetShellComboBox(w.Combo);
    w.Tree->SetShellListView(w.List);
    w.List->SetShellComboBox(w.Combo);
    ui::Application().ProcessMessages();
    // The desktop root: the drives right below the drives folder's entry, one level further in.
    EXPECT_EQ(w.Combo->Root(), u"rfDesktop");
    IdListPtr drives = platform::GetShellNamespace().SpecialFolder(0, 17);
    ASSERT_TRUE(drives);
    const int computer = w.Combo->IndexOfId(drives.get());
    ASSERT_GT(computer, 0);
    int drivesBelow = 0;
    for (int i = computer + 1; i < w.Combo->Items().Count(); ++i) {
        if (w.Combo->Items().Items(i)->Indent() != w.Combo->Items().Items(computer)->Indent() + 1) break;
        const std::u16string path = w.Combo->GetFolder(i)->PathName();
        if (path.size() == 3 && path.substr(1, 2) == u":\\") ++drivesBelow;
    }
    EXPECT_GE(drivesBelow, 1);
    HWND combo = WindowOf(*w.Combo);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), w.Combo->Items().Count());

    // A deep folder chosen in the tree: the box shows the chain from the nearest listed ancestor.
    WinTempDir dir;
    MakeFolder(dir.File(u"Zubehör"));
    MakeFolder(dir.File(u"Zubehör\\Werkzeug"));
    MakeFile(dir.File(u"Zubehör\\Werkzeug\\Zange.txt"));
    w.Tree->SetRoot(dir.Path());
    EXPECT_TRUE(util::SameTextAscii(w.Combo->Root(), dir.Path()));
    w.Tree->SetPath(dir.File(u"Zubehör\\Werkzeug"));
    ui::Application().ProcessMessages();
    EXPECT_EQ(w.Indent(u"Werkzeug"), w.Indent(u"Zubehör") + 1);
    ASSERT_GE(w.Combo->ItemIndex(), 0);
    EXPECT_EQ(w.Combo->Items().Items(w.Combo->ItemIndex())->Caption(), u"Werkzeug");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), w.Combo->ItemIndex());
    ASSERT_EQ(w.List->Items().Count(), 1);
    // Backspace in the list: the tree and the box go up too.
    HWND list = WindowOf(*w.List);
    SetFocus(list);
    Key(list, VK_BACK);
    EXPECT_EQ(w.Tree->Selected()->Text(), u"Zubehör");
    EXPECT_EQ(w.Combo->Items().Items(w.Combo->ItemIndex())->Caption(), u"Zubehör");
    // Enter on the folder row goes back down: tree and box follow.
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Key(list, VK_RETURN);
    EXPECT_EQ(w.Tree->Selected()->Text(), u"Werkzeug");
    EXPECT_EQ(w.Combo->Items().Items(w.Combo->ItemIndex())->Caption(), u"Werkzeug");
    EXPECT_EQ(w.Indent(u"Werkzeug"), w.Indent(u"Zubehör") + 1);
    Key(list, VK_BACK);
    // The user picks the root in the box: tree and list follow.
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    ui::Application().ProcessMessages();
    EXPECT_EQ(w.Tree->Selected(), w.Tree->Items().GetFirstNode());
    EXPECT_EQ(w.List->Items().Count(), 1);  // Zubehör
    w.Tree->SetPath(dir.File(u"Zubehör\\Werkzeug"));
    RedrawWindow(WindowOf(w), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(WindowOf(w));
    ASSERT_TRUE(shot);
    if (!KeepScreenshot(*shot, "shell-controls")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
