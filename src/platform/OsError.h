#pragma once
// A failed platform call, carrying the platform's own error number and message text.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

class OsError : public std::runtime_error {
public:
    OsError(std::uint32_t code, const std::string& message)
        : std::runtime_error(message), Code(code) {}
    std::uint32_t Code;
};

}  // namespace platform
