#pragma once
// The windowing port: a factory per widget family, message loops, the hand-over of work from other
// threads, and what the platform tells of screens and the pointer. The backend folder (win32 or
// headless) is chosen by the build.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/Application.h"
#include "ui/CanvasSurface.h"
#include "ui/Peers.h"
#include "ui/Types.h"

namespace ui {

class TControl;
class TWinControl;
class TForm;
class TButton;
class TEdit;
class TComboBox;
class TComboBoxEx;
class TCheckBox;
class TTreeView;
class TListView;
class TTimer;
class TPopupMenu;

// The pointer's look while something is dragged.
enum class TDragCursor { Arrow, Drag, NoDrop };
// The pointer's look for the whole screen while the program is busy.
enum class TScreenCursor { Default, HourGlass };

class UiBackend {
public:
    virtual ~UiBackend() = default;
    virtual TColor SystemColor(int index) = 0;

    virtual std::unique_ptr<FormPeer> CreateForm(TForm& form) = 0;
    virtual std::unique_ptr<CustomPeer> CreateCustomControl(TWinControl& control) = 0;
    virtual std::unique_ptr<ButtonPeer> CreateButton(TButton& button) = 0;
    virtual std::unique_ptr<EditPeer> CreateEdit(TEdit& edit) = 0;
    virtual std::unique_ptr<ComboBoxPeer> CreateComboBox(TComboBox& box) = 0;
    virtual std::unique_ptr<ComboBoxExPeer> CreateComboBoxEx(TComboBoxEx& box) = 0;
    virtual std::unique_ptr<CheckBoxPeer> CreateCheckBox(TCheckBox& box) = 0;
    virtual std::unique_ptr<TreeViewPeer> CreateTreeView(TTreeView& tree) = 0;
    virtual std::unique_ptr<ListViewPeer> CreateListView(TListView& list) = 0;
    virtual std::unique_ptr<TimerPeer> CreateTimer(TTimer& timer) = 0;
    virtual std::unique_ptr<ImageListPeer> CreateImageList(int width, int height) = 0;

    // Shows the menu at a screen point; the chosen item's Click runs before this returns.
    virtual void TrackPopup(TPopupMenu& menu, int x, int y) = 0;
    // Handles the messages that are waiting, then returns.
    virtual void ProcessMessages() = 0;
    // Waits for and handles messages until done() holds or the application ends.
    virtual void RunUntil(const std::function<bool()>& done) = 0;

    // Hands work to the GUI thread from any thread. Post returns at once; Send waits until the
    // work ran, and returns false instead when it was discarded (DiscardPosted, or the backend
    // went). Called on the GUI thread, Send runs the work at once. The owner tag groups work so
    // that whoever posted it can discard what has not run yet before it goes.
    virtual void Post(const void* owner, std::function<void()> work) = 0;
    virtual bool Send(const void* owner, std::function<void()> work) = 0;
    virtual void DiscardPosted(const void* owner) = 0;

    virtual TMsgAnswer MessageBox(const std::u16string& text, const std::u16string& caption, TMsgIcon icon,
                                  TMsgButtons buttons) = 0;
    virtual void SetApplicationTitle(const std::u16string& title) = 0;
    // Draws an image of a platform image list (the system list, or one of ours) on a surface.
    virtual void DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) = 0;
    virtual TPoint CursorPos() = 0;
    // Area of the primary screen not taken by task bars.
    virtual TRect WorkArea() = 0;
    // The same area of the screen that holds a point (the nearest screen when none does).
    virtual TRect WorkAreaAt(TPoint) { return WorkArea(); }
    // The modifier keys held down now (Shift, Ctrl, Alt).
    virtual TShiftState KeyboardShift() { return 0; }
    // Pixels per inch of the primary screen (96 is 100 %).
    virtual int ScreenDpi() = 0;
    // The side of a small icon (a menu's, a tree's) at a density; 16 at 96 pixels per inch.
    virtual int SmallIconSize(int dpi) { return ScaleLength(16, dpi, 96); }
    // The windowed control under a screen point, deepest first; nullptr over no window of ours.
    virtual TWinControl* ControlAt(TPoint screen) = 0;
    virtual void SetDragCursor(TDragCursor cursor) = 0;
    virtual TScreenCursor ScreenCursor() = 0;
    virtual void SetScreenCursor(TScreenCursor cursor) = 0;
    // Makes sure the program shows no button on the task bar (the hidden application window is
    // made a tool window where it is not one yet).
    virtual void RemoveTaskbarButton() {}
    // The hidden application window's platform handle, the owner of shell dialogs; 0 for none.
    virtual std::intptr_t ApplicationHandle() { return 0; }
    // Starts the shell's services on the GUI thread (completion, the shell's dialogs and
    // verbs, drag and drop) if they are not running yet: at once with the backend, or here
    // for a program that asked for them on demand.
    virtual void StartShellServices() {}
};


UiBackend& GetBackend();
// Installs a replacement (tests); returns the previous one; nullptr restores the default.
UiBackend* SetBackend(UiBackend* replacement);

// Shows the hourglass while it lives and then the cursor that was shown before.
class TBusyCursor {
public:
    TBusyCursor() : FPrevious(GetBackend().ScreenCursor()) { GetBackend().SetScreenCursor(TScreenCursor::HourGlass); }
    ~TBusyCursor() { GetBackend().SetScreenCursor(FPrevious); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TScreenCursor FPrevious;
};

}  // namespace ui
