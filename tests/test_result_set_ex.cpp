// The extended caliper result set: reset and null records. Its copies and
// the conversions to and from the caliper library's result set, with their
// failure paths, round trips and self-assignment, are the caliper
// conversion fuzzer's.
#include <gtest/gtest.h>

#include "tests/support/caliper_fixtures.hpp"
#include "cclp_score/cclp_result_set_ex.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

TEST(ResultSetEx, ResetEmptiesButKeepsFormatsScalesAndVectors) {
    LeakCheck leaks;
    CaliperSet plain;
    fillCaliperSet(plain.value, 2);
    CaliperSetEx set;
    ASSERT_EQ(cclp_resultSetEx_assignToEx(&set.value, &plain.value), 0);
    const cclp_resultSetEx before = set.value;
    ASSERT_EQ(cclp_resultSetEx_reset(&set.value), 0);
    EXPECT_EQ(set.value.numEdges, 0);
    EXPECT_TRUE(!set.value.edges && !set.value.edgesFixed && !set.value.projectionImage.pixels &&
                !set.value.doubleImage.pixels);
    EXPECT_EQ(set.value.formats, before.formats);
    EXPECT_EQ(set.value.projectionScale, before.projectionScale);
    EXPECT_EQ(set.value.vect1.y, before.vect1.y);
}

// A copy construction refused for its null source leaves nothing to destroy.
TEST(ResultSetEx, NullRecordsAreReportedAndRefused) {
    LeakCheck leaks;
    CaliperSetEx set;
    cclp_resultSetEx copy;
    EXPECT_NULL_REFUSED(cclp_resultSetEx_construct(nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_reset(nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_destruct(nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_constructCopy(nullptr, &set.value));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assign(&set.value, nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assign(nullptr, nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assignToEx(&set.value, nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assignFromEx(nullptr, &set.value));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_constructCopy(&copy, nullptr));
}
