#include "util/Utils.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/System.h"

namespace util {

std::u16string EnsureTrailingBackslash(const std::u16string& path) {
    if (!path.empty() && path.back() == u'\\') return path;
    return path + u'\\';
}

std::u16string TrimTrailingBackslash(const std::u16string& path) {
    if (path.size() == 3 && path[1] == u':' && path[2] == u'\\') return path;
    if (path == u"\\\\") return path;
    if (!path.empty() && path.back() == u'\\') return path.substr(0, path.size() - 1);
    return path;
}

std::u16string FolderPart(const std::u16string& path) {
    const auto slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

std::u16string NamePart(const std::u16string& path) {
    const auto slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

void SplitToList(const std::u16string& text, const std::u16string& separator, StringList& list) {
    list.clear();
    if (separator.empty()) {  // nothing can match: the whole text is the one item
        if (!text.empty()) list.push_back(text);
        return;
    }
    size_t itemStart = 0;
    size_t searchFrom = 0;
    for (;;) {
        const size_t p = text.find(separator, searchFrom);
        if (p == std::u16string::npos) break;
        // An overlapping match of a longer separator gives an empty item rather than a negative span.
        list.push_back(p > itemStart ? text.substr(itemStart, p - itemStart) : std::u16string());
        itemStart = p + separator.size();
        searchFrom = p + 1;
    }
    if (itemStart < text.size()) list.push_back(text.substr(itemStart));
}

int PosFrom(int start, const std::u16string& text, const std::u16string& sub) {
    if (start < 1) start = 1;
    if (sub.empty() || static_cast<size_t>(start) > text.size()) return 0;
    const size_t p = text.find(sub, static_cast<size_t>(start - 1));
    return p == std::u16string::npos ? 0 : static_cast<int>(p + 1);
}

std::u16string TrimBlanks(const std::u16string& text) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] <= u' ') ++first;
    while (last > first && text[last - 1] <= u' ') --last;
    return text.substr(first, last - first);
}

std::u16string CleanIntText(const std::u16string& text) {
    const std::u16string trimmed = TrimBlanks(text);
    // Kept characters are copied once, so a long field costs time in proportion to its length.
    std::u16string s;
    s.reserve(trimmed.size());
    for (const char16_t c : trimmed) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool leadingSign = s.empty() && (c == u'+' || c == u'-');
        if (digit || leadingSign) s.push_back(c);
    }
    if (s.empty() || s == u"+" || s == u"-") return u"0";
    return s;
}

std::u16string TextBeforeBar(const std::u16string& text) {
    const size_t p = text.find(u'|');
    return p == std::u16string::npos ? text : text.substr(0, p);
}

std::u16string TextAfterBar(const std::u16string& text) {
    const size_t p = text.find(u'|');
    return p == std::u16string::npos ? std::u16string() : text.substr(p + 1);
}

std::u16string FloatToTextWithSep(char16_t decimalSeparator, double value) {
    if (std::isnan(value)) return u"NAN";
    if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
    if (value == 0) return u"0";
    // Fifteen significant digits, rounded once; the exponent after rounding picks the notation.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string text(buffer);
    const size_t e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9') digits += text[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const bool negative = value < 0;

    std::u16string out;
    if (negative) out += u'-';
    auto appendDigits = [&out](const std::string& d, size_t from, size_t to) {
        for (size_t i = from; i < to && i < d.size(); ++i) out += static_cast<char16_t>(d[i]);
    };
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += u'0';
            out += decimalSeparator;
            out.append(static_cast<size_t>(-exponent - 1), u'0');
            appendDigits(digits, 0, digits.size());
        } else {
            const size_t integerDigits = static_cast<size_t>(exponent) + 1;
            appendDigits(digits, 0, integerDigits);
            if (digits.size() < integerDigits) out.append(integerDigits - digits.size(), u'0');
            if (digits.size() > integerDigits) {
                out += decimalSeparator;
                appendDigits(digits, integerDigits, digits.size());
            }
        }
    } else {
        appendDigits(digits, 0, 1);
        if (digits.size() > 1) {
            out += decimalSeparator;
            appendDigits(digits, 1, digits.size());
        }
        out += u'E';
        if (exponent < 0) out += u'-';
        for (char c : std::to_string(std::abs(exponent))) out += static_cast<char16_t>(c);
    }
    return out;
}

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameTextAscii(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

int ChooseInt(bool condition, int a, int b) { return condition ? a : b; }

std::u16string ChooseStr(bool condition, const std::u16string& a, const std::u16string& b) {
    return condition ? a : b;
}

namespace {
std::function<void()>& MessagePump() {
    static std::function<void()> pump;
    return pump;
}
}  // namespace

std::function<void()> SetMessagePump(std::function<void()> pump) {
    std::function<void()> previous = std::move(MessagePump());
    MessagePump() = std::move(pump);
    return previous;
}

void DelayWithMessages(std::uint32_t milliseconds) {
    auto& system = platform::GetSystem();
    const std::uint32_t start = system.TickCount();
    // Unsigned subtraction keeps the elapsed time right across the counter's wrap-around.
    while (static_cast<std::uint32_t>(system.TickCount() - start) <= milliseconds) {
        if (MessagePump()) MessagePump()();
    }
}

}  // namespace util
