#pragma once
// Readable UTF-16 in test failure messages.
#include <ostream>
#include <string>

#include "platform/Utf.h"

inline std::string U8(const std::u16string& text) { return platform::ToUtf8(text); }

