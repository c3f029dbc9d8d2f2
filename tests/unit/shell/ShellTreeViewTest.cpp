// The shell tree on the file-system shell and the in-memory widget: building the root, what gets
// an expand button, roots that fail, opening leaves, refreshing, renaming, the context menu,
// paths, and every item given back.
#include <gtest/gtest.h>

#include "shell/ShellTreeView.h"
#include "support/CaughtErrors.h"
#include "support/FileShell.h"
#include "support/RecordingShellOperations.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/HeadlessTreeView.h"

using namespace shell;
using ui::TTreeNode;

namespace {
struct TreeForm : ui::TForm {
    TreeForm() : ui::TForm(nullptr) {
        SetBounds(0, 0, 300, 600);
        Tree = new TShellTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(0, 0, 300, 600);
    }
    TShellTreeView* Tree;
};

std::vector<std::u16string> Texts(TCustomShellTreeView& tree) {
    std::vector<std::u16string> texts;
    for (TTreeNode* n = tree.Items().GetFirstNode(); n; n = n->GetNext()) texts.push_back(n->Text());
    return texts;
}

TTreeNode* NodeNamed(TCustomShellTreeView& tree, const std::u16string& text) {
    for (TTreeNode* n = tree.Items().GetFirstNode(); n; n = n->GetNext())
        if (n->Text() == text) return n;
    return nullptr;
}

ui::headless::HeadlessBackend& Headless() { return dynamic_cast<ui::headless::HeadlessBackend&>(ui::GetBackend()); }

}  // namespace

TEST(ShellTreeView, ANewTreeShowsTheDesktopExpandedWithFoldersOnly) {
    FileShellFixture fixture;
    TreeForm form;
    auto& widget = ui::headless::PeerOf(*form.Tree);
    TTreeNode* root = form.Tree->Items().GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(form.Tree->Root(), u"rfDesktop");
    EXPECT_EQ(form.Tree->ObjectTypes(), Types(otFolders));
    EXPECT_FALSE(form.Tree->ShowRoot());
    EXPECT_TRUE(form.Tree->RightClickSelect());
    EXPECT_EQ(root->Text(), u"Desktop");
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(form.Tree->Selected(), root);
    EXPECT_EQ(root->GetNextSibling(), nullptr);
    ASSERT_GT(root->Count(), 0);
    for (int i = 0; i < root->Count(); ++i) EXPECT_TRUE(TCustomShellTreeView::FolderOf(root->Item(i))->IsFolder());
    EXPECT_EQ(widget.Rows().size(), static_cast<std::size_t>(root->Count() + 1));
    for (int i = 0; i < form.Tree->Items().Count(); ++i)
        EXPECT_EQ(form.Tree->GetFolder(i), form.Tree->Items().Item(i)->Data());
    EXPECT_EQ(form.Tree->Path(), u"\\");
}

TEST(ShellTreeView, ExpandButtonsFollowTheObjectTypes) {
    FileShellFixture fixture;
    fixture.MakeFile("m/Nur Verknüpfungen/Editor.desktop");
    fixture.MakeFolder("m/Leer");
    fixture.MakeFolder("m/Mit Ordner/Innen");
    TreeForm form;
    form.Tree->SetRoot(fixture.Text("m"));
    EXPECT_EQ(Texts(*form.Tree), (std::vector<std::u16string>{u"m", u"Leer", u"Mit Ordner", u"Nur Verknüpfungen"}));
    EXPECT_FALSE(NodeNamed(*form.Tree, u"Nur Verknüpfungen")->HasChildren());
    EXPECT_TRUE(NodeNamed(*form.Tree, u"Mit Ordner")->HasChildren());

    form.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    EXPECT_TRUE(NodeNamed(*form.Tree, u"Nur Verknüpfungen")->HasChildren());
    EXPECT_FALSE(NodeNamed(*form.Tree, u"Leer")->HasChildren());
    // Opening it reads the shortcut; folders come before files, names without regard to case.
    fixture.MakeFile("m/Nur Verknüpfungen/abc.desktop");
    fixture.MakeFolder("m/Nur Verknüpfungen/Zubehör");
    NodeNamed(*form.Tree, u"Nur Verknüpfungen")->Expand(false);
    TTreeNode* shortcuts = NodeNamed(*form.Tree, u"Nur Verknüpfungen");
    ASSERT_EQ(shortcuts->Count(), 3);
    EXPECT_EQ(shortcuts->Item(0)->Text(), u"Zubehör");
    EXPECT_EQ(shortcuts->Item(1)->Text(), u"abc.desktop");
    EXPECT_EQ(shortcuts->Item(2)->Text(), u"Editor.desktop");
}

TEST(ShellTreeView, RootsChangeOnlyForNewTextsAndFailuresKeepThePreviousRoot) {
    FileShellFixture fixture;
    fixture.UseProgramsFolders();
    fixture.MakeFolder("common/Zubehör");
    TreeForm form;
    form.Tree->SetRoot(u"rfCommonPrograms");
    TTreeNode* root = form.Tree->Items().GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Text(), u"common");
    const int reads = fixture.Shell().Enumerations();
    form.Tree->SetRoot(u"RFCOMMONPROGRAMS");
    EXPECT_EQ(fixture.Shell().Enumerations(), reads);
    EXPECT_EQ(form.Tree->Items().GetFirstNode(), root);
    EXPECT_EQ(form.Tree->Root(), u"rfCommonPrograms");

    try {
        form.Tree->SetRoot(fixture.Text("fehlt"));
        ADD_FAILURE() << "a missing path must be refused";
    } catch (const ui::Exception& error) {
        EXPECT_EQ(error.Message(), u"Fehler beim Festlegen des Pfades: \"" + fixture.Text("fehlt") + u"\"");
    }
    EXPECT_EQ(form.Tree->Root(), u"rfCommonPrograms");
    EXPECT_EQ(Texts(*form.Tree), (std::vector<std::u16string>{u"common", u"Zubehör"}));
    EXPECT_EQ(form.Tree->RootFolder()->PathName(), fixture.Text("common"));

    form.Tree->SetRoot(u"rfPrograms");
    EXPECT_EQ(form.Tree->Items().GetFirstNode()->Text(), u"user");
}

TEST(ShellTreeView, ExpandingALeafOpensItAndAFailingFolderShowsNoChildren) {
    FileShellFixture fixture;
    RecordingShellOperations shell;
    fixture.MakeFile("m/Spiel.desktop");
    fixture.MakeFile("m/Kaputt/innen.txt");
    TreeForm form;
    form.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    form.Tree->SetRoot(fixture.Text("m"));
    auto& widget = ui::headless::PeerOf(*form.Tree);

    TTreeNode* game = NodeNamed(*form.Tree, u"Spiel.desktop");
    ASSERT_NE(game, nullptr);
    EXPECT_FALSE(game->HasChildren());
    game->SetHasChildren(true);  // as if the shell had reported children
    widget.UserToggle(game->ItemId());
    // Opened with its program, without a window of its own, in its folder.
    ASSERT_EQ(shell.Starts.size(), 1u);
    EXPECT_EQ(shell.Starts[0].Verb, u"");
    EXPECT_EQ(shell.Starts[0].File, fixture.Text("m/Spiel.desktop"));
    EXPECT_EQ(shell.Starts[0].Show, platform::ShowState::Hidden);
    EXPECT_EQ(game->Count(), 0);
    EXPECT_FALSE(game->HasChildren());

    TTreeNode* broken = NodeNamed(*form.Tree, u"Kaputt");
    ASSERT_TRUE(broken->HasChildren());
    const int hourglass = Headless().HourGlassShown;
    fixture.Shell().OnEnumerate = [](const std::string& directory) {
        if (directory.ends_with("Kaputt")) throw std::runtime_error("the folder failed");
    };
    widget.UserToggle(broken->ItemId());
    EXPECT_EQ(broken->Count(), 0);
    EXPECT_FALSE(broken->HasChildren());
    EXPECT_GT(Headless().HourGlassShown, hourglass);
    EXPECT_EQ(Headless().ShownCursor, ui::TScreenCursor::Default);
}

TEST(ShellTreeView, RefreshKeepsWhatWasOpenAndSelectedAndShowsNewFolders) {
    FileShellFixture fixture;
    fixture.MakeFolder("m/Alpha/Innen");
    fixture.MakeFolder("m/Delta");
    TreeForm form;
    form.Tree->SetRoot(fixture.Text("m"));
    auto& widget = ui::headless::PeerOf(*form.Tree);
    NodeNamed(*form.Tree, u"Alpha")->Expand(false);
    form.Tree->SetSelected(NodeNamed(*form.Tree, u"Innen"));
    fixture.MakeFolder("m/beta");
    const int redraws = widget.Redraws;
    form.Tree->Refresh(form.Tree->Items().GetFirstNode());
    EXPECT_EQ(Texts(*form.Tree), (std::vector<std::u16string>{u"m", u"Alpha", u"Innen", u"beta", u"Delta"}));
    EXPECT_TRUE(NodeNamed(*form.Tree, u"Alpha")->Expanded());
    EXPECT_TRUE(form.Tree->Items().GetFirstNode()->Expanded());
    ASSERT_NE(form.Tree->Selected(), nullptr);
    EXPECT_EQ(form.Tree->Selected()->Text(), u"Innen");
    EXPECT_EQ(form.Tree->Path(), fixture.Text("m/Alpha/Innen"));
    EXPECT_EQ(widget.Redraws, redraws + 1);
    EXPECT_EQ(widget.Rows().size(), 5u);

    // The selected folder is gone after the next refresh: nothing is selected, Path is empty.
    std::filesystem::remove_all(fixture.Native("m/Alpha"));
    form.Tree->Refresh(form.Tree->Items().GetFirstNode());
    EXPECT_EQ(form.Tree->Selected(), nullptr);
    EXPECT_EQ(form.Tree->SelectedFolder(), nullptr);
    EXPECT_EQ(form.Tree->Path(), u"");
    // A leaf is not refreshed.
    fixture.MakeFile("m/Datei.txt");
    form.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    TTreeNode* file = NodeNamed(*form.Tree, u"Datei.txt");
    const int reads = fixture.Shell().Enumerations();
    form.Tree->Refresh(file);
    EXPECT_EQ(fixture.Shell().Enumerations(), reads);
    EXPECT_EQ(NodeNamed(*form.Tree, u"Datei.txt"), file);
}

TEST(ShellTreeView, RefreshReadsExactlyTheOpenFolders) {
    FileShellFixture fixture;
    for (int i = 0; i < 19; ++i) fixture.MakeFolder("m/Ordner " + std::to_string(100 + i) + "/Unterordner");
    fixture.MakeFolder("m/Zu");  // stays closed
    TreeForm form;
    form.Tree->SetRoot(fixture.Text("m"));
    TTreeNode* root = form.Tree->Items().GetFirstNode();
    for (int i = 0; i < root->Count(); ++i)
        if (root->Item(i)->Text() != u"Zu") root->Item(i)->Expand(false);
    auto& widget = ui::headless::PeerOf(*form.Tree);
    const int reads = fixture.Shell().Enumerations();
    const int redraws = widget.Redraws;
    form.Tree->Refresh(form.Tree->Items().GetFirstNode());
    EXPECT_EQ(fixture.Shell().Enumerations() - reads, 20);
    EXPECT_EQ(widget.Redraws, redraws + 1);
    EXPECT_EQ(form.Tree->Items().Count(), 1 + 20 + 19);
}

TEST(ShellTreeView, LabelEditsRenameTheFile) {
    FileShellFixture fixture;
    fixture.MakeFile("m/Alt.txt");
    fixture.MakeFile("m/Belegt.txt");
    TreeForm form;
    CaughtErrors errors;
    form.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    form.Tree->SetRoot(fixture.Text("m"));
    auto& widget = ui::headless::PeerOf(*form.Tree);
    std::vector<std::u16string> edited;
    form.Tree->OnEdited = [&](ui::TObject*, TTreeNode*, std::u16string& S) { edited.push_back(S); };
    TTreeNode* node = NodeNamed(*form.Tree, u"Alt.txt");
    node->EditText();
    ASSERT_EQ(widget.Editing, node->ItemId());
    const std::u16string name = u"Neu.txt";
    widget.UserEndEdit(&name);
    EXPECT_EQ(node->Text(), u"Neu.txt");
    EXPECT_EQ(widget.Items.at(node->ItemId()).Text, u"Neu.txt");
    EXPECT_TRUE(std::filesystem::exists(fixture.Native("m/Neu.txt")));
    EXPECT_EQ(form.Tree->Path(), fixture.Text("m"));  // the root stays selected
    EXPECT_EQ(edited, std::vector<std::u16string>{u"Neu.txt"});

    node->EditText();
    const std::u16string taken = u"Belegt.txt";
    widget.UserEndEdit(&taken);
    EXPECT_EQ(errors.Messages, std::vector<std::u16string>{u"Rename to Belegt.txt failed"});
    EXPECT_EQ(node->Text(), u"Neu.txt");
    EXPECT_EQ(widget.Items.at(node->ItemId()).Text, u"Neu.txt");
    EXPECT_TRUE(std::filesystem::exists(fixture.Native("m/Neu.txt")));
}

TEST(ShellTreeView, TheContextMenuRenamesInPlaceAndDeletedItemsLeave) {
    FileShellFixture fixture;
    fixture.MakeFile("m/Weg.txt");
    fixture.MakeFile("m/Bleibt.txt");
    TreeForm form;
    form.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    form.Tree->SetRoot(fixture.Text("m"));
    auto& widget = ui::headless::PeerOf(*form.Tree);
    int choice = 0;
    fixture.Shell().MenuChoice = [&](const std::vector<platform::posix::ShellMenuEntry>&) { return choice; };

    form.Tree->SetSelected(NodeNamed(*form.Tree, u"Bleibt.txt"));
    choice = 3;  // rename: the tree edits the label itself
    ASSERT_TRUE(form.Tree->HandleContextMenu(10, 10));
    EXPECT_EQ(widget.Editing, NodeNamed(*form.Tree, u"Bleibt.txt")->ItemId());
    widget.UserEndEdit(nullptr);
    choice = 0;  // dismissed: nothing happens
    form.Tree->HandleContextMenu(10, 10);
    EXPECT_NE(NodeNamed(*form.Tree, u"Bleibt.txt"), nullptr);

    form.Tree->SetSelected(NodeNamed(*form.Tree, u"Weg.txt"));
    choice = 2;  // delete
    form.Tree->HandleContextMenu(10, 10);
    EXPECT_EQ(NodeNamed(*form.Tree, u"Weg.txt"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(fixture.Native("m/Weg.txt")));
    EXPECT_EQ(fixture.Shell().Requests, std::vector<std::u16string>{u"delete " + fixture.Text("m/Weg.txt")});

    // With its own popup menu the tree leaves the shell's menu closed.
    fixture.Shell().Requests.clear();
    form.Tree->SetAutoContextMenus(false);
    form.Tree->SetSelected(NodeNamed(*form.Tree, u"Bleibt.txt"));
    EXPECT_FALSE(form.Tree->HandleContextMenu(10, 10));
    EXPECT_TRUE(fixture.Shell().Requests.empty());
}

TEST(ShellTreeView, PathsSelectThroughTheirFolders) {
    FileShellFixture fixture;
    fixture.MakeFolder("m/Eins/Zwei/Drei");
    fixture.MakeFolder("anderswo");
    TreeForm form;
    form.Tree->SetRoot(fixture.Text("m"));
    form.Tree->SetPath(fixture.Text("m/Eins/Zwei/Drei"));
    ASSERT_NE(form.Tree->Selected(), nullptr);
    EXPECT_EQ(form.Tree->Selected()->Text(), u"Drei");
    EXPECT_TRUE(NodeNamed(*form.Tree, u"Zwei")->Expanded());
    EXPECT_EQ(form.Tree->Path(), fixture.Text("m/Eins/Zwei/Drei"));

    form.Tree->SetPath(fixture.Text("anderswo"));
    EXPECT_EQ(form.Tree->Selected(), nullptr);
    try {
        form.Tree->SetPath(fixture.Text("m/fehlt"));
        ADD_FAILURE() << "an unparsable path must be refused";
    } catch (const EInvalidPath& error) {
        EXPECT_EQ(error.Message(), u"Fehler beim Festlegen des Pfades: \"" + fixture.Text("m/fehlt") + u"\"");
    }
}

TEST(ShellTreeView, ImagesAddFolderAndWatching) {
    FileShellFixture fixture;
    fixture.MakeFolder("m/Sichtbar/Innen");
    fixture.MakeFolder("m/Verboten");
    TreeForm form;
    auto& widget = ui::headless::PeerOf(*form.Tree);
    form.Tree->SetUseShellImages(false);
    EXPECT_EQ(widget.ImageList, 0);
    form.Tree->OnAddFolder = [](ui::TObject*, TShellFolder* folder, bool& CanAdd) {
        CanAdd = folder->DisplayName() != u"Verboten";
    };
    form.Tree->SetRoot(fixture.Text("m"));
    EXPECT_EQ(Texts(*form.Tree), (std::vector<std::u16string>{u"m", u"Sichtbar"}));
    EXPECT_EQ(NodeNamed(*form.Tree, u"Sichtbar")->ImageIndex(), -1);
    form.Tree->Refresh(form.Tree->Items().GetFirstNode());
    EXPECT_GE(form.Tree->Items().GetFirstNode()->ImageIndex(), 0);  // a refreshed node gets icons

    EXPECT_EQ(form.Tree->Notifier(), nullptr);
    form.Tree->SetAutoRefresh(true);
    ASSERT_NE(form.Tree->Notifier(), nullptr);
    EXPECT_EQ(form.Tree->Notifier()->Root(), fixture.Text("m"));
    EXPECT_FALSE(form.Tree->Notifier()->WatchSubTree());
    form.Tree->SetSelected(NodeNamed(*form.Tree, u"Sichtbar"));
    ASSERT_NE(form.Tree->Notifier(), nullptr);
    EXPECT_EQ(form.Tree->Notifier()->Root(), fixture.Text("m/Sichtbar"));
    form.Tree->SetAutoRefresh(false);
    EXPECT_EQ(form.Tree->Notifier(), nullptr);
}

TEST(ShellTreeView, EveryListAndShellObjectIsGivenBack) {
    FileShellFixture fixture;
    fixture.MakeFolder("m/A/B/C");
    fixture.MakeFile("m/A/x.desktop");
    ASSERT_NE(DesktopItem(), nullptr);
    const long blocks = platform::ShellBlocksHeld(), objects = platform::ShellObjectsHeld();
    {
        TreeForm form;
        form.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
        form.Tree->SetRoot(fixture.Text("m"));
        form.Tree->SetPath(fixture.Text("m/A/B/C"));
        form.Tree->Refresh(form.Tree->Items().GetFirstNode());
        form.Tree->SetAutoRefresh(true);
        EXPECT_GT(platform::ShellBlocksHeld(), blocks);
    }
    EXPECT_EQ(platform::ShellBlocksHeld(), blocks);
    EXPECT_EQ(platform::ShellObjectsHeld(), objects);
}

TEST(ShellTreeView, ChildrensNamesIconsAndButtonsAreAskedWhenFirstNeeded) {
    FileShellFixture fixture;
    for (int i = 0; i < 5; ++i) fixture.MakeFile("m/Ordner " + std::to_string(i) + "/Programm.desktop");
    fixture.MakeFolder("m/Leer");
    TreeForm form;  // no widget yet: nothing is drawn
    form.Tree->SetRoot(fixture.Text("m"));
    const int before = fixture.Shell().Enumerations();
    form.Tree->SetObjectTypes(Types(otFolders) | Types(otNonFolders));
    // The root was read; its children's folders were not opened to find their buttons.
    EXPECT_EQ(fixture.Shell().Enumerations() - before, 2);  // the root's button and its children
    // Nor were the children's names asked for; the first reading gets the shell's name.
    TTreeNode* root = form.Tree->Items().GetFirstNode();
    ASSERT_EQ(root->Count(), 6);
    for (int i = 0; i < root->Count(); ++i) EXPECT_TRUE(root->Item(i)->TextPending());
    EXPECT_EQ(root->Item(0)->Text(), u"Leer");
    EXPECT_FALSE(root->Item(0)->TextPending());
    EXPECT_TRUE(root->Item(1)->TextPending());
    TTreeNode* first = NodeNamed(*form.Tree, u"Ordner 0");
    ASSERT_NE(first, nullptr);
    const int asked = fixture.Shell().Enumerations();
    // A child's own folder is bound when its button is first needed, not while the list is read.
    const long held = platform::ShellObjectsHeld();
    EXPECT_TRUE(first->HasChildren());
    EXPECT_EQ(platform::ShellObjectsHeld() - held, 1);
    EXPECT_FALSE(NodeNamed(*form.Tree, u"Leer")->HasChildren());
    EXPECT_EQ(fixture.Shell().Enumerations() - asked, 2);
    EXPECT_TRUE(first->HasChildren());  // answered once
    EXPECT_EQ(fixture.Shell().Enumerations() - asked, 2);
    // Icons, when asked, are the shell's: a folder's open icon differs from its closed one.
    EXPECT_GE(first->ImageIndex(), 0);
    EXPECT_NE(first->SelectedIndex(), first->ImageIndex());
    EXPECT_EQ(NodeNamed(*form.Tree, u"Leer")->SelectedIndex(), first->SelectedIndex());
}
