#pragma once
// A tree of nodes on the platform's tree control: nodes with text, data, images and an expand
// button, the node collection, selection, expansion, label editing, sorting, hit tests and custom
// drawing per item. The hooks a derived tree overrides (CanExpand, Change, Edit, ...) are virtual.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class TTreeView;
class TTreeNodes;
class TImageList;

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;
    ~TTreeNode();

    const std::u16string& Text() const {
        ResolveText();
        return FText;
    }
    void SetText(const std::u16string& text);
    void* Data() const { return FData; }
    void SetData(void* data) { FData = data; }
    int ImageIndex() const {
        ResolveImages();
        return FImageIndex;
    }
    void SetImageIndex(int index);
    int SelectedIndex() const {
        ResolveImages();
        return FSelectedIndex;
    }
    void SetSelectedIndex(int index);
    // The text, the pictures, or whether the node has children, are worked out by the tree the
    // first time anyone asks (the widget when it draws the node): costly answers only for what is
    // shown.
    void SetTextPending();
    bool TextPending() const { return FTextPending; }
    void SetImagesPending() { FImagesPending = true; }
    bool ImagesPending() const { return FImagesPending; }
    void SetChildrenPending() { FChildrenPending = true; }
    bool ChildrenPending() const { return FChildrenPending && FChildren.empty(); }
    // The tree's answers to the pending questions, stored without redrawing (the widget is
    // asking for them at that moment).
    void AssignText(std::u16string text) { FText = std::move(text); }
    void AssignImages(int image, int selected) {
        FImageIndex = image;
        FSelectedIndex = selected;
    }
    void AssignHasChildren(bool has) { FHasChildren = has; }
    int OverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int index);
    // Shows an expand button; true by itself while the node has children.
    bool HasChildren() const {
        if (!FChildren.empty()) return true;
        ResolveChildren();
        return FHasChildren;
    }
    void SetHasChildren(bool has);
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool expanded);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;

    TTreeNode* Parent() const { return FParent; }
    int Level() const;
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int index) const { return FChildren.at(static_cast<std::size_t>(index)).get(); }
    // Position among its siblings, and in the whole tree in pre-order.
    int Index() const;
    int AbsoluteIndex() const;
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* GetNextSibling() const;
    // The next node in pre-order (children first, then siblings, then the parents' siblings).
    TTreeNode* GetNext() const;

    // Removes the node and its children from the tree and frees them.
    void Delete();
    // Starts the label editor on the node.
    void EditText();
    // Orders the children (and with recurse their children) by compare; any comparator, even one
    // that is not a strict order, leaves a permutation. True when anything was sorted.
    using TCompare = std::function<int(TTreeNode* a, TTreeNode* b)>;
    bool CustomSort(const TCompare& compare, bool recurse);

    // The widget's handle of the node's item; 0 while the tree has no widget.
    std::intptr_t ItemId() const { return FItem; }
    TTreeView& TreeView() const;
    // Where the node's row (or only its text) is in the tree's client area; empty while the tree
    // has no window or the row is not shown.
    TRect DisplayRect(bool textOnly) const;

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNode(TTreeNodes& owner, TTreeNode* parent, std::u16string text);
    void Updated();
    void ResolveText() const;
    void ResolveImages() const;
    void ResolveChildren() const;

    TTreeNodes& FOwner;
    TTreeNode* FParent;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    std::u16string FText;
    void* FData = nullptr;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    int FOverlayIndex = -1;
    bool FHasChildren = false;
    bool FExpanded = false;
    mutable bool FTextPending = false;
    mutable bool FImagesPending = false;
    mutable bool FChildrenPending = false;
    std::intptr_t FItem = 0;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView& owner) : FOwner(owner) {}
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;
    ~TTreeNodes();

    // A node after the last sibling of `sibling` (at the top level when it is nullptr).
    TTreeNode* Add(TTreeNode* sibling, const std::u16string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::u16string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::u16string& text);
    // A last child with its data, whose text the tree works out when it is first asked for
    // (SetTextPending).
    TTreeNode* AddChildTextPending(TTreeNode* parent, void* data);
    // The same, made in the tree only: the widget gets it with ShowNewChildren. A folder read
    // whole gives the widget its rows once, in their final order, instead of row by row.
    TTreeNode* AddChildTextPendingUnshown(TTreeNode* parent, void* data);
    // Gives the widget every child of `parent` it does not have yet, in the children's order.
    void ShowNewChildren(TTreeNode* parent);
    // A node just before `before`, as its sibling.
    TTreeNode* Insert(TTreeNode* before, const std::u16string& text);
    void Clear();
    // Changes between the calls are shown once, at the end.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    int Count() const;
    TTreeNode* Item(int absoluteIndex) const;
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    TTreeNode* GetNode(std::intptr_t itemId) const;
    TTreeView& Owner() const { return FOwner; }

private:
    friend class TTreeNode;
    friend class TTreeView;
    TTreeNode* InsertAt(TTreeNode* parent, std::size_t position, const std::u16string& text, bool textPending = false,
                        void* data = nullptr, bool shown = true);
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent) {
        return parent ? parent->FChildren : FRoots;
    }
    void Forget(TTreeNode& node);

    TTreeView& FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    std::map<std::intptr_t, TTreeNode*> FByItem;
    int FUpdateCount = 0;
};

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::u16string& S)>;
using TTVCustomDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;
    std::u16string ClassName() const override { return u"TTreeView"; }

    TTreeNodes& Items() { return FItems; }
    TTreeNode* Selected() const { return FSelected; }
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);
    TTreeNode* GetNodeAt(int x, int y) const;

    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool v) { SetStyle(FShowButtons, v); }
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool v) { SetStyle(FShowLines, v); }
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool v) { SetStyle(FShowRoot, v); }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { SetStyle(FRowSelect, v); }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) { SetStyle(FHideSelection, v); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { SetStyle(FReadOnly, v); }
    int Indent() const { return FIndent; }
    void SetIndent(int v) { SetStyle(FIndent, v); }
    bool RightClickSelect() const { return FRightClickSelect; }
    void SetRightClickSelect(bool v) { FRightClickSelect = v; }

    // Pictures for the items: an own list, or a platform list by handle (the system's icons).
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    void SetImageListHandle(std::intptr_t handle);
    std::intptr_t ImageListHandle() const;

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVExpandedEvent OnGetImageIndex;
    TTVExpandedEvent OnGetSelectedIndex;
    TTVExpandedEvent OnDeletion;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVCustomDrawItemEvent OnCustomDrawItem;

    // Entry points for the widget, by item handle: the user opens or closes an item (false
    // refuses), it was opened or closed, the selection is about to move (false refuses) and
    // moved, label editing begins (false refuses) and ends (nullptr: cancelled; false refuses
    // the text).
    bool HandleExpanding(std::intptr_t item, bool expand);
    void HandleExpanded(std::intptr_t item, bool expand);
    bool HandleSelChanging(std::intptr_t item);
    void HandleSelChanged(std::intptr_t item);
    bool HandleBeginEdit(std::intptr_t item);
    bool HandleEndEdit(std::intptr_t item, const std::u16string* text);
    // The picture of an item as it is to be drawn now, normal or selected (the hooks may set it).
    int HandleImageIndex(std::intptr_t item, bool selected);
    // Someone set a picture list on the widget directly: true when the tree answered by putting
    // its own choice there instead.
    virtual bool HandleImageListRequest() { return false; }

    TWantedKeys WantedKeys() const override { return wkArrows | wkChars; }
    bool HasCustomDraw() const override { return static_cast<bool>(OnCustomDrawItem); }
    bool CustomDrawItem(TCanvas& Canvas, const TRect& ItemRect, TCustomDrawState State, std::uintptr_t Item) override;

protected:
    friend class TTreeNode;
    friend class TTreeNodes;
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;
    // Hooks, in the order the widget asks them; the bases raise the events.
    virtual bool CanExpand(TTreeNode* Node);
    virtual void Expand(TTreeNode* Node);
    virtual bool CanCollapse(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node);
    virtual bool CanChange(TTreeNode* Node);
    virtual void Change(TTreeNode* Node);
    virtual void Delete(TTreeNode* Node);
    virtual bool CanEdit(TTreeNode* Node);
    virtual void Edit(TTreeNode* Node, std::u16string& S);
    virtual void GetImageIndex(TTreeNode* Node);
    virtual void GetSelectedIndex(TTreeNode* Node);
    // Work out what a node left pending (AssignImages, AssignHasChildren).
    virtual void ResolvePendingText(TTreeNode* Node) { (void)Node; }
    virtual void ResolvePendingImages(TTreeNode* Node) { (void)Node; }
    virtual void ResolvePendingChildren(TTreeNode* Node) { (void)Node; }
    // A right press selects the node under it first, when RightClickSelect is on.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The indent scales with the rest of the design.
    void ScaleDesign(int M, int D) override;
    TreeViewPeer* Widget() const { return PeerAs<TreeViewPeer>(); }

private:
    template <class T>
    void SetStyle(T& field, T value) {
        if (field == value) return;
        field = value;
        if (TreeViewPeer* widget = Widget()) widget->StyleChanged();
    }
    TTreeNodes FItems{*this};
    TTreeNode* FSelected = nullptr;
    TImageList* FImages = nullptr;
    std::intptr_t FImageListHandle = 0;
    bool FShowButtons = true, FShowLines = true, FShowRoot = true, FRowSelect = false, FHideSelection = true,
         FReadOnly = false, FRightClickSelect = false;
    int FIndent = 19;
};

}  // namespace ui
