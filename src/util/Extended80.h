#pragma once
// The 80-bit extended-precision layout (64-bit significand with explicit integer bit, 15-bit
// exponent, sign), encoded and decoded bit by bit so that it does not depend on long double.
#include <array>
#include <cstdint>

namespace util {

using Extended80 = std::array<std::uint8_t, 10>;

// Exact: every double has an 80-bit representation.
Extended80 DoubleToExtended80(double value);
// Rounded to nearest, ties to even; beyond the double range it gives infinity or zero.
double Extended80ToDouble(const Extended80& bytes);

}  // namespace util
