#pragma once
// The platform's 8-bit default code page (the ANSI code page on Windows; Windows-1252 stands in
// elsewhere). Characters the code page cannot hold are replaced by the conversion.
#include <string>
#include <string_view>

namespace platform {

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);

}  // namespace platform
