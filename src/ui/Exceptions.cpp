#include "ui/Exceptions.h"

#include <cstdint>

#include "util/TextCodec.h"

namespace ui {

Exception::Exception(const std::u16string& message)
    : std::runtime_error(util::ToUtf8(message)), FMessage(message) {}

std::u16string FormatText(const std::u16string& pattern, std::initializer_list<std::u16string> arguments) {
    std::u16string out;
    auto next = arguments.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's') {
            if (next != arguments.end()) out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

int StrToInt(const std::u16string& text) {
    // Blanks around the number are not part of it: " 12" is as wrong as "12a".
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    std::int64_t value = 0;
    const std::size_t firstDigit = i;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > 2147483648LL) break;
    }
    const bool valid = i == text.size() && i > firstDigit &&
                       (negative ? value <= 2147483648LL : value <= 2147483647LL);
    if (!valid) throw EConvertError(FormatText(u"'%s' ist kein gültiger Integerwert", {text}));
    return static_cast<int>(negative ? -value : value);
}

}  // namespace ui
