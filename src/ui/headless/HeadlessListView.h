#pragma once
// A list's in-memory widget: rows with their selection and focus, the columns as last told, rows
// of a fixed height below the header for hit tests, and a test's hand on the rows, the headers and
// the label editor. Like the platform's list, every change of a row's state asks the list first
// and tells it after; focusing a row takes the focus from the row that had it; a deleted row that
// was selected or focused is cleared first, with the notifications; a sort keeps each item's state.
#include <string>
#include <vector>

#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TListView;
}

namespace ui::headless {

class HeadlessListView final : public ListViewPeer, public HeadlessPeer {
public:
    explicit HeadlessListView(TListView& list);

    void ColumnsChanged() override;
    void InsertItem(int index) override;
    void DeleteItem(int index) override;
    void DeleteAll() override;
    void SetItemCount(int count) override;
    void UpdateItem(int index) override { ++Updates; (void)index; }
    void SetItemState(int index, bool selected, bool focused) override;
    void ItemsReordered() override;
    int ItemAt(int x, int y) const override;
    TRect ItemRect(int index) const override;
    void MakeVisible(int index) override;
    void EditLabel(int index) override;
    void SetRedraw(bool redraw) override { Redraw = redraw; }
    void StyleChanged() override { ++StyleChanges; }
    void SetImages(std::intptr_t small, std::intptr_t large) override {
        SmallImages = small;
        LargeImages = large;
    }

    // The user clicks a row (with Ctrl in a list of many selections: toggles it), double-clicks
    // it, clicks a column header, ends the label editor (nullptr cancels).
    void UserClick(int index, bool control = false);
    void UserDoubleClick(int index);
    void UserColumnClick(int column);
    void UserEndEdit(const std::u16string* text);
    // The texts a row shows, column by column, as the widget would draw them now.
    std::vector<std::u16string> RowTexts(int index) const;

    struct Row {
        bool Selected = false;
        bool Focused = false;
    };
    struct Column {
        std::u16string Caption;
        int Width = 0;
        TAlignment Alignment = taLeftJustify;
    };
    std::vector<Row> Rows;
    std::vector<Column> Columns;
    int Top = 0;
    int Editing = -1;
    int HeaderHeight = 20;
    int RowHeight = 17;
    std::intptr_t SmallImages = 0;
    std::intptr_t LargeImages = 0;
    bool Redraw = true;
    int Updates = 0;
    int StyleChanges = 0;

private:
    // Asks, then sets and tells; false when the list refused.
    bool ChangeRow(int index, bool selected, bool focused);
    TListView& FList;
};

HeadlessListView& PeerOf(TListView& list);

}  // namespace ui::headless
