#include <gtest/gtest.h>

#include "support/TextOut.h"
#include "util/Utils.h"

using namespace util;

TEST(EnsureTrailingBackslash, AddsOnlyWhenMissing) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:", u"C:\\"}, {u"C:\\", u"C:\\"}, {u"", u"\\"}, {u"C:\\Temp", u"C:\\Temp\\"}, {u"\\\\", u"\\\\"}};
    for (auto& [in, out] : cases) EXPECT_EQ(EnsureTrailingBackslash(in), out) << U8(in);
}

TEST(TrimTrailingBackslash, KeepsRootsAndTrimsOne) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\", u"C:\\"},        {u"\\\\", u"\\\\"}, {u"C:\\Temp\\", u"C:\\Temp"}, {u"C:\\\\", u"C:\\"},
        {u"", u""},                {u"\\", u""},       {u"C:\\Temp", u"C:\\Temp"},   {u"\\\\\\", u"\\\\"},
        {u"AB\\", u"AB"},          {u"A:/", u"A:/"},   {u"ab\\\\", u"ab\\"}};
    for (auto& [in, out] : cases) EXPECT_EQ(TrimTrailingBackslash(in), out) << U8(in);
}

TEST(PathParts, FolderAndNameAtTheLastBackslash) {
    EXPECT_EQ(FolderPart(u"C:\\Menü\\Zubehör\\Editor.lnk"), u"C:\\Menü\\Zubehör\\");
    EXPECT_EQ(NamePart(u"C:\\Menü\\Zubehör\\Editor.lnk"), u"Editor.lnk");
    EXPECT_EQ(FolderPart(u"C:\\"), u"C:\\");
    EXPECT_EQ(NamePart(u"C:\\"), u"");
    EXPECT_EQ(FolderPart(u"Editor.lnk"), u"");
    EXPECT_EQ(NamePart(u"Editor.lnk"), u"Editor.lnk");
    EXPECT_EQ(FolderPart(u"\\\\server\\share"), u"\\\\server\\");
    EXPECT_EQ(FolderPart(u""), u"");
}

TEST(SplitToList, SeparatorVariants) {
    struct Case {
        std::u16string text, separator;
        StringList expected;
    };
    const Case cases[] = {
        {u"a;b", u";", {u"a", u"b"}},
        {u"a;;b", u";", {u"a", u"", u"b"}},
        {u"a;b;", u";", {u"a", u"b"}},
        {u"", u";", {}},
        {u";b", u";", {u"", u"b"}},
        {u";", u";", {u""}},
        {u"C:\\Programme\\Tools", u"\\", {u"C:", u"Programme", u"Tools"}},
        {u"Name\tC:\\x.lnk", u"\t", {u"Name", u"C:\\x.lnk"}},
        {u"abc", u"", {u"abc"}},
        {u"a--b", u"--", {u"a", u"b"}},
        {u"aaa", u"aa", {u"", u""}},  // overlapping matches never give a negative span
    };
    StringList list{u"stale"};
    for (const auto& c : cases) {
        SplitToList(c.text, c.separator, list);
        EXPECT_EQ(list, c.expected) << U8(c.text) << " / " << U8(c.separator);
    }
}

TEST(PosFrom, FindsAtOrAfterStart) {
    EXPECT_EQ(PosFrom(1, u"abcabc", u"bc"), 2);
    EXPECT_EQ(PosFrom(2, u"abcabc", u"bc"), 2);
    EXPECT_EQ(PosFrom(3, u"abcabc", u"bc"), 5);
    EXPECT_EQ(PosFrom(6, u"abcabc", u"bc"), 0);
    EXPECT_EQ(PosFrom(0, u"abc", u"a"), 1);   // a start below 1 counts as 1
    EXPECT_EQ(PosFrom(-7, u"abc", u"c"), 3);
    EXPECT_EQ(PosFrom(99, u"abc", u"c"), 0);
    EXPECT_EQ(PosFrom(1, u"abc", u""), 0);
    EXPECT_EQ(PosFrom(1, u"", u"a"), 0);
}

TEST(CleanIntText, KeepsDigitsAndOneLeadingSign) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u" 12px", u"12"},   {u"x-5", u"-5"}, {u"--5", u"-5"},   {u"abc", u"0"},    {u"+", u"0"},
        {u"12-3", u"123"},   {u"", u"0"},     {u"-", u"0"},      {u"+7", u"+7"},    {u"\t 42 \r\n", u"42"},
        {u"4\u06602", u"42"}, {u"\u0661", u"0"}, {u"1\u00B23", u"13"}, {u"ab+-1", u"+1"}, {u"- 3", u"-3"}};
    for (auto& [in, out] : cases) EXPECT_EQ(CleanIntText(in), out) << U8(in);
    // A field of a million characters, most of them dropped, is cleaned in one pass.
    std::u16string huge;
    for (int i = 0; i < 1'000'000; ++i) huge.push_back(i % 10 == 0 ? u'7' : u'x');
    EXPECT_EQ(CleanIntText(u"-" + huge), u"-" + std::u16string(100'000, u'7'));
}

TEST(BarTexts, SplitAtFirstBar) {
    EXPECT_EQ(TextBeforeBar(u"Caption|Hint|More"), u"Caption");
    EXPECT_EQ(TextAfterBar(u"Caption|Hint|More"), u"Hint|More");
    EXPECT_EQ(TextBeforeBar(u"NoBar"), u"NoBar");
    EXPECT_EQ(TextAfterBar(u"NoBar"), u"");
    EXPECT_EQ(TextBeforeBar(u"|x"), u"");
    EXPECT_EQ(TextAfterBar(u"x|"), u"");
}

TEST(FloatToTextWithSep, GeneralFormatWithGivenSeparator) {
    const std::pair<double, std::u16string> dot[] = {
        {1.5, u"1.5"},
        {12, u"12"},
        {0.9990234375, u"0.9990234375"},
        {0, u"0"},
        {-2.25, u"-2.25"},
        {0.00001, u"0.00001"},
        {0.000001, u"1E-6"},
        {1.5e-7, u"1.5E-7"},
        {123456789012345.0, u"123456789012345"},
        {1e15, u"1E15"},
        {1234567890123456789.0, u"1.23456789012346E18"},
        {0.1 + 0.2, u"0.3"},
        {999999999999999.9, u"1E15"},  // rounding to 15 digits reaches the next power
        {1024.0 / 1024.0 * 3.75, u"3.75"},
        {100, u"100"},
    };
    for (auto& [value, text] : dot) EXPECT_EQ(FloatToTextWithSep(u'.', value), text) << value;
    EXPECT_EQ(FloatToTextWithSep(u',', 1.5), u"1,5");
    EXPECT_EQ(FloatToTextWithSep(u',', 2.5e-9), u"2,5E-9");
}

TEST(Choose, PicksByCondition) {
    EXPECT_EQ(ChooseInt(true, 1, 2), 1);
    EXPECT_EQ(ChooseInt(false, 1, 2), 2);
    EXPECT_EQ(ChooseStr(true, u"a", u"b"), u"a");
    EXPECT_EQ(ChooseStr(false, u"a", u"b"), u"b");
}
