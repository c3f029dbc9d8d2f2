// The start menu's window on the in-memory widgets, with the shell's operations and the session
// recorded: the commands, the launch and its links entry, drags and drops, the context menu, the
// links menu and the closing on lost activation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/NbFolder.h"
#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "platform/System.h"
#include "support/FileShell.h"
#include "support/RecordingShellOperations.h"
#include "support/TempDir.h"
#include "support/TextOut.h"
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
        Links.Clear();
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
        Links.Clear();
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
    EXPECT_EQ(menu.shell.SessionEnds, (std::vector<platform::ExitKind>{platform::ExitKind::Logoff, platform::ExitKind::Reboot,
                                                   platform::ExitKind::Shutdown}));
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
    EXPECT_EQ(menu.shell.Starts[0].Show, platform::ShowState::Shown);
    form.InfoClick(nullptr);
    EXPECT_EQ(menu.shell.Starts[1].File, platform::GetSystem().SystemDirectory() + u"\\winver.exe");
    EXPECT_EQ(menu.shell.Starts[1].Parameters, u"");
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
    form.ShellTreeView1->HandleClick();
    EXPECT_TRUE(menu.shell.Starts.empty());
    // Kept open by a command: nothing starts either.
    menu.PointAt(editor);
    form.SetTag(1);
    form.ShellTreeView1->HandleClick();
    EXPECT_TRUE(menu.shell.Starts.empty());
    form.SetTag(0);

    form.ShellTreeView1->HandleClick();
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].Verb, u"open");
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + path + u"\"");
    EXPECT_FALSE(form.Showing());
    EXPECT_EQ(Links.Lines(), util::StringList{u"Editor\t" + path});

    // The same path again, letters differing in case: no second entry.
    Links = {u"Editor\t" + path.substr(0, path.size() - 7) + u"DESKTOP"};
    form.Show();
    form.ShellTreeView1->SetSelected(editor);
    form.ShellTreeView1->HandleClick();
    EXPECT_EQ(menu.shell.Starts.size(), 2u);
    EXPECT_EQ(Links.size(), 1u);

    // Without the option a launch adds nothing.
    AddMenuSelection = false;
    form.Show();
    TTreeNode* calculator = NodeNamed(form, u"Rechner.desktop");
    form.ShellTreeView1->SetSelected(calculator);
    menu.PointAt(calculator);
    form.ShellTreeView1->HandleClick();
    EXPECT_EQ(menu.shell.Starts.size(), 3u);
    EXPECT_EQ(Links.size(), 1u);

    // A folder only opens and closes.
    TTreeNode* games = NodeNamed(form, u"Spiele");
    form.Show();
    form.ShellTreeView1->SetSelected(games);
    menu.PointAt(games);
    form.ShellTreeView1->HandleClick();
    EXPECT_TRUE(games->Expanded());
    EXPECT_EQ(menu.shell.Starts.size(), 3u);
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
    form.ShellTreeView1MouseMove(nullptr, ui::ssLeft, 20, 0);
    EXPECT_FALSE(form.ShellTreeView1->Dragging());
    EXPECT_EQ(form.Tag(), 0);
    // Far away, but with the button up (the release of a drop still on its way): nothing starts.
    form.ShellTreeView1MouseMove(nullptr, {}, 10, 60);
    EXPECT_FALSE(form.ShellTreeView1->Dragging());
    EXPECT_EQ(form.Tag(), 0);
    form.ShellTreeView1MouseMove(nullptr, ui::ssLeft, 10, 21);
    EXPECT_TRUE(form.ShellTreeView1->Dragging());
    EXPECT_EQ(form.Tag(), 1);
    form.ShellTreeView1->EndDrag(false);
    form.SetTag(0);
    form.ShellTreeView1MouseDown(nullptr, ui::mbRight, {}, 10, 10);
    form.ShellTreeView1MouseMove(nullptr, ui::ssRight, 40, 40);
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
    EXPECT_EQ(move.Operation, platform::FileOperationKind::Move);
    EXPECT_EQ(move.From, menu.fixture.Text("common/Editor.desktop") + u'\0');
    EXPECT_EQ(move.To, menu.fixture.Text("common/Editor.desktop") + u'\0');
    EXPECT_EQ(move.Flags, platform::SilentOperation);
    // Onto a folder: into it.
    form.ShellTreeView1->SetSelected(NodeNamed(form, u"Editor.desktop"));
    games = NodeNamed(form, u"Spiele");
    form.ShellTreeView1DragDrop(nullptr, form.ShellTreeView1, 5, rowOf(games).Top + 2);
    ASSERT_EQ(menu.shell.FileOps.size(), 2u);
    EXPECT_EQ(menu.shell.FileOps[1].To, menu.fixture.Text("common/Spiele/Editor.desktop") + u'\0');

    // From a subfolder onto a file of the folder above: into that folder, under its own name.
    menu.fixture.MakeFile("common/Spiele/Karten.desktop");
    form.ShellTreeView1->Refresh(form.ShellTreeView1->Items().GetFirstNode());
    NodeNamed(form, u"Spiele")->Expand(false);
    form.ShellTreeView1->SetSelected(NodeNamed(form, u"Karten.desktop"));
    form.ShellTreeView1DragDrop(nullptr, form.ShellTreeView1, 5, rowOf(NodeNamed(form, u"Rechner.desktop")).Top + 2);
    ASSERT_EQ(menu.shell.FileOps.size(), 3u);
    EXPECT_EQ(menu.shell.FileOps[2].From, menu.fixture.Text("common/Spiele/Karten.desktop") + u'\0');
    EXPECT_EQ(menu.shell.FileOps[2].To, menu.fixture.Text("common/Karten.desktop") + u'\0');
}

TEST(MainForm, DeleteOpenTheLinksMenuAndLostActivation) {
    Menu menu;
    TMainForm& form = *menu.form;
    form.ShellTreeView1->SetSelected(NodeNamed(form, u"Rechner.desktop"));
    form.Delete1Click(nullptr);
    ASSERT_EQ(menu.shell.FileOps.size(), 1u);
    EXPECT_EQ(menu.shell.FileOps[0].Operation, platform::FileOperationKind::Delete);
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

namespace {
// A tick counter for the drag's closing second: each read moves it on by 100 ms; the rest is
// the machine's own.
class FastClock final : public platform::System {
public:
    FastClock() : previous_(platform::SetSystem(this)) {}
    ~FastClock() override { platform::SetSystem(previous_); }
    std::u16string WindowsDirectory() override { return previous_->WindowsDirectory(); }
    std::u16string ComputerName() override { return previous_->ComputerName(); }
    std::u16string UserName() override { return previous_->UserName(); }
    std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::u16string& p) override {
        return previous_->FileVersion(p);
    }
    std::u16string ExecutablePath() override { return previous_->ExecutablePath(); }
    std::uint32_t ProcessId() override { return previous_->ProcessId(); }
    bool ProcessRunning(std::uint32_t id) override { return previous_->ProcessRunning(id); }
    std::uint32_t TickCount() override { return now_ += 100; }

private:
    platform::System* previous_;
    std::uint32_t now_ = 0;
};

// The pointer goes to a node's row, the way a hand moves it there.
ui::TPoint PointerTo(Menu& menu, TTreeNode* node) {
    const ui::TRect r = menu.widget->ItemRect(node->ItemId(), false);
    const ui::TPoint at{r.Left + 5, (r.Top + r.Bottom) / 2};
    Headless().Cursor = menu.form->ShellTreeView1->ClientToScreen(at);
    menu.widget->MoveTo(at.X, at.Y);
    return at;
}

// A user's click on a node's row: the pointer moves there, the button goes down and up.
void UserClick(Menu& menu, TTreeNode* node) {
    const ui::TPoint at = PointerTo(menu, node);
    menu.widget->Press(at.X, at.Y);
    menu.widget->Release(at.X, at.Y);
}
}  // namespace

TEST(MainForm, ClicksOpenFoldersAndLaunchAnEntryThreeFoldersDown) {
    Menu menu;
    TMainForm& form = *menu.form;
    menu.fixture.MakeFile("common/Zubehör/Werkzeug/Größen/Märker.desktop");
    menu.fixture.MakeFile("common/Zubehör/Werkzeug/Größen/Zweiter.desktop");
    menu.fixture.MakeFile("common/Tools/M3.desktop");
    form.ShellTreeView1->Refresh(form.ShellTreeView1->Items().GetFirstNode());
    AddMenuSelection = true;

    // A folder at the top, opened and closed again first: every click leaves the pointer free.
    UserClick(menu, NodeNamed(form, u"Spiele"));
    UserClick(menu, NodeNamed(form, u"Spiele"));
    EXPECT_FALSE(form.ShellTreeView1->MouseClick);
    for (const char16_t* folder : {u"Zubehör", u"Werkzeug", u"Größen"}) {
        TTreeNode* node = NodeNamed(form, folder);
        ASSERT_NE(node, nullptr) << std::string(folder, folder + 3);
        UserClick(menu, node);
        EXPECT_TRUE(node->Expanded());
        EXPECT_TRUE(form.Showing());
    }
    // The selection follows the pointer between the clicks.
    PointerTo(menu, NodeNamed(form, u"Zweiter.desktop"));
    EXPECT_EQ(form.ShellTreeView1->Selected(), NodeNamed(form, u"Zweiter.desktop"));
    UserClick(menu, NodeNamed(form, u"Märker.desktop"));
    const std::u16string path = menu.fixture.Text("common/Zubehör/Werkzeug/Größen/Märker.desktop");
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + path + u"\"");
    EXPECT_FALSE(form.Showing());
    EXPECT_EQ(Links.Lines(), util::StringList{u"Märker\t" + path});

    // One folder down, in a window shown again.
    form.Show();
    UserClick(menu, NodeNamed(form, u"Tools"));
    UserClick(menu, NodeNamed(form, u"M3.desktop"));
    ASSERT_EQ(menu.shell.Starts.size(), 2u);
    EXPECT_EQ(menu.shell.Starts[1].File, u"\"" + menu.fixture.Text("common/Tools/M3.desktop") + u"\"");

    // A right click (the context menu's) leaves the pointer free as well.
    form.Show();
    const ui::TPoint at = PointerTo(menu, NodeNamed(form, u"Spiele"));
    menu.widget->Press(at.X, at.Y, ui::mbRight);
    menu.widget->Release(at.X, at.Y, ui::mbRight);
    PointerTo(menu, NodeNamed(form, u"Editor.desktop"));
    EXPECT_EQ(form.ShellTreeView1->Selected(), NodeNamed(form, u"Editor.desktop"));
}

TEST(MainForm, ADragOutOfASubfolderMovesTheEntryUnderThePointer) {
    Menu menu;
    FastClock clock;
    TMainForm& form = *menu.form;
    menu.fixture.MakeFile("common/Zubehör/Werkzeug/Marker.desktop");
    form.ShellTreeView1->Refresh(form.ShellTreeView1->Items().GetFirstNode());
    UserClick(menu, NodeNamed(form, u"Zubehör"));
    UserClick(menu, NodeNamed(form, u"Werkzeug"));

    // Pressed on the entry, moved in steps to the folder "Spiele" and let go there.
    const ui::TPoint from = PointerTo(menu, NodeNamed(form, u"Marker.desktop"));
    const ui::TRect target = menu.widget->ItemRect(NodeNamed(form, u"Spiele")->ItemId(), false);
    const ui::TPoint to{from.X + 20, (target.Top + target.Bottom) / 2};
    menu.widget->Press(from.X, from.Y);
    for (int step = 1; step <= 6; ++step) {
        const ui::TPoint p{from.X + (to.X - from.X) * step / 6, from.Y + (to.Y - from.Y) * step / 6};
        Headless().Cursor = form.ShellTreeView1->ClientToScreen(p);
        menu.widget->MoveTo(p.X, p.Y);
    }
    EXPECT_TRUE(form.ShellTreeView1->Dragging());
    menu.widget->Release(to.X, to.Y);
    ASSERT_EQ(menu.shell.FileOps.size(), 1u);
    EXPECT_EQ(menu.shell.FileOps[0].From, menu.fixture.Text("common/Zubehör/Werkzeug/Marker.desktop") + u'\0');
    EXPECT_EQ(menu.shell.FileOps[0].To, menu.fixture.Text("common/Spiele/Marker.desktop") + u'\0');
    EXPECT_FALSE(form.ShellTreeView1->Dragging());
    EXPECT_EQ(form.Tag(), 0);
    EXPECT_TRUE(form.Showing());
    // After the drop the selection follows the pointer again.
    EXPECT_FALSE(form.ShellTreeView1->MouseClick);
    PointerTo(menu, NodeNamed(form, u"Rechner.desktop"));
    EXPECT_EQ(form.ShellTreeView1->Selected(), NodeNamed(form, u"Rechner.desktop"));
}

TEST(MainForm, NewFolderNamesThatNoFileSystemTakesAreRefused) {
    for (const char16_t* good : {u"Spiele", u" Spiele", u"Zubehör 2", u"a.b", u"COM10", u"Console", u"nul2"})
        EXPECT_TRUE(IsNewFolderName(good)) << U8(good);
    for (const char16_t* bad : {u"", u"   ", u"\t", u"a/b", u"a\\b", u"a:b", u"a*b", u"a?b", u"a\"b", u"a<b", u"a|b",
                                u"CON", u"nul", u"com1.txt", u"Lpt9", u"aux.tar.gz", u"prn ", u"Spiele.", u"Spiele ",
                                u"a\x01" u"b"})
        EXPECT_FALSE(IsNewFolderName(bad)) << U8(bad);
    EXPECT_TRUE(IsNewFolderName(std::u16string(255, u'x')));
    EXPECT_FALSE(IsNewFolderName(std::u16string(300, u'x')));
}

TEST(MainForm, ANewFolderIsMadeInTheTargetOrBesideAFileAndNothingIsLeftBehind) {
    // The platform's own moves here: the file shell renames.
    TempDir dir;
    std::filesystem::create_directories(dir.Native() / "data");
    std::filesystem::create_directories(dir.Native() / "menu" / "Spiele");
    { std::ofstream(dir.Native() / "menu" / "Editor.desktop") << "x"; }
    DataDir = dir.File(u"data\\");
    EXPECT_TRUE(CreateMenuFolder(u"Werkzeuge", dir.File(u"menu"), 0));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Native() / "menu" / "Werkzeuge"));
    EXPECT_TRUE(CreateMenuFolder(u" Größen", dir.File(u"menu\\Editor.desktop"), 0));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Native() / "menu" / std::filesystem::u8path(" Größen")));
    // Taken in the target: nothing made, nothing merged.
    { std::ofstream(dir.Native() / "menu" / "Spiele" / "drin.txt") << "bleibt"; }
    EXPECT_FALSE(CreateMenuFolder(u"Spiele", dir.File(u"menu"), 0));
    EXPECT_TRUE(std::filesystem::exists(dir.Native() / "menu" / "Spiele" / "drin.txt"));
    EXPECT_FALSE(CreateMenuFolder(u"Editor.desktop", dir.File(u"menu"), 0));
    for (const char16_t* bad : {u"CON", u"a?b", u"Neu.", u"   "}) EXPECT_FALSE(CreateMenuFolder(bad, dir.File(u"menu"), 0));
    // Taken in the data directory: what is there stays.
    std::filesystem::create_directory(dir.Native() / "data" / "Alt");
    EXPECT_FALSE(CreateMenuFolder(u"Alt", dir.File(u"menu"), 0));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Native() / "data" / "Alt"));
    std::filesystem::remove(dir.Native() / "data" / "Alt");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Native() / "data"));
    DataDir.clear();
}

TEST(MainForm, FolderClickAsksForANameOnlyWithASelectionAndKeepsTheMenuOpen) {
    Menu menu;
    TMainForm& form = *menu.form;
    TempDir data;
    DataDir = data.Path() + u"\\";
    // No selection: no dialog.
    form.ShellTreeView1->SetSelected(nullptr);
    form.FolderClick(nullptr);
    EXPECT_TRUE(FolderForm == nullptr || !FolderForm->Showing());
    EXPECT_EQ(form.Tag(), 0);
    // A selected folder: the dialog asks, OK only with a character; the move goes to the folder.
    TTreeNode* games = NodeNamed(form, u"Spiele");
    form.ShellTreeView1->SetSelected(games);
    bool okAtFirst = true;
    int tagWhileShown = 0;
    Headless().Queue([&] {
        okAtFirst = FolderForm->Button1->Enabled();
        tagWhileShown = form.Tag();
        FolderForm->Edit1->SetText(u"Karten");
        ui::headless::PeerOf(*FolderForm->Button1).ClickAt(1, 1);
    });
    form.FolderClick(nullptr);
    EXPECT_FALSE(okAtFirst);
    EXPECT_EQ(tagWhileShown, 1);
    EXPECT_EQ(form.Tag(), 0);
    ASSERT_EQ(menu.shell.FileOps.size(), 1u);
    EXPECT_EQ(menu.shell.FileOps[0].Operation, platform::FileOperationKind::Move);
    EXPECT_EQ(menu.shell.FileOps[0].From, data.Path() + u"\\Karten" + u'\0');
    EXPECT_EQ(menu.shell.FileOps[0].To, menu.fixture.Text("common/Spiele") + u"\\" + u'\0');
    // The recording shell moved nothing: the folder made for the move is gone again.
    EXPECT_TRUE(std::filesystem::is_empty(data.Native()));
    // Cancelled, or a name of blanks: nothing is asked of the shell.
    Headless().Queue([&] { ui::headless::PeerOf(*FolderForm->Button2).ClickAt(1, 1); });
    form.FolderClick(nullptr);
    Headless().Queue([&] {
        EXPECT_TRUE(FolderForm->Edit1->Text().empty());  // cleared before each showing
        FolderForm->Edit1->SetText(u"   ");
        ui::headless::PeerOf(*FolderForm->Button1).ClickAt(1, 1);
    });
    form.FolderClick(nullptr);
    EXPECT_EQ(menu.shell.FileOps.size(), 1u);
    EXPECT_EQ(form.Tag(), 0);
    delete FolderForm;
    FolderForm = nullptr;
    DataDir.clear();
}

TEST(MainForm, TheMenuByKeys) {
    Menu menu;
    TMainForm& form = *menu.form;
    auto& keys = static_cast<ui::headless::HeadlessPeer&>(*menu.widget);
    // Enter and Esc are the tree's keys, not the form's dialog keys.
    EXPECT_TRUE(form.ShellTreeView1->WantedKeys() & ui::wkEnter);
    EXPECT_TRUE(form.ShellTreeView1->WantedKeys() & ui::wkEscape);
    // Enter on a folder opens it and closes it again; the menu stays.
    TTreeNode* games = NodeNamed(form, u"Spiele");
    form.ShellTreeView1->SetSelected(games);
    keys.KeyDown(ui::vkReturn);
    EXPECT_TRUE(games->Expanded());
    keys.KeyDown(ui::vkReturn);
    EXPECT_FALSE(games->Expanded());
    EXPECT_TRUE(form.Showing());
    EXPECT_TRUE(menu.shell.Starts.empty());
    // F5 shows an entry that appeared; Del asks the shell to delete the selected entry.
    menu.fixture.MakeFile("common/Neu.desktop");
    keys.KeyDown(ui::vkF5);
    TTreeNode* fresh = NodeNamed(form, u"Neu.desktop");
    ASSERT_NE(fresh, nullptr);
    form.ShellTreeView1->SetSelected(fresh);
    keys.KeyDown(ui::vkDelete);
    ASSERT_EQ(menu.shell.FileOps.size(), 1u);
    EXPECT_EQ(menu.shell.FileOps[0].Operation, platform::FileOperationKind::Delete);
    EXPECT_EQ(menu.shell.FileOps[0].From, menu.fixture.Text("common/Neu.desktop") + u'\0');
    // The menu key and Shift+F10 open the context menu, made ready as for a right click.
    int popups = 0;
    Headless().OnPopup = [&](ui::TPopupMenu& shown) { popups += &shown == form.PopupMenu1; };
    keys.KeyDown(ui::vkApps);
    keys.KeyDown(ui::vkF10, ui::ssShift);
    keys.KeyDown(ui::vkF10);  // without Shift: nothing
    Headless().OnPopup = nullptr;
    EXPECT_EQ(popups, 2);
    EXPECT_TRUE(form.Delete1->Enabled());
    // Enter on an entry starts it as a click does: the menu closes.
    form.ShellTreeView1->SetSelected(NodeNamed(form, u"Editor.desktop"));
    keys.KeyDown(ui::vkReturn);
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_NE(menu.shell.Starts[0].File.find(u"Editor.desktop"), std::u16string::npos);
    EXPECT_FALSE(form.Showing());
}

TEST(MainForm, EscClosesTheMenu) {
    Menu menu;
    static_cast<ui::headless::HeadlessPeer&>(*menu.widget).KeyDown(ui::vkEscape);
    EXPECT_FALSE(menu.form->Showing());
    EXPECT_TRUE(menu.shell.Starts.empty());
}

TEST(MainForm, TheTreeTakesTheSizeOptionBeforeItsRowsAndTheShowingChangesNothing) {
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    fixture.MakeFile("common/Editor.desktop");
    FolderIndex = 1;
    FolderSize = 12;
    TMainForm form;
    form.FillTree(u"rfCommonPrograms");
    ASSERT_TRUE(form.ShellTreeView1->HandleAllocated());
    auto& tree = ui::headless::PeerOf(*form.ShellTreeView1);
    ASSERT_NE(form.ShellTreeView1->Items().GetFirstNode(), nullptr);
    const int changes = tree.AppearanceChanges;
    form.Show();
    EXPECT_EQ(tree.AppearanceChanges, changes) << "the rows would be measured a second time";
    EXPECT_EQ(form.ShellTreeView1->Font().Size(), 12);
    form.Hide();
    FolderSize = 8;
}
