#include "ui/headless/HeadlessListView.h"

#include <algorithm>
#include <stdexcept>

#include "ui/ListView.h"

namespace ui::headless {

HeadlessListView::HeadlessListView(TListView& list) : HeadlessPeer(list), FList(list) {}

void HeadlessListView::ColumnsChanged() {
    Columns.clear();
    for (int i = 0; i < FList.Columns().Count(); ++i) {
        const TListColumn& c = *FList.Columns().Items(i);
        Columns.push_back({c.Caption(), c.Width(), c.Alignment()});
    }
}

void HeadlessListView::InsertItem(int index) {
    if (index < 0 || index > static_cast<int>(Rows.size())) index = static_cast<int>(Rows.size());
    Rows.insert(Rows.begin() + index, Row{});
    if (Editing >= index) ++Editing;
}

bool HeadlessListView::ChangeRow(int index, bool selected, bool focused) {
    Row& row = Rows[static_cast<std::size_t>(index)];
    if (row.Selected == selected && row.Focused == focused) return true;
    if (!FList.HandleItemChanging(index, selected, focused)) return false;
    if (index >= static_cast<int>(Rows.size())) return false;
    Rows[static_cast<std::size_t>(index)] = {selected, focused};
    FList.HandleItemChanged(index, selected, focused);
    return true;
}

void HeadlessListView::DeleteItem(int index) {
    if (index < 0 || index >= static_cast<int>(Rows.size())) return;
    const Row row = Rows[static_cast<std::size_t>(index)];
    if (row.Selected || row.Focused) {
        Deliver([&] { ChangeRow(index, false, false); });
        if (index >= static_cast<int>(Rows.size())) return;
    }
    Rows.erase(Rows.begin() + index);
    if (Editing == index) Editing = -1;
    else if (Editing > index) --Editing;
    if (Top >= static_cast<int>(Rows.size())) Top = Rows.empty() ? 0 : static_cast<int>(Rows.size()) - 1;
}

void HeadlessListView::DeleteAll() {
    for (int i = static_cast<int>(Rows.size()) - 1; i >= 0; --i) DeleteItem(i);
}

void HeadlessListView::SetItemCount(int count) {
    Rows.resize(static_cast<std::size_t>(std::max(count, 0)));
    if (Editing >= count) Editing = -1;
    if (Top >= count) Top = std::max(count - 1, 0);
}

void HeadlessListView::SetItemState(int index, bool selected, bool focused) {
    if (index < 0 || index >= static_cast<int>(Rows.size())) return;
    Deliver([&] {
        // One row has the focus: the platform takes it from the other row first.
        if (focused)
            for (int i = 0; i < static_cast<int>(Rows.size()); ++i)
                if (i != index && Rows[static_cast<std::size_t>(i)].Focused)
                    ChangeRow(i, Rows[static_cast<std::size_t>(i)].Selected, false);
        if (index < static_cast<int>(Rows.size())) ChangeRow(index, selected, focused);
    });
}

void HeadlessListView::ItemsReordered() {
    // The platform's sort moves each item with its state; the list's items carry the same.
    for (int i = 0; i < static_cast<int>(Rows.size()); ++i)
        if (const TListItem* item = FList.Items().Item(i)) Rows[static_cast<std::size_t>(i)] = {item->Selected(), item->Focused()};
}

int HeadlessListView::ItemAt(int x, int y) const {
    const int header = FList.ViewStyle() == vsReport && FList.ShowColumnHeaders() ? HeaderHeight : 0;
    if (x < 0 || y < header || x >= Bounds.Width()) return -1;
    const int index = Top + (y - header) / RowHeight;
    return index < static_cast<int>(Rows.size()) ? index : -1;
}

TRect HeadlessListView::ItemRect(int index) const {
    if (index < Top || index >= static_cast<int>(Rows.size())) return {};
    const int header = FList.ViewStyle() == vsReport && FList.ShowColumnHeaders() ? HeaderHeight : 0;
    const int top = header + (index - Top) * RowHeight;
    return {0, top, Bounds.Width(), top + RowHeight};
}

void HeadlessListView::MakeVisible(int index) {
    if (index < 0 || index >= static_cast<int>(Rows.size())) return;
    const int header = FList.ViewStyle() == vsReport && FList.ShowColumnHeaders() ? HeaderHeight : 0;
    const int visible = std::max(1, (Bounds.Height() - header) / RowHeight);
    if (index < Top) Top = index;
    else if (index >= Top + visible) Top = index - visible + 1;
}

void HeadlessListView::EditLabel(int index) {
    if (index < 0 || index >= static_cast<int>(Rows.size())) return;
    Deliver([&] {
        if (FList.HandleBeginEdit(index)) Editing = index;
    });
}

void HeadlessListView::UserEndEdit(const std::u16string* text) {
    const int index = Editing;
    if (index < 0) return;
    Editing = -1;
    Deliver([&] { FList.HandleEndEdit(index, text); });
}

void HeadlessListView::UserClick(int index, bool control) {
    const auto alive = Control.Lifetime();
    Deliver([&] {
        if (index >= 0 && index < static_cast<int>(Rows.size())) {
            if (control && FList.MultiSelect()) {
                const Row row = Rows[static_cast<std::size_t>(index)];
                SetItemState(index, !row.Selected, true);
            } else {
                // The others lose their selection first, then the row takes selection and focus.
                for (int i = 0; *alive && i < static_cast<int>(Rows.size()); ++i)
                    if (i != index && Rows[static_cast<std::size_t>(i)].Selected)
                        ChangeRow(i, false, Rows[static_cast<std::size_t>(i)].Focused);
                if (*alive) SetItemState(index, true, true);
            }
        }
        // A handler may have freed the list on the way.
        if (*alive) Control.HandleClick();
    });
}

void HeadlessListView::UserDoubleClick(int index) {
    const auto alive = Control.Lifetime();
    UserClick(index);
    if (*alive) Deliver([&] { Control.HandleDblClick(); });
}

void HeadlessListView::UserColumnClick(int column) {
    if (!FList.ColumnClick()) return;
    Deliver([&] { FList.HandleColumnClick(column); });
}

std::vector<std::u16string> HeadlessListView::RowTexts(int index) const {
    std::vector<std::u16string> texts;
    const int columns = std::max(1, static_cast<int>(Columns.size()));
    for (int c = 0; c < columns; ++c) texts.push_back(FList.ItemText(index, c));
    return texts;
}

HeadlessListView& PeerOf(TListView& list) {
    list.HandleNeeded();
    auto* peer = dynamic_cast<HeadlessListView*>(list.Peer());
    if (!peer) throw std::logic_error("list has no headless widget (is it on a form?)");
    return *peer;
}

}  // namespace ui::headless
