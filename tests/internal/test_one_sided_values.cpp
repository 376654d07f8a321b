// Values of one-sided functions in both number formats, and the conversion
// of a function to 1/256 fixed point.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cclp_score/cclp_scoring_function.h"
#include "fixed_point.hpp"
#include "function_value.hpp"
#include "one_sided.hpp"

using cclp::oneSidedValue;
using cclp::oneSidedValueFixed;
using cclp::round256;
using cclp::toFixed;

namespace {

cclp_scoreOneSided make(double x0, double x1, double x2, double y0, double y1) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, x0, x1, x2, y0, y1), 0);
    return f;
}

}  // namespace

TEST(OneSidedValue, DefaultFunctionOnPlateauRampAndBeyond) {
    cclp_scoreOneSided f;
    cclp_scoreOneSided_init(&f);
    EXPECT_EQ(oneSidedValue(f, -5.0), 1.0);
    EXPECT_EQ(oneSidedValue(f, 0.25), 0.75);
    EXPECT_EQ(oneSidedValue(f, 1.0), 0.0);
    EXPECT_EQ(oneSidedValue(f, 1.5), 0.0);
}

TEST(OneSidedValue, UpwardFunctionKeepsY1AtX2AndDropsJustBeyond) {
    const auto f = make(0.0, 5.0, 10.0, 1.0, 0.5);
    EXPECT_EQ(oneSidedValue(f, 2.5), 0.75);
    EXPECT_EQ(oneSidedValue(f, 5.0), 0.5);
    EXPECT_EQ(oneSidedValue(f, 10.0), 0.5);
    EXPECT_EQ(oneSidedValue(f, std::nextafter(10.0, 11.0)), 0.0);
    EXPECT_EQ(oneSidedValue(f, 0.0), 1.0);
}

TEST(OneSidedValue, DownwardFunctionMirrorsTheUpwardOne) {
    const auto f = make(255.0, 0.0, 0.0, 1.0, 0.0);
    EXPECT_EQ(oneSidedValue(f, 127.5), 0.5);
    EXPECT_EQ(oneSidedValue(f, 300.0), 1.0);
    EXPECT_EQ(oneSidedValue(f, 255.0), 1.0);
    EXPECT_EQ(oneSidedValue(f, 0.0), 0.0) << "y1 at x2 is 0 here";
    EXPECT_EQ(oneSidedValue(f, -1.0), 0.0);
    const auto g = make(2.0, 1.0, 0.0, 1.0, 0.25);
    EXPECT_EQ(oneSidedValue(g, 0.0), 0.25);
    EXPECT_EQ(oneSidedValue(g, std::nextafter(0.0, -1.0)), 0.0);
}

TEST(OneSidedValue, AZeroWidthRampScoresY1AtItsPoint) {
    const auto f = make(2.0, 2.0, 4.0, 1.0, 0.5);
    EXPECT_EQ(oneSidedValue(f, 2.0), 0.5);
    EXPECT_EQ(oneSidedValue(f, 1.9), 1.0);
}

// Found by fuzzing: the ramp formula scored up to 100 on a ramp narrower
// than 1e-7, and NaN across abscissae near the ends of the double range.
TEST(OneSidedValue, RampValuesStayBetweenTheLevels) {
    const auto steep = make(0.0, 1e-8, 1.0, 1.0, 0.25);
    EXPECT_EQ(oneSidedValue(steep, 0.5e-8), 1.0) << "the formula gives 6.25";
    const double nearEnd = oneSidedValue(steep, 0.999e-8);
    EXPECT_GE(nearEnd, 0.25);
    EXPECT_LE(nearEnd, 1.0);
    const auto wide = make(-1e308, 1e308, 1e308, 0.75, 0.25);
    EXPECT_EQ(oneSidedValue(wide, 0.0), 0.25) << "the formula gives 0 below y1";
    const auto flat = make(-1e308, 1e308, 1e308, 1.0, 1.0);
    EXPECT_EQ(oneSidedValue(flat, 0.0), 1.0) << "the formula gives NaN";
    const auto ramp = make(0.0, 5.0, 10.0, 1.0, 0.5);
    EXPECT_EQ(oneSidedValue(ramp, std::numeric_limits<double>::quiet_NaN()), 0.5);
    EXPECT_EQ(oneSidedValue(ramp, 2.5), 0.75) << "values on the line are kept";
}

TEST(Round256, RoundsHalvesAwayFromZeroForPositivesAndTowardZeroForNegatives) {
    EXPECT_EQ(round256(1.0), 256);
    EXPECT_EQ(round256(-1.0), -256);
    EXPECT_EQ(round256(0.5 / 256.0), 1);
    EXPECT_EQ(round256(-0.5 / 256.0), 0);
    EXPECT_EQ(round256(-1.5 / 256.0), -1);
    EXPECT_EQ(round256(0.75), 192);
    EXPECT_EQ(round256(-1.5), -384);
}

TEST(Round256, SaturatesOutOfRangeValuesAndMapsNaNToZero) {
    EXPECT_EQ(round256(1e12), INT32_MAX);
    EXPECT_EQ(round256(-1e12), INT32_MIN);
    EXPECT_EQ(round256(std::numeric_limits<double>::infinity()), INT32_MAX);
    EXPECT_EQ(round256(-std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(round256(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(round256(8388607.0), 8388607 * 256);
}

TEST(OneSidedFixed, DerivedFieldsComeFromTheRoundedIntegers) {
    const auto f = make(0.0, 1.0, 2.0, 1.0, 0.25);
    const cclp_scoreOneSidedFixed q = toFixed(f);
    EXPECT_EQ(q.x0, 0);
    EXPECT_EQ(q.x1, 256);
    EXPECT_EQ(q.x2, 512);
    EXPECT_EQ(q.y0, 256);
    EXPECT_EQ(q.y1, 64);
    EXPECT_EQ(q.rampConst, 256);
    EXPECT_EQ(q.rampDrop, 192);
    EXPECT_EQ(q.rampInvSpan, 65536);
    EXPECT_EQ(q.positionOffset, 0);
}

TEST(OneSidedFixed, EqualRoundedAbscissaeGetTheLargestInverseSpan) {
    const auto f = make(1.0, 1.001, 2.0, 1.0, 0.0);
    EXPECT_EQ(toFixed(f).rampInvSpan, INT32_MAX);
}

TEST(OneSidedFixed, ConvertsThePositionOffset) {
    auto f = make(0.0, 1.0, 2.0, 1.0, 0.0);
    f.positionOffset = -2.5;
    EXPECT_EQ(toFixed(f).positionOffset, -640);
}

TEST(OneSidedFixedValue, UpwardFunctionGivesTheRoundedLine) {
    const auto q = toFixed(make(0.0, 1.0, 2.0, 1.0, 0.25));
    EXPECT_EQ(oneSidedValueFixed(q, -5), 256);
    EXPECT_EQ(oneSidedValueFixed(q, 0), 256);
    EXPECT_EQ(oneSidedValueFixed(q, 128), 160);
    EXPECT_EQ(oneSidedValueFixed(q, 255), 65);
    EXPECT_EQ(oneSidedValueFixed(q, 256), 64);
    EXPECT_EQ(oneSidedValueFixed(q, 512), 64);
    EXPECT_EQ(oneSidedValueFixed(q, 513), 0);
}

TEST(OneSidedFixedValue, DownwardMirror) {
    const auto q = toFixed(make(2.0, 1.0, 0.0, 1.0, 0.25));
    EXPECT_EQ(oneSidedValueFixed(q, 384), 160);
    EXPECT_EQ(oneSidedValueFixed(q, 0), 64);
    EXPECT_EQ(oneSidedValueFixed(q, -1), 0);
}

TEST(OneSidedFixedValue, ANarrowRampMayLeaveItsLevels) {
    cclp_scoreOneSidedFixed q{0, 1, 3, 13, 128, 96, 2, 32, 8388608};
    EXPECT_EQ(oneSidedValueFixed(q, 2), 256) << "not the 112 of the exact line";
}

TEST(OneSidedFixedValue, ExtremeValuesStayDefined) {
    const auto q = toFixed(make(-30000.0, 30000.0, 30000.0, 1.0, 0.0));
    const int32_t v = oneSidedValueFixed(q, INT32_MIN + 1);
    EXPECT_EQ(v, 256);
    (void)oneSidedValueFixed(q, 7000000);
}
