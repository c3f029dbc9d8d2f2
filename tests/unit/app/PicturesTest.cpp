// The pictures drawn for the main window: what they show, and that each reaches its control in
// one change (a control redraws itself at every change of its picture).
#include <gtest/gtest.h>

#include <algorithm>

#include "app/MainWindowDesign.h"

using namespace app;

TEST(Pictures, TheSilhouetteAndGlyphsArriveWholeOnAKeyBackground) {
    int changes = 0;
    ui::TBitmap user;
    user.OnChange = [&] { ++changes; };
    MakeUserPicture(user);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(user.Width(), 64);
    ASSERT_EQ(user.Height(), 64);
    EXPECT_EQ(user.Pixel(0, 0), ui::clFuchsia);      // the key around the person
    EXPECT_EQ(user.Pixel(32, 20), 0xE8E0D8u);        // the head's middle
    EXPECT_EQ(user.Pixel(32, 34), ui::clFuchsia);    // the gap below the head
    EXPECT_EQ(user.Pixel(32, 55), 0xE8E0D8u);        // the shoulders

    for (void (*make)(ui::TBitmap&, int) : {&MakeArrowGlyph, &MakeDotsGlyph}) {
        ui::TBitmap glyph;
        int glyphChanges = 0;
        glyph.OnChange = [&] { ++glyphChanges; };
        make(glyph, 16);
        EXPECT_EQ(glyphChanges, 1);
        EXPECT_EQ(glyph.Width(), 16);
        EXPECT_EQ(glyph.Pixel(0, 0), ui::clFuchsia);
        EXPECT_EQ(glyph.Pixel(7, 8), ui::clWhite);  // on the arrow's shaft and on the first dot's row
    }
}

namespace {
// The 96-DPI design, pixel by pixel, as it was first drawn.
bool DesignedArrow(int x, int y) { return (y >= 2 && y <= 8 && x >= 7 - (y - 2) && x <= 8 + (y - 2)) || (y >= 9 && y < 14 && x >= 6 && x <= 9); }
bool DesignedDots(int x, int y) {
    for (int dot = 0; dot < 3; ++dot)
        if (y >= 7 && y < 9 && x >= 2 + dot * 5 && x < 4 + dot * 5) return true;
    return false;
}
}  // namespace

TEST(Pictures, EachDensityGetsItsOwnDrawingAndNinetySixTheDesign) {
    ui::TBitmap arrow, dots;
    MakeArrowGlyph(arrow);
    MakeDotsGlyph(dots);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(arrow.Pixel(x, y) == ui::clWhite, DesignedArrow(x, y)) << x << "," << y;
            EXPECT_EQ(dots.Pixel(x, y) == ui::clWhite, DesignedDots(x, y)) << x << "," << y;
        }
    // At 150 %: 24 pixels, the same shapes drawn anew: as much white for the area (2.25 times the
    // design's), but not the design's pixels stretched.
    ui::TBitmap small;
    MakeArrowGlyph(small);
    MakeArrowGlyph(arrow, 24);
    MakeDotsGlyph(dots, 24);
    ASSERT_EQ(arrow.Width(), 24);
    ASSERT_EQ(dots.Height(), 24);
    auto whiteIn = [](const ui::TBitmap& b, int y) {
        int n = 0;
        for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) == ui::clWhite;
        return n;
    };
    int white16 = 0, white24 = 0, unlikeStretched = 0;
    for (int y = 0; y < 16; ++y) white16 += whiteIn(small, y);
    for (int y = 0; y < 24; ++y) {
        white24 += whiteIn(arrow, y);
        for (int x = 0; x < 24; ++x) unlikeStretched += arrow.Pixel(x, y) != small.Pixel(x * 16 / 24, y * 16 / 24);
    }
    EXPECT_NEAR(white24, white16 * 2.25, white16 * 2.25 * 0.1);
    EXPECT_GT(unlikeStretched, 0);
    EXPECT_EQ(arrow.Pixel(12, 17), ui::clWhite);  // the shaft
    EXPECT_EQ(arrow.Pixel(0, 23), ui::clFuchsia);
    EXPECT_EQ(whiteIn(dots, 12), 9);  // three dots of three pixels
    EXPECT_EQ(whiteIn(dots, 9), 0);

    ui::TBitmap user;
    MakeUserPicture(user, 96);
    ASSERT_EQ(user.Width(), 96);
    EXPECT_EQ(user.Pixel(48, 30), 0xE8E0D8u);  // the head's middle
    EXPECT_EQ(user.Pixel(48, 51), ui::clFuchsia);  // the gap below the head
    EXPECT_EQ(user.Pixel(48, 82), 0xE8E0D8u);  // the shoulders
    EXPECT_EQ(user.Pixel(0, 0), ui::clFuchsia);
}

TEST(Pictures, SpeedButtonGlyphsCarryTheirGreyDisabledImageAtEachDensity) {
    for (int size : {16, 24, 32}) {
        ui::TBitmap plus, up, down;
        DrawButtonGlyph(plus, size, PlusShape);
        DrawButtonGlyph(up, size, ArrowUpShape);
        DrawButtonGlyph(down, size, ArrowDownShape);
        ASSERT_EQ(plus.Width(), 2 * size);
        ASSERT_EQ(plus.Height(), size);
        const int mid = size / 2;
        EXPECT_EQ(plus.Pixel(0, size - 1), ui::clFuchsia) << size;  // the key the button leaves out
        EXPECT_EQ(plus.Pixel(mid, mid), ui::clBlack) << size;
        EXPECT_EQ(plus.Pixel(size + mid, mid), ui::clGray) << size;
        // The disabled image's white copy shows below the bar's right end.
        const int barEnd = size * 13 / 16 - 1;
        EXPECT_EQ(plus.Pixel(size + barEnd + 1, mid + size / 16), ui::clWhite) << size;
        // The arrows point their ways: the tip is near the top for up and near the bottom for down.
        EXPECT_EQ(up.Pixel(mid, size * 3 / 16), ui::clBlack) << size;
        EXPECT_EQ(up.Pixel(mid, size * 14 / 16), ui::clFuchsia) << size;
        EXPECT_EQ(down.Pixel(mid, size * 13 / 16), ui::clBlack) << size;
        EXPECT_EQ(down.Pixel(mid, size * 1 / 16), ui::clFuchsia) << size;
    }
}
