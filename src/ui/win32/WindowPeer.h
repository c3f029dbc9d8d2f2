#pragma once
// The core of every widget on a real window: the one static window procedure (and the subclass
// procedure of the platform's own controls) forwarding to the peer, the guarded dispatch, and the
// messages every windowed control shares: mouse, wheel, leave, keys and the dialog code, focus,
// capture, context menu, and the reflection of a child's notifications (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR*) back to the child's peer. Each family adds its own messages in its own class.
#include "ui/win32/Win.h"

#include <commctrl.h>

#include <memory>

#include "ui/Backend.h"
#include "ui/Control.h"

namespace ui::win32 {

// Window styles handed to the platform when a widget's window is made.
struct TCreateParams {
    DWORD Style = 0;
    DWORD ExStyle = 0;
};

class WindowPeer : public virtual ControlPeer {
public:
    ~WindowPeer() override;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    // The peer of one of our windows, or nullptr.
    static WindowPeer* FromHandle(HWND window);
    HWND Handle() const { return FWindow; }
    std::intptr_t NativeHandle() const override { return reinterpret_cast<std::intptr_t>(FWindow); }
    // The window's user-interface state as the platform keeps it.
    KeyboardCues Cues() const override;
    // The window's first paint, on the start's timeline (a timeline build only).
    void MarkPainted() const;
    TWinControl& Control() const { return FControl; }

    void SetBounds(const TRect& bounds) override;
    void SetText(const std::u16string& text) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void AppearanceChanged() override;
    void TabChanged() override;
    void Invalidate() override;
    void InvalidateRect(const TRect& part) override;
    void Update() override;
    void SetFocus() override;
    bool Focused() const override;
    void SetCapture(bool capture) override;
    TSize ClientSizeFor(int width, int height) const override;
    TPoint ClientOrigin() const override;
    std::unique_ptr<CanvasSurface> DirectSurface() override;

    // A child's notifications, handed back by the parent; false leaves them to the platform.
    virtual bool OnReflectedCommand(WORD code) { (void)code; return false; }
    virtual bool OnReflectedNotify(NMHDR* header, LRESULT& result);
    // The colours of a platform control: a brush for its background, or nullptr for the default.
    virtual HBRUSH OnReflectedColor(HDC dc) { (void)dc; return nullptr; }
    // Where a custom-drawn item's colours go; the base sets them on the item's device context.
    virtual void ApplyItemColors(NMCUSTOMDRAW& draw, COLORREF text, COLORREF back);

protected:
    explicit WindowPeer(TWinControl& control);
    // Makes the window. A native window is one of the platform's classes, subclassed.
    void CreateHandle(const wchar_t* windowClass, TCreateParams params, HWND parent, HMENU id, bool native);
    // A family's own messages, first; false passes the message on to the shared handling.
    virtual bool HandleFamilyMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Whether the component hears the mouse: always for our own classes; a platform control
    // that wants it (a tree whose selection follows the pointer) says so, and still sees every
    // message itself.
    virtual bool RoutesMouse() const { return !FNative; }
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
    // The life of the peer: a handler may free the control, and with it this peer.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    bool FSettingText = false;  // our own text change, not the user's edit

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK NativeProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool HandleMouse(UINT msg, WPARAM wp, LPARAM lp);
    // A press on a platform control that hears the mouse: the control's own handling, then the
    // release that its drag detection may have taken.
    LRESULT PressThroughNative(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DialogCode(WPARAM wp, LPARAM lp);
    LRESULT ContextMenu(WPARAM wp, LPARAM lp);
    void OrderSiblingsByTab();

    TWinControl& FControl;
    HWND FWindow = nullptr;
    bool FNative = false;
    WNDPROC FNativeProc = nullptr;  // a native window's own procedure, under ours
    bool FTrackingLeave = false;
    bool FCapturedOnPress = false;  // the press took the mouse, so its release gives it back
    bool FReleasingOnUp = false;    // the capture goes because a release is being handled
    int FDepth = 0;  // messages of this window being handled, nested
    unsigned FAwaitingRelease = 0;  // buttons (bit per TMouseButton) pressed and not yet released
};

// The window of a control's widget; nullptr when the control has no window yet.
HWND WindowOf(const TWinControl& control);
// The key state of a mouse message's wParam, with Alt from the keyboard.
TShiftState ShiftFromMouse(WPARAM keys);
TShiftState ShiftFromKeyboard();
// Window classes of our own: forms, and controls that paint themselves.
extern const wchar_t* const FormClass;
extern const wchar_t* const ControlClass;
// The whole text of a window (an edit field's, a combo box's).
std::u16string WindowTextOf(HWND window);
// A new child window id; command messages carry 16 bits, so ids go round within that range.
HMENU NextChildId();

}  // namespace ui::win32
