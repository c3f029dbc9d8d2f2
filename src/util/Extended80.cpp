#include "util/Extended80.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace util {

Extended80 DoubleToExtended80(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);

    std::uint64_t significand = 0;
    int exponent80 = 0;
    if (exponent == 0x7FF) {  // infinity or NaN
        exponent80 = 0x7FFF;
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
    } else if (exponent == 0) {
        if (fraction != 0) {  // a subnormal double is a normal extended value
            const int shift = std::countl_zero(fraction);
            significand = fraction << shift;
            exponent80 = 16383 - 1022 - (shift - 11);
        }
    } else {
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
        exponent80 = exponent - 1023 + 16383;
    }
    Extended80 out{};
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | static_cast<unsigned>(exponent80);
    out[8] = static_cast<std::uint8_t>(top & 0xFF);
    out[9] = static_cast<std::uint8_t>(top >> 8);
    return out;
}

double Extended80ToDouble(const Extended80& bytes) {
    std::uint64_t significand = 0;
    for (int i = 0; i < 8; ++i) significand |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    const unsigned top = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent80 = static_cast<int>(top & 0x7FFF);
    const double sign = negative ? -1.0 : 1.0;

    if (exponent80 == 0x7FFF) {
        if ((significand & ~(std::uint64_t{1} << 63)) == 0) return sign * std::numeric_limits<double>::infinity();
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (significand == 0) return sign * 0.0;

    // value = significand * 2^(e - 16383 - 63); a zero exponent field means e = 1 (denormal).
    const int e = exponent80 == 0 ? 1 : exponent80;
    const int lead = 63 - std::countl_zero(significand);  // position of the highest set bit
    const int binaryExponent = e - 16383 - 63 + lead;      // value = 1.xxx * 2^binaryExponent
    // Bits the double can hold: 53 for normal results, fewer in the subnormal range.
    int keep = 53;
    if (binaryExponent < -1022) keep = 53 - (-1022 - binaryExponent);
    if (keep <= 0) {
        // Below half the smallest subnormal it rounds to zero; exactly half rounds to even (zero).
        if (keep == 0 && (significand & ~(std::uint64_t{1} << lead)) != 0) return sign * std::ldexp(1.0, -1074);
        return sign * 0.0;
    }
    const int drop = lead + 1 - keep;
    std::uint64_t kept = significand;
    if (drop > 0) {
        kept = significand >> drop;
        const std::uint64_t rest = significand & ((std::uint64_t{1} << drop) - 1);
        const std::uint64_t half = std::uint64_t{1} << (drop - 1);
        if (rest > half || (rest == half && (kept & 1))) ++kept;
    }
    // ldexp is exact here (kept has at most 54 bits and lands on a representable value) or
    // overflows to infinity, as it should.
    const int scale = e - 16383 - 63 + (drop > 0 ? drop : 0);
    return sign * std::ldexp(static_cast<double>(kept), scale);
}

}  // namespace util
