// The UTF-8 decoder against a plain byte-by-byte reading of the same rules: well-formed
// sequences of every length, long ASCII runs between them, and malformed input, where each
// maximal ill-formed part becomes one replacement character.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "platform/Utf.h"

namespace {
std::u16string Reference(std::string_view bytes) {
    std::u16string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        std::size_t len = 0;
        char32_t cp = 0, min = 0;
        if (b0 < 0x80) { out += static_cast<char16_t>(b0); ++i; continue; }
        if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; min = 0x80; }
        else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; min = 0x800; }
        else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; min = 0x10000; }
        else { out += u'\uFFFD'; ++i; continue; }
        std::size_t k = 1;
        for (; k < len && i + k < bytes.size(); ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) break;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += u'\uFFFD';
            i += k;
            continue;
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}
}  // namespace

TEST(Utf8, DecodingMatchesTheByteByByteReadingOnRunsAndDamage) {
    const std::string ascii40(40, 'x');
    const std::vector<std::string> cases = {
        "",
        "plain ASCII, longer than eight bytes at a time",
        "Zubeh\xC3\xB6r " + ascii40 + " \xC3\xA4" + ascii40,        // runs between two-byte letters
        "\xC3\xB6" + ascii40,                                       // a letter first
        ascii40 + "\xE2\x82\xAC",                                   // three bytes last
        "a\xF0\x9F\x98\x80" + ascii40 + "\xF0\x9F\x98",             // a pair, then a cut-off one
        "\xC3(" + ascii40 + "\xC0\x80\xED\xA0\x80\xF4\x90\x80\x80",  // overlong, surrogate, beyond
        "\x80\x80\xBF" + ascii40 + "\xFE\xFF",                      // stray continuation and bad leads
        std::string("nul\0inside", 10) + "\xC3",                    // NUL kept, lead byte at the end
    };
    for (const std::string& bytes : cases) EXPECT_EQ(platform::FromUtf8(bytes), Reference(bytes)) << bytes;
    // Random mixtures weighted towards ASCII runs and the bytes that start or continue sequences.
    std::mt19937 random(20261209);
    const unsigned char pool[] = {'a', 'b', ' ', '\t', 0xC3, 0xB6, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80, 0xFF, 0xED};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 64);
        for (int i = 0; i < length; ++i)
            bytes += random() % 3 ? std::string(random() % 12, 'q') : std::string(1, static_cast<char>(pool[random() % sizeof pool]));
        ASSERT_EQ(platform::FromUtf8(bytes), Reference(bytes)) << round;
    }
}

namespace {
// Code point by code point: a pair is one character, a lone half of one becomes U+FFFD.
std::string ReferenceUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Encodes into room of exactly the measured size on the heap, so that a block written past the
// end is caught by the sanitiser.
std::string EncodedInExactRoom(std::u16string_view text) {
    const std::size_t length = platform::Utf8Length(text);
    const std::unique_ptr<char[]> room(new char[length + (length == 0)]);
    const char* end = platform::EncodeUtf8(text, room.get());
    EXPECT_EQ(end, room.get() + length);
    return std::string(room.get(), length);
}
}  // namespace

TEST(Utf8, EncodingMeasuresExactlyAndMatchesTheCharacterByCharacterWriting) {
    std::vector<std::u16string> cases = {u"", u"a", u"Zubehör", u"\U0001F600", u"\xD800", u"\xDC00x", u"\xD800\xD800\xDC00"};
    // A letter at every place of a text longer than two blocks, and ASCII runs of every length.
    for (std::size_t at = 0; at < 19; ++at) {
        std::u16string text(19, u'x');
        text[at] = u'ä';
        cases.push_back(text);
        cases.push_back(std::u16string(at, u'y') + u"\u20AC");
        cases.push_back(std::u16string(at, u'z') + u"\xDBFF");  // half a pair last of all
    }
    for (const auto& text : cases) {
        const std::string expected = ReferenceUtf8(text);
        EXPECT_EQ(platform::Utf8Length(text), expected.size());
        EXPECT_EQ(EncodedInExactRoom(text), expected);
        EXPECT_EQ(platform::ToUtf8(text), expected);
    }
    std::mt19937 random(20261210);
    const char16_t pool[] = {u'a', u' ', u'\t', u'ö', u'\x7F', u'\x80', u'\x7FF', u'\x800', u'\xFFFF', u'\xD83D', u'\xDE00', u'\xDBFF'};
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        const int length = static_cast<int>(random() % 48);
        for (int i = 0; i < length; ++i)
            text += random() % 3 ? std::u16string(random() % 12, u'q') : std::u16string(1, pool[random() % std::size(pool)]);
        const std::string expected = ReferenceUtf8(text);
        ASSERT_EQ(platform::Utf8Length(text), expected.size()) << round;
        ASSERT_EQ(EncodedInExactRoom(text), expected) << round;
        std::string appended = "kept";
        platform::AppendUtf8(text, appended);
        ASSERT_EQ(appended, "kept" + expected) << round;
    }
}
