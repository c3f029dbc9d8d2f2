#include "util/LinksFile.h"

#include <cstring>

#include "util/WholeFile.h"

namespace util {

namespace {

// Calls line(begin, end) for each line of a sequence of n units, where unit(i) gives unit i.
// Lines end at CR LF, a lone CR or a lone LF; a last line without an end counts the same.
template <class Unit, class Line>
void ForEachLine(std::size_t n, Unit unit, Line line) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = unit(i);
        if (c != u'\r' && c != u'\n') continue;
        line(start, i);
        if (c == u'\r' && i + 1 < n && unit(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) line(start, n);
}

// The same for 8-bit text, with the platform's fast byte search: the common line is long and
// holds neither CR nor LF until its end.
template <class Line>
void ForEachByteLine(std::string_view bytes, Line line) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        if (const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)))) {
            line(p, cr);
            p = cr + 1;
            if (p < end && *p == '\n') ++p;
            continue;
        }
        line(p, stop);
        p = lf ? lf + 1 : end;
    }
}

}  // namespace

LinksDocument ParseLinksText(std::string_view bytes) {
    LinksDocument document;
    std::size_t mark = 0;
    document.Encoding = DetectEncoding(bytes, mark);
    bytes.remove_prefix(mark);
    // Each line is decoded from its own bytes: no copy of the whole text is made on the way.
    if (document.Encoding == TextEncoding::Ansi || document.Encoding == TextEncoding::Utf8Bom) {
        // CR and LF are single bytes in both, never part of another character.
        const bool utf8 = document.Encoding == TextEncoding::Utf8Bom;
        // Room for every line at once (a count the fast byte search gives), so the list is
        // never moved while it grows.
        std::size_t lines = 1;
        const char* const end = bytes.data() + bytes.size();
        for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))); ++p)
            ++lines;
        document.Lines.reserve(lines);
        ForEachByteLine(bytes, [&](const char* begin, const char* end) {
            const std::string_view line(begin, static_cast<std::size_t>(end - begin));
            document.Lines.push_back(utf8 ? FromUtf8(line) : FromAnsi(line));
        });
        return document;
    }
    // UTF-16: the units in one pass (an odd last byte is one more unit, the replacement
    // character), then the lines cut from them.
    const bool little = document.Encoding == TextEncoding::Utf16LE;
    std::u16string text(bytes.size() / 2 + bytes.size() % 2, u'\xFFFD');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < bytes.size() / 2; ++i)
        text[i] = static_cast<char16_t>(little ? in[2 * i] | (in[2 * i + 1] << 8) : (in[2 * i] << 8) | in[2 * i + 1]);
    ForEachLine(
        text.size(), [&](std::size_t i) { return text[i]; },
        [&](std::size_t begin, std::size_t end) { document.Lines.emplace_back(text, begin, end - begin); });
    return document;
}

std::string FormatLinksText(const LinksDocument& document) {
    // Each line is encoded straight into the bytes, with CR LF after it.
    std::size_t units = 0;
    for (const auto& line : document.Lines) units += line.size() + 2;
    std::string out;
    switch (document.Encoding) {
        case TextEncoding::Ansi:
            out.reserve(units);
            for (const auto& line : document.Lines) {
                AppendAnsi(line, out);
                out += "\r\n";
            }
            break;
        case TextEncoding::Utf8Bom:
            out.reserve(3 + units + units / 8);
            out = "\xEF\xBB\xBF";
            for (const auto& line : document.Lines) {
                AppendUtf8(line, out);
                out += "\r\n";
            }
            break;
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE: {
            const bool little = document.Encoding == TextEncoding::Utf16LE;
            out.resize(2 + 2 * units);
            char* next = out.data();
            const auto put = [&](char16_t c) {
                const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
                *next++ = little ? lo : hi;
                *next++ = little ? hi : lo;
            };
            put(u'\xFEFF');
            for (const auto& line : document.Lines) {
                for (const char16_t c : line) put(c);
                put(u'\r');
                put(u'\n');
            }
            break;
        }
    }
    return out;
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
