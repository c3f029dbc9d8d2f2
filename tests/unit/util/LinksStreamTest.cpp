// The links file decoded as it arrives and encoded a piece at a time: whatever the sizes of the
// pieces, the lines are those of the whole text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/TempDir.h"
#include "util/LinksStream.h"
#include "util/TextCodec.h"
#include "util/WholeFile.h"

using namespace util;

namespace {
// The whole text decoded, then cut at CR LF, a lone CR or a lone LF.
LinksDocument Reference(std::string_view bytes) {
    LinksDocument doc;
    const std::u16string text = DecodeText(bytes, doc.Encoding);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        doc.Lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) doc.Lines.push_back(text.substr(start));
    return doc;
}

// A reader that hands over at most `most` bytes at a time.
LinksDocument DecodedInPieces(std::string_view bytes, std::size_t most) {
    LinksDecoder decoder;
    decoder.Expect(bytes.size());
    while (!bytes.empty()) {
        const std::span<char> room = decoder.Room();
        EXPECT_FALSE(room.empty());
        const std::size_t count = std::min({room.size(), bytes.size(), most});
        std::copy_n(bytes.data(), count, room.data());
        bytes.remove_prefix(count);
        decoder.Filled(count);
    }
    return decoder.Finish();
}

void ExpectSameLines(std::string_view bytes, std::size_t most, const std::string& label) {
    const LinksDocument expected = Reference(bytes);
    const LinksDocument decoded = DecodedInPieces(bytes, most);
    EXPECT_EQ(decoded.Encoding, expected.Encoding) << label << " in pieces of " << most;
    EXPECT_EQ(decoded.Lines, expected.Lines) << label << " in pieces of " << most;
}

std::string Utf16(std::u16string_view text, bool little) {
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t c : text) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        out += little ? lo : hi;
        out += little ? hi : lo;
    }
    return out;
}
}  // namespace

TEST(LinksDecoder, PiecesOfAnySizeGiveTheLinesOfTheWholeText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ends of every kind", "a\tA\r\nb\tB\rc\tC\nd\tD"},
        {"CR LF and LF CR", "x\r\n\r\ny\n\rz\r"},
        {"marks alone", "\xEF\xBB\xBF"},
        {"short", "ab"},
        {"UTF-8 with damage", "\xEF\xBB\xBF" "Zubeh\xC3\xB6r\r\n\xC3(\xF0\x9F\x98\x80\r\n\xE2\x82"},
        {"UTF-16LE with CR LF and an odd byte", Utf16(u"Zubehör\r\n\u8F85\r\rx\n", true) + "y"},
        {"UTF-16BE", Utf16(u"a\r\nb\rc", false)},
        {"UTF-16 mark and one byte", std::string("\xFE\xFF\x00", 3)},
        {"ANSI high bytes", "Zubeh\xF6r\t\x80\x9F\r\n\xFF\xFE"},
    };
    for (const auto& [label, bytes] : cases)
        for (std::size_t most : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, std::size_t{4096}})
            ExpectSameLines(bytes, most, label);

    // Random texts of marks, line ends and letters, in random piece sizes.
    std::mt19937 random(20261209);
    const std::string pool[] = {"a", "\xC3\xB6", "\r", "\n", "\r\n", std::string(1, '\0'), "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\xED"};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int parts = static_cast<int>(random() % 40);
        for (int i = 0; i < parts; ++i) bytes += random() % 4 ? pool[random() % std::size(pool)] : std::string(random() % 30, 'q');
        ExpectSameLines(bytes, 1 + random() % 9, "round " + std::to_string(round));
        if (HasFailure()) return;
    }
}

TEST(LinksDecoder, LinesLongerThanAPieceAndEndsAtPieceEdges) {
    // A line of many pieces, then lines whose ends fall at the edges of the reads.
    const std::string longLine(3 * LinksDecoder::PieceSize + 17, 'w');
    std::string bytes = "\xEF\xBB\xBF" + longLine + "\r\nshort\r\n";
    bytes.resize(LinksDecoder::PieceSize * 4 - 1, 'v');
    bytes += "\r\nlast";
    ExpectSameLines(bytes, LinksDecoder::PieceSize, "long UTF-8");
    ExpectSameLines(bytes, 1000, "long UTF-8");
    const LinksDocument decoded = DecodedInPieces(bytes, LinksDecoder::PieceSize);
    ASSERT_EQ(decoded.Lines.size(), 4u);
    EXPECT_EQ(decoded.Lines[0].size(), longLine.size());
    EXPECT_EQ(decoded.Lines[1], u"short");
    EXPECT_EQ(decoded.Lines[3], u"last");
    // The same in UTF-16, whose units are cut between their two bytes.
    const std::string wide = Utf16(std::u16string(LinksDecoder::PieceSize, u'ö') + u"\r\nx\r", true);
    ExpectSameLines(wide, LinksDecoder::PieceSize - 1, "long UTF-16");
}

TEST(LinksDecoder, RoomFitsTheFileItIsToldOf) {
    // A links file is mostly small: it gets room for itself and the byte that shows its end, not
    // a whole piece; a file of unknown size gets a piece.
    LinksDecoder small;
    small.Expect(10);
    EXPECT_EQ(small.Room().size(), 64u);
    LinksDecoder large;
    large.Expect(10 * LinksDecoder::PieceSize);
    EXPECT_EQ(large.Room().size(), LinksDecoder::PieceSize);
    LinksDecoder unknown;
    EXPECT_EQ(unknown.Room().size(), LinksDecoder::PieceSize);
    // A file that grew since it was measured is still read whole.
    LinksDecoder grown;
    grown.Expect(3);
    const std::string bytes = "one\r\n" + std::string(500, 'x') + "\r\nthree";
    grown.Take(bytes);
    EXPECT_EQ(grown.Finish().Lines, Reference(bytes).Lines);
}

TEST(LinksEncoder, PiecesAreWholeLinesAndTogetherTheFormattedText) {
    for (auto encoding : {TextEncoding::Ansi, TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        LinksDocument doc{{}, encoding};
        for (int i = 0; i < 20000; ++i) doc.Lines.push_back(u"Zubehör " + std::u16string(i % 50, u'x') + u"\tC:\\a.lnk");
        doc.Lines.push_back(std::u16string(LinksEncoder::PieceSize + 5, u'\u20AC'));  // longer than a piece
        doc.Lines.push_back(u"");
        std::string joined;
        std::u16string text;
        for (const auto& line : doc.Lines) text += line + u"\r\n";
        LinksEncoder encoder(doc);
        int pieces = 0;
        for (std::string_view piece = encoder.Next(); !piece.empty(); piece = encoder.Next(), ++pieces) {
            const std::string_view end = encoding == TextEncoding::Utf16BE   ? std::string_view("\0\r\0\n", 4)
                                         : encoding == TextEncoding::Utf16LE ? std::string_view("\r\0\n\0", 4)
                                                                             : std::string_view("\r\n");
            EXPECT_TRUE(piece.ends_with(end)) << "piece " << pieces << " ends inside a line";
            joined += piece;
        }
        EXPECT_GT(pieces, 2);
        EXPECT_TRUE(encoder.Next().empty());  // stays at the end
        EXPECT_EQ(joined, EncodeText(text, encoding));
        EXPECT_EQ(FormatLinksText(doc), joined);
        EXPECT_EQ(ParseLinksText(joined).Lines, doc.Lines);
        // A document without lines is its mark alone.
        LinksDocument empty{{}, encoding};
        LinksEncoder markOnly(empty);
        EXPECT_EQ(markOnly.Next(), EncodeText(u"", encoding));
        EXPECT_TRUE(markOnly.Next().empty());
    }
}

TEST(WholeFile, ReadThroughASinkAndReplacedFromPieces) {
    TempDir dir;
    const std::u16string path = dir.File(u"data.bin");
    const std::string first(300000, 'a'), second = "b", third(70000, 'c');
    int calls = 0;
    ASSERT_TRUE(AtomicReplace(path, [&]() -> std::string_view {
        switch (calls++) {
            case 0: return first;
            case 1: return second;
            case 2: return third;
            default: return {};
        }
    }));
    EXPECT_EQ(calls, 4);  // asked once more, for the end
    EXPECT_EQ(ReadWholeFile(path), first + second + third);

    // A sink with one byte of room at a time still gets every byte, and is told the size first.
    struct ByteSink final : ReadSink {
        std::uint64_t expected = 0;
        std::string bytes;
        char room = 0;
        void Expect(std::uint64_t total) override { expected = total; }
        std::span<char> Room() override { return {&room, 1}; }
        void Filled(std::size_t count) override { bytes.append(&room, count); }
    } sink;
    ASSERT_TRUE(ReadFileThrough(path, sink));
    EXPECT_EQ(sink.expected, first.size() + second.size() + third.size());
    EXPECT_EQ(sink.bytes, first + second + third);
    EXPECT_FALSE(ReadFileThrough(dir.File(u"missing.bin"), sink));

    // No pieces at all make an empty file.
    ASSERT_TRUE(AtomicReplace(path, [] { return std::string_view(); }));
    EXPECT_EQ(ReadWholeFile(path), "");
}
