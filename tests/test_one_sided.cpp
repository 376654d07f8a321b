// One-sided scoring functions through the exported interface.
#include <gtest/gtest.h>

#include <limits>

#include "cclp_score/cclp_scoring_function.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

TEST(OneSided, DefaultIsUnitRampFromZeroToOne) {
    cclp_scoreOneSided f;
    ASSERT_EQ(cclp_scoreOneSided_init(&f), 0);
    double v[5] = {};
    ASSERT_EQ(cclp_scoreOneSided_getValues(&f, &v[0], &v[1], &v[2], &v[3], &v[4]), 0);
    EXPECT_EQ(v[0], 0.0);
    EXPECT_EQ(v[1], 1.0);
    EXPECT_EQ(v[2], 1.0);
    EXPECT_EQ(v[3], 1.0);
    EXPECT_EQ(v[4], 0.0);
    double offset = -1.0;
    EXPECT_EQ(cclp_scoreOneSided_getPositionOffset(&f, &offset), 0);
    EXPECT_EQ(offset, 0.0);
}

TEST(OneSided, DerivesTheRampAndGivesNarrowRampsTheSteepInverseSpan) {
    cclp_scoreOneSided f;
    ASSERT_EQ(cclp_scoreOneSided_setPositionOffset(&f, 7.0), 0);
    ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, 5.0, 10.0, 1.0, 0.5), 0);
    EXPECT_EQ(f.rampConst, 5.0 * 1.0 - 0.0 * 0.5);
    EXPECT_EQ(f.rampDrop, 0.5);
    EXPECT_EQ(f.rampInvSpan, 1.0 / 5.0);
    EXPECT_EQ(f.positionOffset, 0.0) << "a successful init resets the offset";
    // A span of at most 1e-7 is too narrow.
    for (const double x1 : {1e-8, 1e-7, 0.0}) {
        ASSERT_EQ(cclp_scoreOneSided_initValues(&f, 0.0, x1, 1.0, 1.0, 0.0), 0);
        EXPECT_EQ(f.rampInvSpan, 1e9) << x1;
    }
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
        {0.0, 1.0, 2.0, nan, 0.0, CCLP_STATUS_Y0_OUT_OF_RANGE},
        {0.0, 1.0, 2.0, -0.1, 0.0, CCLP_STATUS_Y0_OUT_OF_RANGE},
        {0.0, 1.0, 2.0, 0.5, 1.5, CCLP_STATUS_Y1_OUT_OF_RANGE},
        {0.0, 1.0, 2.0, 0.5, nan, CCLP_STATUS_Y1_OUT_OF_RANGE},
        {0.0, 1.0, 2.0, 0.5, 0.7, CCLP_STATUS_Y0_BELOW_Y1},
        {3.0, 2.0, 1.0, 1.0, 0.0, CCLP_STATUS_OK},
        {2.0, 2.0, 2.0, 1.0, 0.0, CCLP_STATUS_OK},
        {0.0, 0.0, 0.0, 0.0, 0.0, CCLP_STATUS_OK},
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

TEST(OneSided, NullArgumentsAreReportedAndRefused) {
    cclp_scoreOneSided f;
    cclp_scoreOneSided_init(&f);
    double x = 0.0;
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_init(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_getValues(&f, &x, &x, nullptr, &x, &x));
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_getPositionOffset(&f, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_setPositionOffset(nullptr, 1.0));
}
