#include "app/FindText.h"

#include <algorithm>

namespace app {

namespace {

// Base letters of U+00C0..U+00FF and U+0100..U+017F; '*' marks the few that fold otherwise.
constexpr std::u16string_view Latin1Bases = u"aaaaaa*ceeeeiiiidnooooo*ouuuuy**aaaaaa*ceeeeiiiidnooooo*ouuuuy*y";
constexpr std::u16string_view LatinExtendedBases =
    u"aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkkllllllllllnnnnnnnnnoooooo**rrrrrrsssssssstt"
    u"ttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(Latin1Bases.size() == 0x40);
static_assert(LatinExtendedBases.size() == 0x80);

void AppendFolded(std::u16string& out, char16_t c) {
    if (c < 0x80) {
        out += (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
        return;
    }
    if (c >= 0x300 && c <= 0x36F) return;  // a combining accent of a decomposed letter
    if (c >= 0xC0 && c <= 0x17F) {
        const char16_t base = c < 0x100 ? Latin1Bases[c - 0xC0] : LatinExtendedBases[c - 0x100];
        if (base != u'*') {
            out += base;
            return;
        }
        switch (c) {
            case 0xC6: case 0xE6: out += u"ae"; return;
            case 0xDF: out += u"ss"; return;
            case 0xDE: out += char16_t(0xFE); return;
            case 0x132: case 0x133: out += u"ij"; return;
            case 0x152: case 0x153: out += u"oe"; return;
            default: out += c; return;  // the multiplication and division signs
        }
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) c = static_cast<char16_t>(c + 0x20);        // Greek capitals
    else if (c >= 0x410 && c <= 0x42F) c = static_cast<char16_t>(c + 0x20);                 // Cyrillic capitals
    else if (c >= 0x400 && c <= 0x40F) c = static_cast<char16_t>(c + 0x50);                 // Cyrillic Ѐ..Џ
    else if (c >= 0xFF21 && c <= 0xFF3A) c = static_cast<char16_t>(c + 0x20);               // full-width Latin
    out += c;
}

}  // namespace

std::u16string FoldForFind(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) AppendFolded(out, c);
    return out;
}

bool IsFindSeparator(char16_t c) {
    if (c < 0x80) return !((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'));
    if (c < 0xC0) return c != 0xAA && c != 0xB5 && c != 0xBA;  // Latin-1 signs, but its letters
    if (c == 0xD7 || c == 0xF7) return true;
    return (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF0F);
}

FindText FindText::Of(std::u16string_view text) {
    FindText result;
    result.Folded = FoldForFind(text);
    bool inWord = false;
    // Names are at most a few hundred characters; offsets past 65535 would not fit and are not kept.
    const std::size_t limit = std::min<std::size_t>(result.Folded.size(), 0xFFFF);
    for (std::size_t i = 0; i < limit; ++i) {
        const bool separator = IsFindSeparator(result.Folded[i]);
        if (!separator && !inWord) {
            result.WordStarts.push_back(static_cast<std::uint16_t>(i));
            result.Initials += result.Folded[i];
        }
        inWord = !separator;
    }
    return result;
}

std::vector<std::u16string> FindWords(std::u16string_view query) {
    const FindText text = FindText::Of(query);
    std::vector<std::u16string> words;
    for (std::size_t w = 0; w < text.WordStarts.size(); ++w) {
        std::size_t end = text.WordStarts[w];
        while (end < text.Folded.size() && !IsFindSeparator(text.Folded[end])) ++end;
        words.push_back(text.Folded.substr(text.WordStarts[w], end - text.WordStarts[w]));
    }
    return words;
}

}  // namespace app
