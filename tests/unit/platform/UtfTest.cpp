// The UTF-8 decoder against a plain byte-by-byte reading of the same rules: well-formed
// sequences of every length, long ASCII runs between them, and malformed input, where each
// maximal ill-formed part becomes one replacement character.
#include <gtest/gtest.h>

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
