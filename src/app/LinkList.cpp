#include "app/LinkList.h"

#include "util/LinksFile.h"

namespace app {

LinkEntry LinkEntry::FromLine(const std::u16string& line) {
    const std::size_t tab = line.find(u'\t');
    if (tab == std::u16string::npos) return {line, u"", false};
    return {line.substr(0, tab), line.substr(tab + 1), true};
}

LinkEntry LinkEntry::ForPath(const std::u16string& path) { return {LinkNameFromPath(path), path, true}; }

std::u16string LinkEntry::Line() const { return Separated ? Name + u'\t' + Path : Name; }

std::u16string LinkNameFromPath(const std::u16string& path) {
    const std::size_t sep = path.find_last_of(u"\\:");
    std::u16string name = sep == std::u16string::npos ? path : path.substr(sep + 1);
    const std::size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos) name.erase(dot);
    return name;
}

LinkList::LinkList(std::initializer_list<std::u16string> lines) {
    for (const std::u16string& line : lines) FEntries.push_back(LinkEntry::FromLine(line));
}

void LinkList::Clear() {
    FEntries.clear();
    FEncoding = util::TextEncoding::Ansi;
}

bool LinkList::Contains(const std::u16string& path) const {
    const std::u16string wanted = util::EnsureTrailingBackslash(path);
    for (const LinkEntry& entry : FEntries)
        if (util::SameTextAscii(util::EnsureTrailingBackslash(entry.Path), wanted)) return true;
    return false;
}

util::StringList LinkList::Lines() const {
    util::StringList lines;
    lines.reserve(FEntries.size());
    for (const LinkEntry& entry : FEntries) lines.push_back(entry.Line());
    return lines;
}

void LinkList::Load(const std::u16string& file) {
    Clear();
    auto document = util::LoadLinksFile(file);
    if (!document) return;
    FEntries.reserve(document->Lines.size());
    for (const std::u16string& line : document->Lines) FEntries.push_back(LinkEntry::FromLine(line));
    FEncoding = document->Encoding;
}

bool LinkList::Save(const std::u16string& file) const {
    return util::SaveLinksFile(file, util::LinksDocument{Lines(), FEncoding});
}

}  // namespace app
