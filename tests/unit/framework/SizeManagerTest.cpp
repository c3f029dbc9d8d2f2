#include <gtest/gtest.h>

#include "framework/DataStream.h"
#include "framework/SizeManager.h"
#include "app/MainWindowDesign.h"
#include "support/TextOut.h"
#include "ui/Exceptions.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"

using namespace ui;
using framework::TSizeManager;

namespace {

// A form with named plain controls and a size manager loaded from the given lines.
class TableForm : public TForm {
public:
    explicit TableForm(std::initializer_list<const char16_t*> lines, bool finish = true) : TForm(nullptr) {
        BeginLoading();
        SetBorderStyle(bsSingle);
        SetClientSize(200, 100);
        for (const char16_t* name : {u"A", u"B", u"C"}) {
            auto* c = new TCustomControl(this);
            c->SetName(name);
            c->SetParent(this);
            c->SetBounds(10, 20, 30, 40);
        }
        Orphan = new TCustomControl(this);
        Orphan->SetName(u"Orphan");
        Timer = new TTimer(this);
        Timer->SetName(u"T");
        Manager = new TSizeManager(this);
        TStringList table;
        for (const char16_t* line : lines) table.Add(line);
        std::vector<std::uint8_t> data;
        framework::WriteDataList(table, data);
        std::size_t pos = 0;
        Manager->ReadData(data, pos);
        if (finish) FinishLoading();
    }
    void Finish() { FinishLoading(); }
    TControl* Ctl(const char16_t* name) { return dynamic_cast<TControl*>(FindComponent(name)); }
    TCustomControl* Orphan;
    TTimer* Timer;
    TSizeManager* Manager;
};

}  // namespace

TEST(SizeManager, MainWindowGrowsByHundredAndFifty) {
    app::MainWindowForm form;
    ASSERT_EQ(form.ClientWidth(), 514);
    ASSERT_EQ(form.ClientHeight(), 497);
    form.SetClientSize(614, 547);
    auto at = [&](const char16_t* name) { return dynamic_cast<TControl*>(form.FindComponent(name))->BoundsRect(); };
    EXPECT_EQ(at(u"ShellTreeView1"), Bounds(8, 8, 433, 531));
    for (const char16_t* name : {u"GraphicButton1", u"GraphicButton2", u"GraphicButton3", u"GraphicButton4"}) {
        EXPECT_EQ(at(name).Left, 447) << U8(name);
        EXPECT_EQ(at(name).Width(), 160) << U8(name);
        EXPECT_EQ(at(name).Height(), 41) << U8(name);
    }
    EXPECT_EQ(at(u"GraphicButton1").Top, 200);
    EXPECT_EQ(at(u"GraphicButton4").Top, 352);
    EXPECT_EQ(at(u"GraphicButton5"), Bounds(484, 423, 41, 28));
    EXPECT_EQ(at(u"GraphicButton6"), Bounds(532, 423, 41, 28));
    // The negative right margin puts the picture one pixel past the client edge.
    EXPECT_EQ(at(u"UserImage"), Bounds(447, 8, 168, 98));
    EXPECT_EQ(at(u"UserImage").Right, 615);
    EXPECT_EQ(at(u"UserLabel"), Bounds(444, 112, 168, 41));
    EXPECT_EQ(at(u"VersionLabel"), Bounds(444, 527, 168, 12));

    // A user resize of the window lays out the same way, and back to the design.
    headless::PeerOf(form).UserSetBounds(Bounds(0, 0, 514 + headless::FrameWidth, 497 + headless::FrameHeight));
    EXPECT_EQ(at(u"ShellTreeView1"), Bounds(8, 8, 333, 481));
    EXPECT_EQ(at(u"GraphicButton6"), Bounds(432, 423, 41, 28));
    EXPECT_EQ(at(u"VersionLabel"), Bounds(344, 477, 168, 12));
}

TEST(SizeManager, ParsesOnceAndDropsMalformedLines) {
    TableForm form({u"A\t1\t0\t0\t0\t1\t2\t3\t4", u"no tab at all", u"B\t0\t0\t1\t0\t5\t6", u"C\t0\t0\t1\t1\t1\t2\t3\t4\t",
                    u"T\t0\t0\t0\t0", u"Missing\tx\t0\t0\t0\t1\t2\t3\t4", u"A\t\t0\t0\t0"});
    const TStrings& s = form.Manager->Strings();
    ASSERT_EQ(s.Count(), 5);
    EXPECT_EQ(s.Strings(0), u"A");
    EXPECT_EQ(s.Strings(1), u"C");  // a final TAB adds no empty field: 9 fields
    EXPECT_EQ(s.Strings(2), u"T");
    EXPECT_EQ(s.Strings(3), u"Missing");
    EXPECT_EQ(s.Strings(4), u"A");
    const auto* a = form.Manager->Item(0);
    EXPECT_TRUE(a->ScaleH);
    EXPECT_FALSE(a->ScaleV);
    EXPECT_EQ(a->Rect, Rect(1, 3, 2, 4));  // fields in the order left, right, top, bottom
    // Flag text other than exactly "0" counts as set, an empty one too.
    EXPECT_TRUE(form.Manager->Item(3)->ScaleH);
    EXPECT_TRUE(form.Manager->Item(4)->ScaleH);
    // Names of no control keep zero margins.
    EXPECT_EQ(form.Manager->Item(2)->Rect, TRect{});
    EXPECT_EQ(form.Manager->Item(3)->Rect, TRect{});
}

TEST(SizeManager, LayoutRules) {
    TableForm form({u"A\t1\t0\t0\t0\t0\t0\t0\t0", u"B\t0\t1\t0\t1\t0\t0\t5\t7", u"C\t0\t0\t0\t0\t1\t1\t1\t1",
                    u"Orphan\t1\t1\t1\t1\t0\t0\t0\t0", u"T\t1\t1\t1\t1"});
    form.Manager->ResizeForm();
    // Only ScaleH with zero margins: exactly the parent's client width; nothing else moves.
    EXPECT_EQ(form.Ctl(u"A")->BoundsRect(), Bounds(10, 20, 200, 40));
    // Height stretched, then the new height places the top.
    EXPECT_EQ(form.Ctl(u"B")->BoundsRect(), Bounds(10, 100 - 88 - 7, 30, 100 - 5 - 7));
    // No flag set: margins are never used.
    EXPECT_EQ(form.Ctl(u"C")->BoundsRect(), Bounds(10, 20, 30, 40));
    // A control without a parent and a non-control are skipped.
    EXPECT_EQ(form.Orphan->BoundsRect(), Bounds(0, 0, 0, 0));
}

TEST(SizeManager, OnSizeSeesComputedBoundsAndOnlyFlaggedOnesApply) {
    TableForm form({u"A\t0\t0\t1\t0\t10\t20\t0\t0"});
    int calls = 0;
    form.Manager->OnSize = [&](TObject* sender, TControl* control, int& L, int& T, int& W, int& H) {
        ++calls;
        EXPECT_EQ(sender, form.Manager);
        EXPECT_EQ(control, form.Ctl(u"A"));
        EXPECT_EQ(L, 200 - 30 - 20);
        EXPECT_EQ(T, 20);
        EXPECT_EQ(W, 30);
        EXPECT_EQ(H, 40);
        W = 99;  // not applied: ScaleH is off
        L += 1;
    };
    form.Manager->ResizeForm();
    EXPECT_EQ(calls, 1);
    // The left edge was computed from the old width; the changed width is dropped.
    EXPECT_EQ(form.Ctl(u"A")->BoundsRect(), Bounds(151, 20, 30, 40));
}

TEST(SizeManager, BadMarginFailsTheLoadWithTheConversionError) {
    TableForm form({u"A\t1\t0\t0\t0\t8\tzwölf\t0\t0"}, false);
    try {
        form.Finish();
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'zwölf' ist kein gültiger Integerwert");
    }
    for (const char16_t* bad : {u"", u" 8", u"8 ", u"2147483648", u"-2147483649", u"1e3", u"0x10"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << U8(bad);
    EXPECT_EQ(StrToInt(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt(u"+17"), 17);
}

TEST(SizeManager, StringsAtRunTimeAndAssignment) {
    TableForm form({u"A\t1\t0\t0\t0\t0\t0\t0\t0"});
    TStringList other;
    other.Add(u"B\t1\t1\t1\t1\t0\t0\t0\t0");
    form.Manager->SetStrings(other);  // ignored at run time
    ASSERT_EQ(form.Manager->Strings().Count(), 1);
    EXPECT_EQ(form.Manager->Strings().Strings(0), u"A");

    TSizeManager designed(nullptr);
    designed.SetDesigning(true);
    designed.SetStrings(other);
    EXPECT_EQ(designed.Strings().Count(), 1);
    EXPECT_EQ(designed.Strings().Strings(0), other.Strings(0));

    // From and to string lists and other managers: lines only.
    TStringList out;
    out.Assign(form.Manager);
    ASSERT_EQ(out.Count(), 1);
    EXPECT_EQ(out.Strings(0), u"A");
    designed.Assign(form.Manager);
    EXPECT_EQ(designed.Strings().Strings(0), u"A");
    designed.Assign(&other);
    EXPECT_EQ(designed.Strings().Strings(0), other.Strings(0));

    TFont font;
    try {
        designed.Assign(&font);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"TFont kann nicht zu TSizeManager zugewiesen werden");
    }
    try {
        designed.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"nil kann nicht zu TSizeManager zugewiesen werden");
    }
    try {
        font.Assign(form.Manager);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"TSizeManager kann nicht zu TFont zugewiesen werden");
    }
}

TEST(DataList, BytesRoundTripAndDamagedInput) {
    TStringList lines;
    lines.Add(u"A\t0");
    lines.Add(u"");
    lines.Add(std::u16string(300, u'x'));
    std::vector<std::uint8_t> bytes;
    framework::WriteDataList(lines, bytes);
    const std::vector<std::uint8_t> head = {1, 6, 3, 'A', '\t', '0', 6, 0, 12, 44, 1, 0, 0};
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + head.size()), head);
    EXPECT_EQ(bytes.back(), 0);

    TStringList back;
    std::size_t pos = 0;
    ASSERT_TRUE(framework::ReadDataList(bytes, pos, back));
    EXPECT_EQ(pos, bytes.size());
    ASSERT_EQ(back.Count(), 3);
    EXPECT_EQ(back.Strings(2), lines.Strings(2));

    // Every cut-off prefix fails without reading past the bytes.
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + n);
        std::size_t p = 0;
        EXPECT_FALSE(framework::ReadDataList(cut, p, back)) << n;
        EXPECT_EQ(p, 0u);
    }
    std::size_t p = 0;
    EXPECT_FALSE(framework::ReadDataList({1, 2, 0}, p, back));  // a value of another type
    p = 0;
    EXPECT_FALSE(framework::ReadDataList({1, 12, 255, 255, 255, 255, 0}, p, back));  // length past the end
}

TEST(SizeManager, DataStoredAgainstAncestor) {
    TSizeManager a(nullptr), b(nullptr);
    a.SetDesigning(true);
    b.SetDesigning(true);
    EXPECT_FALSE(a.DataStored(nullptr));
    TStringList lines;
    lines.Add(u"Name\t0\t0\t0\t0");
    a.SetStrings(lines);
    EXPECT_TRUE(a.DataStored(nullptr));
    EXPECT_TRUE(a.DataStored(&b));
    lines.SetString(0, u"NAME\t0\t0\t0\t0");
    b.SetStrings(lines);
    EXPECT_FALSE(a.DataStored(&b));  // equal but for case
    lines.Add(u"x");
    b.SetStrings(lines);
    EXPECT_TRUE(a.DataStored(&b));
    TSizeManager empty(nullptr);
    EXPECT_FALSE(empty.DataStored(&a));
}

TEST(SizeManager, MarginsAtTheEndsOfTheRangeLayOutWithoutOverflow) {
    TableForm form({u"A\t1\t1\t0\t0\t-2147483648\t-2147483648\t-2147483648\t-2147483648",
                    u"B\t1\t1\t1\t1\t2147483647\t2147483647\t2147483647\t2147483647",
                    u"C\t0\t0\t1\t1\t-2147483648\t2147483647\t-2147483648\t2147483647"});
    form.SetClientSize(300, 200);
    form.Manager->ResizeForm();
    // Stretched by the largest margins the width saturates instead of wrapping round.
    EXPECT_EQ(form.Ctl(u"A")->Width(), 2147483647);
    EXPECT_EQ(form.Ctl(u"A")->Height(), 2147483647);
    // Margins larger than the window leave nothing: a control is never narrower than nothing.
    EXPECT_EQ(form.Ctl(u"B")->Width(), 0);
    EXPECT_EQ(form.Ctl(u"B")->Left(), 301);  // 300 - (300 - 2 x max) - max, in 64 bits
    EXPECT_EQ(form.Ctl(u"C")->Left(), 300 - 30 - 2147483647);
}
