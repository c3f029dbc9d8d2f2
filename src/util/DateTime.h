#pragma once
// Date-time values (days since 30 December 1899, fraction = time of day) and their conversion to
// and from the platform's file time and the old directory-entry date and time.
#include <cstdint>
#include <optional>

namespace util {

using TDateTime = double;

struct CivilTime {
    int Year, Month, Day, Hour, Minute, Second, Millisecond;
};

// File time: 100-ns units since 1 January 1601.
CivilTime FileTimeToCivil(std::int64_t fileTime);
std::int64_t CivilToFileTime(const CivilTime& civil);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second);
// Date-time to whole calendar fields (rounded to the millisecond).
CivilTime DecodeDateTime(TDateTime value);
// To the 16-bit date and 16-bit time of a directory entry (2-second steps, years 1980 to 2107);
// nullopt outside that range.
std::optional<std::uint32_t> DateTimeToDosDateTime(TDateTime value);
std::optional<std::int64_t> DosDateTimeToFileTime(std::uint32_t dosDateTime);

}  // namespace util
