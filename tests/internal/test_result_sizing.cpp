// Fitting a result record's arrays to a run, whatever the caller left in
// the record. Sizing the set, and the failures of both, a scoring run shows:
// the run fuzzer (outputs that already hold results, every injected
// failure).
#include <gtest/gtest.h>

#include "cclp_score/cclp_results.h"
#include "csys_runtime.h"
#include "engine/result_sizing.hpp"
#include "tests/support/caliper_fixtures.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp;
using namespace cclp::testing;

namespace {

using Record = Guarded<cclp_scoreOneResult, cclp_scoreOneResult_construct,
                      cclp_scoreOneResult_destruct>;

}  // namespace

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
