#include "platform/Utf.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {
constexpr char32_t Replacement = 0xFFFD;

// Writers into a buffer sized beforehand.
char* PutUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

char16_t* PutUtf16(char16_t* out, char32_t cp) {
    if (cp < 0x10000) {
        *out++ = static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    return out;
}

// The leading ASCII units of in[0, n) narrowed into out; returns how many. A block of 16 is
// stored and tested in one loop without an early exit, which the compiler turns into vector code;
// so out must have room for n bytes: what lies past the count is written over later.
std::size_t NarrowAscii(const char16_t* __restrict in, std::size_t n, char* __restrict out) {
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        char16_t any = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            any |= in[i + k];
            out[i + k] = static_cast<char>(in[i + k]);
        }
        if (any & 0xFF80u) break;
    }
    for (; i < n && in[i] < 0x80; ++i) out[i] = static_cast<char>(in[i]);
    return i;
}

// The leading ASCII bytes of in[0, n) widened into out; returns how many. As above, out must
// have room for n units.
std::size_t WidenAscii(const unsigned char* __restrict in, std::size_t n, char16_t* __restrict out) {
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        unsigned char any = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            any |= in[i + k];
            out[i + k] = in[i + k];
        }
        if (any & 0x80u) break;
    }
    for (; i < n && in[i] < 0x80; ++i) out[i] = in[i];
    return i;
}
}  // namespace

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(text, out);
    return out;
}

std::size_t Utf8Length(std::u16string_view text) {
    // Every unit counted as if alone, in blocks whose count fits 16 bits so that the loop runs in
    // narrow vector lanes; a pair then gives back the two bytes its halves counted beyond its four.
    std::size_t bytes = text.size();
    unsigned surrogates = 0;
    for (std::size_t block = 0; block < text.size(); block += 16384) {
        const std::size_t end = std::min(text.size(), block + 16384);
        std::uint16_t extra = 0, pairs = 0;
        for (std::size_t i = block; i < end; ++i) {
            const std::uint16_t c = text[i];
            extra = static_cast<std::uint16_t>(extra + (c >= 0x80) + (c >= 0x800));
            pairs = static_cast<std::uint16_t>(pairs | ((c & 0xF800) == 0xD800));
        }
        bytes += extra;
        surrogates |= pairs;
    }
    if (!surrogates) return bytes;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            bytes -= 2;
            ++i;
        }
    return bytes;
}

char* EncodeUtf8(std::u16string_view text, char* out) {
    // Every unit gives at least one byte, so the room left is never less than the units left.
    const char16_t* const in = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t ascii = NarrowAscii(in + i, n - i, out);
        out += ascii;
        i += ascii;
        if (i >= n) break;
        char32_t c = in[i++];
        if (c >= 0xD800 && c <= 0xDBFF && i < n && in[i] >= 0xDC00 && in[i] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (in[i++] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = Replacement;  // unpaired surrogate
        out = PutUtf8(out, c);
    }
    return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + Utf8Length(text));
    EncodeUtf8(text, out.data() + start);
}

std::u16string FromUtf8(std::string_view bytes) {
    // Never more units than bytes. Runs of ASCII are widened a block at a time; the sequences
    // between them are decoded.
    const std::size_t n = bytes.size();
    std::u16string out(n, u'\0');
    char16_t* next = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < n) {
        // Units written never outrun bytes read, so the room left covers the bytes left.
        const std::size_t ascii = WidenAscii(in + i, n - i, next);
        next += ascii;
        i += ascii;
        if (i >= n) break;
        const unsigned char b0 = in[i];
        // The common two-byte form (Latin letters with marks) first.
        if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < n && (in[i + 1] & 0xC0) == 0x80) {
            *next++ = static_cast<char16_t>(((b0 & 0x1F) << 6) | (in[i + 1] & 0x3F));
            i += 2;
            continue;
        }
        size_t len = 0;
        char32_t cp = 0, min = 0;
        if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; min = 0x80; }
        else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; min = 0x800; }
        else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; min = 0x10000; }
        else { next = PutUtf16(next, Replacement); ++i; continue; }
        size_t k = 1;
        for (; k < len && i + k < n; ++k) {
            const unsigned char b = in[i + k];
            if ((b & 0xC0) != 0x80) break;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            // Consume the well-formed prefix only, so the next lead byte is seen again.
            next = PutUtf16(next, Replacement);
            i += k;
            continue;
        }
        next = PutUtf16(next, cp);
        i += len;
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return out;
}

}  // namespace platform
