#pragma once
// A top-level window made of owned components. Derived forms build their components in their
// constructor between BeginLoading() and FinishLoading().
#include <functional>

#include "ui/Control.h"

namespace ui {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 0x1;
constexpr TBorderIcons biMinimize = 0x2;
constexpr TBorderIcons biMaximize = 0x4;
constexpr TBorderIcons biHelp = 0x8;

enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// WM_ACTIVATE states.
constexpr int waInactive = 0;
constexpr int waActive = 1;
constexpr int waClickActive = 2;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;
    std::u16string ClassName() const override { return u"TForm"; }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition p) { FPosition = p; }
    void SetClientSize(int width, int height) override;
    void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
    void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }

    // Shows the form and runs its own message loop until ModalResult is set; returns it.
    int ShowModal();
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int r) { FModalResult = r; }
    bool Modal() const { return FModal; }
    void Show();
    void Hide() { SetVisible(false); }
    // OnCloseQuery, OnClose; a modal form then ends its loop with mrCancel, any other hides. A
    // modal form ended by a button's result is asked and told the same way.
    void Close();
    bool Showing() const override;

    // The ten placement numbers of the window.
    TWindowPlacement GetPlacement();
    void SetPlacement(const TWindowPlacement& placement);
    // The window gets the raised frame of a modal dialog in addition to its border style (a
    // property, not a hook: the window may be made while a derived form is still being built).
    bool ModalFrame() const { return FModalFrame; }
    void SetModalFrame(bool modalFrame);
    // Raises the form above all windows that are not topmost, or back.
    void SetTopmost(bool topmost);
    void BringToFront();

    // The form is designed at PixelsPerInch (96); once loaded it is shown at the screen's
    // pixels per inch, every designed length scaled by CurrentDpi / PixelsPerInch.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int ppi) { FPixelsPerInch = ppi > 0 ? ppi : 96; }
    int CurrentDpi() const { return FCurrentDpi; }
    // Scales the whole form (bounds, fonts, and every owned component's design) to a new DPI.
    void ScaleToDpi(int dpi);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Entry points for the window: activation, move and size reports. Each runs the form's
    // handler (overridable), whose base does the default handling.
    void HandleActivate(int state) { WMActivate(state); }
    void HandleMove(const TRect& bounds);
    void HandleSize(const TRect& bounds);
    // The window asks to close (its close box, Alt+F4).
    void HandleCloseRequest() { Close(); }
    // The window is about to be shown or was hidden by the platform.
    void HandleShowing(bool showing);
    // The window moved to a screen of another DPI; the platform suggests new outer bounds.
    void HandleDpiChanged(int dpi, const TRect& suggested);
    // Enter or Escape that no control took: the default or cancel button; true when taken.
    bool HandleDialogKey(bool cancel);
    // True while a move or size report of the window is being handled (as opposed to a call
    // the program makes on its own).
    bool ReportingBounds() const { return FReportingBounds > 0; }

protected:
    std::unique_ptr<ControlPeer> CreatePeer(UiBackend& backend) override;
    bool IsTopLevel() const override { return true; }
    void DesignLoaded() override;
    void ScaleDesign(int M, int D) override;
    // Ends the construction of a derived form: Loaded for everything, then OnCreate.
    void FinishLoading();
    virtual void WMActivate(int state);
    virtual void WMMove();
    virtual void WMSize();
    void VisibleChanged() override;

private:
    // OnCloseQuery and OnClose: what is to become of the form (caNone: it stays open).
    TCloseAction CloseAction();
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    bool FModalFrame = false;
    TPosition FPosition = poDesigned;
    int FModalResult = mrNone;
    bool FModal = false;
    bool FCloseHandled = false;  // the modal loop was ended by Close, which asked the form
    bool FPlaced = false;  // shown once: the position rule no longer applies
    int FReportingBounds = 0;
    int FPixelsPerInch = 96;
    int FCurrentDpi = 96;
    FormPeer* Widget() const { return PeerAs<FormPeer>(); }
};

// The form a control sits on, or nullptr.
TForm* GetParentForm(TControl* control);

}  // namespace ui
