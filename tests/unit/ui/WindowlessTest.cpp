// Controls without widgets of their own: drawn by their parent in their place and clipped to it,
// handed the mouse over their place, and dropped on.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/Bitmap.h"
#include "ui/DragSession.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/RasterSurface.h"
#include "ui/StdCtrls.h"
#include "ui/headless/HeadlessBackend.h"

using namespace ui;
using headless::Headless;
using headless::PeerOf;

namespace {
constexpr TColor Paper = 0x00EEEEEE;

// A parent that paints itself: a light field with a dark frame line along its top.
struct Panel : TCustomControl {
    explicit Panel(TComponent* owner) : TCustomControl(owner) {}

protected:
    void Paint() override {
        Canvas().Brush.Color = Paper;
        Canvas().FillRect(ClientRect());
        Canvas().Pen.Color = clBlack;
        Canvas().MoveTo(0, 0);
        Canvas().LineTo(ClientWidth(), 0);
    }
};

// A windowless control that fills its whole place, and records what the mouse did to it.
struct Block : TGraphicControl {
    Block(TComponent* owner, TColor color) : TGraphicControl(owner) { SetColor(color); }
    std::vector<std::string> Heard;

protected:
    void Paint() override {
        Canvas().Brush.Color = Color();
        // Deliberately larger than its place: the part clips it.
        Canvas().FillRect(Rect(-50, -50, Width() + 50, Height() + 50));
    }
    void MouseDown(TMouseButton, TShiftState, int x, int y) override { Heard.push_back("down " + At(x, y)); }
    void MouseMove(TShiftState, int x, int y) override { Heard.push_back("move " + At(x, y)); }
    void MouseUp(TMouseButton, TShiftState, int x, int y) override { Heard.push_back("up " + At(x, y)); }
    void MouseLeave() override { Heard.push_back("leave"); }
    void CaptureLost() override { Heard.push_back("lost"); }

private:
    static std::string At(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

struct Scene : TForm {
    Scene() : TForm(nullptr) {
        SetBorderStyle(bsNone);
        SetBounds(100, 50, 400, 300);
        Host = new Panel(this);
        Host->SetParent(this);
        Host->SetBounds(10, 10, 200, 150);
        Red = Add(0x000000FF, 20, 20);
        Blue = Add(0x00FF0000, 50, 30);  // put on later: over Red where they overlap
        Show();
    }
    Block* Add(TColor color, int left, int top) {
        auto* b = new Block(this, color);
        b->SetParent(Host);
        b->SetBounds(left, top, 40, 30);
        return b;
    }
    Panel* Host;
    Block* Red;
    Block* Blue;
};
}  // namespace

TEST(Windowless, APartOfARasterMovesTheOriginAndClipsEveryKindOfDrawing) {
    TBitmap bitmap;
    bitmap.SetSize(40, 30);
    BitmapSurface surface(bitmap);
    surface.FillRect(Rect(0, 0, 40, 30), clWhite);
    surface.BeginPart(Rect(10, 5, 30, 25));
    surface.FillRect(Rect(-100, -100, 100, 100), 0x000000FF);
    surface.Polyline({{-5, 2}, {50, 2}}, clBlack, 1);  // a line right through it
    surface.SetPixel(25, 0, clBlack);                   // beyond its right edge: nothing
    EXPECT_EQ(surface.GetPixel(0, 0), 0x000000FFu);     // read where it is drawn
    TRect text = Rect(1, 1, 15, 10);
    TFont font;
    surface.DrawText(font, clBlack, std::nullopt, u"Hi", text, 0);
    // A part inside the part: offsets add up, clips narrow.
    surface.BeginPart(Rect(15, 15, 40, 40));
    surface.FillRect(Rect(0, 0, 100, 100), 0x0000FF00);
    surface.EndPart();
    surface.EndPart();
    surface.SetPixel(0, 0, clBlack);  // the whole surface again

    EXPECT_EQ(bitmap.Pixel(9, 5), clWhite);
    EXPECT_EQ(bitmap.Pixel(10, 5), 0x000000FFu);
    EXPECT_EQ(bitmap.Pixel(29, 24), 0x0000FF00u);
    EXPECT_EQ(bitmap.Pixel(30, 24), clWhite);
    EXPECT_EQ(bitmap.Pixel(29, 25), clWhite);
    EXPECT_EQ(bitmap.Pixel(24, 19), 0x000000FFu);  // just outside the inner part
    EXPECT_EQ(bitmap.Pixel(25, 20), 0x0000FF00u);  // its first pixel
    EXPECT_EQ(bitmap.Pixel(9, 7), clWhite);        // the line stops at the part's edges
    EXPECT_EQ(bitmap.Pixel(10, 7), clBlack);
    EXPECT_EQ(bitmap.Pixel(29, 7), clBlack);
    EXPECT_EQ(bitmap.Pixel(30, 7), clWhite);
    EXPECT_EQ(bitmap.Pixel(35, 5), clWhite);
    EXPECT_EQ(bitmap.Pixel(0, 0), clBlack);
    ASSERT_EQ(surface.Texts.size(), 1u);
    EXPECT_EQ(surface.Texts[0].Rect, Rect(11, 6, 25, 15));  // where it landed
    ASSERT_EQ(surface.Texts[0].Layout.Lines.size(), 1u);
    EXPECT_EQ(surface.Texts[0].Layout.Lines[0].X, 11);
    surface.EndPart();  // one too many: no effect
    surface.SetPixel(1, 0, clBlack);
    EXPECT_EQ(bitmap.Pixel(1, 0), clBlack);
}

TEST(Windowless, ChildrenArePaintedOverTheirParentInTheirPlacesLastOnTopAndOnlyWhenVisible) {
    Scene s;
    EXPECT_TRUE(s.Red->Showing());
    EXPECT_TRUE(std::none_of(Headless().Peers.begin(), Headless().Peers.end(),
                             [&](const auto* p) { return static_cast<const TControl*>(&p->Control) == s.Red; }));
    auto& host = PeerOf(*s.Host);
    host.Paint();
    EXPECT_EQ(host.Raster.Pixel(19, 20), Paper);  // left of Red: the panel's own
    EXPECT_EQ(host.Raster.Pixel(20, 20), 0x000000FFu);
    EXPECT_EQ(host.Raster.Pixel(49, 49), 0x000000FFu);  // Red's last row
    EXPECT_EQ(host.Raster.Pixel(20, 50), Paper);        // below it
    EXPECT_EQ(host.Raster.Pixel(55, 35), 0x00FF0000u);  // overlap: Blue, put on later
    EXPECT_EQ(host.Raster.Pixel(5, 0), clBlack);        // the panel's own line is not covered
    s.Blue->SetVisible(false);
    host.Paint();
    EXPECT_EQ(host.Raster.Pixel(55, 35), 0x000000FFu);
    EXPECT_EQ(host.Raster.Pixel(85, 45), Paper);

    // A transparent picture leaves the parent's painting around its keyed pixels.
    auto* image = new TImage(&s);
    image->SetParent(s.Host);
    image->SetBounds(100, 100, 4, 4);
    image->Picture().SetSize(4, 4);
    image->Picture().Canvas().Brush.Color = clFuchsia;
    image->Picture().Canvas().FillRect(Rect(0, 0, 4, 4));
    image->Picture().SetPixel(1, 1, clBlack);
    image->SetTransparent(true);
    image->Picture().SetTransparentColor(clFuchsia);
    host.Paint();
    EXPECT_EQ(host.Raster.Pixel(100, 100), Paper);
    EXPECT_EQ(host.Raster.Pixel(101, 101), clBlack);
}

TEST(Windowless, TheMouseGoesToTheChildUnderItAndStaysWithAPressedOne) {
    Scene s;
    auto& host = PeerOf(*s.Host);
    std::vector<TPoint> hostMoves;
    s.Host->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { hostMoves.push_back({x, y}); };
    host.MoveTo(5, 5);
    host.MoveTo(25, 25);  // onto Red
    host.MoveTo(26, 25);
    host.MoveTo(5, 5);  // off it again
    EXPECT_EQ(s.Red->Heard, (std::vector<std::string>{"move 5,5", "move 6,5", "leave"}));
    EXPECT_EQ(hostMoves.size(), 2u);
    // Pressed on Red, the moves and the release stay with it, wherever the pointer goes.
    s.Red->Heard.clear();
    host.Press(30, 30);
    host.MoveTo(150, 140);
    host.Release(150, 140);
    EXPECT_EQ(s.Red->Heard, (std::vector<std::string>{"down 10,10", "move 130,120", "up 130,120"}));
    EXPECT_TRUE(s.Blue->Heard.empty());
    // The pointer leaving the panel leaves the child it was over; a lost capture ends a press.
    s.Red->Heard.clear();
    host.MoveTo(25, 25);
    host.Leave();
    host.Press(25, 25);
    host.LoseCapture();
    host.Release(25, 25);
    EXPECT_EQ(s.Red->Heard, (std::vector<std::string>{"move 5,5", "leave", "down 5,5", "lost", "up 5,5"}));
    // A child freed while it holds the mouse: the rest goes to the parent.
    std::vector<TPoint> hostReleases;
    s.Host->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) { hostReleases.push_back({x, y}); };
    host.Press(25, 25);
    delete s.Red;
    host.MoveTo(26, 26);
    host.Release(26, 26);
    EXPECT_EQ(hostReleases, (std::vector<TPoint>{{26, 26}}));
    // A disabled child lets the mouse through to its parent.
    s.Blue->SetEnabled(false);
    host.ClickAt(60, 40);
    EXPECT_TRUE(s.Blue->Heard.empty());
}

TEST(Windowless, ADragOverAChildWithoutAWidgetIsThatChildsInItsCoordinates) {
    Scene s;
    auto* source = new TCustomControl(&s);
    source->SetParent(&s);
    source->SetBounds(250, 10, 100, 100);
    source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        Headless().Cursor = source->ClientToScreen({x, y});
        source->BeginDrag(true);
    };
    std::vector<TPoint> overs, drops;
    s.Blue->OnDragOver = [&](TObject*, TObject* from, int x, int y, TDragState, bool& accept) {
        overs.push_back({x, y});
        accept = from == source;
    };
    s.Blue->OnDragDrop = [&](TObject*, TObject*, int x, int y) { drops.push_back({x, y}); };
    auto& peer = PeerOf(*source);
    peer.Press(10, 10);
    // Blue's (5, 6), from the source's client area.
    const TPoint screen = s.Blue->ClientToScreen({5, 6});
    const TPoint at = source->ScreenToClient(screen);
    Headless().Cursor = screen;
    peer.MoveTo(at.X, at.Y);
    EXPECT_EQ(DragSession::Target(), s.Blue);
    peer.Release(at.X, at.Y);
    ASSERT_FALSE(overs.empty());
    EXPECT_TRUE(std::all_of(overs.begin(), overs.end(), [](TPoint p) { return p == TPoint{5, 6}; }));
    EXPECT_EQ(drops, (std::vector<TPoint>{{5, 6}}));
}
