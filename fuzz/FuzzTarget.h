#pragma once
// Fuzz targets: functions over one input of bytes that check properties of a parser or store.
// `make fuzz` builds each into a libFuzzer program; the unit tests replay the kept corpus and
// every past finding through the same functions.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fuzz {

using Target = void (*)(const std::uint8_t* data, std::size_t size);

struct NamedTarget {
    const char* Name;  // also the name of its corpus folder
    Target Run;
};

// Every target, in one table.
std::basic_string_view<NamedTarget> AllTargets();

// A broken property: aborts under libFuzzer, so that it keeps the input; throws in the replay,
// so that the test names the input.
[[noreturn]] void Fail(const char* what);
inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}
void SetFailuresThrow(bool throwing);

void LinksFile(const std::uint8_t* data, std::size_t size);
void RegistryText(const std::uint8_t* data, std::size_t size);
void LayoutTables(const std::uint8_t* data, std::size_t size);
void TypedReads(const std::uint8_t* data, std::size_t size);
void TextHelpers(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
