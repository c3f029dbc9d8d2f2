#include <gtest/gtest.h>

#include <algorithm>

#include "support/TextOut.h"
#include "util/FileUtils.h"

using namespace util;

TEST(FileNames, NineInvalidCharacters) {
    for (char16_t c : std::u16string(u"\\/:*?\"<>|")) {
        EXPECT_FALSE(IsValidFileName(std::u16string(u"a") + c + u"b")) << static_cast<int>(c);
    }
    EXPECT_TRUE(IsValidFileName(u""));
    EXPECT_TRUE(IsValidFileName(u"Zubehör (alt) #1.txt"));
    EXPECT_EQ(StripInvalidFileNameChars(u"a\\b/c:d*e?f\"g<h>i|j"), u"abcdefghij");
    EXPECT_EQ(StripInvalidFileNameChars(u"||"), u"");
    EXPECT_EQ(StripInvalidFileNameChars(u"ok.txt"), u"ok.txt");
}

TEST(SplitDigitRuns, AlternatingRuns) {
    StringList list{u"stale"};
    SplitDigitRuns(u"file12b3", list);
    EXPECT_EQ(list, (StringList{u"file", u"12", u"b", u"3"}));
    SplitDigitRuns(u"", list);
    EXPECT_TRUE(list.empty());
    SplitDigitRuns(u"007", list);
    EXPECT_EQ(list, (StringList{u"007"}));
    SplitDigitRuns(u"a\u0661b", list);  // only ASCII digits make digit runs
    EXPECT_EQ(list, (StringList{u"a\u0661b"}));
}

TEST(NaturalCompare, WorkedExamples) {
    EXPECT_EQ(NaturalCompare(u"a10", u"a9"), 1);
    EXPECT_EQ(NaturalCompare(u"a9", u"a10"), -1);
    EXPECT_EQ(NaturalCompare(u"a", u"a"), 0);
    EXPECT_EQ(NaturalCompare(u"1a", u"a1"), -1);
    EXPECT_LT(NaturalCompare(u"file2", u"file10"), 0);
    EXPECT_LT(NaturalCompare(u"10", u"a"), 0);
    EXPECT_EQ(NaturalCompare(u"Abc", u"abc"), 0);
    EXPECT_EQ(NaturalCompare(u"007", u"7"), 0);
    EXPECT_EQ(NaturalCompare(u"file", u"file1"), 0);  // no tie-break by run count
    EXPECT_EQ(NaturalCompare(u"", u"x"), 0);
}

TEST(NaturalCompare, TextRunsGiveCharacterDifference) {
    EXPECT_EQ(NaturalCompare(u"b", u"a"), 1);
    EXPECT_EQ(NaturalCompare(u"a", u"d"), -3);
    EXPECT_EQ(NaturalCompare(u"ab", u"abcd"), -2);
    EXPECT_EQ(NaturalCompare(u"_", u"a"), '_' - 'A');  // '_' lies between upper and lower case
    EXPECT_NE(NaturalCompare(u"\u00E4", u"\u00C4"), 0);  // only a-z fold
}

TEST(NaturalCompare, LongDigitRunsCompareByMagnitude) {
    EXPECT_LT(NaturalCompare(u"log20261208165900", u"log20261208170000"), 0);
    EXPECT_GT(NaturalCompare(u"x2147483648", u"x2147483647"), 0);
    EXPECT_GT(NaturalCompare(u"x99999999999999999999999999", u"x100"), 0);
    EXPECT_EQ(NaturalCompare(u"x000000000000000000000012", u"x12"), 0);
    EXPECT_LT(NaturalCompare(u"x4294967296", u"x4294967297"), 0);
    EXPECT_LT(NaturalCompare(u"0", u"00000000000000000000001"), 0);
}

TEST(NaturalCompare, SortsFileNamesNaturally) {
    std::vector<std::u16string> names{u"file10.txt", u"File2.txt", u"file1.txt", u"10", u"9", u"abc", u"file20081231120000.log"};
    std::stable_sort(names.begin(), names.end(),
                     [](const auto& a, const auto& b) { return NaturalCompare(a, b) < 0; });
    const std::vector<std::u16string> expected{u"9", u"10", u"abc", u"file1.txt", u"File2.txt", u"file10.txt",
                                               u"file20081231120000.log"};
    EXPECT_EQ(names, expected);
}
