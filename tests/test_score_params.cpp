// Score parameters through the exported interface: lifecycle, settings,
// deep copies, and every allocation failure.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "cclp_score/cclp_score_params.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// A constructed record, destructed at scope exit.
struct Params {
    cclp_scoreParams p;
    Params() { EXPECT_EQ(cclp_scoreParams_construct(&p), 0); }
    ~Params() { EXPECT_EQ(cclp_scoreParams_destruct(&p), 0); }
    Params(const Params&) = delete;
    Params& operator=(const Params&) = delete;
};

cclp_score oneSidedMethod(int32_t method, double x0, double x1, double x2) {
    cclp_scoreOneSided function;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&function, x0, x1, x2, 1.0, 0.0), 0);
    cclp_score score;
    EXPECT_EQ(cclp_score_initScoreMethodOneSided(&score, method, &function), 0);
    return score;
}

cclp_score twoSidedMethod(int32_t method) {
    cclp_scoreTwoSided function;
    EXPECT_EQ(cclp_scoreTwoSided_initValues(&function, -1.0, -2.0, -3.0, 0.0, 2.0, 4.0, 1.0, 0.5,
                                            1.0, 0.25),
              0);
    cclp_score score;
    EXPECT_EQ(cclp_score_initScoreMethodTwoSided(&score, method, &function), 0);
    return score;
}

const cclp_desiredEdge kPair[2] = {{0.0, cclp_polarityPositive}, {20.0, cclp_polarityNegative}};

std::vector<cclp_score> threeMethods() {
    return {oneSidedMethod(cclp_scoreMethodSize, 1.0, 1.5, 2.0), twoSidedMethod(9),
            oneSidedMethod(cclp_scoreMethodOffsetDist, 0.0, 4.0, 8.0)};
}

// Two desired edges, three methods, and non-default scalars.
void fillSource(cclp_scoreParams& p) {
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&p, 2, kPair), 0);
    ASSERT_EQ(cclp_scoreParams_setScoreMethods(&p, 3, threeMethods().data()), 0);
    ASSERT_EQ(cclp_scoreParams_setMaxNumResults(&p, 5), 0);
    ASSERT_EQ(cclp_scoreParams_setSortByScore(&p, 0), 0);
}

// What a record holds, copied out so that later changes can be seen.
struct Snapshot {
    int32_t numDesiredEdges, sortByScore, maxNumResults, numScoreMethods;
    const cclp_desiredEdge* edgesArray;
    std::vector<cclp_desiredEdge> edges;
    std::vector<cclp_score> methods;
    std::vector<cclp_scoreFixed> fixed;

    explicit Snapshot(const cclp_scoreParams& p)
        : numDesiredEdges(p.numDesiredEdges),
          sortByScore(p.sortByScore),
          maxNumResults(p.maxNumResults),
          numScoreMethods(p.numScoreMethods),
          edgesArray(p.desiredEdges),
          edges(p.desiredEdges, p.desiredEdges + p.numDesiredEdges),
          methods(p.scoreMethods, p.scoreMethods + p.numScoreMethods),
          fixed(p.scoreMethodsFixed, p.scoreMethodsFixed + p.numScoreMethods) {}

    void expectHeldBy(const cclp_scoreParams& p) const {
        EXPECT_EQ(p.numDesiredEdges, numDesiredEdges);
        EXPECT_EQ(p.sortByScore, sortByScore);
        EXPECT_EQ(p.maxNumResults, maxNumResults);
        ASSERT_EQ(p.numScoreMethods, numScoreMethods);
        for (size_t i = 0; i < edges.size(); ++i) {
            EXPECT_EQ(p.desiredEdges[i].position, edges[i].position);
            EXPECT_EQ(p.desiredEdges[i].polarity, edges[i].polarity);
        }
        for (size_t i = 0; i < methods.size(); ++i) {
            EXPECT_TRUE(sameScore(p.scoreMethods[i], methods[i])) << "method " << i;
            EXPECT_TRUE(sameBytes(p.scoreMethodsFixed[i], fixed[i])) << "fixed method " << i;
        }
    }
};

void expectDefaults(const cclp_scoreParams& p) {
    EXPECT_EQ(p.numDesiredEdges, 1);
    EXPECT_EQ(p.sortByScore, 1);
    EXPECT_EQ(p.maxNumResults, 1);
    ASSERT_EQ(p.numScoreMethods, 1);
    ASSERT_NE(p.desiredEdges, nullptr);
    EXPECT_EQ(p.desiredEdges[0].position, 0.0);
    EXPECT_EQ(p.desiredEdges[0].polarity, cclp_polarityAny);
    cclp_score contrast;
    cclp_score_init(&contrast);
    ASSERT_NE(p.scoreMethods, nullptr);
    EXPECT_TRUE(sameScore(p.scoreMethods[0], contrast));
    ASSERT_NE(p.scoreMethodsFixed, nullptr);
    const cclp_scoreFixed& fixed = p.scoreMethodsFixed[0];
    EXPECT_EQ(fixed.isOneSided, 1);
    EXPECT_EQ(fixed.method, cclp_scoreMethodContrast);
    EXPECT_EQ(fixed.oneSided.x0, 255 * 256);
    EXPECT_EQ(fixed.oneSided.y0, 256);
    EXPECT_TRUE(allZero(fixed.twoSided));
}

void expectEmpty(const cclp_scoreParams& p) {
    EXPECT_EQ(p.numDesiredEdges, 0);
    EXPECT_EQ(p.numScoreMethods, 0);
    EXPECT_EQ(p.desiredEdges, nullptr);
    EXPECT_EQ(p.scoreMethods, nullptr);
    EXPECT_EQ(p.scoreMethodsFixed, nullptr);
    EXPECT_EQ(p.maxNumResults, 1);
    EXPECT_EQ(p.sortByScore, 1);
}

// Sweeps an operation on a constructed record, filled first when asked;
// `check(record, before, status)` checks the state it promises.
using Check = std::function<void(const cclp_scoreParams&, const Snapshot&, int32_t)>;
int32_t sweepOnRecord(bool filled, const std::function<int32_t(cclp_scoreParams&)>& operation,
                      const Check& check) {
    return sweepAllocationFailures([&](int32_t k) {
        Params params;
        if (filled) fillSource(params.p);
        const Snapshot before(params.p);
        int32_t status = 0;
        {
            FailAllocation fail(k);
            status = operation(params.p);
        }
        check(params.p, before, status);
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
                      EXPECT_EQ(p.desiredEdges, nullptr);
                      EXPECT_EQ(p.scoreMethods, nullptr);
                      EXPECT_EQ(p.scoreMethodsFixed, nullptr);
                  } else {
                      expectDefaults(p);
                  }
                  EXPECT_EQ(cclp_scoreParams_destruct(&p), 0);
                  return status;
              }),
              3);
}

TEST(ScoreParamsLifecycle, DestructEmptiesMayRunTwiceAndAnEmptyRecordAssignsAsEmpty) {
    LeakCheck leaks;
    cclp_scoreParams empty;
    ASSERT_EQ(cclp_scoreParams_construct(&empty), 0);
    fillSource(empty);
    EXPECT_EQ(cclp_scoreParams_destruct(&empty), 0);
    expectEmpty(empty);
    EXPECT_EQ(cclp_scoreParams_destruct(&empty), 0);
    expectEmpty(empty);
    Params params;
    ASSERT_EQ(cclp_scoreParams_assign(&params.p, &empty), 0);
    expectEmpty(params.p);
}

TEST(ScoreParamsLifecycle, CopiesAreDeepAndIndependent) {
    LeakCheck leaks;
    Params source, copy;
    fillSource(source.p);
    ASSERT_EQ(cclp_scoreParams_assign(&copy.p, &source.p), 0);
    const Snapshot held(source.p);
    held.expectHeldBy(copy.p);
    EXPECT_NE(copy.p.desiredEdges, source.p.desiredEdges);
    EXPECT_NE(copy.p.scoreMethods, source.p.scoreMethods);
    EXPECT_NE(copy.p.scoreMethodsFixed, source.p.scoreMethodsFixed);
    const cclp_desiredEdge* edges = source.p.desiredEdges;
    EXPECT_EQ(cclp_scoreParams_assign(&source.p, &source.p), 0);
    EXPECT_EQ(source.p.desiredEdges, edges) << "self-assignment changes nothing";
    held.expectHeldBy(source.p);

    const cclp_desiredEdge single{3.0, cclp_polarityAny};
    const cclp_score one = oneSidedMethod(cclp_scoreMethodPos, 0.0, 1.0, 2.0);
    ASSERT_EQ(cclp_scoreParams_updateOneSidedOffset(&source.p, 2, 9.0), 0);
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&source.p, 1, &single), 0);
    ASSERT_EQ(cclp_scoreParams_setScoreMethods(&source.p, 1, &one), 0);
    ASSERT_EQ(cclp_scoreParams_destruct(&source.p), 0);
    held.expectHeldBy(copy.p);
}

// A failed assignment leaves both counts 0; a failed copy construction
// leaves no arrays.
TEST(ScoreParamsLifecycle, FailedCopiesClaimNothing) {
    Params source;
    fillSource(source.p);
    const Snapshot held(source.p);
    EXPECT_EQ(sweepOnRecord(false,
                            [&](cclp_scoreParams& p) { return cclp_scoreParams_assign(&p, &source.p); },
                            [&](const cclp_scoreParams& p, const Snapshot&, int32_t status) {
                                if (status >= 0) return held.expectHeldBy(p);
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
                      EXPECT_EQ(p.desiredEdges, nullptr);
                      EXPECT_EQ(p.scoreMethods, nullptr);
                      EXPECT_EQ(p.scoreMethodsFixed, nullptr);
                      return status;
                  }
                  held.expectHeldBy(p);
                  cclp_scoreParams_destruct(&p);
                  return status;
              }),
              6);
}

TEST(ScoreParamsLifecycle, NewNewCloneAndDeleteManageHeapRecords) {
    LeakCheck leaks;
    Params source;
    fillSource(source.p);
    const Snapshot held(source.p);
    cclp_scoreParams* params = nullptr;
    ASSERT_EQ(cclp_scoreParams_newClone(&params, &source.p), 0);
    EXPECT_EQ(cclp_scoreParams_newClone(&params, params), 0) << "cloning the held record keeps it";
    held.expectHeldBy(*params);
    EXPECT_EQ(cclp_scoreParams_newClone(&params, nullptr), 0);
    EXPECT_EQ(params, nullptr) << "a null source deletes";
    EXPECT_EQ(cclp_scoreParams_delete(&params), 0) << "deleting a null pointer is allowed";
    // Both delete the record the pointer holds; on failure it is null.
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
                      } else if (cloning) {
                          held.expectHeldBy(*params);
                      } else {
                          expectDefaults(*params);
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
                  [](const cclp_scoreParams& p, const Snapshot& before, int32_t status) {
                      EXPECT_EQ(p.numDesiredEdges, status < 0 ? 0 : 2);
                      if (status < 0) {
                          EXPECT_EQ(p.desiredEdges, before.edgesArray);
                      }
                  }),
              1);
    const std::vector<cclp_score> methods = threeMethods();
    EXPECT_EQ(
        sweepOnRecord(
            false,
            [&](cclp_scoreParams& p) {
                return cclp_scoreParams_setScoreMethods(&p, 3, methods.data());
            },
            [](const cclp_scoreParams& p, const Snapshot&, int32_t status) {
                EXPECT_EQ(p.numScoreMethods, status < 0 ? 0 : 3);
            }),
        2);
    // From the record's own array: set aside first, so nothing is lost
    // before the first allocation succeeds.
    EXPECT_EQ(sweepOnRecord(
                  true,
                  [](cclp_scoreParams& p) {
                      return cclp_scoreParams_setScoreMethods(&p, 2, p.scoreMethods + 1);
                  },
                  [](const cclp_scoreParams& p, const Snapshot& before, int32_t status) {
                      if (status < 0) {
                          if (p.numScoreMethods != 0) before.expectHeldBy(p);
                          return;
                      }
                      ASSERT_EQ(p.numScoreMethods, 2);
                      EXPECT_TRUE(sameScore(p.scoreMethods[0], before.methods[1]));
                      EXPECT_TRUE(sameScore(p.scoreMethods[1], before.methods[2]));
                      EXPECT_TRUE(sameBytes(p.scoreMethodsFixed[1], before.fixed[2]));
                  }),
              3);
}

TEST(ScoreParamsSettings, RangeErrorsChangeNothing) {
    LeakCheck leaks;
    Params params;
    fillSource(params.p);
    const Snapshot before(params.p);
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
    before.expectHeldBy(params.p);
}

TEST(ScoreParamsSettings, SettingsAreCopiedIntoTheRecordAndReadBack) {
    LeakCheck leaks;
    Params params;
    int32_t count = 0;
    const cclp_desiredEdge* edges = nullptr;
    ASSERT_EQ(cclp_scoreParams_setDesiredEdges(&params.p, 2, kPair), 0);
    ASSERT_EQ(cclp_scoreParams_getDesiredEdges(&params.p, &count, &edges), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(edges, params.p.desiredEdges) << "the record's own copy";
    EXPECT_NE(edges, kPair);
    EXPECT_EQ(edges[1].position, 20.0);
    EXPECT_EQ(edges[1].polarity, cclp_polarityNegative);
    // A single edge anywhere, any polarity; the record's own array may be
    // passed back.
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
    EXPECT_EQ(value, -3) << "any flag is stored as given";

    const cclp_score methods[2] = {oneSidedMethod(cclp_scoreMethodPos, 0.0, 2.0, 3.0),
                                   twoSidedMethod(cclp_scoreMethodEdgePos)};
    ASSERT_EQ(cclp_scoreParams_setScoreMethods(&params.p, 2, methods), 0);
    const cclp_score* stored = nullptr;
    ASSERT_EQ(cclp_scoreParams_getScoreMethods(&params.p, &count, &stored), 0);
    ASSERT_EQ(count, 2);
    EXPECT_NE(stored, methods);
    EXPECT_TRUE(sameScore(stored[0], methods[0]));
    EXPECT_TRUE(sameScore(stored[1], methods[1]));
    const cclp_scoreFixed* fixed = params.p.scoreMethodsFixed;
    EXPECT_EQ(fixed[0].isOneSided, 1);
    EXPECT_EQ(fixed[0].method, cclp_scoreMethodPos);
    EXPECT_EQ(fixed[0].oneSided.x1, 512);
    EXPECT_EQ(fixed[0].oneSided.x2, 768);
    EXPECT_TRUE(allZero(fixed[0].twoSided));
    EXPECT_EQ(fixed[1].isOneSided, 0);
    EXPECT_EQ(fixed[1].method, cclp_scoreMethodEdgePos);
    EXPECT_EQ(fixed[1].twoSided.lowSide.x2, -768);
    EXPECT_EQ(fixed[1].twoSided.lowSide.y1, 128);
    EXPECT_EQ(fixed[1].twoSided.highSide.x2, 1024);
    EXPECT_EQ(fixed[1].twoSided.highSide.y1, 64);
    EXPECT_TRUE(allZero(fixed[1].oneSided));
}

TEST(ScoreParamsSettings, OffsetUpdatesWriteBothFormsOfTheNamedPartOnly) {
    Params params;
    fillSource(params.p);
    const Snapshot before(params.p);
    ASSERT_EQ(cclp_scoreParams_updateOneSidedOffset(&params.p, 0, -2.5), 0);
    EXPECT_EQ(params.p.scoreMethods[0].oneSided.positionOffset, -2.5);
    EXPECT_EQ(params.p.scoreMethodsFixed[0].oneSided.positionOffset, -640);
    // The two-sided update on the one-sided method at index 2 writes its
    // twoSided part and leaves its oneSided part alone.
    ASSERT_EQ(cclp_scoreParams_updateTwoSidedOffsets(&params.p, 2, -2.5, 2.5), 0);
    const cclp_score& method = params.p.scoreMethods[2];
    const cclp_scoreFixed& fixed = params.p.scoreMethodsFixed[2];
    EXPECT_EQ(method.twoSided.lowSide.positionOffset, -2.5);
    EXPECT_EQ(method.twoSided.highSide.positionOffset, 2.5);
    EXPECT_EQ(fixed.twoSided.lowSide.positionOffset, -640);
    EXPECT_EQ(fixed.twoSided.highSide.positionOffset, 640);
    EXPECT_TRUE(sameBytes(method.oneSided, before.methods[2].oneSided));
    EXPECT_TRUE(sameBytes(fixed.oneSided, before.fixed[2].oneSided));
    EXPECT_TRUE(sameScore(params.p.scoreMethods[1], before.methods[1]));
    EXPECT_TRUE(sameBytes(params.p.scoreMethodsFixed[1], before.fixed[1]));
}

TEST(ScoreParamsSettings, NullArgumentsAreReportedAndRefused) {
    Params params;
    cclp_scoreParams* p = &params.p;
    int32_t count = 0;
    const cclp_desiredEdge* edges = nullptr;
    const cclp_score* methods = nullptr;
    const std::vector<std::function<int32_t()>> calls = {
        [] { return cclp_scoreParams_construct(nullptr); },
        [p] { return cclp_scoreParams_constructCopy(nullptr, p); },
        [p] { return cclp_scoreParams_constructCopy(p, nullptr); },
        [p] { return cclp_scoreParams_assign(p, nullptr); },
        [] { return cclp_scoreParams_destruct(nullptr); },
        [] { return cclp_scoreParams_new(nullptr); },
        [p] { return cclp_scoreParams_newClone(nullptr, p); },
        [] { return cclp_scoreParams_delete(nullptr); },
        [p] { return cclp_scoreParams_setDesiredEdges(p, 1, nullptr); },
        [&edges] { return cclp_scoreParams_getDesiredEdges(nullptr, nullptr, &edges); },
        [] { return cclp_scoreParams_setMaxNumResults(nullptr, 1); },
        [p] { return cclp_scoreParams_getMaxNumResults(p, nullptr); },
        [] { return cclp_scoreParams_setSortByScore(nullptr, 1); },
        [p] { return cclp_scoreParams_getSortByScore(p, nullptr); },
        [p] { return cclp_scoreParams_setScoreMethods(p, 1, nullptr); },
        [p, &count] { return cclp_scoreParams_getScoreMethods(p, &count, nullptr); },
        [&count, &methods] { return cclp_scoreParams_getScoreMethods(nullptr, &count, &methods); },
        [] { return cclp_scoreParams_updateOneSidedOffset(nullptr, 0, 1.0); },
        [] { return cclp_scoreParams_updateTwoSidedOffsets(nullptr, 0, 1.0, 2.0); },
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        AssertionCounter assertions;
        EXPECT_EQ(calls[i](), CSYS_STATUS_NULL_ARGUMENT) << "call " << i;
        EXPECT_EQ(assertions.count(), 1) << "call " << i;
    }
    expectDefaults(params.p);
}
