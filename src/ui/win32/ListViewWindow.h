#pragma once
// A list on the platform's list control (visual styles on, report view with columns): rows whose
// texts and pictures are asked of the list when drawn, the shared system picture lists never
// destroyed by the control, the control's notifications back to the list (state changes, header
// clicks, label editing, clicks), one redraw around updates.
#include "ui/win32/WindowPeer.h"

namespace ui {
class TListView;
}

namespace ui::win32 {

class ListViewWindow final : public ListViewPeer, public WindowPeer {
public:
    explicit ListViewWindow(TListView& list);

    void ColumnsChanged() override;
    void InsertItem(int index) override;
    void DeleteItem(int index) override;
    void DeleteAll() override;
    void SetItemCount(int count) override;
    void UpdateItem(int index) override;
    void SetItemState(int index, bool selected, bool focused) override;
    void ItemsReordered() override;
    int ItemAt(int x, int y) const override;
    TRect ItemRect(int index) const override;
    void MakeVisible(int index) override;
    void EditLabel(int index) override;
    void SetRedraw(bool redraw) override;
    void StyleChanged() override;
    void SetImages(std::intptr_t small, std::intptr_t large) override;

    void AppearanceChanged() override;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;
    HBRUSH OnReflectedColor(HDC dc) override;

protected:
    bool RoutesMouse() const override { return true; }

private:
    DWORD ListStyles() const;
    TListView& FList;
    // While the widget is set to the model's state, its notifications tell nothing new.
    bool FSyncing = false;
};

}  // namespace ui::win32
