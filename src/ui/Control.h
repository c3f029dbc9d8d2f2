#pragma once
// Controls: components with bounds, a caption, a font and colour, placed on a parent. A windowed
// control has its own widget (a peer) once its parent has one; a control without one is painted
// and handed the mouse by its parent.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/Canvas.h"
#include "ui/Component.h"
#include "ui/Graphics.h"

namespace platform {
class ShellContextMenu;
}

namespace ui {

class TWinControl;
class TPopupMenu;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TStartDragEvent = std::function<void(TObject* Sender)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// State of an item a platform control is about to draw (values of the platform's CDIS_ flags).
using TCustomDrawState = unsigned;
constexpr TCustomDrawState cdsSelected = 0x0001;
constexpr TCustomDrawState cdsGrayed = 0x0002;
constexpr TCustomDrawState cdsDisabled = 0x0004;
constexpr TCustomDrawState cdsChecked = 0x0008;
constexpr TCustomDrawState cdsFocused = 0x0010;
constexpr TCustomDrawState cdsDefault = 0x0020;
constexpr TCustomDrawState cdsHot = 0x0040;
constexpr TCustomDrawState cdsMarked = 0x0080;

// Keys a windowed control takes for itself rather than leaving them to the dialog (Tab moves the
// focus, Enter and Escape press the default and cancel buttons, arrows move between buttons).
using TWantedKeys = unsigned;
constexpr TWantedKeys wkArrows = 0x01;
constexpr TWantedKeys wkChars = 0x02;
constexpr TWantedKeys wkEnter = 0x04;
constexpr TWantedKeys wkTab = 0x08;
constexpr TWantedKeys wkEscape = 0x10;

using TControlStyle = unsigned;
constexpr TControlStyle csCaptureMouse = 0x01;  // the widget keeps the mouse during a press
constexpr TControlStyle csClickEvents = 0x02;   // a release inside after a left press raises Click
constexpr TControlStyle csSetCaption = 0x04;    // the name is copied into an untouched caption
constexpr TControlStyle csOpaque = 0x08;        // paints its whole client area
constexpr TControlStyle csDoubleClicks = 0x10;  // double clicks arrive as double clicks

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    std::u16string ClassName() const override { return u"TControl"; }

    // An untouched caption follows the name (outside loading), as in the form designer.
    void SetName(const std::u16string& name) override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    virtual void SetClientSize(int width, int height) { SetBounds(FLeft, FTop, width, height); }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // Visible, and every parent up to a shown form visible.
    virtual bool Showing() const;

    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& caption);
    const std::u16string& Text() const { return FCaption; }
    void SetText(const std::u16string& text) { SetCaption(text); }
    const std::u16string& Hint() const { return FHint; }
    void SetHint(const std::u16string& hint) { FHint = hint; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show) { FShowHint = show; }

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool parentColor);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }

    virtual void Invalidate() {}
    virtual void Update() {}
    void Repaint() {
        Invalidate();
        Update();
    }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Dragging: a left press may start one (BeginDrag), the pointer's moves beyond the threshold
    // make it real, the release drops it on the control under the pointer if that one accepts.
    // A threshold below zero is the platform's usual five pixels.
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    bool Dragging() const;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;

    // Entry points for the widget: what the user did, in client coordinates. A press that the
    // platform reports as the second of a double click says so in doubled: a control that takes
    // double clicks gets DblClick and a press marked ssDouble, any other a plain press.
    void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubled = false);
    void HandleMouseMove(TShiftState shift, int x, int y);
    void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // A wheel turn over the control at a screen point; true when a handler took it.
    bool HandleMouseWheel(TShiftState shift, int delta, TPoint screen);
    void HandleMouseLeave();
    // The widget lost the mouse it kept (another window took it, or the platform cancelled the
    // mode): a press or a drag in progress ends without effect.
    void HandleCaptureLost();
    void HandleClick() { Click(); }
    void HandleDblClick() { DblClick(); }
    // The widget's outer bounds changed (the user moved or sized it, or the platform did).
    void HandleBoundsChanged(const TRect& bounds);
    // An accelerator typed in the form; true when this control took it.
    bool HandleDialogChar(char16_t ch) { return DialogChar(ch); }
    // The user asked for a context menu at a screen point: the control's popup menu opens there.
    // False when the control has none, so that the platform may ask the parent. Asked for with
    // the pointer (not the keyboard), a child without a widget under it is asked first.
    bool HandleContextMenu(int screenX, int screenY, bool atPointer = true);

    virtual void Click();

    // The child without a widget of its own at a client point (the topmost), or nullptr.
    virtual TControl* ControlAtPoint(TPoint) const { return nullptr; }

    // Drag steps, overridable; the bases raise the events.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoStartDrag();
    virtual void DoEndDrag(TObject* Target, int X, int Y);

    // A token that turns false when the control is destroyed: code that calls out to handlers
    // checks it before touching the control again.
    std::shared_ptr<const bool> Lifetime() const { return FAlive; }
    // The screen point of a client point (the point itself for a control without a widget).
    TPoint ClientToScreen(TPoint client) const;
    TPoint ScreenToClient(TPoint screen) const;

    void ScaleDesign(int M, int D) override;

protected:
    friend class TWinControl;
    enum class MouseStep { Press, Move, Release };
    // The child without a widget that a mouse message at a client point goes to instead of this
    // control, or nullptr.
    virtual TControl* RouteMouse(MouseStep, TPoint) { return nullptr; }
    // The pointer left this control's widget, or the widget lost the mouse it kept: the child it
    // went to hears so.
    virtual void EndMouseRoute(bool captureLost) { (void)captureLost; }
    virtual void DblClick();
    // A context menu is asked for at a client point; Handled keeps the popup menu closed.
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    virtual void MouseLeave();
    virtual void CaptureLost();
    virtual void Resize();
    virtual bool DialogChar(char16_t) { return false; }
    virtual void EnabledChanged() {}
    virtual void VisibleChanged() {}
    virtual void FontChanged() {}
    virtual void TextChanged() {}
    virtual void ColorChanged() {}
    virtual void BoundsChanged() {}
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Parent font and colour arrived or changed.
    void ParentFontChanged();
    void ParentColorChanged();

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;

private:
    bool FEnabled = true;
    bool FVisible = true;
    std::u16string FCaption;
    bool FCaptionSet = false;
    std::u16string FHint;
    bool FShowHint = false;
    TFont FFont;
    bool FParentFont = true;
    bool FFontFromParent = false;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    TPopupMenu* FPopupMenu = nullptr;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    bool FPressed = false;  // a left press with csClickEvents is in progress
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    std::u16string ClassName() const override { return u"TWinControl"; }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(index); }

    int TabOrder() const { return FTabOrder; }
    // Position among the parent's controls for the Tab key; -1 is after all that have one.
    void SetTabOrder(int order) {
        if (order == FTabOrder) return;
        FTabOrder = order;
        if (FPeer) FPeer->TabChanged();
    }
    // The order the Tab key follows among siblings: by tab order, those without one after; for
    // a stable sort, which keeps the order made among equals.
    static bool TabsBefore(const TWinControl* a, const TWinControl* b);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool stop) {
        if (stop == FTabStop) return;
        FTabStop = stop;
        if (FPeer) FPeer->TabChanged();
    }
    bool Focused() const { return FPeer && FPeer->Focused(); }
    virtual bool CanFocus() const;
    void SetFocus();

    void SetBounds(int left, int top, int width, int height) override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void Invalidate() override;
    void Update() override;

    // The widget, made on first need (a parent without one makes none).
    bool HandleAllocated() const { return FPeer != nullptr; }
    void HandleNeeded();
    // The widget's platform handle (made when missing); 0 where widgets have none.
    std::intptr_t Handle();
    // The shell's context menu shown for this control now: it draws its own items, so the widget
    // hands it the menu's drawing, measuring and key messages. nullptr when none shows.
    virtual platform::ShellContextMenu* ShownShellMenu() { return nullptr; }
    ControlPeer* Peer() const { return FPeer.get(); }
    // The keyboard's cues the widget shows now (both shown without a widget).
    KeyboardCues Cues() const { return FPeer ? FPeer->Cues() : KeyboardCues{}; }
    // The widget as its family's interface, or nullptr.
    template <class Family>
    Family* PeerAs() const {
        return dynamic_cast<Family*>(FPeer.get());
    }
    // Keys this control handles itself while it has the focus.
    virtual TWantedKeys WantedKeys() const { return 0; }
    // Items of a platform control drawn by the control itself: with HasCustomDraw it is asked
    // for each item, with a canvas on the item's device context whose brush colour and font
    // start as the platform's; the colours and font it leaves there are used. The result says
    // whether the platform still draws the item.
    virtual bool HasCustomDraw() const { return false; }
    virtual bool CustomDrawItem(TCanvas& Canvas, const TRect& ItemRect, TCustomDrawState State, std::uintptr_t Item) {
        (void)Canvas, (void)ItemRect, (void)State, (void)Item;
        return true;
    }

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // Entry points for the widget.
    void HandleFocusChanged(bool focused);
    // A key went down, a character was typed, a key came up while this control had the focus;
    // true when a handler took it (set the key to zero), so the platform does nothing more.
    bool HandleKeyDown(std::uint16_t key, TShiftState shift);
    bool HandleKeyPress(char16_t key);
    bool HandleKeyUp(std::uint16_t key, TShiftState shift);
    // Paints this control on a surface (a paint message, or a print into a bitmap): the base
    // paints the children without widgets.
    virtual void HandlePaint(std::unique_ptr<CanvasSurface> surface);
    // Whether any child is painted by this control rather than by a widget of its own.
    bool HasWindowlessChildren() const;
    TControl* ControlAtPoint(TPoint at) const override;
    // The widget's message ended: surfaces borrowed for direct drawing are given back.
    virtual void ReleaseDirectSurface() {}

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    friend class TControl;
    // Makes the widget of this control's family; the base makes a self-painted one.
    virtual std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend);
    // Forms are made without a parent; every other control needs its parent's widget first.
    virtual bool IsTopLevel() const { return false; }
    virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char16_t& Key);
    virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
    // The widget got or lost the keyboard focus (before OnEnter and OnExit).
    virtual void FocusChanged(bool focused) { (void)focused; }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void Loaded() override;
    // The design is loaded and its controls have no widgets yet: the last change to bounds and
    // fonts that costs the widgets nothing.
    virtual void DesignLoaded() {}
    // Offers an accelerator to the children in turn, so that a form reaches every button on it.
    bool DialogChar(char16_t ch) override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void ColorChanged() override;
    void DestroyHandle();
    // Paints the visible children without widgets, in the order they were put on this control.
    void PaintControls(CanvasSurface& surface);
    TControl* RouteMouse(MouseStep step, TPoint at) override;
    void EndMouseRoute(bool captureLost) override;

private:
    // Makes the missing widgets of the children, in tab order.
    void MakeChildHandles();

    std::vector<TControl*> FControls;
    TControl* FMouseControl = nullptr;  // the child without a widget under the pointer, or pressed
    bool FMouseHeld = false;            // a press went to it: the release goes there too
    std::unique_ptr<ControlPeer> FPeer;
    int FTabOrder = -1;
    bool FTabStop = false;
};

// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    std::u16string ClassName() const override { return u"TCustomControl"; }

    // The control's canvas: during Paint the paint surface, at other times a surface borrowed from
    // the widget for the rest of the current message.
    TCanvas& Canvas();
    void HandlePaint(std::unique_ptr<CanvasSurface> surface) override;
    void ReleaseDirectSurface() override;

protected:
    virtual void Paint() {}

private:
    TCanvas FCanvas;
    bool FPainting = false;
};

}  // namespace ui
