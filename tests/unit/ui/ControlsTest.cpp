#include <gtest/gtest.h>

#include "app/MainWindowDesign.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Exceptions.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/headless/HeadlessBackend.h"
#include "util/TextCodec.h"
#include "util/Utils.h"

using namespace ui;
using headless::Headless;
using headless::PeerOf;

namespace {
struct Dialog : TForm {
    Dialog() : TForm(nullptr) {
        BeginLoading();
        SetBorderStyle(bsDialog);
        SetClientSize(300, 120);
        Ok = new TButton(this);
        Ok->SetName(u"OkButton");
        Ok->SetParent(this);
        Ok->SetModalResult(mrOk);
        Ok->SetDefault(true);
        Edit = new TEdit(this);
        Edit->SetName(u"Edit1");
        Edit->SetParent(this);
        Check = new TCheckBox(this);
        Check->SetName(u"CheckBox1");
        Check->SetParent(this);
        FinishLoading();
    }
    TButton* Ok;
    TEdit* Edit;
    TCheckBox* Check;
};
}  // namespace

TEST(Form, ClientSizeBordersAndChildrenWidgets) {
    Dialog d;
    EXPECT_EQ(d.ClientWidth(), 300);
    EXPECT_EQ(d.Width(), 300 + headless::FrameWidth);
    EXPECT_EQ(d.Height(), 120 + headless::FrameHeight);
    EXPECT_TRUE(d.Ok->HandleAllocated());
    // Names given while loading do not become captions; later ones do while untouched.
    EXPECT_EQ(d.Ok->Caption(), u"");
    auto* late = new TButton(&d);
    late->SetName(u"Later");
    EXPECT_EQ(late->Caption(), u"Later");
    late->SetCaption(u"Eigener Text");
    late->SetName(u"Renamed");
    EXPECT_EQ(late->Caption(), u"Eigener Text");
    // Fonts follow the parent until a control sets its own.
    d.Font().SetHeight(-20);
    EXPECT_EQ(d.Edit->Font().Height(), -20);
    d.Edit->Font().SetHeight(-9);
    d.Font().SetHeight(-30);
    EXPECT_EQ(d.Edit->Font().Height(), -9);
    EXPECT_EQ(d.Ok->Font().Height(), -30);
    EXPECT_THROW(d.Edit->SetParent(d.Edit), EComponentError);
}

namespace {
// A design made as a form's constructor makes it: controls placed and ordered while loading,
// one of them inside a box of its own.
struct OrderedDialog : TForm {
    OrderedDialog() : TForm(nullptr) {
        BeginLoading();
        SetClientSize(300, 200);
        Caption = new TLabel(this);
        Caption->SetParent(this);
        Caption->SetBounds(8, 185, 280, 15);
        Note = new TCustomControl(this);
        Note->SetParent(this);
        Note->SetBounds(8, 8, 280, 15);
        Box = new TCustomControl(this);
        Box->SetParent(this);
        Box->SetBounds(8, 30, 280, 60);
        Box->SetTabOrder(1);
        Inner = new TEdit(this);
        Inner->SetParent(Box);
        Inner->SetBounds(4, 4, 200, 23);
        Ok = new TButton(this);
        Ok->SetParent(this);
        Ok->SetBounds(8, 160, 75, 25);
        Ok->SetTabOrder(2);
        First = new TEdit(this);
        First->SetParent(this);
        First->SetBounds(8, 100, 200, 23);
        First->SetTabOrder(0);
        madeWhileLoading = Note->HandleAllocated() || Box->HandleAllocated() || Inner->HandleAllocated() ||
                           Ok->HandleAllocated() || First->HandleAllocated();
        FinishLoading();
    }
    TLabel* Caption;  // painted by the form: no widget of its own
    TCustomControl* Note;
    TCustomControl* Box;
    TEdit* Inner;
    TButton* Ok;
    TEdit* First;
    bool madeWhileLoading = true;
};
}  // namespace

TEST(Form, ADesignMakesItsWidgetsWhenLoadedInTabOrderAndNeverMovesThem) {
    const size_t before = Headless().Peers.size();
    OrderedDialog d;
    EXPECT_FALSE(d.madeWhileLoading);
    std::vector<TWinControl*> made;
    for (size_t i = before; i < Headless().Peers.size(); ++i) made.push_back(&Headless().Peers[i]->Control);
    // The form first (its size needed it), then its children by tab order with those without
    // one last, each one's own children right after it.
    const std::vector<TWinControl*> expected = {&d, d.First, d.Box, d.Inner, d.Ok, d.Note};
    EXPECT_EQ(made, expected);
    for (TWinControl* control : {static_cast<TWinControl*>(d.First), static_cast<TWinControl*>(d.Box),
                                 static_cast<TWinControl*>(d.Inner), static_cast<TWinControl*>(d.Ok),
                                 static_cast<TWinControl*>(d.Note)}) {
        const headless::HeadlessPeer& peer = PeerOf(*control);
        EXPECT_EQ(peer.Bounds, control->BoundsRect()) << util::ToUtf8(control->ClassName());
        EXPECT_EQ(peer.BoundsChanges, 0) << util::ToUtf8(control->ClassName());
        EXPECT_EQ(peer.TabChanges, 0) << util::ToUtf8(control->ClassName());
    }
    // After loading, a new control and a moved one reach their widgets at once.
    auto* late = new TButton(&d);
    late->SetParent(d.Box);
    EXPECT_TRUE(late->HandleAllocated());
    d.Ok->SetBounds(100, 160, 75, 25);
    EXPECT_EQ(PeerOf(*d.Ok).Bounds, d.Ok->BoundsRect());
    EXPECT_EQ(PeerOf(*d.Ok).BoundsChanges, 1);
}

TEST(Form, ShowModalEndsOnModalResultOrClose) {
    Dialog d;
    int shows = 0;
    d.OnShow = [&](TObject*) { ++shows; };
    Headless().Queue([&] { PeerOf(*d.Ok).ClickAt(1, 1); });
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(d.Visible());

    // Close ends the loop with mrCancel; an OnClose answering caNone keeps it open.
    int closeCalls = 0;
    d.OnClose = [&](TObject*, TCloseAction& action) {
        if (++closeCalls == 1) action = caNone;
    };
    Headless().Queue([&] { d.Close(); });
    Headless().Queue([&] {
        EXPECT_TRUE(d.Showing());
        d.Close();
    });
    EXPECT_EQ(d.ShowModal(), mrCancel);
    EXPECT_EQ(closeCalls, 2);

    // A button's modal result is a closing too: the form is told once, and may stay open.
    closeCalls = 0;
    Headless().Queue([&] { PeerOf(*d.Ok).ClickAt(1, 1); });
    Headless().Queue([&] {
        EXPECT_TRUE(d.Showing());
        PeerOf(*d.Ok).ClickAt(1, 1);
    });
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_EQ(closeCalls, 2);
}

TEST(Form, PlacementActivationAndMoveReports) {
    struct Reporting : TForm {
        Reporting() : TForm(nullptr) { SetBorderStyle(bsSizeToolWin); }
        void WMActivate(int state) override {
            TForm::WMActivate(state);
            activations.push_back(state);
        }
        void WMMove() override { ++moves; }
        void WMSize() override { ++sizes; }
        std::vector<int> activations;
        int moves = 0, sizes = 0;
    } f;
    TWindowPlacement p;
    p.Flags = 2;
    p.ShowCmd = 5;
    p.MinPosition = {-1, -1};
    p.MaxPosition = {-1, -1};
    p.NormalPosition = Rect(5, 5, 645, 485);
    f.SetPlacement(p);
    EXPECT_EQ(f.BoundsRect(), Rect(5, 5, 645, 485));
    EXPECT_EQ(f.moves, 1);
    EXPECT_EQ(f.sizes, 1);
    EXPECT_EQ(f.GetPlacement(), p);
    // A show command other than "hide" shows the window, as on the platform.
    EXPECT_TRUE(f.Visible());
    p.ShowCmd = 0;
    f.SetPlacement(p);
    EXPECT_FALSE(f.Visible());
    auto& peer = PeerOf(f);
    peer.UserSetBounds(Rect(10, 5, 650, 485));  // moved only
    EXPECT_EQ(f.moves, 2);
    EXPECT_EQ(f.sizes, 1);
    peer.Activate(waActive);
    peer.Activate(waInactive);
    EXPECT_EQ(f.activations, (std::vector<int>{waActive, waInactive}));
}

TEST(Controls, EditCheckBoxAndLabel) {
    Dialog d;
    int changes = 0;
    d.Edit->OnChange = [&](TObject*) { ++changes; };
    d.Edit->HandleTextEdited(u"abc");  // typed by the user: the widget already shows it
    EXPECT_EQ(d.Edit->Text(), u"abc");
    EXPECT_EQ(PeerOf(*d.Edit).Text, u"");
    d.Edit->SetText(u"xyz");  // set by code: mirrored into the widget
    EXPECT_EQ(PeerOf(*d.Edit).Text, u"xyz");
    d.Edit->SetText(u"xyz");
    EXPECT_EQ(changes, 2);

    int clicks = 0;
    d.Check->OnClick = [&](TObject*) { ++clicks; };
    d.Check->HandleToggled();
    EXPECT_TRUE(d.Check->Checked());
    d.Check->SetChecked(true);
    EXPECT_EQ(clicks, 1);

    app::MainWindowForm main;
    main.UserLabel->SetCaption(u"User\r\n\r\nComputer");
    // The label has no widget: the form paints it in its place.
    EXPECT_TRUE(std::none_of(Headless().Peers.begin(), Headless().Peers.end(), [&](const auto* p) {
        return static_cast<const TControl*>(&p->Control) == main.UserLabel;
    }));
    auto& form = PeerOf(main);
    form.Paint();
    const auto text = std::find_if(form.Texts.begin(), form.Texts.end(),
                                   [](const RecordedText& r) { return r.Text == u"User\r\n\r\nComputer"; });
    ASSERT_NE(text, form.Texts.end());
    const TRect place = main.UserLabel->BoundsRect();
    EXPECT_EQ(text->Rect.Left, place.Left);
    EXPECT_EQ(text->Rect.Right, place.Right);
    EXPECT_EQ(text->Flags & (dtCenter | dtWordBreak), dtCenter | dtWordBreak);
    EXPECT_EQ(text->Color, 0xFFFFFFu);  // clWindow on the dark background
    EXPECT_EQ(form.Raster.Pixel(place.Left, place.Top), app::DarkGrey);
    ASSERT_EQ(text->Layout.Lines.size(), 3u);
    // A vertically centred block of three lines, in the form's coordinates.
    EXPECT_EQ(text->Layout.Lines[0].Y, place.Top + (41 - 3 * 20) / 2);

    // A new caption repaints the label's place on the form, and only that.
    form.InvalidRects.clear();
    main.UserLabel->SetCaption(u"Other");
    ASSERT_FALSE(form.InvalidRects.empty());
    for (const TRect& r : form.InvalidRects) EXPECT_EQ(r, main.UserLabel->BoundsRect());
    // Moved, both its old and its new place are repainted.
    form.InvalidRects.clear();
    const TRect before = main.UserLabel->BoundsRect();
    main.UserLabel->SetBounds(before.Left + 10, before.Top, before.Width(), before.Height());
    EXPECT_NE(std::find(form.InvalidRects.begin(), form.InvalidRects.end(), before), form.InvalidRects.end());
    EXPECT_NE(std::find(form.InvalidRects.begin(), form.InvalidRects.end(), main.UserLabel->BoundsRect()),
              form.InvalidRects.end());
}

TEST(Controls, TimerRunsOnlyAfterLoadingAndTicks) {
    app::MainWindowForm main;
    int ticks = 0;
    main.Timer1->OnTimer = [&](TObject*) {
        ++ticks;
        main.Timer1->SetEnabled(false);
    };
    EXPECT_TRUE(Headless().TimerRunning(*main.Timer1));
    Headless().TickTimers();
    Headless().TickTimers();
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(Headless().TimerRunning(*main.Timer1));
}

TEST(Controls, PopupMenuItemsAndOwnerDrawImages) {
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    auto* images = new TImageList(&form);
    menu->SetImages(images);
    menu->SetOwnerDraw(true);
    int chosen = 0;
    for (const char16_t* caption : {u"Alle Benutzer", u"-", u"Öffnen..."}) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        item->OnClick = [&chosen](TObject*) { ++chosen; };
        menu->Items().Add(item);
    }
    EXPECT_TRUE(menu->Items().Items(1)->IsLine());
    int popups = 0;
    menu->OnPopup = [&](TObject*) {
        ++popups;
        menu->Items().Items(2)->SetEnabled(false);
    };
    Headless().OnPopup = [](TPopupMenu& m) {
        m.Items().Items(2)->Click();  // disabled: nothing
        m.Items().Items(0)->Click();
    };
    menu->Popup(100, 200);
    Headless().OnPopup = nullptr;
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(chosen, 1);
    ASSERT_FALSE(Headless().Popups.empty());
    EXPECT_EQ(Headless().Popups.back().At, (TPoint{100, 200}));
    delete images;  // the menu hears of it
    EXPECT_EQ(menu->Images(), nullptr);
    delete menu->Items().Items(0);
    EXPECT_EQ(menu->Items().Count(), 2);

    TImageList system(nullptr);
    system.BindHandle(0x1234, 50);
    EXPECT_TRUE(system.ShareImages());
    EXPECT_EQ(system.Count(), 50);
    TBitmap b(20, 20, clBlack);
    system.Draw(b.Canvas(), 2, 2, 3);
    EXPECT_NE(b.Pixel(5, 5), clBlack);
    EXPECT_EQ(b.Pixel(1, 1), clBlack);
}

TEST(Controls, SpeedButtonGroupsAndDisabledGlyph) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetClientSize(200, 50);
    TSpeedButton* b[2];
    int clicks = 0;
    for (auto& button : b) {
        button = new TSpeedButton(&form);
        button->SetParent(&form);
        button->SetGroupIndex(1);
        button->OnClick = [&](TObject*) { ++clicks; };
    }
    PeerOf(*b[0]).ClickAt(3, 3);
    EXPECT_TRUE(b[0]->Down());
    PeerOf(*b[1]).ClickAt(3, 3);
    EXPECT_TRUE(b[1]->Down());
    EXPECT_FALSE(b[0]->Down());
    PeerOf(*b[1]).ClickAt(3, 3);  // the last one down stays down
    EXPECT_TRUE(b[1]->Down());
    PeerOf(*b[0]).Press(3, 3);
    PeerOf(*b[0]).MoveTo(100, 3);
    PeerOf(*b[0]).Release(100, 3);
    EXPECT_EQ(clicks, 3);

    TBitmap& g = b[0]->Glyph();
    g.SetSize(8, 4);
    b[0]->SetNumGlyphs(2);
    EXPECT_EQ(b[0]->GlyphSource(), Rect(0, 0, 4, 4));
    b[0]->SetEnabled(false);
    EXPECT_EQ(b[0]->GlyphSource(), Rect(4, 0, 8, 4));
}

TEST(Application, PumpsMessagesForDelaysAndReportsErrors) {
    TApplication& app = Application();
    int ran = 0;
    Headless().Queue([&] { ++ran; });
    util::DelayWithMessages(0);
    EXPECT_EQ(ran, 1);

    std::u16string seen;
    app.OnException = [&](const std::exception& e) {
        if (auto* ours = dynamic_cast<const Exception*>(&e)) seen = ours->Message();
    };
    app.HandleException(EConvertError(u"kaputt"));
    EXPECT_EQ(seen, u"kaputt");
    app.OnException = nullptr;
    const auto boxes = Headless().MessageBoxes.size();
    app.HandleException(std::runtime_error("plain"));
    ASSERT_EQ(Headless().MessageBoxes.size(), boxes + 1);
    EXPECT_EQ(Headless().MessageBoxes.back().Text, u"plain");
    EXPECT_EQ(Headless().MessageBoxes.back().Icon, TMsgIcon::Error);
}

TEST(Controls, ContextMenusAcceleratorsAndDoubleClicks) {
    app::MainWindowForm form;
    form.Show();
    auto& peer = PeerOf(*form.Buttons[2]);
    // A right click asks for the context menu: the buttons' popup opens for that button.
    Headless().Popups.clear();
    EXPECT_TRUE(form.Buttons[2]->HandleContextMenu(400, 320));
    ASSERT_EQ(Headless().Popups.size(), 1u);
    EXPECT_EQ(Headless().Popups[0].Menu, form.PopupMenu1);
    EXPECT_EQ(Headless().Popups[0].At, (TPoint{400, 320}));
    EXPECT_EQ(form.PopupMenu1->PopupComponent(), form.Buttons[2]);
    EXPECT_TRUE(form.ShellTreeView1->HandleContextMenu(10, 10));  // the tree has the same menu
    ASSERT_EQ(Headless().Popups.size(), 2u);
    EXPECT_EQ(form.PopupMenu1->PopupComponent(), form.ShellTreeView1);
    form.ShellTreeView1->SetPopupMenu(nullptr);
    EXPECT_FALSE(form.ShellTreeView1->HandleContextMenu(10, 10));  // none: the parent is asked
    EXPECT_EQ(Headless().Popups.size(), 2u);

    // The form hands an accelerator to its children; only a visible, enabled owner of it takes it.
    int clicks[6] = {};
    for (int i = 0; i < 6; ++i) form.Buttons[i]->OnClick = [&clicks, i](TObject*) { ++clicks[i]; };
    form.Buttons[3]->SetCaption(u"&Ordner erstellen");
    form.Buttons[1]->SetCaption(u"&Information");
    EXPECT_TRUE(PeerOf(form).DialogChar(u'o'));
    EXPECT_FALSE(PeerOf(form).DialogChar(u'q'));
    form.Buttons[1]->SetVisible(false);
    EXPECT_FALSE(PeerOf(form).DialogChar(u'i'));
    EXPECT_EQ(clicks[3], 1);
    EXPECT_EQ(clicks[1], 0);

    // The picture has no widget: the form hands it the mouse over its place, in its own
    // coordinates. The second press of a double click makes no click of its own.
    int doubles = 0, imageClicks = 0;
    std::vector<TPoint> pressedAt;
    form.UserImage->OnDblClick = [&](TObject*) { ++doubles; };
    form.UserImage->OnClick = [&](TObject*) { ++imageClicks; };
    form.UserImage->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { pressedAt.push_back({x, y}); };
    auto& window = PeerOf(form);
    const int x = form.UserImage->Left() + 20, y = form.UserImage->Top() + 20;
    window.DoubleClickAt(x, y);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(imageClicks, 1);
    ASSERT_EQ(pressedAt.size(), 2u);
    EXPECT_EQ(pressedAt[0], (TPoint{20, 20}));
    // A press on the picture and a release beyond it make no click; the release still goes to it.
    int releases = 0;
    form.UserImage->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++releases; };
    window.Press(x, y);
    window.Release(form.ClientWidth() - 1, form.ClientHeight() - 1);
    EXPECT_EQ(imageClicks, 1);
    EXPECT_EQ(releases, 1);
    // Hidden, the picture gets nothing.
    form.UserImage->SetVisible(false);
    window.ClickAt(x, y);
    EXPECT_EQ(pressedAt.size(), 3u);
    form.UserImage->SetVisible(true);
    peer.ClickAt(20, 20);
    EXPECT_EQ(clicks[2], 1);

    // A right click over the picture opens its menu, for it; over the bare form, the form's own.
    Headless().Popups.clear();
    const TPoint onImage = form.UserImage->ClientToScreen({5, 5});
    EXPECT_EQ(onImage, form.ClientToScreen({form.UserImage->Left() + 5, form.UserImage->Top() + 5}));
    EXPECT_TRUE(form.HandleContextMenu(onImage.X, onImage.Y));
    ASSERT_EQ(Headless().Popups.size(), 1u);
    EXPECT_EQ(form.PopupMenu1->PopupComponent(), form.UserImage);
    // From the keyboard, at the same point, the form's own.
    EXPECT_TRUE(form.HandleContextMenu(onImage.X, onImage.Y, false));
    EXPECT_EQ(form.PopupMenu1->PopupComponent(), &form);
    Headless().Popups.pop_back();
    const TPoint bare = form.ClientToScreen({form.ClientWidth() - 2, 2});
    EXPECT_EQ(form.ControlAtPoint(form.ScreenToClient(bare)), nullptr);
    EXPECT_TRUE(form.HandleContextMenu(bare.X, bare.Y));
    EXPECT_EQ(Headless().Popups.size(), 2u);
    EXPECT_EQ(form.PopupMenu1->PopupComponent(), &form);
}

TEST(Form, ScreenCentredOnFirstShowOnly) {
    TForm f(nullptr);
    f.SetBorderStyle(bsDialog);
    f.SetPosition(poScreenCenter);
    f.SetBounds(0, 0, 300, 200);
    f.Show();
    EXPECT_EQ(f.BoundsRect(), Bounds((1280 - 300) / 2, (1024 - 200) / 2, 300, 200));
    f.Hide();
    f.SetBounds(10, 10, 300, 200);
    f.Show();
    EXPECT_EQ(f.Left(), 10);
}
