// The portable power function: the same bits everywhere, close to exact.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "frame/portable_pow.hpp"

using cclp::portablePow;

namespace {

struct PowCase {
    double x;
    double y;
    double expected;  // the exact power rounded to double, from 80-digit arithmetic
};

constexpr PowCase kReferenceCases[] = {
    {0x1.3b53fe4e06fe2p-2, 0x1.5555555555555p-2, 0x1.59bf0d1704663p-1},
    {0x1.0000000000000p-1, 0x1.5555555555555p-2, 0x1.965fea53d6e3dp-1},
    {0x1.56e1fc2f8f359p-997, 0x1.5555555555555p-2, 0x1.bff2ee48e0595p-333},
    {0x1.ad7f29abcaf48p-26, 0x1.5555555555555p-3, 0x1.baf9ca480f11ap-5},
    {0x1.ffffde7210be9p-1, 0x1.2492492492492p-3, 0x1.fffffb34ddafap-1},
    {0x1.e240c9fbe76c9p+16, 0x1.999999999999ap-3, 0x1.4dc63c8dbe6a5p+3},
    {0x0.00000000017b8p-1022, 0x1.5555555555555p-2, 0x1.23e5cb24ac72ep-354},
    {0x1.c8bfd3c00e9cbp-7, 0x1.745d1745d1746p-4, 0x1.5b2fdd0e08c8ep-1},
};

int64_t orderedBits(double value) {
    int64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits < 0 ? INT64_MIN - bits : bits;
}

int64_t ulpDistance(double a, double b) {
    const int64_t d = orderedBits(a) - orderedBits(b);
    return d < 0 ? -d : d;
}

}  // namespace

TEST(PortablePow, GivesTheCorrectlyRoundedValueOfReferenceCases) {
    for (const PowCase& c : kReferenceCases) {
        EXPECT_EQ(portablePow(c.x, c.y), c.expected) << std::hexfloat << c.x << " ^ " << c.y;
    }
}

// Every argument has a defined result: where the product of log x and y
// lies beyond the double range the result is zero or infinity (never a NaN
// reaching a conversion to int); special arguments follow the C library.
TEST(PortablePow, CoversTheWholeRangeOfArguments) {
    constexpr double kHuge = std::numeric_limits<double>::max();
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    constexpr double kTiny = std::numeric_limits<double>::denorm_min();
    const PowCase cases[] = {
        {1.0, 0.3, 1.0},           {0.3, 0.0, 1.0},       {4.0, 0.5, 2.0},
        {0.25, 0.5, 0.5},          {0.0, 1.0 / 3.0, 0.0}, {kInfinity, 0.5, kInfinity},
        {1e300, 2.0, kInfinity},   {1e-300, 3.0, 0.0},    {0x1p-9, -kHuge, kInfinity},
        {0x1p-9, kHuge, 0.0},      {2.0, 1e305, kInfinity}, {0.5, 1e305, 0.0},
        {1.0 + 0x1p-52, 1e300, kInfinity}};
    for (const PowCase& c : cases) {
        EXPECT_EQ(portablePow(c.x, c.y), c.expected) << c.x << " ^ " << c.y;
    }
    EXPECT_LE(ulpDistance(portablePow(kTiny, 0.25), std::pow(kTiny, 0.25)), 1);
    EXPECT_TRUE(std::isnan(portablePow(std::nan(""), 0.5)));
    EXPECT_TRUE(std::isnan(portablePow(0.5, std::nan(""))));
}
