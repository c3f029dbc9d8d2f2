#pragma once
// Windows-style UTF-16 paths mapped onto the POSIX file system: "\" separates like "/".
#include <string>

#include "platform/Utf.h"

namespace platform::posix {

inline std::string NativePath(const std::u16string& path) {
    std::string out = ToUtf8(path);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

}  // namespace platform::posix
