#pragma once
// The "Data" value that a form definition carries for a table: list start (value type 1), one
// string value per line (type 6, one-byte length, 8-bit characters), end of list (type 0).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/Strings.h"

namespace framework {

constexpr std::uint8_t vaNull = 0;
constexpr std::uint8_t vaList = 1;
constexpr std::uint8_t vaString = 6;
// Lines longer than 255 bytes cannot be a short string; they are written with a 4-byte length.
constexpr std::uint8_t vaLString = 12;

void WriteDataList(const ui::TStrings& lines, std::vector<std::uint8_t>& out);

// Reads one list starting at pos into lines (cleared first) and advances pos past the end marker.
// A missing list start, a value of another type or a cut-off value reads nothing more: false,
// lines hold what was read before the fault.
bool ReadDataList(const std::vector<std::uint8_t>& in, std::size_t& pos, ui::TStrings& lines);

}  // namespace framework
