#include "platform/CodePage.h"

#include <locale.h>
#include <wctype.h>

// Windows-1252 stands in for the ANSI code page. Bytes 0x80-0x9F carry typographic characters;
// five of them are unassigned (0xFFFF here) and decode to themselves, as the platform does.
namespace platform {
namespace {
constexpr char16_t High[32] = {0x20AC, 0xFFFF, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFF, 0x017D, 0xFFFF, 0xFFFF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFF, 0x017E, 0x0178};

bool Encode(char16_t c, char& out) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) { out = static_cast<char>(c); return true; }
    for (int i = 0; i < 32; ++i)
        if (High[i] == c) { out = static_cast<char>(0x80 + i); return true; }
    if (c >= 0x80 && c < 0xA0 && High[c - 0x80] == 0xFFFF) { out = static_cast<char>(c); return true; }
    return false;
}
}  // namespace

std::string ToAnsi(std::u16string_view text) {
    std::string out;
    AppendAnsi(text, out);
    return out;
}

void AppendAnsi(std::u16string_view text, std::string& out) {
    // At most one byte per unit: written in place, then cut to what was written.
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* next = out.data() + start;
    // Most text is Latin-1 outside 0x80 to 0x9F, where a unit is its own byte: one pass the
    // compiler turns into vector code, and the careful one below only when something else shows.
    char16_t unusual = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        next[i] = static_cast<char>(unit);
        unusual |= static_cast<char16_t>((unit & 0xFF00) | ((unit & 0xE0) == 0x80 ? 1 : 0));
    }
    if (!unusual) return;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            *next++ = static_cast<char>(unit);
            continue;
        }
        char c = '?';
        if (!Encode(unit, c)) {
            c = '?';
            // A surrogate pair is one character and becomes one replacement.
            if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF)
                ++i;
        }
        *next++ = c;
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
}

std::u16string FromAnsi(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    char16_t* const units = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    // Widened first (a loop the compiler turns into vector code), then the few bytes 0x80 to 0x9F
    // that differ from their code points mended.
    unsigned mended = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        units[i] = in[i];
        mended |= (in[i] & 0xE0) == 0x80;
    }
    if (!mended) return out;
    for (size_t i = 0; i < bytes.size(); ++i)
        if ((units[i] & 0xFFE0) == 0x80 && High[units[i] - 0x80] != 0xFFFF) units[i] = High[units[i] - 0x80];
    return out;
}

}  // namespace platform

// The C.UTF-8 locale carries the full simple case mapping of Unicode, independent of the user's
// locale; without it only ASCII letters change.
namespace platform {
char16_t UpperCaseChar(char16_t c) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (c >= 0xD800 && c <= 0xDFFF) return c;  // half a pair has no case
    if (!unicode) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    const wint_t upper = towupper_l(static_cast<wint_t>(c), unicode);
    // A mapping outside the 16-bit range (none exists today) leaves the character as it is.
    return upper <= 0xFFFF ? static_cast<char16_t>(upper) : c;
}
}  // namespace platform
