// The directory tree on the platform's tree control over the prefix's real drives: its drives with
// the shell's names, a deep folder opened in other letters, folders read once when first opened;
// and a form with the tree and the file list linked, kept as a screenshot.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include "controls/DirFileListView.h"
#include "controls/DirectoryTreeView.h"
#include "platform/Files.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/win32/WindowPeer.h"
#include "util/FileUtils.h"
#include "win32/Screenshot.h"
#include "win32/WinTempDir.h"

using controls::TDirectoryTreeView;
using controls::TDirFileListView;
using ui::win32::WindowOf;

namespace {
struct BrowserWindow : ui::TForm {
    BrowserWindow() : ui::TForm(nullptr) {
        SetBorderStyle(ui::bsSizeToolWin);
        SetCaption(u"Nimbrel");
        SetBounds(40, 40, 760, 360);
        Tree = new TDirectoryTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(8, 8, 240, 310);
        Tree->SetHideSelection(false);
        List = new TDirFileListView(this);
        List->SetParent(this);
        List->SetBounds(256, 8, 480, 310);
        List->SetViewStyle(ui::vsReport);
        Tree->OnChange = [this](ui::TObject*, ui::TTreeNode*) {
            if (!Tree->Directory().empty()) List->SetPath(Tree->Directory());
        };
        Show();
        ui::Application().ProcessMessages();
    }
    TDirectoryTreeView* Tree;
    TDirFileListView* List;
};
}  // namespace

TEST(Win32DirectoryTreeView, TheRealDrivesADeepFolderAndTheLinkedFileList) {
    WinTempDir dir;
    const std::u16string deep = dir.File(u"Programme\\Werkzeuge\\Größen");
    for (const char16_t* part : {u"Programme", u"Programme\\Werkzeuge", u"Programme\\Werkzeuge\\Größen",
                                 u"Programme\\Disk10", u"Programme\\Disk2"})
        CreateDirectoryW(platform::win32::W(dir.File(part)), nullptr);
    dir.Write(u"Programme\\Werkzeuge\\Größen\\Lies mich.txt", std::string(2048, 'x'));
    BrowserWindow w;
    HWND tree = WindowOf(*w.Tree);

    // The computer and below it the prefix's drives, C: among them, by the shell's names.
    ui::TTreeNode* root = w.Tree->Items().GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Expanded());
    bool hasC = false;
    for (ui::TTreeNode* drive = root->GetFirstChild(); drive; drive = drive->GetNextSibling()) {
        EXPECT_FALSE(drive->Text().empty());
        hasC |= w.Tree->GetPath(drive) == u"C:\\";
    }
    EXPECT_TRUE(hasC);
    EXPECT_GE(TreeView_GetCount(tree), 2u);

    // A deep folder in other letters selects its node; the list follows.
    std::u16string lower = deep;
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    ASSERT_TRUE(w.Tree->OpenPath(lower));
    ASSERT_NE(w.Tree->Selected(), nullptr);
    EXPECT_EQ(w.Tree->Selected()->Text(), u"Größen");
    EXPECT_TRUE(util::UpperCaseText(w.Tree->Directory()) == util::UpperCaseText(deep));
    ASSERT_EQ(w.List->Items().Count(), 1);
    EXPECT_EQ(w.List->Items().Item(0)->Caption(), u"Lies mich.txt");
    EXPECT_EQ(w.List->Items().Item(0)->SubItems()[0], u"2 KB");
    // Natural order among the siblings; a folder read once is not read again by opening it.
    ui::TTreeNode* programs = w.Tree->Selected()->Parent()->Parent();
    ASSERT_GE(programs->Count(), 3);
    EXPECT_EQ(programs->Item(0)->Text(), u"Disk2");
    EXPECT_EQ(programs->Item(1)->Text(), u"Disk10");
    CreateDirectoryW(platform::win32::W(dir.File(u"Programme\\Neu")), nullptr);
    programs->Collapse(false);
    programs->Expand(false);
    EXPECT_EQ(programs->Count(), 3);
    w.Tree->UpdatePath(programs);
    EXPECT_EQ(programs->Count(), 4);
    w.Tree->SetDirectory(deep);
    RedrawWindow(WindowOf(w), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application().ProcessMessages();
    const auto shot = GrabWindow(WindowOf(w));
    ASSERT_TRUE(shot);
    if (!KeepScreenshot(*shot, "directory-browser")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}

TEST(Win32DirectoryTreeView, PathsLongerThanTheOldLimitAreListedAndOpened) {
    WinTempDir dir;
    auto& files = platform::GetFiles();
    // Five levels of sixty characters each: well past 260.
    std::u16string deep = dir.Path();
    for (int level = 0; level < 5; ++level) {
        deep += u"\\Ordner mit einem langen Namen, der sich über sechzig Zeichen zieht " + std::u16string(1, char16_t(u'A' + level));
        ASSERT_TRUE(files.MakeDirectory(deep)) << level;
    }
    ASSERT_GT(deep.size(), 300u);
    const platform::FileHandle file = files.Open(deep + u"\\Zubehör.txt", platform::FileAccess::Write, platform::ShareNone,
                                                 platform::FileDisposition::CreateAlways);
    ASSERT_NE(file, platform::InvalidFileHandle);
    files.Close(file);
    BrowserWindow w;
    w.List->SetPath(deep);
    ASSERT_EQ(w.List->Items().Count(), 1);
    EXPECT_EQ(w.List->Items().Item(0)->Caption(), u"Zubehör.txt");
    EXPECT_EQ(w.List->Items().Item(0)->SubItems()[0], u"0 Byte");
    ASSERT_TRUE(w.Tree->OpenPath(deep));
    EXPECT_EQ(w.Tree->Directory(), deep);
    // A rename down there works as anywhere else.
    ASSERT_TRUE(files.Rename(deep + u"\\Zubehör.txt", deep + u"\\Werkzeug.txt"));
    w.List->UpdatePath();
    EXPECT_EQ(w.List->Items().Item(0)->Caption(), u"Werkzeug.txt");
}
