// Two-sided scoring functions through the exported interface.
#include <gtest/gtest.h>

#include <array>

#include "cclp_score/cclp_scoring_function.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

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

// A record with offsets set, so that any write shows.
cclp_scoreTwoSided filled() {
    cclp_scoreTwoSided f;
    EXPECT_EQ(initValues(f, {-1.0, -2.0, -3.0, 0.0, 2.0, 4.0, 1.0, 0.5, 1.0, 0.25}), 0);
    EXPECT_EQ(cclp_scoreTwoSided_setPositionOffsets(&f, 7.0, 8.0), 0);
    return f;
}

}  // namespace

using cclp::testing::sameBytes;

TEST(TwoSidedInit, DefaultIsTheUnitTriangleAroundZero) {
    cclp_scoreTwoSided f;
    ASSERT_EQ(cclp_scoreTwoSided_init(&f), 0);
    EXPECT_EQ(valuesOf(f), (Ten{0.0, -1.0, -1.0, 0.0, 1.0, 1.0, 1.0, 0.0, 1.0, 0.0}));
    double low = -1.0, high = -1.0;
    EXPECT_EQ(cclp_scoreTwoSided_getPositionOffsets(&f, &low, &high), 0);
    EXPECT_EQ(low, 0.0);
    EXPECT_EQ(high, 0.0);
}

TEST(TwoSidedInit, InitValuesGivesBackExactlyItsArgumentsAndResetsOffsets) {
    const Ten args{-0.5, -2.0, -3.0, 1.0, 1.5, 9.0, 0.75, 0.125, 1.0, 0.5};
    cclp_scoreTwoSided f = filled();
    double low = 0.0, high = 0.0;
    cclp_scoreTwoSided_getPositionOffsets(&f, &low, &high);
    EXPECT_EQ(low, 7.0);
    EXPECT_EQ(high, 8.0);
    ASSERT_EQ(initValues(f, args), 0);
    EXPECT_EQ(valuesOf(f), args);
    cclp_scoreTwoSided_getPositionOffsets(&f, &low, &high);
    EXPECT_EQ(low, 0.0);
    EXPECT_EQ(high, 0.0);
}

// Each case fails in the cross-checks or on the low side, and leaves the
// record exactly as it was. The high side is checked before the low side,
// the low side's place before its own one-sided checks.
TEST(TwoSidedInit, EarlyFailuresReportTheirCodeAndChangeNothing) {
    const struct {
        Ten args;
        int32_t status;
    } cases[] = {
        {{0, 0, 0, 2, 1, 5, 1, 0, 1, 0}, CCLP_STATUS_HIGH_X1_BELOW_X0},
        {{0, 0, 0, 5, 1, 2, 1, 0, 1, 0}, CCLP_STATUS_HIGH_X1_BELOW_X2},
        {{1, 0, 2.5, 2, 3, 4, 1, 0, 1, 0}, CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT},
        {{9, 9, 9, 2, 1, 5, 1, 0, 1, 0}, CCLP_STATUS_HIGH_X1_BELOW_X0},
        {{1, 3, 2, 2, 3, 4, 2.0, 0, 1, 0}, CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT},
        {{0, 1, 0, 2, 3, 4, 1, 0, 1, 0}, CCLP_STATUS_ABSCISSAE_NOT_MONOTONE},
        {{0, 0, 0, 2, 3, 4, 1.5, 0, 1, 0}, CCLP_STATUS_Y0_OUT_OF_RANGE},
        {{2, 1, 0, 2, 3, 4, 0.5, 0.7, 1, 0}, CCLP_STATUS_Y0_BELOW_Y1},
    };
    const cclp_scoreTwoSided before = filled();
    for (const auto& c : cases) {
        cclp_scoreTwoSided f = before;
        EXPECT_EQ(initValues(f, c.args), c.status) << cclp_statusName(c.status);
        EXPECT_TRUE(sameBytes(f, before)) << cclp_statusName(c.status);
    }
}

TEST(TwoSidedInit, AHighSideFailureKeepsTheNewLowSide) {
    const cclp_scoreTwoSided before = filled();
    cclp_scoreTwoSided f = before;
    // High abscissae 1, 3, 2 pass the cross-checks (split point 1) but are
    // not monotone.
    EXPECT_EQ(initValues(f, {0.5, 0.0, -1.0, 1.0, 3.0, 2.0, 1.0, 0.0, 1.0, 0.0}),
              CCLP_STATUS_ABSCISSAE_NOT_MONOTONE);
    cclp_scoreOneSided expectedLow;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&expectedLow, 0.5, 0.0, -1.0, 1.0, 0.0), 0);
    EXPECT_TRUE(sameBytes(f.lowSide, expectedLow));
    EXPECT_TRUE(sameBytes(f.highSide, before.highSide));

    f = before;
    EXPECT_EQ(initOneSided(f, {0.5, 0.0, -1.0, 1.0, 0.0, 1.0, 2.0, 3.0, 0.2, 0.4}),
              CCLP_STATUS_Y0_BELOW_Y1);
    EXPECT_TRUE(sameBytes(f.lowSide, expectedLow));
    EXPECT_TRUE(sameBytes(f.highSide, before.highSide));
}

TEST(TwoSidedInit, SplitPointIsTheLowerEndOfTheHighSide) {
    cclp_scoreTwoSided f;
    // Low x0 may equal the split point 2.
    EXPECT_EQ(initValues(f, {2, 1, 0, 2, 3, 4, 1, 0, 1, 0}), 0);
    // A downward high side 2, 2, 1 splits at 1.
    EXPECT_EQ(initValues(f, {1, 0, -1, 2, 2, 1, 1, 0, 1, 0}), 0);
    EXPECT_EQ(initValues(f, {1.5, 0, -1, 2, 2, 1, 1, 0, 1, 0}), CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT);
}

TEST(TwoSidedInit, InitOneSidedReadsItsValuesSideBySideWithoutCrossChecks) {
    const Ten triangle{0, -1, -1, 0, 1, 1, 1, 0, 1, 0};
    cclp_scoreTwoSided byValues, byDefault, bySides;
    ASSERT_EQ(initValues(byValues, triangle), 0);
    ASSERT_EQ(cclp_scoreTwoSided_init(&byDefault), 0);
    EXPECT_EQ(std::memcmp(&byValues, &byDefault, sizeof byValues), 0);
    // The same ten numbers read side by side give the low side scores 0, 1.
    EXPECT_EQ(initOneSided(bySides, triangle), CCLP_STATUS_Y0_BELOW_Y1);

    // A low side wholly above the high side passes only without cross-checks.
    const Ten lowAbove{5, 6, 7, 1, 0, 0, 1, 2, 1, 0};
    EXPECT_EQ(initOneSided(bySides, lowAbove), 0);
    EXPECT_EQ(valuesOf(bySides), (Ten{5, 6, 7, 0, 1, 2, 1, 0, 1, 0}));
    EXPECT_EQ(initValues(byValues, {5, 6, 7, 0, 1, 2, 1, 0, 1, 0}),
              CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT);
}

TEST(TwoSidedInit, NullArgumentsAreReportedAndRefusedWithoutACrash) {
    cclp::testing::AssertionCounter assertions;
    cclp_scoreTwoSided f;
    cclp_scoreTwoSided_init(&f);
    double x = 0.0;
    EXPECT_LT(cclp_scoreTwoSided_init(nullptr), 0);
    EXPECT_LT(cclp_scoreTwoSided_initOneSided(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_LT(cclp_scoreTwoSided_getValues(&f, &x, &x, &x, &x, &x, &x, &x, &x, &x, nullptr), 0);
    EXPECT_LT(cclp_scoreTwoSided_setPositionOffsets(nullptr, 1.0, 2.0), 0);
    EXPECT_LT(cclp_scoreTwoSided_getPositionOffsets(&f, &x, nullptr), 0);
    EXPECT_EQ(assertions.count(), 5);
}
