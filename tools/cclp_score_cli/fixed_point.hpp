// 1/256 fixed point as the module rounds it, saturating at the ends of the
// 32-bit range instead of overflowing.
#pragma once

#include <cstdint>
#include <limits>

namespace cclp_cli {

inline int32_t round256(double value) {
    constexpr double kLimit = 2147483648.0;  // 2^31
    const double scaled = value >= 0.0 ? value * 256.0 + 0.5 : value * 256.0 - 0.4999999999;
    if (scaled != scaled) return 0;  // NaN: nothing sensible to round to
    if (scaled >= kLimit) return std::numeric_limits<int32_t>::max();
    if (scaled <= -kLimit - 1.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

inline double fromFixed(int32_t value) { return static_cast<double>(value) / 256.0; }

}  // namespace cclp_cli
