#include "platform/Registry.h"

namespace platform {

RegValue StringValue(std::u16string_view text, std::uint32_t type) {
    RegValue v{type, {}};
    v.Data.reserve((text.size() + 1) * 2);
    for (char16_t c : text) {
        v.Data.push_back(static_cast<std::uint8_t>(c & 0xFF));
        v.Data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    v.Data.push_back(0);
    v.Data.push_back(0);
    return v;
}

std::u16string StringOf(const RegValue& value) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < value.Data.size(); i += 2) {
        const auto c = static_cast<char16_t>(value.Data[i] | (value.Data[i + 1] << 8));
        if (c == 0) break;
        text.push_back(c);
    }
    return text;
}

}  // namespace platform
