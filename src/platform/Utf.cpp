#include "platform/Utf.h"

#include <cstdint>
#include <cstring>

namespace platform {

namespace {
constexpr char32_t Replacement = 0xFFFD;

// Writers into a buffer sized for the worst case beforehand (3 bytes per unit, 1 unit per byte).
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
}  // namespace

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(text, out);
    return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
    // A unit takes at most three bytes (a pair of two units takes four).
    const std::size_t start = out.size();
    out.resize(start + 3 * text.size());
    char* next = out.data() + start;
    const std::size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        // Runs of ASCII four units at a time: the common case, and a cheap test for it.
        while (i + 4 <= n) {
            std::uint64_t units;
            std::memcpy(&units, text.data() + i, 8);
            if (units & 0xFF80FF80FF80FF80ULL) break;
            for (int k = 0; k < 4; ++k) next[k] = static_cast<char>(text[i + k]);
            next += 4;
            i += 4;
        }
        if (i >= n) break;
        char32_t c = text[i];
        if (c < 0x80) {
            *next++ = static_cast<char>(c);
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = Replacement;  // unpaired surrogate
        }
        next = PutUtf8(next, c);
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
}

std::u16string FromUtf8(std::string_view bytes) {
    // Never more units than bytes. Runs of ASCII are found eight bytes at a time and widened in
    // one loop the compiler turns into vector code; the sequences between them are decoded.
    const std::size_t n = bytes.size();
    std::u16string out(n, u'\0');
    char16_t* next = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < n) {
        std::size_t end = i;
        while (end + 8 <= n) {
            std::uint64_t eight;
            std::memcpy(&eight, in + end, 8);
            if (eight & 0x8080808080808080ULL) break;
            end += 8;
        }
        while (end < n && in[end] < 0x80) ++end;
        char16_t* const run = next;
        const unsigned char* const from = in + i;
        for (std::size_t k = 0; k < end - i; ++k) run[k] = from[k];
        next += end - i;
        i = end;
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
