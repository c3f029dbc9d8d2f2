// Type-to-find's folding, matching and ranking on tables of names.
#include <gtest/gtest.h>

#include "app/FindRank.h"

namespace {

using app::FindEntry;
using app::FindQuery;
using app::FindRank;

FindEntry Entry(std::u16string name, std::u16string target = u"", bool folder = false) {
    FindEntry entry;
    entry.Name = std::move(name);
    entry.Path = u"C:\\Menu\\" + entry.Name + (folder ? u"" : u".lnk");
    entry.PathKey = app::FoldForFind(entry.Path);
    entry.Target = std::move(target);
    entry.IsFolder = folder;
    entry.NameText = app::FindText::Of(entry.Name);
    entry.TargetText = app::FindText::Of(entry.Target);
    return entry;
}

std::vector<std::u16string> Names(const std::vector<FindEntry>& index, const std::u16string& query,
                                  const app::RecentLinks& recent = {}) {
    std::vector<std::u16string> names;
    for (std::uint32_t i : app::FindMatches(index, FindQuery::Of(query), recent)) names.push_back(index[i].Name);
    return names;
}

TEST(FindText, FoldsCaseAccentsAndUmlauts) {
    EXPECT_EQ(app::FoldForFind(u"Über Wine"), u"uber wine");
    EXPECT_EQ(app::FoldForFind(u"ÄÖÜäöüß"), u"aouaouss");
    EXPECT_EQ(app::FoldForFind(u"Crème Brûlée Œuvre Łódź"), u"creme brulee oeuvre lodz");
    // A decomposed umlaut (u + combining diaeresis) folds as the composed one.
    EXPECT_EQ(app::FoldForFind(u"U\u0308ber"), u"uber");
    EXPECT_EQ(app::FoldForFind(u"ΑΒΓ Привет"), u"αβγ привет");
    // CJK and emoji stay as they are.
    EXPECT_EQ(app::FoldForFind(u"画像 📷"), u"画像 📷");

    const app::FindText text = app::FindText::Of(u"Wine-Editor (Über)");
    EXPECT_EQ(text.Initials, u"weu");
    EXPECT_EQ(text.WordStarts, (std::vector<std::uint16_t>{0, 5, 13}));
    EXPECT_EQ(app::FindWords(u"  edit,  WINE "), (std::vector<std::u16string>{u"edit", u"wine"}));
    EXPECT_TRUE(app::FindWords(u"<>|?*").empty());
}

TEST(FindRank, RanksAsTheTableSays) {
    struct Case {
        std::u16string name, query;
        FindRank rank;
    } cases[] = {
        {u"Editor", u"edi", FindRank::NameBegins},
        {u"Editor", u"EDITOR", FindRank::NameBegins},
        {u"Über Wine", u"uber", FindRank::NameBegins},
        {u"Über Wine", u"über", FindRank::NameBegins},
        {u"Uber Wine", u"über", FindRank::NameBegins},
        {u"Wine Editor", u"edi", FindRank::WordBegins},
        {u"Wine-Editor", u"edi", FindRank::WordBegins},
        {u"Editor Wine", u"ew", FindRank::Initials},
        {u"Editor Wine Tools", u"ewt", FindRank::Initials},
        {u"Notepad", u"pad", FindRank::Inside},
        // Every word of the query must be in the name, in any order.
        {u"Wine Editor", u"editor wine", FindRank::WordBegins},
        {u"Wine Editor", u"tor wi", FindRank::Inside},
        {u"Wine Editor", u"editor zzz", FindRank::None},
        {u"Editor", u"zzz", FindRank::None},
        // One letter is no set of initials.
        {u"Editor Wine", u"w", FindRank::WordBegins},
        {u"Editor", u"", FindRank::None},
        {u"Editor", u"  ", FindRank::None},
        {u"Editor", u"<>|", FindRank::None},
        {u"Ed", u"editor", FindRank::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::RankOf(Entry(c.name), FindQuery::Of(c.query)), c.rank)
            << std::string(c.name.begin(), c.name.end()) << " / " << std::string(c.query.begin(), c.query.end());
    }
    // A target's file name matches after every name rank.
    EXPECT_EQ(app::RankOf(Entry(u"Editor", u"notepad.exe"), FindQuery::Of(u"notepad")), FindRank::TargetBegins);
    EXPECT_EQ(app::RankOf(Entry(u"Editor", u"notepad.exe"), FindQuery::Of(u"pad")), FindRank::TargetInside);
    EXPECT_EQ(app::RankOf(Entry(u"Editor", u"notepad.exe"), FindQuery::Of(u"edi")), FindRank::NameBegins);
}

TEST(FindRank, OrdersByRankThenEntriesThenRecentLinksThenNaturally) {
    std::vector<FindEntry> index = {
        Entry(u"Wine Editor"),              // word begins
        Entry(u"Editor 10"),                // name begins
        Entry(u"Editor 9"),                 // name begins, before 10 in natural order
        Entry(u"Editoren", u"", true),      // a folder: after the entries of its rank
        Entry(u"Kreditor"),                 // inside
        Entry(u"Text", u"editpad.exe"),     // by target, after all names
        Entry(u"Eine Dicke Intro"),         // initials "edi"
    };
    app::NumberInNaturalOrder(index);
    EXPECT_EQ(Names(index, u"edi"), (std::vector<std::u16string>{u"Editor 9", u"Editor 10", u"Editoren", u"Wine Editor",
                                                                 u"Eine Dicke Intro", u"Kreditor", u"Text"}));

    // A recently launched link comes first within its rank, the most recent first; never across ranks.
    app::RecentLinks recent{{app::FoldForFind(u"C:\\Menu\\Editor 10.lnk"), 1},
                            {app::FoldForFind(u"C:\\MENU\\KREDITOR.LNK"), 2}};
    EXPECT_EQ(Names(index, u"edi", recent), (std::vector<std::u16string>{u"Editor 10", u"Editor 9", u"Editoren",
                                                                         u"Wine Editor", u"Eine Dicke Intro",
                                                                         u"Kreditor", u"Text"}));
}

TEST(FindRank, OddQueriesFindNothingAndStayFast) {
    std::vector<FindEntry> index = {Entry(u"Editor"), Entry(u"画像ビューア"), Entry(u"📷 Kamera"),
                                    Entry(std::u16string(200, u'a'))};
    app::NumberInNaturalOrder(index);
    EXPECT_TRUE(Names(index, std::u16string(500, u'a')).empty());
    EXPECT_TRUE(Names(index, u"\\/:*?\"<>|").empty());
    EXPECT_EQ(Names(index, std::u16string(200, u'A')), (std::vector<std::u16string>{std::u16string(200, u'a')}));
    EXPECT_EQ(Names(index, u"ビュー"), (std::vector<std::u16string>{u"画像ビューア"}));
    EXPECT_EQ(Names(index, u"kamera"), (std::vector<std::u16string>{u"📷 Kamera"}));
}

}  // namespace
