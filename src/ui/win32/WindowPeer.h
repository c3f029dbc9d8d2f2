#pragma once
// A control's widget on a real window: our own window classes for forms and self-painted
// controls, the system's BUTTON and EDIT classes (subclassed) for the native ones.
#include "ui/win32/Win.h"

#include <memory>
#include <vector>

#include "ui/Backend.h"

namespace ui {
class TForm;
}

namespace ui::win32 {

class WindowPeer : public ControlPeer {
public:
    WindowPeer(TWinControl& control, PeerKind kind);
    ~WindowPeer() override;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    // The peer of one of our windows, or nullptr.
    static WindowPeer* FromHandle(HWND window);
    HWND Handle() const { return FWindow; }
    TWinControl& Control() const { return FControl; }
    PeerKind Kind() const { return FKind; }

    void SetBounds(const TRect& bounds) override;
    void SetText(const std::u16string& text) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void StateChanged() override;
    void Invalidate() override;
    void Update() override;
    void SetFocus() override;
    bool Focused() const override;
    TSize ClientSizeFor(int width, int height) const override;
    std::unique_ptr<CanvasSurface> DirectSurface() override;
    TWindowPlacement GetPlacement() const override;
    void SetPlacement(const TWindowPlacement& placement) override;
    void SetTopmost(bool topmost) override;
    void BringToFront() override;
    bool Showing() const override;

    // Paints the control's client area on dc, through an off-screen buffer.
    void PaintInto(HDC dc);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR data);
    // Runs one message through the component and gives borrowed surfaces back afterwards.
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp, bool native);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleNativeMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp, bool native);
    bool HandleMouse(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT ContextMenu(WPARAM wp, LPARAM lp, bool native);
    bool HandleCommand(WPARAM wp, LPARAM lp);
    LRESULT HandleChildColor(HDC dc, HWND child);
    void ReportBounds(bool moved, bool sized);
    void ApplyWindowStyles();
    void OrderSiblingsByTab();
    void ApplyNativeState();
    void DisableOtherWindows();
    void EnableOtherWindows();
    TForm* Form() const;

    TWinControl& FControl;
    PeerKind FKind;
    HWND FWindow = nullptr;
    bool FCreated = false;       // creation ended: size reports now come from the user or the program
    bool FSettingText = false;   // our own text change, not the user's edit
    int FDepth = 0;              // messages of this window being handled, nested
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    std::vector<HWND> FDisabledWindows;  // what a shown modal form disabled, enabled again at hiding
};

// The window a form's child widgets are made in; nullptr when the control has no window yet.
HWND WindowOf(const TWinControl& control);

}  // namespace ui::win32
