#include <gtest/gtest.h>

#include <fstream>

#include "app/LinkList.h"
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
    // Entries read the same way, and give back the very line they were read from.
    for (const std::u16string line : {u"A\tB\tC", u"NoTab", u"Trailing\t", u"\tLead", u""}) {
        const LinkEntry link = LinkEntry::FromLine(line);
        EXPECT_EQ(link.Name, CopyBefore(line, u'\t'));
        EXPECT_EQ(link.Path, CopyAfter(line, u'\t'));
        EXPECT_EQ(link.Line(), line);
    }
}

TEST(LinkEntry, NameIsFileNameWithoutExtension) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\Tools\\Editor.lnk", u"Editor"}, {u"C:\\Tools\\archive.tar.gz", u"archive.tar"},
        {u"C:\\Tools\\README", u"README"},     {u"D:notes.txt", u"notes"},
        {u"C:\\My.Dir\\plain", u"plain"},      {u"C:\\Tools\\.profile", u""},
        {u"x.lnk", u"x"}};
    for (auto& [path, name] : cases) EXPECT_EQ(LinkNameFromPath(path), name) << U8(path);
    EXPECT_EQ(LinkEntry::ForPath(u"C:\\Tools\\Editor.lnk").Line(), u"Editor\tC:\\Tools\\Editor.lnk");
}

TEST(LinkEntry, DuplicatePathTestFoldsOnlyAsciiLetters) {
    const LinkList links{u"X\tC:\\Programs\\X.lnk", u"Broken line", u"Ä\tC:\\Ä\\"};
    EXPECT_TRUE(links.Contains(u"c:\\programs\\x.lnk"));
    EXPECT_TRUE(links.Contains(u"C:\\Programs\\X.lnk\\"));  // trailing backslash ignored
    EXPECT_TRUE(links.Contains(u"C:\\Ä"));
    EXPECT_FALSE(links.Contains(u"c:\\ä"));                 // only A-Z fold
    EXPECT_FALSE(links.Contains(u"C:\\Programs\\X.lnk2"));
    EXPECT_TRUE(links.Contains(u""));  // an entry without TAB has the empty path
    EXPECT_FALSE(LinkList().Contains(u""));
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

TEST(LinkList, AFileComesBackAsItWasReadWithTheNewEntryInItsEncoding) {
    TempDir dir;
    const auto bytesOf = [&](const char* name) {
        std::ifstream in(dir.Native() / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    // UTF-8 with its mark, a line without TAB, one with an empty path and one with two TABs.
    const std::string original = "\xEF\xBB\xBF" "ohne Tab\r\nLeer\t\r\nZwei\tC:\\a\tb\r\nM\xC3\xA4rker\tC:\\M\xC3\xA4rker.lnk\r\n";
    { std::ofstream(dir.Native() / "links.dat", std::ios::binary) << original; }
    LinkList links;
    links.Load(dir.File(u"links.dat"));
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[0], (LinkEntry{u"ohne Tab", u"", false}));
    EXPECT_EQ(links[2].Path, u"C:\\a\tb");
    EXPECT_EQ(links[3].Name, u"Märker");
    ASSERT_TRUE(links.Save(dir.File(u"links.dat")));
    EXPECT_EQ(bytesOf("links.dat"), original);
    links.Add(LinkEntry::ForPath(u"C:\\Spiele\\Schach.lnk"));
    ASSERT_TRUE(links.Save(dir.File(u"links.dat")));
    EXPECT_EQ(bytesOf("links.dat"), original + "Schach\tC:\\Spiele\\Schach.lnk\r\n");

    // A missing file gives an empty list that is written in the ANSI code page, whatever came before.
    links.Load(dir.File(u"fehlt.dat"));
    EXPECT_TRUE(links.empty());
    links.Add(LinkEntry::ForPath(u"C:\\Ä.lnk"));
    ASSERT_TRUE(links.Save(dir.File(u"neu.dat")));
    EXPECT_EQ(bytesOf("neu.dat"), "\xC4\tC:\\\xC4.lnk\r\n");
    // A folder in the way of the file: the save fails and says so.
    std::filesystem::create_directory(dir.Native() / "ordner.dat");
    EXPECT_FALSE(links.Save(dir.File(u"ordner.dat")));
}
