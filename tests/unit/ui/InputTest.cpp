// What reaches a control from its widget: guarded handlers, double clicks, keys and the dialog's
// keys, the wheel, leaving, a lost capture.
#include <gtest/gtest.h>

#include <stdexcept>

#include "controls/GraphicButton.h"
#include "ui/Application.h"
#include "ui/DialogKeys.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/headless/HeadlessBackend.h"

using namespace ui;
using headless::PeerOf;

namespace {
// Collects what the application reports instead of showing a box.
struct CaughtErrors {
    CaughtErrors() {
        Application().OnException = [this](const std::exception& e) { texts.push_back(e.what()); };
    }
    ~CaughtErrors() { Application().OnException = nullptr; }
    std::vector<std::string> texts;
};

struct Host : TForm {
    Host() : TForm(nullptr) {
        SetBorderStyle(bsNone);
        SetBounds(100, 50, 400, 300);
        Show();
    }
    template <class T>
    T* Add(int left, int top, int width = 50, int height = 20) {
        auto* c = new T(this);
        c->SetParent(this);
        c->SetBounds(left, top, width, height);
        return c;
    }
};
}  // namespace

TEST(GuardedDispatch, AnErrorInAHandlerIsReportedAndTheWidgetGoesOn) {
    CaughtErrors caught;
    Host form;
    auto* c = form.Add<TCustomControl>(0, 0);
    int clicks = 0;
    c->OnClick = [&](TObject*) {
        ++clicks;
        throw std::runtime_error("Klick schiefgegangen");
    };
    PeerOf(*c).ClickAt(5, 5);
    PeerOf(*c).ClickAt(5, 5);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(caught.texts, (std::vector<std::string>{"Klick schiefgegangen", "Klick schiefgegangen"}));
    // Something that is not an exception of the library's kind is still caught.
    c->OnClick = [](TObject*) { throw 42; };
    PeerOf(*c).ClickAt(5, 5);
    EXPECT_EQ(caught.texts.back(), "unknown error");
}

TEST(GuardedDispatch, AControlFreedInItsOwnHandlerIsLeftAlone) {
    Host form;
    auto* c = form.Add<TCustomControl>(0, 0);
    auto& peer = PeerOf(*c);
    int ups = 0;
    c->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    c->OnClick = [&](TObject*) { delete c; };
    peer.ClickAt(5, 5);  // freed in Click: neither MouseUp nor the capture release touch it
    EXPECT_EQ(ups, 0);
    EXPECT_EQ(form.ControlCount(), 0);
    // A form freed inside its own handler.
    auto* owned = new Host;
    owned->OnActivate = [&](TObject*) { delete owned; };
    PeerOf(*owned).Activate(waActive);
    SUCCEED();  // AddressSanitizer reports any touch of the freed form
}

TEST(MouseInput, TheSecondPressOfADoubleClickFollowsTheControlsStyle) {
    Host form;
    auto* wants = form.Add<TCustomControl>(0, 0);
    auto* plain = form.Add<TCustomControl>(0, 30);
    plain->SetControlStyle(plain->ControlStyle() & ~csDoubleClicks);
    int wantClicks = 0, wantDoubles = 0, plainClicks = 0, plainDoubles = 0;
    TShiftState lastShift = 0;
    wants->OnClick = [&](TObject*) { ++wantClicks; };
    wants->OnDblClick = [&](TObject*) { ++wantDoubles; };
    wants->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int, int) { lastShift = s; };
    plain->OnClick = [&](TObject*) { ++plainClicks; };
    plain->OnDblClick = [&](TObject*) { ++plainDoubles; };
    PeerOf(*wants).DoubleClickAt(5, 5);
    PeerOf(*plain).DoubleClickAt(5, 5);
    // One click and one double click; the second press is marked and makes no click.
    EXPECT_EQ(wantClicks, 1);
    EXPECT_EQ(wantDoubles, 1);
    EXPECT_TRUE(lastShift & ssDouble);
    // Without double clicks, two plain clicks.
    EXPECT_EQ(plainClicks, 2);
    EXPECT_EQ(plainDoubles, 0);
}

TEST(DialogKeys, EnterAndEscapeReachTheDefaultAndCancelButtonsUnlessAControlWantsThem) {
    Host form;
    auto* hidden = form.Add<TButton>(120, 0);
    auto* ok = form.Add<TButton>(0, 0);
    auto* cancel = form.Add<TButton>(60, 0);
    auto* edit = form.Add<TEdit>(0, 30);
    hidden->SetVisible(false);
    hidden->SetDefault(true);  // made first, it would be found first were it shown
    ok->SetDefault(true);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    EXPECT_EQ(FindDefaultButton(form), ok);
    EXPECT_EQ(FindCancelButton(form), cancel);
    EXPECT_TRUE(PeerOf(*edit).KeyDown(vkReturn));
    EXPECT_TRUE(PeerOf(*edit).KeyDown(vkEscape));
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    // A control that handles Enter itself keeps it.
    struct EnterTaker : TCustomControl {
        using TCustomControl::TCustomControl;
        TWantedKeys WantedKeys() const override { return wkEnter | wkArrows; }
    };
    auto* taker = form.Add<EnterTaker>(0, 60);
    EXPECT_FALSE(PeerOf(*taker).KeyDown(vkReturn));
    EXPECT_EQ(okClicks, 1);
    // A disabled default button takes the key and does nothing.
    ok->SetEnabled(false);
    EXPECT_TRUE(PeerOf(*edit).KeyDown(vkReturn));
    EXPECT_EQ(okClicks, 1);
    // Without a cancel button Escape goes nowhere.
    delete cancel;
    EXPECT_FALSE(PeerOf(*edit).KeyDown(vkEscape));
}

TEST(KeyInput, HandlersSeeAndTakeKeys) {
    Host form;
    auto* c = form.Add<TCustomControl>(0, 0);
    std::vector<std::uint16_t> downs;
    c->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState shift) {
        downs.push_back(key);
        if (key == vkDelete && (shift & ssCtrl)) key = 0;
    };
    c->OnKeyPress = [](TObject*, char16_t& key) {
        if (key == u'x') key = 0;
    };
    std::uint16_t up = 0;
    c->OnKeyUp = [&](TObject*, std::uint16_t& key, TShiftState) { up = key; };
    EXPECT_FALSE(PeerOf(*c).KeyDown(vkDown));
    EXPECT_TRUE(PeerOf(*c).KeyDown(vkDelete, ssCtrl));
    EXPECT_FALSE(PeerOf(*c).KeyDown(vkDelete));
    EXPECT_EQ(downs, (std::vector<std::uint16_t>{vkDown, vkDelete, vkDelete}));
    EXPECT_TRUE(PeerOf(*c).KeyPress(u'x'));
    EXPECT_FALSE(PeerOf(*c).KeyPress(u'y'));
    EXPECT_FALSE(PeerOf(*c).KeyUp(vkF2));
    EXPECT_EQ(up, vkF2);
}

TEST(MouseInput, WheelLeaveAndALostCapture) {
    Host form;
    auto* c = form.Add<TCustomControl>(30, 40, 100, 100);
    TPoint at;
    int turned = 0;
    c->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint pos, bool& handled) {
        turned += delta;
        at = pos;
        handled = delta > 0;
    };
    EXPECT_TRUE(PeerOf(*c).Wheel(120, 7, 9));
    EXPECT_FALSE(PeerOf(*c).Wheel(-120, 7, 9));
    EXPECT_EQ(turned, 0);
    EXPECT_EQ(at, (TPoint{7, 9}));  // the handler sees client coordinates
    int left = 0;
    c->OnMouseLeave = [&](TObject*) { ++left; };
    PeerOf(*c).Leave();
    EXPECT_EQ(left, 1);

    // A graphic button pressed, then the mouse taken away: the release makes no click.
    auto* button = new controls::TGraphicButton(&form);
    button->SetParent(&form);
    button->SetBounds(200, 0, 100, 40);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    auto& peer = PeerOf(*button);
    peer.Press(10, 10);
    EXPECT_TRUE(button->Pressing());
    EXPECT_TRUE(peer.Captured);
    PeerOf(*c).SetCapture(true);  // another window takes the mouse
    EXPECT_FALSE(peer.Captured);
    EXPECT_FALSE(button->Pressing());
    peer.Release(10, 10);
    EXPECT_EQ(clicks, 0);
    peer.ClickAt(10, 10);
    EXPECT_EQ(clicks, 1);
}
