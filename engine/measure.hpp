// The arithmetic from which the score methods build their measurements, once
// per number format: double precision, and 1/256 fixed point in 32-bit
// integers. The method table is written once over these overloads
// (evaluate.hpp). A fixed-point sum, difference, absolute value or scaling
// that leaves the 32-bit range saturates at the nearest limit: edges far out
// or values far apart then measure as far, where a wrapped result could
// measure as near and score as a near-perfect candidate. In-range results
// are exact, and no input is undefined.
#pragma once

#include <cmath>
#include <cstdint>

#include "frame/fixed_point.hpp"

namespace cclp::measure {

inline double add(double a, double b) { return a + b; }
inline int32_t add(int32_t a, int32_t b) { return saturate32(static_cast<int64_t>(a) + b); }

inline double subtract(double a, double b) { return a - b; }
inline int32_t subtract(int32_t a, int32_t b) { return saturate32(static_cast<int64_t>(a) - b); }

inline double magnitude(double a) { return std::fabs(a); }
inline int32_t magnitude(int32_t a) { return saturate32(a < 0 ? -static_cast<int64_t>(a) : a); }

inline double halve(double a) { return a / 2.0; }
inline int32_t halve(int32_t a) { return a >> 1; }

// Signed division truncating toward zero. A zero divisor (only reachable
// past a failed precondition) saturates like the infinities of the double
// format instead of trapping; INT32_MIN / -1 wraps. Every other quotient
// fits, so the division itself is done in 32 bits (several times faster
// than in 64).
inline int32_t divide(int32_t a, int32_t b) {
    if (b == 0) return a > 0 ? INT32_MAX : (a < 0 ? INT32_MIN : 0);
    if (b == -1) return wrap32(-static_cast<int64_t>(a));
    return a / b;
}

// x * 2^bits: the factors 256 and 128 of the fixed-point ratios.
inline int32_t scaleUp(int32_t x, int bits) {
    return saturate32(static_cast<int64_t>(x) * (int64_t{1} << bits));
}

// x / w as a ratio; in fixed point a ratio of 1 is 256.
inline double ratio(double x, double w) { return x / w; }
inline int32_t ratio(int32_t x, int32_t w) { return divide(scaleUp(x, 8), w); }

// x / (2w), for measurements of a sum of two positions.
inline double halfRatio(double x, double w) { return x / (2.0 * w); }
inline int32_t halfRatio(int32_t x, int32_t w) { return divide(scaleUp(x, 7), w); }

inline double mean(double sum, int32_t count) { return sum / static_cast<double>(count); }
inline int32_t mean(int32_t sum, int32_t count) { return divide(sum, count); }

// a when it is greater than b, else b.
template <class Number>
Number larger(Number a, Number b) {
    return a > b ? a : b;
}

}  // namespace cclp::measure
