#include "ui/ListView.h"

#include <algorithm>
#include <utility>

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

int TListItem::Index() const { return FOwnerIndex >= 0 ? FOwnerIndex : FOwner.IndexOf(this); }

void TListItem::Changed(TItemChange change) {
    TListView& list = ListView();
    // The program filling in an owner-data row changes nothing that was shown.
    if (list.FFetching) return;
    // The widget asks for texts and pictures when it draws: during an update it draws everything
    // once at the end, so a row need not be named now.
    if (ListViewPeer* widget = list.Widget(); widget && !FOwner.Updating()) widget->UpdateItem(Index());
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

void TListItem::SetSelected(bool selected) { ListView().ApplyStateAt(Index(), selected, ListView().FocusedAt(Index())); }

void TListItem::SetFocused(bool focused) { ListView().ApplyStateAt(Index(), ListView().SelectedAt(Index()), focused); }

void TListItem::Delete() { FOwner.Delete(Index()); }

void TListItem::EditCaption() {
    if (ListViewPeer* widget = ListView().Widget()) widget->EditLabel(Index());
}

void TListItem::MakeVisible() {
    if (ListViewPeer* widget = ListView().Widget()) widget->MakeVisible(Index());
}

TListItems::~TListItems() { FItems.clear(); }

TListItem* TListItems::Add() { return Insert(Count()); }

int TListItems::Count() const { return FOwner.FOwnerData ? FOwner.FOwnerCount : static_cast<int>(FItems.size()); }

void TListItems::SetCount(int count) {
    if (FOwner.FOwnerData) FOwner.SetOwnerCount(count);
}

TListItem* TListItems::Insert(int index) {
    if (FOwner.FOwnerData) {
        // A row more at the end; its texts are the program's.
        FOwner.SetOwnerCount(Count() + 1);
        return Item(Count() - 1);
    }
    const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(std::max(index, 0)), FItems.size());
    auto* item = new TListItem(*this);
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(at), std::unique_ptr<TListItem>(item));
    if (ListViewPeer* widget = FOwner.Widget()) widget->InsertItem(static_cast<int>(at));
    FOwner.InsertItem(item);
    return item;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    if (FOwner.FOwnerData) {
        // The program's data shrinks with its rows: the last row goes.
        FOwner.SetOwnerCount(Count() - 1);
        return;
    }
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
    if (FOwner.FOwnerData) {
        FOwner.SetOwnerCount(0);
        return;
    }
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
    if (FOwner.FOwnerData) return FOwner.Fetch(index);
    return FItems[static_cast<std::size_t>(index)].get();
}

int TListItems::IndexOf(const TListItem* item) const {
    // From the end: the rows being filled in or cleared are the last ones.
    for (std::size_t i = FItems.size(); i-- > 0;)
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
    if (FOwnerData)
        widget->SetItemCount(FOwnerCount);
    else
        for (int i = 0; i < FItems.Count(); ++i) widget->InsertItem(i);
    for (int i = 0; i < FItems.Count(); ++i)
        if (SelectedAt(i) || FocusedAt(i)) widget->SetItemState(i, SelectedAt(i), FocusedAt(i));
    return widget;
}

void TListView::SetOwnerData(bool ownerData) {
    if (ownerData == FOwnerData) return;
    // The platform's list takes the mode only when it is made: the widget is made anew.
    const bool hadWidget = HandleAllocated();
    DestroyHandle();
    FItems.FItems.clear();
    FOwnerStates.clear();
    FOwnerCount = 0;
    FScratch.reset();
    FOwnerData = ownerData;
    if (hadWidget) HandleNeeded();
}

void TListView::SetOwnerCount(int count) {
    count = std::max(count, 0);
    FOwnerCount = count;
    FOwnerStates.resize(static_cast<std::size_t>(count), 0);
    if (ListViewPeer* widget = Widget()) widget->SetItemCount(count);
}

TListItem* TListView::Fetch(int index) const {
    if (!FScratch) FScratch.reset(new TListItem(const_cast<TListItems&>(FItems)));
    TListItem& item = *FScratch;
    item.FOwnerIndex = index;
    item.FCaption.clear();
    item.FSubItems.clear();
    item.FData = nullptr;
    item.FImageIndex = -1;
    item.FSelected = SelectedAt(index);
    item.FFocused = FocusedAt(index);
    {
        const bool before = std::exchange(FFetching, true);
        const_cast<TListView*>(this)->OwnerDataFetch(&item);
        FFetching = before;
    }
    return &item;
}

int TListView::HandleDataFind(const std::u16string& text, int start, bool partial) {
    const int index = FOwnerData ? OwnerDataFind(text, start, partial) : -1;
    return index >= 0 && index < FOwnerCount ? index : -1;
}

void TListView::OwnerDataFetch(TListItem* Item) {
    if (OnData) OnData(this, Item);
}

int TListView::OwnerDataFind(const std::u16string& Text, int Start, bool Partial) {
    int index = -1;
    if (OnDataFind) OnDataFind(this, Text, Start, Partial, index);
    return index;
}

bool TListView::SelectedAt(int index) const {
    if (FOwnerData)
        return index >= 0 && static_cast<std::size_t>(index) < FOwnerStates.size() && (FOwnerStates[static_cast<std::size_t>(index)] & 1);
    const TListItem* item = index >= 0 && index < static_cast<int>(FItems.FItems.size()) ? FItems.FItems[static_cast<std::size_t>(index)].get() : nullptr;
    return item && item->FSelected;
}

bool TListView::FocusedAt(int index) const {
    if (FOwnerData)
        return index >= 0 && static_cast<std::size_t>(index) < FOwnerStates.size() && (FOwnerStates[static_cast<std::size_t>(index)] & 2);
    const TListItem* item = index >= 0 && index < static_cast<int>(FItems.FItems.size()) ? FItems.FItems[static_cast<std::size_t>(index)].get() : nullptr;
    return item && item->FFocused;
}

void TListView::StoreState(int index, bool selected, bool focused) {
    if (FOwnerData) {
        if (index >= 0 && static_cast<std::size_t>(index) < FOwnerStates.size())
            FOwnerStates[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>((selected ? 1 : 0) | (focused ? 2 : 0));
        return;
    }
    if (index < 0 || index >= static_cast<int>(FItems.FItems.size())) return;
    TListItem& item = *FItems.FItems[static_cast<std::size_t>(index)];
    item.FSelected = selected;
    item.FFocused = focused;
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
        if (SelectedAt(i)) return FItems.Item(i);
    return nullptr;
}

void TListView::SetSelected(TListItem* item) {
    const int wanted = item ? item->Index() : -1;
    // Every other row loses its selection first, as a click on the row would do.
    for (int i = 0; i < FItems.Count(); ++i)
        if (i != wanted && SelectedAt(i)) ApplyStateAt(i, false, FocusedAt(i));
    if (wanted >= 0) ApplyStateAt(wanted, true, FocusedAt(wanted));
}

TListItem* TListView::ItemFocused() const {
    for (int i = 0; i < FItems.Count(); ++i)
        if (FocusedAt(i)) return FItems.Item(i);
    return nullptr;
}

void TListView::SetItemFocused(TListItem* item) {
    const int wanted = item ? item->Index() : -1;
    // One row has the focus: the one that had it before gives it up.
    for (int i = 0; i < FItems.Count(); ++i)
        if (i != wanted && FocusedAt(i)) ApplyStateAt(i, SelectedAt(i), false);
    if (wanted >= 0) ApplyStateAt(wanted, SelectedAt(wanted), true);
}

int TListView::SelCount() const {
    int count = 0;
    for (int i = 0; i < FItems.Count(); ++i) count += SelectedAt(i) ? 1 : 0;
    return count;
}

void TListView::ApplyStateAt(int index, bool selected, bool focused) {
    if (index < 0 || index >= FItems.Count()) return;
    if (SelectedAt(index) == selected && FocusedAt(index) == focused) return;
    if (ListViewPeer* widget = Widget()) {
        // The widget reports the change back (HandleItemChanging, HandleItemChanged).
        widget->SetItemState(index, selected, focused);
        return;
    }
    if (!CanChange(FItems.Item(index), ctState)) return;
    StoreState(index, selected, focused);
    Change(FItems.Item(index), ctState);
}

TListItem* TListView::GetItemAt(int x, int y) const {
    if (ListViewPeer* widget = Widget()) return FItems.Item(widget->ItemAt(x, y));
    return nullptr;
}

bool TListView::CustomSort(const TCompare& compare) {
    // Owner data is sorted by its owner.
    if (FOwnerData || FItems.Count() < 2 || !compare) return false;
    // A stable sort keeps equal items in their order, and any comparator, even one that is not a
    // strict order, leaves a permutation.
    std::vector<std::size_t> order(FItems.FItems.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return compare(FItems.FItems[a].get(), FItems.FItems[b].get()) < 0;
    });
    std::vector<std::unique_ptr<TListItem>> sorted;
    sorted.reserve(order.size());
    for (std::size_t index : order) sorted.push_back(std::move(FItems.FItems[index]));
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
    if (index < 0 || index >= FItems.Count() || (SelectedAt(index) == selected && FocusedAt(index) == focused)) return true;
    return CanChange(FItems.Item(index), ctState);
}

void TListView::HandleItemChanged(int index, bool selected, bool focused) {
    if (index < 0 || index >= FItems.Count() || (SelectedAt(index) == selected && FocusedAt(index) == focused)) return;
    StoreState(index, selected, focused);
    Change(FItems.Item(index), ctState);
}

void TListView::HandleColumnClick(int column) {
    if (column >= 0 && column < FColumns.Count()) ColClick(FColumns.Items(column));
}

bool TListView::HandleBeginEdit(int index) {
    TListItem* item = FItems.Item(index);
    FEditingLabel = item && !FReadOnly && CanEdit(item);
    return FEditingLabel;
}

bool TListView::HandleEndEdit(int index, const std::u16string* text) {
    FEditingLabel = false;
    // An owner-data row's caption is the program's: its handler renames in its own data.
    if (FOwnerData) {
        TListItem* row = FItems.Item(index);
        if (!row || !text) return false;
        std::u16string s = *text;
        Edit(row, s);
        return true;
    }
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
    const TListItem* item = FItems.Item(index);  // with owner data, the row as OnData fills it
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
