#include <gtest/gtest.h>

#include <fstream>

#include "app/NbUtils.h"
#include "platform/ShellIcons.h"
#include "support/TempDir.h"
#include "support/TextOut.h"
#include "util/FileUtils.h"

using namespace app;

TEST(LinkEntry, OnlyTheFirstTabSeparates) {
    const std::u16string entry = u"A\tB\tC";
    EXPECT_EQ(CopyBefore(entry, u'\t'), u"A");
    EXPECT_EQ(CopyAfter(entry, u'\t'), u"B\tC");
    EXPECT_EQ(CopyBefore(u"NoTab", u'\t'), u"NoTab");
    EXPECT_EQ(CopyAfter(u"NoTab", u'\t'), u"");
    EXPECT_EQ(CopyAfter(u"Trailing\t", u'\t'), u"");
    EXPECT_EQ(CopyBefore(u"\tLead", u'\t'), u"");
}

TEST(LinkEntry, NameIsFileNameWithoutExtension) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\Tools\\Editor.lnk", u"Editor"}, {u"C:\\Tools\\archive.tar.gz", u"archive.tar"},
        {u"C:\\Tools\\README", u"README"},     {u"D:notes.txt", u"notes"},
        {u"C:\\My.Dir\\plain", u"plain"},      {u"C:\\Tools\\.profile", u""},
        {u"x.lnk", u"x"}};
    for (auto& [path, name] : cases) EXPECT_EQ(LinkNameFromPath(path), name) << U8(path);
    EXPECT_EQ(MakeLinkEntry(u"C:\\Tools\\Editor.lnk"), u"Editor\tC:\\Tools\\Editor.lnk");
}

TEST(LinkEntry, DuplicatePathTestFoldsOnlyAsciiLetters) {
    const util::StringList links{u"X\tC:\\Programs\\X.lnk", u"Broken line", u"Ä\tC:\\Ä\\"};
    EXPECT_TRUE(LinksContainPath(links, u"c:\\programs\\x.lnk"));
    EXPECT_TRUE(LinksContainPath(links, u"C:\\Programs\\X.lnk\\"));  // trailing backslash ignored
    EXPECT_TRUE(LinksContainPath(links, u"C:\\Ä"));
    EXPECT_FALSE(LinksContainPath(links, u"c:\\ä"));                 // only A-Z fold
    EXPECT_FALSE(LinksContainPath(links, u"C:\\Programs\\X.lnk2"));
    EXPECT_TRUE(LinksContainPath(links, u""));  // an entry without TAB has the empty path
    EXPECT_FALSE(LinksContainPath({}, u""));
}

TEST(SysIcons, StandInSourceIsStablePerPath) {
    TempDir dir;
    std::filesystem::create_directory(dir.Native() / "sub");
    { std::ofstream(dir.Native() / "a.txt") << "x"; }
    { std::ofstream(dir.Native() / "b.TXT") << "x"; }
    { std::ofstream(dir.Native() / "c.lnk") << "x"; }
    EXPECT_EQ(GetSysIconIndex(dir.File(u"no-such-file")), NoIcon);
    EXPECT_EQ(util::SysIconIndex(dir.File(u"no-such-file"), platform::SmallIcon), 0);
    EXPECT_EQ(GetSysIconIndex(dir.File(u"a.txt")), GetSysIconIndex(dir.File(u"b.TXT")));
    EXPECT_NE(GetSysIconIndex(dir.File(u"a.txt")), GetSysIconIndex(dir.File(u"c.lnk")));
    EXPECT_NE(util::SysIconIndex(dir.File(u"sub"), platform::LargeIcon), util::SysOpenIconIndex(dir.File(u"sub"), platform::LargeIcon));
    EXPECT_GE(GetSysIconIndex(dir.File(u"sub")), 0);
}
