// 1/256 fixed-point helpers. Every product and shift is computed with
// defined behaviour: products in 64 bits, results wrapped to 32 bits the
// way a 32-bit machine would, shifts of negative values arithmetic.
#pragma once

#include <cmath>
#include <cstdint>

namespace cclp {

// d*256 + 0.5 truncated for d >= 0, d*256 - 0.4999999999 truncated for d < 0.
// Values outside the 32-bit range saturate and NaN becomes 0, so that no
// conversion is undefined.
inline int32_t round256Scaled(double scaled) {
    if (std::isnan(scaled)) return 0;
    const double rounded = scaled >= 0.0 ? scaled + 0.5 : scaled - 0.4999999999;
    if (rounded >= 2147483648.0) return INT32_MAX;
    if (rounded <= -2147483649.0) return INT32_MIN;
    return static_cast<int32_t>(rounded);
}

inline int32_t round256(double value) { return round256Scaled(value * 256.0); }

// The low 32 bits of a 64-bit value, as a signed 32-bit value.
constexpr int32_t wrap32(int64_t value) { return static_cast<int32_t>(value); }

// A 64-bit value held at the nearest end of the 32-bit range.
constexpr int32_t saturate32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    return value < INT32_MIN ? INT32_MIN : static_cast<int32_t>(value);
}

// (a*b + 128) >> 8 with the product widened before the rounding term.
constexpr int32_t mulRound8(int32_t a, int32_t b) {
    return wrap32((static_cast<int64_t>(a) * b + 128) >> 8);
}

// (a*b + 128) >> 16, the same widening.
constexpr int32_t mulRound16(int32_t a, int32_t b) {
    return wrap32((static_cast<int64_t>(a) * b + 128) >> 16);
}

// value << bits, wrapped to 32 bits.
constexpr int32_t shiftLeft(int32_t value, int bits) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) << bits);
}

}  // namespace cclp
