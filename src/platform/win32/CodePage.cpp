#include "platform/CodePage.h"

#include <climits>

#include "platform/win32/WinText.h"

namespace platform {

std::string ToAnsi(std::u16string_view text) {
    std::string out;
    AppendAnsi(text, out);
    return out;
}

void AppendAnsi(std::u16string_view text, std::string& out) {
    if (text.empty() || text.size() > INT_MAX) return;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return;
    const std::size_t at = out.size();
    out.resize(at + static_cast<size_t>(needed));
    const int written = WideCharToMultiByte(CP_ACP, 0, wide, length, out.data() + at, needed, nullptr, nullptr);
    out.resize(at + static_cast<size_t>(written > 0 ? written : 0));
}

std::u16string FromAnsi(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int length = static_cast<int>(bytes.size());
    int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::u16string out(static_cast<size_t>(needed), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()), needed);
    return out;
}

}  // namespace platform

namespace platform {
char16_t UpperCaseChar(char16_t c) {
    // With the high word zero, CharUpperW takes the character itself and returns its upper case.
    const auto upper = reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c))));
    return static_cast<char16_t>(upper & 0xFFFF);
}
}  // namespace platform
