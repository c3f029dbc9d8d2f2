#include "ui/TreeView.h"

#include <algorithm>

#include "platform/StartTimeline.h"
#include "ui/ImageList.h"

namespace ui {

// ---- nodes ----------------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes& owner, TTreeNode* parent, std::u16string text)
    : FOwner(owner), FParent(parent), FText(std::move(text)) {}

TTreeNode::~TTreeNode() = default;

TRect TTreeNode::DisplayRect(bool textOnly) const {
    const TreeViewPeer* widget = TreeView().Widget();
    return widget && FItem ? widget->ItemRect(FItem, textOnly) : TRect{};
}

TTreeView& TTreeNode::TreeView() const { return FOwner.Owner(); }

void TTreeNode::Updated() {
    if (TreeViewPeer* widget = TreeView().Widget(); widget && FItem) widget->UpdateItem(FItem, *this);
}

void TTreeNode::SetText(const std::u16string& text) {
    FTextPending = false;
    if (text == FText) return;
    FText = text;
    Updated();
}

void TTreeNode::SetTextPending() {
    if (FTextPending) return;
    FTextPending = true;
    Updated();
}

void TTreeNode::ResolveText() const {
    if (!FTextPending) return;
    FTextPending = false;
    TreeView().ResolvePendingText(const_cast<TTreeNode*>(this));
}

void TTreeNode::ResolveImages() const {
    if (!FImagesPending) return;
    FImagesPending = false;
    TreeView().ResolvePendingImages(const_cast<TTreeNode*>(this));
}

void TTreeNode::ResolveChildren() const {
    if (!FChildrenPending) return;
    FChildrenPending = false;
    TreeView().ResolvePendingChildren(const_cast<TTreeNode*>(this));
}

void TTreeNode::SetImageIndex(int index) {
    ResolveImages();
    if (index == FImageIndex) return;
    FImageIndex = index;
    Updated();
}

void TTreeNode::SetSelectedIndex(int index) {
    ResolveImages();
    if (index == FSelectedIndex) return;
    FSelectedIndex = index;
    Updated();
}

void TTreeNode::SetOverlayIndex(int index) {
    if (index == FOverlayIndex) return;
    FOverlayIndex = index;
    Updated();
}

void TTreeNode::SetHasChildren(bool has) {
    FChildrenPending = false;
    if (has == FHasChildren) return;
    FHasChildren = has;
    Updated();
}

void TTreeNode::SetExpanded(bool expanded) {
    if (expanded) Expand(false);
    else Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
    TTreeView& tree = TreeView();
    // The program opening a node asks the same questions as the user's click: the platform's own
    // expand call does not.
    if (!FExpanded && HasChildren()) {
        if (!tree.CanExpand(this)) return;
        FExpanded = true;
        if (TreeViewPeer* widget = tree.Widget(); widget && FItem) widget->ExpandItem(FItem, true);
        tree.Expand(this);
    }
    if (recurse)
        for (std::size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    TTreeView& tree = TreeView();
    if (recurse)
        for (std::size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Collapse(true);
    if (!FExpanded || !tree.CanCollapse(this)) return;
    FExpanded = false;
    if (TreeViewPeer* widget = tree.Widget(); widget && FItem) widget->ExpandItem(FItem, false);
    tree.Collapse(this);
}

bool TTreeNode::Selected() const { return TreeView().Selected() == this; }

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = FParent; p; p = p->FParent) ++level;
    return level;
}

int TTreeNode::Index() const {
    const auto& siblings = FOwner.SiblingsOf(FParent);
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (const TTreeNode* n = FOwner.GetFirstNode(); n && n != this; n = n->GetNext()) ++index;
    return index;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = FOwner.SiblingsOf(FParent);
    const int index = Index();
    return index >= 0 && static_cast<std::size_t>(index) + 1 < siblings.size() ? siblings[index + 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!FChildren.empty()) return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* sibling = n->GetNextSibling()) return sibling;
    return nullptr;
}

void TTreeNode::Delete() {
    TTreeView& tree = TreeView();
    // Children first, each heard of before it goes, then this node.
    while (!FChildren.empty()) FChildren.back()->Delete();
    tree.Delete(this);
    if (tree.FSelected == this) tree.FSelected = nullptr;
    if (TreeViewPeer* widget = tree.Widget(); widget && FItem) widget->DeleteItem(FItem);
    FOwner.Forget(*this);
    auto& siblings = FOwner.SiblingsOf(FParent);
    const auto found = std::find_if(siblings.begin(), siblings.end(), [this](const auto& p) { return p.get() == this; });
    if (found == siblings.end()) return;
    std::unique_ptr<TTreeNode> self = std::move(*found);
    siblings.erase(found);
    if (FParent && FParent->FChildren.empty()) FParent->Updated();  // its button goes
}

void TTreeNode::EditText() {
    if (TreeViewPeer* widget = TreeView().Widget(); widget && FItem) widget->EditLabel(FItem);
}

namespace {
// Merge sort that leaves a permutation for any comparator: the standard sorts assume a strict
// order and may misbehave without one (natural order, for one, is not transitive).
void MergeSort(std::vector<std::unique_ptr<TTreeNode>>& items, const TTreeNode::TCompare& compare) {
    if (items.size() < 2) return;
    std::vector<std::unique_ptr<TTreeNode>> left, right;
    const std::size_t half = items.size() / 2;
    for (std::size_t i = 0; i < items.size(); ++i) (i < half ? left : right).push_back(std::move(items[i]));
    MergeSort(left, compare);
    MergeSort(right, compare);
    items.clear();
    std::size_t l = 0, r = 0;
    while (l < left.size() && r < right.size())
        items.push_back(compare(right[r].get(), left[l].get()) < 0 ? std::move(right[r++]) : std::move(left[l++]));
    while (l < left.size()) items.push_back(std::move(left[l++]));
    while (r < right.size()) items.push_back(std::move(right[r++]));
}
}  // namespace

bool TTreeNode::CustomSort(const TCompare& compare, bool recurse) {
    if (!compare) return false;
    MergeSort(FChildren, compare);
    if (TreeViewPeer* widget = TreeView().Widget(); widget && FItem) widget->ReorderChildren(FItem, this);
    if (recurse)
        for (auto& child : FChildren) child->CustomSort(compare, true);
    return true;
}

// ---- the collection -------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() {
    // The widget goes with the tree; the nodes need only be freed.
    FByItem.clear();
    FRoots.clear();
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, std::size_t position, const std::u16string& text,
                                 bool textPending, void* data, bool shown) {
    auto& siblings = SiblingsOf(parent);
    position = std::min(position, siblings.size());
    auto node = std::unique_ptr<TTreeNode>(new TTreeNode(*this, parent, text));
    node->FTextPending = textPending;
    node->FData = data;
    TTreeNode* made = node.get();
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(position), std::move(node));
    if (TreeViewPeer* widget = FOwner.Widget(); shown && widget && (!parent || parent->FItem)) {
        const std::intptr_t after = position == 0 ? -1 : siblings[position - 1]->FItem;
        made->FItem = widget->InsertItem(parent ? parent->FItem : 0, after, *made);
        if (made->FItem) FByItem[made->FItem] = made;
        if (parent && parent->FChildren.size() == 1) parent->Updated();  // its button comes
    }
    return made;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::u16string& text) {
    TTreeNode* parent = sibling ? sibling->FParent : nullptr;
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::u16string& text) {
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddChildTextPending(TTreeNode* parent, void* data) {
    return InsertAt(parent, SiblingsOf(parent).size(), std::u16string(), true, data);
}

TTreeNode* TTreeNodes::AddChildTextPendingUnshown(TTreeNode* parent, void* data) {
    return InsertAt(parent, SiblingsOf(parent).size(), std::u16string(), true, data, false);
}

void TTreeNodes::ShowNewChildren(TTreeNode* parent) {
    TreeViewPeer* widget = FOwner.Widget();
    if (!widget || (parent && !parent->FItem)) return;
    const bool hadChildren = parent && parent->FChildren.size() > 0 &&
                             std::any_of(parent->FChildren.begin(), parent->FChildren.end(),
                                         [](const auto& child) { return child->FItem != 0; });
    std::intptr_t after = -1;  // first
    for (auto& child : SiblingsOf(parent)) {
        if (!child->FItem) {
            child->FItem = widget->InsertItem(parent ? parent->FItem : 0, after, *child);
            if (child->FItem) FByItem[child->FItem] = child.get();
        }
        if (child->FItem) after = child->FItem;
    }
    if (parent && !hadChildren && !parent->FChildren.empty()) parent->Updated();  // its button comes
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::u16string& text) { return InsertAt(parent, 0, text); }

TTreeNode* TTreeNodes::Insert(TTreeNode* before, const std::u16string& text) {
    if (!before) return Add(nullptr, text);
    return InsertAt(before->FParent, static_cast<std::size_t>(before->Index()), text);
}

void TTreeNodes::Clear() {
    BeginUpdate();
    while (!FRoots.empty()) FRoots.back()->Delete();
    EndUpdate();
}

void TTreeNodes::BeginUpdate() {
    if (FUpdateCount++ == 0)
        if (TreeViewPeer* widget = FOwner.Widget()) widget->SetRedraw(false);
}

void TTreeNodes::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0)
        if (TreeViewPeer* widget = FOwner.Widget()) widget->SetRedraw(true);
}

int TTreeNodes::Count() const {
    int count = 0;
    for (const TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int absoluteIndex) const {
    if (absoluteIndex < 0) return nullptr;
    TTreeNode* n = GetFirstNode();
    for (int i = 0; n && i < absoluteIndex; ++i) n = n->GetNext();
    return n;
}

TTreeNode* TTreeNodes::GetNode(std::intptr_t itemId) const {
    const auto found = FByItem.find(itemId);
    return found == FByItem.end() ? nullptr : found->second;
}

void TTreeNodes::Forget(TTreeNode& node) {
    if (node.FItem) FByItem.erase(node.FItem);
    node.FItem = 0;
}

// ---- the tree -------------------------------------------------------------------------------

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner) {
    // The platform's tree keeps the mouse and makes its clicks itself (they come back as
    // notifications); it paints its whole client area.
    SetControlStyle((ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption)) | csOpaque);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() {
    // The widget goes before the nodes (members go before the base), so that it never names a
    // freed node.
    DestroyHandle();
}

std::unique_ptr<ControlPeer> TTreeView::CreatePeer(UiBackend& backend) {
    std::unique_ptr<TreeViewPeer> widget = backend.CreateTreeView(*this);
    platform::MarkStart("tree: widget made");
    // The items are made through the new widget before it is handed over.
    struct Attach {
        TTreeView& Tree;
        TreeViewPeer* Widget;
        void Insert(TTreeNode& node) {
            const std::intptr_t parent = node.Parent() ? node.Parent()->FItem : 0;
            node.FItem = Widget->InsertItem(parent, 0, node);
            if (node.FItem) Tree.FItems.FByItem[node.FItem] = &node;
            for (auto& child : node.FChildren) Insert(*child);
            if (node.FExpanded && node.FItem) Widget->ExpandItem(node.FItem, true);
        }
    } attach{*this, widget.get()};
    FItems.FByItem.clear();
    widget->SetRedraw(false);
    for (auto& root : FItems.FRoots) attach.Insert(*root);
    platform::MarkStart("tree: items inserted");
    if (FSelected && FSelected->FItem) widget->SelectItem(FSelected->FItem);
    widget->SetRedraw(true);
    platform::MarkStart("tree: drawing on");
    return widget;
}

void TTreeView::SetSelected(TTreeNode* node) {
    TreeViewPeer* widget = Widget();
    if (widget && (!node || node->FItem)) {
        // The widget reports the change back, with the questions and events of a user's choice.
        widget->SelectItem(node ? node->FItem : 0);
        return;
    }
    if (node == FSelected || (node && !CanChange(node))) return;
    FSelected = node;
    Change(node);
}

TTreeNode* TTreeView::TopItem() const {
    TreeViewPeer* widget = Widget();
    return widget ? FItems.GetNode(widget->TopItem()) : FItems.GetFirstNode();
}

void TTreeView::SetTopItem(TTreeNode* node) {
    if (TreeViewPeer* widget = Widget(); widget && node && node->FItem) widget->SetTopItem(node->FItem);
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
    TreeViewPeer* widget = Widget();
    return widget ? FItems.GetNode(widget->ItemAt(x, y)) : nullptr;
}

void TTreeView::SetImages(TImageList* images) {
    if (FImages) RemoveFreeNotification(FImages);
    FImages = images;
    if (images) FreeNotification(images);
    if (TreeViewPeer* widget = Widget()) widget->SetImages(ImageListHandle());
}

void TTreeView::SetImageListHandle(std::intptr_t handle) {
    FImageListHandle = handle;
    if (TreeViewPeer* widget = Widget()) widget->SetImages(ImageListHandle());
}

std::intptr_t TTreeView::ImageListHandle() const { return FImages ? FImages->Handle() : FImageListHandle; }

// ---- what the widget reports ----------------------------------------------------------------

bool TTreeView::HandleExpanding(std::intptr_t item, bool expand) {
    TTreeNode* node = FItems.GetNode(item);
    if (!node) return true;
    if (!expand) return CanCollapse(node);
    // A node the widget took for one with children (its answer was left open) opens only when
    // it has some after the check.
    return CanExpand(node) && node->HasChildren();
}

void TTreeView::HandleExpanded(std::intptr_t item, bool expand) {
    TTreeNode* node = FItems.GetNode(item);
    if (!node || node->FExpanded == expand) return;
    node->FExpanded = expand;
    if (expand) Expand(node);
    else Collapse(node);
}

bool TTreeView::HandleSelChanging(std::intptr_t item) {
    TTreeNode* node = FItems.GetNode(item);
    return !node || CanChange(node);
}

void TTreeView::HandleSelChanged(std::intptr_t item) {
    TTreeNode* node = FItems.GetNode(item);
    if (node == FSelected) return;
    FSelected = node;
    Change(node);
}

bool TTreeView::HandleBeginEdit(std::intptr_t item) {
    TTreeNode* node = FItems.GetNode(item);
    return node && !FReadOnly && CanEdit(node);
}

bool TTreeView::HandleEndEdit(std::intptr_t item, const std::u16string* text) {
    TTreeNode* node = FItems.GetNode(item);
    if (!node || !text) return false;
    std::u16string s = *text;
    const auto alive = Lifetime();
    Edit(node, s);
    if (!*alive) return false;
    // The handler may have freed the node (a refresh after a rename): look it up again.
    node = FItems.GetNode(item);
    if (!node) return false;
    node->FText = s;
    return true;
}

int TTreeView::HandleImageIndex(std::intptr_t item, bool selected) {
    TTreeNode* node = FItems.GetNode(item);
    if (!node) return -1;
    if (selected) GetSelectedIndex(node);
    else GetImageIndex(node);
    node = FItems.GetNode(item);  // a handler may have freed it
    return !node ? -1 : selected ? node->SelectedIndex() : node->ImageIndex();
}

bool TTreeView::CustomDrawItem(TCanvas& Canvas, const TRect&, TCustomDrawState State, std::uintptr_t Item) {
    bool defaultDraw = true;
    TTreeNode* node = FItems.GetNode(static_cast<std::intptr_t>(Item));
    if (node && OnCustomDrawItem) OnCustomDrawItem(this, Canvas, node, State, defaultDraw);
    return defaultDraw;
}

void TTreeView::ScaleDesign(int M, int D) {
    TWinControl::ScaleDesign(M, D);
    SetIndent(ScaleLength(FIndent, M, D));
}

void TTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbRight && FRightClickSelect)
        if (TTreeNode* node = GetNodeAt(X, Y)) SetSelected(node);
    TWinControl::MouseDown(Button, Shift, X, Y);
}

// ---- hooks ----------------------------------------------------------------------------------

bool TTreeView::CanExpand(TTreeNode* Node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    return allow;
}

void TTreeView::Expand(TTreeNode* Node) {
    if (OnExpanded) OnExpanded(this, Node);
}

bool TTreeView::CanCollapse(TTreeNode* Node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, Node, allow);
    return allow;
}

void TTreeView::Collapse(TTreeNode* Node) {
    if (OnCollapsed) OnCollapsed(this, Node);
}

bool TTreeView::CanChange(TTreeNode* Node) {
    bool allow = true;
    if (OnChanging) OnChanging(this, Node, allow);
    return allow;
}

void TTreeView::Change(TTreeNode* Node) {
    if (OnChange) OnChange(this, Node);
}

void TTreeView::Delete(TTreeNode* Node) {
    if (OnDeletion) OnDeletion(this, Node);
}

bool TTreeView::CanEdit(TTreeNode* Node) {
    bool allow = true;
    if (OnEditing) OnEditing(this, Node, allow);
    return allow;
}

void TTreeView::Edit(TTreeNode* Node, std::u16string& S) {
    if (OnEdited) OnEdited(this, Node, S);
}

void TTreeView::GetImageIndex(TTreeNode* Node) {
    if (OnGetImageIndex) OnGetImageIndex(this, Node);
}

void TTreeView::GetSelectedIndex(TTreeNode* Node) {
    if (OnGetSelectedIndex) OnGetSelectedIndex(this, Node);
}

}  // namespace ui
