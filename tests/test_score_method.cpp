// Score method records through the exported interface. Which method numbers
// each builder accepts, and that a refusal leaves the record untouched, the
// score-method builders of the fuzz targets check on every input.
#include <gtest/gtest.h>

#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// A method whose every byte is set, so that any write shows.
cclp_score marked() {
    cclp_score score;
    std::memset(&score, 0x5A, sizeof score);
    return score;
}

}  // namespace

TEST(ScoreMethod, DefaultIsTheOneSidedContrastRamp) {
    cclp_score score = marked();
    ASSERT_EQ(cclp_score_init(&score), 0);
    EXPECT_EQ(score.isOneSided, 1);
    EXPECT_EQ(score.method, cclp_scoreMethodContrast);
    cclp_scoreOneSided expected;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&expected, 255.0, 0.0, 0.0, 1.0, 0.0), 0);
    EXPECT_TRUE(sameBytes(score.oneSided, expected));
    EXPECT_TRUE(allZero(score.twoSided)) << "the unused function is zeroed";
}

TEST(ScoreMethod, TheFunctionMayComeFromTheRecordItself) {
    cclp_score score;
    cclp_scoreTwoSided function;
    ASSERT_EQ(cclp_scoreTwoSided_init(&function), 0);
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&score, cclp_scoreMethodEdgePos, &function), 0);
    ASSERT_EQ(
        cclp_score_initScoreMethodOneSided(&score, cclp_scoreMethodPos, &score.twoSided.highSide),
        0);
    EXPECT_TRUE(sameBytes(score.oneSided, function.highSide));
}

TEST(ScoreMethod, NewNewCloneAndDeleteOwnTheRecord) {
    LeakCheck leaks;
    const auto everyByte = [](const cclp_score& copy, const cclp_score& source) {
        EXPECT_TRUE(sameBytes(copy, source));
    };
    EXPECT_EQ(expectHeapLifecycle(cclp_score_new, cclp_score_newClone, cclp_score_delete, marked(),
                                  everyByte),
              1);
}

TEST(ScoreMethod, NullArgumentsAreReportedAndRefused) {
    cclp_score score;
    EXPECT_NULL_REFUSED(cclp_score_initScoreMethodOneSided(&score, 6, nullptr));
    EXPECT_NULL_REFUSED(cclp_score_initScoreMethodTwoSided(nullptr, 9, nullptr));
}
