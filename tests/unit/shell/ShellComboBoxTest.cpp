// The extended combo box model and the shell combo box on the file-system shell: entries with
// their indent and pictures, a choice as click then change, the chain down to a folder chosen in a
// linked tree, a choice in the box moving the tree and the list, a path that names nothing, and
// the three controls linked and freed in every order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "shell/ShellComboBox.h"
#include "platform/ShellIcons.h"
#include "shell/ShellConsts.h"
#include "support/FileShell.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/HeadlessComboBoxEx.h"
#include "ui/headless/HeadlessListView.h"

using namespace shell;

namespace {
struct Linked : ui::TForm {
    Linked() : ui::TForm(nullptr) {
        SetBounds(0, 0, 800, 500);
        Tree = new TShellTreeView(this);
        Tree->SetParent(this);
        Combo = new TShellComboBox(this);
        Combo->SetParent(this);
        List = new TShellListView(this);
        List->SetParent(this);
    }
    std::vector<std::u16string> Entries() const {
        std::vector<std::u16string> entries;
        for (int i = 0; i < Combo->Items().Count(); ++i) entries.push_back(Combo->Items().Items(i)->Caption());
        return entries;
    }
    int Indent(const std::u16string& caption) const {
        for (int i = 0; i < Combo->Items().Count(); ++i)
            if (Combo->Items().Items(i)->Caption() == caption) return Combo->Items().Items(i)->Indent();
        return -1;
    }
    TShellTreeView* Tree;
    TShellComboBox* Combo;
    TShellListView* List;
};

struct Menu {
    Menu() {
        fixture.UseProgramsFolders();
        fixture.MakeFile("common/Zubehör/Werkzeug/Größen/Maße.txt");
        fixture.MakeFile("common/Alpha/x.txt");
        fixture.MakeFile("common/datei.txt");
    }
    FileShellFixture fixture;
};
}  // namespace

TEST(ComboBoxEx, EntriesSelectionAndAChoiceAsClickThenChange) {
    ui::TForm form(nullptr);
    auto* box = new ui::TComboBoxEx(&form);
    box->SetParent(&form);
    std::vector<std::string> events;
    box->OnClick = [&](ui::TObject*) { events.push_back("click " + std::to_string(box->ItemIndex())); };
    box->OnChange = [&](ui::TObject*) { events.push_back("change " + std::to_string(box->ItemIndex())); };
    for (const char16_t* caption : {u"eins", u"zwei", u"drei"}) box->Items().Add()->SetCaption(caption);
    box->Items().Items(2)->SetIndent(2);
    box->Items().Items(2)->SetImageIndex(7);
    box->SetItemIndex(1);
    EXPECT_TRUE(events.empty());  // the program's own selection is no choice
    auto& widget = ui::headless::PeerOf(*box);
    ASSERT_EQ(widget.Rows.size(), 3u);
    EXPECT_EQ(widget.Rows[2].Indent, 2);
    EXPECT_EQ(widget.Rows[2].Image, 7);
    EXPECT_EQ(widget.Selected, 1);
    // Inserting before and deleting keep the selection on its entry.
    box->Items().Insert(0)->SetCaption(u"null");
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(widget.Selected, 2);
    box->Items().Delete(0);
    EXPECT_EQ(box->ItemIndex(), 1);
    box->Items().Delete(1);
    EXPECT_EQ(box->ItemIndex(), -1);
    widget.UserChoose(1);
    EXPECT_EQ(events, (std::vector<std::string>{"click 1", "change 1"}));
    box->Items().BeginUpdate();
    EXPECT_FALSE(widget.Redraw);
    box->Items().EndUpdate();
    EXPECT_TRUE(widget.Redraw);
    box->SetItemIndex(9);
    EXPECT_EQ(box->ItemIndex(), -1);
}

TEST(ShellComboBox, TheRootItsFoldersAndTheChainToAFolderChosenInTheTree) {
    Menu menu;
    Linked form;
    form.Tree->SetShellComboBox(form.Combo);
    EXPECT_EQ(form.Tree->ShellComboBox(), form.Combo);
    EXPECT_EQ(form.Combo->ShellTreeView(), form.Tree);
    form.Tree->SetRoot(u"rfCommonPrograms");
    EXPECT_EQ(form.Combo->Root(), u"rfCommonPrograms");
    // The root, then its folders (not its files) in the folder's order; no drives for this root.
    const auto entries = form.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1], u"Alpha");
    EXPECT_EQ(entries[2], u"Zubehör");
    EXPECT_EQ(form.Combo->Items().Items(0)->Indent(), 0);
    EXPECT_EQ(form.Combo->ItemIndex(), 0);
    EXPECT_EQ(form.Combo->Path(), menu.fixture.Text("common"));
    EXPECT_EQ(form.Combo->GetFolder(99), form.Combo->GetFolder(2));

    // A deep folder chosen in the tree: the chain from "Zubehör" down, each level one further in.
    form.Tree->SetPath(menu.fixture.Text("common/Zubehör/Werkzeug/Größen"));
    EXPECT_EQ(form.Entries(), (std::vector<std::u16string>{entries[0], u"Alpha", u"Zubehör", u"Werkzeug", u"Größen"}));
    EXPECT_EQ(form.Indent(u"Werkzeug"), form.Indent(u"Zubehör") + 1);
    EXPECT_EQ(form.Indent(u"Größen"), form.Indent(u"Zubehör") + 2);
    EXPECT_EQ(form.Combo->ItemIndex(), 4);
    EXPECT_EQ(form.Combo->Path(), menu.fixture.Text("common/Zubehör/Werkzeug/Größen"));
    EXPECT_EQ(ui::headless::PeerOf(*form.Combo).Rows[4].Indent, form.Indent(u"Größen"));

    // A path the shell cannot parse is refused with the message; what is shown stays.
    try {
        form.Combo->SetPath(menu.fixture.Text("common/gibt es nicht"));
        ADD_FAILURE() << "a missing folder must be refused";
    } catch (const EInvalidPath& error) {
        EXPECT_EQ(error.Message(), FormatShellMessage(SErrorSettingPath, menu.fixture.Text("common/gibt es nicht")));
    }
    EXPECT_EQ(form.Combo->ItemIndex(), 4);
}

TEST(ShellComboBox, AChoiceInTheBoxMovesTheTreeAndTheList) {
    Menu menu;
    Linked form;
    form.List->SetShellTreeView(form.Tree);
    form.List->SetShellComboBox(form.Combo);
    EXPECT_EQ(form.Combo->ShellListView(), form.List);
    form.Tree->SetShellComboBox(form.Combo);
    form.Tree->SetRoot(u"rfCommonPrograms");
    EXPECT_EQ(form.List->Root(), u"rfCommonPrograms");
    auto& box = ui::headless::PeerOf(*form.Combo);
    box.UserChoose(1);  // Alpha
    ASSERT_NE(form.Tree->SelectedFolder(), nullptr);
    EXPECT_EQ(form.Tree->SelectedFolder()->DisplayName(), u"Alpha");
    ASSERT_EQ(form.List->Items().Count(), 1);
    EXPECT_EQ(form.List->ItemText(0, 0), u"x.txt");
    EXPECT_EQ(form.Combo->ItemIndex(), 1);
    // Back in the list: the box shows the root again.
    ui::headless::PeerOf(static_cast<ui::TWinControl&>(*form.List)).KeyDown(8);
    EXPECT_EQ(form.Combo->ItemIndex(), 0);
    EXPECT_EQ(form.Tree->SelectedFolder(), form.Tree->GetFolder(0));
}

TEST(ShellComboBox, ThreeLinkedControlsFreedInEveryOrderLeaveNoLink) {
    Menu menu;
    std::array<int, 3> order{0, 1, 2};
    do {
        auto form = std::make_unique<Linked>();
        form->Tree->SetShellComboBox(form->Combo);
        form->Tree->SetShellListView(form->List);
        form->List->SetShellComboBox(form->Combo);
        form->Tree->SetRoot(u"rfCommonPrograms");
        ui::TComponent* controls[3] = {form->Tree, form->Combo, form->List};
        for (int which : order) {
            delete controls[which];
            controls[which] = nullptr;
            // What is left still works: a root change reaches every control that is there.
            const TRoot next = form->Tree && controls[0] ? u"rfPrograms" : u"rfCommonPrograms";
            if (controls[0]) form->Tree->SetRoot(next);
            if (controls[1]) {
                EXPECT_EQ(form->Combo->ShellTreeView(), controls[0]);
            }
            if (controls[2]) {
                EXPECT_EQ(form->List->ShellComboBox(), controls[1] ? static_cast<IShellLinkedView*>(form->Combo) : nullptr);
            }
            if (controls[0]) {
                EXPECT_EQ(form->Tree->ShellListView(), controls[2] ? static_cast<IShellLinkedView*>(form->List) : nullptr);
            }
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(ShellComboBox, PicturesFromTheSystemAnOwnListOrNone) {
    Menu menu;
    Linked form;
    form.Combo->SetRoot(u"rfCommonPrograms");
    auto& widget = ui::headless::PeerOf(*form.Combo);
    EXPECT_TRUE(form.Combo->UseShellImages());
    EXPECT_EQ(widget.Images, platform::GetShellIcons().SystemImages(platform::SmallIcon));
    EXPECT_EQ(form.Combo->ImageWidth(), 16);
    // An own list, destroyed with the box; the owner picks each entry's picture.
    auto own = std::make_unique<ui::TImageList>(nullptr);
    own->SetSize(24, 24);
    form.Combo->SetImageList(std::move(own));
    EXPECT_EQ(widget.Images, form.Combo->ImageList()->Handle());
    EXPECT_EQ(form.Combo->ImageHeight(), 24);
    std::vector<int> asked;
    form.Combo->OnGetImageIndex = [&](ui::TObject*, int index, int& image) {
        asked.push_back(index);
        image = 100 + index;
    };
    form.Combo->SetUseShellImages(false);
    form.Combo->SetRoot(u"rfPrograms");
    form.Combo->SetRoot(u"rfCommonPrograms");
    EXPECT_EQ(asked, (std::vector<int>{1, 2}));  // the first level's entries, not the root's
    EXPECT_EQ(form.Combo->Items().Items(2)->ImageIndex(), 102);
    EXPECT_EQ(widget.Rows[2].SelectedImage, 102);
    // No own list and no system list: no pictures.
    form.Combo->SetImageList(nullptr);
    EXPECT_EQ(widget.Images, 0);
    EXPECT_EQ(form.Combo->ImageWidth(), 16);
}
