// Text helpers: natural order is reflexive and antisymmetric, a cleaned number has a number's shape, and
// splitting keeps every character that is not a separator.
#include "FuzzTarget.h"
#include "util/FileUtils.h"
#include "util/Utils.h"

namespace fuzz {
namespace {
int Sign(int v) { return (v > 0) - (v < 0); }
bool IsNumberShape(const std::u16string& s) {
    std::size_t i = (!s.empty() && (s[0] == u'+' || s[0] == u'-')) ? 1 : 0;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i)
        if (s[i] < u'0' || s[i] > u'9') return false;
    return true;
}
}  // namespace

void TextHelpers(const std::uint8_t* data, std::size_t size) {
    // Three texts of 16-bit units, split at the first two zero units.
    std::u16string parts[3];
    std::size_t part = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0 && part < 2) ++part;
        else parts[part].push_back(c);
    }
    const std::u16string &a = parts[0], &b = parts[1], &c = parts[2];

    Check(util::NaturalCompare(a, a) == 0, "a text is not equal to itself");
    const int ab = Sign(util::NaturalCompare(a, b)), ba = Sign(util::NaturalCompare(b, a));
    Check(ab == -ba, "natural order is not antisymmetric");
    // Not transitive by design: "file" equals both "file1" and "file2", which differ. Callers
    // sort with it only through sorts that tolerate that, never std::sort.
    Check(Sign(util::NaturalCompare(a + c, a + c)) == 0, "a joined text is not equal to itself");

    const std::u16string cleaned = util::CleanIntText(a);
    Check(IsNumberShape(cleaned), "a cleaned number is no number");
    Check(cleaned == u"0" || cleaned.size() <= a.size(), "cleaning added characters");

    util::StringList list;
    util::SplitToList(a, b, list);
    std::size_t kept = 0;
    for (const std::u16string& item : list) {
        Check(b.empty() || item.find(b) == std::u16string::npos, "an item holds its separator");
        kept += item.size();
    }
    Check(kept <= a.size(), "split made characters");
    if (b.empty()) Check(a.empty() ? list.empty() : (list.size() == 1 && list[0] == a), "no separator split the text");
}

}  // namespace fuzz
