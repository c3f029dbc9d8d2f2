#pragma once
// Menu items in a tree under a popup menu. An item's Caption "-" is a separator.
#include <string>
#include <vector>

#include "ui/Component.h"
#include "ui/Control.h"

namespace ui {

class TImageList;
class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    std::u16string ClassName() const override { return u"TMenuItem"; }

    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& c) { FCaption = c; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool c) { FChecked = c; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool e) { FEnabled = e; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int i) { FImageIndex = i; }
    const std::u16string& Hint() const { return FHint; }
    void SetHint(const std::u16string& h) { FHint = h; }
    bool IsLine() const { return FCaption == u"-"; }

    // Sub-items: the parent item keeps the order; the owner (a form or this menu) frees them.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // Deletes every sub-item.
    void Clear();
    TMenuItem* ParentItem() const { return FParentItem; }

    // The user chose the item: OnClick, if the item is enabled.
    void Click();
    TNotifyEvent OnClick;

private:
    std::u16string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    int FImageIndex = -1;
    std::u16string FHint;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParentItem = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    std::u16string ClassName() const override { return u"TPopupMenu"; }

    TMenuItem& Items() { return *FItems; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    // Items are drawn by the menu itself (image and caption), not by the platform.
    // Opens by itself on the control's context-menu request.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool a) { FAutoPopup = a; }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool o) { FOwnerDraw = o; }
    // The control the menu was last opened for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* c) { FPopupComponent = c; }

    // OnPopup, then the menu at the screen point; returns after the choice (or none) is made.
    void Popup(int x, int y);
    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMenuItem* FItems;
    TImageList* FImages = nullptr;
    bool FOwnerDraw = false;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
};

}  // namespace ui
