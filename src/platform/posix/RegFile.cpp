#include "platform/posix/RegFile.h"

#include <cstdio>

#include "platform/Utf.h"

namespace platform::posix {

namespace {

const std::u16string Header = u"Windows Registry Editor Version 5.00";

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

[[noreturn]] void Fault(std::size_t line, const std::string& what) {
    throw RegistryStoreError("registry file line " + std::to_string(line) + ": " + what);
}

std::u16string Decode(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        if (bytes.size() % 2 != 0) throw RegistryStoreError("registry file: UTF-16 text of odd length");
        std::u16string text;
        text.reserve(bytes.size() / 2 - 1);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
        return text;
    }
    std::size_t start = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    return FromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()) + start, bytes.size() - start));
}

std::vector<std::u16string> SplitLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    std::u16string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

bool Blank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Trim(const std::u16string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && Blank(s[a])) ++a;
    while (b > a && Blank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// A quoted text starting at s[pos] == '"'; pos ends after the closing quote.
std::u16string ReadQuoted(const std::u16string& s, std::size_t& pos, std::size_t line) {
    std::u16string out;
    ++pos;
    while (pos < s.size()) {
        const char16_t c = s[pos++];
        if (c == u'"') return out;
        if (c == u'\\') {
            if (pos >= s.size()) break;
            const char16_t e = s[pos++];
            if (e != u'\\' && e != u'"') Fault(line, "unknown escape in a quoted text");
            out.push_back(e);
        } else {
            out.push_back(c);
        }
    }
    Fault(line, "quoted text without its closing quote");
}

std::vector<std::uint8_t> ReadHexList(const std::u16string& s, std::size_t line) {
    std::vector<std::uint8_t> bytes;
    const std::u16string list = Trim(s);
    if (list.empty()) return bytes;
    std::size_t pos = 0;
    while (true) {
        while (pos < list.size() && Blank(list[pos])) ++pos;
        int value = 0, digits = 0;
        while (pos < list.size() && HexDigit(list[pos]) >= 0) {
            value = value * 16 + HexDigit(list[pos++]);
            if (++digits > 2) Fault(line, "hex byte of more than two digits");
        }
        if (digits == 0) Fault(line, "hex list with a missing byte");
        bytes.push_back(static_cast<std::uint8_t>(value));
        while (pos < list.size() && Blank(list[pos])) ++pos;
        if (pos == list.size()) return bytes;
        if (list[pos] != u',') Fault(line, "hex list with a stray character");
        ++pos;
    }
}

RegValue ReadData(const std::u16string& s, std::size_t line) {
    RegValue v;
    if (!s.empty() && s[0] == u'"') {
        std::size_t pos = 0;
        const std::u16string text = ReadQuoted(s, pos, line);
        if (!Trim(s.substr(pos)).empty()) Fault(line, "text after a quoted value");
        return StringValue(text);
    }
    if (s.rfind(u"dword:", 0) == 0) {
        const std::u16string digits = Trim(s.substr(6));
        if (digits.empty() || digits.size() > 8) Fault(line, "dword value without one to eight hex digits");
        std::uint32_t n = 0;
        for (char16_t c : digits) {
            if (HexDigit(c) < 0) Fault(line, "dword value with a non-hex digit");
            n = n * 16 + static_cast<std::uint32_t>(HexDigit(c));
        }
        v.Type = RegDword;
        for (int i = 0; i < 4; ++i) v.Data.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
        return v;
    }
    if (s.rfind(u"hex:", 0) == 0) {
        v.Type = RegBinary;
        v.Data = ReadHexList(s.substr(4), line);
        return v;
    }
    if (s.rfind(u"hex(", 0) == 0) {
        const std::size_t close = s.find(u"):");
        if (close == std::u16string::npos || close == 4 || close > 12) Fault(line, "hex(type) without its type");
        std::uint32_t type = 0;
        for (std::size_t i = 4; i < close; ++i) {
            if (HexDigit(s[i]) < 0) Fault(line, "hex(type) with a non-hex type");
            type = type * 16 + static_cast<std::uint32_t>(HexDigit(s[i]));
        }
        v.Type = type;
        v.Data = ReadHexList(s.substr(close + 2), line);
        return v;
    }
    Fault(line, "value of an unknown kind");
}

void Put(std::u16string& out, const std::u16string& s) { out += s; }

std::u16string Quote(const std::u16string& s) {
    std::u16string out = u"\"";
    for (char16_t c : s) {
        if (c == u'\\' || c == u'"') out.push_back(u'\\');
        out.push_back(c);
    }
    out.push_back(u'"');
    return out;
}

std::u16string Hex2(unsigned b) {
    const char16_t* digits = u"0123456789abcdef";
    return {digits[(b >> 4) & 15], digits[b & 15]};
}

// A string value that the quoted form can carry exactly: whole UTF-16 units, one final zero, no
// other zero and no line-breaking control characters.
bool QuotedFormFits(const RegValue& v) {
    if (v.Type != RegSz || v.Data.size() < 2 || v.Data.size() % 2 != 0) return false;
    const std::size_t units = v.Data.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t c = static_cast<char16_t>(v.Data[2 * i] | (v.Data[2 * i + 1] << 8));
        if (i + 1 == units) return c == 0;
        if (c < 0x20) return false;
    }
    return false;
}

std::u16string FormatData(const RegValue& v, std::size_t nameLength) {
    if (QuotedFormFits(v)) return Quote(StringOf(v));
    if (v.Type == RegDword && v.Data.size() == 4) {
        const std::uint32_t n = v.Data[0] | (v.Data[1] << 8) | (v.Data[2] << 16) | (static_cast<std::uint32_t>(v.Data[3]) << 24);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", n);
        return FromUtf8(buffer);
    }
    std::u16string out;
    if (v.Type == RegBinary) {
        out = u"hex:";
    } else {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "hex(%x):", v.Type);
        out = FromUtf8(buffer);
    }
    // Wrapped as the editor does, near 80 columns, with a backslash before each break.
    std::size_t column = nameLength + 1 + out.size();
    for (std::size_t i = 0; i < v.Data.size(); ++i) {
        out += Hex2(v.Data[i]);
        column += 2;
        if (i + 1 < v.Data.size()) {
            out.push_back(u',');
            ++column;
            if (column > 76) {
                out += u"\\\r\n  ";
                column = 2;
            }
        }
    }
    return out;
}

}  // namespace

std::u16string FoldRegistryName(const std::u16string& name) {
    std::u16string out = name;
    for (char16_t& c : out) c = Upper(c);
    return out;
}

RegFileValue* RegFileKey::Find(const std::u16string& name) {
    if (FIndex.size() != Values.size()) Reindex();
    const auto found = FIndex.find(FoldRegistryName(name));
    return found == FIndex.end() ? nullptr : &Values[found->second];
}

void RegFileKey::Set(const std::u16string& name, RegValue value) {
    if (RegFileValue* existing = Find(name)) {
        existing->Value = std::move(value);
        return;
    }
    Values.push_back({name, std::move(value)});
    FIndex.emplace(FoldRegistryName(name), Values.size() - 1);
}

void RegFileKey::Reindex() {
    FIndex.clear();
    // The first of two values that differ only in case is the one found, as before.
    for (std::size_t i = 0; i < Values.size(); ++i) FIndex.emplace(FoldRegistryName(Values[i].Name), i);
}

namespace {
// Calls part(begin, length) for each part of a backslash-separated path; "" has none.
template <class Part>
void ForEachPart(const std::u16string& path, Part part) {
    if (path.empty()) return;
    std::size_t begin = 0;
    while (true) {
        const std::size_t slash = path.find(u'\\', begin);
        const std::size_t end = slash == std::u16string::npos ? path.size() : slash;
        part(begin, end - begin);
        if (slash == std::u16string::npos) return;
        begin = slash + 1;
    }
}

bool HasControlCharacter(const std::u16string& text) {
    for (char16_t c : text)
        if (c < 0x20) return true;
    return false;
}
}  // namespace

bool IsStorableKeyPath(const std::u16string& path) {
    if (HasControlCharacter(path)) return false;
    bool fits = true;
    std::size_t depth = 0;
    ForEachPart(path, [&](std::size_t, std::size_t length) {
        if (length == 0 || length > MaxKeyNameLength || ++depth > MaxKeyDepth) fits = false;
    });
    return fits;
}

bool IsStorableValueName(const std::u16string& name) {
    return name.size() <= MaxValueNameLength && !HasControlCharacter(name);
}

RegFileKey* RegFileTree::Find(const std::u16string& path) {
    RegFileKey* key = &Root;
    ForEachPart(path, [&](std::size_t begin, std::size_t length) {
        if (!key) return;
        const auto found = key->Children.find(FoldRegistryName(path.substr(begin, length)));
        key = found == key->Children.end() ? nullptr : found->second.get();
    });
    return key;
}

RegFileKey& RegFileTree::Create(const std::u16string& path) {
    RegFileKey* key = &Root;
    ForEachPart(path, [&](std::size_t begin, std::size_t length) {
        const std::u16string name = path.substr(begin, length);
        std::unique_ptr<RegFileKey>& child = key->Children[FoldRegistryName(name)];
        if (!child) {
            child = std::make_unique<RegFileKey>();
            child->Name = name;
        }
        key = child.get();
    });
    return *key;
}

std::size_t RegFileTree::KeyCount() const {
    std::size_t count = 0;
    std::vector<const RegFileKey*> pending{&Root};
    while (!pending.empty()) {
        const RegFileKey* key = pending.back();
        pending.pop_back();
        ++count;
        for (const auto& [folded, child] : key->Children) pending.push_back(child.get());
    }
    return count;
}

RegFileTree ParseRegFile(const std::vector<std::uint8_t>& bytes, const std::u16string& rootName) {
    RegFileTree tree;
    const std::vector<std::u16string> lines = SplitLines(Decode(bytes));
    std::size_t index = 0;
    while (index < lines.size() && Trim(lines[index]).empty()) ++index;
    if (index == lines.size()) return tree;  // an empty file is an empty store
    if (Trim(lines[index]) != Header) Fault(index + 1, "not a registry editor file of version 5.00");
    RegFileKey* key = nullptr;
    for (++index; index < lines.size(); ++index) {
        const std::size_t lineNumber = index + 1;
        std::u16string line = Trim(lines[index]);
        if (line.empty() || line[0] == u';') continue;
        if (line[0] == u'[') {
            if (line.back() != u']') Fault(lineNumber, "key header without its closing bracket");
            const std::u16string full = line.substr(1, line.size() - 2);
            if (!full.empty() && full[0] == u'-') Fault(lineNumber, "key deletion in a stored tree");
            const std::size_t slash = full.find(u'\\');
            const std::u16string root = full.substr(0, slash);
            if (FoldRegistryName(root) != FoldRegistryName(rootName)) Fault(lineNumber, "key of another root");
            std::u16string path = slash == std::u16string::npos ? std::u16string() : full.substr(slash + 1);
            if (!IsStorableKeyPath(path)) Fault(lineNumber, "key path with an empty part, or beyond the registry's limits");
            key = &tree.Create(path);
            continue;
        }
        if (!key) Fault(lineNumber, "value before the first key");
        std::u16string name;
        std::size_t pos = 0;
        if (line[0] == u'@') {
            pos = 1;
        } else if (line[0] == u'"') {
            name = ReadQuoted(line, pos, lineNumber);
        } else {
            Fault(lineNumber, "line that is neither a key nor a value");
        }
        if (pos >= line.size() || line[pos] != u'=') Fault(lineNumber, "value name without '='");
        std::u16string data = line.substr(pos + 1);
        if (data == u"-") Fault(lineNumber, "value deletion in a stored tree");
        // Hex lists go on over lines that end in a backslash.
        if (data.rfind(u"hex", 0) == 0) {
            while (!data.empty() && data.back() == u'\\') {
                data.pop_back();
                if (++index >= lines.size()) Fault(lineNumber, "continued hex list at the end of the file");
                data += Trim(lines[index]);
            }
        }
        if (name.size() > MaxValueNameLength) Fault(lineNumber, "value name beyond the registry's limit");
        key->Set(name, ReadData(data, lineNumber));
    }
    return tree;
}

std::vector<std::uint8_t> FormatRegFile(const RegFileTree& tree, const std::u16string& rootName) {
    std::u16string text = Header + u"\r\n\r\n";
    // Depth first with the path built as it goes. A key without values is written only when it
    // has no sub keys: reading a sub key brings back its parents, so a deep path is written once
    // rather than once per level.
    struct Step {
        const RegFileKey* Key;
        std::size_t PathLength;  // of the parent's path, before this key's part is added
    };
    std::u16string path = rootName;
    std::vector<Step> pending{{&tree.Root, path.size()}};
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        path.resize(step.PathLength);
        if (step.Key != &tree.Root) path += u"\\" + step.Key->Name;
        if (!step.Key->Values.empty() || step.Key->Children.empty()) {
            Put(text, u"[" + path + u"]\r\n");
            for (const RegFileValue& v : step.Key->Values) {
                const std::u16string name = v.Name.empty() ? u"@" : Quote(v.Name);
                Put(text, name + u"=" + FormatData(v.Value, name.size()) + u"\r\n");
            }
            Put(text, u"\r\n");
        }
        for (auto child = step.Key->Children.rbegin(); child != step.Key->Children.rend(); ++child)
            pending.push_back({child->second.get(), path.size()});
    }
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    bytes.reserve(2 + text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

}  // namespace platform::posix
