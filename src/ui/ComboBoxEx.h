#pragma once
// The platform's extended combo box: a drop-down with an edit field whose entries carry a caption,
// a picture (and one for the selected state, and an overlay), an indent and a data pointer. The
// entries live here; the widget shows them and reports the user's choice back.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class TComboBoxEx;
class TComboExItems;
class TImageList;

class TComboExItem {
public:
    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& caption);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    int SelectedImageIndex() const { return FSelectedImageIndex; }
    void SetSelectedImageIndex(int index);
    int OverlayImageIndex() const { return FOverlayImageIndex; }
    void SetOverlayImageIndex(int index);
    int Indent() const { return FIndent; }
    void SetIndent(int indent);
    void* Data() const { return FData; }
    void SetData(void* data) { FData = data; }
    int Index() const;

private:
    friend class TComboExItems;
    explicit TComboExItem(TComboExItems& owner) : FOwner(owner) {}
    void Changed();
    TComboExItems& FOwner;
    std::u16string FCaption;
    int FImageIndex = -1;
    int FSelectedImageIndex = -1;
    int FOverlayImageIndex = -1;
    int FIndent = 0;
    void* FData = nullptr;
};

class TComboExItems {
public:
    explicit TComboExItems(TComboBoxEx& owner) : FOwner(owner) {}
    TComboExItems(const TComboExItems&) = delete;
    TComboExItems& operator=(const TComboExItems&) = delete;
    TComboExItem* Add() { return Insert(Count()); }
    // A new entry at a position (past the end: at the end).
    TComboExItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TComboExItem* Items(int index) const;
    int IndexOf(const TComboExItem* item) const;
    // Many changes, one redraw: the change hook is not run meanwhile.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    TComboBoxEx& Owner() const { return FOwner; }

private:
    friend class TComboExItem;
    TComboBoxEx& FOwner;
    std::vector<std::unique_ptr<TComboExItem>> FItems;
    int FUpdateCount = 0;
};

class TComboBoxEx : public TWinControl {
public:
    explicit TComboBoxEx(TComponent* AOwner);
    ~TComboBoxEx() override;
    std::u16string ClassName() const override { return u"TComboBoxEx"; }

    TComboExItems& Items() { return FItems; }
    const TComboExItems& Items() const { return FItems; }
    // The selected entry's position, -1 for none; setting it selects without the change hook.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    // Pictures: an own list, or a platform list by handle (the system's icons, not owned).
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    void SetImageListHandle(std::intptr_t handle);
    std::intptr_t ImageListHandle() const;
    // The list of entries is open.
    bool DroppedDown() const;

    TNotifyEvent OnChange;

    // Entry points for the widget: the user chose an entry (the click hook, then the change hook);
    // the list opened or closed.
    void HandleSelectionChanged(int index);
    void HandleDropDown(bool dropped);

protected:
    friend class TComboExItems;
    friend class TComboExItem;
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Hooks; the change hook's base raises OnChange, the click hook's OnClick.
    virtual void Change();
    ComboBoxExPeer* Widget() const { return PeerAs<ComboBoxExPeer>(); }

private:
    TComboExItems FItems{*this};
    int FItemIndex = -1;
    TImageList* FImages = nullptr;
    std::intptr_t FImageHandle = 0;
    bool FDroppedDown = false;
};

}  // namespace ui
