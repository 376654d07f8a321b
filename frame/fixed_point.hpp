// 1/256 fixed-point helpers. Every product and shift is computed with
// defined behaviour: products in 64 bits, results wrapped to 32 bits the
// way a 32-bit machine would, shifts of negative values arithmetic.
#pragma once

#include <cmath>
#include <cstdint>

#include "cclp_score/cclp_scoring_function.h"

namespace cclp {

// The module's rounding to 1/256 units lives in the public header, so that
// callers converting their own values round exactly as the module does.
inline int32_t round256Scaled(double scaled) { return cclp_round256Scaled(scaled); }
inline int32_t round256(double value) { return cclp_round256(value); }

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
