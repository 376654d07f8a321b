// Score parameters through the exported interface: lifecycle, settings,
// deep copies, and every allocation failure.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "cclp_score/cclp_score_params.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

const cclp_desiredEdge kPair[2] = {{0.0, cclp_polarityPositive}, {20.0, cclp_polarityNegative}};

std::array<cclp_score, 3> threeMethods() {
    std::array<cclp_score, 3> methods{};
    cclp_scoreOneSided one;
    cclp_scoreTwoSided two;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&one, 1.0, 1.5, 2.0, 1.0, 0.0), 0);
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&methods[0], cclp_scoreMethodSize, &one), 0);
    EXPECT_EQ(cclp_scoreTwoSided_initValues(&two, -1.0, -2.0, -3.0, 0.0, 2.0, 4.0, 1.0, 0.5, 1.0,
                                            0.25),
              0);
    EXPECT_EQ(cclp_score_initScoreMethodTwoSided(&methods[1], 9, &two), 0);
    EXPECT_EQ(cclp_scoreOneSided_initValues(&one, 0.0, 4.0, 8.0, 1.0, 0.0), 0);
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

// Sweeps an operation on a constructed record, filled when asked;
// `check(record, status)` checks the state it promises.
int32_t sweepOnRecord(bool filled, const std::function<int32_t(cclp_scoreParams&)>& operation,
                      const std::function<void(const cclp_scoreParams&, int32_t)>& check) {
    return sweepAllocationFailures([&](int32_t k) {
        Params params(filled);
        int32_t status = 0;
        {
            FailAllocation fail(k);
            status = operation(params.p);
        }
        check(params.p, status);
        return status;
    });
}

}  // namespace

// ---- lifecycle ----

TEST(ScoreParamsLifecycle, ConstructGivesTheDefaultsOrFreesWhatItBuilt) {
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  cclp_scoreParams p;
                  int32_t status = 0;
                  {
                      FailAllocation fail(k);
                      status = cclp_scoreParams_construct(&p);
                  }
                  if (status < 0) {
                      expectNoArrays(p);
                      return status;
                  }
                  EXPECT_EQ(p.numDesiredEdges, 1);
                  EXPECT_EQ(p.sortByScore, 1);
                  EXPECT_EQ(p.maxNumResults, 1);
                  EXPECT_EQ(p.desiredEdges[0].position, 0.0);
                  EXPECT_EQ(p.desiredEdges[0].polarity, cclp_polarityAny);
                  cclp_score contrast;
                  cclp_score_init(&contrast);
                  EXPECT_EQ(p.numScoreMethods, 1);
                  EXPECT_TRUE(sameScore(p.scoreMethods[0], contrast));
                  const cclp_scoreFixed& fixed = p.scoreMethodsFixed[0];
                  EXPECT_EQ(fixed.isOneSided, 1);
                  EXPECT_EQ(fixed.method, cclp_scoreMethodContrast);
                  EXPECT_EQ(fixed.oneSided.x0, 255 * 256);
                  EXPECT_EQ(fixed.oneSided.y0, 256);
                  EXPECT_TRUE(allZero(fixed.twoSided));
                  EXPECT_EQ(cclp_scoreParams_destruct(&p), 0);
                  return status;
              }),
              3);
}

TEST(ScoreParamsLifecycle, DestructEmptiesMayRunTwiceAndAnEmptyRecordAssignsAsEmpty) {
    LeakCheck leaks;
    const auto expectEmpty = [](const cclp_scoreParams& p) {
        EXPECT_EQ(p.numDesiredEdges, 0);
        EXPECT_EQ(p.numScoreMethods, 0);
        expectNoArrays(p);
        EXPECT_EQ(p.maxNumResults, 1);
        EXPECT_EQ(p.sortByScore, 1);
    };
    Params empty(true);
    for (int32_t twice = 0; twice < 2; ++twice) {
        EXPECT_EQ(cclp_scoreParams_destruct(&empty.p), 0);
        expectEmpty(empty.p);
    }
    Params params;
    ASSERT_EQ(cclp_scoreParams_assign(&params.p, &empty.p), 0);
    expectEmpty(params.p);
}

TEST(ScoreParamsLifecycle, CopiesAreDeepAndIndependent) {
    LeakCheck leaks;
    Params source(true), copy, reference(true);
    ASSERT_EQ(cclp_scoreParams_assign(&copy.p, &source.p), 0);
    expectSameParams(copy.p, reference.p);
    EXPECT_NE(copy.p.desiredEdges, source.p.desiredEdges);
    EXPECT_NE(copy.p.scoreMethods, source.p.scoreMethods);
    EXPECT_NE(copy.p.scoreMethodsFixed, source.p.scoreMethodsFixed);
    const cclp_desiredEdge* edges = source.p.desiredEdges;
    EXPECT_EQ(cclp_scoreParams_assign(&source.p, &source.p), 0);
    EXPECT_EQ(source.p.desiredEdges, edges) << "self-assignment changes nothing";
    expectSameParams(source.p, reference.p);

    ASSERT_EQ(cclp_scoreParams_updateOneSidedOffset(&source.p, 2, 9.0), 0);
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&source.p, 1, kPair), 0);
    ASSERT_EQ(cclp_scoreParams_setScoreMethods(&source.p, 1, &threeMethods()[2]), 0);
    ASSERT_EQ(cclp_scoreParams_destruct(&source.p), 0);
    expectSameParams(copy.p, reference.p);
}

// A failed assignment leaves both counts 0; a failed copy construction
// leaves no arrays.
TEST(ScoreParamsLifecycle, FailedCopiesClaimNothing) {
    Params source(true);
    EXPECT_EQ(sweepOnRecord(
                  false, [&](cclp_scoreParams& p) { return cclp_scoreParams_assign(&p, &source.p); },
                  [&](const cclp_scoreParams& p, int32_t status) {
                      if (status >= 0) return expectSameParams(p, source.p);
                      EXPECT_EQ(p.numDesiredEdges, 0);
                      EXPECT_EQ(p.numScoreMethods, 0);
                  }),
              3);
    EXPECT_EQ(sweepAllocationFailures([&](int32_t k) {
                  cclp_scoreParams p{};
                  int32_t status = 0;
                  {
                      FailAllocation fail(k);
                      status = cclp_scoreParams_constructCopy(&p, &source.p);
                  }
                  if (status < 0) {
                      expectNoArrays(p);
                      return status;
                  }
                  expectSameParams(p, source.p);
                  cclp_scoreParams_destruct(&p);
                  return status;
              }),
              6);
}

// new and newClone delete the record the pointer holds; on failure it is
// null. Cloning the held record keeps it; a null source deletes.
TEST(ScoreParamsLifecycle, NewNewCloneAndDeleteManageHeapRecords) {
    LeakCheck leaks;
    Params source(true), defaults;
    cclp_scoreParams* params = nullptr;
    ASSERT_EQ(cclp_scoreParams_newClone(&params, &source.p), 0);
    EXPECT_EQ(cclp_scoreParams_newClone(&params, params), 0);
    expectSameParams(*params, source.p);
    EXPECT_EQ(cclp_scoreParams_newClone(&params, nullptr), 0);
    EXPECT_EQ(params, nullptr);
    EXPECT_EQ(cclp_scoreParams_delete(&params), 0) << "deleting a null pointer is allowed";
    for (const bool cloning : {false, true}) {
        EXPECT_EQ(sweepAllocationFailures([&](int32_t k) {
                      EXPECT_EQ(cclp_scoreParams_new(&params), 0);
                      int32_t status = 0;
                      {
                          FailAllocation fail(k);
                          status = cloning ? cclp_scoreParams_newClone(&params, &source.p)
                                           : cclp_scoreParams_new(&params);
                      }
                      if (status < 0) {
                          EXPECT_EQ(params, nullptr);
                      } else {
                          expectSameParams(*params, cloning ? source.p : defaults.p);
                      }
                      cclp_scoreParams_delete(&params);
                      return status;
                  }),
                  cloning ? 7 : 4);
    }
}

// ---- settings ----

TEST(ScoreParamsSettings, FailedReplacementsLeaveTheirCountZero) {
    EXPECT_EQ(sweepOnRecord(
                  false,
                  [](cclp_scoreParams& p) { return cclp_scoreParams_setDesiredEdges(&p, 2, kPair); },
                  [](const cclp_scoreParams& p, int32_t status) {
                      EXPECT_EQ(p.numDesiredEdges, status < 0 ? 0 : 2);
                      EXPECT_EQ(p.desiredEdges[0].polarity,
                                status < 0 ? cclp_polarityAny : cclp_polarityPositive)
                          << "the old array is kept";
                  }),
              1);
    const std::array<cclp_score, 3> methods = threeMethods();
    EXPECT_EQ(sweepOnRecord(
                  false,
                  [&](cclp_scoreParams& p) {
                      return cclp_scoreParams_setScoreMethods(&p, 3, methods.data());
                  },
                  [](const cclp_scoreParams& p, int32_t status) {
                      EXPECT_EQ(p.numScoreMethods, status < 0 ? 0 : 3);
                  }),
              2);
    // From the record's own array, which is set aside first: a failure
    // leaves the record as it was or with no methods.
    Params reference(true);
    EXPECT_EQ(sweepOnRecord(
                  true,
                  [](cclp_scoreParams& p) {
                      return cclp_scoreParams_setScoreMethods(&p, 2, p.scoreMethods + 1);
                  },
                  [&](const cclp_scoreParams& p, int32_t status) {
                      if (status < 0) {
                          if (p.numScoreMethods != 0) expectSameParams(p, reference.p);
                          return;
                      }
                      ASSERT_EQ(p.numScoreMethods, 2);
                      EXPECT_TRUE(sameScore(p.scoreMethods[0], reference.p.scoreMethods[1]));
                      EXPECT_TRUE(sameScore(p.scoreMethods[1], reference.p.scoreMethods[2]));
                      EXPECT_TRUE(
                          sameBytes(p.scoreMethodsFixed[1], reference.p.scoreMethodsFixed[2]));
                  }),
              3);
}

TEST(ScoreParamsSettings, RangeErrorsChangeNothing) {
    Params params(true), reference(true);
    const cclp_desiredEdge same[2] = {{5.0, 1}, {5.0, 2}};
    const cclp_desiredEdge three[3] = {{0.0, 1}, {1.0, 2}, {2.0, 3}};
    EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 0, kPair),
              CCLP_STATUS_BAD_DESIRED_EDGE_COUNT);
    EXPECT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 3, three),
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

// Copies in the record's own arrays; the fixed forms at 1/256.
TEST(ScoreParamsSettings, SettingsAreCopiedIntoTheRecordAndReadBack) {
    LeakCheck leaks;
    Params params(true);
    int32_t count = 0;
    const cclp_desiredEdge* edges = nullptr;
    ASSERT_EQ(cclp_scoreParams_getDesiredEdges(&params.p, &count, &edges), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(edges, params.p.desiredEdges);
    EXPECT_NE(edges, kPair);
    EXPECT_EQ(edges[1].position, 20.0);
    EXPECT_EQ(edges[1].polarity, cclp_polarityNegative);
    const std::array<cclp_score, 3> methods = threeMethods();
    const cclp_score* stored = nullptr;
    ASSERT_EQ(cclp_scoreParams_getScoreMethods(&params.p, &count, &stored), 0);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(stored, params.p.scoreMethods);
    for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(sameScore(stored[i], methods[i])) << i;
    const cclp_scoreFixed* fixed = params.p.scoreMethodsFixed;
    EXPECT_EQ(fixed[0].method, cclp_scoreMethodSize);
    EXPECT_EQ(fixed[0].oneSided.x1, 384);
    EXPECT_EQ(fixed[0].oneSided.x2, 512);
    EXPECT_TRUE(allZero(fixed[0].twoSided));
    EXPECT_EQ(fixed[1].isOneSided, 0);
    EXPECT_EQ(fixed[1].method, 9);
    EXPECT_EQ(fixed[1].twoSided.lowSide.x2, -768);
    EXPECT_EQ(fixed[1].twoSided.lowSide.y1, 128);
    EXPECT_EQ(fixed[1].twoSided.highSide.x2, 1024);
    EXPECT_EQ(fixed[1].twoSided.highSide.y1, 64);
    EXPECT_TRUE(allZero(fixed[1].oneSided));

    // A single edge anywhere, any polarity; the record's own array may be
    // passed back. Any sort flag is stored as given.
    const cclp_desiredEdge single{-7.5, 42};
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 1, &single), 0);
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 1, params.p.desiredEdges), 0);
    ASSERT_EQ(cclp_scoreParams_getDesiredEdges(&params.p, &count, &edges), 0);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(edges[0].position, -7.5);
    EXPECT_EQ(edges[0].polarity, 42);
    int32_t value = 0;
    for (const int32_t most : {1, 12}) {
        ASSERT_EQ(cclp_scoreParams_setMaxNumResults(&params.p, most), 0);
        ASSERT_EQ(cclp_scoreParams_getMaxNumResults(&params.p, &value), 0);
        EXPECT_EQ(value, most);
    }
    ASSERT_EQ(cclp_scoreParams_setSortByScore(&params.p, -3), 0);
    ASSERT_EQ(cclp_scoreParams_getSortByScore(&params.p, &value), 0);
    EXPECT_EQ(value, -3);
}

// The two-sided update on the one-sided method at index 2 writes its
// twoSided part and leaves its oneSided part alone.
TEST(ScoreParamsSettings, OffsetUpdatesWriteBothFormsOfTheNamedPartOnly) {
    Params params(true), reference(true);
    ASSERT_EQ(cclp_scoreParams_updateOneSidedOffset(&params.p, 0, -2.5), 0);
    EXPECT_EQ(params.p.scoreMethods[0].oneSided.positionOffset, -2.5);
    EXPECT_EQ(params.p.scoreMethodsFixed[0].oneSided.positionOffset, -640);
    ASSERT_EQ(cclp_scoreParams_updateTwoSidedOffsets(&params.p, 2, -2.5, 2.5), 0);
    const cclp_score& method = params.p.scoreMethods[2];
    const cclp_scoreFixed& fixed = params.p.scoreMethodsFixed[2];
    EXPECT_EQ(method.twoSided.lowSide.positionOffset, -2.5);
    EXPECT_EQ(method.twoSided.highSide.positionOffset, 2.5);
    EXPECT_EQ(fixed.twoSided.lowSide.positionOffset, -640);
    EXPECT_EQ(fixed.twoSided.highSide.positionOffset, 640);
    EXPECT_TRUE(sameBytes(method.oneSided, reference.p.scoreMethods[2].oneSided));
    EXPECT_TRUE(sameBytes(fixed.oneSided, reference.p.scoreMethodsFixed[2].oneSided));
    EXPECT_TRUE(sameScore(params.p.scoreMethods[1], reference.p.scoreMethods[1]));
    EXPECT_TRUE(sameBytes(params.p.scoreMethodsFixed[1], reference.p.scoreMethodsFixed[1]));
}

TEST(ScoreParamsSettings, NullArgumentsAreReportedAndRefused) {
    Params params, defaults;
    cclp_scoreParams* p = &params.p;
    int32_t count = 0;
    const cclp_desiredEdge* edges = nullptr;
    const cclp_score* methods = nullptr;
    EXPECT_NULL_REFUSED(cclp_scoreParams_construct(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_constructCopy(nullptr, p));
    EXPECT_NULL_REFUSED(cclp_scoreParams_constructCopy(p, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_assign(p, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_destruct(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_new(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_newClone(nullptr, p));
    EXPECT_NULL_REFUSED(cclp_scoreParams_delete(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_setDesiredEdges(p, 1, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_getDesiredEdges(nullptr, nullptr, &edges));
    EXPECT_NULL_REFUSED(cclp_scoreParams_setMaxNumResults(nullptr, 1));
    EXPECT_NULL_REFUSED(cclp_scoreParams_getMaxNumResults(p, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_setSortByScore(nullptr, 1));
    EXPECT_NULL_REFUSED(cclp_scoreParams_getSortByScore(p, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_setScoreMethods(p, 1, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_getScoreMethods(p, &count, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreParams_getScoreMethods(nullptr, &count, &methods));
    EXPECT_NULL_REFUSED(cclp_scoreParams_updateOneSidedOffset(nullptr, 0, 1.0));
    EXPECT_NULL_REFUSED(cclp_scoreParams_updateTwoSidedOffsets(nullptr, 0, 1.0, 2.0));
    expectSameParams(params.p, defaults.p);
}
