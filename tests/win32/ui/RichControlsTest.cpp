// What rich controls stand on, on real windows: notifications reflected to the child with custom
// draw, keys a control asks for past the dialog, the wheel, a lost capture, a drag with real
// pointer input, work handed over from another thread, own image lists, errors from timers and
// accelerators, nested modal loops, a menu item freed while its menu is open, and GDI and USER
// objects that return to their count.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>

#include <atomic>
#include <thread>

#include "app/MainWindowDesign.h"
#include "ui/Application.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/win32/WinHandles.h"
#include "ui/win32/WindowPeer.h"
#include "win32/WinInput.h"
#include "win32/WinPump.h"

using namespace ui;
using ui::win32::WindowOf;

namespace {

struct ShownForm : TForm {
    ShownForm() : TForm(nullptr) {
        SetBorderStyle(bsNone);
        SetBounds(50, 50, 400, 300);
        Show();
        Application().ProcessMessages();
    }
    template <class T>
    T* Add(int left, int top, int width = 100, int height = 100) {
        auto* c = new T(this);
        c->SetParent(this);
        c->SetBounds(left, top, width, height);
        return c;
    }
};

// A control that draws its items itself and asks for arrows and Enter.
struct ItemDrawer : TCustomControl {
    using TCustomControl::TCustomControl;
    bool HasCustomDraw() const override { return true; }
    TWantedKeys WantedKeys() const override { return wkArrows | wkEnter; }
    bool CustomDrawItem(TCanvas& canvas, const TRect& rect, TCustomDrawState state, std::uintptr_t item) override {
        Seen = {rect, state, item, canvas.Brush.Color};
        canvas.Brush.Color = 0x123456;
        canvas.Font.SetColor(0x00FF00);
        return item != 7;
    }
    struct {
        TRect Rect;
        TCustomDrawState State = 0;
        std::uintptr_t Item = 0;
        TColor StartBrush = 0;
    } Seen;
};

// Real pointer input, handled before the next step as a person's hand is slower than the queue.
void SendMouse(DWORD flags, POINT at) {
    SendPointer(flags, at);
    const auto end = GetTickCount() + 50;
    while (GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

POINT ScreenPoint(const TWinControl& control, int x, int y) {
    POINT p{x, y};
    ClientToScreen(WindowOf(control), &p);
    return p;
}

}  // namespace

TEST(Win32RichControls, NotificationsReachTheChildAndCustomDrawUsesItsCanvas) {
    ShownForm form;
    auto* drawer = form.Add<ItemDrawer>(10, 10);
    win32::WindowDc screen(nullptr);
    win32::DibBuffer buffer(screen.Get(), 50, 20);
    ASSERT_TRUE(buffer.Valid());
    SetTextColor(buffer.Dc(), RGB(1, 2, 3));
    SetBkColor(buffer.Dc(), RGB(200, 201, 202));
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = WindowOf(*drawer);
    draw.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(WindowOf(*drawer)));
    draw.hdr.code = NM_CUSTOMDRAW;
    draw.hdc = buffer.Dc();
    draw.rc = {0, 0, 50, 20};
    draw.dwDrawStage = CDDS_PREPAINT;
    // Sent to the parent, as the platform's controls do; the child's peer answers.
    EXPECT_EQ(SendMessageW(WindowOf(form), WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)),
              CDRF_NOTIFYITEMDRAW);
    draw.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.dwItemSpec = 3;
    draw.uItemState = CDIS_SELECTED | CDIS_FOCUS;
    EXPECT_EQ(SendMessageW(WindowOf(form), WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)), CDRF_DODEFAULT);
    EXPECT_EQ(drawer->Seen.Item, 3u);
    EXPECT_EQ(drawer->Seen.State, cdsSelected | cdsFocused);
    EXPECT_EQ(drawer->Seen.Rect, Rect(0, 0, 50, 20));
    EXPECT_EQ(drawer->Seen.StartBrush, TColor(RGB(200, 201, 202)));
    EXPECT_EQ(GetBkColor(buffer.Dc()), RGB(0x56, 0x34, 0x12));
    EXPECT_EQ(GetTextColor(buffer.Dc()), RGB(0, 0xFF, 0));
    draw.dwItemSpec = 7;  // drawn by the control alone
    EXPECT_EQ(SendMessageW(WindowOf(form), WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)),
              CDRF_SKIPDEFAULT);
    // A control without custom drawing leaves the notification to the platform.
    auto* plain = form.Add<TCustomControl>(200, 10);
    draw.hdr.hwndFrom = WindowOf(*plain);
    draw.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(SendMessageW(WindowOf(form), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)),
              DefWindowProcW(WindowOf(form), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)));
}

TEST(Win32RichControls, KeysAControlAsksForPassTheDialogAndOthersStayWithIt) {
    ShownForm form;
    auto* drawer = form.Add<ItemDrawer>(10, 10);
    auto* ok = form.Add<TButton>(200, 10, 80, 25);
    ok->SetDefault(true);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    std::vector<std::uint16_t> keys;
    drawer->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) { keys.push_back(key); };
    drawer->SetTabStop(true);
    drawer->SetFocus();
    ASSERT_TRUE(drawer->Focused());
    // What the control tells the dialog it wants.
    MSG enter{WindowOf(*drawer), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    const LRESULT code = SendMessageW(WindowOf(*drawer), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
    EXPECT_TRUE(code & DLGC_WANTARROWS);
    EXPECT_TRUE(code & DLGC_WANTMESSAGE);
    // Through the message loop with its dialog handling: arrows and Enter reach the control.
    for (WPARAM key : {VK_DOWN, VK_RETURN, VK_UP}) PostMessageW(WindowOf(*drawer), WM_KEYDOWN, key, 0);
    EXPECT_TRUE(PumpUntil([&] { return keys.size() >= 3; }));
    EXPECT_EQ(keys, (std::vector<std::uint16_t>{VK_DOWN, VK_RETURN, VK_UP}));
    EXPECT_EQ(okClicks, 0);
    // A control that does not ask for Enter leaves it to the default button.
    auto* other = form.Add<TCustomControl>(10, 150);
    other->SetTabStop(true);
    other->SetFocus();
    PostMessageW(WindowOf(*other), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([&] { return okClicks == 1; }));
}

TEST(Win32RichControls, WheelLeaveAndALostCaptureOnRealWindows) {
    ShownForm form;
    auto* c = form.Add<TCustomControl>(10, 10);
    int delta = 0;
    TPoint at;
    c->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint pos, bool& handled) {
        delta += d;
        at = pos;
        handled = true;
    };
    const POINT screen = ScreenPoint(*c, 20, 30);
    SendMessageW(WindowOf(*c), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(delta, WHEEL_DELTA);
    EXPECT_EQ(at, (TPoint{20, 30}));
    int left = 0;
    c->OnMouseLeave = [&](TObject*) { ++left; };
    SendMessageW(WindowOf(*c), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(left, 1);

    // A press on a graphic button, then another window takes the mouse: no click.
    auto* button = new controls::TGraphicButton(&form);
    button->SetParent(&form);
    button->SetBounds(200, 10, 120, 40);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(WindowOf(*button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(GetCapture(), WindowOf(*button));
    EXPECT_TRUE(button->Pressing());
    SetCapture(WindowOf(*c));
    EXPECT_FALSE(button->Pressing());
    ReleaseCapture();
    SendMessageW(WindowOf(*button), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(clicks, 0);
    // The platform cancelling the mode ends a press the same way.
    SendMessageW(WindowOf(*button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(WindowOf(*button), WM_CANCELMODE, 0, 0);
    EXPECT_NE(GetCapture(), WindowOf(*button));
    SendMessageW(WindowOf(*button), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(clicks, 0);
}

TEST(Win32RichControls, ADragWithRealPointerInputDropsOnTheTarget) {
    ShownForm form;
    auto* source = form.Add<TCustomControl>(10, 10);
    auto* target = form.Add<TCustomControl>(200, 10);
    source->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        if (button == mbLeft) source->BeginDrag(false, 10);
    };
    std::vector<TPoint> drops;
    HCURSOR cursorAtDrop = nullptr;
    target->OnDragOver = [&](TObject*, TObject* from, int, int, TDragState, bool& accept) {
        accept = from == source;
        cursorAtDrop = GetCursor();  // what the move before this one left
    };
    target->OnDragDrop = [&](TObject*, TObject*, int x, int y) { drops.push_back({x, y}); };
    int ended = 0;
    source->OnEndDrag = [&](TObject*, TObject* to, int, int) { ended += to == target ? 1 : 100; };
    int moves = 0;
    source->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };

    // Ten pixels: no drag; the release is a plain one.
    SendMouse(0, ScreenPoint(*source, 20, 20));
    SendMouse(MOUSEEVENTF_LEFTDOWN, ScreenPoint(*source, 20, 20));
    SendMouse(0, ScreenPoint(*source, 30, 20));
    EXPECT_TRUE(PumpUntil([&] { return moves > 0; }));
    EXPECT_FALSE(source->Dragging());
    SendMouse(MOUSEEVENTF_LEFTUP, ScreenPoint(*source, 30, 20));
    Application().ProcessMessages();
    PumpUntil([] { return false; });
    EXPECT_EQ(ended, 0);

    // Onto the target and released there.
    SendMouse(MOUSEEVENTF_LEFTDOWN, ScreenPoint(*source, 20, 20));
    SendMouse(0, ScreenPoint(*source, 40, 20));
    SendMouse(0, ScreenPoint(*target, 30, 40));
    SendMouse(MOUSEEVENTF_LEFTUP, ScreenPoint(*target, 30, 40));
    EXPECT_TRUE(PumpUntil([&] { return ended > 0; }));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0], (TPoint{30, 40}));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    // Over the accepting target the pointer was the drag arrow, neither the plain one nor "no".
    EXPECT_NE(cursorAtDrop, nullptr);
    EXPECT_NE(cursorAtDrop, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_NE(cursorAtDrop, LoadCursorW(nullptr, IDC_NO));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST(Win32RichControls, WorkFromAnotherThreadRunsOnTheGuiThread) {
    const DWORD gui = GetCurrentThreadId();
    std::atomic<DWORD> ranOn{0};
    std::atomic<int> sent{-1};
    std::atomic<int> posted{0};
    const int owner = 0;
    std::thread worker([&] {
        GetBackend().Post(&owner, [&] { ++posted; });
        sent = GetBackend().Send(&owner, [&] { ranOn = GetCurrentThreadId(); });
    });
    EXPECT_TRUE(PumpUntil([&] { return sent != -1; }));
    worker.join();
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(ranOn.load(), gui);
    EXPECT_EQ(posted, 1);
}

TEST(Win32RichControls, OwnPicturesMakeAPlatformImageListWithAMask) {
    TImageList images(nullptr);
    TBitmap picture(16, 16, clFuchsia);
    picture.SetTransparentColor(clFuchsia);
    for (int i = 4; i < 12; ++i) picture.SetPixel(i, 8, clRed);
    images.Add(picture);
    images.Add(picture);
    auto list = reinterpret_cast<HIMAGELIST>(images.Handle());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    win32::WindowDc screen(nullptr);
    win32::DibBuffer buffer(screen.Get(), 16, 16);
    ASSERT_TRUE(buffer.Valid());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) buffer.Row(y)[x] = 0x00FFFFFF;
    ASSERT_TRUE(ImageList_Draw(list, 1, buffer.Dc(), 0, 0, ILD_TRANSPARENT));
    GdiFlush();
    EXPECT_EQ(buffer.Row(8)[5] & 0xFFFFFF, 0xFF0000u);  // red, in the DIB's RGB order
    EXPECT_EQ(buffer.Row(2)[2] & 0xFFFFFF, 0xFFFFFFu);  // the mask left the white alone
}

TEST(Win32RichControls, ErrorsFromTimersAndAcceleratorsAreReported) {
    std::vector<std::string> reported;
    Application().OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    ShownForm form;
    auto* timer = new TTimer(&form);
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject*) {
        timer->SetEnabled(false);
        throw std::runtime_error("Zeitgeber");
    };
    timer->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return !reported.empty(); }));
    auto* button = new controls::TGraphicButton(&form);
    button->SetParent(&form);
    button->SetCaption(u"&Ausführen");
    button->OnClick = [](TObject*) { throw std::runtime_error("Taste"); };
    PostMessageW(WindowOf(form), WM_SYSCHAR, L'a', 0);
    EXPECT_TRUE(PumpUntil([&] { return reported.size() >= 2; }));
    Application().OnException = nullptr;
    EXPECT_EQ(reported, (std::vector<std::string>{"Zeitgeber", "Taste"}));
}

TEST(Win32RichControls, NestedModalLoopsEndWhenTheApplicationTerminates) {
    TForm outer(nullptr), inner(nullptr);
    outer.SetBounds(60, 60, 200, 120);
    inner.SetBounds(90, 90, 200, 120);
    int innerResult = -1;
    outer.OnShow = [&](TObject*) {
        inner.OnShow = [](TObject*) {
            // Both loops are running now: one call ends them all.
            PostMessageW(nullptr, WM_NULL, 0, 0);
            Application().Terminate();
        };
        innerResult = inner.ShowModal();
    };
    const int outerResult = outer.ShowModal();
    EXPECT_EQ(innerResult, mrCancel);
    EXPECT_EQ(outerResult, mrCancel);
    EXPECT_FALSE(IsWindowVisible(WindowOf(outer)));
    // Restart the application's loops for the tests after this one.
    Application().ResetTerminated();
}

TEST(Win32RichControls, AMenuItemFreedWhileItsMenuIsOpenDoesNothing) {
    ShownForm form;
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    int chosen = 0;
    auto* first = new TMenuItem(&menu);
    first->SetCaption(u"Erster");
    first->OnClick = [&](TObject*) { chosen = 1; };
    menu.Items().Add(first);
    auto* second = new TMenuItem(&menu);
    second->SetCaption(u"Zweiter");
    second->OnClick = [&](TObject*) { chosen = 2; };
    menu.Items().Add(second);
    auto* freeing = new TTimer(&form);
    freeing->SetInterval(30);
    freeing->OnTimer = [&](TObject*) {
        freeing->SetEnabled(false);
        delete first;  // while the menu is open
        HWND popup = FindWindowW(L"#32768", nullptr);
        for (WPARAM key : {VK_DOWN, VK_RETURN}) PostMessageW(popup, WM_KEYDOWN, key, 0);
    };
    freeing->SetEnabled(true);
    menu.Popup(100, 100);
    EXPECT_EQ(chosen, 0);  // the chosen entry was the freed one
}

TEST(Win32RichControls, PaintingResizingAndRecolouringLeaveNoObjectsBehind) {
    app::MainWindowForm form;
    form.SetBounds(40, 40, form.Width(), form.Height());
    form.Show();
    // Fonts are made once per kind and kept: one round first, then count.
    auto round = [&](int i) {
        for (auto* button : form.Buttons) {
            button->SetColor(i % 2 ? 0x555555 : 0x556677);
            button->Repaint();
        }
        SetWindowPos(WindowOf(form), nullptr, 0, 0, 540 + i % 7, 530 + i % 5, SWP_NOMOVE | SWP_NOZORDER);
        RedrawWindow(WindowOf(form), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application().ProcessMessages();
    };
    round(0);
    const auto gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const auto userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const win32::HeldObjects heldBefore = win32::HeldObjectCounts();
    for (int i = 1; i <= 300; ++i) round(i);
    // The platform's count where it keeps one (Wine answers zero), and always our own.
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);
    const win32::HeldObjects heldAfter = win32::HeldObjectCounts();
    EXPECT_EQ(heldAfter.Gdi, heldBefore.Gdi);
    EXPECT_EQ(heldAfter.User, heldBefore.User);
    EXPECT_GT(heldAfter.User, 0);  // the counting sees the windows
}

TEST(Win32RichControls, ALabelHasNoWindowAndIsPaintedByItsParentOverWhatTheParentDraws) {
    struct Striped : TCustomControl {
        using TCustomControl::TCustomControl;
        void Paint() override {
            Canvas().Brush.Color = clRed;
            Canvas().FillRect(Rect(0, 0, Width(), Height()));
            Canvas().Brush.Color = clBlue;
            Canvas().FillRect(Rect(0, 20, Width(), 25));  // a stripe the label lies over
        }
    };
    ShownForm form;
    auto* parent = form.Add<Striped>(10, 10, 200, 100);
    auto* label = new TLabel(&form);
    label->SetParent(parent);
    label->SetAutoSize(false);
    label->SetBounds(30, 10, 60, 30);
    label->Font().SetColor(clBlack);
    label->SetCaption(u"WWWWWWWWWWWWWWWWWWWW");  // wider than the label: cut at its edge
    label->SetTransparent(true);
    Application().ProcessMessages();
    EXPECT_EQ(GetWindow(WindowOf(*parent), GW_CHILD), nullptr);

    win32::WindowDc screen(nullptr);
    win32::DibBuffer buffer(screen.Get(), 200, 100);
    ASSERT_TRUE(buffer.Valid());
    SendMessageW(WindowOf(*parent), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Dc()), PRF_CLIENT);
    GdiFlush();
    auto black = [&](int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += (buffer.Row(y)[x] & 0xFFFFFF) == 0;
        return n;
    };
    EXPECT_GT(black(30, 10, 90, 40), 20) << "the caption is drawn in the label's place";
    EXPECT_EQ(black(90, 0, 200, 100), 0) << "and nowhere beyond it";
    EXPECT_EQ(buffer.Row(35)[85] & 0xFFFFFF, 0xFF0000u);  // the parent's red through the label
    EXPECT_EQ(buffer.Row(22)[150] & 0xFFFFFF, 0x0000FFu);  // its blue stripe

    // A new caption asks the parent to repaint the label's place.
    ValidateRect(WindowOf(*parent), nullptr);
    label->SetCaption(u"W");
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(WindowOf(*parent), &update, FALSE));
    EXPECT_EQ((TRect{update.left, update.top, update.right, update.bottom}), Bounds(30, 10, 60, 30));
}

TEST(Win32RichControls, AnActivatedFormGivesTheFocusBackToTheChildThatHadIt) {
    ShownForm form;
    auto* first = form.Add<TEdit>(10, 10, 100, 24);
    auto* second = form.Add<TEdit>(10, 50, 100, 24);
    second->SetFocus();
    ASSERT_TRUE(second->Focused());
    TForm other(nullptr);
    other.SetBounds(300, 300, 200, 100);
    other.Show();
    Application().ProcessMessages();
    SendMessageW(WindowOf(form), WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(WindowOf(other)));
    SetFocus(WindowOf(other));
    SendMessageW(WindowOf(form), WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(WindowOf(other)));
    EXPECT_TRUE(second->Focused());
    EXPECT_FALSE(first->Focused());
}

TEST(Win32RichControls, AMoveToAScreenOfAnotherDensityScalesTheForm) {
    app::MainWindowForm form;
    const int dpi = form.CurrentDpi();
    form.Show();
    const int other = dpi == 96 ? 144 : 96;
    RECT suggested{100, 100, 100 + ScaleLength(form.Width(), other, dpi), 100 + ScaleLength(form.Height(), other, dpi)};
    SendMessageW(WindowOf(form), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.CurrentDpi(), other);
    EXPECT_EQ(form.ShellTreeView1->Left(), ScaleLength(8, other, 96));
    EXPECT_EQ(form.Buttons[0]->Width(), ScaleLength(160, other, 96));
    EXPECT_EQ(form.BoundsRect(), (TRect{100, 100, suggested.right, suggested.bottom}));
}
