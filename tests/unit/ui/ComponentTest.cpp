#include <gtest/gtest.h>

#include "support/TextOut.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Component.h"
#include "ui/Exceptions.h"
#include "ui/RasterSurface.h"
#include "ui/TextLayout.h"

using namespace ui;

namespace {

struct Watcher : TComponent {
    using TComponent::TComponent;
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove) removed.push_back(c);
    }
    std::vector<TComponent*> removed;
};

struct LoadLog : TComponent {
    LoadLog(TComponent* owner, std::vector<std::u16string>& log) : TComponent(owner), log(log) {}
    void Loaded() override {
        TComponent::Loaded();
        log.push_back(Name());
    }
    std::vector<std::u16string>& log;
};

}  // namespace

TEST(Component, OwnershipNamesAndRemoval) {
    auto* owner = new Watcher(nullptr);
    auto* a = new TComponent(owner);
    a->SetName(u"Alpha");
    auto* b = new TComponent(owner);
    b->SetName(u"Beta");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->FindComponent(u"ALPHA"), a);
    EXPECT_EQ(owner->FindComponent(u"beta"), b);
    EXPECT_EQ(owner->FindComponent(u"Gamma"), nullptr);
    EXPECT_EQ(owner->FindComponent(u""), nullptr);
    EXPECT_THROW(b->SetName(u"alpha"), EComponentError);
    EXPECT_EQ(b->Name(), u"Beta");

    // Freed on its own: leaves the owner, and the owner hears of it.
    delete a;
    EXPECT_EQ(owner->ComponentCount(), 1);
    ASSERT_EQ(owner->removed.size(), 1u);
    EXPECT_EQ(owner->removed[0], a);

    // A watcher without ownership hears of the removal once.
    Watcher outside(nullptr);
    outside.FreeNotification(b);
    delete owner;  // frees b too
    ASSERT_EQ(outside.removed.size(), 1u);
    EXPECT_EQ(outside.removed[0], b);
}

TEST(Component, LoadedRunsInOwnershipOrderThenForTheOwner) {
    std::vector<std::u16string> log;
    LoadLog owner(nullptr, log);
    owner.SetName(u"Form");
    owner.BeginLoading();
    for (const char16_t* n : {u"One", u"Two", u"Three"}) (new LoadLog(&owner, log))->SetName(n);
    EXPECT_TRUE(owner.Components(2)->ComponentState() & csLoading);
    owner.EndLoading();
    EXPECT_EQ(log, (std::vector<std::u16string>{u"One", u"Two", u"Three", u"Form"}));
    EXPECT_FALSE(owner.ComponentState() & csLoading);
    EXPECT_FALSE(owner.Components(0)->ComponentState() & csLoading);
}

TEST(Font, SizeAndHeight) {
    TFont f;
    f.SetHeight(-13);
    EXPECT_EQ(f.Size(), 10);
    for (auto [points, height] : {std::pair{8, -11}, {10, -13}, {12, -16}, {9, -12}}) {
        f.SetSize(points);
        EXPECT_EQ(f.Height(), height) << points;
        EXPECT_EQ(f.Size(), points);
    }
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    f.SetSize(9);  // the size it already has
    EXPECT_EQ(changes, 0);
    f.SetName(u"Segoe UI");
    f.SetColor(clRed);
    EXPECT_EQ(changes, 2);
}

TEST(TextLayout, PrefixesAndWrapping) {
    int underline = 0;
    EXPECT_EQ(StripPrefix(u"&Datei", &underline), u"Datei");
    EXPECT_EQ(underline, 0);
    EXPECT_EQ(StripPrefix(u"A&&B&c", &underline), u"A&Bc");
    EXPECT_EQ(underline, 3);
    EXPECT_EQ(StripPrefix(u"Ende&"), u"Ende");
    EXPECT_EQ(AcceleratorOf(u"A&&B&c"), u'c');
    EXPECT_EQ(AcceleratorOf(u"&&"), 0);

    const auto width = [](const std::u16string& s) { return static_cast<int>(s.size()) * 10; };
    auto l = LayOutText(u"eins zwei drei", Rect(0, 0, 95, 0), dtWordBreak, width, 12);
    ASSERT_EQ(l.Lines.size(), 2u);
    EXPECT_EQ(l.Lines[0].Text, u"eins zwei");
    EXPECT_EQ(l.Lines[1].Text, u"drei");
    EXPECT_EQ(l.Lines[1].Y, 12);
    EXPECT_EQ(l.Width, 90);
    EXPECT_EQ(l.Height, 24);
    // A word wider than the limit stays whole on its own line.
    l = LayOutText(u"a Donaudampfschiff b", Rect(0, 0, 30, 0), dtWordBreak, width, 12);
    ASSERT_EQ(l.Lines.size(), 3u);
    EXPECT_EQ(l.Lines[1].Text, u"Donaudampfschiff");
    // Line breaks, centring, and single-line vertical centring.
    l = LayOutText(u"ab\r\n\r\nc", Rect(0, 0, 100, 0), dtCenter, width, 10);
    ASSERT_EQ(l.Lines.size(), 3u);
    EXPECT_EQ(l.Lines[0].X, 40);
    EXPECT_EQ(l.Lines[2].Y, 20);
    l = LayOutText(u"x\ny", Rect(0, 0, 100, 40), dtSingleLine | dtVCenter | dtRight, width, 10);
    ASSERT_EQ(l.Lines.size(), 1u);
    EXPECT_EQ(l.Lines[0].Text, u"xy");
    EXPECT_EQ(l.Lines[0].X, 80);
    EXPECT_EQ(l.Lines[0].Y, 15);
    EXPECT_TRUE(LayOutText(u"", Rect(0, 0, 10, 10), 0, width, 10).Lines.empty());
}

TEST(Raster, PolylineLeavesOutItsLastPointAndKeysAreTransparent) {
    TBitmap b(10, 10, clWhite);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clRed;
    c.Polyline({{1, 8}, {1, 1}, {8, 1}});
    EXPECT_EQ(b.Pixel(1, 8), clRed);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(7, 1), clRed);
    EXPECT_EQ(b.Pixel(8, 1), clWhite);  // the end point
    c.MoveTo(0, 0);
    c.LineTo(3, 3);  // diagonal
    EXPECT_EQ(b.Pixel(2, 2), clRed);
    EXPECT_EQ(b.Pixel(3, 3), clWhite);
    // Lines beyond the raster are cut, never written outside.
    c.Polyline({{-50, 5}, {60, 5}});
    EXPECT_EQ(b.Pixel(9, 5), clRed);

    TBitmap glyph(3, 2, clFuchsia);
    glyph.SetPixel(1, 0, clBlue);
    glyph.SetPixel(2, 1, clLime);
    TBitmap dest(5, 5, clGray);
    dest.Canvas().DrawPart(1, 1, glyph, Rect(0, 0, 3, 2), clFuchsia);
    EXPECT_EQ(dest.Pixel(1, 1), clGray);
    EXPECT_EQ(dest.Pixel(2, 1), clBlue);
    EXPECT_EQ(dest.Pixel(3, 2), clLime);
    EXPECT_EQ(glyph.Pixel(0, 0), clFuchsia);  // the source is left as it was
    // A part: the right column only, drawn at (0, 0); a source part outside the bitmap is cut.
    dest.Canvas().DrawPart(0, 0, glyph, Rect(2, 0, 5, 2), std::nullopt);
    EXPECT_EQ(dest.Pixel(0, 0), clFuchsia);
    EXPECT_EQ(dest.Pixel(0, 1), clLime);
    EXPECT_EQ(dest.Pixel(1, 0), clGray);
}

TEST(Bitmap, BmpFilesRoundTripAndDamagedOnesAreRefused) {
    TBitmap b(5, 3, clWhite);
    b.SetPixel(0, 0, 0x123456);
    b.SetPixel(4, 2, 0xABCDEF);
    const auto bytes = b.SaveToBmpBytes();
    EXPECT_EQ(bytes.size(), 54u + 3 * 16);  // rows padded to four bytes
    TBitmap back;
    ASSERT_TRUE(back.LoadFromBmpBytes(bytes));
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Pixels(), b.Pixels());
    // The default key is the bottom-left pixel.
    EXPECT_EQ(back.TransparentColor(), clWhite);
    back.SetPixel(0, 2, clRed);
    EXPECT_EQ(back.TransparentColor(), clRed);

    for (std::size_t n : {0u, 2u, 53u, 54u, 100u}) {
        TBitmap x(2, 2, clBlue);
        EXPECT_FALSE(x.LoadFromBmpBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + n))) << n;
        EXPECT_EQ(x.Width(), 2);  // unchanged
    }
    auto huge = bytes;
    huge[18] = 0xFF;
    huge[19] = 0xFF;  // 65535 wide: more pixels than the file holds
    EXPECT_FALSE(TBitmap().LoadFromBmpBytes(huge));
    auto eightBit = bytes;
    eightBit[28] = 8;
    EXPECT_FALSE(TBitmap().LoadFromBmpBytes(eightBit));
}
