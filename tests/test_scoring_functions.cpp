// One- and two-sided scoring functions through the exported interface.
#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "cclp_score/cclp_scoring_function.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// Ten values in the order of initValues: low x0 x1 x2, high x0 x1 x2,
// low y0 y1, high y0 y1.
using Ten = std::array<double, 10>;

int32_t initValues(cclp_scoreTwoSided& f, const Ten& v) {
    return cclp_scoreTwoSided_initValues(&f, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8],
                                         v[9]);
}

// Ten values side by side: low x0 x1 x2 y0 y1, high x0 x1 x2 y0 y1.
int32_t initOneSided(cclp_scoreTwoSided& f, const Ten& v) {
    return cclp_scoreTwoSided_initOneSided(&f, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8],
                                           v[9]);
}

Ten valuesOf(const cclp_scoreTwoSided& f) {
    Ten v{};
    EXPECT_EQ(cclp_scoreTwoSided_getValues(&f, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                                           &v[7], &v[8], &v[9]),
              0);
    return v;
}

std::array<double, 2> offsetsOf(const cclp_scoreTwoSided& f) {
    std::array<double, 2> offsets{-1.0, -1.0};
    EXPECT_EQ(cclp_scoreTwoSided_getPositionOffsets(&f, &offsets[0], &offsets[1]), 0);
    return offsets;
}

// A record with offsets set, so that any write shows.
cclp_scoreTwoSided filled() {
    cclp_scoreTwoSided f;
    EXPECT_EQ(initValues(f, {-1.0, -2.0, -3.0, 0.0, 2.0, 4.0, 1.0, 0.5, 1.0, 0.25}), 0);
    EXPECT_EQ(cclp_scoreTwoSided_setPositionOffsets(&f, 7.0, 8.0), 0);
    EXPECT_EQ(offsetsOf(f), (std::array<double, 2>{7.0, 8.0}));
    return f;
}

}  // namespace

TEST(OneSided, DefaultIsUnitRampFromZeroToOne) {
    cclp_scoreOneSided f, expected;
    ASSERT_EQ(cclp_scoreOneSided_init(&f), 0);
    ASSERT_EQ(cclp_scoreOneSided_initValues(&expected, 0.0, 1.0, 1.0, 1.0, 0.0), 0);
    EXPECT_TRUE(sameBytes(f, expected)) << "offset 0 included";
    double offset = -1.0;
    EXPECT_EQ(cclp_scoreOneSided_getPositionOffset(&f, &offset), 0);
    EXPECT_EQ(offset, 0.0);
}

// Abscissae first, then y0, then y1, then their order; a failure leaves the
// record exactly as it was, offset included.
TEST(OneSided, ChecksRunInOrderAndAFailureChangesNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x0, x1, x2, y0, y1;
        int32_t status;
    } cases[] = {
        {1.0, 3.0, 2.0, 1.2, 1.5, CCLP_STATUS_ABSCISSAE_NOT_MONOTONE},
        {nan, 1.0, 2.0, 0.5, 0.2, CCLP_STATUS_ABSCISSAE_NOT_MONOTONE},
        {0.0, 1.0, 2.0, 1.2, 1.5, CCLP_STATUS_Y0_OUT_OF_RANGE},
        {0.0, 1.0, 2.0, 0.5, nan, CCLP_STATUS_Y1_OUT_OF_RANGE},
        {0.0, 1.0, 2.0, 0.5, 0.7, CCLP_STATUS_Y0_BELOW_Y1},
        {3.0, 2.0, 1.0, 1.0, 0.0, CCLP_STATUS_OK},
    };
    cclp_scoreOneSided before;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&before, 0.0, 5.0, 10.0, 1.0, 0.5), 0);
    ASSERT_EQ(cclp_scoreOneSided_setPositionOffset(&before, 7.0), 0);
    for (const auto& c : cases) {
        cclp_scoreOneSided f = before;
        EXPECT_EQ(cclp_scoreOneSided_initValues(&f, c.x0, c.x1, c.x2, c.y0, c.y1), c.status)
            << c.x0 << " " << c.x1 << " " << c.x2 << " " << c.y0 << " " << c.y1;
        if (c.status < 0) {
            EXPECT_TRUE(sameBytes(f, before));
        }
    }
}

// The high side is checked before the low side, the low side's place before
// its own one-sided checks; the split point is the lower end of the high
// side. A failure here leaves the record exactly as it was; a success gives
// back exactly the arguments and resets the offsets.
TEST(TwoSided, InitValuesChecksInOrderAndFailuresChangeNothing) {
    const struct {
        Ten args;
        int32_t status;
    } cases[] = {
        {{0, 0, 0, 2, 1, 5, 1, 0, 1, 0}, CCLP_STATUS_HIGH_X1_BELOW_X0},
        {{0, 0, 0, 5, 1, 2, 1, 0, 1, 0}, CCLP_STATUS_HIGH_X1_BELOW_X2},
        {{1, 0, 2.5, 2, 3, 4, 1, 0, 1, 0}, CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT},
        {{0, 1, 0, 2, 3, 4, 1, 0, 1, 0}, CCLP_STATUS_ABSCISSAE_NOT_MONOTONE},
        {{2, 1, 0, 2, 3, 4, 0.5, 0.7, 1, 0}, CCLP_STATUS_Y0_BELOW_Y1},
        {{1.5, 0, -1, 2, 2, 1, 1, 0, 1, 0}, CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT},
        {{2, 1, 0, 2, 3, 4, 1, 0, 1, 0}, CCLP_STATUS_OK},   // low x0 at the split point
        {{1, 0, -1, 2, 2, 1, 1, 0, 1, 0}, CCLP_STATUS_OK},  // a downward high side splits at 1
        {{-0.5, -2.0, -3.0, 1.0, 1.5, 9.0, 0.75, 0.125, 1.0, 0.5}, CCLP_STATUS_OK},
    };
    const cclp_scoreTwoSided before = filled();
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        cclp_scoreTwoSided f = before;
        EXPECT_EQ(initValues(f, c.args), c.status);
        if (c.status < 0) {
            EXPECT_TRUE(sameBytes(f, before));
        } else {
            EXPECT_EQ(valuesOf(f), c.args);
            EXPECT_EQ(offsetsOf(f), (std::array<double, 2>{0.0, 0.0}));
        }
    }
}

TEST(TwoSided, AHighSideFailureKeepsTheNewLowSide) {
    const cclp_scoreTwoSided before = filled();
    cclp_scoreOneSided expectedLow;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&expectedLow, 0.5, 0.0, -1.0, 1.0, 0.0), 0);
    // High abscissae 1, 3, 2 pass the cross-checks (split point 1) but are
    // not monotone; the second case fails on the high levels.
    cclp_scoreTwoSided f = before;
    EXPECT_EQ(initValues(f, {0.5, 0.0, -1.0, 1.0, 3.0, 2.0, 1.0, 0.0, 1.0, 0.0}),
              CCLP_STATUS_ABSCISSAE_NOT_MONOTONE);
    EXPECT_TRUE(sameBytes(f.lowSide, expectedLow));
    EXPECT_TRUE(sameBytes(f.highSide, before.highSide));
    f = before;
    EXPECT_EQ(initOneSided(f, {0.5, 0.0, -1.0, 1.0, 0.0, 1.0, 2.0, 3.0, 0.2, 0.4}),
              CCLP_STATUS_Y0_BELOW_Y1);
    EXPECT_TRUE(sameBytes(f.lowSide, expectedLow));
    EXPECT_TRUE(sameBytes(f.highSide, before.highSide));
}

TEST(ScoringFunctions, NullArgumentsAreReportedAndRefused) {
    cclp_scoreOneSided one;
    cclp_scoreTwoSided two;
    cclp_scoreTwoSided_init(&two);
    one = two.lowSide;
    double x = 0.0;
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_init(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_getValues(&one, &x, &x, nullptr, &x, &x));
    EXPECT_NULL_REFUSED(
        cclp_scoreTwoSided_getValues(&two, &x, &x, &x, &x, &x, &x, &x, &x, &x, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreTwoSided_getPositionOffsets(&two, &x, nullptr));
}
