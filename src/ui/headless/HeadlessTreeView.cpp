#include "ui/headless/HeadlessTreeView.h"

#include <algorithm>
#include <cstdlib>

#include "ui/TreeView.h"

namespace ui::headless {

HeadlessTreeView::HeadlessTreeView(TTreeView& tree) : HeadlessPeer(tree), FTree(tree) {}

std::intptr_t HeadlessTreeView::InsertItem(std::intptr_t parent, std::intptr_t after, const TTreeNode& node) {
    if (parent && !Items.count(parent)) return 0;
    const std::intptr_t id = FNextId++;
    Item& item = Items[id];
    item.Parent = parent;
    item.Text = node.Text();
    item.HasChildren = node.HasChildren();
    auto& siblings = ChildrenOf(parent);
    if (after == -1) {
        siblings.insert(siblings.begin(), id);
    } else {
        const auto at = std::find(siblings.begin(), siblings.end(), after);
        siblings.insert(after == 0 || at == siblings.end() ? siblings.end() : at + 1, id);
    }
    if (!Top) Top = id;
    return id;
}

void HeadlessTreeView::DeleteItem(std::intptr_t id) {
    const auto found = Items.find(id);
    if (found == Items.end()) return;
    const std::vector<std::intptr_t> children = found->second.Children;
    for (std::intptr_t child : children) DeleteItem(child);
    const std::intptr_t parent = Items.at(id).Parent;
    auto& siblings = ChildrenOf(parent);
    const auto place = std::find(siblings.begin(), siblings.end(), id);
    const std::vector<std::intptr_t> siblingsBefore(siblings.begin(), place);
    const std::vector<std::intptr_t> siblingsAfter(place == siblings.end() ? place : place + 1, siblings.end());
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
    Items.erase(id);
    if (Selected == id) {
        // The platform's tree moves the selection on (to the next sibling, else the parent,
        // else the previous sibling) and asks and tells the tree, as for a user's choice.
        Selected = 0;
        const std::intptr_t heir = !siblingsAfter.empty() ? siblingsAfter.front()
                                 : parent                 ? parent
                                 : !siblingsBefore.empty() ? siblingsBefore.back()
                                                          : 0;
        if (heir && Items.count(heir)) SelectItem(heir);
    }
    if (Editing == id) Editing = 0;
    if (Top == id) Top = Roots.empty() ? 0 : Roots.front();
}

void HeadlessTreeView::UpdateItem(std::intptr_t id, const TTreeNode& node) {
    const auto found = Items.find(id);
    if (found == Items.end()) return;
    found->second.Text = node.Text();
    found->second.HasChildren = node.HasChildren();
}

void HeadlessTreeView::ExpandItem(std::intptr_t id, bool expand) {
    if (const auto found = Items.find(id); found != Items.end()) found->second.Expanded = expand;
}

void HeadlessTreeView::SelectItem(std::intptr_t id) {
    if (id == Selected || (id && !Items.count(id))) return;
    bool allowed = true;
    Deliver([&] { allowed = FTree.HandleSelChanging(id); });
    if (!allowed) return;
    Selected = id;
    Deliver([&] { FTree.HandleSelChanged(id); });
}

std::vector<std::intptr_t> HeadlessTreeView::Rows() const {
    std::vector<std::intptr_t> rows;
    std::vector<std::intptr_t> pending(Roots.rbegin(), Roots.rend());
    while (!pending.empty()) {
        const std::intptr_t id = pending.back();
        pending.pop_back();
        rows.push_back(id);
        const Item& item = Items.at(id);
        if (item.Expanded) pending.insert(pending.end(), item.Children.rbegin(), item.Children.rend());
    }
    return rows;
}

std::intptr_t HeadlessTreeView::ItemAt(int, int y) const {
    if (y < 0) return 0;
    const std::vector<std::intptr_t> rows = Rows();
    const auto top = std::find(rows.begin(), rows.end(), Top);
    const std::size_t first = top == rows.end() ? 0 : static_cast<std::size_t>(top - rows.begin());
    const std::size_t row = first + static_cast<std::size_t>(y / RowHeight);
    return row < rows.size() ? rows[row] : 0;
}

TRect HeadlessTreeView::ItemRect(std::intptr_t id, bool textOnly) const {
    const std::vector<std::intptr_t> rows = Rows();
    const auto at = std::find(rows.begin(), rows.end(), id);
    const auto top = std::find(rows.begin(), rows.end(), Top);
    if (at == rows.end() || top == rows.end() || at < top) return {};
    const int row = static_cast<int>(at - top);
    int level = 0;
    for (std::intptr_t p = Items.at(id).Parent; p; p = Items.at(p).Parent) ++level;
    const int left = textOnly ? (level + 1) * FTree.Indent() : 0;
    return Rect(left, row * RowHeight, Bounds.Width(), (row + 1) * RowHeight);
}

void HeadlessTreeView::ReorderChildren(std::intptr_t parent, const TTreeNode* parentNode) {
    auto& children = ChildrenOf(parent);
    children.clear();
    // Like the platform's control, it orders the items it holds; nodes not yet given to it wait.
    for (int i = 0; parentNode && i < parentNode->Count(); ++i)
        if (const std::intptr_t id = parentNode->Item(i)->ItemId(); id && Items.count(id)) children.push_back(id);
}

void HeadlessTreeView::SetRedraw(bool redraw) {
    if (redraw && !Redraw) ++Redraws;
    Redraw = redraw;
}

void HeadlessTreeView::EditLabel(std::intptr_t id) {
    bool allowed = false;
    Deliver([&] { allowed = FTree.HandleBeginEdit(id); });
    if (allowed) Editing = id;
}

void HeadlessTreeView::UserToggle(std::intptr_t id) {
    const auto found = Items.find(id);
    if (found == Items.end() || !found->second.HasChildren) return;
    const bool expand = !found->second.Expanded;
    bool allowed = true;
    Deliver([&] { allowed = FTree.HandleExpanding(id, expand); });
    // The handler may have changed the items (filled or emptied the node).
    const auto again = Items.find(id);
    if (!allowed || again == Items.end()) return;
    again->second.Expanded = expand;
    Deliver([&] { FTree.HandleExpanded(id, expand); });
}

void HeadlessTreeView::UserEndEdit(const std::u16string* text) {
    const std::intptr_t id = Editing;
    Editing = 0;
    if (!id) return;
    bool accepted = false;
    Deliver([&] { accepted = FTree.HandleEndEdit(id, text); });
    // The item shows the node's text, which the tree may have kept as it was.
    if (accepted && text)
        if (const auto found = Items.find(id); found != Items.end())
            if (const TTreeNode* node = FTree.Items().GetNode(id)) found->second.Text = node->Text();
}

void HeadlessTreeView::Press(int x, int y, TMouseButton button, TShiftState shift, bool doubled) {
    const auto alive = Control.Lifetime();
    HeadlessPeer::Press(x, y, button, shift, doubled);
    // A double click is answered at once; a single press waits for its release or a move.
    if (*alive && !doubled) FTracking = Tracking{button, {x, y}};
}

void HeadlessTreeView::MoveTo(int x, int y, TShiftState shift) {
    if (FTracking) {
        // The widget takes the moves while it waits; one beyond the rectangle ends its wait (a
        // drag begins, which the tree leaves to the program) and is taken too.
        if (std::abs(x - FTracking->At.X) > DragDistance || std::abs(y - FTracking->At.Y) > DragDistance)
            FTracking.reset();
        return;
    }
    HeadlessPeer::MoveTo(x, y, shift);
}

void HeadlessTreeView::Release(int x, int y, TMouseButton button, TShiftState shift) {
    if (!FTracking || FTracking->Button != button) {
        HeadlessPeer::Release(x, y, button, shift);
        return;
    }
    const TPoint at = FTracking->At;
    FTracking.reset();
    const auto alive = Control.Lifetime();
    // The widget kept the release: it reports the click, then selects the row pressed.
    if (button == mbLeft) {
        Deliver([this] { Control.HandleClick(); });
        if (!*alive) return;
        if (const std::intptr_t item = ItemAt(at.X, at.Y)) SelectItem(item);
        if (!*alive) return;
    }
    // The backend hands on the release the widget kept.
    HeadlessPeer::Release(x, y, button, shift);
}

HeadlessTreeView& PeerOf(TTreeView& tree) {
    tree.HandleNeeded();
    auto* peer = dynamic_cast<HeadlessTreeView*>(tree.Peer());
    if (!peer) throw std::logic_error("tree has no headless widget (is it on a form?)");
    return *peer;
}

}  // namespace ui::headless
