#pragma once
// The windowing port. State lives in the portable components; a peer mirrors it into a widget and
// feeds the widget's notifications back through the components' Handle... entry points. The
// backend folder (win32 or headless) is chosen by the build.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/CanvasSurface.h"
#include "ui/Types.h"

namespace ui {

class TWinControl;
class TTimer;
class TPopupMenu;

// The ten numbers of a window's placement, as the platform keeps them.
struct TWindowPlacement {
    int Flags = 0;
    int ShowCmd = 0;
    TPoint MinPosition{-1, -1};
    TPoint MaxPosition{-1, -1};
    TRect NormalPosition;
    friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

enum class PeerKind { Form, Custom, Button, Edit, CheckBox };

class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    // Outer bounds: in the parent's client coordinates, for a form on the screen.
    virtual void SetBounds(const TRect& bounds) = 0;
    virtual void SetText(const std::u16string& text) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Font, colour, check state, default button, border style... re-read from the control.
    virtual void StateChanged() = 0;
    virtual void Invalidate() = 0;
    // Paints pending invalid parts now.
    virtual void Update() = 0;
    virtual void SetFocus() = 0;
    virtual bool Focused() const = 0;
    // Size of the client area for the given outer size.
    virtual TSize ClientSizeFor(int width, int height) const = 0;
    // A surface to draw on outside a paint; it is valid until the current message ends.
    virtual std::unique_ptr<CanvasSurface> DirectSurface() = 0;

    // Forms only.
    virtual TWindowPlacement GetPlacement() const { return {}; }
    virtual void SetPlacement(const TWindowPlacement&) {}
    virtual void SetTopmost(bool) {}
    virtual void BringToFront() {}
    virtual bool Showing() const { return false; }
};

class TimerPeer {
public:
    virtual ~TimerPeer() = default;
    virtual void Set(bool enabled, unsigned interval) = 0;
};

class UiBackend {
public:
    virtual ~UiBackend() = default;
    virtual TColor SystemColor(int index) = 0;
    virtual std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control, PeerKind kind) = 0;
    virtual std::unique_ptr<TimerPeer> CreateTimer(TTimer& timer) = 0;
    // Shows the menu at a screen point; the chosen item's Click runs before this returns.
    virtual void TrackPopup(TPopupMenu& menu, int x, int y) = 0;
    // Handles the messages that are waiting, then returns.
    virtual void ProcessMessages() = 0;
    // Waits for and handles messages until done() holds or the application ends.
    virtual void RunUntil(const std::function<bool()>& done) = 0;
    virtual int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned flags) = 0;
    virtual void SetApplicationTitle(const std::u16string& title) = 0;
    // Draws an image of a platform image list (the system list) on a surface.
    virtual void DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) = 0;
    virtual TPoint CursorPos() = 0;
    // Area of the primary screen not taken by task bars.
    virtual TRect WorkArea() = 0;
};

UiBackend& GetBackend();
// Installs a replacement (tests); returns the previous one; nullptr restores the default.
UiBackend* SetBackend(UiBackend* replacement);

}  // namespace ui
