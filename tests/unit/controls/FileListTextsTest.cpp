#include <gtest/gtest.h>

#include <cstdio>

#include "controls/FileListTexts.h"
#include "platform/Files.h"
#include "support/TextOut.h"
#include "util/DateTime.h"

using namespace controls;

TEST(FileListTexts, SizesKeepFourCharactersAndCutTheirDigits) {
    constexpr std::uint64_t KiB = 1024, MiB = KiB * KiB, GiB = MiB * KiB, TiB = GiB * KiB;
    const std::pair<std::uint64_t, const char16_t*> cases[] = {
        {0, u"0 Byte"},          {999, u"999 Byte"},       {1000, u"0.97 KB"},  {1023, u"0.99 KB"},
        {1024, u"1 KB"},         {1536, u"1.5 KB"},        {12345, u"12.0 KB"}, {1048575, u"0.99 MB"},
        {5 * GiB, u"5 GB"},      {123 * KiB + 470, u"123 KB"}, {999 * MiB, u"999 MB"}, {1000 * GiB, u"0.97 TB"},
        {3 * TiB, u"3 TB"},      {1024 * TiB, u"1 .."},    {~std::uint64_t{0}, u"16 .."}};
    for (auto [size, text] : cases) EXPECT_EQ(FormatFileSize(size), text) << size;
}

TEST(FileListTexts, TheMaskLooksForStarAndExtensionAnywhere) {
    EXPECT_TRUE(MaskPasses(u"*.*", u"README"));
    EXPECT_TRUE(MaskPasses(u"*.exe;*.lnk", u"Editor.EXE"));
    EXPECT_TRUE(MaskPasses(u"*.exe;*.lnk", u"Verknüpfung.lnk"));
    EXPECT_TRUE(MaskPasses(u"*.exe;*.lnk", u"halb.ex"));  // the substring rule
    EXPECT_FALSE(MaskPasses(u"*.exe;*.lnk", u"README"));  // no extension
    EXPECT_FALSE(MaskPasses(u"*.exe;*.lnk", u"notes.txt"));
    EXPECT_FALSE(MaskPasses(u"*.exe", u"archiv.exe.txt"));
    EXPECT_TRUE(MaskPasses(u"*.TXT", u"archiv.exe.txt"));
    EXPECT_TRUE(MaskPasses(u"*.DOC", u"Über.doc"));
    EXPECT_FALSE(MaskPasses(u"exe", u"a.exe"));  // the star belongs to the pattern
    EXPECT_TRUE(MaskPasses(u"*.Ä", u"x.ä"));      // upper case beyond ASCII
}

TEST(FileListTexts, DatesAreLocalDayMonthTwoDigitYearAndMinutes) {
    // The local wall time of a file time, as the platform's conversion gives it.
    const std::int64_t utc = util::CivilToFileTime({2007, 3, 4, 5, 6, 59, 0});
    const util::CivilTime local = util::FileTimeToCivil(platform::GetFiles().UtcToLocal(utc));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%02d.%02d.%02d %02d:%02d", local.Day, local.Month, local.Year % 100,
                  local.Hour, local.Minute);
    EXPECT_EQ(U8(ListDateText(utc)), expected);
    EXPECT_EQ(ListDateText(util::CivilToFileTime({1999, 12, 31, 12, 0, 0, 0})).substr(6, 2), u"99");
}
