#pragma once
// A whole file read into memory, and a whole file written so that it is replaced in one step.
#include <optional>
#include <string>
#include <string_view>

namespace util {

// The file's bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::u16string& path);
// Writes a temporary file beside the target, flushes it to disk, then moves it over the target:
// a crash or a full disk leaves the old file as it was. False when any step failed.
bool AtomicReplace(const std::u16string& path, std::string_view bytes);

}  // namespace util
