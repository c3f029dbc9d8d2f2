#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <fstream>
#include <iterator>

#include "support/TempDir.h"
#include "support/TextOut.h"
#include "util/LinksFile.h"

using namespace util;

namespace {
std::string Bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(LinksText, LineEndsOfEveryKind) {
    const auto doc = ParseLinksText("a\tA\r\nb\tB\rc\tC\nd\tD");
    EXPECT_EQ(doc.Lines, (StringList{u"a\tA", u"b\tB", u"c\tC", u"d\tD"}));
    EXPECT_EQ(doc.Encoding, TextEncoding::Ansi);
    EXPECT_TRUE(ParseLinksText("").Lines.empty());
    EXPECT_EQ(ParseLinksText("x\r\n").Lines, ParseLinksText("x").Lines);  // the last end is optional
    EXPECT_EQ(ParseLinksText("\r\n\n\r").Lines, (StringList{u"", u"", u""}));
    EXPECT_EQ(ParseLinksText("a\n\rb").Lines, (StringList{u"a", u"", u"b"}));  // LF CR is two ends
    // Written back, every line ends in CR LF.
    EXPECT_EQ(FormatLinksText(ParseLinksText("a\rb")), "a\r\nb\r\n");
    EXPECT_EQ(FormatLinksText(LinksDocument{}), "");
}

TEST(LinksText, ByteOrderMarksAreKept) {
    const std::u16string name = u"Zubehör\t\u8F85\u52A9.lnk";
    for (auto encoding : {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        LinksDocument doc{{name, u"plain"}, encoding};
        const std::string bytes = FormatLinksText(doc);
        const auto back = ParseLinksText(bytes);
        EXPECT_EQ(back.Encoding, encoding);
        EXPECT_EQ(back.Lines, doc.Lines);
        EXPECT_EQ(FormatLinksText(back), bytes);
    }
    EXPECT_EQ(FormatLinksText({{u"ä"}, TextEncoding::Utf8Bom}), "\xEF\xBB\xBF\xC3\xA4\r\n");
    EXPECT_EQ(FormatLinksText({{u"a"}, TextEncoding::Utf16LE}), std::string("\xFF\xFE" "a\0\r\0\n\0", 8));
    EXPECT_EQ(FormatLinksText({{u"a"}, TextEncoding::Utf16BE}), std::string("\xFE\xFF\0a\0\r\0\n", 8));
}

TEST(LinksText, AnsiStandsInAsWindows1252) {
    const auto doc = ParseLinksText("Zubeh\xF6r\t\x80\x9F\r\n");
    EXPECT_EQ(doc.Lines, (StringList{u"Zubehör\t\u20AC\u0178"}));
    // What the code page cannot hold becomes "?"; nothing else changes.
    EXPECT_EQ(FormatLinksText({{u"Zubehör \u8F85\u52A9 \U0001F600 \u20AC"}, TextEncoding::Ansi}),
              "Zubeh\xF6r ?? ? \x80\r\n");
}

TEST(LinksText, MalformedUnicodeIsReplacedNotDropped) {
    EXPECT_EQ(ParseLinksText("\xEF\xBB\xBF" "a\xC3(b\xF0\x9F\x98").Lines, (StringList{u"a\uFFFD(b\uFFFD"}));
    EXPECT_EQ(ParseLinksText(std::string("\xFF\xFE" "a\0b", 5)).Lines, (StringList{u"a\uFFFD"}));
    EXPECT_EQ(ParseLinksText("\xEF\xBB\xBF\xED\xA0\x80").Lines.at(0)[0], u'\uFFFD');  // encoded surrogate
}

TEST(LinksFile, SaveReplacesAndLoadReadsBack) {
    TempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    EXPECT_FALSE(LoadLinksFile(path));
    LinksDocument doc{{u"Editor\tC:\\Tools\\Editor.lnk", u"A\tB\tC"}, TextEncoding::Ansi};
    ASSERT_TRUE(SaveLinksFile(path, doc));
    EXPECT_EQ(Bytes(dir.Native() / "links.dat"), "Editor\tC:\\Tools\\Editor.lnk\r\nA\tB\tC\r\n");
    doc.Lines.pop_back();
    ASSERT_TRUE(SaveLinksFile(path, doc));
    const auto back = LoadLinksFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Lines, doc.Lines);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Native()), {}), 1);
}

TEST(LinksFile, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    ASSERT_TRUE(SaveLinksFile(path, {{u"old\tC:\\old.txt"}, TextEncoding::Utf8Bom}));
    const std::string before = Bytes(dir.Native() / "links.dat");
    // A file-size limit below the new text stands in for a full disk: in a child process, so that
    // the limit stays there. The second text fails only after some of its pieces were written.
    const auto saveUnderLimit = [&](rlim_t bytes, const LinksDocument& doc) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{bytes, bytes};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::_exit(SaveLinksFile(path, doc) ? 1 : 0);
        }
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    EXPECT_TRUE(saveUnderLimit(64, {{u"new\t" + std::u16string(100, u'x')}, TextEncoding::Utf8Bom}))
        << "the save reported success";
    EXPECT_TRUE(saveUnderLimit(400000, {StringList(10000, u"new\t" + std::u16string(80, u'y')), TextEncoding::Utf8Bom}))
        << "the save of many pieces reported success";
    EXPECT_EQ(Bytes(dir.Native() / "links.dat"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Native()), {}), 1);  // no temporary file
    // Into a folder that does not exist: reported, nothing created.
    EXPECT_FALSE(SaveLinksFile(dir.File(u"no\\such\\links.dat"), {{u"x"}, TextEncoding::Ansi}));
}
