#pragma once
// Awkward menus for the type-to-find benchmarks: entries in chains of folders up to eight deep,
// with umlauts, CJK, emoji and 200-character names mixed among ordinary ones.
#include <string>
#include <vector>

struct BenchEntry {
    std::u16string Place;  // folders below the Programs folder, "\"-separated; empty at the top
    std::u16string Name;
    std::u16string Target;  // the program a shortcut would point to
};

inline std::u16string BenchNumber(int n) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n > 0);
    return text;
}

// Names of the long kind are longLength characters (200; less where paths must stay short).
inline std::vector<BenchEntry> AwkwardEntries(int count, std::size_t longLength = 200) {
    static const std::u16string stems[] = {u"Größenänderung Übersicht", u"画像ビューア", u"📷 Kamera Werkzeug",
                                           u"Editor Wine", u"Rechner für Zahlen", u"Ærø Ångström Øl",
                                           u"Déjà vu Café", u"Мой Редактор"};
    std::vector<BenchEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        BenchEntry entry;
        entry.Place = u"Gruppe " + BenchNumber(i / 100);
        for (int level = 1; level <= i % 8; ++level) entry.Place += u"\\Ebene " + BenchNumber(level);
        std::u16string name = stems[i % 8] + u" " + BenchNumber(i);
        if (i % 13 == 0) {
            while (name.size() < longLength) name += u" sehr langer Name";
            name.resize(longLength);
            entry.Place = u"Gruppe " + BenchNumber(i / 100);  // a long name sits high up
        }
        entry.Name = name;
        entry.Target = u"prog" + BenchNumber(i) + u".exe";
        entries.push_back(std::move(entry));
    }
    return entries;
}
