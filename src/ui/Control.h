#pragma once
// Controls: components with bounds, a caption, a font and colour, placed on a parent. Every
// control here has its own widget (a peer) once its parent has one.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/Canvas.h"
#include "ui/Component.h"
#include "ui/Graphics.h"

namespace ui {

class TWinControl;
class TPopupMenu;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

using TControlStyle = unsigned;
constexpr TControlStyle csCaptureMouse = 0x01;  // the widget keeps the mouse during a press
constexpr TControlStyle csClickEvents = 0x02;   // a release inside after a left press raises Click
constexpr TControlStyle csSetCaption = 0x04;    // the name is copied into an untouched caption
constexpr TControlStyle csOpaque = 0x08;        // paints its whole client area
constexpr TControlStyle csDoubleClicks = 0x10;  // double clicks arrive as double clicks

// Window styles handed to the platform when the widget is made (values of the Windows API).
struct TCreateParams {
    unsigned Style = 0;
    unsigned ExStyle = 0;
};

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
    TNotifyEvent OnResize;

    // Entry points for the widget: what the user did, in client coordinates.
    void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void HandleMouseMove(TShiftState shift, int x, int y);
    void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void HandleClick() { Click(); }
    void HandleDblClick() { DblClick(); }
    // The widget's outer bounds changed (the user moved or sized it, or the platform did).
    void HandleBoundsChanged(const TRect& bounds);
    // An accelerator typed in the form; true when this control took it.
    bool HandleDialogChar(char16_t ch) { return DialogChar(ch); }
    // The user asked for a context menu at a screen point: the control's popup menu opens there.
    // False when the control has none, so that the platform may ask the parent.
    bool HandleContextMenu(int screenX, int screenY);

    virtual void Click();

protected:
    friend class TWinControl;
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
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
        PeerStateChanged();
    }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool stop) {
        if (stop == FTabStop) return;
        FTabStop = stop;
        PeerStateChanged();
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
    ControlPeer* Peer() const { return FPeer.get(); }
    // What kind of widget mirrors this control.
    virtual PeerKind Kind() const { return PeerKind::Custom; }
    // The platform styles of the widget; the base leaves them to the peer.
    virtual void CreateParams(TCreateParams& Params) { (void)Params; }

    // Entry points for the widget.
    void HandleFocusChanged(bool focused);
    // Paints this control on a surface (a paint message, or a print into a bitmap).
    virtual void HandlePaint(std::unique_ptr<CanvasSurface> surface) { (void)surface; }
    // The widget's message ended: surfaces borrowed for direct drawing are given back.
    virtual void ReleaseDirectSurface() {}

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Offers an accelerator to the children in turn, so that a form reaches every button on it.
    bool DialogChar(char16_t ch) override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void ColorChanged() override;
    // Peer state re-read (style, check state, border) after a property change.
    void PeerStateChanged() {
        if (FPeer) FPeer->StateChanged();
    }
    void DestroyHandle();

private:
    std::vector<TControl*> FControls;
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
