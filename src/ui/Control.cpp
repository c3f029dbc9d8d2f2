#include "ui/Control.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "ui/DragSession.h"
#include "ui/Exceptions.h"
#include "ui/GraphicControl.h"
#include "ui/Menus.h"

namespace ui {

// ---- TControl -------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this] {
        if (!FFontFromParent) FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl() {
    *FAlive = false;
    DragSession::ControlGone(this);
    DestroyComponents();
    if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this) throw EComponentError(u"Ein Steuerelement kann nicht sich selbst als Vorfahr haben");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    ParentFontChanged();
    ParentColorChanged();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    const bool resized = width != FWidth || height != FHeight;
    if (!resized && left == FLeft && top == FTop) return;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    BoundsChanged();
    if (resized) Resize();
}

void TControl::HandleBoundsChanged(const TRect& bounds) {
    const bool resized = bounds.Width() != FWidth || bounds.Height() != FHeight;
    FLeft = bounds.Left;
    FTop = bounds.Top;
    FWidth = bounds.Width();
    FHeight = bounds.Height();
    if (resized) Resize();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    EnabledChanged();
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    VisibleChanged();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetCaption(const std::u16string& caption) {
    FCaptionSet = true;
    if (caption == FCaption) return;
    FCaption = caption;
    TextChanged();
}

void TControl::SetName(const std::u16string& name) {
    const std::u16string old = Name();
    const bool follow = !(ComponentState() & csLoading) && (FControlStyle & csSetCaption) &&
                        (FCaption == old || !FCaptionSet);
    TComponent::SetName(name);
    if (follow) {
        FCaption = name;
        TextChanged();
    }
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == FParentFont) return;
    FParentFont = parentFont;
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FFontFromParent = true;
    FFont.Assign(&FParent->Font());
    FFontFromParent = false;
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) return;
    FColor = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == FParentColor) return;
    FParentColor = parentColor;
    ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent || FParent->Color() == FColor) return;
    FColor = FParent->Color();
    ColorChanged();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (menu == FPopupMenu) return;
    if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
    FPopupMenu = menu;
    if (menu) FreeNotification(menu);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubled) {
    if (TControl* child = RouteMouse(MouseStep::Press, {x, y})) {
        child->HandleMouseDown(button, shift, x - child->Left(), y - child->Top(), doubled);
        return;
    }
    if (doubled && (FControlStyle & csDoubleClicks)) {
        const auto alive = FAlive;
        DblClick();
        if (!*alive) return;
        shift |= ssDouble;
    }
    // The second press of a double click makes no click of its own.
    if (button == mbLeft && (FControlStyle & csClickEvents) && !(shift & ssDouble)) FPressed = true;
    MouseDown(button, shift, x, y);
}

void TControl::HandleMouseMove(TShiftState shift, int x, int y) {
    if (TControl* child = RouteMouse(MouseStep::Move, {x, y})) {
        child->HandleMouseMove(shift, x - child->Left(), y - child->Top());
        return;
    }
    // A drag that is under way has the pointer to itself.
    if (DragSession::SourceMoved(this, x, y)) return;
    MouseMove(shift, x, y);
}

void TControl::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (TControl* child = RouteMouse(MouseStep::Release, {x, y})) {
        child->HandleMouseUp(button, shift, x - child->Left(), y - child->Top());
        return;
    }
    const auto alive = FAlive;
    // A release that ended a drag makes no click, but the press still gets its release: whatever
    // a control keeps from its press (a pressed mark) would otherwise outlive the drag.
    const bool dropped = button == mbLeft && DragSession::SourceReleased(this, x, y);
    if (!*alive) return;
    const bool click = !dropped && button == mbLeft && FPressed && ClientRect().Contains(x, y);
    if (button == mbLeft) FPressed = false;
    if (click) Click();
    if (*alive) MouseUp(button, shift, x, y);
}

bool TControl::HandleMouseWheel(TShiftState shift, int delta, TPoint screen) {
    bool handled = false;
    MouseWheel(shift, delta, ScreenToClient(screen), handled);
    return handled;
}

void TControl::MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled) {
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
}

void TControl::HandleMouseLeave() {
    const auto alive = FAlive;
    EndMouseRoute(false);
    if (*alive) MouseLeave();
}

void TControl::HandleCaptureLost() {
    const auto alive = FAlive;
    EndMouseRoute(true);
    if (*alive) CaptureLost();
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CaptureLost() {
    FPressed = false;
    if (Dragging() || DragSession::Pending(this)) EndDrag(false);
}

TPoint TControl::ClientToScreen(TPoint client) const {
    const auto* win = dynamic_cast<const TWinControl*>(this);
    // A control without a widget lies in its parent's client area.
    if (!win && FParent) return FParent->ClientToScreen({client.X + FLeft, client.Y + FTop});
    if (!win || !win->Peer()) return client;
    const TPoint origin = win->Peer()->ClientOrigin();
    return {origin.X + client.X, origin.Y + client.Y};
}

TPoint TControl::ScreenToClient(TPoint screen) const {
    const TPoint origin = ClientToScreen({0, 0});
    return {screen.X - origin.X, screen.Y - origin.Y};
}

void TControl::ScaleDesign(int M, int D) {
    SetBounds(ScaleLength(FLeft, M, D), ScaleLength(FTop, M, D), ScaleLength(FWidth, M, D), ScaleLength(FHeight, M, D));
    // A font of its own is scaled here; one taken from the parent arrives scaled from there.
    if (!FParentFont) {
        FFont.SetPixelsPerInch(ScaleLength(FFont.PixelsPerInch(), M, D));
        FFont.SetHeight(ScaleLength(FFont.Height(), M, D));
    }
}

bool TControl::HandleContextMenu(int screenX, int screenY, bool atPointer) {
    const auto alive = Lifetime();
    if (atPointer) {
        if (TControl* child = ControlAtPoint(ScreenToClient({screenX, screenY}))) {
            if (child->HandleContextMenu(screenX, screenY)) return true;
            if (!*alive) return true;
        }
    }
    bool handled = false;
    DoContextPopup(ScreenToClient({screenX, screenY}), handled);
    if (handled || !*alive) return true;
    if (!FPopupMenu || !FPopupMenu->AutoPopup()) return false;
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(screenX, screenY);
    return true;
}

void TControl::DoContextPopup(TPoint, bool&) {}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- TWinControl ----------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    DestroyComponents();
    // Child controls go with their parent, as their widgets do.
    while (!FControls.empty()) delete FControls.back();
    DestroyHandle();
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->FParent = this;
    // A control of a design still loading gets its widget when the design is done (Loaded).
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win && HandleAllocated() && !(win->ComponentState() & csLoading)) win->HandleNeeded();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    DesignLoaded();
    // The widgets of a loaded design are made now, at their final bounds, font and texts, and in
    // tab order, so that none is moved or reordered once made. A parent that is itself still
    // loading makes them when its own design is done.
    if (HandleAllocated()) {
        MakeChildHandles();
    } else if (FParent && FParent->HandleAllocated() && !(FParent->ComponentState() & csLoading)) {
        HandleNeeded();
    }
}

bool TWinControl::TabsBefore(const TWinControl* a, const TWinControl* b) {
    const auto key = [](const TWinControl* c) { return c->TabOrder() < 0 ? INT_MAX : c->TabOrder(); };
    return key(a) < key(b);
}

void TWinControl::MakeChildHandles() {
    std::vector<TWinControl*> children;
    for (TControl* child : FControls)
        if (auto* win = dynamic_cast<TWinControl*>(child)) children.push_back(win);
    std::stable_sort(children.begin(), children.end(), TabsBefore);
    const auto alive = Lifetime();
    for (TWinControl* child : children) {
        // A widget's making may free or add controls (a handler run on its creation).
        if (!*alive) return;
        if (std::find(FControls.begin(), FControls.end(), child) != FControls.end()) child->HandleNeeded();
    }
}

void TWinControl::RemoveControl(TControl* control) {
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->DestroyHandle();
    if (control == FMouseControl) {
        FMouseControl = nullptr;
        FMouseHeld = false;
    }
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    control->FParent = nullptr;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Enabled() || !c->Visible()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (FPeer && CanFocus()) FPeer->SetFocus();
}

void TWinControl::HandleFocusChanged(bool focused) {
    FocusChanged(focused);
    if (focused && OnEnter) OnEnter(this);
    if (!focused && OnExit) OnExit(this);
}

bool TWinControl::HandleKeyDown(std::uint16_t key, TShiftState shift) {
    // Escape ends a drag of this control before anything else sees it.
    if (key == vkEscape && (Dragging() || DragSession::Pending(this))) {
        EndDrag(false);
        return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::HandleKeyPress(char16_t key) {
    KeyPress(key);
    return key == 0;
}

bool TWinControl::HandleKeyUp(std::uint16_t key, TShiftState shift) {
    KeyUp(key, shift);
    return key == 0;
}

void TWinControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char16_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

std::unique_ptr<ControlPeer> TWinControl::CreatePeer(UiBackend& backend) { return backend.CreateCustomControl(*this); }

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    const bool resized = width != FWidth || height != FHeight;
    if (!resized && left == FLeft && top == FTop) return;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FPeer) FPeer->SetBounds(BoundsRect());
    BoundsChanged();
    if (resized) Resize();
}

int TWinControl::ClientWidth() const { return FPeer ? FPeer->ClientSizeFor(FWidth, FHeight).cx : FWidth; }
int TWinControl::ClientHeight() const { return FPeer ? FPeer->ClientSizeFor(FWidth, FHeight).cy : FHeight; }

void TWinControl::Invalidate() {
    if (FPeer) FPeer->Invalidate();
}

void TWinControl::Update() {
    if (FPeer) FPeer->Update();
}

std::intptr_t TWinControl::Handle() {
    HandleNeeded();
    return FPeer ? FPeer->NativeHandle() : 0;
}

void TWinControl::HandleNeeded() {
    if (FPeer) return;
    if (!IsTopLevel()) {
        if (!FParent) return;
        FParent->HandleNeeded();
        if (!FParent->HandleAllocated() || FPeer) return;
    }
    FPeer = CreatePeer(GetBackend());
    MakeChildHandles();
}

void TWinControl::DestroyHandle() {
    if (!FPeer) return;
    for (TControl* child : FControls)
        if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyHandle();
    FPeer.reset();
}

bool TWinControl::DialogChar(char16_t ch) {
    // A copy: a click taken here may free or add controls.
    const std::vector<TControl*> children = FControls;
    for (TControl* child : children)
        if (child->Enabled() && child->Visible() && child->HandleDialogChar(ch)) return true;
    return false;
}

void TWinControl::EnabledChanged() {
    if (FPeer) FPeer->SetEnabled(Enabled());
    Invalidate();
}

void TWinControl::VisibleChanged() {
    if (FPeer) FPeer->SetVisible(Visible());
}

void TWinControl::FontChanged() {
    if (FPeer) FPeer->AppearanceChanged();
    Invalidate();
    for (TControl* child : FControls) child->ParentFontChanged();
}

void TWinControl::TextChanged() {
    if (FPeer) FPeer->SetText(Caption());
}

void TWinControl::ColorChanged() {
    if (FPeer) FPeer->AppearanceChanged();
    Invalidate();
    for (TControl* child : FControls) child->ParentColorChanged();
}

bool TWinControl::HasWindowlessChildren() const {
    return std::any_of(FControls.begin(), FControls.end(),
                       [](const TControl* c) { return dynamic_cast<const TWinControl*>(c) == nullptr; });
}

TControl* TWinControl::ControlAtPoint(TPoint at) const {
    // The last one put on the control lies on top.
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* child = *it;
        if (dynamic_cast<TWinControl*>(child) || !child->Visible() || !child->Enabled()) continue;
        if (child->BoundsRect().Contains(at.X, at.Y)) return child;
    }
    return nullptr;
}

TControl* TWinControl::RouteMouse(MouseStep step, TPoint at) {
    TControl* under = ControlAtPoint(at);
    switch (step) {
        case MouseStep::Press:
            FMouseControl = under;
            FMouseHeld = under != nullptr;
            return under;
        case MouseStep::Move:
            if (FMouseHeld) return FMouseControl;
            if (under != FMouseControl) {
                TControl* left = FMouseControl;
                FMouseControl = under;
                if (left) left->HandleMouseLeave();
                // A leave handler may have removed the child now under the pointer.
                if (FMouseControl != under) return nullptr;
            }
            return under;
        case MouseStep::Release:
            if (!FMouseHeld) return under;
            FMouseHeld = false;
            return FMouseControl;
    }
    return nullptr;
}

void TWinControl::EndMouseRoute(bool captureLost) {
    TControl* child = FMouseControl;
    const bool held = FMouseHeld;
    FMouseControl = nullptr;
    FMouseHeld = false;
    if (!child) return;
    if (captureLost && held) child->HandleCaptureLost();
    if (!captureLost) child->HandleMouseLeave();
}

void TWinControl::HandlePaint(std::unique_ptr<CanvasSurface> surface) {
    if (surface) PaintControls(*surface);
}

void TWinControl::PaintControls(CanvasSurface& surface) {
    // A copy: a paint handler may free or add controls.
    const std::vector<TControl*> children = FControls;
    const auto alive = Lifetime();
    for (TControl* child : children) {
        if (!*alive) return;
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (!graphic || !graphic->Visible()) continue;
        if (std::find(FControls.begin(), FControls.end(), child) == FControls.end()) continue;
        graphic->PaintOn(surface);
    }
}

// ---- TCustomControl -------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCustomControl::~TCustomControl() { FCanvas.SetSurface(nullptr); }

TCanvas& TCustomControl::Canvas() {
    if (!FCanvas.HasSurface() && Peer()) FCanvas.SetSurface(Peer()->DirectSurface());
    return FCanvas;
}

void TCustomControl::HandlePaint(std::unique_ptr<CanvasSurface> surface) {
    if (FPainting) return;
    FPainting = true;
    FCanvas.SetSurface(std::move(surface));
    FCanvas.Pen = TPen{};
    FCanvas.Brush = TBrush{Color(), bsSolid};
    FCanvas.Font.Assign(&Font());
    const auto alive = Lifetime();
    try {
        Paint();
        // What lies on this control without a widget of its own comes over its own painting.
        if (*alive && FCanvas.Surface()) PaintControls(*FCanvas.Surface());
    } catch (...) {
        if (*alive) {
            FCanvas.SetSurface(nullptr);
            FPainting = false;
        }
        throw;
    }
    if (!*alive) return;
    FCanvas.SetSurface(nullptr);
    FPainting = false;
}

void TCustomControl::ReleaseDirectSurface() {
    if (!FPainting) FCanvas.SetSurface(nullptr);
}

}  // namespace ui
