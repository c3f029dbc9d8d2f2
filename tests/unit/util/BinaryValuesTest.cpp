#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "util/DateTime.h"
#include "util/Extended80.h"

using namespace util;

namespace {
Extended80 Ext(std::uint64_t significand, unsigned top) {
    Extended80 e{};
    for (int i = 0; i < 8; ++i) e[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    e[8] = static_cast<std::uint8_t>(top & 0xFF);
    e[9] = static_cast<std::uint8_t>(top >> 8);
    return e;
}
}  // namespace

TEST(Extended80, KnownEncodings) {
    EXPECT_EQ(DoubleToExtended80(1.0), Ext(0x8000000000000000ull, 0x3FFF));
    EXPECT_EQ(DoubleToExtended80(-2.5), Ext(0xA000000000000000ull, 0xC000));
    EXPECT_EQ(DoubleToExtended80(0.0), Ext(0, 0));
    EXPECT_EQ(DoubleToExtended80(-0.0), Ext(0, 0x8000));
    EXPECT_EQ(DoubleToExtended80(std::numeric_limits<double>::infinity()), Ext(0x8000000000000000ull, 0x7FFF));
    // The smallest subnormal double, 2^-1074, is a normal extended number.
    EXPECT_EQ(DoubleToExtended80(std::ldexp(1.0, -1074)), Ext(0x8000000000000000ull, 16383 - 1074));
}

TEST(Extended80, RoundTripsEveryDoubleKind) {
    std::mt19937_64 random(42);
    std::vector<double> values{0.0, -0.0, 1.0, -1.0, 0.1, 1e308, -1e-308, std::ldexp(1.0, -1074),
                               std::ldexp(3.0, -1060), std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(), -std::numeric_limits<double>::infinity()};
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (!std::isnan(d)) values.push_back(d);
    }
    for (double d : values) {
        const double back = Extended80ToDouble(DoubleToExtended80(d));
        EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0) << d;
    }
    EXPECT_TRUE(std::isnan(Extended80ToDouble(DoubleToExtended80(std::numeric_limits<double>::quiet_NaN()))));
}

TEST(Extended80, NarrowsWithRoundHalfEven) {
    // 1 + 2^-53 lies halfway between 1 and the next double: ties go to the even 1.
    EXPECT_EQ(Extended80ToDouble(Ext(0x8000000000000400ull, 0x3FFF)), 1.0);
    // 1 + 3 * 2^-53 is halfway between two doubles whose lower one is odd: rounds up.
    EXPECT_EQ(Extended80ToDouble(Ext(0x8000000000000C00ull, 0x3FFF)), 1.0 + std::ldexp(1.0, -51));
    // Just above halfway rounds up.
    EXPECT_EQ(Extended80ToDouble(Ext(0x8000000000000401ull, 0x3FFF)), 1.0 + std::ldexp(1.0, -52));
    // Beyond the double range: infinity; far below: zero with its sign.
    EXPECT_EQ(Extended80ToDouble(Ext(0x8000000000000000ull, 0x3FFF + 1024)), std::numeric_limits<double>::infinity());
    const double tiny = Extended80ToDouble(Ext(0x8000000000000000ull, 0x8000 | (0x3FFF - 1200)));
    EXPECT_EQ(tiny, 0.0);
    EXPECT_TRUE(std::signbit(tiny));
    // Exactly half the smallest subnormal rounds to even (zero); a bit more rounds up to it.
    EXPECT_EQ(Extended80ToDouble(Ext(0x8000000000000000ull, 0x3FFF - 1075)), 0.0);
    EXPECT_EQ(Extended80ToDouble(Ext(0x8000000000000001ull, 0x3FFF - 1075)), std::ldexp(1.0, -1074));
    // An unnormal (integer bit clear) still means its value.
    EXPECT_EQ(Extended80ToDouble(Ext(0x4000000000000000ull, 0x3FFF)), 0.5);
    EXPECT_EQ(Extended80ToDouble(Ext(0, 0x3FFF)), 0.0);
    EXPECT_TRUE(std::isnan(Extended80ToDouble(Ext(0xC000000000000000ull, 0x7FFF))));
}

TEST(DateTime, EpochsAndFields) {
    EXPECT_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0), 0.0);
    EXPECT_EQ(EncodeDateTime(1970, 1, 1, 0, 0, 0), 25569.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 12, 0, 0), 36526.5);
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0), -1.25);  // before the epoch the fraction counts away from zero
    const CivilTime c = DecodeDateTime(EncodeDateTime(2024, 2, 29, 23, 59, 59));
    EXPECT_EQ((std::array{c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second}),
              (std::array{2024, 2, 29, 23, 59, 59}));
    const CivilTime before = DecodeDateTime(-1.25);
    EXPECT_EQ((std::array{before.Year, before.Month, before.Day, before.Hour}), (std::array{1899, 12, 29, 6}));
    // 1601-01-01 is file time zero; 1970-01-01 is 116444736000000000.
    EXPECT_EQ(CivilToFileTime({1970, 1, 1, 0, 0, 0, 0}), 116444736000000000LL);
    const CivilTime back = FileTimeToCivil(116444736000000000LL + 10'000'000LL * 86399 + 1234);
    EXPECT_EQ((std::array{back.Year, back.Month, back.Day, back.Hour, back.Minute, back.Second, back.Millisecond}),
              (std::array{1970, 1, 1, 23, 59, 59, 0}));
}

TEST(DateTime, DirectoryEntryFormatRangeAndSteps) {
    const auto dos = DateTimeToDosDateTime(EncodeDateTime(1980, 1, 1, 0, 0, 1));
    ASSERT_TRUE(dos);
    EXPECT_EQ(*dos, (1u << 5 | 1u) << 16);  // the odd second falls to the even one below
    EXPECT_FALSE(DateTimeToDosDateTime(EncodeDateTime(1979, 12, 31, 23, 59, 59)));
    EXPECT_TRUE(DateTimeToDosDateTime(EncodeDateTime(2107, 12, 31, 23, 59, 58)));
    EXPECT_FALSE(DateTimeToDosDateTime(EncodeDateTime(2108, 1, 1, 0, 0, 0)));
    EXPECT_FALSE(DateTimeToDosDateTime(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(DateTimeToDosDateTime(1e300));
    const auto ft = DosDateTimeToFileTime(*DateTimeToDosDateTime(EncodeDateTime(2026, 12, 8, 17, 3, 44)));
    ASSERT_TRUE(ft);
    EXPECT_EQ(*ft, CivilToFileTime({2026, 12, 8, 17, 3, 44, 0}));
    EXPECT_FALSE(DosDateTimeToFileTime(0));  // month 0 is no date
}
