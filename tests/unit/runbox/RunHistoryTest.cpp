// The run box's history: order, the same command in another letter case, the limit of 26, and
// stores damaged in every way the registry allows, read as far as they are sound.
#include <gtest/gtest.h>

#include "runbox/RunForm.h"
#include "runbox/RunHistory.h"
#include "support/ScopedRegistry.h"

using namespace runbox;
using Commands = std::vector<std::u16string>;

TEST(RunHistory, MostRecentFirstOnceWithoutLetterCaseAndAtMost26) {
    RunHistory history;
    history.Add(u"notepad");
    history.Add(u"calc");
    history.Add(u"NOTEPAD");
    EXPECT_EQ(history.Commands(), (Commands{u"NOTEPAD", u"calc"}));
    for (const char16_t* bad : {u"", u"   ", u"zwei\r\nzeilen", u"a\nb"}) history.Add(bad);
    history.Add(std::u16string(RunHistory::LongestCommand + 1, u'x'));
    EXPECT_EQ(history.Commands().size(), 2u);
    history.Add(u"Größe ändern");
    history.Add(u"GRÖSSE ändern");  // another text, not another case of the same
    EXPECT_EQ(history.Commands().size(), 4u);
    for (int i = 0; i < 30; ++i) history.Add(u"cmd" + std::u16string(1, char16_t(u'A' + i)));
    ASSERT_EQ(history.Commands().size(), 26u);
    EXPECT_EQ(history.Commands().front(), u"cmd^");  // the 30th
    EXPECT_EQ(history.Commands().back(), u"cmdE");   // the oldest four went, and all before them
}

TEST(RunHistory, StoredAndReadBackAndDamagedStoresReadAsFarAsSound) {
    ScopedRegistry registry;
    const std::u16string key = u"Software\\Test\\Run";
    RunHistory history;
    history.Add(u"eins");
    history.Add(u"zwei");
    history.Add(u"drei");
    ASSERT_TRUE(history.Save(key));
    RunHistory read;
    read.Load(key);
    EXPECT_EQ(read.Commands(), (Commands{u"drei", u"zwei", u"eins"}));

    // Damaged: letters out of range, repeated, naming nothing, a number, line breaks, a command of
    // 100,000 characters, the same command twice in other cases.
    const auto put = [&](const std::u16string& name, const platform::RegValue& value) {
        registry.Put(platform::RootKey::CurrentUser, key, name, value);
    };
    put(u"MRUList", platform::StringValue(u"cA?aqbdxefghc"));
    put(u"a", platform::StringValue(u"gut"));
    put(u"b", platform::RegValue{platform::RegDword, {1, 0, 0, 0}});
    put(u"c", platform::StringValue(u"auch gut"));
    put(u"d", platform::StringValue(u"zwei\r\nzeilen"));
    put(u"e", platform::StringValue(std::u16string(100000, u'x')));
    put(u"f", platform::StringValue(u"GUT"));
    put(u"g", platform::StringValue(u"%WINDIR%\\x", platform::RegExpandSz));
    put(u"h", platform::RegValue{platform::RegSz, {0x41}});  // one byte: no character
    read.Load(key);
    EXPECT_EQ(read.Commands(), (Commands{u"auch gut", u"gut", u"%WINDIR%\\x"}));
    // An order of another type, and no key at all: an empty history.
    put(u"MRUList", platform::RegValue{platform::RegBinary, {0x61, 0}});
    read.Load(key);
    EXPECT_TRUE(read.Commands().empty());
    read.Load(u"Software\\Nichts\\Run");
    EXPECT_TRUE(read.Commands().empty());
}

TEST(RunHistory, TheBoxOpensAtTheLowerLeftOfAWorkArea) {
    EXPECT_EQ(LowerLeftCorner(ui::Rect(0, 0, 1280, 984), 400, 200, 12), (ui::TPoint{12, 772}));
    EXPECT_EQ(LowerLeftCorner(ui::Rect(1280, 40, 2560, 1064), 400, 200, 12), (ui::TPoint{1292, 852}));
    // A work area smaller than the box: its top left corner.
    EXPECT_EQ(LowerLeftCorner(ui::Rect(0, 0, 300, 100), 400, 200, 12), (ui::TPoint{0, 0}));
}
