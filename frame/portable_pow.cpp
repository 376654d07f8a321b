// x^y = exp(y * log(x)), with log and exp carried in two doubles (a value
// and its rounding error) where their rounding would show in the result.
//
// log: x = 2^e * m with m in [1, 2); a table gives, for the interval of m,
// c ~ 1/centre and log(1/c) in two doubles, so that log(m) = log(1/c) +
// log1p(m*c - 1) with |m*c - 1| < 2^-8, where a short series is exact enough.
//
// exp: t = k * ln2/128 + r with |r| <= ln2/256; exp(t) = 2^(k/128) * exp(r),
// 2^(j/128) from a table in two doubles and expm1(r) from a short series.
#include "frame/portable_pow.hpp"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace cclp {
namespace {

#include "frame/portable_pow_tables.inc"

constexpr int kTableSize = 1 << kTableBits;

struct DoubleDouble {
    double hi;
    double lo;
};

// a + b exactly, as the rounded sum and its error.
DoubleDouble twoSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    const double error = (a - (sum - bPart)) + (b - bPart);
    return {sum, error};
}

// a + b exactly when |a| >= |b|.
DoubleDouble fastTwoSum(double a, double b) {
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// Splits a into two halves of 26 bits each, so that products of halves are
// exact.
DoubleDouble splitHalves(double a) {
    const double scaled = 134217729.0 * a;  // 2^27 + 1
    const double hi = scaled - (scaled - a);
    return {hi, a - hi};
}

// a * b exactly, as the rounded product and its error.
DoubleDouble twoProduct(double a, double b) {
    const double product = a * b;
    const DoubleDouble x = splitHalves(a);
    const DoubleDouble y = splitHalves(b);
    const double error = ((x.hi * y.hi - product) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {product, error};
}

// The exponent and mantissa fields of a double, read and written directly:
// the library's frexp, ldexp and floor are exact too, but are calls that
// cost more than the rest of the power together.
constexpr int kExponentBias = 1023;
constexpr int kMantissaBits = 52;
constexpr uint64_t kMantissaMask = (uint64_t{1} << kMantissaBits) - 1;

// 2^power for a power of a normal double.
double powerOfTwo(int power) {
    return std::bit_cast<double>(static_cast<uint64_t>(power + kExponentBias) << kMantissaBits);
}

// floor(v) for |v| < 2^52.
double floorSmall(double v) {
    const auto truncated = static_cast<double>(static_cast<int64_t>(v));
    return truncated > v ? truncated - 1.0 : truncated;
}

// log(x) for finite x > 0, with an absolute error near 1e-21.
DoubleDouble logarithm(double x) {
    int exponent = 0;
    if (x < DBL_MIN) {
        x *= 0x1p54;
        exponent = -54;
    }
    const auto bits = std::bit_cast<uint64_t>(x);
    // x = 2^e * m with m in [1, 2), exactly.
    const double m = std::bit_cast<double>((bits & kMantissaMask) |
                                           (uint64_t{kExponentBias} << kMantissaBits));
    exponent += static_cast<int>(bits >> kMantissaBits) - kExponentBias;
    const auto index = static_cast<int>((m - 1.0) * kTableSize);
    const LogEntry& entry = kLogTable[index];

    const DoubleDouble scaled = twoProduct(m, entry.invCenter);  // 1 + r, exactly
    const DoubleDouble r = twoSum(scaled.hi - 1.0, scaled.lo);
    const double rh = r.hi;
    const double series =
        rh * rh *
        (-0.5 + rh * (1.0 / 3.0 + rh * (-0.25 + rh * (0.2 + rh * (-1.0 / 6.0 +
                                                                   rh * (1.0 / 7.0 - rh * 0.125))))));

    const double e = static_cast<double>(exponent);
    const DoubleDouble head = twoSum(e * kLn2Hi, entry.logHi);  // e * kLn2Hi is exact
    const DoubleDouble withR = twoSum(head.hi, rh);
    const double tail = head.lo + withR.lo + e * kLn2Lo + entry.logLo + r.lo + series;
    return fastTwoSum(withR.hi, tail);
}

// exp(t.hi + t.lo), rounded once at the end.
double exponential(DoubleDouble t) {
    if (t.hi > 709.8) return HUGE_VAL;
    if (t.hi < -746.0) return 0.0;
    const double k = floorSmall(t.hi * kNOverLn2 + 0.5);
    // k * kLn2OverNHi is exact and close to t.hi, so the difference is too.
    const DoubleDouble r = twoSum(t.hi - k * kLn2OverNHi, t.lo - k * kLn2OverNLo);
    const double rh = r.hi;
    const double expm1Tail =
        r.lo + rh * rh * (0.5 + rh * (1.0 / 6.0 + rh * (1.0 / 24.0 + rh * (1.0 / 120.0 +
                                                                            rh * (1.0 / 720.0)))));

    const auto scaledIndex = static_cast<int32_t>(k);
    const int32_t j = scaledIndex & (kTableSize - 1);
    const int32_t power = (scaledIndex - j) / kTableSize;
    const ExpEntry& entry = kExpTable[j];
    const double value =
        entry.hi + (entry.lo + entry.hi * rh + (entry.hi * expm1Tail + entry.lo * rh));
    // Scaling by a power of two is exact while the result stays normal;
    // ldexp rounds a subnormal result once.
    if (power > DBL_MIN_EXP && power < DBL_MAX_EXP - 1) return value * powerOfTwo(power);
    return std::ldexp(value, power);
}

}  // namespace

double portablePow(double x, double y) {
    if (x == 1.0 || y == 0.0) return 1.0;
    if (!(x > 0.0) || !std::isfinite(x) || !std::isfinite(y)) return std::pow(x, y);
    const DoubleDouble logX = logarithm(x);
    const DoubleDouble product = twoProduct(logX.hi, y);
    // Past these the power is 0 or infinite outright, and the low parts may
    // not be numbers (the exact product of a huge y overflows).
    if (product.hi > 709.8) return HUGE_VAL;
    if (product.hi < -746.0) return 0.0;
    return exponential(fastTwoSum(product.hi, product.lo + logX.lo * y));
}

}  // namespace cclp
