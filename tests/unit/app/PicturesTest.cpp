// The pictures drawn for the main window: what they show, and that each reaches its control in
// one change (a control redraws itself at every change of its picture).
#include <gtest/gtest.h>

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

    for (void (*make)(ui::TBitmap&) : {&MakeArrowGlyph, &MakeDotsGlyph}) {
        ui::TBitmap glyph;
        int glyphChanges = 0;
        glyph.OnChange = [&] { ++glyphChanges; };
        make(glyph);
        EXPECT_EQ(glyphChanges, 1);
        EXPECT_EQ(glyph.Width(), 16);
        EXPECT_EQ(glyph.Pixel(0, 0), ui::clFuchsia);
        EXPECT_EQ(glyph.Pixel(7, 8), ui::clWhite);  // on the arrow's shaft and on the first dot's row
    }
}
