#pragma once
// Named components owned by another component (normally their form). The owner destroys what it
// owns; a component destroyed on its own leaves its owner's list first, and every component that
// asked for it hears of the removal.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Object.h"

namespace ui {

using TComponentState = unsigned;
constexpr TComponentState csLoading = 0x01;
constexpr TComponentState csReading = 0x02;
constexpr TComponentState csWriting = 0x04;
constexpr TComponentState csDestroying = 0x08;
constexpr TComponentState csDesigning = 0x10;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    std::u16string ClassName() const override { return u"TComponent"; }

    const std::u16string& Name() const { return FName; }
    // A second component of the same owner with the same name (ASCII case ignored) is refused.
    virtual void SetName(const std::u16string& name);
    TComponent* Owner() const { return FOwner; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t tag) { FTag = tag; }
    TComponentState ComponentState() const { return FComponentState; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }
    // The owned component with that name, ASCII case ignored; nullptr when there is none.
    TComponent* FindComponent(const std::u16string& name) const;

    // Marks the component and everything it owns as being loaded from a form definition.
    void BeginLoading();
    // Ends loading: Loaded runs for every owned component in ownership order, then for this one.
    void EndLoading();

    // Asks to hear (Notification with opRemove) when other is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // For tests and the form editor's stand-in: mark as being designed.
    void SetDesigning(bool designing);

    // The design was made for D pixels per inch and is shown at M: lengths are scaled by M / D.
    // Owned components are scaled by their form; the base has nothing to scale.
    virtual void ScaleDesign(int M, int D) { (void)M, (void)D; }

protected:
    // Called once streaming has finished; the base clears the loading state.
    virtual void Loaded();
    // Another component was inserted into or removed from this owner, or a watched one is going.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetComponentState(TComponentState state) { FComponentState = state; }
    // Deletes the owned components, last first. Derived destructors call it while their own parts
    // still stand, because owned controls talk to their parent as they go.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    std::u16string FName;
    TComponent* FOwner = nullptr;
    std::intptr_t FTag = 0;
    TComponentState FComponentState = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

}  // namespace ui
