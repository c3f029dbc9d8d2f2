#pragma once
// Text files as bytes: the byte-order marks the program recognises and the one place where UTF-16
// text is turned into UTF-8, UTF-16 or the ANSI code page and back.
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/Utf.h"

namespace util {

enum class TextEncoding { Ansi, Utf8Bom, Utf16LE, Utf16BE };

using platform::FromAnsi;
using platform::FromUtf8;
using platform::ToAnsi;
using platform::ToUtf8;
using platform::AppendAnsi;
using platform::AppendUtf8;
using platform::EncodeUtf8;
using platform::Utf8Length;

// Encoding named by the mark at the start of the bytes, and the mark's length; Ansi and 0 without.
TextEncoding DetectEncoding(std::string_view bytes, size_t& markLength);
// The text after the mark, decoded. An odd last byte of UTF-16 decodes to U+FFFD.
std::u16string DecodeText(std::string_view bytes);
std::u16string DecodeText(std::string_view bytes, TextEncoding& encoding);
// The text in the encoding, with its mark.
std::string EncodeText(std::u16string_view text, TextEncoding encoding);

}  // namespace util
