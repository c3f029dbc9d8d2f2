// Random and truncated inputs for the readers of untrusted files. Bounded in count; run under
// AddressSanitizer in the native build, so an over-read is a failure.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "support/TempDir.h"
#include "util/FileObj.h"
#include "util/LinksFile.h"

using namespace util;

namespace {
std::string RandomBytes(std::mt19937& random, size_t maxLength) {
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0, 255);
    // Favour the bytes the readers look at: marks, line ends, TABs, UTF-8 lead bytes.
    static const unsigned char interesting[] = {0xEF, 0xBB, 0xBF, 0xFF, 0xFE, 0x0D, 0x0A, 0x09, 0xC3, 0xF0, 0x80, 0x00};
    std::string bytes(length(random), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random) < 96 ? interesting[byte(random) % 12] : byte(random));
    return bytes;
}
}  // namespace

TEST(Robustness, LinksReaderTakesAnyBytes) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = RandomBytes(random, 64);
        const LinksDocument doc = ParseLinksText(bytes);
        for (const auto& line : doc.Lines) {
            EXPECT_EQ(line.find(u'\r'), std::u16string::npos);
            EXPECT_EQ(line.find(u'\n'), std::u16string::npos);
        }
        // Every prefix parses too, and writing back and reading again keeps the lines for the
        // Unicode encodings (ANSI bytes may map to characters that write back differently).
        for (size_t cut = 0; cut < bytes.size(); cut += 7) ParseLinksText(std::string_view(bytes).substr(0, cut));
        if (doc.Encoding != TextEncoding::Ansi) {
            EXPECT_EQ(ParseLinksText(FormatLinksText(doc)).Lines, doc.Lines);
        }
    }
}

TEST(Robustness, StringReadsStayInsideTheFile) {
    TempDir dir;
    std::mt19937 random(7);
    const std::u16string path = dir.File(u"r.bin");
    for (int round = 0; round < 400; ++round) {
        const std::string bytes = RandomBytes(random, 40);
        std::ofstream(dir.Native() / "r.bin", std::ios::binary | std::ios::trunc) << bytes;
        TFile f(path);
        ASSERT_TRUE(f.Open(64));
        for (int i = 0; i < 8; ++i) {
            const std::int32_t before = f.Pos();
            const std::u16string s = f.ReadStr();
            const std::string a = f.ReadAnsiStr();
            EXPECT_LE(static_cast<size_t>(f.Pos()), bytes.size());
            EXPECT_LE(s.size() * 2 + a.size(), bytes.size());
            if (f.Pos() == before) break;
        }
        EXPECT_FALSE(f.Error().IsError());
    }
}
