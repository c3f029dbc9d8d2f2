// The standard widgets on real windows: native buttons, edits and check boxes in a modal form,
// dialog keys, timers, window placement and an owner-drawn popup menu.
#include <gtest/gtest.h>

#include "ui/win32/Win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwctype>

#include <algorithm>
#include <vector>

#include <chrono>
#include <functional>

#include "controls/GraphicButton.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Exceptions.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/win32/WinHandles.h"
#include "ui/win32/WindowPeer.h"
#include "win32/WinPump.h"

using namespace ui;
using ui::win32::WindowOf;

namespace {


// Runs `step` once from a platform timer while a modal loop (a form's or a menu's) is running.
std::function<void()> pendingStep;
void RunSoon(std::function<void()> step) {
    pendingStep = std::move(step);
    SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        auto step = std::move(pendingStep);
        pendingStep = nullptr;
        if (step) step();
    });
}

struct DialogForm : TForm {
    DialogForm() : TForm(nullptr) {
        SetBorderStyle(bsDialog);
        SetCaption(u"Ordner erstellen");
        SetBounds(100, 100, 300, 160);
        Edit = new TEdit(this);
        Edit->SetParent(this);
        Edit->SetBounds(10, 10, 200, 23);
        Check = new TCheckBox(this);
        Check->SetParent(this);
        Check->SetBounds(10, 40, 200, 17);
        Check->SetCaption(u"Öffnen");
        Ok = new TButton(this);
        Ok->SetParent(this);
        Ok->SetBounds(10, 70, 75, 25);
        Ok->SetCaption(u"OK");
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Cancel = new TButton(this);
        Cancel->SetParent(this);
        Cancel->SetBounds(100, 70, 75, 25);
        Cancel->SetCaption(u"Abbrechen");
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Edit->OnChange = [this](TObject*) { ++changes; };
        Check->OnClick = [this](TObject*) { ++checkClicks; };
    }
    TEdit* Edit;
    TCheckBox* Check;
    TButton* Ok;
    TButton* Cancel;
    int changes = 0;
    int checkClicks = 0;
};

}  // namespace

TEST(Win32Widgets, ModalFormWithNativeControls) {
    TForm owner(nullptr);
    owner.SetBounds(20, 20, 200, 100);
    owner.Show();
    DialogForm dialog;
    bool ownerDisabledWhileModal = false;
    RunSoon([&] {
        ownerDisabledWhileModal = !IsWindowEnabled(WindowOf(owner));
        SendMessageW(WindowOf(*dialog.Edit), WM_CHAR, L'a', 0);
        SendMessageW(WindowOf(*dialog.Edit), WM_CHAR, L'b', 0);
        SendMessageW(WindowOf(*dialog.Check), BM_CLICK, 0, 0);
        PostMessageW(WindowOf(*dialog.Ok), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(ownerDisabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(WindowOf(owner)));
    EXPECT_FALSE(IsWindowVisible(WindowOf(dialog)));
    EXPECT_EQ(dialog.Edit->Text(), u"ab");
    EXPECT_EQ(dialog.changes, 2);
    EXPECT_TRUE(dialog.Check->Checked());
    EXPECT_EQ(dialog.checkClicks, 1);
    EXPECT_EQ(SendMessageW(WindowOf(*dialog.Check), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Text set by the program reaches the widget and raises OnChange once.
    dialog.Edit->SetText(u"Neu");
    EXPECT_EQ(dialog.changes, 3);
    wchar_t text[16] = {};
    GetWindowTextW(WindowOf(*dialog.Edit), text, 16);
    EXPECT_STREQ(text, L"Neu");

    // Escape in the dialog is the cancel button; Enter the default button.
    RunSoon([&] { PostMessageW(WindowOf(*dialog.Edit), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    RunSoon([&] { PostMessageW(WindowOf(*dialog.Edit), WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    // The close box ends the loop with "cancel".
    RunSoon([&] { PostMessageW(WindowOf(dialog), WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST(Win32Widgets, AcceleratorOfAGraphicButton) {
    TForm form(nullptr);
    form.SetBounds(20, 20, 300, 200);
    auto* button = new controls::TGraphicButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 160, 41);
    button->SetCaption(u"&Systemsteuerung");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    PostMessageW(WindowOf(form), WM_SYSCHAR, L's', 0);
    PostMessageW(WindowOf(form), WM_SYSCHAR, L'x', 0);  // no button has it
    EXPECT_TRUE(PumpUntil([&] { return clicks > 0; }));
    Application().ProcessMessages();
    EXPECT_EQ(clicks, 1);
}

TEST(Win32Widgets, TimersRunAndStop) {
    TForm form(nullptr);
    auto* fast = new TTimer(&form);
    auto* slow = new TTimer(&form);
    int fastTicks = 0, slowTicks = 0;
    fast->SetInterval(10);
    fast->OnTimer = [&](TObject*) { ++fastTicks; };
    slow->SetInterval(30);
    slow->SetEnabled(false);
    slow->OnTimer = [&](TObject*) { ++slowTicks; };
    EXPECT_TRUE(PumpUntil([&] { return fastTicks >= 3; }));
    fast->SetEnabled(false);
    const int stoppedAt = fastTicks;
    slow->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return slowTicks >= 2; }));
    EXPECT_EQ(fastTicks, stoppedAt);
    // A zero interval stops a timer too.
    slow->SetInterval(0);
    const int slowAt = slowTicks;
    fast->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return fastTicks >= stoppedAt + 4; }));
    EXPECT_EQ(slowTicks, slowAt);
}

TEST(Win32Widgets, PlacementOnARealWindow) {
    TForm form(nullptr);
    form.SetBorderStyle(bsSizeToolWin);
    TWindowPlacement p;
    p.ShowCmd = SW_SHOWNORMAL;
    p.NormalPosition = TRect{50, 60, 450, 380};
    form.SetPlacement(p);
    // The platform shows the window it placed, and the form knows.
    EXPECT_TRUE(IsWindowVisible(WindowOf(form)));
    EXPECT_TRUE(form.Visible());
    RECT r{};
    GetWindowRect(WindowOf(form), &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), p.NormalPosition);
    EXPECT_EQ(form.BoundsRect(), p.NormalPosition);
    const TWindowPlacement back = form.GetPlacement();
    EXPECT_EQ(back.ShowCmd, SW_SHOWNORMAL);
    EXPECT_EQ(back.NormalPosition, p.NormalPosition);

    // The program's own move shows in the placement.
    form.SetBounds(70, 80, 300, 200);
    EXPECT_EQ(form.GetPlacement().NormalPosition, Bounds(70, 80, 300, 200));
    // Wine lowers a window out of the topmost band only below another window, as a desktop has.
    TForm desktopWindow(nullptr);
    desktopWindow.SetBounds(600, 600, 100, 100);
    desktopWindow.Show();
    form.SetTopmost(true);
    EXPECT_TRUE(GetWindowLongPtrW(WindowOf(form), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form.SetTopmost(false);
    EXPECT_FALSE(GetWindowLongPtrW(WindowOf(form), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(Win32Widgets, OwnerDrawnPopupMenuChoosesByKeyboard) {
    TForm form(nullptr);
    form.SetBounds(20, 20, 300, 200);
    form.Show();
    TPopupMenu menu(nullptr);
    TImageList images(nullptr);
    TBitmap picture(16, 16, clRed);
    images.Add(picture);
    menu.SetImages(&images);
    menu.SetOwnerDraw(true);
    int chosen = 0;
    const char16_t* captions[] = {u"Öffnen", u"-", u"Löschen", u"Umbenennen"};
    for (int i = 0; i < 4; ++i) {
        auto* item = new TMenuItem(&menu);
        item->SetCaption(captions[i]);
        item->SetImageIndex(0);
        item->OnClick = [&chosen, i](TObject*) { chosen = i + 1; };
        if (i == 3) item->SetVisible(false);
        menu.Items().Add(item);
    }
    RunSoon([] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        // Down selects the first item, a second Down skips the separator.
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(popup, WM_KEYDOWN, key, 0);
    });
    menu.Popup(60, 60);
    EXPECT_EQ(chosen, 3);

    // Escape chooses nothing.
    chosen = 0;
    RunSoon([] { PostMessageW(FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0); });
    menu.Popup(60, 60);
    EXPECT_EQ(chosen, 0);
}

TEST(Win32Widgets, ApplicationWindowMessageBoxesAndErrors) {
    TForm form(nullptr);
    form.SetBounds(20, 20, 300, 200);
    Application().SetTitle(u"Nimbrel Test");
    form.Show();
    // Forms are owned by the hidden application window, which carries the title.
    HWND owner = GetWindow(WindowOf(form), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    wchar_t title[32] = {};
    GetWindowTextW(owner, title, 32);
    EXPECT_STREQ(title, L"Nimbrel Test");

    // A message box is the platform's; a timer answers it with "No".
    RunSoon([] {
        HWND box = FindWindowW(L"#32770", L"Frage");
        if (box) PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    EXPECT_EQ(Application().MessageBox(u"Wirklich?", u"Frage", TMsgIcon::Question, TMsgButtons::YesNo), TMsgAnswer::No);

    // An error escaping an event handler stops at the window procedure and reaches the application.
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->OnClick = [](TObject*) { throw Exception(u"Fehler im Handler"); };
    std::u16string reported;
    Application().OnException = [&](const std::exception& e) {
        if (auto* ours = dynamic_cast<const Exception*>(&e)) reported = ours->Message();
    };
    SendMessageW(WindowOf(*button), BM_CLICK, 0, 0);
    Application().OnException = nullptr;
    EXPECT_EQ(reported, u"Fehler im Handler");
    Application().SetTitle(u"Nimbrel");
}

TEST(Win32Widgets, CommonControlsVersionSix) {
    // The manifest in the executable selects the side-by-side common controls of version 6 (with
    // visual styles) over the system folder's version 5; Wine's copy reports 5.81 from
    // DllGetVersion either way, so the library's place tells which one was bound.
    HMODULE comctl = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCWSTR>(&InitCommonControlsEx), &comctl));
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(comctl, path, MAX_PATH), 0u);
    std::wstring lower(path);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"\\winsxs\\"), std::wstring::npos) << lower;
    EXPECT_NE(lower.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos) << lower;
}

TEST(Win32Widgets, SystemImageListIsDrawnButNeverOwned) {
    SHFILEINFOW info{};
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const auto list = static_cast<std::intptr_t>(
        SHGetFileInfoW(windows, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(list, 0);
    const int count = ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(list));
    ASSERT_GT(count, 0);
    {
        TImageList images(nullptr);
        images.BindHandle(list, count);
        EXPECT_TRUE(images.ShareImages());
        // Into a picture in memory: the icon replaces some of the key colour.
        TBitmap picture(16, 16, clFuchsia);
        images.Draw(picture.Canvas(), 0, 0, info.iIcon);
        int changed = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) changed += picture.Pixel(x, y) != clFuchsia;
        EXPECT_GT(changed, 0);
    }
    // The list outlives the component that showed it.
    EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(list)), count);
}

TEST(Win32Widgets, TabKeyFollowsTheTabOrder) {
    TForm form(nullptr);
    form.SetBounds(20, 20, 300, 200);
    TButton* buttons[3];
    const int orders[3] = {2, 0, 1};
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new TButton(&form);
        buttons[i]->SetParent(&form);
        buttons[i]->SetBounds(10, 10 + 30 * i, 75, 25);
        buttons[i]->SetTabOrder(orders[i]);
    }
    auto* plain = new TEdit(&form);  // no tab order: after the others
    plain->SetParent(&form);
    form.Show();
    HWND dialog = WindowOf(form);
    EXPECT_EQ(GetWindow(dialog, GW_CHILD), WindowOf(*buttons[1]));
    EXPECT_EQ(GetNextDlgTabItem(dialog, WindowOf(*buttons[1]), FALSE), WindowOf(*buttons[2]));
    EXPECT_EQ(GetNextDlgTabItem(dialog, WindowOf(*buttons[2]), FALSE), WindowOf(*buttons[0]));
    EXPECT_EQ(GetNextDlgTabItem(dialog, WindowOf(*buttons[0]), FALSE), WindowOf(*plain));
    // A changed order and a control taken out of the Tab key's round.
    buttons[0]->SetTabOrder(0);
    buttons[1]->SetTabOrder(5);
    EXPECT_EQ(GetWindow(dialog, GW_CHILD), WindowOf(*buttons[0]));
    buttons[2]->SetTabStop(false);
    EXPECT_EQ(GetNextDlgTabItem(dialog, WindowOf(*buttons[0]), FALSE), WindowOf(*buttons[1]));
}

namespace {
// A later subclass of a native control (as the shell's path completion puts on an edit).
WNDPROC underTestProc = nullptr;
int testProcDestroys = 0;
LRESULT CALLBACK TestSubclass(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) ++testProcDestroys;
    if (msg == WM_GETTEXTLENGTH) return 99;
    return CallWindowProcW(underTestProc, window, msg, wp, lp);
}
}  // namespace

TEST(Win32Widgets, NativeControlsKeepTheirProcedureChainAndEveryWindowIsCounted) {
    TForm form(nullptr);
    form.SetBounds(20, 20, 300, 200);
    form.Show();
    const long before = ui::win32::HeldObjectCounts().User;
    for (int round = 0; round < 3; ++round) {
        auto* edit = new TEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(8, 8, 120, 23);
        auto* panel = new TCustomControl(&form);
        panel->SetParent(&form);
        panel->SetBounds(8, 40, 120, 40);
        auto* inner = new TButton(panel);
        inner->SetParent(panel);
        inner->SetBounds(4, 4, 60, 25);
        EXPECT_EQ(ui::win32::HeldObjectCounts().User, before + 3);
        HWND window = WindowOf(*edit);
        // Typed text reaches the component through our procedure, then the platform's.
        SendMessageW(window, WM_CHAR, L'ä', 0);
        EXPECT_EQ(edit->Text(), u"ä");
        EXPECT_EQ(ui::win32::WindowPeer::FromHandle(window), edit->Peer());
        // Subclassed again on top of ours: the component goes first, the chain still holds.
        underTestProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestSubclass)));
        SendMessageW(window, WM_CHAR, L'ö', 0);
        EXPECT_EQ(edit->Text(), u"äö");
        const int destroysBefore = testProcDestroys;
        delete edit;
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(testProcDestroys, destroysBefore + 1);
        EXPECT_EQ(ui::win32::WindowPeer::FromHandle(window), nullptr);
        // A panel freed with its child: both windows go, through the destructor and the parent.
        HWND innerWindow = WindowOf(*inner);
        delete panel;
        EXPECT_FALSE(IsWindow(innerWindow));
        EXPECT_EQ(ui::win32::HeldObjectCounts().User, before);
    }
}

namespace {
// What the platform saw while a form was made: the windows created, with the bounds they were
// created at, and every move or resize of one of them afterwards.
struct CreationLog {
    std::vector<std::pair<HWND, RECT>> Created;
    std::vector<HWND> Moved;
};
CreationLog* creationLog = nullptr;
LRESULT CALLBACK RecordCreation(int code, WPARAM wp, LPARAM lp) {
    if (creationLog && code == HCBT_CREATEWND) {
        const CREATESTRUCTW& cs = *reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs;
        if (cs.style & WS_CHILD)
            creationLog->Created.push_back({reinterpret_cast<HWND>(wp), RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy}});
    } else if (creationLog && code == HCBT_MOVESIZE) {
        creationLog->Moved.push_back(reinterpret_cast<HWND>(wp));
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

struct DesignedDialog : TForm {
    DesignedDialog() : TForm(nullptr) {
        BeginLoading();
        SetBorderStyle(bsDialog);
        SetClientSize(320, 140);
        Prompt = new TLabel(this);
        Prompt->SetParent(this);
        Prompt->SetBounds(12, 12, 296, 15);
        Prompt->SetCaption(u"Größe ändern?");
        Remember = new TCheckBox(this);
        Remember->SetParent(this);
        Remember->SetBounds(12, 70, 296, 17);
        Remember->SetCaption(u"Größe merken");
        Ok = new TButton(this);
        Ok->SetParent(this);
        Ok->SetBounds(140, 100, 80, 25);
        Ok->SetCaption(u"OK");
        Ok->SetTabOrder(1);
        NameEdit = new TEdit(this);
        NameEdit->SetParent(this);
        NameEdit->SetBounds(12, 40, 296, 23);
        NameEdit->SetTabOrder(0);
        Cancel = new TButton(this);
        Cancel->SetParent(this);
        Cancel->SetBounds(228, 100, 80, 25);
        Cancel->SetCaption(u"Abbrechen");
        Cancel->SetTabOrder(2);
        // Still loading: no control has a window yet.
        madeWhileLoading = Remember->HandleAllocated() || Ok->HandleAllocated() || NameEdit->HandleAllocated();
        FinishLoading();
    }
    TLabel* Prompt;  // painted by the form: no window
    TCheckBox* Remember;
    TButton* Ok;
    TEdit* NameEdit;
    TButton* Cancel;
    bool madeWhileLoading = true;
};
}  // namespace

TEST(Win32Widgets, ADesignedFormMakesItsWindowsOnceAtTheirBoundsInTabOrder) {
    CreationLog log;
    creationLog = &log;
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DesignedDialog dialog;
    UnhookWindowsHookEx(hook);
    creationLog = nullptr;
    EXPECT_FALSE(dialog.madeWhileLoading);
    // Made in tab order, those without one last, each at its designed bounds and never moved.
    const std::vector<TWinControl*> expected = {dialog.NameEdit, dialog.Ok, dialog.Cancel, dialog.Remember};
    std::vector<HWND> ours;
    for (const auto& [window, rect] : log.Created)
        if (GetParent(window) == WindowOf(dialog)) ours.push_back(window);
    ASSERT_EQ(ours.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ours[i], WindowOf(*expected[i])) << i;
        RECT r{};
        GetWindowRect(ours[i], &r);
        MapWindowPoints(nullptr, WindowOf(dialog), reinterpret_cast<POINT*>(&r), 2);
        const TRect designed = expected[i]->BoundsRect();
        EXPECT_EQ(designed.Left, r.left) << i;
        EXPECT_EQ(designed.Top, r.top) << i;
        EXPECT_EQ(designed.Width(), r.right - r.left) << i;
        EXPECT_EQ(designed.Height(), r.bottom - r.top) << i;
        EXPECT_EQ(std::count(log.Moved.begin(), log.Moved.end(), ours[i]), 0) << i;
    }
    // The windows' order is the Tab key's: the first child is the first stop.
    HWND form = WindowOf(dialog);
    EXPECT_EQ(GetWindow(form, GW_CHILD), WindowOf(*dialog.NameEdit));
    EXPECT_EQ(GetNextDlgTabItem(form, WindowOf(*dialog.NameEdit), FALSE), WindowOf(*dialog.Ok));
    EXPECT_EQ(GetNextDlgTabItem(form, WindowOf(*dialog.Ok), FALSE), WindowOf(*dialog.Cancel));
    // A control added to the made form gets its window at once.
    auto* late = new TButton(&dialog);
    late->SetParent(&dialog);
    EXPECT_TRUE(late->HandleAllocated());
    EXPECT_EQ(GetParent(WindowOf(*late)), form);
}
