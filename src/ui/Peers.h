#pragma once
// The widgets behind windowed controls, one interface per family. State lives in the portable
// components; a peer mirrors it into a widget and feeds the widget's notifications back through
// the components' Handle... entry points. The backend makes each family through its own factory.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/CanvasSurface.h"
#include "ui/Types.h"

namespace ui {

// The ten numbers of a window's placement, as the platform keeps them.
struct TWindowPlacement {
    int Flags = 0;
    int ShowCmd = 0;
    TPoint MinPosition{-1, -1};
    TPoint MaxPosition{-1, -1};
    TRect NormalPosition;
    friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// What every windowed control's widget does.
// Whether the window shows the keyboard's cues now: accelerators underlined, focus drawn. A
// window shown by the mouse hides both until the keyboard is used.
struct KeyboardCues {
    bool Accelerators = true;
    bool Focus = true;
};

class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    // Outer bounds: in the parent's client coordinates, for a form on the screen.
    virtual void SetBounds(const TRect& bounds) = 0;
    virtual void SetText(const std::u16string& text) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Font and colour re-read from the control.
    virtual void AppearanceChanged() = 0;
    // The Tab key's stop and order among the siblings.
    virtual void TabChanged() = 0;
    virtual void Invalidate() = 0;
    // A part of the client area, for a control without a widget of its own painted there.
    virtual void InvalidateRect(const TRect& part) = 0;
    // Paints pending invalid parts now.
    virtual void Update() = 0;
    virtual void SetFocus() = 0;
    virtual bool Focused() const = 0;
    // The widget keeps the mouse (a press or a drag in progress), or lets it go.
    virtual void SetCapture(bool capture) = 0;
    // Size of the client area for the given outer size.
    virtual TSize ClientSizeFor(int width, int height) const = 0;
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const = 0;
    // A surface to draw on outside a paint; it is valid until the current message ends.
    virtual std::unique_ptr<CanvasSurface> DirectSurface() = 0;
    // The platform's handle of the widget, for calls that want an owner window; 0 without one.
    virtual std::intptr_t NativeHandle() const { return 0; }
    virtual KeyboardCues Cues() const = 0;
};

class FormPeer : public virtual ControlPeer {
public:
    virtual void BorderChanged() = 0;
    virtual TWindowPlacement GetPlacement() const = 0;
    virtual void SetPlacement(const TWindowPlacement& placement) = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void BringToFront() = 0;
    virtual bool Showing() const = 0;
    // Pixels per inch of the screen the window is on.
    virtual int Dpi() const = 0;
};

// A control that paints itself on a canvas.
class CustomPeer : public virtual ControlPeer {};

class ButtonPeer : public virtual ControlPeer {
public:
    virtual void SetDefault(bool isDefault) = 0;
};

class EditPeer : public virtual ControlPeer {
public:
    virtual void SetMaxLength(int length) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    // Puts the caret after the last character, nothing selected.
    virtual void PlaceCaretAtEnd() = 0;
};

// An edit field with a drop-down list of texts to choose from.
class ComboBoxPeer : public virtual EditPeer {
public:
    virtual void SetItems(const std::vector<std::u16string>& items) = 0;
    // Selects the whole text of the field, as for typing over it.
    virtual void SelectAllText() = 0;
    // The platform completes file-system paths while the user types.
    virtual void SetPathCompletion(bool complete) = 0;
};

class CheckBoxPeer : public virtual ControlPeer {
public:
    virtual void SetChecked(bool checked) = 0;
};

class TTreeNode;

// A tree of items; each item is named by the handle InsertItem gave it (0 is no item).
class TreeViewPeer : public virtual ControlPeer {
public:
    // A new item for the node below parent (0: at the top), after the item `after` (0: last,
    // -1: first).
    virtual std::intptr_t InsertItem(std::intptr_t parent, std::intptr_t after, const TTreeNode& node) = 0;
    // Removes the item with everything below it.
    virtual void DeleteItem(std::intptr_t item) = 0;
    // Text, images and whether it shows an expand button, re-read from the node.
    virtual void UpdateItem(std::intptr_t item, const TTreeNode& node) = 0;
    virtual void ExpandItem(std::intptr_t item, bool expand) = 0;
    virtual void SelectItem(std::intptr_t item) = 0;
    virtual std::intptr_t TopItem() const = 0;
    virtual void SetTopItem(std::intptr_t item) = 0;
    // The item at a client point, 0 for none.
    virtual std::intptr_t ItemAt(int x, int y) const = 0;
    // The item's row, or only its text, in client coordinates; empty when it is not shown.
    virtual TRect ItemRect(std::intptr_t item, bool textOnly) const = 0;
    // Children in the order of the nodes' own list (after a sort of the model).
    virtual void ReorderChildren(std::intptr_t parent, const TTreeNode* parentNode) = 0;
    virtual void SetRedraw(bool redraw) = 0;
    // Buttons, lines, root lines, row selection, selection shown without focus, indent.
    virtual void StyleChanged() = 0;
    virtual void SetImages(std::intptr_t imageList) = 0;
    virtual void EditLabel(std::intptr_t item) = 0;
};

// A list of rows in the model's order; rows are named by their position.
class ListViewPeer : public virtual ControlPeer {
public:
    // Captions, widths and alignment of every column, re-read from the list.
    virtual void ColumnsChanged() = 0;
    // A new row at a position; its texts and picture are asked of the list when drawn.
    virtual void InsertItem(int index) = 0;
    // Removes a row; a selected or focused row loses that first, with the notifications.
    virtual void DeleteItem(int index) = 0;
    virtual void DeleteAll() = 0;
    // The number of rows of an owner-data list; rows past it lose their state without a word.
    virtual void SetItemCount(int count) = 0;
    // Texts and picture of a row changed.
    virtual void UpdateItem(int index) = 0;
    // Selection and focus of a row as the program sets them (the notifications come back).
    virtual void SetItemState(int index, bool selected, bool focused) = 0;
    // The model's rows were put in a new order: the widget follows, each row keeping its state.
    virtual void ItemsReordered() = 0;
    virtual int ItemAt(int x, int y) const = 0;
    virtual TRect ItemRect(int index) const = 0;
    virtual void MakeVisible(int index) = 0;
    virtual void EditLabel(int index) = 0;
    virtual void SetRedraw(bool redraw) = 0;
    // View style, read-only, selection shown without focus, row selection, multiple selection,
    // clickable and shown column headers.
    virtual void StyleChanged() = 0;
    virtual void SetImages(std::intptr_t small, std::intptr_t large) = 0;
};

class TComboExItem;

// An extended combo box: its entries by position, the selected one, the picture list.
class ComboBoxExPeer : public virtual ControlPeer {
public:
    virtual void InsertItem(int index, const TComboExItem& item) = 0;
    virtual void UpdateItem(int index, const TComboExItem& item) = 0;
    virtual void DeleteItem(int index) = 0;
    virtual void DeleteAll() = 0;
    virtual void SetItemIndex(int index) = 0;
    virtual void SetImages(std::intptr_t images) = 0;
    virtual void SetRedraw(bool redraw) = 0;
};

class TimerPeer {
public:
    virtual ~TimerPeer() = default;
    virtual void Set(bool enabled, unsigned interval) = 0;
};

// The platform's image list made from the program's own pictures (colour with a mask).
class ImageListPeer {
public:
    virtual ~ImageListPeer() = default;
    // Adds one image; pixels of the mask colour are transparent. The new index, or -1.
    virtual int Add(const class TBitmap& image, TColor maskColor) = 0;
    virtual void Clear() = 0;
    // The platform's handle of the list, for widgets that take one.
    virtual std::intptr_t Handle() const = 0;
};

}  // namespace ui
