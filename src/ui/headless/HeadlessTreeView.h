#pragma once
// A tree's in-memory widget: items with their text, pictures and state, rows of a fixed height
// for hit tests, and a test's hand on the buttons, the selection and the label editor. Like the
// platform's tree, the program's own expand call asks nothing, a selection asks the tree first,
// a deleted selected item hands the selection on (asking first), and a press runs the widget's
// own drag detection: it keeps the moves within the drag rectangle and the release, clicks, then
// selects the row; the backend hands the kept release on afterwards, as the real one does.
#include <map>
#include <optional>
#include <vector>

#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TTreeView;
}

namespace ui::headless {

class HeadlessTreeView final : public TreeViewPeer, public HeadlessPeer {
public:
    explicit HeadlessTreeView(TTreeView& tree);

    std::intptr_t InsertItem(std::intptr_t parent, std::intptr_t after, const TTreeNode& node) override;
    void DeleteItem(std::intptr_t item) override;
    void UpdateItem(std::intptr_t item, const TTreeNode& node) override;
    void ExpandItem(std::intptr_t item, bool expand) override;
    void SelectItem(std::intptr_t item) override;
    std::intptr_t TopItem() const override { return Top; }
    void SetTopItem(std::intptr_t item) override { Top = item; }
    std::intptr_t ItemAt(int x, int y) const override;
    TRect ItemRect(std::intptr_t item, bool textOnly) const override;
    void ReorderChildren(std::intptr_t parent, const TTreeNode* parentNode) override;
    void SetRedraw(bool redraw) override;
    void StyleChanged() override { ++StyleChanges; }
    void SetImages(std::intptr_t imageList) override { ImageList = imageList; }
    void EditLabel(std::intptr_t item) override;

    void Press(int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0, bool doubled = false) override;
    void MoveTo(int x, int y, TShiftState shift = 0) override;
    void Release(int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0) override;
    // Half the platform's drag rectangle: moves within it stay part of a press.
    static constexpr int DragDistance = 4;

    // The user clicks an item's button, picks an item, ends the label editor (nullptr cancels).
    void UserToggle(std::intptr_t item);
    void UserSelect(std::intptr_t item) { SelectItem(item); }
    void UserEndEdit(const std::u16string* text);
    // The items shown, top to bottom (the children of expanded items only).
    std::vector<std::intptr_t> Rows() const;

    struct Item {
        std::intptr_t Parent = 0;
        std::vector<std::intptr_t> Children;
        std::u16string Text;
        bool HasChildren = false;
        bool Expanded = false;
    };
    std::map<std::intptr_t, Item> Items;
    std::vector<std::intptr_t> Roots;
    std::intptr_t Selected = 0;
    std::intptr_t Top = 0;
    std::intptr_t Editing = 0;
    std::intptr_t ImageList = 0;
    int RowHeight = 18;
    bool Redraw = true;
    int Redraws = 0;  // times the widget was drawn again after an update
    int StyleChanges = 0;

private:
    TTreeView& FTree;
    std::intptr_t FNextId = 1;
    // A press whose release the widget's drag detection is waiting for.
    struct Tracking {
        TMouseButton Button;
        TPoint At;
    };
    std::optional<Tracking> FTracking;
    std::vector<std::intptr_t>& ChildrenOf(std::intptr_t parent) {
        return parent ? Items[parent].Children : Roots;
    }
};

HeadlessTreeView& PeerOf(TTreeView& tree);

}  // namespace ui::headless
