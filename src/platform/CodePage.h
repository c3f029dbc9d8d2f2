#pragma once
// The platform's 8-bit default code page (the ANSI code page on Windows; Windows-1252 stands in
// elsewhere). Characters the code page cannot hold are replaced by the conversion. Also the
// platform's own case mapping of single characters.
#include <string>
#include <string_view>

namespace platform {

std::string ToAnsi(std::u16string_view text);
// The same, appending to what out holds already.
void AppendAnsi(std::u16string_view text, std::string& out);
std::u16string FromAnsi(std::string_view bytes);

// The upper case of one character as the platform's user interface sees it (accelerator keys
// compare so): a character without one is returned as it is.
char16_t UpperCaseChar(char16_t c);

}  // namespace platform
