#pragma once
// A list of items on the platform's list control: columns with captions, widths and alignment;
// items with a caption, a picture and sub-item texts; selection and focus; sorting through a
// comparison event; label editing; small and large picture lists. The items keep the state; the
// widget shows them in the model's order and reports the user's changes back. With owner data the
// list holds only a row count and each row's state: a row's texts are asked of the program
// (OnData) when it is drawn or read, so a list of any length costs what is shown.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ColumnCaptions.h"
#include "ui/Control.h"
#include "util/Utils.h"

namespace ui {

class TListView;
class TListItems;
class TImageList;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };

class TListColumn {
public:
    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& caption);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    int Index() const { return FIndex; }

private:
    friend class TListColumns;
    TListColumn(TListView& owner, int index) : FOwner(owner), FIndex(index) {}
    TListView& FOwner;
    int FIndex;
    std::u16string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListColumns {
public:
    explicit TListColumns(TListView& owner) : FOwner(owner) {}
    TListColumn* Add();
    void Clear();
    int Count() const { return static_cast<int>(FColumns.size()); }
    TListColumn* Items(int index) const { return FColumns.at(static_cast<std::size_t>(index)).get(); }

private:
    TListView& FOwner;
    std::vector<std::unique_ptr<TListColumn>> FColumns;
};

class TListItem {
public:
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& caption);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    // Texts of the columns after the first; set them through SetSubItem or set them all at once.
    const util::StringList& SubItems() const { return FSubItems; }
    void SetSubItems(util::StringList texts);
    void AddSubItem(const std::u16string& text);
    void* Data() const { return FData; }
    void SetData(void* data) { FData = data; }

    bool Selected() const { return FSelected; }
    void SetSelected(bool selected);
    bool Focused() const { return FFocused; }
    void SetFocused(bool focused);
    int Index() const;
    // Removes the item from the list and frees it.
    void Delete();
    // Starts the label editor on the item.
    void EditCaption();
    void MakeVisible();
    TListView& ListView() const;

private:
    friend class TListItems;
    friend class TListView;
    explicit TListItem(TListItems& owner) : FOwner(owner) {}
    void Changed(TItemChange change);

    TListItems& FOwner;
    // The row an item fetched from an owner-data list stands for; -1 for an item of its own.
    int FOwnerIndex = -1;
    std::u16string FCaption;
    util::StringList FSubItems;
    void* FData = nullptr;
    int FImageIndex = -1;
    bool FSelected = false;
    bool FFocused = false;
};

class TListItems {
public:
    explicit TListItems(TListView& owner) : FOwner(owner) {}
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;
    ~TListItems();

    TListItem* Add();
    // A new item at a position (a position past the end adds at the end).
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // The number of rows of an owner-data list (ignored otherwise).
    void SetCount(int count);
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    int Count() const;
    // With owner data: the row filled in by OnData, valid until the next row is asked for.
    TListItem* Item(int index) const;
    int IndexOf(const TListItem* item) const;
    TListView& Owner() const { return FOwner; }

private:
    friend class TListItem;
    friend class TListView;
    TListView& FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent =
    std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::u16string& S)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;
// The row whose caption is the text (or, partial, begins with it), searching from Start and
// wrapping at the end; -1 for none.
using TLVOwnerDataFindEvent =
    std::function<void(TObject* Sender, const std::u16string& Text, int Start, bool Partial, int& Index)>;

class TListView : public TWinControl, public TColumnCaptions {
public:
    explicit TListView(TComponent* AOwner);
    ~TListView() override;
    std::u16string ClassName() const override { return u"TListView"; }

    TListColumns& Columns() { return FColumns; }
    TListItems& Items() { return FItems; }
    // The first selected item, nullptr for none; setting it selects that item alone.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);
    int SelCount() const;
    TListItem* GetItemAt(int x, int y) const;
    // Orders the items by OnCompare (by caption without it); true when anything was sorted.
    bool AlphaSort();
    using TCompare = std::function<int(TListItem* a, TListItem* b)>;
    bool CustomSort(const TCompare& compare);

    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle v) {
        if (v == FViewStyle) return;
        SetStyle(FViewStyle, v);
        ViewStyleChanged();
    }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { SetStyle(FReadOnly, v); }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) { SetStyle(FHideSelection, v); }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { SetStyle(FRowSelect, v); }
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v) { SetStyle(FMultiSelect, v); }
    bool ColumnClick() const { return FColumnClick; }
    void SetColumnClick(bool v) { SetStyle(FColumnClick, v); }
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool v) { SetStyle(FShowColumnHeaders, v); }
    // Rows asked of the program instead of items held here; switching empties the list.
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool ownerData);

    // Pictures: an own list, or a platform list by handle (the system's icons, not owned).
    void SetSmallImages(TImageList* images);
    void SetSmallImageListHandle(std::intptr_t handle);
    std::intptr_t SmallImageListHandle() const;
    void SetLargeImages(TImageList* images);
    void SetLargeImageListHandle(std::intptr_t handle);
    std::intptr_t LargeImageListHandle() const;

    TLVChangeEvent OnChange;
    TLVChangingEvent OnChanging;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVDeletedEvent OnDeletion;
    TLVDeletedEvent OnInsert;
    TLVOwnerDataEvent OnData;
    TLVOwnerDataFindEvent OnDataFind;

    // Entry points for the widget, by row: the selection or focus of a row is about to change
    // (false refuses) and changed; a column header was clicked; label editing begins (false
    // refuses) and ends (nullptr: cancelled; false refuses the text).
    bool HandleItemChanging(int index, bool selected, bool focused);
    void HandleItemChanged(int index, bool selected, bool focused);
    void HandleColumnClick(int column);
    bool HandleBeginEdit(int index);
    // A label editor is open.
    bool EditingLabel() const { return FEditingLabel; }
    bool HandleEndEdit(int index, const std::u16string* text);
    // The text a row shows in a column (0 is the caption), and its picture; a list that works
    // out its rows' details only when they are shown overrides these.
    virtual std::u16string ItemText(int index, int column) const;
    virtual int ItemImage(int index) const;
    // An owner-data list's search for a caption (the widget's type-ahead); -1 for none.
    int HandleDataFind(const std::u16string& text, int start, bool partial);

    TWantedKeys WantedKeys() const override { return wkArrows | wkChars; }
    // Texts from a language library caption the columns one number after the other.
    int ColumnCaptionCount() const override { return FColumns.Count(); }
    void SetColumnCaption(int index, const std::u16string& caption) override {
        if (index >= 0 && index < FColumns.Count()) FColumns.Items(index)->SetCaption(caption);
    }

protected:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    friend class TListColumns;
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Hooks; the bases raise the events.
    virtual bool CanChange(TListItem* Item, TItemChange Change);
    virtual void Change(TListItem* Item, TItemChange Change);
    virtual void ColClick(TListColumn* Column);
    virtual bool CanEdit(TListItem* Item);
    virtual void Edit(TListItem* Item, std::u16string& S);
    virtual void Delete(TListItem* Item);
    virtual void InsertItem(TListItem* Item);
    // An owner-data row is asked for (the base raises OnData), and the row whose caption is the
    // text (the base raises OnDataFind); the view style changed.
    virtual void OwnerDataFetch(TListItem* Item);
    virtual int OwnerDataFind(const std::u16string& Text, int Start, bool Partial);
    virtual void ViewStyleChanged() {}
    ListViewPeer* Widget() const { return PeerAs<ListViewPeer>(); }
    // Details worked out while the widget asks for them: stored without events or redrawing.
    static void AssignDetails(TListItem& item, int image, util::StringList subItems) {
        item.FImageIndex = image;
        item.FSubItems = std::move(subItems);
    }

private:
    template <class T>
    void SetStyle(T& field, T value) {
        if (field == value) return;
        field = value;
        if (ListViewPeer* widget = Widget()) widget->StyleChanged();
    }
    void ColumnsChanged();
    void ImagesChanged();
    // A state the program sets, applied to the row and the widget, with the events.
    void ApplyState(TListItem& item, bool selected, bool focused) { ApplyStateAt(item.Index(), selected, focused); }
    void ApplyStateAt(int index, bool selected, bool focused);
    // A row's state, wherever it is kept.
    bool SelectedAt(int index) const;
    bool FocusedAt(int index) const;
    void StoreState(int index, bool selected, bool focused);
    // An owner-data row, filled in by OnData.
    TListItem* Fetch(int index) const;
    void SetOwnerCount(int count);

    TListColumns FColumns{*this};
    TListItems FItems{*this};
    TImageList* FSmallImages = nullptr;
    TImageList* FLargeImages = nullptr;
    std::intptr_t FSmallHandle = 0;
    std::intptr_t FLargeHandle = 0;
    TViewStyle FViewStyle = vsIcon;
    bool FOwnerData = false;
    int FOwnerCount = 0;
    std::vector<std::uint8_t> FOwnerStates;  // bit 0 selected, bit 1 focused
    mutable std::unique_ptr<TListItem> FScratch;
    mutable bool FFetching = false;
    bool FEditingLabel = false;
    bool FReadOnly = false, FHideSelection = true, FRowSelect = false, FMultiSelect = false, FColumnClick = true,
         FShowColumnHeaders = true;
};

}  // namespace ui
