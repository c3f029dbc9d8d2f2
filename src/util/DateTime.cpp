#include "util/DateTime.h"

#include <cmath>

namespace util {
namespace {
constexpr std::int64_t TicksPerMs = 10'000;
constexpr std::int64_t MsPerDay = 86'400'000;
// Days from 1601-01-01 to 1899-12-30, the two epochs.
constexpr std::int64_t DateTimeEpochDays = 109'205;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

// 1601-01-01 is this many days before 1970-01-01.
constexpr std::int64_t FileTimeEpochFromUnix = -134'774;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
}  // namespace

CivilTime FileTimeToCivil(std::int64_t fileTime) {
    const std::int64_t ms = FloorDiv(fileTime, TicksPerMs);
    const std::int64_t days = FloorDiv(ms, MsPerDay);
    std::int64_t rest = ms - days * MsPerDay;
    CivilTime c{};
    CivilFromDays(days + FileTimeEpochFromUnix, c.Year, c.Month, c.Day);
    c.Hour = static_cast<int>(rest / 3'600'000);
    rest %= 3'600'000;
    c.Minute = static_cast<int>(rest / 60'000);
    rest %= 60'000;
    c.Second = static_cast<int>(rest / 1000);
    c.Millisecond = static_cast<int>(rest % 1000);
    return c;
}

std::int64_t CivilToFileTime(const CivilTime& c) {
    const std::int64_t days = DaysFromCivil(c.Year, static_cast<unsigned>(c.Month), static_cast<unsigned>(c.Day)) -
                              FileTimeEpochFromUnix;
    const std::int64_t ms = days * MsPerDay + c.Hour * 3'600'000LL + c.Minute * 60'000LL + c.Second * 1000LL +
                            c.Millisecond;
    return ms * TicksPerMs;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                              FileTimeEpochFromUnix - DateTimeEpochDays;
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight, away from zero.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

CivilTime DecodeDateTime(TDateTime value) {
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    std::int64_t ms = std::llround(fraction * static_cast<double>(MsPerDay));
    std::int64_t days = static_cast<std::int64_t>(whole);
    if (ms >= MsPerDay) {  // rounding reached the next day
        ms -= MsPerDay;
        days += value >= 0 ? 1 : -1;
    }
    CivilTime c{};
    CivilFromDays(days + DateTimeEpochDays + FileTimeEpochFromUnix, c.Year, c.Month, c.Day);
    c.Hour = static_cast<int>(ms / 3'600'000);
    c.Minute = static_cast<int>(ms / 60'000 % 60);
    c.Second = static_cast<int>(ms / 1000 % 60);
    c.Millisecond = static_cast<int>(ms % 1000);
    return c;
}

std::optional<std::uint32_t> DateTimeToDosDateTime(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > 3'000'000.0) return std::nullopt;
    const CivilTime c = DecodeDateTime(value);
    if (c.Year < 1980 || c.Year > 2107) return std::nullopt;
    const std::uint32_t date = static_cast<std::uint32_t>(((c.Year - 1980) << 9) | (c.Month << 5) | c.Day);
    const std::uint32_t time = static_cast<std::uint32_t>((c.Hour << 11) | (c.Minute << 5) | (c.Second / 2));
    return (date << 16) | time;
}

std::optional<std::int64_t> DosDateTimeToFileTime(std::uint32_t dosDateTime) {
    const std::uint32_t date = dosDateTime >> 16, time = dosDateTime & 0xFFFF;
    CivilTime c{};
    c.Year = static_cast<int>((date >> 9) + 1980);
    c.Month = static_cast<int>((date >> 5) & 0x0F);
    c.Day = static_cast<int>(date & 0x1F);
    c.Hour = static_cast<int>(time >> 11);
    c.Minute = static_cast<int>((time >> 5) & 0x3F);
    c.Second = static_cast<int>((time & 0x1F) * 2);
    if (c.Month < 1 || c.Month > 12 || c.Day < 1 || c.Day > 31 || c.Hour > 23 || c.Minute > 59 || c.Second > 59)
        return std::nullopt;
    return CivilToFileTime(c);
}

}  // namespace util
