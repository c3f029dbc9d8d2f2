// The shell tree on the platform's own shell: a folder tree of the temporary folder as a path
// root and the real programs folders, names and order as the shell gives them, expand buttons,
// paths, refresh, renaming by label editing, failed roots, every list and folder reference
// given back, and a screenshot of a dark tree like the start menu's.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>
#include <shlobj.h>

#include "app/MainWindowDesign.h"
#include "platform/ShellNamespace.h"
#include "platform/win32/WinText.h"
#include "shell/ShellConsts.h"
#include "shell/ShellTreeView.h"
#include "support/TextOut.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinPump.h"
#include "win32/WinTempDir.h"

using namespace shell;
using ui::TTreeNode;
using ui::win32::WindowOf;
using platform::win32::W;

// Object types are set after the root throughout: Wine 8's recycle bin can crash when it is
// enumerated for files (as a desktop root listing files would do), which no start menu asks for.
namespace {
struct TreeWindow : ui::TForm {
    TreeWindow() : ui::TForm(nullptr) {
        SetBorderStyle(ui::bsSizeToolWin);
        SetCaption(u"Nimbrel");
        SetColor(app::DarkGrey);
        SetBounds(40, 40, 320, 360);
        Tree = new TShellTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(6, 6, 300, 320);
    }
    TShellTreeView* Tree;
};

std::vector<std::u16string> ChildTexts(TTreeNode* node) {
    std::vector<std::u16string> texts;
    for (int i = 0; node && i < node->Count(); ++i) texts.push_back(node->Item(i)->Text());
    return texts;
}

TTreeNode* Child(TTreeNode* node, const std::u16string& text) {
    for (int i = 0; node && i < node->Count(); ++i)
        if (node->Item(i)->Text() == text) return node->Item(i);
    return nullptr;
}

void MakeFolder(const std::u16string& path) { CreateDirectoryW(W(path), nullptr); }
void MakeFile(const std::u16string& path) {
    HANDLE h = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
}
bool Exists(const std::u16string& path) { return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES; }

// The references the desktop folder holds now (one more and one less, to read the count).
ULONG DesktopReferences() {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return 0;
    desktop->AddRef();
    const ULONG count = desktop->Release();
    desktop->Release();
    return count - 1;
}

// The all-users or the current user's programs folder as a path.
std::u16string SpecialPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return platform::win32::U16(path);
}

// A folder tree in the temporary folder: two folders, one with a subfolder, and two files.
struct MenuFolder {
    MenuFolder() {
        MakeFolder(dir.File(u"Zubehör"));
        MakeFolder(dir.File(u"Zubehör\\Systemprogramme"));
        MakeFile(dir.File(u"Zubehör\\Editor.txt"));
        MakeFolder(dir.File(u"Spiele"));
        MakeFile(dir.File(u"Spiele\\Solitär.txt"));
        MakeFile(dir.File(u"büro.txt"));
        MakeFile(dir.File(u"Adressen.txt"));
    }
    WinTempDir dir;
};
}  // namespace

TEST(Win32ShellItems, RootsPathsAndTheControlPanel) {
    std::unique_ptr<TShellFolder> current;
    TRoot root = u"C:";
    current = ResolveRoot(current, u"rfDesktop", root);
    ASSERT_TRUE(current);
    EXPECT_EQ(root, u"C:\\");
    EXPECT_EQ(current->PathName(), u"C:\\");
    EXPECT_TRUE(current->IsFolder());

    root = u"rfControlPanel";
    current = ResolveRoot(current, u"C:\\", root);
    ASSERT_TRUE(current);
    const std::u16string panel = current->PathName();
    EXPECT_FALSE(panel.empty());
    EXPECT_NE(panel.substr(0, 3), u"::{") << U8(panel);

    root = u"";
    EXPECT_THROW(ResolveRoot(current, u"rfControlPanel", root), ui::Exception);
    EXPECT_EQ(root, u"rfControlPanel");
    EXPECT_EQ(IdSize(IdDesktop().get()), 2u);
}

TEST(Win32ShellTreeView, APathRootShowsTheShellsNamesInItsOrder) {
    MenuFolder menu;
    TreeWindow w;
    w.Tree->SetRoot(menu.dir.Path());
    HWND tree = reinterpret_cast<HWND>(w.Tree->Handle());
    ASSERT_NE(tree, nullptr);
    TTreeNode* root = w.Tree->Items().GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Expanded());
    // Folders only: the two folders, in the shell's order.
    EXPECT_EQ(ChildTexts(root), (std::vector<std::u16string>{u"Spiele", u"Zubehör"}));
    EXPECT_TRUE(Child(root, u"Zubehör")->HasChildren());

    w.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    root = w.Tree->Items().GetFirstNode();
    const std::vector<std::u16string> all = ChildTexts(root);
    ASSERT_EQ(all.size(), 4u) << U8(all.empty() ? u"" : all.back());
    EXPECT_EQ(all[0], u"Spiele");
    EXPECT_EQ(all[1], u"Zubehör");
    // Files after folders, by name without regard to case; the shell may hide known extensions.
    EXPECT_EQ(all[2].substr(0, 8), u"Adressen");
    EXPECT_EQ(all[3].substr(0, 4), u"büro");
    EXPECT_TRUE(Child(root, u"Spiele")->HasChildren());
    EXPECT_EQ(TreeView_GetCount(tree), 5u);
    EXPECT_GE(Child(root, u"Spiele")->ImageIndex(), 0);
    EXPECT_EQ(SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0),
              static_cast<LRESULT>(platform::GetShellNamespace().SystemSmallImages()));
    // Whoever sets another list, the system's stays.
    SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    EXPECT_EQ(SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0),
              static_cast<LRESULT>(platform::GetShellNamespace().SystemSmallImages()));

    TTreeNode* games = Child(root, u"Spiele");
    games->Expand(false);
    ASSERT_EQ(games->Count(), 1);
    w.Tree->SetSelected(games->Item(0));
    EXPECT_EQ(w.Tree->Path(), menu.dir.File(u"Spiele\\Solitär.txt"));
    w.Tree->SetPath(menu.dir.File(u"Zubehör\\Systemprogramme"));
    ASSERT_NE(w.Tree->Selected(), nullptr);
    EXPECT_EQ(w.Tree->Selected()->Text(), u"Systemprogramme");
    EXPECT_THROW(w.Tree->SetPath(menu.dir.File(u"fehlt")), EInvalidPath);
}

TEST(Win32ShellTreeView, RefreshKeepsExpansionAndSelectionAndShowsTheNewFolder) {
    MenuFolder menu;
    TreeWindow w;
    w.Tree->SetRoot(menu.dir.Path());
    TTreeNode* root = w.Tree->Items().GetFirstNode();
    Child(root, u"Zubehör")->Expand(false);
    w.Tree->SetSelected(Child(Child(root, u"Zubehör"), u"Systemprogramme"));
    MakeFolder(menu.dir.File(u"Werkzeuge"));
    w.Tree->Refresh(w.Tree->Items().GetFirstNode());
    root = w.Tree->Items().GetFirstNode();
    EXPECT_EQ(ChildTexts(root), (std::vector<std::u16string>{u"Spiele", u"Werkzeuge", u"Zubehör"}));
    EXPECT_TRUE(Child(root, u"Zubehör")->Expanded());
    ASSERT_NE(w.Tree->Selected(), nullptr);
    EXPECT_EQ(w.Tree->Path(), menu.dir.File(u"Zubehör\\Systemprogramme"));
    EXPECT_EQ(TreeView_GetCount(reinterpret_cast<HWND>(w.Tree->Handle())), 5u);
}

TEST(Win32ShellTreeView, LabelEditingRenamesTheFileAndFailedRootsRestoreTheText) {
    MenuFolder menu;
    TreeWindow w;
    w.Show();
    w.Tree->SetRoot(menu.dir.Path());
    w.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    HWND tree = WindowOf(*w.Tree);
    TTreeNode* games = Child(w.Tree->Items().GetFirstNode(), u"Spiele");
    games->EditText();
    HWND editor = TreeView_GetEditControl(tree);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"Unterhaltung");
    TreeView_EndEditLabelNow(tree, FALSE);
    EXPECT_EQ(games->Text(), u"Unterhaltung");
    EXPECT_TRUE(Exists(menu.dir.File(u"Unterhaltung\\Solitär.txt")));
    EXPECT_FALSE(Exists(menu.dir.File(u"Spiele")));

    w.Tree->SetRoot(u"rfCommonPrograms");
    const std::u16string shown = w.Tree->Items().GetFirstNode()->Text();
    try {
        w.Tree->SetRoot(menu.dir.File(u"gibt es nicht"));
        ADD_FAILURE() << "a missing folder must be refused";
    } catch (const ui::Exception& error) {
        EXPECT_EQ(error.Message(), u"Fehler beim Festlegen des Pfades: \"" + menu.dir.File(u"gibt es nicht") + u"\"");
    }
    EXPECT_EQ(w.Tree->Root(), u"rfCommonPrograms");
    EXPECT_EQ(w.Tree->Items().GetFirstNode()->Text(), shown);
}

TEST(Win32ShellTreeView, TheRealProgramsFolders) {
    for (const auto& [name, csidl] : {std::pair<std::u16string, int>{u"rfPrograms", CSIDL_PROGRAMS},
                                      std::pair<std::u16string, int>{u"rfCommonPrograms", CSIDL_COMMON_PROGRAMS}}) {
        const std::u16string folder = SpecialPath(csidl) + u"\\Nimbrel Prüfung";
        MakeFolder(folder);
        MakeFolder(folder + u"\\Nur Dateien");
        MakeFile(folder + u"\\Nur Dateien\\Notiz.txt");
        {
            TreeWindow w;
            w.Tree->SetRoot(name);
            TTreeNode* root = w.Tree->Items().GetFirstNode();
            ASSERT_NE(root, nullptr) << U8(name);
            TTreeNode* ours = Child(root, u"Nimbrel Prüfung");
            ASSERT_NE(ours, nullptr) << U8(name);
            EXPECT_TRUE(ours->HasChildren());
            ours->Expand(false);
            TTreeNode* files = Child(ours, u"Nur Dateien");
            ASSERT_NE(files, nullptr);
            // Whether it shows a button at first is the shell's answer; once opened it has none.
            files->Expand(false);
            EXPECT_EQ(files->Count(), 0);
            EXPECT_FALSE(files->HasChildren());
            w.Tree->SetSelected(files);
            EXPECT_EQ(w.Tree->Path(), folder + u"\\Nur Dateien");

            w.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
            w.Tree->SetPath(folder + u"\\Nur Dateien");
            ASSERT_NE(w.Tree->Selected(), nullptr);
            EXPECT_TRUE(w.Tree->Selected()->HasChildren());
        }
        DeleteFileW(W(folder + u"\\Nur Dateien\\Notiz.txt"));
        RemoveDirectoryW(W(folder + u"\\Nur Dateien"));
        RemoveDirectoryW(W(folder));
    }
}

TEST(Win32ShellTreeView, ListsAndFolderReferencesReturnToTheirCounts) {
    MenuFolder menu;
    ASSERT_NE(DesktopItem(), nullptr);
    const long blocks = platform::ShellBlocksHeld(), objects = platform::ShellObjectsHeld();
    const ULONG references = DesktopReferences();
    {
        TreeWindow w;
        w.Tree->SetRoot(menu.dir.Path());
        w.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
        w.Tree->SetPath(menu.dir.File(u"Zubehör\\Systemprogramme"));
        w.Tree->Refresh(w.Tree->Items().GetFirstNode());
        w.Tree->SetRoot(u"rfPrograms");
        w.Tree->SetRoot(menu.dir.Path());
        EXPECT_GT(platform::ShellBlocksHeld(), blocks);
        EXPECT_GT(platform::ShellObjectsHeld(), objects);
    }
    EXPECT_EQ(platform::ShellBlocksHeld(), blocks);
    EXPECT_EQ(platform::ShellObjectsHeld(), objects);
    EXPECT_EQ(DesktopReferences(), references);
}

TEST(Win32ShellTreeView, ADarkMenuTreeWithSystemIcons) {
    MenuFolder menu;
    TreeWindow w;
    w.Tree->SetColor(app::DarkGrey);
    w.Tree->Font().SetColor(ui::clWhite);
    w.Tree->SetShowButtons(false);
    w.Tree->SetShowLines(false);
    w.Tree->SetShowRoot(false);
    w.Tree->SetRoot(menu.dir.Path());
    w.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    w.Tree->OnCustomDrawItem = [](ui::TObject*, ui::TCanvas& canvas, TTreeNode*, ui::TCustomDrawState state, bool&) {
        canvas.Brush.Color = (state & ui::cdsSelected) ? 0x777777 : app::DarkGrey;
        canvas.Font.SetColor(ui::clWhite);
    };
    w.Show();
    TTreeNode* accessories = Child(w.Tree->Items().GetFirstNode(), u"Zubehör");
    accessories->Expand(false);
    w.Tree->SetSelected(accessories);
    HWND window = WindowOf(w);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(window);
    // Some pixel in the first rows is neither the background nor the text: an icon was drawn.
    POINT origin{0, 0};
    ClientToScreen(WindowOf(*w.Tree), &origin);
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT r{};
    ASSERT_TRUE(TreeView_GetItemRect(WindowOf(*w.Tree), reinterpret_cast<HTREEITEM>(accessories->ItemId()), &r, FALSE));
    int coloured = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = 0; x < 40; ++x) {
            const ui::TColor c = shot->Pixel(origin.x - outer.left + x, origin.y - outer.top + y);
            const int red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
            if (std::abs(red - green) > 24 || std::abs(green - blue) > 24) ++coloured;
        }
    EXPECT_GT(coloured, 10);
    if (!KeepScreenshot(*shot, "shell-tree")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}
