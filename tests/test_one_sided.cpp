// One-sided scoring functions through the exported interface.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "cclp_score/cclp_scoring_function.h"
#include "runtime_controls.hpp"

namespace {

struct Values {
    double x0, x1, x2, y0, y1;
};

Values valuesOf(const cclp_scoreOneSided& f) {
    Values v{};
    EXPECT_EQ(cclp_scoreOneSided_getValues(&f, &v.x0, &v.x1, &v.x2, &v.y0, &v.y1), 0);
    return v;
}

}  // namespace

TEST(OneSidedInit, DefaultIsUnitRampFromZeroToOne) {
    cclp_scoreOneSided f;
    ASSERT_EQ(cclp_scoreOneSided_init(&f), 0);
    const Values v = valuesOf(f);
    EXPECT_EQ(v.x0, 0.0);
    EXPECT_EQ(v.x1, 1.0);
    EXPECT_EQ(v.x2, 1.0);
    EXPECT_EQ(v.y0, 1.0);
    EXPECT_EQ(v.y1, 0.0);
    double offset = -1.0;
    EXPECT_EQ(cclp_scoreOneSided_getPositionOffset(&f, &offset), 0);
    EXPECT_EQ(offset, 0.0);
}

TEST(OneSidedInit, DerivesTheRampFromTheDefiningValues) {
    cclp_scoreOneSided f;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 5.0, 10.0, 1.0, 0.5), 0);
    EXPECT_EQ(f.rampConst, 5.0 * 1.0 - 0.0 * 0.5);
    EXPECT_EQ(f.rampDrop, 0.5);
    EXPECT_EQ(f.rampInvSpan, 1.0 / 5.0);
}

TEST(OneSidedInit, NarrowRampsGetTheSteepInverseSpan) {
    cclp_scoreOneSided f;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1e-8, 1.0, 1.0, 0.0), 0);
    EXPECT_EQ(f.rampInvSpan, 1e9);
    ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1e-7, 1.0, 1.0, 0.0), 0);
    EXPECT_EQ(f.rampInvSpan, 1e9) << "a span of exactly 1e-7 is still too narrow";
    ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 2.0, 2.0, 2.0, 1.0, 0.0), 0);
    EXPECT_EQ(f.rampInvSpan, 1e9);
}

TEST(OneSidedInit, AcceptsBothDirectionsAndEqualAbscissae) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 3.0, 2.0, 1.0, 1.0, 0.0), 0);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 2.0, 2.0, 2.0, 1.0, 0.0), 0);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 0.0, 0.0, 0.0, 0.0), 0);
}

TEST(OneSidedInit, ChecksRunInOrderAbscissaeThenY0ThenY1ThenTheirOrder) {
    cclp_scoreOneSided f;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Every value wrong: the abscissae are reported first.
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 1.0, 3.0, 2.0, 1.2, 1.5),
              CCLP_STATUS_ABSCISSAE_NOT_MONOTONE);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, 1.2, 1.5),
              CCLP_STATUS_Y0_OUT_OF_RANGE);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, nan, 0.0),
              CCLP_STATUS_Y0_OUT_OF_RANGE);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, -0.1, 0.0),
              CCLP_STATUS_Y0_OUT_OF_RANGE);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, 0.5, 1.5),
              CCLP_STATUS_Y1_OUT_OF_RANGE);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, 0.5, nan),
              CCLP_STATUS_Y1_OUT_OF_RANGE);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, 0.5, 0.7), CCLP_STATUS_Y0_BELOW_Y1);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, nan, 1.0, 2.0, 0.5, 0.2),
              CCLP_STATUS_ABSCISSAE_NOT_MONOTONE);
}

TEST(OneSidedInit, AFailedInitLeavesTheRecordExactlyAsItWas) {
    cclp_scoreOneSided f;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 5.0, 10.0, 1.0, 0.5), 0);
    ASSERT_EQ(cclp_scoreOneSided_setPositionOffset(&f, 7.0), 0);
    const cclp_scoreOneSided before = f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, 0.5, 0.7), CCLP_STATUS_Y0_BELOW_Y1);
    EXPECT_EQ(std::memcmp(&f, &before, sizeof f), 0);
    double offset = 0.0;
    cclp_scoreOneSided_getPositionOffset(&f, &offset);
    EXPECT_EQ(offset, 7.0);
}

TEST(OneSidedInit, ASuccessfulInitResetsThePositionOffset) {
    cclp_scoreOneSided f;
    cclp_scoreOneSided_init(&f);
    cclp_scoreOneSided_setPositionOffset(&f, 7.0);
    ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 1.0, 2.0, 1.0, 0.0), 0);
    double offset = -1.0;
    cclp_scoreOneSided_getPositionOffset(&f, &offset);
    EXPECT_EQ(offset, 0.0);
}

TEST(OneSidedInit, NullArgumentsAreReportedAndRefusedWithoutACrash) {
    cclp::testing::AssertionCounter assertions;
    cclp_scoreOneSided f;
    cclp_scoreOneSided_init(&f);
    double x = 0.0;
    EXPECT_LT(cclp_scoreOneSided_init(nullptr), 0);
    EXPECT_LT(cclp_scoreOneSided_getValues(&f, &x, &x, nullptr, &x, &x), 0);
    EXPECT_LT(cclp_scoreOneSided_getPositionOffset(&f, nullptr), 0);
    EXPECT_LT(cclp_scoreOneSided_setPositionOffset(nullptr, 1.0), 0);
    EXPECT_EQ(assertions.count(), 4);
}
