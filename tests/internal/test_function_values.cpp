// Values of scoring functions in both number formats, and the conversion of
// functions and score methods to 1/256 fixed point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "cclp_score/cclp_score_method.h"
#include "frame/fixed_point.hpp"
#include "engine/function_value.hpp"
#include "score/one_sided.hpp"
#include "tests/support/record_bytes.hpp"
#include "score/score_method.hpp"
#include "score/two_sided.hpp"

using cclp::oneSidedValue;
using cclp::oneSidedValueFixed;
using cclp::round256;
using cclp::toFixed;
using cclp::testing::allZero;
using cclp::testing::sameBytes;

namespace {

cclp_scoreOneSided make(double x0, double x1, double x2, double y0, double y1) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, x0, x1, x2, y0, y1), 0);
    return f;
}

// Both functions filled, whichever isOneSided selects.
cclp_score methodOf(int32_t isOneSided) {
    cclp_score score;
    std::memset(&score, 0, sizeof score);
    score.isOneSided = isOneSided;
    score.method = 11;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&score.oneSided, 0.0, 1.0, 2.0, 1.0, 0.25), 0);
    EXPECT_EQ(cclp_scoreTwoSided_initValues(&score.twoSided, -1.0, -2.0, -3.0, 0.0, 2.0, 4.0, 1.0,
                                            0.5, 1.0, 0.25),
              0);
    return score;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

// y0 on the plateau, the line on the ramp, y1 up to and at x2, 0 beyond.
// Values stay within the levels on ramps narrower than 1e-7 and are never
// NaN for abscissae near the ends of the double range.
TEST(OneSidedValue, PlateauRampAndBeyondInBothDirections) {
    const auto up = make(0.0, 5.0, 10.0, 1.0, 0.5);
    const auto down = make(255.0, 0.0, 0.0, 1.0, 0.0);
    const auto step = make(2.0, 2.0, 4.0, 1.0, 0.5);
    const auto steep = make(0.0, 1e-8, 1.0, 1.0, 0.25);
    const auto wide = make(-1e308, 1e308, 1e308, 0.75, 0.25);
    const auto flat = make(-1e308, 1e308, 1e308, 1.0, 1.0);
    const struct {
        const cclp_scoreOneSided& f;
        double x, value;
    } cases[] = {
        // clang-format off
        {up, 0.0, 1.0}, {up, 2.5, 0.75}, {up, 10.0, 0.5}, {up, std::nextafter(10.0, 11.0), 0.0},
        {up, kNaN, 0.5}, {down, 127.5, 0.5}, {down, -1.0, 0.0}, {step, 2.0, 0.5},
        {steep, 0.5e-8, 1.0},  // the formula gives 6.25
        {wide, 0.0, 0.25},     // the formula gives 0 below y1
        {flat, 0.0, 1.0}};     // the formula gives NaN
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(oneSidedValue(c.f, c.x), c.value) << c.f.x0 << " " << c.f.x1 << " at " << c.x;
    }
    const double nearEnd = oneSidedValue(steep, 0.999e-8);
    EXPECT_GE(nearEnd, 0.25);
    EXPECT_LE(nearEnd, 1.0);
}

// Where the derived fields follow the line, the ramp is the formula's value
// to the last bit, even a unit in the last place beyond a level: alone, and
// oriented once for a loop, as a batch applies it.
TEST(OneSidedValue, RampKeepsTheFormulasLastBit) {
    const auto flatLow = make(0.0, 3.0, 5.0, 0.3, 0.3);
    const auto flatHigh = make(0.0, 10.0, 12.0, 0.7, 0.7);
    const struct {
        const cclp_scoreOneSided& f;
        double value;
    } cases[] = {{flatLow, 0.29999999999999993}, {flatHigh, 0.7000000000000001}};
    for (const auto& c : cases) {
        EXPECT_EQ(oneSidedValue(c.f, 1.0), c.value) << c.f.x1;
        EXPECT_EQ(cclp::functionValue(cclp::OrientedFunction(c.f), 1.0), c.value) << c.f.x1;
    }
}

// Halves away from zero for positives, toward zero for negatives; saturated
// out of range, NaN to 0.
TEST(Round256, RoundsAndSaturates) {
    const struct {
        double value;
        int32_t fixed;
    } cases[] = {
        // clang-format off
        {0.5 / 256.0, 1}, {-0.5 / 256.0, 0}, {-1.5 / 256.0, -1}, {1e12, INT32_MAX},
        {-1e12, INT32_MIN}, {kInf, INT32_MAX}, {kNaN, 0}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(round256(c.value), c.fixed) << c.value;
}

TEST(OneSidedFixedValue, TheRoundedLineInBothDirections) {
    const auto up = toFixed(make(0.0, 1.0, 2.0, 1.0, 0.25));
    const auto down = toFixed(make(2.0, 1.0, 0.0, 1.0, 0.25));
    const cclp_scoreOneSidedFixed narrow{0, 1, 3, 13, 128, 96, 2, 32, 8388608};
    const auto extreme = toFixed(make(-30000.0, 30000.0, 30000.0, 1.0, 0.0));
    const struct {
        const cclp_scoreOneSidedFixed& q;
        int32_t x, value;
    } cases[] = {
        // clang-format off
        {up, 0, 256}, {up, 128, 160}, {up, 255, 65}, {up, 512, 64}, {up, 513, 0},
        {down, 384, 160}, {down, -1, 0},
        {narrow, 2, 256},  // a narrow ramp may leave its levels: not the 112 of the exact line
        {extreme, INT32_MIN + 1, 256}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(oneSidedValueFixed(c.q, c.x), c.value) << c.x;
    (void)oneSidedValueFixed(extreme, 7000000);  // defined, whatever it gives
}

TEST(TwoSidedValue, DefaultTrianglePeaksAtZero) {
    cclp_scoreTwoSided f;
    ASSERT_EQ(cclp_scoreTwoSided_init(&f), 0);
    EXPECT_EQ(cclp::twoSidedValue(f, 0.0), 1.0);
    EXPECT_EQ(cclp::twoSidedValue(f, -0.5), 0.5);
    EXPECT_EQ(cclp::twoSidedValue(f, 0.5), 0.5);
    EXPECT_EQ(cclp::twoSidedValue(f, -3.0), 0.0);
}

// isOneSided 1 selects the one-sided function, anything else the two-sided.
TEST(ScoreMethodFixed, ConvertsOnlyTheSelectedFunctionAndZeroesTheOther) {
    for (const int32_t isOneSided : {1, 0, 2, -1}) {
        const cclp_score method = methodOf(isOneSided);
        const cclp_scoreFixed q = toFixed(method);
        EXPECT_EQ(q.isOneSided, isOneSided);
        EXPECT_EQ(q.method, 11);
        if (isOneSided == 1) {
            EXPECT_TRUE(sameBytes(q.oneSided, toFixed(method.oneSided)));
            EXPECT_TRUE(allZero(q.twoSided));
        } else {
            EXPECT_TRUE(sameBytes(q.twoSided, toFixed(method.twoSided)));
            EXPECT_TRUE(allZero(q.oneSided));
        }
    }
}
