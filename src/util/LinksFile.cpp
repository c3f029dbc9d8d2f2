#include "util/LinksFile.h"

#include "util/WholeFile.h"

namespace util {

LinksDocument ParseLinksText(std::string_view bytes) {
    LinksDocument document;
    const std::u16string text = DecodeText(bytes, document.Encoding);
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        document.Lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) document.Lines.push_back(text.substr(start));
    return document;
}

std::string FormatLinksText(const LinksDocument& document) {
    std::u16string text;
    size_t length = 0;
    for (const auto& line : document.Lines) length += line.size() + 2;
    text.reserve(length);
    for (const auto& line : document.Lines) {
        text += line;
        text += u"\r\n";
    }
    return EncodeText(text, document.Encoding);
}

std::optional<LinksDocument> LoadLinksFile(const std::u16string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return ParseLinksText(*bytes);
}

bool SaveLinksFile(const std::u16string& path, const LinksDocument& document) {
    return AtomicReplace(path, FormatLinksText(document));
}

}  // namespace util
