// The list control's model on the in-memory widget: columns and row texts, selection and focus
// with their questions, deletion of a selected row, sorting with the state kept, label editing,
// header clicks and hit tests.
#include <gtest/gtest.h>

#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/headless/HeadlessBackend.h"
#include "util/FileUtils.h"

using namespace ui;
using headless::PeerOf;

namespace {
struct ListForm : TForm {
    ListForm() : TForm(nullptr) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 400, 300);
        List = new TListView(this);
        List->SetParent(this);
        List->SetBounds(0, 0, 400, 300);
        List->SetViewStyle(vsReport);
        for (const char16_t* caption : {u"Dateiname", u"Größe"}) List->Columns().Add()->SetCaption(caption);
        for (const char16_t* name : {u"file10", u"file2", u"Zubehör", u"abc"}) {
            TListItem* item = List->Items().Add();
            item->SetCaption(name);
            item->AddSubItem(std::u16string(name).size() > 4 ? u"1 KB" : u"");
        }
        List->OnChange = [this](TObject*, TListItem* item, TItemChange change) {
            if (change == ctState) Log.push_back(item->Caption() + (item->Selected() ? u"+" : u"-") + (item->Focused() ? u"f" : u""));
        };
    }
    std::vector<std::u16string> Captions() const {
        std::vector<std::u16string> captions;
        for (int i = 0; i < List->Items().Count(); ++i) captions.push_back(List->Items().Item(i)->Caption());
        return captions;
    }
    TListView* List;
    std::vector<std::u16string> Log;
};
}  // namespace

TEST(ListView, ColumnsAndRowTextsReachTheWidget) {
    ListForm form;
    auto& widget = PeerOf(*form.List);
    ASSERT_EQ(widget.Columns.size(), 2u);
    EXPECT_EQ(widget.Columns[1].Caption, u"Größe");
    form.List->Columns().Items(1)->SetWidth(120);
    form.List->Columns().Items(1)->SetAlignment(taRightJustify);
    EXPECT_EQ(widget.Columns[1].Width, 120);
    EXPECT_EQ(widget.Columns[1].Alignment, taRightJustify);
    ASSERT_EQ(widget.Rows.size(), 4u);
    EXPECT_EQ(widget.RowTexts(0), (std::vector<std::u16string>{u"file10", u"1 KB"}));
    EXPECT_EQ(widget.RowTexts(3), (std::vector<std::u16string>{u"abc", u""}));
    EXPECT_EQ(form.List->ItemText(9, 0), u"");  // no such row
    // Rows below the header, one row height each; nothing past the last row.
    EXPECT_EQ(form.List->GetItemAt(5, widget.HeaderHeight + widget.RowHeight + 2), form.List->Items().Item(1));
    EXPECT_EQ(form.List->GetItemAt(5, 5), nullptr);
    EXPECT_EQ(form.List->GetItemAt(5, 290), nullptr);
}

TEST(ListView, ClicksMoveSelectionAndFocusAskingFirst) {
    ListForm form;
    auto& widget = PeerOf(*form.List);
    widget.UserClick(1);
    EXPECT_EQ(form.List->Selected(), form.List->Items().Item(1));
    EXPECT_EQ(form.List->ItemFocused(), form.List->Items().Item(1));
    widget.UserClick(2);
    EXPECT_EQ(form.Log, (std::vector<std::u16string>{u"file2+f", u"file2-f", u"file2-", u"Zubehör+f"}));
    EXPECT_EQ(form.List->SelCount(), 1);
    // A refusing list keeps its selection.
    form.List->OnChanging = [](TObject*, TListItem* item, TItemChange, bool& allow) { allow = item->Caption() != u"abc"; };
    widget.UserClick(3);
    EXPECT_EQ(form.List->Selected(), nullptr);  // the old row let go, the new one refused
    EXPECT_FALSE(widget.Rows[3].Selected);
    form.List->OnChanging = nullptr;
    // Many selections: Ctrl toggles rows.
    form.List->SetMultiSelect(true);
    widget.UserClick(0);
    widget.UserClick(3, true);
    EXPECT_EQ(form.List->SelCount(), 2);
    widget.UserClick(0, true);
    EXPECT_EQ(form.List->Selected(), form.List->Items().Item(3));
    // The program's own choice goes the same way.
    form.List->SetSelected(form.List->Items().Item(1));
    EXPECT_EQ(form.List->SelCount(), 1);
    EXPECT_TRUE(widget.Rows[1].Selected);
}

TEST(ListView, DeletingTheSelectedRowClearsItFirstAndLeavesNoSelectionBehind) {
    ListForm form;
    auto& widget = PeerOf(*form.List);
    std::vector<std::u16string> deleted;
    form.List->OnDeletion = [&](TObject*, TListItem* item) { deleted.push_back(item->Caption()); };
    widget.UserClick(2);
    form.Log.clear();
    form.List->Items().Item(2)->Delete();
    EXPECT_EQ(form.Log, std::vector<std::u16string>{u"Zubehör-"});
    EXPECT_EQ(deleted, std::vector<std::u16string>{u"Zubehör"});
    EXPECT_EQ(form.List->Selected(), nullptr);
    EXPECT_EQ(widget.Rows.size(), 3u);
    // A change handler that deletes while the list is emptied cannot keep it going.
    form.List->OnChange = [&](TObject*, TListItem*, TItemChange) {
        if (form.List->Items().Count() > 1) form.List->Items().Delete(0);
    };
    widget.UserClick(2);
    form.List->Items().Clear();
    EXPECT_EQ(form.List->Items().Count(), 0);
    EXPECT_TRUE(widget.Rows.empty());
}

TEST(ListView, SortingKeepsEachItemsStateAndUsesTheComparisonEvent) {
    ListForm form;
    auto& widget = PeerOf(*form.List);
    widget.UserClick(0);  // "file10"
    form.List->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& compare) {
        compare = util::NaturalCompare(a->Caption(), b->Caption());
    };
    ASSERT_TRUE(form.List->AlphaSort());
    EXPECT_EQ(form.Captions(), (std::vector<std::u16string>{u"abc", u"file2", u"file10", u"Zubehör"}));
    EXPECT_EQ(form.List->Selected()->Caption(), u"file10");
    EXPECT_TRUE(widget.Rows[2].Selected && widget.Rows[2].Focused);
    EXPECT_FALSE(widget.Rows[0].Selected);
    // Without the event: by caption, as the code units order them.
    form.List->OnCompare = nullptr;
    form.List->AlphaSort();
    EXPECT_EQ(form.Captions(), (std::vector<std::u16string>{u"Zubehör", u"abc", u"file10", u"file2"}));
    // A comparison that is no order at all still leaves every item once.
    form.List->CustomSort([](TListItem*, TListItem*) { return -1; });
    EXPECT_EQ(form.List->Items().Count(), 4);
}

TEST(ListView, LabelEditingAsksAndTheHandlerHasTheLastWord) {
    ListForm form;
    auto& widget = PeerOf(*form.List);
    form.List->SetReadOnly(true);
    form.List->Items().Item(1)->EditCaption();
    EXPECT_EQ(widget.Editing, -1);
    form.List->SetReadOnly(false);
    form.List->OnEditing = [](TObject*, TListItem* item, bool& allow) { allow = item->Caption() != u"abc"; };
    form.List->Items().Item(3)->EditCaption();
    EXPECT_EQ(widget.Editing, -1);
    form.List->OnEdited = [](TObject*, TListItem*, std::u16string& s) {
        if (s.find(u'?') != std::u16string::npos) s = u"ohne";
    };
    form.List->Items().Item(1)->EditCaption();
    ASSERT_EQ(widget.Editing, 1);
    const std::u16string typed = u"neu?";
    widget.UserEndEdit(&typed);
    EXPECT_EQ(form.List->Items().Item(1)->Caption(), u"ohne");
    form.List->Items().Item(1)->EditCaption();
    widget.UserEndEdit(nullptr);
    EXPECT_EQ(form.List->Items().Item(1)->Caption(), u"ohne");

    int clicked = -1;
    form.List->OnColumnClick = [&](TObject*, TListColumn* column) { clicked = column->Index(); };
    widget.UserColumnClick(1);
    EXPECT_EQ(clicked, 1);
    form.List->SetColumnClick(false);
    widget.UserColumnClick(0);
    EXPECT_EQ(clicked, 1);
}

TEST(ListView, OwnerDataAsksForTheRowsItShowsAndKeepsOnlyTheirState) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 400, 300);
    auto* list = new TListView(&form);
    list->SetParent(&form);
    list->SetBounds(0, 0, 400, 300);
    list->SetViewStyle(vsReport);
    list->Columns().Add()->SetCaption(u"Name");
    list->Columns().Add()->SetCaption(u"Nummer");
    list->SetOwnerData(true);
    int asked = 0;
    list->OnData = [&](TObject*, TListItem* item) {
        ++asked;
        item->SetCaption(u"Zeile " + util::UpperCaseText(std::u16string(1, char16_t(u'a' + item->Index() % 26))));
        item->AddSubItem(std::u16string(1, char16_t(u'0' + item->Index() % 10)));
    };
    std::vector<int> changed;
    list->OnChange = [&](TObject*, TListItem* item, TItemChange) { changed.push_back(item->Index()); };
    list->Items().SetCount(100000);
    auto& widget = PeerOf(*list);
    EXPECT_EQ(widget.Rows.size(), 100000u);
    EXPECT_EQ(asked, 0);  // nothing is asked before it is shown or read
    EXPECT_EQ(widget.RowTexts(99998), (std::vector<std::u16string>{u"Zeile C", u"8"}));
    EXPECT_LE(asked, 2);
    // Selection lives in the list, by row.
    widget.UserClick(99999);
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Index(), 99999);
    EXPECT_EQ(list->Selected()->Caption(), u"Zeile D");  // 99999 % 26 = 3
    EXPECT_EQ(changed, std::vector<int>{99999});
    list->SetSelected(list->Items().Item(3));
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_TRUE(widget.Rows[3].Selected);
    // Fewer rows: the state of the rows that went goes with them; sorting is the owner's.
    list->Items().SetCount(3);
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_EQ(widget.Rows.size(), 3u);
    EXPECT_FALSE(list->AlphaSort());
    list->Items().Clear();
    EXPECT_EQ(list->Items().Count(), 0);
    EXPECT_EQ(list->Items().Item(0), nullptr);
    // Back to items of its own: empty, and they hold their texts.
    list->SetOwnerData(false);
    list->Items().Add()->SetCaption(u"eigen");
    EXPECT_EQ(PeerOf(*list).RowTexts(0)[0], u"eigen");
}
