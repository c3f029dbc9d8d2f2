#pragma once
// The links file: one entry per line, every line ending in CR LF, in the encoding its byte-order
// mark names (kept for writing) or the ANSI code page without one.
#include <optional>
#include <string>
#include <string_view>

#include "util/TextCodec.h"
#include "util/Utils.h"

namespace util {

struct LinksDocument {
    StringList Lines;
    TextEncoding Encoding = TextEncoding::Ansi;
};

// Lines end at CR LF, a lone CR or a lone LF; a last line without an end counts the same.
LinksDocument ParseLinksText(std::string_view bytes);
std::string FormatLinksText(const LinksDocument& document);

// nullopt when the file does not exist or cannot be read.
std::optional<LinksDocument> LoadLinksFile(const std::u16string& path);
// Replaces the file in one step; false when it could not be written (the old file is then intact).
bool SaveLinksFile(const std::u16string& path, const LinksDocument& document);

}  // namespace util
