#include "util/LinksFile.h"

#include "util/LinksStream.h"
#include "util/WholeFile.h"

namespace util {

LinksDocument ParseLinksText(std::string_view bytes) {
    LinksDecoder decoder;
    decoder.Expect(bytes.size());
    decoder.Take(bytes);
    return decoder.Finish();
}

std::string FormatLinksText(const LinksDocument& document) {
    // Room for the usual case made once: growing by doubling would touch about twice the bytes.
    std::size_t units = 0;
    for (const auto& line : document.Lines) units += line.size() + 2;
    std::string out;
    out.reserve(document.Encoding == TextEncoding::Ansi      ? units
                : document.Encoding == TextEncoding::Utf8Bom ? 3 + units + units / 8
                                                             : 2 + 2 * units);
    LinksEncoder encoder(document);
    for (std::string_view piece = encoder.Next(); !piece.empty(); piece = encoder.Next()) out += piece;
    return out;
}

std::optional<LinksDocument> LoadLinksFile(const std::u16string& path) {
    // Decoded while it is read: the file's bytes are never held whole beside the lines.
    LinksDecoder decoder;
    if (!ReadFileThrough(path, decoder)) return std::nullopt;
    return decoder.Finish();
}

bool SaveLinksFile(const std::u16string& path, const LinksDocument& document) {
    LinksEncoder encoder(document);
    return AtomicReplace(path, [&encoder] { return encoder.Next(); });
}

}  // namespace util
