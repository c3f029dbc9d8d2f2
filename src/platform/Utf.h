#pragma once
// Unicode transforms between UTF-16 (the program's text) and UTF-8. Pure code with no OS calls, so
// both backends and the util layer share one implementation. Ill-formed input becomes U+FFFD.
#include <string>
#include <string_view>

namespace platform {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view bytes);
// The same, appending to what out holds already (no string of its own per call).
void AppendUtf8(std::u16string_view text, std::string& out);
// The bytes ToUtf8 gives for text, and the encoding written into room of exactly that size
// (returns the end of what was written).
std::size_t Utf8Length(std::u16string_view text);
char* EncodeUtf8(std::u16string_view text, char* out);

}  // namespace platform
