#pragma once
// Type-to-find's matching and ranking over the entries of both Programs folders. A query matches
// an entry when every word of it is found in the entry's name, or when its letters are the
// initials of the name's words; failing that, the same against the file name of a shortcut's
// target. Results go best first: by rank, entries before folders, the user's recently launched
// links first, then in natural name order.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/FindText.h"

namespace app {

// One entry or folder of the menu as the search knows it.
struct FindEntry {
    std::u16string Name;          // as the menu shows it
    std::u16string Folder;        // the folders it lives in, "Zubehör › Werkzeug"; empty at the top
    std::u16string Path;          // its file-system path
    std::u16string PathKey;       // the path folded, as the recent links are looked up
    std::u16string Target;        // the file name of a shortcut's target; empty without one
    int Icon = 0;                 // in the system's small image list
    bool IsFolder = false;
    FindText NameText;
    FindText TargetText;
    std::uint32_t NaturalOrder = 0;  // place of the name in natural order over the whole index
};

// Best first; None does not match.
enum class FindRank : std::uint8_t {
    NameBegins, WordBegins, Initials, Inside,
    TargetBegins, TargetWordBegins, TargetInitials, TargetInside,
    None
};

struct FindQuery {
    std::u16string Folded;              // the whole query folded, separators at its ends dropped
    std::vector<std::u16string> Words;  // its words, folded
    static FindQuery Of(std::u16string_view text);
};

// How one folded text matches; the name ranks, offset by `targetOffset` ranks for a target.
FindRank RankOf(const FindText& text, const FindQuery& query);
FindRank RankOf(const FindEntry& entry, const FindQuery& query);

// Recently launched links: folded path to how recent (a higher number is more recent).
using RecentLinks = std::unordered_map<std::u16string, int>;

// Gives each entry its NaturalOrder over the index.
void NumberInNaturalOrder(std::vector<FindEntry>& index);

// The indexes of the matching entries, best first; none for a query without words.
std::vector<std::uint32_t> FindMatches(const std::vector<FindEntry>& index, const FindQuery& query,
                                       const RecentLinks& recent);

}  // namespace app
