#include "runbox/RunCommand.h"

#include "util/FileUtils.h"

namespace runbox {

namespace {
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string TrimBlanks(const std::u16string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::u16string TrimLeft(const std::u16string& text) {
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    return text.substr(first);
}
}  // namespace

std::u16string ExpandVariables(const std::u16string& text, const VariableLookup& lookup) {
    std::u16string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find(u'%', pos);
        if (open == std::u16string::npos) break;
        const std::size_t close = text.find(u'%', open + 1);
        if (close == std::u16string::npos) break;
        out.append(text, pos, open - pos);
        const std::u16string name = text.substr(open + 1, close - open - 1);
        const std::optional<std::u16string> value = name.empty() || !lookup ? std::nullopt : lookup(name);
        if (value) {
            out += *value;
            pos = close + 1;
        } else {
            // Left as typed; the closing sign may open the next name.
            out += u'%';
            out += name;
            pos = close;
        }
    }
    out.append(text, pos, std::u16string::npos);
    return out;
}

RunCommand SplitCommand(const std::u16string& typed, const FileResolver& resolve) {
    const std::u16string text = TrimBlanks(typed);
    if (text.empty()) return {};
    if (text[0] == u'"') {
        const std::size_t close = text.find(u'"', 1);
        if (close == std::u16string::npos) return {TrimBlanks(text.substr(1)), {}};
        return {text.substr(1, close - 1), TrimLeft(text.substr(close + 1))};
    }
    // From the longest beginning that ends before a blank down to the first word.
    for (std::size_t end = text.size(); end != std::u16string::npos && end > 0;) {
        const std::u16string candidate = TrimBlanks(text.substr(0, end));
        if (!candidate.empty() && resolve)
            if (std::optional<std::u16string> file = resolve(candidate)) return {*file, TrimLeft(text.substr(end))};
        if (end == 0) break;
        end = text.find_last_of(u" \t", end - 1);
    }
    std::size_t firstBlank = 0;
    while (firstBlank < text.size() && !IsBlank(text[firstBlank])) ++firstBlank;
    return {text.substr(0, firstBlank), TrimLeft(text.substr(firstBlank))};
}

std::optional<std::u16string> ExistingFile(const std::u16string& path) {
    if (util::FileExists(path) || util::DirectoryExists(path)) return path;
    if (util::FileExists(path + u".exe")) return path + u".exe";
    return std::nullopt;
}

}  // namespace runbox
