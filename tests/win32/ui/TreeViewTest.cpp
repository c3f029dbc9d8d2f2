// The tree on the platform's tree control: items and their order as the control holds them,
// expansion and selection by keys with their questions, hit tests, label editing, custom drawn
// colours, and a screenshot of a dark tree like the start menu's.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include "app/MainWindowDesign.h"
#include "support/AskingTree.h"
#include "support/TextOut.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/TreeView.h"
#include "ui/win32/WindowPeer.h"
#include "win32/Screenshot.h"
#include "win32/WinPump.h"

using namespace ui;
using ui::win32::WindowOf;

namespace {
std::u16string ItemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[128] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = buffer;
    info.cchTextMax = 128;
    TreeView_GetItem(tree, &info);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

// Two 16 x 16 pictures drawn here: a folder and a shortcut.
void AddPictures(TImageList& images) {
    TBitmap folder(16, 16, clFuchsia);
    folder.SetTransparentColor(clFuchsia);
    folder.Canvas().Brush.Color = 0x40C0F0;
    folder.Canvas().FillRect(Rect(1, 4, 15, 14));
    folder.Canvas().FillRect(Rect(1, 2, 7, 4));
    images.Add(folder);
    TBitmap link(16, 16, clFuchsia);
    link.SetTransparentColor(clFuchsia);
    link.Canvas().Brush.Color = 0xE0E0E0;
    link.Canvas().FillRect(Rect(3, 1, 13, 15));
    link.Canvas().Brush.Color = 0xC06020;
    link.Canvas().FillRect(Rect(5, 4, 11, 10));
    images.Add(link);
}

struct TreeWindow : TForm {
    TreeWindow() : TForm(nullptr) {
        SetBorderStyle(bsSizeToolWin);
        SetCaption(u"Nimbrel");
        SetColor(app::DarkGrey);
        SetBounds(40, 40, 360, 320);
        Images = new TImageList(this);
        AddPictures(*Images);
        Tree = new TTreeView(this);
        Tree->SetParent(this);
        Tree->SetBounds(8, 8, 330, 270);
        Tree->SetColor(app::DarkGrey);
        Tree->Font().SetName(u"Segoe UI");
        Tree->Font().SetHeight(-13);
        Tree->Font().SetColor(clWhite);
        Tree->SetImages(Images);
        Tree->SetShowLines(false);
        Tree->OnGetImageIndex = [](TObject*, TTreeNode* node) { node->SetImageIndex(node->HasChildren() ? 0 : 1); };
        Tree->OnGetSelectedIndex = [](TObject*, TTreeNode* node) { node->SetSelectedIndex(node->HasChildren() ? 0 : 1); };
        Show();
        Application().ProcessMessages();
    }
    TImageList* Images;
    TTreeView* Tree;
};
}  // namespace

TEST(Win32TreeView, ItemsExpansionSelectionAndHitTestsOnThePlatformsControl) {
    TreeWindow w;
    TTreeNodes& items = w.Tree->Items();
    TTreeNode* accessories = items.AddChild(nullptr, u"Zubehör");
    accessories->SetHasChildren(true);
    TTreeNode* games = items.AddChild(nullptr, u"Spiele");
    items.AddChild(games, u"Solitär");
    items.Insert(games, u"Autostart");
    HWND tree = WindowOf(*w.Tree);
    HTREEITEM first = TreeView_GetRoot(tree);
    EXPECT_EQ(ItemText(tree, first), u"Zubehör");
    EXPECT_EQ(ItemText(tree, TreeView_GetNextSibling(tree, first)), u"Autostart");
    EXPECT_EQ(TreeView_GetCount(tree), 4u);

    std::vector<std::string> events;
    w.Tree->OnExpanding = [&](TObject*, TTreeNode* node, bool&) {
        events.push_back("expanding " + U8(node->Text()));
        if (node->Count() == 0) {  // read on first opening
            items.AddChild(node, u"Editor");
            items.AddChild(node, u"Rechner");
        }
    };
    w.Tree->OnExpanded = [&](TObject*, TTreeNode* node) { events.push_back("expanded " + U8(node->Text())); };
    w.Tree->OnChange = [&](TObject*, TTreeNode* node) { events.push_back("selected " + U8(node ? node->Text() : u"-")); };
    w.Tree->SetFocus();
    w.Tree->SetSelected(accessories);
    // Keys through the message loop: Right opens, Down moves into the new children.
    PostMessageW(tree, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageW(tree, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(PumpUntil([&] { return w.Tree->Selected() && w.Tree->Selected()->Text() == u"Editor"; }));
    EXPECT_TRUE(accessories->Expanded());
    EXPECT_EQ(events, (std::vector<std::string>{"selected Zubehör", "expanding Zubehör", "expanded Zubehör",
                                                "selected Editor"}));
    // The control's own hit test finds the row of an item.
    TTreeNode* calculator = accessories->Item(1);
    RECT r{};
    ASSERT_TRUE(TreeView_GetItemRect(tree, reinterpret_cast<HTREEITEM>(calculator->ItemId()), &r, TRUE));
    EXPECT_EQ(w.Tree->GetNodeAt(r.left + 2, (r.top + r.bottom) / 2), calculator);
    EXPECT_EQ(w.Tree->GetNodeAt(5, 260), nullptr);

    // Label editing through the control's editor.
    w.Tree->OnEdited = [](TObject*, TTreeNode*, std::u16string& s) { s += u" (neu)"; };
    calculator->EditText();
    HWND editor = TreeView_GetEditControl(tree);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"Taschenrechner");
    TreeView_EndEditLabelNow(tree, FALSE);
    EXPECT_EQ(calculator->Text(), u"Taschenrechner (neu)");
    EXPECT_EQ(ItemText(tree, reinterpret_cast<HTREEITEM>(calculator->ItemId())), u"Taschenrechner (neu)");

    // A new font makes taller rows; new colours reach the control.
    const int rowHeight = TreeView_GetItemHeight(tree);
    w.Tree->Font().SetHeight(-26);
    EXPECT_GT(TreeView_GetItemHeight(tree), rowHeight);
    w.Tree->SetColor(0x203040);
    w.Tree->Font().SetColor(0x00FFFF);
    EXPECT_EQ(TreeView_GetBkColor(tree), COLORREF(0x203040));
    EXPECT_EQ(TreeView_GetTextColor(tree), COLORREF(0x00FFFF));

    // Deleting a node removes its item; a cleared tree has none.
    games->Delete();
    EXPECT_EQ(TreeView_GetCount(tree), 4u);
    items.Clear();
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
}

TEST(Win32TreeView, CustomDrawnRowsOfADarkTreeAndItsScreenshot) {
    TreeWindow w;
    TTreeNodes& items = w.Tree->Items();
    items.BeginUpdate();
    TTreeNode* accessories = items.AddChild(nullptr, u"Zubehör");
    for (const char16_t* name : {u"Editor", u"Rechner", u"Eingabeaufforderung"}) items.AddChild(accessories, name);
    TTreeNode* games = items.AddChild(nullptr, u"Spiele");
    items.AddChild(games, u"Solitär");
    items.AddChild(nullptr, u"Internet Explorer");
    items.AddChild(nullptr, u"Wine-Konfiguration");
    items.EndUpdate();
    accessories->Expand(false);
    int drawn = 0;
    w.Tree->OnCustomDrawItem = [&](TObject*, TCanvas& canvas, TTreeNode* node, TCustomDrawState state, bool&) {
        ++drawn;
        canvas.Brush.Color = (state & cdsSelected) ? 0x777777 : app::DarkGrey;
        canvas.Font.SetColor(node->HasChildren() ? clWhite : 0xE0E0E0);
    };
    w.Tree->SetSelected(accessories->Item(1));
    RedrawWindow(WindowOf(w), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application().ProcessMessages();
    EXPECT_GT(drawn, 0);
    const auto shot = GrabWindow(WindowOf(w));
    POINT origin{0, 0};
    ClientToScreen(WindowOf(*w.Tree), &origin);
    RECT outer{};
    GetWindowRect(WindowOf(w), &outer);
    RECT r{};
    ASSERT_TRUE(TreeView_GetItemRect(WindowOf(*w.Tree), reinterpret_cast<HTREEITEM>(games->ItemId()), &r, TRUE));
    // The unselected row's background is the dark grey the handler chose.
    EXPECT_EQ(shot->Pixel(origin.x - outer.left + r.right - 2, origin.y - outer.top + r.top + 1), app::DarkGrey);
    if (!KeepScreenshot(*shot, "tree-view")) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
}

namespace {
// Counts the control's requests for a text alone, as they pass its parent's window.
struct TextRequestCounter {
    explicit TextRequestCounter(HWND parent) : Parent(parent) {
        SetWindowSubclass(parent, &Count, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~TextRequestCounter() { RemoveWindowSubclass(Parent, &Count, 1); }
    static LRESULT CALLBACK Count(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (msg == WM_NOTIFY && header->code == TVN_GETDISPINFOW &&
            reinterpret_cast<const NMTVDISPINFOW*>(header)->item.mask == TVIF_TEXT)
            ++reinterpret_cast<TextRequestCounter*>(self)->TextRequests;
        return DefSubclassProc(window, msg, wp, lp);
    }
    HWND Parent;
    int TextRequests = 0;
};
}  // namespace

TEST(Win32TreeView, PendingTextsAreAskedOnceAndButtonsOnlyWhenShown) {
    TForm form(nullptr);
    form.SetBorderStyle(bsSizeToolWin);
    form.SetBounds(40, 40, 360, 320);
    auto* tree = new AskingTree(&form);
    tree->SetParent(&form);
    tree->SetBounds(8, 8, 330, 270);
    tree->SetShowButtons(false);
    form.Show();
    TextRequestCounter counter(WindowOf(form));
    TTreeNodes& items = tree->Items();
    TTreeNode* root = items.AddChild(nullptr, u"Programme");
    constexpr int Count = 200;
    for (std::intptr_t i = 0; i < Count; ++i) {
        TTreeNode* node = items.AddChildTextPending(root, reinterpret_cast<void*>(i));
        node->SetChildrenPending();
    }
    root->Expand(false);
    HWND handle = WindowOf(*tree);
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Application().ProcessMessages();
    TTreeNode* first = root->Item(0);
    const auto itemOf = [](TTreeNode* node) { return reinterpret_cast<HTREEITEM>(node->ItemId()); };
    EXPECT_EQ(ItemText(handle, itemOf(first)), u"Eintrag 0");
    EXPECT_GT(tree->TextsAsked, 0);
    EXPECT_LE(tree->TextsAsked, Count);
    // Drawn rows without buttons leave the expensive question open.
    EXPECT_EQ(tree->ChildrenAsked, 0);

    // The control keeps what it was told: another font, style and drawing ask for no text again.
    const int asked = tree->TextsAsked;
    const int requests = counter.TextRequests;
    tree->Font().SetHeight(-20);
    tree->SetRowSelect(true);
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Application().ProcessMessages();
    EXPECT_EQ(tree->TextsAsked, asked);
    EXPECT_EQ(counter.TextRequests, requests);
    // ... and follows a text set later.
    first->SetText(u"Editor");
    EXPECT_EQ(ItemText(handle, itemOf(first)), u"Editor");

    // Opening a row through the control asks; a node without children stays closed.
    EXPECT_FALSE(TreeView_Expand(handle, itemOf(first), TVE_EXPAND));
    EXPECT_EQ(tree->ChildrenAsked, 1);
    EXPECT_FALSE(first->Expanded());
    EXPECT_EQ(TreeView_GetItemState(handle, itemOf(first), TVIS_EXPANDED) & TVIS_EXPANDED, 0u);

    // With buttons the drawn rows' buttons are worked out.
    tree->SetShowButtons(true);
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Application().ProcessMessages();
    EXPECT_GT(tree->ChildrenAsked, 1);
}
