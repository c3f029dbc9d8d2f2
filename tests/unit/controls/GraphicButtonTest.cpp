#include <gtest/gtest.h>

#include "controls/GraphicButton.h"
#include "support/TextOut.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"

using namespace ui;
using namespace controls;
using headless::PeerOf;

namespace {

constexpr TColor Face = 0x555555;
constexpr TColor Highlight = 0xFFFFFF;  // headless button highlight
constexpr TColor Shadow = 0xA0A0A0;     // headless button shadow

struct Harness {
    Harness(int width = 160, int height = 41) : form(nullptr) {
        form.SetBorderStyle(bsNone);
        form.SetClientSize(300, 200);
        button = new TGraphicButton(&form);
        button->SetName(u"Button");
        button->SetParent(&form);
        button->SetBounds(0, 0, width, height);
        button->SetColor(Face);
        button->SetCaption(u"");
        button->Font().SetName(u"Segoe UI");
        button->Font().SetHeight(-13);
        button->OnClick = [this](TObject*) { ++clicks; };
        form.Show();  // only a shown form lets its controls take the focus
    }
    headless::HeadlessPeer& peer() { return PeerOf(*button); }
    const TBitmap& paint() {
        peer().Paint();
        return peer().Raster;
    }
    TForm form;
    TGraphicButton* button;
    int clicks = 0;
};

// Compares two rasters and names the first differing pixel.
::testing::AssertionResult SameRaster(const TBitmap& actual, const TBitmap& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.Pixel(x, y) != expected.Pixel(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                     << actual.Pixel(x, y) << ", expected " << expected.Pixel(x, y);
    return ::testing::AssertionSuccess();
}

// Expected bevel built pixel by pixel from the rule: left column and top row in first (with the
// bottom-left corner), right column and bottom row in second (with the top-right corner).
void ExpectBevel(TBitmap& b, int l, int t, int r, int bottom, TColor first, TColor second) {
    for (int y = t; y <= bottom; ++y) b.SetPixel(l, y, first);
    for (int x = l; x < r; ++x) b.SetPixel(x, t, first);
    for (int y = t; y <= bottom; ++y) b.SetPixel(r, y, second);
    for (int x = l + 1; x <= r; ++x) b.SetPixel(x, bottom, second);
}

// The smallest rectangle holding every pixel of that colour.
TRect Extent(const TBitmap& b, TColor c) {
    TRect r{1 << 30, 1 << 30, -1, -1};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r;
}

void SolidGlyph(TBitmap& g, int width, int height, TColor c, TColor key = clFuchsia) {
    g.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) g.SetPixel(x, y, c);
    g.SetPixel(0, 0, key);
}

}  // namespace

TEST(GraphicButton, ConstructorDefaultsAndWriters) {
    TGraphicButton b(nullptr);
    EXPECT_FALSE(b.AllowAllUp());
    EXPECT_TRUE(b.CanClick());
    EXPECT_FALSE(b.Down());
    EXPECT_TRUE(b.UpDownStyle());
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.NumGlyph(), 1);
    EXPECT_EQ(b.SelectColor(), clBtnFace);
    EXPECT_EQ(b.FrameColor(), clBlack);
    EXPECT_EQ(b.SelectFrameColor(), clWhite);
    EXPECT_EQ(b.BevelLight(), clBtnHighlight);
    EXPECT_EQ(b.BevelShadow(), clBtnShadow);
    EXPECT_TRUE(b.Frame());
    EXPECT_EQ(b.FrameStyle(), fsBevel);
    EXPECT_EQ(b.ButtonLight(), 0xAAFFFFu);
    EXPECT_EQ(b.ButtonShadow(), 0x55DFFFu);
    EXPECT_FALSE(b.ButtonGradient());
    EXPECT_EQ(b.Layout(), ltGlyphLeft);
    EXPECT_TRUE(b.ShowCaption());
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(b.Width(), 50);
    EXPECT_EQ(b.Height(), 50);
    EXPECT_FALSE(b.ControlStyle() & csClickEvents);
    EXPECT_TRUE(b.ControlStyle() & csCaptureMouse);

    b.SetDown(true);
    EXPECT_FALSE(b.Down());  // not a toggle button
    b.SetAllowAllUp(true);
    b.SetDown(true);
    EXPECT_TRUE(b.Down());
    b.SetAllowAllUp(false);
    EXPECT_FALSE(b.Down());
    for (int bad : {0, 3, 255}) {
        b.SetNumGlyph(bad);
        EXPECT_EQ(b.NumGlyph(), 1) << bad;
    }
    b.SetNumGlyph(2);
    EXPECT_EQ(b.NumGlyph(), 2);
}

TEST(GraphicButton, ChangesRepaint) {
    Harness h;
    auto& peer = h.peer();
    int before = peer.Invalidations;
    h.button->SetFrameColor(clRed);
    EXPECT_EQ(peer.Invalidations, before + 1);
    h.button->SetFrameColor(clRed);  // same value: nothing
    EXPECT_EQ(peer.Invalidations, before + 1);
    h.button->SetAllowAllUp(true);  // becoming a toggle button does not repaint
    EXPECT_EQ(peer.Invalidations, before + 1);
    before = peer.Invalidations;
    h.button->Font().SetHeight(-20);
    EXPECT_GT(peer.Invalidations, before);
    before = peer.Invalidations;
    h.button->SetCaption(u"Neu");
    EXPECT_GT(peer.Invalidations, before);
    before = peer.Invalidations;
    h.button->SetEnabled(false);
    EXPECT_GT(peer.Invalidations, before);
    before = peer.Invalidations;
    h.button->Glyph().SetSize(4, 4);  // editing a bitmap in place repaints
    EXPECT_GT(peer.Invalidations, before);
}

TEST(GraphicButton, RectangleBevelAndDoubleBevelPixels) {
    Harness h;
    h.button->SetFrameColor(clGray);
    h.button->SetSelectFrameColor(clSilver);
    h.button->SetSelectColor(0x123456);
    h.button->SetFrameStyle(fsRectangle);
    TBitmap expected(160, 41, Face);
    ExpectBevel(expected, 0, 0, 159, 40, clGray, clGray);
    EXPECT_TRUE(SameRaster(h.paint(), expected));

    // The selected look: fill in SelectColor, frame in SelectFrameColor.
    h.button->SetAllowAllUp(true);
    h.button->SetDown(true);
    TBitmap selected(160, 41, 0x123456);
    ExpectBevel(selected, 0, 0, 159, 40, clSilver, clSilver);
    EXPECT_TRUE(SameRaster(h.paint(), selected));
    h.button->SetDown(false);

    h.button->SetFrameStyle(fsBevel);
    TBitmap bevel(160, 41, Face);
    ExpectBevel(bevel, 0, 0, 159, 40, Highlight, Shadow);
    const TBitmap& raster = h.paint();
    EXPECT_TRUE(SameRaster(raster, bevel));
    EXPECT_EQ(raster.Pixel(0, 40), Highlight);  // the corner (L, B) goes with the first colour
    EXPECT_EQ(raster.Pixel(159, 0), Shadow);    // and (R, T) with the second

    h.button->SetDown(true);
    TBitmap bevelDown(160, 41, 0x123456);
    ExpectBevel(bevelDown, 0, 0, 159, 40, Shadow, Highlight);
    EXPECT_TRUE(SameRaster(h.paint(), bevelDown));
    h.button->SetDown(false);

    h.button->SetFrameStyle(fsDoubleBevel);
    TBitmap dbl(160, 41, Face);
    ExpectBevel(dbl, 0, 0, 159, 40, Shadow, Highlight);
    ExpectBevel(dbl, 1, 1, 158, 39, Highlight, Shadow);
    EXPECT_TRUE(SameRaster(h.paint(), dbl));
    h.button->SetDown(true);
    TBitmap dblDown(160, 41, 0x123456);
    ExpectBevel(dblDown, 0, 0, 159, 40, Shadow, Highlight);
    ExpectBevel(dblDown, 1, 1, 158, 39, Shadow, Highlight);
    EXPECT_TRUE(SameRaster(h.paint(), dblDown));
}

// The XP frame by its drawing rule: the corner pixel of each 2 x 2 corner block in the control's
// colour and the block's other three pixels gray; the outer ring black; the inner ring light at the
// top and left, dark at the right and bottom (swapped when selected); the face inside.
TColor XPFrameRule(int x, int y, int W, int H, bool selected, TColor color, TColor face, TColor shade) {
    const bool cornerX = x < 2 || x > W - 3, cornerY = y < 2 || y > H - 3;
    if (cornerX && cornerY) return (x == 0 || x == W - 1) && (y == 0 || y == H - 1) ? color : clGray;
    if (x == 0 || y == 0 || x == W - 1 || y == H - 1) return clBlack;
    if (x == 1 || y == 1) return selected ? shade : clWhite;
    if (x == W - 2 || y == H - 2) return selected ? clWhite : shade;
    return face;
}

TEST(GraphicButton, XPFrameFollowsItsDrawingRule) {
    for (bool selected : {false, true}) {
        for (auto [W, H] : {std::pair{20, 12}, {5, 5}, {41, 17}}) {
            Harness h(W, H);
            h.button->SetFrameStyle(fsXPButton);
            h.button->SetAllowAllUp(true);
            h.button->SetDown(selected);
            TBitmap e(W, H);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) e.SetPixel(x, y, XPFrameRule(x, y, W, H, selected, Face, 0xAAFFFF, 0x55DFFF));
            EXPECT_TRUE(SameRaster(h.paint(), e)) << "selected " << selected << ", " << W << " x " << H;
        }
    }
}

TEST(GraphicButton, GradientStartsWithTheStartColourItself) {
    // A system colour as the start: the first band is the button face, not the colour's raw bytes.
    Harness h;
    h.button->SetFrameStyle(fsXPButton);
    h.button->SetButtonGradient(true);
    h.button->SetButtonLight(clBtnFace);
    h.button->SetButtonShadow(0x000000);
    const TBitmap& r = h.paint();
    EXPECT_EQ(r.Pixel(80, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(r.Pixel(3, 2), ColorToRGB(clBtnFace));
    TBitmap b(2, 2, clWhite);
    DrawGradient(b.Canvas(), Rect(0, 0, 2, 2), clBtnHighlight, 0x000000, 1, true);
    EXPECT_EQ(b.Pixel(0, 0), ColorToRGB(clBtnHighlight));
}

TEST(GraphicButton, GradientBandsRoundHalfToEven) {
    // 0 to 10 in four bands: steps of 2.5 give 0, 2 (2.5 rounds down), 5, 8 (7.5 rounds up).
    TBitmap b(3, 4, clWhite);
    DrawGradient(b.Canvas(), Rect(0, 0, 3, 4), MakeColor(0, 0, 0), MakeColor(10, 0, 0), 1, true);
    const int reds[] = {0, 2, 5, 8};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Pixel(x, y), MakeColor(reds[y], 0, 0)) << x << "," << y;

    // Bands of 3 over 10 columns: four steps, the last one cut to the rectangle.
    TBitmap v(12, 2, clWhite);
    DrawGradient(v.Canvas(), Rect(1, 0, 11, 2), MakeColor(0, 0, 100), MakeColor(0, 0, 0), 3, false);
    EXPECT_EQ(v.Pixel(0, 0), clWhite);
    EXPECT_EQ(v.Pixel(11, 0), clWhite);
    const int blues[] = {100, 100, 100, 75, 75, 75, 50, 50, 50, 25};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(BlueOf(v.Pixel(x + 1, 1)), blues[x]) << x;

    // The XP face: bands of one pixel from ButtonLight towards ButtonShadow, never reaching it.
    Harness h;
    h.button->SetFrameStyle(fsXPButton);
    h.button->SetButtonGradient(true);
    const TBitmap& r = h.paint();
    const int n = 41 - 4;
    for (int k = 0; k < n; ++k) {
        const double g = 0xFF + k * (0xDF - 0xFF) / double(n), bl = 0xAA + k * (0x55 - 0xAA) / double(n);
        const TColor c = r.Pixel(80, 2 + k);
        EXPECT_EQ(RedOf(c), 0xFF);
        EXPECT_NEAR(GreenOf(c), g, 0.5 + 1e-9) << k;
        EXPECT_NEAR(BlueOf(c), bl, 0.5 + 1e-9) << k;
    }
    EXPECT_EQ(r.Pixel(80, 2), 0xAAFFFFu);
    EXPECT_NE(r.Pixel(80, 38), 0x55DFFFu);
}

TEST(GraphicButton, GlyphAndCaptionLayouts) {
    // Caption "Information": 11 characters of 7 pixels, 16 high; glyph 16 x 16.
    struct Case {
        TLayout layout;
        int gx, gy, tx, ty;
    } cases[] = {{ltGlyphLeft, 32, 12, 51, 12},
                 {ltGlyphTop, 72, 3, 41, 22},
                 {ltGlyphRight, 112, 12, 32, 12},
                 {ltGlyphBottom, 72, 22, 41, 3},
                 {ltGlyphCenter, 72, 12, 42, 12}};
    for (const auto& c : cases) {
        Harness h;
        h.button->SetFrame(false);
        h.button->SetCaption(u"Information");
        SolidGlyph(h.button->Glyph(), 16, 16, clBlue);
        h.button->SetLayout(c.layout);
        const TBitmap& r = h.paint();
        const TRect glyph = Extent(r, clBlue);
        // The key pixel (0, 0) is left out; the rest of the glyph is where the layout put it.
        EXPECT_EQ(glyph, Bounds(c.gx, c.gy, 16, 16)) << "layout " << c.layout;
        EXPECT_EQ(r.Pixel(c.gx, c.gy), Face);
        ASSERT_EQ(h.peer().Texts.size(), 1u);
        const auto& t = h.peer().Texts[0];
        EXPECT_EQ(t.Rect, Bounds(c.tx, c.ty, 77, 16)) << "layout " << c.layout;
        EXPECT_EQ(t.Flags & ~dtHidePrefix, dtSingleLine | dtLeft | dtTop);
    }
}

TEST(GraphicButton, SelectedLookShiftsAndUsesSelGlyph) {
    Harness h;
    h.button->SetFrame(false);
    SolidGlyph(h.button->Glyph(), 16, 16, clBlue);
    h.peer().Paint();
    EXPECT_EQ(Extent(h.peer().Raster, clBlue), Bounds(72, 12, 16, 16));
    // A press draws the selected look at once, one pixel right and down.
    h.peer().Press(5, 5);
    EXPECT_EQ(Extent(h.peer().Raster, clBlue), Bounds(73, 13, 16, 16));
    h.peer().Release(5, 5);
    EXPECT_EQ(Extent(h.peer().Raster, clBlue), Bounds(72, 12, 16, 16));

    // Without UpDownStyle no shift; with a SelGlyph that one is shown while pressed.
    h.button->SetUpDownStyle(false);
    SolidGlyph(h.button->SelGlyph(), 10, 10, clLime);
    h.peer().Press(5, 5);
    EXPECT_EQ(Extent(h.peer().Raster, clLime), Bounds(72, 12, 10, 10));
    EXPECT_EQ(Extent(h.peer().Raster, clBlue).Right, -1);
    h.peer().Release(5, 5);

    // A SelGlyph alone is never drawn.
    h.button->Glyph().Assign(nullptr);
    h.peer().Press(5, 5);
    EXPECT_EQ(Extent(h.peer().Raster, clLime).Right, -1);
}

TEST(GraphicButton, TwoGlyphImagesAndDisabledCaption) {
    Harness h;
    h.button->SetCaption(u"Aus");
    TBitmap& g = h.button->Glyph();
    g.SetSize(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) g.SetPixel(x, y, x < 16 ? clBlue : clLime);
    g.SetPixel(0, 0, clFuchsia);  // the key of the whole bitmap
    h.button->SetNumGlyph(2);
    h.button->SetFrame(false);
    const TBitmap& r = h.paint();
    EXPECT_EQ(Extent(r, clBlue).Width(), 16);
    EXPECT_EQ(Extent(r, clLime).Right, -1);
    ASSERT_EQ(h.peer().Texts.size(), 1u);
    EXPECT_EQ(h.peer().Texts[0].Color, 0x000000u);  // the font colour (window text)

    h.button->SetEnabled(false);
    const TBitmap& d = h.paint();
    EXPECT_EQ(Extent(d, clLime).Width(), 16);  // the right half
    EXPECT_EQ(Extent(d, clBlue).Right, -1);
    ASSERT_EQ(h.peer().Texts.size(), 1u);
    EXPECT_EQ(h.peer().Texts[0].Color, clGray);

    // With a frame the disabled caption is embossed: white, then gray one pixel up and left.
    h.button->SetFrame(true);
    h.paint();
    ASSERT_EQ(h.peer().Texts.size(), 2u);
    const auto& white = h.peer().Texts[0];
    const auto& gray = h.peer().Texts[1];
    EXPECT_EQ(white.Color, clWhite);
    EXPECT_EQ(gray.Color, clGray);
    EXPECT_EQ(gray.Rect.Left, white.Rect.Left - 1);
    EXPECT_EQ(gray.Rect.Top, white.Rect.Top - 1);

    // Transparent off: the key pixel is copied too.
    h.button->SetEnabled(true);
    h.button->SetTransparent(false);
    EXPECT_EQ(Extent(h.paint(), clFuchsia).Width(), 1);
}

TEST(GraphicButton, CaptionWithoutGlyphIsAWrappedCentredBlock) {
    Harness h;
    h.button->SetCaption(u"Ordner erstellen");
    h.paint();
    ASSERT_EQ(h.peer().Texts.size(), 1u);
    auto t = h.peer().Texts[0];
    EXPECT_EQ(t.Rect, Rect((160 - 112) / 2, (41 - 16) / 2, 160, 41));
    EXPECT_EQ(t.Flags & ~dtHidePrefix, dtWordBreak | dtLeft | dtTop);

    // Two lines: the block is as wide as its wider line.
    h.button->SetCaption(u"Systemsteuerung oeffnen");
    h.paint();
    t = h.peer().Texts[0];
    ASSERT_EQ(t.Layout.Lines.size(), 2u);
    EXPECT_EQ(t.Rect.Left, (160 - 15 * 7) / 2);
    EXPECT_EQ(t.Rect.Top, (41 - 32) / 2);

    // Tags: X replaces the centred left edge and is not shown.
    h.button->SetCaption(u"<X=10>Hallo");
    h.paint();
    t = h.peer().Texts[0];
    EXPECT_EQ(t.Text, u"Hallo");
    EXPECT_EQ(t.Rect.Left, 10);
    EXPECT_EQ(t.Rect.Top, (41 - 16) / 2);

    // A tag of another name is shown as it is; "<<" stays.
    h.button->SetCaption(u"<Z=3>Hallo");
    h.paint();
    EXPECT_EQ(h.peer().Texts[0].Text, u"<Z=3>Hallo");
    h.button->SetCaption(u"a<<b");
    h.paint();
    EXPECT_EQ(h.peer().Texts[0].Text, u"a<<b");

    // With a glyph, Y replaces the top of the caption rectangle.
    SolidGlyph(h.button->Glyph(), 16, 16, clBlue);
    h.button->SetCaption(u"<y=2>Info");
    h.paint();
    t = h.peer().Texts[0];
    EXPECT_EQ(t.Text, u"Info");
    EXPECT_EQ(t.Rect.Top, 2);
    EXPECT_EQ(t.Rect.Bottom, (41 - 16) / 2 + 16);
}

TEST(GraphicButton, CaptionTagParsing) {
    struct Case {
        const char16_t* caption;
        const char16_t* text;
        bool found;
        std::optional<int> x, y;
    } cases[] = {
        {u"<X=10>Hallo", u"Hallo", true, 10, std::nullopt},
        {u"A<x= 1a2 >B<Y=-1>C", u"ABC", true, 12, std::nullopt},  // cleaned; -1 is not given
        {u"<X=>A", u"A", true, 0, std::nullopt},
        {u"<X=+>A<Y=-7>", u"A", true, 0, -7},
        {u"<Z=5>Hallo", u"Hallo", false, std::nullopt, std::nullopt},
        {u"<Q>abc", u"abc", false, std::nullopt, std::nullopt},
        {u"a<<b<X=1>", u"a<<b", true, 1, std::nullopt},
        {u"<<X=1>", u"<<X=1>", false, std::nullopt, std::nullopt},
        {u"ab<X=5", u"ab", true, 5, std::nullopt},  // runs to the end without ">"
        {u"<X=99999999999>A", u"A", true, std::nullopt, std::nullopt},
        // Far outside any button: held where rectangles built from it cannot overflow.
        {u"<X=-2147483648><Y=2147483647>A", u"A", true, -32767, 32767},
        {u"<X=3><X=4>", u"", true, 4, std::nullopt},
        {u"", u"", false, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const CaptionTags t = ParseCaptionTags(c.caption);
        EXPECT_EQ(t.Text, c.text) << U8(c.caption);
        EXPECT_EQ(t.Found, c.found) << U8(c.caption);
        EXPECT_EQ(t.X, c.x) << U8(c.caption);
        EXPECT_EQ(t.Y, c.y) << U8(c.caption);
    }
}

TEST(GraphicButton, PlainButtonPressSequences) {
    Harness h;
    h.button->SetFrameStyle(fsRectangle);
    h.button->SetSelectColor(0x123456);
    auto& p = h.peer();
    p.Paint();
    const TColor normal = p.Raster.Pixel(80, 20);
    ASSERT_EQ(normal, Face);

    p.Press(10, 10);
    EXPECT_TRUE(h.button->Pressing());
    EXPECT_TRUE(h.button->Selecting());
    EXPECT_EQ(p.Raster.Pixel(80, 20), 0x123456u);  // drawn at once, not through a repaint
    p.MoveTo(200, 10);                               // out
    EXPECT_FALSE(h.button->Selecting());
    EXPECT_EQ(p.Raster.Pixel(80, 20), normal);
    p.MoveTo(159, 40);  // back in (the last pixel inside)
    EXPECT_TRUE(h.button->Selecting());
    EXPECT_EQ(p.Raster.Pixel(80, 20), 0x123456u);
    p.MoveTo(160, 40);  // right edge is outside
    EXPECT_FALSE(h.button->Selecting());
    p.MoveTo(20, 20);
    p.Release(20, 20);
    EXPECT_EQ(h.clicks, 1);
    EXPECT_FALSE(h.button->Pressing());
    EXPECT_EQ(p.Raster.Pixel(80, 20), normal);
    EXPECT_FALSE(h.button->Down());

    // Dragged out and released outside: no click, normal look already restored.
    p.Press(10, 10);
    p.MoveTo(-1, 10);
    p.Release(-1, 10);
    EXPECT_EQ(h.clicks, 1);
    EXPECT_EQ(p.Raster.Pixel(80, 20), normal);

    // Right button: no pressed look, no click; releases of ignored presses do nothing.
    p.Press(10, 10, mbRight);
    EXPECT_FALSE(h.button->Pressing());
    EXPECT_EQ(p.Raster.Pixel(80, 20), normal);
    p.Release(10, 10, mbRight);
    EXPECT_EQ(h.clicks, 1);

    // A release of any button ends a left press.
    p.Press(10, 10);
    p.Release(10, 10, mbRight);
    EXPECT_EQ(h.clicks, 2);

    // Disabled or CanClick off: ignored.
    h.button->SetCanClick(false);
    p.ClickAt(10, 10);
    h.button->SetCanClick(true);
    h.button->SetEnabled(false);
    p.ClickAt(10, 10);
    EXPECT_EQ(h.clicks, 2);

    // The press takes the focus.
    h.button->SetEnabled(true);
    EXPECT_TRUE(h.button->Focused());
}

TEST(GraphicButton, ToggleButtonPressSequences) {
    Harness h;
    h.button->SetFrameStyle(fsRectangle);
    h.button->SetSelectColor(0x123456);
    h.button->SetAllowAllUp(true);
    auto& p = h.peer();
    p.Paint();
    p.ClickAt(5, 5);
    EXPECT_TRUE(h.button->Down());
    EXPECT_EQ(h.clicks, 1);
    EXPECT_EQ(p.Raster.Pixel(80, 20), 0x123456u);  // stays selected, no repaint needed

    // Down and pressed: not redrawn; dragging keeps the down look.
    p.Press(5, 5);
    EXPECT_EQ(p.Raster.Pixel(80, 20), 0x123456u);
    p.MoveTo(500, 5);
    EXPECT_EQ(p.Raster.Pixel(80, 20), 0x123456u);
    p.MoveTo(5, 5);
    p.Release(5, 5);  // normal look at release, Down off, one click
    EXPECT_FALSE(h.button->Down());
    EXPECT_EQ(h.clicks, 2);
    EXPECT_EQ(p.Raster.Pixel(80, 20), Face);

    // A toggle released outside changes nothing.
    p.Press(5, 5);
    p.MoveTo(500, 5);
    p.Release(500, 5);
    EXPECT_FALSE(h.button->Down());
    EXPECT_EQ(h.clicks, 2);
    EXPECT_EQ(p.Raster.Pixel(80, 20), Face);
}

TEST(GraphicButton, FramelessBackgroundsAndEdges) {
    Harness h;
    h.button->SetFrame(false);
    TBitmap back(20, 10, clLime);
    h.button->SetBack(back);
    TBitmap selBack(4, 4, clRed);
    h.button->SetSelBack(selBack);
    const TBitmap& r = h.paint();
    EXPECT_EQ(Extent(r, clLime), Bounds(70, 15, 20, 10));
    EXPECT_EQ(r.Pixel(0, 0), Face);  // no frame
    h.peer().Press(1, 1);
    EXPECT_EQ(Extent(h.peer().Raster, clRed), Bounds(78, 18, 4, 4));
    h.peer().Release(1, 1);

    // The drawn equivalents of the platform's edges: two rings in the 3-D colours.
    h.button->SetFrame(true);
    h.button->SetFrameStyle(fsUpDown);
    const TBitmap& up = h.paint();
    EXPECT_EQ(up.Pixel(0, 0), 0xE3E3E3u);     // 3-D light
    EXPECT_EQ(up.Pixel(1, 1), Highlight);
    EXPECT_EQ(up.Pixel(159, 40), 0x696969u);  // dark shadow
    EXPECT_EQ(up.Pixel(158, 39), Shadow);
    h.button->SetAllowAllUp(true);
    h.button->SetDown(true);
    const TBitmap& sunk = h.paint();
    EXPECT_EQ(sunk.Pixel(0, 0), Shadow);
    EXPECT_EQ(sunk.Pixel(1, 1), 0x696969u);
    h.button->SetFrameStyle(fsComboBox);  // selected: shadow bevel on all four sides
    const TBitmap& combo = h.paint();
    EXPECT_EQ(combo.Pixel(0, 20), Shadow);
    EXPECT_EQ(combo.Pixel(159, 20), Shadow);
    EXPECT_EQ(combo.Pixel(1, 1), 0xF0F0F0u);  // the selected fill inside
    h.button->SetFrameStyle(fsButton);
    h.button->SetDown(false);
    EXPECT_EQ(h.paint().Pixel(80, 20), 0xF0F0F0u);  // the button face
}

TEST(GraphicButton, ExtremeCaptionTagsDrawWithoutOverflow) {
    for (bool glyph : {false, true}) {
        Harness h;
        if (glyph) {
            h.button->Glyph().SetSize(16, 16);
            h.button->Glyph().Canvas().Brush.Color = clRed;
            h.button->Glyph().Canvas().FillRect(Rect(0, 0, 16, 16));
        }
        for (const char16_t* caption : {u"<X=-2147483648>Links", u"<X=2147483647><Y=-2147483648>Rechts"}) {
            h.button->SetCaption(caption);
            h.paint();
            EXPECT_EQ(h.peer().Raster.Pixel(80, 20), Face) << U8(caption);  // the text went off the button
        }
    }
}

TEST(GraphicButton, AcceleratorActivates) {
    Harness h;
    h.button->SetCaption(u"&Info");
    EXPECT_TRUE(h.peer().DialogChar(u'i'));
    EXPECT_EQ(h.clicks, 1);
    EXPECT_FALSE(h.peer().DialogChar(u'x'));
    h.button->SetCaption(u"A&&B");
    EXPECT_FALSE(h.peer().DialogChar(u'b'));
    h.button->SetCaption(u"&Info");
    h.button->SetEnabled(false);  // cannot take the focus
    EXPECT_FALSE(h.peer().DialogChar(u'i'));
    EXPECT_EQ(h.clicks, 1);
    // Letters beyond ASCII match in either case, as the platform's keys do.
    h.button->SetEnabled(true);
    h.button->SetCaption(u"&Übernehmen");
    EXPECT_TRUE(h.peer().DialogChar(u'ü'));
    EXPECT_TRUE(h.peer().DialogChar(u'Ü'));
    h.button->SetCaption(u"Gr&öße");
    EXPECT_TRUE(h.peer().DialogChar(u'Ö'));
    h.button->SetCaption(u"&\u0434\u0430");  // Cyrillic
    EXPECT_TRUE(h.peer().DialogChar(u'\u0414'));
    EXPECT_FALSE(h.peer().DialogChar(u'u'));
    EXPECT_EQ(h.clicks, 5);
}

TEST(GraphicButton, KeysPressTheFocusedButtonAndItsCuesFollowTheKeyboard) {
    Harness h;
    h.button->SetCaption(u"&Ordner erstellen");
    int clicks = 0;
    h.button->OnClick = [&](ui::TObject*) { ++clicks; };
    EXPECT_TRUE(h.button->WantedKeys() & ui::wkEnter);
    h.button->SetFocus();
    h.peer().KeyDown(ui::vkSpace);
    h.peer().KeyDown(ui::vkReturn);
    h.peer().KeyDown(ui::vkReturn, ui::ssCtrl);  // not a press
    EXPECT_EQ(clicks, 2);

    // A mouse user sees no underline and no focus frame; after Alt both show.
    const ui::KeyboardCues kept = ui::headless::HeadlessPeer::ShownCues;
    ui::headless::HeadlessPeer::ShownCues = {false, false};
    const TBitmap& hidden = h.paint();
    ASSERT_EQ(h.peer().Texts.size(), 1u);
    EXPECT_TRUE(h.peer().Texts[0].Flags & dtHidePrefix);
    const TColor caption = ColorToRGB(h.button->Font().Color());
    const TColor inside = hidden.Pixel(3, 21);
    EXPECT_NE(inside, caption);
    EXPECT_TRUE(h.peer().DialogChar(u'o'));
    EXPECT_EQ(clicks, 3);
    const TBitmap& shown = h.paint();
    EXPECT_FALSE(h.peer().Texts[0].Flags & dtHidePrefix);
    EXPECT_EQ(h.peer().Texts[0].Layout.Lines.at(0).Underline, 0);
    // The dotted focus frame: every other pixel of its left edge.
    EXPECT_EQ(shown.Pixel(3, 21), caption);
    EXPECT_EQ(shown.Pixel(3, 22), inside);
    ui::headless::HeadlessPeer::ShownCues = kept;
}
