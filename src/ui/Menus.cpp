#include "ui/Menus.h"

#include <algorithm>

#include "ui/Backend.h"
#include "ui/ImageList.h"

namespace ui {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    for (TMenuItem* item : FItems) item->FParentItem = nullptr;
    if (FParentItem) FParentItem->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    if (item->FParentItem) item->FParentItem->Remove(item);
    if (index < 0 || index > Count()) index = Count();
    FItems.insert(FItems.begin() + index, item);
    item->FParentItem = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParentItem = nullptr;
}

void TMenuItem::Clear() {
    while (!FItems.empty()) delete FItems.back();
}

void TMenuItem::Click() {
    if (FEnabled && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {}

TPopupMenu::~TPopupMenu() {
    // The root's sub-items may belong to the form; detach them before the root goes with us.
    while (FItems->Count() > 0) FItems->Remove(FItems->Items(0));
    if (FImages) RemoveFreeNotification(FImages);
}

void TPopupMenu::SetImages(TImageList* images) {
    if (images == FImages) return;
    if (FImages) RemoveFreeNotification(FImages);
    FImages = images;
    if (images) FreeNotification(images);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    GetBackend().TrackPopup(*this, x, y);
}

}  // namespace ui
