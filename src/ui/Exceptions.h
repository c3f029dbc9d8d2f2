#pragma once
// Errors raised by the component model; the message is the user-visible text.
#include <stdexcept>
#include <string>

namespace ui {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::u16string& message);
    const std::u16string& Message() const { return FMessage; }

private:
    std::u16string FMessage;
};

// A value that cannot be converted or assigned.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Misuse of a component: a duplicate name, a control placed into itself.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// Replaces each "%s" of the pattern, in order, by the next argument.
std::u16string FormatText(const std::u16string& pattern, std::initializer_list<std::u16string> arguments);

// Decimal text to a signed 32-bit number, with the conversion error for anything else.
int StrToInt(const std::u16string& text);

}  // namespace ui
