#pragma once
// The user's own links, kept in "links.dat": one entry a line, "name<TAB>path", where only the
// first TAB separates; a line without a TAB is a name without a path and is written back as read.
#include <cstddef>
#include <string>
#include <vector>

#include "util/TextCodec.h"
#include "util/Utils.h"

namespace app {

struct LinkEntry {
    std::u16string Name;
    std::u16string Path;
    bool Separated = true;  // the line had a TAB

    static LinkEntry FromLine(const std::u16string& line);
    // The entry for a path: named after its file name without the extension.
    static LinkEntry ForPath(const std::u16string& path);
    std::u16string Line() const;
    friend bool operator==(const LinkEntry&, const LinkEntry&) = default;
};

// The entry name of a path: its file name without the extension (C:\Tools\Editor.lnk gives Editor).
std::u16string LinkNameFromPath(const std::u16string& path);

class LinkList {
public:
    LinkList() = default;
    LinkList(std::initializer_list<std::u16string> lines);

    std::size_t size() const { return FEntries.size(); }
    bool empty() const { return FEntries.empty(); }
    const LinkEntry& operator[](std::size_t index) const { return FEntries[index]; }
    std::vector<LinkEntry>::const_iterator begin() const { return FEntries.begin(); }
    std::vector<LinkEntry>::const_iterator end() const { return FEntries.end(); }

    void Clear();
    void Add(LinkEntry entry) { FEntries.push_back(std::move(entry)); }
    // True when an entry links the path: a closing backslash does not count, and A-Z match
    // without regard to case.
    bool Contains(const std::u16string& path) const;
    // The entries as the file holds them.
    util::StringList Lines() const;

    // Reads the file; a file that is missing or cannot be read leaves the list empty, to be
    // written in the ANSI code page.
    void Load(const std::u16string& file);
    // Writes every entry in the encoding the file was read in, replacing the file in one step;
    // false when it could not be written (the old file is then intact).
    bool Save(const std::u16string& file) const;

private:
    std::vector<LinkEntry> FEntries;
    util::TextEncoding FEncoding = util::TextEncoding::Ansi;
};

}  // namespace app
