#include "ui/ComboBoxEx.h"

#include <algorithm>

#include "ui/Backend.h"
#include "ui/ImageList.h"

namespace ui {

// ---- an entry -------------------------------------------------------------------------------------

void TComboExItem::Changed() {
    TComboBoxEx& box = FOwner.Owner();
    if (ComboBoxExPeer* widget = box.Widget()) widget->UpdateItem(Index(), *this);
}

void TComboExItem::SetCaption(const std::u16string& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    Changed();
}

void TComboExItem::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed();
}

void TComboExItem::SetSelectedImageIndex(int index) {
    if (index == FSelectedImageIndex) return;
    FSelectedImageIndex = index;
    Changed();
}

void TComboExItem::SetOverlayImageIndex(int index) {
    if (index == FOverlayImageIndex) return;
    FOverlayImageIndex = index;
    Changed();
}

void TComboExItem::SetIndent(int indent) {
    indent = std::max(indent, 0);
    if (indent == FIndent) return;
    FIndent = indent;
    Changed();
}

int TComboExItem::Index() const { return FOwner.IndexOf(this); }

// ---- the entries ------------------------------------------------------------------------------------

TComboExItem* TComboExItems::Insert(int index) {
    const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(std::max(index, 0)), FItems.size());
    auto* item = new TComboExItem(*this);
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(at), std::unique_ptr<TComboExItem>(item));
    // The selection stays on its entry.
    if (FOwner.FItemIndex >= static_cast<int>(at)) ++FOwner.FItemIndex;
    if (ComboBoxExPeer* widget = FOwner.Widget()) widget->InsertItem(static_cast<int>(at), *item);
    return item;
}

void TComboExItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    FItems.erase(FItems.begin() + index);
    if (FOwner.FItemIndex == index)
        FOwner.FItemIndex = -1;
    else if (FOwner.FItemIndex > index)
        --FOwner.FItemIndex;
    if (ComboBoxExPeer* widget = FOwner.Widget()) widget->DeleteItem(index);
}

void TComboExItems::Clear() {
    FItems.clear();
    FOwner.FItemIndex = -1;
    if (ComboBoxExPeer* widget = FOwner.Widget()) widget->DeleteAll();
}

TComboExItem* TComboExItems::Items(int index) const {
    return index >= 0 && index < Count() ? FItems[static_cast<std::size_t>(index)].get() : nullptr;
}

int TComboExItems::IndexOf(const TComboExItem* item) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item) return static_cast<int>(i);
    return -1;
}

void TComboExItems::BeginUpdate() {
    if (FUpdateCount++ == 0)
        if (ComboBoxExPeer* widget = FOwner.Widget()) widget->SetRedraw(false);
}

void TComboExItems::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0)
        if (ComboBoxExPeer* widget = FOwner.Widget()) widget->SetRedraw(true);
}

// ---- the control -----------------------------------------------------------------------------------

TComboBoxEx::TComboBoxEx(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 24);
}

TComboBoxEx::~TComboBoxEx() { DestroyHandle(); }

std::unique_ptr<ControlPeer> TComboBoxEx::CreatePeer(UiBackend& backend) {
    std::unique_ptr<ComboBoxExPeer> widget = backend.CreateComboBoxEx(*this);
    widget->SetImages(ImageListHandle());
    for (int i = 0; i < FItems.Count(); ++i) widget->InsertItem(i, *FItems.Items(i));
    widget->SetItemIndex(FItemIndex);
    return widget;
}

void TComboBoxEx::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (ComboBoxExPeer* widget = Widget()) widget->SetImages(FImageHandle);
    }
}

void TComboBoxEx::SetItemIndex(int index) {
    if (index < -1 || index >= FItems.Count()) index = -1;
    FItemIndex = index;
    if (ComboBoxExPeer* widget = Widget()) widget->SetItemIndex(index);
}

void TComboBoxEx::SetImages(TImageList* images) {
    if (FImages) RemoveFreeNotification(FImages);
    FImages = images;
    if (images) FreeNotification(images);
    if (ComboBoxExPeer* widget = Widget()) widget->SetImages(ImageListHandle());
}

void TComboBoxEx::SetImageListHandle(std::intptr_t handle) {
    FImageHandle = handle;
    if (ComboBoxExPeer* widget = Widget()) widget->SetImages(ImageListHandle());
}

std::intptr_t TComboBoxEx::ImageListHandle() const { return FImages ? FImages->Handle() : FImageHandle; }

bool TComboBoxEx::DroppedDown() const { return FDroppedDown; }

void TComboBoxEx::HandleSelectionChanged(int index) {
    if (index < -1 || index >= FItems.Count()) return;
    FItemIndex = index;
    // A choice is a click, then a change, as the platform's own combo boxes report it.
    const auto alive = Lifetime();
    Click();
    if (!*alive) return;
    Change();
}

void TComboBoxEx::HandleDropDown(bool dropped) { FDroppedDown = dropped; }

void TComboBoxEx::Change() {
    if (OnChange) OnChange(this);
}

}  // namespace ui
