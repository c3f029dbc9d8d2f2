// The start menu's window on the in-memory widgets, with the shell's operations and the session
// recorded: the commands, the launch and its links entry, drags and drops, the context menu, the
// links menu and the closing on lost activation.
#include <gtest/gtest.h>

#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "platform/System.h"
#include "support/FileShell.h"
#include "support/RecordingShellOperations.h"
#include "ui/Application.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/HeadlessTreeView.h"

using namespace app;
using ui::TTreeNode;

namespace {
ui::headless::HeadlessBackend& Headless() { return dynamic_cast<ui::headless::HeadlessBackend&>(ui::GetBackend()); }

TTreeNode* NodeNamed(TMainForm& form, const std::u16string& text) {
    for (TTreeNode* n = form.ShellTreeView1->Items().GetFirstNode(); n; n = n->GetNext())
        if (n->Text() == text) return n;
    return nullptr;
}

// The menu over a programs folder with a subfolder and two entries, shown.
struct Menu {
    Menu() {
        fixture.UseProgramsFolders();
        fixture.MakeFile("common/Editor.desktop");
        fixture.MakeFile("common/Rechner.desktop");
        fixture.MakeFolder("common/Spiele/Solitär");
        Links.clear();
        AddMenuSelection = false;
        FolderIndex = 1;
        FolderSize = 8;
        form = std::make_unique<TMainForm>();
        form->ShellTreeView1->SetRoot(u"rfPrograms");
        form->ShellTreeView1->SetRoot(u"rfCommonPrograms");
        form->Show();
        widget = &ui::headless::PeerOf(*form->ShellTreeView1);
    }
    ~Menu() {
        form.reset();
        Links.clear();
        AddMenuSelection = false;
    }
    // Puts the pointer over a node's row, as the click's cursor position.
    void PointAt(TTreeNode* node) {
        const ui::TRect r = widget->ItemRect(node->ItemId(), false);
        Headless().Cursor = form->ShellTreeView1->ClientToScreen({r.Left + 5, (r.Top + r.Bottom) / 2});
    }
    FileShellFixture fixture;
    RecordingShellOperations shell;
    std::unique_ptr<TMainForm> form;
    ui::headless::HeadlessTreeView* widget = nullptr;
};
}  // namespace

TEST(MainForm, SystemCommandsAndTheContextMenu) {
    Menu menu;
    TMainForm& form = *menu.form;
    EXPECT_EQ(form.UserLabel->Caption(),
              platform::GetSystem().UserName() + u"\r\n\r\n" + platform::GetSystem().ComputerName());
    // The label takes the height down to the first button, so that both names show whole.
    EXPECT_EQ(form.UserLabel->Top() + form.UserLabel->Height(), 196);

    form.Logoff1Click(nullptr);
    form.Reboot1Click(nullptr);
    form.Shutdown1Click(nullptr);
    EXPECT_EQ(menu.shell.SessionEnds, (std::vector<std::uint16_t>{0, 2, 1}));
    EXPECT_TRUE(form.Showing());

    form.ShellTreeView1->SetSelected(nullptr);
    form.PopupMenu1Popup(nullptr);
    EXPECT_TRUE(form.AllUsers1->Checked());
    EXPECT_FALSE(form.CurrentUser1->Checked());
    EXPECT_TRUE(form.SmallFont1->Checked());
    EXPECT_FALSE(form.Delete1->Enabled());
    EXPECT_FALSE(form.Open1->Enabled());
    form.CurrentUser1Click(nullptr);
    form.LargeFont1Click(nullptr);
    EXPECT_EQ(FolderIndex, 0);
    EXPECT_EQ(form.ShellTreeView1->Root(), u"rfPrograms");
    EXPECT_EQ(form.ShellTreeView1->Items().GetFirstNode()->Text(), u"user");
    EXPECT_EQ(FolderSize, 12);
    EXPECT_EQ(form.ShellTreeView1->Font().Size(), 12);
    form.PopupMenu1Popup(nullptr);
    EXPECT_TRUE(form.CurrentUser1->Checked());
    EXPECT_TRUE(form.LargeFont1->Checked());
    EXPECT_FALSE(form.MiddleFont1->Checked());
    EXPECT_TRUE(form.Delete1->Enabled());  // the new root is selected

    // The control panel starts the system's own rundll32 by its full path, after the menu closed.
    form.SysCtrlClick(nullptr);
    EXPECT_FALSE(form.Showing());
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].File, platform::GetSystem().SystemDirectory() + u"\\rundll32.exe");
    EXPECT_EQ(menu.shell.Starts[0].Parameters, u"Shell32,Control_RunDLL");
    EXPECT_EQ(menu.shell.Starts[0].Show, 5);
    form.InfoClick(nullptr);
    EXPECT_EQ(menu.shell.Starts[1].Parameters, u"Shell32,ShellAboutA");
    form.RunClick(nullptr);
    const std::u16string exe = platform::GetSystem().ExecutablePath();
    EXPECT_EQ(menu.shell.Starts[2].File, u"\"" + exe.substr(0, exe.find_last_of(u'\\') + 1) + u"run.exe\"");
}

TEST(MainForm, AClickLaunchesTheEntryUnderThePointerAndRemembersItOnce) {
    Menu menu;
    TMainForm& form = *menu.form;
    AddMenuSelection = true;
    TTreeNode* editor = NodeNamed(form, u"Editor.desktop");
    ASSERT_NE(editor, nullptr);
    const std::u16string path = menu.fixture.Text("common/Editor.desktop");

    // Selected, but the pointer is over another row: nothing starts.
    form.ShellTreeView1->SetSelected(editor);
    menu.PointAt(NodeNamed(form, u"Rechner.desktop"));
    form.ShellTreeView1Click(nullptr);
    EXPECT_TRUE(menu.shell.Starts.empty());
    // Kept open by a command: nothing starts either.
    menu.PointAt(editor);
    form.SetTag(1);
    form.ShellTreeView1Click(nullptr);
    EXPECT_TRUE(menu.shell.Starts.empty());
    form.SetTag(0);

    form.ShellTreeView1Click(nullptr);
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].Verb, u"open");
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + path + u"\"");
    EXPECT_FALSE(form.Showing());
    EXPECT_EQ(Links, util::StringList{u"Editor\t" + path});

    // The same path again, letters differing in case: no second entry.
    Links = {u"Editor\t" + path.substr(0, path.size() - 7) + u"DESKTOP"};
    form.Show();
    form.ShellTreeView1->SetSelected(editor);
    form.ShellTreeView1Click(nullptr);
    EXPECT_EQ(menu.shell.Starts.size(), 2u);
    EXPECT_EQ(Links.size(), 1u);

    // A folder only opens and closes.
    TTreeNode* games = NodeNamed(form, u"Spiele");
    form.Show();
    form.ShellTreeView1->SetSelected(games);
    menu.PointAt(games);
    form.ShellTreeView1->HandleClick();
    EXPECT_TRUE(games->Expanded());
    EXPECT_EQ(menu.shell.Starts.size(), 2u);
    EXPECT_TRUE(form.Showing());
    form.ShellTreeView1->HandleClick();
    EXPECT_FALSE(games->Expanded());
}

TEST(MainForm, DragsArmBeyondTenPixelsAndDropsMoveIntoTheFolder) {
    Menu menu;
    TMainForm& form = *menu.form;
    TTreeNode* editor = NodeNamed(form, u"Editor.desktop");
    TTreeNode* calculator = NodeNamed(form, u"Rechner.desktop");
    TTreeNode* games = NodeNamed(form, u"Spiele");
    form.ShellTreeView1->SetSelected(editor);
    form.ShellTreeView1MouseDown(nullptr, ui::mbLeft, {}, 10, 10);
    form.ShellTreeView1MouseMove(nullptr, {}, 20, 0);
    EXPECT_FALSE(form.ShellTreeView1->Dragging());
    EXPECT_EQ(form.Tag(), 0);
    form.ShellTreeView1MouseMove(nullptr, {}, 10, 21);
    EXPECT_TRUE(form.ShellTreeView1->Dragging());
    EXPECT_EQ(form.Tag(), 1);
    form.ShellTreeView1->EndDrag(false);
    form.SetTag(0);
    form.ShellTreeView1MouseDown(nullptr, ui::mbRight, {}, 10, 10);
    form.ShellTreeView1MouseMove(nullptr, {}, 40, 40);
    EXPECT_FALSE(form.ShellTreeView1->Dragging());

    auto rowOf = [&](TTreeNode* node) { return menu.widget->ItemRect(node->ItemId(), false); };
    bool accept = true;
    form.ShellTreeView1DragOver(nullptr, form.ShellTreeView1, 5, rowOf(editor).Top + 2, ui::dsDragMove, accept);
    EXPECT_FALSE(accept);  // onto itself
    form.ShellTreeView1DragOver(nullptr, form.UserImage, 5, rowOf(games).Top + 2, ui::dsDragMove, accept);
    EXPECT_FALSE(accept);  // from elsewhere
    form.ShellTreeView1DragOver(nullptr, form.ShellTreeView1, 5, rowOf(games).Top + 2, ui::dsDragMove, accept);
    EXPECT_TRUE(accept);

    // Onto a file: into the folder that holds it, under the entry's own name.
    form.ShellTreeView1DragDrop(nullptr, form.ShellTreeView1, 5, rowOf(calculator).Top + 2);
    ASSERT_EQ(menu.shell.FileOps.size(), 1u);
    const auto& move = menu.shell.FileOps[0];
    EXPECT_EQ(move.Operation, platform::FoMove);
    EXPECT_EQ(move.From, menu.fixture.Text("common/Editor.desktop") + u'\0');
    EXPECT_EQ(move.To, menu.fixture.Text("common/Editor.desktop") + u'\0');
    EXPECT_EQ(move.Flags, platform::FofSilent);
    // Onto a folder: into it.
    form.ShellTreeView1->SetSelected(NodeNamed(form, u"Editor.desktop"));
    games = NodeNamed(form, u"Spiele");
    form.ShellTreeView1DragDrop(nullptr, form.ShellTreeView1, 5, rowOf(games).Top + 2);
    ASSERT_EQ(menu.shell.FileOps.size(), 2u);
    EXPECT_EQ(menu.shell.FileOps[1].To, menu.fixture.Text("common/Spiele/Editor.desktop") + u'\0');
}

TEST(MainForm, DeleteOpenTheLinksMenuAndLostActivation) {
    Menu menu;
    TMainForm& form = *menu.form;
    form.ShellTreeView1->SetSelected(NodeNamed(form, u"Rechner.desktop"));
    form.Delete1Click(nullptr);
    ASSERT_EQ(menu.shell.FileOps.size(), 1u);
    EXPECT_EQ(menu.shell.FileOps[0].Operation, platform::FoDelete);
    EXPECT_EQ(menu.shell.FileOps[0].From, menu.fixture.Text("common/Rechner.desktop") + u'\0');
    EXPECT_EQ(form.Tag(), 0);
    form.ShellTreeView1->SetSelected(NodeNamed(form, u"Spiele"));
    form.Open1Click(nullptr);
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + menu.fixture.Text("common/Spiele") + u"\"");
    EXPECT_TRUE(form.Showing());

    Links = {u"Eins\tC:\\eins.txt", u"ohne Tab", u"Drei\tC:\\drei.txt"};
    Headless().OnPopup = [](ui::TPopupMenu& popup) {
        ASSERT_EQ(popup.Items().Count(), 3);
        popup.Items().Items(2)->Click();
    };
    form.MenuClick(nullptr);
    Headless().OnPopup = nullptr;
    ASSERT_EQ(form.PopupMenu2->Items().Count(), 3);
    EXPECT_EQ(form.PopupMenu2->Items().Items(0)->Caption(), u"Eins");
    EXPECT_EQ(form.PopupMenu2->Items().Items(1)->Caption(), u"ohne Tab");
    ASSERT_EQ(menu.shell.Starts.size(), 2u);
    EXPECT_EQ(menu.shell.Starts[1].File, u"\"C:\\drei.txt\"");
    form.MenuClick(nullptr);  // rebuilt, not added to
    EXPECT_EQ(form.PopupMenu2->Items().Count(), 3);

    form.SetTag(1);
    form.HandleActivate(ui::waInactive);
    EXPECT_TRUE(form.Showing());
    form.SetTag(0);
    form.HandleActivate(ui::waInactive);
    EXPECT_FALSE(form.Showing());
}
