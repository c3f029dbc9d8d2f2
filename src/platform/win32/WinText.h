#pragma once
// UTF-16 text handed to the W functions without copying: wchar_t is 16 bits wide on Windows.
#include <windows.h>

#include <string>

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::u16string U16(const wchar_t* text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string U16(const wchar_t* text) { return U16(text, wcslen(text)); }

}  // namespace platform::win32
