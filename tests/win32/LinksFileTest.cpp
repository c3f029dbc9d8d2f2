// "links.dat" written and read through the real file calls and the real ANSI code page.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win32/WinTempDir.h"
#include "util/LinksFile.h"

using namespace util;

namespace {
const StringList NonAsciiLinks{u"Zubehör\tC:\\ProgramData\\Start Menu\\Zubehör\\Editor.lnk",
                               u"\u8F85\u52A9\u5DE5\u5177\tC:\\\u5DE5\u5177\\\u8F85\u52A9.lnk", u"A\tB\tC"};
}

TEST(Win32LinksFile, UnicodeEncodingsRoundTripExactly) {
    WinTempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    for (auto encoding : {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        ASSERT_TRUE(SaveLinksFile(path, {NonAsciiLinks, encoding}));
        const auto back = LoadLinksFile(path);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Encoding, encoding);
        EXPECT_EQ(back->Lines, NonAsciiLinks);
        EXPECT_EQ(dir.Count(), 1);
    }
}

TEST(Win32LinksFile, AFileOfManyPiecesRoundTripsThroughTheRealReadsAndWrites) {
    // Far more than one piece, with a line longer than a piece, so that reads and writes end
    // inside lines and inside characters.
    WinTempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    StringList lines;
    for (int i = 0; i < 30000; ++i) lines.push_back(NonAsciiLinks[i % 2] + std::u16string(i % 37, u'\u00E4'));
    lines.insert(lines.begin() + 100, std::u16string(300000, u'\u00F6') + u"\tC:\\long.lnk");
    for (auto encoding : {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        ASSERT_TRUE(SaveLinksFile(path, {lines, encoding}));
        const auto back = LoadLinksFile(path);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Encoding, encoding);
        EXPECT_EQ(back->Lines, lines);
        EXPECT_EQ(dir.Read(u"links.dat"), FormatLinksText({lines, encoding}));
    }
    EXPECT_EQ(dir.Count(), 1);
}

TEST(Win32LinksFile, AnsiReplacesOnlyWhatTheCodePageCannotHold) {
    ASSERT_EQ(GetACP(), 1252u) << "the expectations below are written for the Western code page";
    WinTempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    ASSERT_TRUE(SaveLinksFile(path, {NonAsciiLinks, TextEncoding::Ansi}));
    const std::string bytes = dir.Read(u"links.dat");
    EXPECT_EQ(bytes.substr(0, 8), "Zubeh\xF6r\t");  // no mark, one byte per character
    const auto back = LoadLinksFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Encoding, TextEncoding::Ansi);
    ASSERT_EQ(back->Lines.size(), 3u);
    EXPECT_EQ(back->Lines[0], NonAsciiLinks[0]);
    EXPECT_EQ(back->Lines[1], u"????\tC:\\??\\??.lnk");
    EXPECT_EQ(back->Lines[2], NonAsciiLinks[2]);
}

TEST(Win32LinksFile, ASaveThatCannotReplaceLeavesTheOldFile) {
    WinTempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    ASSERT_TRUE(SaveLinksFile(path, {{u"old\tC:\\old.txt"}, TextEncoding::Ansi}));
    // Another program holds the file open without delete sharing: it cannot be replaced.
    HANDLE holder = CreateFileW(platform::win32::W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveLinksFile(path, {{u"new\tC:\\new.txt"}, TextEncoding::Ansi}));
    CloseHandle(holder);
    EXPECT_EQ(dir.Read(u"links.dat"), "old\tC:\\old.txt\r\n");
    EXPECT_EQ(dir.Count(), 1);  // the temporary file is gone too
}

TEST(Win32LinksFile, TwoSavesAtOnceBothSucceedAndLeaveNoTemporaryFile) {
    WinTempDir dir;
    const std::u16string path = dir.File(u"links.dat");
    const LinksDocument first{{u"first\tC:\\1.txt"}, TextEncoding::Ansi};
    const LinksDocument second{{u"second\tC:\\2.txt", u"more\tC:\\3.txt"}, TextEncoding::Utf16LE};
    std::atomic<int> failed{0};
    auto saver = [&](const LinksDocument& doc) {
        for (int i = 0; i < 100; ++i)
            if (!SaveLinksFile(path, doc)) ++failed;
    };
    std::thread other(saver, std::cref(second));
    saver(first);
    other.join();
    EXPECT_EQ(failed.load(), 0);
    const auto last = LoadLinksFile(path);
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->Lines == first.Lines || last->Lines == second.Lines);
    EXPECT_EQ(dir.Count(), 1);
}

TEST(Win32LinksFile, TheNextSaveRemovesWhatAnEndedSaveLeft) {
    WinTempDir dir;
    // The id of a process that has ended.
    wchar_t command[] = L"cmd.exe /c exit 0";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                               &process));
    WaitForSingleObject(process.hProcess, 10000);
    const std::string ended = std::to_string(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::u16string endedName = u"links.dat." + std::u16string(ended.begin(), ended.end()) + u"-4.tmp";
    dir.Write(endedName, "half");
    // This process's own name stays: it is a save of its own in progress.
    const std::string self = std::to_string(GetCurrentProcessId());
    const std::u16string ownName = u"links.dat." + std::u16string(self.begin(), self.end()) + u"-999999.tmp";
    dir.Write(ownName, "busy");
    ASSERT_TRUE(SaveLinksFile(dir.File(u"links.dat"), {{u"a\tb"}, TextEncoding::Ansi}));
    EXPECT_EQ(dir.Read(endedName), "<missing>");
    EXPECT_EQ(dir.Read(ownName), "busy");
    EXPECT_EQ(dir.Count(), 2);
}
