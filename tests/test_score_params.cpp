// Score parameters through the exported interface: lifecycle, settings,
// deep copies, and every allocation failure. Which offsets an update moves,
// in both forms, and the fixed form of every stored method are the
// scoring-function fuzzer's.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "cclp_score/cclp_score_params.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

namespace {

const cclp_desiredEdge kPair[2] = {{0.0, cclp_polarityPositive}, {20.0, cclp_polarityNegative}};

// A one-sided size method, a two-sided signed size difference, a one-sided
// offset distance.
std::array<cclp_score, 3> threeMethods() {
    std::array<cclp_score, 3> methods{};
    cclp_scoreOneSided one;
    cclp_scoreTwoSided two;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&one, 1.0, 1.5, 2.0, 1.0, 0.0), 0);
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&methods[0], cclp_scoreMethodSize, &one), 0);
    EXPECT_EQ(cclp_scoreTwoSided_initValues(&two, -1, -2, -3, 0, 2, 4, 1, 0.5, 1, 0.25), 0);
    EXPECT_EQ(
        cclp_score_initScoreMethodTwoSided(&methods[1], cclp_scoreMethodSizeDiffSigned, &two), 0);
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&methods[2], cclp_scoreMethodOffsetDist, &one), 0);
    return methods;
}

// A constructed record, destructed at scope exit; filled: two desired edges,
// three methods, and non-default scalars.
struct Params {
    cclp_scoreParams p;
    explicit Params(bool filled = false) {
        EXPECT_EQ(cclp_scoreParams_construct(&p), 0);
        if (!filled) return;
        EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&p, 2, kPair), 0);
        EXPECT_EQ(cclp_scoreParams_setScoreMethods(&p, 3, threeMethods().data()), 0);
        EXPECT_EQ(cclp_scoreParams_setMaxNumResults(&p, 5), 0);
        EXPECT_EQ(cclp_scoreParams_setSortByScore(&p, 0), 0);
    }
    ~Params() { EXPECT_EQ(cclp_scoreParams_destruct(&p), 0); }
    Params(const Params&) = delete;
    Params& operator=(const Params&) = delete;
};

// Same settings, methods and fixed forms.
void expectSameParams(const cclp_scoreParams& a, const cclp_scoreParams& b) {
    EXPECT_EQ(a.numDesiredEdges, b.numDesiredEdges);
    EXPECT_EQ(a.sortByScore, b.sortByScore);
    EXPECT_EQ(a.maxNumResults, b.maxNumResults);
    ASSERT_EQ(a.numScoreMethods, b.numScoreMethods);
    for (int32_t i = 0; i < b.numDesiredEdges; ++i) {
        EXPECT_EQ(a.desiredEdges[i].position, b.desiredEdges[i].position);
        EXPECT_EQ(a.desiredEdges[i].polarity, b.desiredEdges[i].polarity);
    }
    for (int32_t i = 0; i < b.numScoreMethods; ++i) {
        EXPECT_TRUE(sameScore(a.scoreMethods[i], b.scoreMethods[i])) << "method " << i;
        EXPECT_TRUE(sameBytes(a.scoreMethodsFixed[i], b.scoreMethodsFixed[i])) << "method " << i;
    }
}

void expectNoArrays(const cclp_scoreParams& p) {
    EXPECT_EQ(p.desiredEdges, nullptr);
    EXPECT_EQ(p.scoreMethods, nullptr);
    EXPECT_EQ(p.scoreMethodsFixed, nullptr);
}

}  // namespace

TEST(ScoreParams, ConstructGivesTheDefaults) {
    Params p;
    EXPECT_EQ(p.p.numDesiredEdges, 1);
    EXPECT_EQ(p.p.desiredEdges[0].polarity, cclp_polarityAny);
    EXPECT_EQ(p.p.numScoreMethods, 1);
    EXPECT_EQ(p.p.scoreMethodsFixed[0].method, cclp_scoreMethodContrast);
    EXPECT_EQ(p.p.scoreMethodsFixed[0].oneSided.x0, 255 * 256);
    EXPECT_EQ(p.p.maxNumResults, 1);
    EXPECT_EQ(p.p.sortByScore, 1);
}

// A destructed record is empty and may be assigned from and destructed again.
TEST(ScoreParams, DestructEmptiesTheRecordAndMayRunTwice) {
    LeakCheck leaks;
    Params empty(true), params;
    ASSERT_EQ(cclp_scoreParams_destruct(&empty.p), 0);
    ASSERT_EQ(cclp_scoreParams_assign(&params.p, &empty.p), 0);
    EXPECT_EQ(params.p.numDesiredEdges, 0);
    EXPECT_EQ(params.p.numScoreMethods, 0);
    expectNoArrays(params.p);
}

// Independent of the source's later changes; self-assignment changes
// nothing; new, like newClone, replaces the record the pointer holds.
TEST(ScoreParams, CopiesAreDeepAndHeapRecordsAreReplaced) {
    LeakCheck leaks;
    Params source(true), copy, reference(true);
    ASSERT_EQ(cclp_scoreParams_assign(&copy.p, &source.p), 0);
    const cclp_desiredEdge* edges = source.p.desiredEdges;
    EXPECT_EQ(cclp_scoreParams_assign(&source.p, &source.p), 0);
    EXPECT_EQ(source.p.desiredEdges, edges);
    expectSameParams(source.p, reference.p);
    ASSERT_EQ(cclp_scoreParams_updateOneSidedOffset(&source.p, 2, 9.0), 0);
    ASSERT_EQ(cclp_scoreParams_setScoreMethods(&source.p, 1, threeMethods().data()), 0);
    ASSERT_EQ(cclp_scoreParams_destruct(&source.p), 0);
    expectSameParams(copy.p, reference.p);
    const auto sameParams = [](const cclp_scoreParams& a, const cclp_scoreParams& b) {
        expectSameParams(a, b);
    };
    EXPECT_EQ(expectHeapLifecycle(cclp_scoreParams_new, cclp_scoreParams_newClone,
                                  cclp_scoreParams_delete, reference.p, sameParams),
              7);
}

// The family's one allocation sweep: every allocating operation in turn,
// the k-th request failing. The operation it hits passes the status on and
// leaves its record claiming nothing it lacks: no arrays after a failed
// construction, counts of 0 after a failed assignment or replacement (or,
// for methods set from the record's own array, which are set aside first,
// the methods it had), a null pointer after a failed new or newClone.
TEST(ScoreParams, EveryAllocationFailureLeavesWholeRecords) {
    const Params reference(true);
    sweepAllocationFailures([&](int32_t k) {
        cclp_scoreParams built{}, copy{}, assigned{};
        cclp_scoreParams* held = nullptr;
        const auto release = [&](int32_t status) {
            for (cclp_scoreParams* p : {&built, &copy, &assigned}) {
                if (p->desiredEdges != nullptr || p->scoreMethods != nullptr) {
                    cclp_scoreParams_destruct(p);
                }
            }
            cclp_scoreParams_delete(&held);
            return status;
        };
        const FailAllocation fail(k);
        int32_t status = cclp_scoreParams_construct(&built);
        if (status < 0) {
            expectNoArrays(built);
            return release(status);
        }
        if ((status = cclp_scoreParams_setDesiredEdges(&built, 2, kPair)) < 0) {
            EXPECT_EQ(built.numDesiredEdges, 0);
            return release(status);
        }
        if ((status = cclp_scoreParams_setScoreMethods(&built, 3, threeMethods().data())) < 0) {
            EXPECT_EQ(built.numScoreMethods, 0);
            return release(status);
        }
        if ((status = cclp_scoreParams_setScoreMethods(&built, 2, built.scoreMethods + 1)) < 0) {
            EXPECT_TRUE(built.numScoreMethods == 0 || built.numScoreMethods == 3);
            return release(status);
        }
        EXPECT_TRUE(sameScore(built.scoreMethods[1], reference.p.scoreMethods[2]));
        EXPECT_TRUE(sameBytes(built.scoreMethodsFixed[1], reference.p.scoreMethodsFixed[2]));
        if ((status = cclp_scoreParams_constructCopy(&copy, &reference.p)) < 0) {
            expectNoArrays(copy);
            return release(status);
        }
        if ((status = cclp_scoreParams_construct(&assigned)) < 0) {
            expectNoArrays(assigned);
            return release(status);
        }
        if ((status = cclp_scoreParams_assign(&assigned, &reference.p)) < 0) {
            EXPECT_EQ(assigned.numDesiredEdges, 0);
            EXPECT_EQ(assigned.numScoreMethods, 0);
            return release(status);
        }
        if ((status = cclp_scoreParams_new(&held)) < 0 ||
            (status = cclp_scoreParams_newClone(&held, &reference.p)) < 0) {
            EXPECT_EQ(held, nullptr);
            return release(status);
        }
        expectSameParams(copy, reference.p);
        expectSameParams(assigned, reference.p);
        expectSameParams(*held, reference.p);
        return release(status);
    });
}

TEST(ScoreParams, RangeErrorsChangeNothing) {
    Params params(true), reference(true);
    const cclp_desiredEdge same[2] = {{5.0, 1}, {5.0, 2}};
    EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 0, kPair),
              CCLP_STATUS_BAD_DESIRED_EDGE_COUNT);
    EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 3, kPair),
              CCLP_STATUS_BAD_DESIRED_EDGE_COUNT);
    EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 2, same), CCLP_STATUS_ZERO_PAIR_WIDTH);
    for (const int32_t count : {0, -1}) {
        EXPECT_EQ(cclp_scoreParams_setMaxNumResults(&params.p, count),
                  CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE);
        EXPECT_EQ(cclp_scoreParams_setScoreMethods(&params.p, 2 * count, params.p.scoreMethods),
                  CCLP_STATUS_SCORE_METHOD_COUNT_NOT_POSITIVE);
    }
    for (const int32_t index : {-1, 3}) {
        EXPECT_EQ(cclp_scoreParams_updateOneSidedOffset(&params.p, index, 1.0),
                  CCLP_STATUS_METHOD_INDEX_OUT_OF_RANGE);
        EXPECT_EQ(cclp_scoreParams_updateTwoSidedOffsets(&params.p, index, 1.0, 2.0),
                  CCLP_STATUS_METHOD_INDEX_OUT_OF_RANGE);
    }
    expectSameParams(params.p, reference.p);
}

// The methods are stored with their fixed forms at 1/256; a single edge may
// lie anywhere with any polarity and may come from the record's own array;
// any sort flag is accepted.
TEST(ScoreParams, SettingsAreCopiedIntoTheRecord) {
    LeakCheck leaks;
    Params params(true);
    int32_t count = 0;
    const cclp_score* stored = nullptr;
    ASSERT_EQ(cclp_scoreParams_getScoreMethods(&params.p, &count, &stored), 0);
    ASSERT_EQ(count, 3);
    EXPECT_TRUE(sameScore(stored[1], threeMethods()[1]));
    EXPECT_EQ(params.p.scoreMethodsFixed[1].twoSided.lowSide.x2, -768);
    const cclp_desiredEdge single{-7.5, 42};
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 1, &single), 0);
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 1, params.p.desiredEdges), 0);
    ASSERT_EQ(cclp_scoreParams_setSortByScore(&params.p, -3), 0);
    const cclp_desiredEdge* edges = nullptr;
    int32_t sort = 0;
    int32_t most = 0;
    ASSERT_EQ(cclp_scoreParams_getDesiredEdges(&params.p, &count, &edges), 0);
    ASSERT_EQ(cclp_scoreParams_getSortByScore(&params.p, &sort), 0);
    ASSERT_EQ(cclp_scoreParams_getMaxNumResults(&params.p, &most), 0);
    EXPECT_EQ(most, 5);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(edges[0].position, -7.5);
    EXPECT_EQ(edges[0].polarity, 42);
    EXPECT_EQ(sort, -3);
}

TEST(ScoreParams, NullArgumentsAreReportedAndRefused) {
    Params params, defaults;
    cclp_scoreParams* p = &params.p;
    int32_t count = 0;
    const cclp_desiredEdge* edges = nullptr;
    const cclp_score* methods = nullptr;
    EXPECT_NULL_REFUSED(cclp_scoreParams_construct(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_constructCopy(p, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_assign(p, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_new(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_setDesiredEdges(p, 1, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_getDesiredEdges(nullptr, nullptr, &edges));
    EXPECT_NULL_REFUSED(cclp_scoreParams_setScoreMethods(p, 1, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_getScoreMethods(nullptr, &count, &methods));
    EXPECT_NULL_REFUSED(cclp_scoreParams_updateTwoSidedOffsets(nullptr, 0, 1.0, 2.0));
    expectSameParams(params.p, defaults.p);
}
