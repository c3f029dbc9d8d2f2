#pragma once
// An extended combo box's in-memory widget: the entries as the program handed them (caption,
// pictures, indent), the selection, and the user's choosing and opening of the list.
#include <string>
#include <vector>

#include "ui/headless/HeadlessPeer.h"

namespace ui {
class TComboBoxEx;
}

namespace ui::headless {

class HeadlessComboBoxEx final : public ComboBoxExPeer, public HeadlessPeer {
public:
    explicit HeadlessComboBoxEx(TComboBoxEx& box);
    struct Row {
        std::u16string Caption;
        int Image = -1, SelectedImage = -1, Overlay = -1, Indent = 0;
    };
    void InsertItem(int index, const TComboExItem& item) override;
    void UpdateItem(int index, const TComboExItem& item) override;
    void DeleteItem(int index) override;
    void DeleteAll() override;
    void SetItemIndex(int index) override { Selected = index; }
    void SetImages(std::intptr_t images) override { Images = images; }
    void SetRedraw(bool redraw) override { Redraw = redraw; }
    // The user picks an entry (with the list open or closed), opens or closes the list.
    void UserChoose(int index);
    void UserDropDown(bool dropped);
    std::vector<Row> Rows;
    int Selected = -1;
    std::intptr_t Images = 0;
    bool Redraw = true;

private:
    TComboBoxEx& FBox;
};

HeadlessComboBoxEx& PeerOf(TComboBoxEx& box);

}  // namespace ui::headless
