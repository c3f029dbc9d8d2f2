// The main window's buttons in a real window: real mouse input, the GDI rendering against the
// portable raster, the size manager under a platform resize, and a screenshot for a person.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/MainWindowDesign.h"
#include "support/TextOut.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/win32/WinHandles.h"
#include "ui/win32/WindowPeer.h"
#include "win32/WinPump.h"

using namespace ui;
using controls::TGraphicButton;
using app::MainWindowForm;
using ui::win32::WindowOf;

namespace {


POINT ScreenCentre(const TWinControl& control) {
    RECT r{};
    GetWindowRect(WindowOf(control), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Real pointer input through the platform's input queue.
void SendMouse(DWORD flags, POINT at = {-1, -1}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (at.x >= 0) {
        input.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof(input));
}

// The window shown on the screen, at a fixed place, with counters on every button.
struct ShownMainWindow {
    ShownMainWindow() {
        form.SetBounds(40, 40, form.Width(), form.Height());
        for (int i = 0; i < 6; ++i) {
            form.Buttons[i]->OnClick = [this, i](TObject*) {
                ++clicks[i];
                heldAtClick = heldAtClick || GetCapture() != nullptr;
            };
            form.Buttons[i]->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ++releases; };
        }
        form.Show();
        UpdateWindow(WindowOf(form));
        Application().ProcessMessages();
    }
    // One real press and release of a button, optionally moving to `releaseAt` before the release.
    void Click(TGraphicButton& button, DWORD down, DWORD up, std::optional<POINT> releaseAt = {}) {
        const int before = releases;
        SendMouse(0, ScreenCentre(button));
        SendMouse(down);
        if (releaseAt) SendMouse(0, *releaseAt);
        SendMouse(up);
        EXPECT_TRUE(PumpUntil([&] { return releases > before; })) << "the release never arrived";
    }
    MainWindowForm form;
    int clicks[6] = {};
    int releases = 0;
    bool heldAtClick = false;  // a click's handler ran while the button still held the mouse
};

// Pixels of a control's client area as its window paints them for printing.
std::unique_ptr<TBitmap> PrintClient(const TWinControl& control) {
    HWND window = WindowOf(control);
    RECT r{};
    GetClientRect(window, &r);
    win32::WindowDc screen(nullptr);
    win32::DibBuffer buffer(screen.Get(), r.right, r.bottom);
    auto out = std::make_unique<TBitmap>(r.right, r.bottom);
    if (!buffer.Valid()) return out;
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Dc()), PRF_CLIENT);
    GdiFlush();
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) out->SetPixel(x, y, win32::SwapRedBlue(buffer.Row(y)[x] & 0xFFFFFF));
    return out;
}

// The same button painted by the portable raster canvas, on its parent's colour.
std::unique_ptr<TBitmap> PaintOnRaster(TGraphicButton& button) {
    auto out = std::make_unique<TBitmap>(button.Width(), button.Height(), ColorToRGB(button.Parent()->Color()));
    button.PaintTo(out->Canvas(), false);
    return out;
}

::testing::AssertionResult SameRing(const std::unique_ptr<TBitmap>& actualPicture,
                                    const std::unique_ptr<TBitmap>& expectedPicture, int depth) {
    const TBitmap& actual = *actualPicture;
    const TBitmap& expected = *expectedPicture;
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x) {
            const bool inRing = x < depth || y < depth || x >= actual.Width() - depth || y >= actual.Height() - depth;
            if (inRing && actual.Pixel(x, y) != expected.Pixel(x, y))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << ": " << std::hex << actual.Pixel(x, y)
                                                     << " instead of " << expected.Pixel(x, y);
        }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(Win32MainWindowButtons, EachCompletedClickIsOneClick) {
    ShownMainWindow w;
    ASSERT_TRUE(IsWindowVisible(WindowOf(w.form)));
    for (int i = 0; i < 6; ++i) {
        w.Click(*w.form.Buttons[i], MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        EXPECT_EQ(w.clicks[i], 1) << "button " << i + 1;
    }
    // The mouse is free when a click is handled: a dialog the click opens gets the pointer.
    EXPECT_FALSE(w.heldAtClick);
    // The press captured the mouse: the release outside still reaches the button, and makes no click.
    TGraphicButton& first = *w.form.Buttons[0];
    const POINT outside{ScreenCentre(first).x, ScreenCentre(first).y - first.Height()};
    w.Click(first, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, outside);
    EXPECT_EQ(w.clicks[0], 1);
    EXPECT_EQ(GetCapture(), nullptr);

    // A right click opens the buttons' popup menu and clicks nothing; a timer ends the menu.
    int popups = 0;
    w.form.PopupMenu1->OnPopup = [&](TObject*) {
        ++popups;
        SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            EndMenu();
        });
    };
    auto* item = new TMenuItem(w.form.PopupMenu1);
    item->SetCaption(u"Öffnen");
    w.form.PopupMenu1->Items().Add(item);
    w.Click(*w.form.Buttons[1], MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return popups > 0; }));
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(w.form.PopupMenu1->PopupComponent(), w.form.Buttons[1]);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(w.clicks[i], 1) << "button " << i + 1;
}

TEST(Win32MainWindowButtons, PrintedFramesMatchTheRaster) {
    ShownMainWindow w;
    // The designed rectangle frame of every button, and the glyphs of the two small ones.
    for (TGraphicButton* button : w.form.Buttons)
        EXPECT_TRUE(SameRing(PrintClient(*button), PaintOnRaster(*button), 3)) << "frame of " << U8(button->Name());
    for (int i : {4, 5}) {
        const auto printed = PrintClient(*w.form.Buttons[i]);
        EXPECT_TRUE(SameRing(printed, PaintOnRaster(*w.form.Buttons[i]), printed->Height() / 2))
            << "glyph button " << i + 1;
    }
    // The other drawn frame styles and the gradient, on the first button.
    TGraphicButton& b = *w.form.Buttons[0];
    for (auto style : {controls::fsBevel, controls::fsDoubleBevel, controls::fsXPButton, controls::fsRectangle}) {
        b.SetFrameStyle(style);
        EXPECT_TRUE(SameRing(PrintClient(b), PaintOnRaster(b), 3)) << "frame style " << style;
    }
    b.SetFrameStyle(controls::fsXPButton);
    b.SetButtonGradient(true);
    const auto gradient = PrintClient(b);
    EXPECT_TRUE(SameRing(gradient, PaintOnRaster(b), 6));
    EXPECT_NE(gradient->Pixel(4, 4), gradient->Pixel(4, b.Height() - 5)) << "the gradient has bands";
}

TEST(Win32MainWindowButtons, PlatformResizeIsLaidOutBySizeManager) {
    ShownMainWindow w;
    const int frameX = w.form.Width() - w.form.ClientWidth(), frameY = w.form.Height() - w.form.ClientHeight();
    ASSERT_EQ(w.form.ClientWidth(), 514);
    SetWindowPos(WindowOf(w.form), nullptr, 0, 0, 614 + frameX, 547 + frameY, SWP_NOMOVE | SWP_NOZORDER);
    Application().ProcessMessages();
    RECT client{};
    GetClientRect(WindowOf(w.form), &client);
    ASSERT_EQ(client.right, 614);
    ASSERT_EQ(client.bottom, 547);
    auto placed = [&](const TWinControl& c) {
        RECT r{};
        GetWindowRect(WindowOf(c), &r);
        MapWindowPoints(nullptr, WindowOf(w.form), reinterpret_cast<POINT*>(&r), 2);
        return TRect{r.left, r.top, r.right, r.bottom};
    };
    EXPECT_EQ(placed(*w.form.ShellTreeView1), Bounds(8, 8, 433, 531));
    EXPECT_EQ(placed(*w.form.Buttons[0]), Bounds(447, 200, 160, 41));
    EXPECT_EQ(placed(*w.form.Buttons[3]), Bounds(447, 352, 160, 41));
    EXPECT_EQ(placed(*w.form.Buttons[4]), Bounds(484, 423, 41, 28));
    EXPECT_EQ(placed(*w.form.Buttons[5]), Bounds(532, 423, 41, 28));
    // The picture and the label are painted by the form in their places.
    EXPECT_EQ(w.form.UserImage->BoundsRect(), Bounds(447, 8, 168, 98));
    EXPECT_EQ(w.form.VersionLabel->BoundsRect(), Bounds(444, 527, 168, 12));
}

TEST(Win32MainWindowButtons, ScreenshotOfTheWindow) {
    ShownMainWindow w;
    RedrawWindow(WindowOf(w.form), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application().ProcessMessages();
    RECT r{};
    GetWindowRect(WindowOf(w.form), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    win32::WindowDc screen(nullptr);
    win32::DibBuffer buffer(screen.Get(), width, height);
    ASSERT_TRUE(buffer.Valid());
    BitBlt(buffer.Dc(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    TBitmap shot(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) shot.SetPixel(x, y, win32::SwapRedBlue(buffer.Row(y)[x] & 0xFFFFFF));

    // What is on the screen is the window: its dark background and a button's grey frame corner.
    POINT origin{0, 0};
    ClientToScreen(WindowOf(w.form), &origin);
    const int cx = origin.x - r.left, cy = origin.y - r.top;
    EXPECT_EQ(shot.Pixel(cx + 345, cy + 170), app::DarkGrey);
    EXPECT_EQ(shot.Pixel(cx + 347, cy + 200), ColorToRGB(clGray));

    const char* folder = std::getenv("NIMBREL_ARTIFACTS");
    if (!folder) GTEST_SKIP() << "NIMBREL_ARTIFACTS is not set: no screenshot written";
    const auto bytes = shot.SaveToBmpBytes();
    std::ofstream out(std::string(folder) + "/main-window-buttons.bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good());
}
