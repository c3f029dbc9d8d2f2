#pragma once
// A tree on the platform's tree control (visual styles on): items inserted with the node's text
// and a picture asked for when drawn, the control's notifications back to the tree (expansion,
// selection, label editing, clicks, custom drawing of each item's colours), one redraw around
// updates, hit tests through the control.
#include "ui/win32/WindowPeer.h"

namespace ui {
class TTreeView;
}

namespace ui::win32 {

class TreeViewWindow final : public TreeViewPeer, public WindowPeer {
public:
    explicit TreeViewWindow(TTreeView& tree);

    std::intptr_t InsertItem(std::intptr_t parent, std::intptr_t after, const TTreeNode& node) override;
    void DeleteItem(std::intptr_t item) override;
    void UpdateItem(std::intptr_t item, const TTreeNode& node) override;
    void ExpandItem(std::intptr_t item, bool expand) override;
    void SelectItem(std::intptr_t item) override;
    std::intptr_t TopItem() const override;
    void SetTopItem(std::intptr_t item) override;
    std::intptr_t ItemAt(int x, int y) const override;
    TRect ItemRect(std::intptr_t item, bool textOnly) const override;
    void ReorderChildren(std::intptr_t parent, const TTreeNode* parentNode) override;
    void SetRedraw(bool redraw) override;
    void StyleChanged() override;
    void SetImages(std::intptr_t imageList) override;
    void EditLabel(std::intptr_t item) override;

    // Font, background and text colour: the control measures its rows anew for a new font.
    void AppearanceChanged() override;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;
    HBRUSH OnReflectedColor(HDC dc) override;
    void ApplyItemColors(NMCUSTOMDRAW& draw, COLORREF text, COLORREF back) override;

protected:
    bool RoutesMouse() const override { return true; }
    bool HandleFamilyMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    DWORD TreeStyles() const;
    TTreeView& FTree;
};

}  // namespace ui::win32
