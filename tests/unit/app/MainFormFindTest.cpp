// Type-to-find in the start menu's window on the in-memory widgets: a typed key starts the search
// in a field below the results, the index arrives from its worker and follows a changed folder,
// Esc gives the tree back as it was, Enter launches or shows a folder.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/NbMain.h"
#include "app/NbVariables.h"
#include "support/PumpUntil.h"
#include "support/FileShell.h"
#include "support/RecordingShellOperations.h"
#include "support/TextOut.h"
#include "ui/Application.h"
#include "ui/headless/HeadlessEdit.h"
#include "ui/headless/HeadlessTreeView.h"

using namespace app;
using ui::TTreeNode;

namespace {

TTreeNode* NodeNamed(TMainForm& form, const std::u16string& text) {
    for (TTreeNode* n = form.ShellTreeView1->Items().GetFirstNode(); n; n = n->GetNext())
        if (n->Text() == text) return n;
    return nullptr;
}

std::vector<std::u16string> ResultNames(TMainForm& form) {
    std::vector<std::u16string> names;
    for (int row = 0; row < form.FindList->Count(); ++row) names.push_back(form.FindList->Entry(row)->Name);
    return names;
}

struct FindMenu {
    FindMenu() {
        fixture.UseProgramsFolders();
        fixture.MakeFile("common/Editor.desktop");
        fixture.MakeFile("common/Rechner.desktop");
        fixture.MakeFile("common/Zubehör/Werkzeug/Über Wine.desktop");
        fixture.MakeFile("user/Spiele/Solitär.desktop");
        for (int i = 0; i < 40; ++i) fixture.MakeFile("common/Viele/Eintrag " + std::to_string(i) + ".desktop");
        Links.Clear();
        FolderIndex = 1;
        FolderSize = 8;
        form = std::make_unique<TMainForm>();
        form->ShellTreeView1->SetRoot(u"rfCommonPrograms");
        form->Show();
        tree = &ui::headless::PeerOf(*form->ShellTreeView1);
    }
    ~FindMenu() {
        form.reset();
        Links.Clear();
    }
    ui::headless::HeadlessEdit& Field() {
        return static_cast<ui::headless::HeadlessEdit&>(ui::headless::PeerOf(*form->FindEdit));
    }
    FileShellFixture fixture;
    RecordingShellOperations shell;
    std::unique_ptr<TMainForm> form;
    ui::headless::HeadlessTreeView* tree = nullptr;
};

}  // namespace

TEST(MainFormFind, ATypedKeySearchesAndEscGivesTheTreeBackAsItWas) {
    FindMenu menu;
    TMainForm& form = *menu.form;
    // A tree with open folders, a selection and a scroll position of its own.
    NodeNamed(form, u"Zubehör")->Expand(false);
    NodeNamed(form, u"Viele")->Expand(false);
    form.ShellTreeView1->SetBounds(8, 8, 333, 120);
    TTreeNode* chosen = NodeNamed(form, u"Eintrag 20.desktop");
    form.ShellTreeView1->SetSelected(chosen);
    form.ShellTreeView1->SetTopItem(NodeNamed(form, u"Eintrag 12.desktop"));
    TTreeNode* top = form.ShellTreeView1->TopItem();

    // Typed before the index is read: the field holds the key, no result yet.
    EXPECT_TRUE(menu.tree->KeyPress(u'ü'));
    ASSERT_TRUE(form.Searching());
    EXPECT_FALSE(form.ShellTreeView1->Visible());
    EXPECT_TRUE(form.FindEdit->Visible());
    EXPECT_TRUE(form.FindEdit->Focused());
    EXPECT_EQ(form.FindEdit->Text(), u"ü");
    EXPECT_TRUE(menu.Field().CaretAtEnd);
    EXPECT_EQ(form.FindList->Count(), 0);
    // The field sits at the bottom of the tree's area, the results above it.
    EXPECT_EQ(form.FindEdit->Top() + form.FindEdit->Height(), 8 + 120);
    EXPECT_EQ(form.FindList->Top() + form.FindList->Height(), form.FindEdit->Top());

    form.StartIndex();
    ASSERT_TRUE(PumpUntil([&] { return form.FindList->Count() > 0; }));
    // "Über" begins with it; the two folders have a "u" inside.
    EXPECT_EQ(ResultNames(form), (std::vector<std::u16string>{u"Über Wine.desktop", u"Werkzeug", u"Zubehör"}));
    EXPECT_EQ(form.FindList->Entry(0)->Folder, u"Zubehör › Werkzeug");
    menu.Field().UserEdit(u"uber");
    EXPECT_EQ(ResultNames(form), std::vector<std::u16string>{u"Über Wine.desktop"});
    menu.Field().UserEdit(u"eintrag");
    EXPECT_EQ(form.FindList->Count(), 40);
    EXPECT_EQ(form.FindList->Entry(0)->Name, u"Eintrag 0.desktop");
    EXPECT_EQ(form.FindList->Entry(2)->Name, u"Eintrag 2.desktop");  // natural order: 2 before 10
    menu.Field().KeyDown(ui::vkDown);
    menu.Field().KeyDown(ui::vkDown);
    EXPECT_EQ(form.FindList->Selected(), 2);
    menu.Field().KeyDown(ui::vkNext);
    EXPECT_GT(form.FindList->TopRow(), 0);  // the selection is kept in view
    menu.Field().KeyDown(ui::vkUp);

    // Nothing found: no rows, and the grey line says so.
    menu.Field().UserEdit(u"zzz");
    EXPECT_EQ(form.FindList->Count(), 0);
    auto& results = ui::headless::PeerOf(*form.FindList);
    results.Paint();
    ASSERT_FALSE(results.Texts.empty());
    EXPECT_EQ(results.Texts[0].Text, u"Keine Treffer");

    // The rows follow the tree's font: a larger one makes them taller at the next search.
    const int rowHeight = form.FindList->RowHeight();

    // Esc: the tree again, as it was; a second Esc closes the menu.
    EXPECT_TRUE(menu.Field().KeyDown(ui::vkEscape));
    EXPECT_FALSE(form.Searching());
    EXPECT_TRUE(form.Showing());
    EXPECT_TRUE(form.ShellTreeView1->Visible());
    EXPECT_FALSE(form.FindEdit->Visible());
    EXPECT_FALSE(form.FindList->Visible());
    EXPECT_TRUE(form.ShellTreeView1->Focused());
    EXPECT_EQ(form.ShellTreeView1->Selected(), chosen);
    EXPECT_EQ(form.ShellTreeView1->TopItem(), top);
    EXPECT_TRUE(NodeNamed(form, u"Zubehör")->Expanded());
    EXPECT_TRUE(NodeNamed(form, u"Viele")->Expanded());
    EXPECT_FALSE(NodeNamed(form, u"Werkzeug")->Expanded());

    // Everything typed taken back ends the search too; a click elsewhere does as well.
    menu.tree->KeyPress(u'e');
    menu.Field().UserEdit(u"");
    EXPECT_FALSE(form.Searching());
    menu.tree->KeyPress(u'e');
    ui::headless::PeerOf(*form.Buttons[0]).Press(3, 3);
    EXPECT_FALSE(form.Searching());
    ui::headless::PeerOf(*form.Buttons[0]).LoseCapture();
    // Control characters are no search.
    EXPECT_FALSE(menu.tree->KeyPress(u'\x08'));
    EXPECT_FALSE(form.Searching());

    form.ShellTreeView1->Font().SetSize(16);
    menu.tree->KeyPress(u'x');
    EXPECT_GT(form.FindList->RowHeight(), rowHeight);
    menu.Field().KeyDown(ui::vkEscape);
    EXPECT_TRUE(form.Showing());
    menu.tree->KeyDown(ui::vkEscape);
    EXPECT_FALSE(form.Showing());
    EXPECT_TRUE(menu.shell.Starts.empty());
}

TEST(MainFormFind, EnterLaunchesTheFirstResultOrShowsAFolderAndTheIndexFollowsChanges) {
    FindMenu menu;
    TMainForm& form = *menu.form;
    form.StartIndex();

    // A folder result: the search ends, the folder is shown open and selected in the tree.
    menu.tree->KeyPress(u'w');
    menu.Field().UserEdit(u"werkzeug");
    ASSERT_TRUE(PumpUntil([&] { return form.FindList->Count() > 0; }));
    menu.Field().KeyDown(ui::vkReturn);
    EXPECT_FALSE(form.Searching());
    ASSERT_NE(form.ShellTreeView1->Selected(), nullptr);
    EXPECT_EQ(form.ShellTreeView1->Selected()->Text(), u"Werkzeug");
    EXPECT_TRUE(form.ShellTreeView1->Selected()->Expanded());
    EXPECT_TRUE(form.Showing());

    // A file made while the menu is open is found once the index has followed.
    menu.fixture.MakeFile("common/Zubehör/Neuer Rechner.desktop");
    menu.tree->KeyPress(u'n');
    menu.Field().UserEdit(u"neuer");
    ASSERT_TRUE(PumpUntil([&] { return form.FindList->Count() > 0; }));
    EXPECT_EQ(form.FindList->Entry(0)->Name, u"Neuer Rechner.desktop");

    // Enter with no row chosen launches the first result as a click does.
    menu.Field().UserEdit(u"edi");
    menu.Field().KeyDown(ui::vkReturn);
    ASSERT_EQ(menu.shell.Starts.size(), 1u);
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + menu.fixture.Text("common/Editor.desktop") + u"\"");
    EXPECT_FALSE(form.Showing());
}

TEST(MainFormFind, EnterBeforeTheIndexIsReadLaunchesWhenItArrives) {
    FindMenu menu;
    TMainForm& form = *menu.form;
    menu.tree->KeyPress(u'r');
    menu.Field().UserEdit(u"rech");
    menu.Field().KeyDown(ui::vkReturn);
    EXPECT_TRUE(menu.shell.Starts.empty());
    form.StartIndex();
    ASSERT_TRUE(PumpUntil([&] { return !menu.shell.Starts.empty(); }));
    EXPECT_EQ(menu.shell.Starts[0].File, u"\"" + menu.fixture.Text("common/Rechner.desktop") + u"\"");
}
