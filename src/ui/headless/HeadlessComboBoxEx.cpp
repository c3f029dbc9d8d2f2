#include "ui/headless/HeadlessComboBoxEx.h"

#include "ui/ComboBoxEx.h"

namespace ui::headless {

namespace {
HeadlessComboBoxEx::Row RowOf(const TComboExItem& item) {
    return {item.Caption(), item.ImageIndex(), item.SelectedImageIndex(), item.OverlayImageIndex(), item.Indent()};
}
}  // namespace

HeadlessComboBoxEx::HeadlessComboBoxEx(TComboBoxEx& box) : HeadlessPeer(box), FBox(box) {}

void HeadlessComboBoxEx::InsertItem(int index, const TComboExItem& item) {
    if (index < 0 || index > static_cast<int>(Rows.size())) index = static_cast<int>(Rows.size());
    Rows.insert(Rows.begin() + index, RowOf(item));
    if (Selected >= index) ++Selected;
}

void HeadlessComboBoxEx::UpdateItem(int index, const TComboExItem& item) {
    if (index >= 0 && index < static_cast<int>(Rows.size())) Rows[static_cast<std::size_t>(index)] = RowOf(item);
}

void HeadlessComboBoxEx::DeleteItem(int index) {
    if (index < 0 || index >= static_cast<int>(Rows.size())) return;
    Rows.erase(Rows.begin() + index);
    if (Selected == index) Selected = -1;
    else if (Selected > index) --Selected;
}

void HeadlessComboBoxEx::DeleteAll() {
    Rows.clear();
    Selected = -1;
}

void HeadlessComboBoxEx::UserChoose(int index) {
    if (!Enabled || index < 0 || index >= static_cast<int>(Rows.size())) return;
    Selected = index;
    Text = Rows[static_cast<std::size_t>(index)].Caption;
    Deliver([this, index] { FBox.HandleSelectionChanged(index); });
}

void HeadlessComboBoxEx::UserDropDown(bool dropped) {
    Deliver([this, dropped] { FBox.HandleDropDown(dropped); });
}

HeadlessComboBoxEx& PeerOf(TComboBoxEx& box) {
    box.HandleNeeded();
    return dynamic_cast<HeadlessComboBoxEx&>(*box.Peer());
}

}  // namespace ui::headless
