#pragma once
// Text as type-to-find compares it: folded (lower case, accents and umlauts set aside, so that
// "Über", "uber" and "über" are the same text), cut into words, with the words' initials.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The folded form: lower case; a letter with an accent, umlaut or stroke becomes its base letter
// ("ß" becomes "ss"); combining marks go.
std::u16string FoldForFind(std::u16string_view text);

// Whether a folded character separates words: blanks, punctuation and symbols of the ASCII and
// Latin-1 ranges and the common Unicode punctuation blocks. Letters and digits of every script
// (CJK included) and emoji are word characters.
bool IsFindSeparator(char16_t c);

// A folded text with where its words begin.
struct FindText {
    std::u16string Folded;
    std::vector<std::uint16_t> WordStarts;  // offsets into Folded
    std::u16string Initials;                // the first character of each word

    static FindText Of(std::u16string_view text);
};

// The words of a query, folded; empty when the query holds only separators.
std::vector<std::u16string> FindWords(std::u16string_view query);

}  // namespace app
