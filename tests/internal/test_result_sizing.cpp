// Sizing a scored result set and fitting each record's arrays to a run.
#include <gtest/gtest.h>

#include <cstdint>

#include "cclp_score/cclp_results.h"
#include "csys_runtime.h"
#include "engine/result_sizing.hpp"
#include "tests/support/caliper_fixtures.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp;
using namespace cclp::testing;

namespace {

// A set of n records prepared for doubles, 3 scores, 2 edges.
void fill(cclp_scoreResultSet& set, int32_t n) {
    ASSERT_EQ(resizeScoreResultSet(&set, n), 0);
    for (int32_t r = 0; r < n; ++r) {
        ASSERT_EQ(prepareScoreOneResult(&set.results[r], CCLP_FORMAT_DOUBLE, 3, 2), 0);
    }
}

bool isConstructed(const cclp_scoreOneResult& r) {
    return r.formats == 1 && r.numScores == 0 && r.numEdges == 0 && r.scores == nullptr &&
           r.edges == nullptr && r.scoresFixed == nullptr && r.edgesFixed == nullptr;
}

using Set = Guarded<cclp_scoreResultSet, cclp_scoreResultSet_construct,
                   cclp_scoreResultSet_destruct>;
using Record = Guarded<cclp_scoreOneResult, cclp_scoreOneResult_construct,
                      cclp_scoreOneResult_destruct>;

}  // namespace

// Keeping records of an unchanged count is what a repeated run checks.
TEST(ResizeScoreResultSet, AnyOtherCountRebuildsEveryRecord) {
    LeakCheck leaks;
    Set s;
    fill(s.value, 3);
    ASSERT_EQ(resizeScoreResultSet(&s.value, 4), 0);
    ASSERT_EQ(s.value.numResults, 4);
    EXPECT_TRUE(isConstructed(s.value.results[0]));
    // A set without an array holds no records, whatever its count says.
    cclp_scoreResultSet bare{5, nullptr};
    ASSERT_EQ(resizeScoreResultSet(&bare, 5), 0);
    ASSERT_EQ(bare.numResults, 5);
    EXPECT_TRUE(isConstructed(bare.results[4]));
    cclp_scoreResultSet_destruct(&bare);
}

TEST(ResizeScoreResultSet, FailuresLeaveOnlyValidRecordsCounted) {
    const int32_t failures = sweepAllocationFailures([](int32_t k) {
        Set s;
        fill(s.value, 3);
        FailAllocation fail(k);
        const int32_t status = resizeScoreResultSet(&s.value, 2);
        EXPECT_EQ(s.value.numResults, status < 0 ? 0 : 2);
        return status;
    });
    EXPECT_EQ(failures, 1);
    cclp_scoreResultSet set{0, nullptr};
    AssertionCounter assertions;
    EXPECT_EQ(resizeScoreResultSet(&set, -1), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(resizeScoreResultSet(nullptr, 1), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 2);
}

TEST(PrepareScoreOneResult, FitsTheArraysToTheFormatsAndCounts) {
    LeakCheck leaks;
    Record r;
    cclp_scoreOneResult& record = r.value;
    ASSERT_EQ(prepareScoreOneResult(&record, CCLP_FORMAT_DOUBLE, 3, 1), 0);
    ASSERT_EQ(prepareScoreOneResult(&record, CCLP_FORMAT_FIXED, 3, 1), 0);
    EXPECT_EQ(record.scores, nullptr);
    EXPECT_EQ(record.edges, nullptr);
    ASSERT_EQ(prepareScoreOneResult(&record, CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED, 4, 2), 0);
    // A header saying doubles only does not hide fixed-point arrays still
    // there, nor does a wanted array that went missing stay missing.
    record.formats = CCLP_FORMAT_DOUBLE;
    ASSERT_EQ(prepareScoreOneResult(&record, CCLP_FORMAT_DOUBLE, 4, 2), 0);
    EXPECT_EQ(record.scoresFixed, nullptr);
    EXPECT_EQ(record.edgesFixed, nullptr);
    void* scores = record.scores;
    ASSERT_EQ(csys_memory_free_internal(&scores), 0);
    record.scores = nullptr;
    ASSERT_EQ(prepareScoreOneResult(&record, CCLP_FORMAT_DOUBLE, 4, 2), 0);
    ASSERT_NE(record.scores, nullptr);
    record.scores[3] = 1.0;  // written, for the sanitizer
    // A change of the edge count alone is fitted too.
    ASSERT_EQ(prepareScoreOneResult(&record, CCLP_FORMAT_DOUBLE, 4, 3), 0);
    record.edges[2] = {1.0, 2.0};
    // Nor does a count copied from a record without the array.
    Record copy;
    copy.value.numEdges = 2;
    ASSERT_EQ(prepareScoreOneResult(&copy.value, CCLP_FORMAT_DOUBLE, 0, 2), 0);
    ASSERT_NE(copy.value.edges, nullptr);
    copy.value.edges[1] = {1.0, 2.0};
}

TEST(PrepareScoreOneResult, AFailedResizeLeavesAZeroHeader) {
    const int32_t failures = sweepAllocationFailures([](int32_t k) {
        cclp_scoreOneResultEx record;
        cclp_scoreOneResultEx_construct(&record);
        int32_t status = 0;
        {
            FailAllocation fail(k);
            status = prepareScoreOneResultEx(&record, 3, 2, 2);
        }
        if (status < 0) {
            EXPECT_EQ(record.numScores, 0);
            EXPECT_EQ(record.formats, 0u);
            EXPECT_EQ(record.numEdges, 0);
        }
        cclp_scoreOneResultEx_destruct(&record);
        return status;
    });
    EXPECT_EQ(failures, 4);
}
