#include "util/TextCodec.h"

namespace util {

TextEncoding DetectEncoding(std::string_view bytes, size_t& markLength) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") { markLength = 3; return TextEncoding::Utf8Bom; }
    if (bytes.substr(0, 2) == "\xFF\xFE") { markLength = 2; return TextEncoding::Utf16LE; }
    if (bytes.substr(0, 2) == "\xFE\xFF") { markLength = 2; return TextEncoding::Utf16BE; }
    markLength = 0;
    return TextEncoding::Ansi;
}

std::u16string DecodeText(std::string_view bytes, TextEncoding& encoding) {
    size_t mark = 0;
    encoding = DetectEncoding(bytes, mark);
    bytes.remove_prefix(mark);
    switch (encoding) {
    case TextEncoding::Ansi: return FromAnsi(bytes);
    case TextEncoding::Utf8Bom: return FromUtf8(bytes);
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool little = encoding == TextEncoding::Utf16LE;
        std::u16string out(bytes.size() / 2, u'\0');
        for (size_t i = 0; i < out.size(); ++i) {
            const auto a = static_cast<unsigned char>(bytes[2 * i]), b = static_cast<unsigned char>(bytes[2 * i + 1]);
            out[i] = static_cast<char16_t>(little ? (a | (b << 8)) : ((a << 8) | b));
        }
        if (bytes.size() % 2) out += u'\xFFFD';
        return out;
    }
    }
    return {};
}

std::u16string DecodeText(std::string_view bytes) {
    TextEncoding ignored;
    return DecodeText(bytes, ignored);
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi: return ToAnsi(text);
    case TextEncoding::Utf8Bom: return "\xEF\xBB\xBF" + ToUtf8(text);
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool little = encoding == TextEncoding::Utf16LE;
        std::string out(little ? "\xFF\xFE" : "\xFE\xFF");
        out.reserve(2 + text.size() * 2);
        for (char16_t c : text) {
            const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
            out += little ? lo : hi;
            out += little ? hi : lo;
        }
        return out;
    }
    }
    return {};
}

}  // namespace util
