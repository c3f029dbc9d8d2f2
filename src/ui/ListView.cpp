#include "ui/ListView.h"

#include <algorithm>

#include "ui/Backend.h"
#include "ui/ImageList.h"

namespace ui {

// ---- columns ----------------------------------------------------------------------------------

void TListColumn::SetCaption(const std::u16string& caption) {
    if (FCaption == caption) return;
    FCaption = caption;
    FOwner.ColumnsChanged();
}

void TListColumn::SetWidth(int width) {
    if (FWidth == width) return;
    FWidth = width;
    FOwner.ColumnsChanged();
}

void TListColumn::SetAlignment(TAlignment alignment) {
    if (FAlignment == alignment) return;
    FAlignment = alignment;
    FOwner.ColumnsChanged();
}

TListColumn* TListColumns::Add() {
    FColumns.push_back(std::unique_ptr<TListColumn>(new TListColumn(FOwner, Count())));
    FOwner.ColumnsChanged();
    return FColumns.back().get();
}

void TListColumns::Clear() {
    FColumns.clear();
    FOwner.ColumnsChanged();
}

// ---- items ------------------------------------------------------------------------------------

TListView& TListItem::ListView() const { return FOwner.Owner(); }

int TListItem::Index() const { return FOwner.IndexOf(this); }

void TListItem::Changed(TItemChange change) {
    TListView& list = ListView();
    if (ListViewPeer* widget = list.Widget()) widget->UpdateItem(Index());
    list.Change(this, change);
}

void TListItem::SetCaption(const std::u16string& caption) {
    if (FCaption == caption) return;
    FCaption = caption;
    Changed(ctText);
}

void TListItem::SetImageIndex(int index) {
    if (FImageIndex == index) return;
    FImageIndex = index;
    Changed(ctImage);
}

void TListItem::SetSubItems(util::StringList texts) {
    FSubItems = std::move(texts);
    Changed(ctText);
}

void TListItem::AddSubItem(const std::u16string& text) {
    FSubItems.push_back(text);
    Changed(ctText);
}

void TListItem::SetSelected(bool selected) { ListView().ApplyState(*this, selected, FFocused); }

void TListItem::SetFocused(bool focused) { ListView().ApplyState(*this, FSelected, focused); }

void TListItem::Delete() { FOwner.Delete(Index()); }

void TListItem::EditCaption() {
    if (ListViewPeer* widget = ListView().Widget()) widget->EditLabel(Index());
}

void TListItem::MakeVisible() {
    if (ListViewPeer* widget = ListView().Widget()) widget->MakeVisible(Index());
}

TListItems::~TListItems() { FItems.clear(); }

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(std::max(index, 0)), FItems.size());
    auto* item = new TListItem(*this);
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(at), std::unique_ptr<TListItem>(item));
    if (ListViewPeer* widget = FOwner.Widget()) widget->InsertItem(static_cast<int>(at));
    FOwner.InsertItem(item);
    return item;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    TListItem* item = FItems[static_cast<std::size_t>(index)].get();
    const auto alive = FOwner.Lifetime();
    FOwner.Delete(item);
    if (!*alive) return;
    // The handler may have moved or removed items: find the item again.
    index = IndexOf(item);
    if (index < 0) return;
    // The row gives up its selection and focus first, with the questions and events, while it
    // still names the item; a handler may change the list meanwhile, so the row is found again.
    if (item->FSelected || item->FFocused) {
        FOwner.ApplyState(*item, false, false);
        if (!*alive) return;
        index = IndexOf(item);
        if (index < 0) return;
    }
    if (ListViewPeer* widget = FOwner.Widget()) widget->DeleteItem(index);
    if (!*alive) return;
    index = IndexOf(item);
    if (index >= 0) FItems.erase(FItems.begin() + index);
}

void TListItems::Clear() {
    BeginUpdate();
    while (!FItems.empty()) {
        const int before = Count();
        Delete(Count() - 1);
        // A deletion handler that refills the list cannot keep this loop going for ever.
        if (Count() >= before) break;
    }
    EndUpdate();
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0)
        if (ListViewPeer* widget = FOwner.Widget()) widget->SetRedraw(false);
}

void TListItems::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0)
        if (ListViewPeer* widget = FOwner.Widget()) widget->SetRedraw(true);
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return FItems[static_cast<std::size_t>(index)].get();
}

int TListItems::IndexOf(const TListItem* item) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item) return static_cast<int>(i);
    return -1;
}

// ---- the list ---------------------------------------------------------------------------------

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner) {
    // The platform's list keeps the mouse and makes its clicks itself (they come back as
    // notifications); it paints its whole client area.
    SetControlStyle((ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption)) | csOpaque);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 250, 150);
}

TListView::~TListView() {
    // The widget goes before the items, so that it never names a freed item.
    DestroyHandle();
}

std::unique_ptr<ControlPeer> TListView::CreatePeer(UiBackend& backend) {
    std::unique_ptr<ListViewPeer> widget = backend.CreateListView(*this);
    widget->ColumnsChanged();
    widget->SetImages(SmallImageListHandle(), LargeImageListHandle());
    for (int i = 0; i < FItems.Count(); ++i) widget->InsertItem(i);
    for (int i = 0; i < FItems.Count(); ++i) {
        const TListItem& item = *FItems.Item(i);
        if (item.FSelected || item.FFocused) widget->SetItemState(i, item.FSelected, item.FFocused);
    }
    return widget;
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSmallImages) {
        FSmallImages = nullptr;
        ImagesChanged();
    }
    if (AComponent == FLargeImages) {
        FLargeImages = nullptr;
        ImagesChanged();
    }
}

void TListView::ColumnsChanged() {
    if (ListViewPeer* widget = Widget()) widget->ColumnsChanged();
}

void TListView::ImagesChanged() {
    if (ListViewPeer* widget = Widget()) widget->SetImages(SmallImageListHandle(), LargeImageListHandle());
}

void TListView::SetSmallImages(TImageList* images) {
    if (FSmallImages) RemoveFreeNotification(FSmallImages);
    FSmallImages = images;
    if (images) FreeNotification(images);
    ImagesChanged();
}

void TListView::SetSmallImageListHandle(std::intptr_t handle) {
    FSmallHandle = handle;
    ImagesChanged();
}

std::intptr_t TListView::SmallImageListHandle() const { return FSmallImages ? FSmallImages->Handle() : FSmallHandle; }

void TListView::SetLargeImages(TImageList* images) {
    if (FLargeImages) RemoveFreeNotification(FLargeImages);
    FLargeImages = images;
    if (images) FreeNotification(images);
    ImagesChanged();
}

void TListView::SetLargeImageListHandle(std::intptr_t handle) {
    FLargeHandle = handle;
    ImagesChanged();
}

std::intptr_t TListView::LargeImageListHandle() const { return FLargeImages ? FLargeImages->Handle() : FLargeHandle; }

TListItem* TListView::Selected() const {
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Item(i)->FSelected) return FItems.Item(i);
    return nullptr;
}

void TListView::SetSelected(TListItem* item) {
    // Every other item loses its selection first, as a click on the item would do.
    for (int i = 0; i < FItems.Count(); ++i) {
        TListItem* other = FItems.Item(i);
        if (other != item && other->FSelected) ApplyState(*other, false, other->FFocused);
    }
    if (item) ApplyState(*item, true, item->FFocused);
}

TListItem* TListView::ItemFocused() const {
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Item(i)->FFocused) return FItems.Item(i);
    return nullptr;
}

void TListView::SetItemFocused(TListItem* item) {
    // One row has the focus: the one that had it before gives it up.
    if (TListItem* old = ItemFocused(); old && old != item) ApplyState(*old, old->FSelected, false);
    if (item) ApplyState(*item, item->FSelected, true);
}

int TListView::SelCount() const {
    int count = 0;
    for (int i = 0; i < FItems.Count(); ++i) count += FItems.Item(i)->FSelected ? 1 : 0;
    return count;
}

void TListView::ApplyState(TListItem& item, bool selected, bool focused) {
    if (item.FSelected == selected && item.FFocused == focused) return;
    if (ListViewPeer* widget = Widget()) {
        // The widget reports the change back (HandleItemChanging, HandleItemChanged).
        widget->SetItemState(item.Index(), selected, focused);
        return;
    }
    if (!CanChange(&item, ctState)) return;
    item.FSelected = selected;
    item.FFocused = focused;
    Change(&item, ctState);
}

TListItem* TListView::GetItemAt(int x, int y) const {
    if (ListViewPeer* widget = Widget()) return FItems.Item(widget->ItemAt(x, y));
    return nullptr;
}

bool TListView::CustomSort(const TCompare& compare) {
    if (FItems.Count() < 2 || !compare) return false;
    // A stable sort keeps equal items in their order, and any comparator, even one that is not a
    // strict order, leaves a permutation.
    std::vector<TListItem*> order;
    for (auto& item : FItems.FItems) order.push_back(item.get());
    std::stable_sort(order.begin(), order.end(), [&](TListItem* a, TListItem* b) { return compare(a, b) < 0; });
    std::vector<std::unique_ptr<TListItem>> sorted;
    sorted.reserve(order.size());
    for (TListItem* item : order)
        for (auto& owned : FItems.FItems)
            if (owned.get() == item) {
                sorted.push_back(std::move(owned));
                break;
            }
    FItems.FItems = std::move(sorted);
    if (ListViewPeer* widget = Widget()) widget->ItemsReordered();
    return true;
}

bool TListView::AlphaSort() {
    if (OnCompare)
        return CustomSort([this](TListItem* a, TListItem* b) {
            int compare = 0;
            OnCompare(this, a, b, 0, compare);
            return compare;
        });
    return CustomSort([](TListItem* a, TListItem* b) { return a->Caption().compare(b->Caption()); });
}

// ---- what the widget reports ------------------------------------------------------------------

bool TListView::HandleItemChanging(int index, bool selected, bool focused) {
    TListItem* item = FItems.Item(index);
    if (!item || (item->FSelected == selected && item->FFocused == focused)) return true;
    return CanChange(item, ctState);
}

void TListView::HandleItemChanged(int index, bool selected, bool focused) {
    TListItem* item = FItems.Item(index);
    if (!item || (item->FSelected == selected && item->FFocused == focused)) return;
    item->FSelected = selected;
    item->FFocused = focused;
    Change(item, ctState);
}

void TListView::HandleColumnClick(int column) {
    if (column >= 0 && column < FColumns.Count()) ColClick(FColumns.Items(column));
}

bool TListView::HandleBeginEdit(int index) {
    TListItem* item = FItems.Item(index);
    return item && !FReadOnly && CanEdit(item);
}

bool TListView::HandleEndEdit(int index, const std::u16string* text) {
    TListItem* item = FItems.Item(index);
    if (!item || !text) return false;
    std::u16string s = *text;
    const auto alive = Lifetime();
    Edit(item, s);
    if (!*alive) return false;
    // The handler may have removed the item: look it up again.
    if (FItems.IndexOf(item) < 0) return false;
    item->FCaption = s;
    if (ListViewPeer* widget = Widget()) widget->UpdateItem(FItems.IndexOf(item));
    return true;
}

std::u16string TListView::ItemText(int index, int column) const {
    const TListItem* item = FItems.Item(index);
    if (!item) return {};
    if (column <= 0) return item->FCaption;
    const auto sub = static_cast<std::size_t>(column - 1);
    return sub < item->FSubItems.size() ? item->FSubItems[sub] : std::u16string();
}

int TListView::ItemImage(int index) const {
    const TListItem* item = FItems.Item(index);
    return item ? item->FImageIndex : -1;
}

// ---- hooks ------------------------------------------------------------------------------------

bool TListView::CanChange(TListItem* Item, TItemChange Change) {
    bool allow = true;
    if (OnChanging) OnChanging(this, Item, Change, allow);
    return allow;
}

void TListView::Change(TListItem* Item, TItemChange Change) {
    if (OnChange) OnChange(this, Item, Change);
}

void TListView::ColClick(TListColumn* Column) {
    if (OnColumnClick) OnColumnClick(this, Column);
}

bool TListView::CanEdit(TListItem* Item) {
    bool allow = true;
    if (OnEditing) OnEditing(this, Item, allow);
    return allow;
}

void TListView::Edit(TListItem* Item, std::u16string& S) {
    if (OnEdited) OnEdited(this, Item, S);
}

void TListView::Delete(TListItem* Item) {
    if (OnDeletion) OnDeletion(this, Item);
}

void TListView::InsertItem(TListItem* Item) {
    if (OnInsert) OnInsert(this, Item);
}

}  // namespace ui
