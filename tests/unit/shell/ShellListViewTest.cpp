// The shell list view on the file-system shell and the in-memory widget: rows of a folder with
// folders first, details read once per drawn row, the fallback columns, find with wrap,
// navigation by keys, Refresh keeping the last row, a refused rename, and the links with a shell
// tree view set and cleared from either side and freed in either order.
#include <gtest/gtest.h>

#include "platform/ShellMemory.h"
#include "shell/ShellListView.h"
#include "support/CaughtErrors.h"
#include "support/FileShell.h"
#include "support/RecordingShellOperations.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/HeadlessListView.h"

using namespace shell;

namespace {
struct ListForm : ui::TForm {
    ListForm() : ui::TForm(nullptr) {
        SetBounds(0, 0, 600, 400);
        List = new TShellListView(this);
        List->SetParent(this);
        List->SetBounds(0, 0, 600, 400);
    }
    std::vector<std::u16string> Rows() const {
        std::vector<std::u16string> rows;
        for (int i = 0; i < List->Items().Count(); ++i) rows.push_back(List->ItemText(i, 0));
        return rows;
    }
    TShellListView* List;
};

struct Folder {
    Folder() {
        fixture.UseProgramsFolders();
        for (const char* name : {"common/Zubehör/Werkzeug/tief.txt", "common/b.txt", "common/Zeta.txt",
                                 "common/Alpha/x.txt", "common/a10.txt", "common/a2.txt"})
            fixture.MakeFile(name);
    }
    FileShellFixture fixture;
};

}  // namespace

TEST(ShellListView, RowsFolderFirstDetailsOncePerDrawnRowAndTheFallbackColumns) {
    Folder folder;
    ListForm form;
    EXPECT_TRUE(form.List->OwnerData());
    EXPECT_FALSE(form.List->HideSelection());
    EXPECT_EQ(form.List->Root(), u"rfDesktop");
    form.List->SetRoot(u"rfCommonPrograms");
    const auto rows = form.Rows();
    ASSERT_EQ(rows.size(), 6u);
    // Folders first, each group in the folder's own order.
    EXPECT_EQ(std::vector<std::u16string>(rows.begin(), rows.begin() + 2), (std::vector<std::u16string>{u"Alpha", u"Zubehör"}));
    EXPECT_TRUE(form.List->GetFolder(0)->IsFolder());
    EXPECT_FALSE(form.List->GetFolder(2)->IsFolder());
    EXPECT_EQ(form.List->GetFolder(6), nullptr);
    // Unsorted: the same rows, in the order the folder gave them.
    form.List->SetSorted(false);
    EXPECT_EQ(form.List->Items().Count(), 6);
    form.List->SetSorted(true);

    // Report view: the fallback columns of a file-system folder; details of drawn rows only.
    form.List->SetViewStyle(ui::vsReport);
    ASSERT_EQ(form.List->Columns().Count(), 4);
    EXPECT_EQ(form.List->Columns().Items(0)->Caption(), u"Name");
    EXPECT_EQ(form.List->Columns().Items(1)->Caption(), u"Size");
    EXPECT_EQ(form.List->Columns().Items(1)->Alignment(), ui::taRightJustify);
    EXPECT_EQ(form.List->Columns().Items(3)->Caption(), u"Modified");
    EXPECT_GT(form.List->Columns().Items(0)->Width(), form.List->Columns().Items(1)->Width());
    auto& widget = ui::headless::PeerOf(*form.List);
    const auto texts = widget.RowTexts(2);
    EXPECT_EQ(texts[1], u"1");  // one byte
    EXPECT_EQ(texts[2], u".txt");
    EXPECT_GT(form.List->GetFolder(2)->DetailCount(), 0);
    EXPECT_EQ(form.List->GetFolder(5)->DetailCount(), 0);
    // A file gone before its row is drawn shows no details, and asks only once.
    std::filesystem::remove(folder.fixture.Native("common/Zeta.txt"));
    CaughtErrors errors;
    const auto gone = widget.RowTexts(5);
    EXPECT_EQ(gone[1], u"");
    EXPECT_EQ(form.List->GetFolder(5)->DetailCount(), 3);
    EXPECT_TRUE(errors.Messages.empty());
}

TEST(ShellListView, FindWrapsAndKeysNavigateWithTheLinkedTreeFollowing) {
    Folder folder;
    ListForm form;
    form.List->SetRoot(u"rfCommonPrograms");
    // The first letters of the last row's name find the last row, from any start, wrapping.
    const int last = form.List->Items().Count() - 1;
    EXPECT_EQ(form.List->HandleDataFind(u"ze", 0, true), last);
    EXPECT_EQ(form.List->HandleDataFind(u"A", 1, true), 2);     // a10.txt after Alpha, from row 1
    EXPECT_EQ(form.List->HandleDataFind(u"alp", last, true), 0);  // round past the end
    EXPECT_EQ(form.List->HandleDataFind(u"gibt es nicht", 0, true), -1);

    auto* tree = new TShellTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 200, 400);
    form.List->SetShellTreeView(tree);
    EXPECT_EQ(tree->ShellListView(), form.List);
    EXPECT_EQ(tree->Root(), u"rfCommonPrograms");

    // Enter on a folder goes into it, and the tree selects it.
    auto& widget = ui::headless::PeerOf(*form.List);
    widget.UserClick(1);  // Zubehör
    ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.List)).KeyDown(13);
    EXPECT_EQ(form.Rows(), (std::vector<std::u16string>{u"Werkzeug"}));
    ASSERT_NE(tree->SelectedFolder(), nullptr);
    EXPECT_EQ(tree->SelectedFolder()->DisplayName(), u"Zubehör");
    // Backspace goes back, also in the tree; F5 reloads.
    ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.List)).KeyDown(8);
    EXPECT_EQ(form.List->Items().Count(), 6);
    EXPECT_EQ(tree->SelectedFolder()->DisplayName(), tree->Items().GetFirstNode()->Text());
    // The tree moves the list.
    tree->SetSelected(tree->Items().GetFirstNode()->GetFirstChild());  // Alpha
    EXPECT_EQ(form.Rows(), (std::vector<std::u16string>{u"x.txt"}));
}

TEST(ShellListView, RefreshKeepsTheLastRowAndARefusedRenameIsTold) {
    Folder folder;
    ListForm form;
    form.List->SetRoot(u"rfCommonPrograms");
    auto& widget = ui::headless::PeerOf(*form.List);
    const int last = form.List->Items().Count() - 1;
    widget.UserClick(last);
    folder.fixture.MakeFile("common/neu.txt");
    ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.List)).KeyDown(116);  // F5
    EXPECT_EQ(form.List->Items().Count(), last + 2);
    ASSERT_NE(form.List->Selected(), nullptr);
    EXPECT_EQ(form.List->Selected()->Index(), last);
    // A rename to a name that is taken is refused with the shell's message; the row keeps its name.
    CaughtErrors errors;
    widget.UserClick(2);
    const std::u16string before = form.List->ItemText(2, 0);
    form.List->Selected()->EditCaption();
    const std::u16string taken = u"b.txt";
    widget.UserEndEdit(&taken);
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find(u"Rename to b.txt failed"), std::u16string::npos);
    EXPECT_EQ(form.List->ItemText(2, 0), before);

    // The shown folder goes: F5 shows nothing (not the desktop's items), and no error.
    widget.UserClick(0);  // Alpha
    ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.List)).KeyDown(13);
    ASSERT_EQ(form.List->Items().Count(), 1);
    std::filesystem::remove_all(folder.fixture.Native("common/Alpha"));
    ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.List)).KeyDown(116);
    EXPECT_EQ(form.List->Items().Count(), 0);
    EXPECT_EQ(errors.Messages.size(), 1u);
}

TEST(ShellListView, LinksAreClearedFromEitherSideAndWhateverIsFreedFirst) {
    Folder folder;
    for (int order = 0; order < 2; ++order) {
        auto form = std::make_unique<ListForm>();
        auto* tree = new TShellTreeView(form.get());
        tree->SetParent(form.get());
        // Linked from the tree's side this time, from the list's the other.
        if (order == 0) tree->SetShellListView(form->List); else form->List->SetShellTreeView(tree);
        EXPECT_EQ(form->List->ShellTreeView(), tree);
        EXPECT_EQ(tree->ShellListView(), form->List);
        if (order == 0) {
            delete tree;
            EXPECT_EQ(form->List->ShellTreeView(), nullptr);
            form->List->SetRoot(u"rfCommonPrograms");  // no tree left to tell
        } else {
            delete form->List;
            EXPECT_EQ(tree->ShellListView(), nullptr);
            tree->SetRoot(u"rfCommonPrograms");
        }
    }
    // Unlinked from the list's side, the tree lets go too, and a second unlink changes nothing.
    ListForm form;
    auto* tree = new TShellTreeView(&form);
    tree->SetParent(&form);
    form.List->SetShellTreeView(tree);
    form.List->SetShellTreeView(nullptr);
    EXPECT_EQ(tree->ShellListView(), nullptr);
    form.List->SetShellTreeView(nullptr);
    tree->SetShellListView(form.List);
    tree->SetShellListView(nullptr);
    EXPECT_EQ(form.List->ShellTreeView(), nullptr);
}

TEST(ShellListView, AutoRefreshWatchesTheShownFolderAndEveryListIsGivenBack) {
    Folder folder;
    ASSERT_NE(DesktopItem(), nullptr);
    const long blocks = platform::ShellBlocksHeld(), objects = platform::ShellObjectsHeld();
    {
        ListForm form;
        form.List->SetRoot(u"rfCommonPrograms");
        form.List->SetAutoRefresh(true);
        ASSERT_NE(form.List->Notifier(), nullptr);
        EXPECT_EQ(form.List->Notifier()->Root(), folder.fixture.Text("common"));
        EXPECT_FALSE(form.List->Notifier()->WatchSubTree());
        // Into a folder: the watch moves with it.
        ui::headless::PeerOf(*form.List).UserClick(1);
        ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.List)).KeyDown(13);
        ASSERT_NE(form.List->Notifier(), nullptr);
        EXPECT_EQ(form.List->Notifier()->Root(), folder.fixture.Text("common/Zubehör"));
        form.List->SetViewStyle(ui::vsReport);
        (void)ui::headless::PeerOf(*form.List).RowTexts(0);
        EXPECT_GT(platform::ShellBlocksHeld(), blocks);
        form.List->SetAutoRefresh(false);
        EXPECT_EQ(form.List->Notifier(), nullptr);
    }
    EXPECT_EQ(platform::ShellBlocksHeld(), blocks);
    EXPECT_EQ(platform::ShellObjectsHeld(), objects);
}
