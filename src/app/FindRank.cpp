#include "app/FindRank.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "util/FileUtils.h"

namespace app {

namespace {

bool BeginsWordAt(const FindText& text, const std::u16string& word) {
    for (std::uint16_t start : text.WordStarts)
        if (text.Folded.compare(start, word.size(), word) == 0) return true;
    return false;
}

}  // namespace

FindQuery FindQuery::Of(std::u16string_view text) {
    FindQuery query;
    query.Words = FindWords(text);
    if (query.Words.empty()) return query;
    std::u16string folded = FoldForFind(text);
    const auto first = std::find_if(folded.begin(), folded.end(), [](char16_t c) { return !IsFindSeparator(c); });
    const auto last = std::find_if(folded.rbegin(), folded.rend(), [](char16_t c) { return !IsFindSeparator(c); }).base();
    query.Folded.assign(first, last);
    return query;
}

FindRank RankOf(const FindText& text, const FindQuery& query) {
    if (query.Words.empty() || text.Folded.empty()) return FindRank::None;
    if (text.Folded.size() >= query.Folded.size() && text.Folded.compare(0, query.Folded.size(), query.Folded) == 0)
        return FindRank::NameBegins;
    if (std::all_of(query.Words.begin(), query.Words.end(), [&](const auto& w) { return BeginsWordAt(text, w); }))
        return FindRank::WordBegins;
    if (query.Words.size() == 1 && query.Folded.size() >= 2 && text.Initials.size() >= query.Folded.size() &&
        text.Initials.compare(0, query.Folded.size(), query.Folded) == 0)
        return FindRank::Initials;
    if (std::all_of(query.Words.begin(), query.Words.end(),
                    [&](const auto& w) { return text.Folded.find(w) != std::u16string::npos; }))
        return FindRank::Inside;
    return FindRank::None;
}

FindRank RankOf(const FindEntry& entry, const FindQuery& query) {
    const FindRank byName = RankOf(entry.NameText, query);
    if (byName != FindRank::None || entry.Target.empty()) return byName;
    const FindRank byTarget = RankOf(entry.TargetText, query);
    if (byTarget == FindRank::None) return byTarget;
    return static_cast<FindRank>(static_cast<int>(byTarget) + static_cast<int>(FindRank::TargetBegins));
}

void NumberInNaturalOrder(std::vector<FindEntry>& index) {
    std::vector<std::uint32_t> order(index.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return util::NaturalCompare(index[a].Name, index[b].Name) < 0;
    });
    for (std::uint32_t place = 0; place < order.size(); ++place) index[order[place]].NaturalOrder = place;
}

std::vector<std::uint32_t> FindMatches(const std::vector<FindEntry>& index, const FindQuery& query,
                                       const RecentLinks& recent) {
    struct Match {
        FindRank Rank;
        bool IsFolder;
        int Recency;  // negated: more recent first
        std::uint32_t Natural;
        std::uint32_t Index;
    };
    std::vector<Match> matches;
    if (query.Words.empty()) return {};
    for (std::uint32_t i = 0; i < index.size(); ++i) {
        const FindEntry& entry = index[i];
        const FindRank rank = RankOf(entry, query);
        if (rank == FindRank::None) continue;
        int recency = 0;
        if (!recent.empty() && !entry.IsFolder)
            if (auto it = recent.find(entry.PathKey); it != recent.end()) recency = -it->second - 1;
        matches.push_back({rank, entry.IsFolder, recency, entry.NaturalOrder, i});
    }
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        return std::tie(a.Rank, a.IsFolder, a.Recency, a.Natural, a.Index) <
               std::tie(b.Rank, b.IsFolder, b.Recency, b.Natural, b.Index);
    });
    std::vector<std::uint32_t> result;
    result.reserve(matches.size());
    for (const Match& m : matches) result.push_back(m.Index);
    return result;
}

}  // namespace app
