#include "ui/Component.h"

#include <algorithm>

#include "ui/Exceptions.h"
#include "util/Utils.h"

namespace ui {

TComponent::TComponent(TComponent* AOwner) {
    // Components made while their owner is being loaded are part of that load.
    if (AOwner) FComponentState = AOwner->FComponentState & (csLoading | csReading | csDesigning);
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState |= csDestroying;
    // Tell the watchers first, while this object is still whole.
    auto watchers = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent* watcher : watchers) {
        auto& back = watcher->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        watcher->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    // Each leaves the list in its own destructor, so the loop ends.
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        last->FComponentState |= csDestroying;
        delete last;
    }
}

void TComponent::SetName(const std::u16string& name) {
    if (name == FName) return;
    if (FOwner && !name.empty()) {
        TComponent* existing = FOwner->FindComponent(name);
        if (existing && existing != this)
            throw EComponentError(FormatText(u"Eine Komponente mit der Bezeichnung %s existiert bereits", {name}));
    }
    FName = name;
}

TComponent* TComponent::FindComponent(const std::u16string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (util::SameTextAscii(c->FName, name)) return c;
    return nullptr;
}

void TComponent::BeginLoading() {
    FComponentState |= csLoading | csReading;
    for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading() {
    // Loaded may create or free components; walk a copy and skip any that went away.
    auto owned = FComponents;
    for (TComponent* c : owned)
        if (std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end()) c->EndLoading();
    FComponentState &= ~csReading;
    Loaded();
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove) {
        auto& list = FFreeNotifies;
        list.erase(std::remove(list.begin(), list.end(), AComponent), list.end());
    }
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end())
        FFreeNotifies.push_back(other);
    if (std::find(other->FFreeNotifies.begin(), other->FFreeNotifies.end(), this) == other->FFreeNotifies.end())
        other->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    auto& mine = FFreeNotifies;
    mine.erase(std::remove(mine.begin(), mine.end(), other), mine.end());
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::SetDesigning(bool designing) {
    if (designing) FComponentState |= csDesigning;
    else FComponentState &= ~csDesigning;
    for (TComponent* c : FComponents) c->SetDesigning(designing);
}

void TComponent::InsertComponent(TComponent* component) {
    FComponents.push_back(component);
    component->FOwner = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
    component->FOwner = nullptr;
}

}  // namespace ui
