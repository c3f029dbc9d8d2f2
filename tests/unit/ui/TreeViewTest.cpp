// The tree control's model on the in-memory widget: nodes and their order, expansion with its
// questions, selection, hit tests, label editing, updates drawn once, sorting, deletion.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/AskingTree.h"
#include "support/TextOut.h"
#include "ui/Form.h"
#include "ui/TreeView.h"
#include "ui/headless/HeadlessBackend.h"

using namespace ui;
using headless::PeerOf;

namespace {
// A borderless form filled by one tree of the given kind.
template <class Kind>
struct TreeFormOf : TForm {
    TreeFormOf() : TForm(nullptr) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 300, 400);
        Tree = new Kind(this);
        Tree->SetParent(this);
        Tree->SetBounds(0, 0, 300, 400);
    }
    Kind* Tree;
};
using TreeForm = TreeFormOf<TTreeView>;

std::vector<std::u16string> Texts(const TTreeNodes& nodes) {
    std::vector<std::u16string> texts;
    for (TTreeNode* n = nodes.GetFirstNode(); n; n = n->GetNext()) texts.push_back(n->Text());
    return texts;
}

std::vector<std::u16string> RowTexts(headless::HeadlessTreeView& widget) {
    std::vector<std::u16string> texts;
    for (std::intptr_t id : widget.Rows()) texts.push_back(widget.Items.at(id).Text);
    return texts;
}
}  // namespace

TEST(TreeView, NodesKeepTheirOrderInTheModelAndTheWidget) {
    TreeForm form;
    TTreeNodes& items = form.Tree->Items();
    // Made before the widget exists: the widget gets them when it is made.
    TTreeNode* programs = items.AddChild(nullptr, u"Programme");
    TTreeNode* tools = items.AddChild(programs, u"Zubehör");
    items.AddChild(tools, u"Editor");
    auto& widget = PeerOf(*form.Tree);
    TTreeNode* games = items.Add(programs, u"Spiele");
    items.AddChildFirst(programs, u"Autostart");
    items.Insert(tools, u"Büro");
    EXPECT_EQ(Texts(items), (std::vector<std::u16string>{u"Programme", u"Autostart", u"Büro", u"Zubehör", u"Editor", u"Spiele"}));
    EXPECT_EQ(items.Count(), 6);
    EXPECT_EQ(items.Item(3), tools);
    EXPECT_EQ(items.Item(6), nullptr);
    EXPECT_EQ(tools->AbsoluteIndex(), 3);
    EXPECT_EQ(tools->Index(), 2);
    EXPECT_EQ(tools->Level(), 1);
    EXPECT_EQ(tools->Item(0)->Level(), 2);
    EXPECT_TRUE(programs->HasChildren());
    EXPECT_FALSE(games->HasChildren());
    games->SetHasChildren(true);  // a folder not yet read
    EXPECT_TRUE(widget.Items.at(games->ItemId()).HasChildren);
    EXPECT_EQ(items.GetNode(tools->ItemId()), tools);
    // The widget shows the same order once everything is open.
    programs->Expand(true);
    EXPECT_EQ(RowTexts(widget), Texts(items));
}

TEST(TreeView, ExpansionAsksFirstAndMayFillTheNode) {
    TreeForm form;
    auto& widget = PeerOf(*form.Tree);
    TTreeNode* folder = form.Tree->Items().AddChild(nullptr, u"Ordner");
    folder->SetHasChildren(true);
    std::vector<std::string> events;
    bool allow = false;
    form.Tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allowed) {
        events.push_back("expanding " + U8(node->Text()));
        allowed = allow;
        // Read on first opening, as a folder's entries are.
        if (allow && node->Count() == 0) {
            form.Tree->Items().AddChild(node, u"b");
            form.Tree->Items().AddChild(node, u"a");
        }
    };
    form.Tree->OnExpanded = [&](TObject*, TTreeNode* node) { events.push_back("expanded " + U8(node->Text())); };
    form.Tree->OnCollapsed = [&](TObject*, TTreeNode* node) { events.push_back("collapsed " + U8(node->Text())); };
    folder->Expand(false);  // refused
    EXPECT_FALSE(folder->Expanded());
    widget.UserToggle(folder->ItemId());  // refused too, from the widget
    EXPECT_FALSE(widget.Items.at(folder->ItemId()).Expanded);
    allow = true;
    widget.UserToggle(folder->ItemId());
    EXPECT_TRUE(folder->Expanded());
    EXPECT_EQ(RowTexts(widget), (std::vector<std::u16string>{u"Ordner", u"b", u"a"}));
    widget.UserToggle(folder->ItemId());
    EXPECT_FALSE(folder->Expanded());
    EXPECT_EQ(events, (std::vector<std::string>{"expanding Ordner", "expanding Ordner", "expanding Ordner",
                                                "expanded Ordner", "collapsed Ordner"}));
}

TEST(TreeView, SelectionHitTestsAndLabelEditing) {
    TreeForm form;
    auto& widget = PeerOf(*form.Tree);
    TTreeNodes& items = form.Tree->Items();
    TTreeNode* a = items.AddChild(nullptr, u"A");
    TTreeNode* b = items.AddChild(nullptr, u"B");
    TTreeNode* b1 = items.AddChild(b, u"B1");
    std::vector<TTreeNode*> changes;
    bool allow = true;
    form.Tree->OnChanging = [&](TObject*, TTreeNode*, bool& allowed) { allowed = allow; };
    form.Tree->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node); };
    form.Tree->SetSelected(b);
    widget.UserSelect(a->ItemId());
    allow = false;
    widget.UserSelect(b->ItemId());
    EXPECT_EQ(form.Tree->Selected(), a);
    EXPECT_EQ(changes, (std::vector<TTreeNode*>{b, a}));
    EXPECT_TRUE(a->Selected());
    // Rows of 18 pixels: the third row exists only with B open.
    EXPECT_EQ(form.Tree->GetNodeAt(5, 20), b);
    EXPECT_EQ(form.Tree->GetNodeAt(5, 40), nullptr);
    b->Expand(false);
    EXPECT_EQ(form.Tree->GetNodeAt(5, 40), b1);
    EXPECT_EQ(form.Tree->GetNodeAt(5, -1), nullptr);
    EXPECT_EQ(form.Tree->TopItem(), a);
    // Label editing: asked first; the handler may change the text; a cancel changes nothing.
    bool editable = false;
    form.Tree->OnEditing = [&](TObject*, TTreeNode*, bool& allowed) { allowed = editable; };
    form.Tree->OnEdited = [](TObject*, TTreeNode*, std::u16string& s) { s += u".lnk"; };
    b1->EditText();
    EXPECT_EQ(widget.Editing, 0);
    editable = true;
    b1->EditText();
    EXPECT_EQ(widget.Editing, b1->ItemId());
    const std::u16string typed = u"Neu";
    widget.UserEndEdit(&typed);
    EXPECT_EQ(b1->Text(), u"Neu.lnk");
    b1->EditText();
    widget.UserEndEdit(nullptr);
    EXPECT_EQ(b1->Text(), u"Neu.lnk");
    form.Tree->SetReadOnly(true);
    b1->EditText();
    EXPECT_EQ(widget.Editing, 0);

    // A right press selects the node under it only with RightClickSelect.
    allow = true;
    ASSERT_EQ(form.Tree->Selected(), a);
    widget.Press(5, 20, mbRight);
    widget.Release(5, 20, mbRight);
    EXPECT_EQ(form.Tree->Selected(), a);
    form.Tree->SetRightClickSelect(true);
    widget.Press(5, 20, mbRight);
    widget.Release(5, 20, mbRight);
    EXPECT_EQ(form.Tree->Selected(), b);
}

TEST(TreeView, UpdatesDrawOnceAndDeletionTellsEveryNodeChildrenFirst) {
    TreeForm form;
    auto& widget = PeerOf(*form.Tree);
    TTreeNodes& items = form.Tree->Items();
    const int before = widget.Redraws;
    items.BeginUpdate();
    items.BeginUpdate();
    TTreeNode* root = items.AddChild(nullptr, u"Wurzel");
    for (int i = 0; i < 50; ++i) items.AddChild(items.AddChild(root, u"Ordner"), u"Eintrag");
    items.EndUpdate();
    EXPECT_FALSE(widget.Redraw);
    items.EndUpdate();
    items.EndUpdate();  // one too many does no harm
    EXPECT_TRUE(widget.Redraw);
    EXPECT_EQ(widget.Redraws, before + 1);
    EXPECT_EQ(items.Count(), 101);

    std::vector<std::u16string> deleted;
    form.Tree->OnDeletion = [&](TObject*, TTreeNode* node) { deleted.push_back(node->Text()); };
    TTreeNode* first = root->Item(0);
    form.Tree->SetSelected(first->Item(0));
    std::vector<TTreeNode*> handedOn;
    form.Tree->OnChange = [&](TObject*, TTreeNode* node) { handedOn.push_back(node); };
    first->Delete();
    EXPECT_EQ(deleted, (std::vector<std::u16string>{u"Eintrag", u"Ordner"}));
    // Like the platform's tree, the widget hands the selection to the parent of a deleted
    // selected item, then to the next sibling of that one when it goes too.
    EXPECT_EQ(handedOn, (std::vector<TTreeNode*>{first, root->Item(0)}));
    EXPECT_EQ(form.Tree->Selected(), root->Item(0));
    form.Tree->OnChange = nullptr;
    EXPECT_EQ(root->Count(), 49);
    EXPECT_EQ(widget.Items.size(), 99u);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_TRUE(widget.Items.empty());
    EXPECT_EQ(deleted.size(), 101u);
}

TEST(TreeView, SortingWithAnyComparatorKeepsEveryNode) {
    TreeForm form;
    auto& widget = PeerOf(*form.Tree);
    TTreeNodes& items = form.Tree->Items();
    TTreeNode* root = items.AddChild(nullptr, u"Wurzel");
    const char16_t* names[] = {u"file2", u"file", u"file10", u"b", u"file1", u"a", u"file"};
    for (const char16_t* name : names) items.AddChild(root, name);
    root->Expand(false);
    // Equal by prefix, as natural order has it: not a strict order, and still a permutation.
    const auto prefixEqual = [](TTreeNode* x, TTreeNode* y) {
        const std::u16string& a = x->Text();
        const std::u16string& b = y->Text();
        const std::size_t n = std::min(a.size(), b.size());
        return a.compare(0, n, b, 0, n);
    };
    EXPECT_TRUE(root->CustomSort(prefixEqual, false));
    std::vector<std::u16string> sorted;
    for (int i = 0; i < root->Count(); ++i) sorted.push_back(root->Item(i)->Text());
    std::vector<std::u16string> expected(std::begin(names), std::end(names));
    std::vector<std::u16string> seen = sorted;
    std::sort(seen.begin(), seen.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(sorted.front(), u"a");
    EXPECT_EQ(sorted[1], u"b");
    // The widget shows the model's new order.
    std::vector<std::u16string> rows = RowTexts(widget);
    rows.erase(rows.begin());
    EXPECT_EQ(rows, sorted);
}

TEST(TreeView, PendingTextsAreAskedOnceWhenFirstReadAndOpeningNeedsChildren) {
    TreeFormOf<AskingTree> form;
    TTreeNodes& items = form.Tree->Items();
    TTreeNode* root = items.AddChild(nullptr, u"Programme");
    TTreeNode* first = items.AddChildTextPending(root, reinterpret_cast<void*>(std::intptr_t{1}));
    TTreeNode* second = items.AddChildTextPending(root, reinterpret_cast<void*>(std::intptr_t{2}));
    // Without a widget nobody asks.
    EXPECT_EQ(form.Tree->TextsAsked, 0);
    EXPECT_TRUE(first->TextPending());
    EXPECT_EQ(first->Text(), u"Eintrag 1");
    EXPECT_EQ(first->Text(), u"Eintrag 1");
    EXPECT_EQ(form.Tree->TextsAsked, 1);
    EXPECT_FALSE(first->TextPending());
    // A text set before it was asked for is not asked for any more.
    second->SetText(u"Rechner");
    EXPECT_EQ(second->Text(), u"Rechner");
    EXPECT_EQ(form.Tree->TextsAsked, 1);

    // A node made while the widget exists carries its data already when the widget asks.
    auto& widget = PeerOf(*form.Tree);
    TTreeNode* third = items.AddChildTextPending(root, reinterpret_cast<void*>(std::intptr_t{3}));
    EXPECT_EQ(widget.Items.at(third->ItemId()).Text, u"Eintrag 3");
    // Made pending again, the text is asked for again and the widget follows.
    first->SetTextPending();
    EXPECT_EQ(widget.Items.at(first->ItemId()).Text, u"Eintrag 1");
    EXPECT_EQ(form.Tree->TextsAsked, 3);

    // The widget opens a node it took for one with children only when the check finds some.
    third->SetHasChildren(true);
    third->SetChildrenPending();
    EXPECT_TRUE(third->ChildrenPending());
    widget.UserToggle(third->ItemId());
    EXPECT_EQ(form.Tree->ChildrenAsked, 1);
    EXPECT_FALSE(third->Expanded());
    EXPECT_FALSE(widget.Items.at(third->ItemId()).Expanded);
    widget.UserToggle(root->ItemId());
    EXPECT_TRUE(root->Expanded());
}

TEST(TreeView, ChildrenMadeUnshownReachTheWidgetOnceInTheirFinalOrder) {
    TreeForm form;
    auto& widget = PeerOf(*form.Tree);
    TTreeNodes& items = form.Tree->Items();
    TTreeNode* root = items.AddChild(nullptr, u"Programme");
    TTreeNode* empty = items.AddChild(nullptr, u"Leer");
    items.AddChild(root, u"Autostart");
    const std::size_t before = widget.Items.size();
    int data = 0;
    for (const char16_t* name : {u"Zubehör", u"Büro", u"Spiele", u"Ärger"}) {
        TTreeNode* node = items.AddChildTextPendingUnshown(root, &data);
        node->SetText(name);
        EXPECT_EQ(node->ItemId(), 0);
    }
    // Made in the model only: the widget has not seen them, and a deleted one never reaches it.
    EXPECT_EQ(widget.Items.size(), before);
    EXPECT_EQ(root->Count(), 5);
    root->Item(3)->Delete();
    root->CustomSort([](TTreeNode* a, TTreeNode* b) { return a->Text().compare(b->Text()); }, false);
    items.ShowNewChildren(root);
    EXPECT_EQ(widget.Items.size(), before + 3);
    root->Expand(false);
    EXPECT_EQ(RowTexts(widget),
              (std::vector<std::u16string>{u"Programme", u"Autostart", u"Büro", u"Zubehör", u"Ärger", u"Leer"}));
    for (int i = 0; i < root->Count(); ++i) EXPECT_EQ(items.GetNode(root->Item(i)->ItemId()), root->Item(i));
    // A second call has nothing new to give.
    items.ShowNewChildren(root);
    EXPECT_EQ(widget.Items.size(), before + 3);
    // A node that had no children gets its button when its first ones arrive.
    EXPECT_FALSE(widget.Items.at(empty->ItemId()).HasChildren);
    items.AddChildTextPendingUnshown(empty, &data)->SetText(u"Neu");
    items.ShowNewChildren(empty);
    EXPECT_TRUE(widget.Items.at(empty->ItemId()).HasChildren);
    EXPECT_EQ(widget.Items.at(empty->ItemId()).Children.size(), 1u);
}
