// Scored results, plain and extended: records and sets, deep copies, the
// conversions between the forms, and every failure path of each copy.
#include <gtest/gtest.h>

#include <type_traits>

#include "caliper_fixtures.hpp"
#include "cclp_score/cclp_results.h"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// The exported operations of each record and set type, for typed tests.
template <class T>
struct Ops;
template <>
struct Ops<cclp_scoreOneResult> {
    static constexpr auto construct = cclp_scoreOneResult_construct;
    static constexpr auto constructCopy = cclp_scoreOneResult_constructCopy;
    static constexpr auto assign = cclp_scoreOneResult_assign;
    static constexpr auto reset = cclp_scoreOneResult_reset;
    static constexpr auto destruct = cclp_scoreOneResult_destruct;
};
template <>
struct Ops<cclp_scoreOneResultEx> {
    static constexpr auto construct = cclp_scoreOneResultEx_construct;
    static constexpr auto constructCopy = cclp_scoreOneResultEx_constructCopy;
    static constexpr auto assign = cclp_scoreOneResultEx_assign;
    static constexpr auto reset = cclp_scoreOneResultEx_reset;
    static constexpr auto destruct = cclp_scoreOneResultEx_destruct;
};
template <>
struct Ops<cclp_scoreResultSet> {
    static constexpr auto construct = cclp_scoreResultSet_construct;
    static constexpr auto constructCopy = cclp_scoreResultSet_constructCopy;
    static constexpr auto assign = cclp_scoreResultSet_assign;
    static constexpr auto destruct = cclp_scoreResultSet_destruct;
};
template <>
struct Ops<cclp_scoreResultSetEx> {
    static constexpr auto construct = cclp_scoreResultSetEx_construct;
    static constexpr auto constructCopy = cclp_scoreResultSetEx_constructCopy;
    static constexpr auto assign = cclp_scoreResultSetEx_assign;
    static constexpr auto destruct = cclp_scoreResultSetEx_destruct;
};

// Constructed on creation, destructed on exit.
template <class T>
struct Owned {
    T value;
    Owned() { EXPECT_EQ(Ops<T>::construct(&value), 0); }
    ~Owned() { EXPECT_EQ(Ops<T>::destruct(&value), 0); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
};

template <class Edge>
Edge makeEdge(int32_t i, int32_t seed) {
    Edge edge{};
    edge.position = static_cast<decltype(edge.position)>(seed + 10 * i);
    edge.contrast = static_cast<decltype(edge.contrast)>(i % 2 == 0 ? 40 + i : -40 - i);
    if constexpr (kHasExtras<Edge>) {
        edge.extra1 = static_cast<decltype(edge.extra1)>(1 + i);
        edge.extra2 = static_cast<decltype(edge.extra2)>(2 + i);
        edge.extra3 = static_cast<decltype(edge.extra3)>(3 + i);
    }
    return edge;
}

// A record with every field and array filled; `seed` tells records apart.
template <class Record>
void fillRecord(Record& record, int32_t seed, int32_t numEdges = 2, int32_t numScores = 3) {
    using Edge = std::remove_pointer_t<decltype(record.edges)>;
    using EdgeFixed = std::remove_pointer_t<decltype(record.edgesFixed)>;
    record.numScores = numScores;
    record.formats = 3;
    record.numEdges = numEdges;
    record.position = 0.5 + seed;
    record.positionFixed = 128 + 256 * seed;
    record.score = 0.75;
    record.scoreFixed = 192;
    record.edges = allocateArray<Edge>(numEdges);
    record.edgesFixed = allocateArray<EdgeFixed>(numEdges);
    record.scores = allocateArray<double>(numScores);
    record.scoresFixed = allocateArray<int32_t>(numScores);
    for (int32_t i = 0; i < numEdges; ++i) {
        record.edges[i] = makeEdge<Edge>(i, seed);
        record.edgesFixed[i] = makeEdge<EdgeFixed>(i, 256 * seed);
    }
    for (int32_t i = 0; i < numScores; ++i) {
        record.scores[i] = 0.25 * i;
        record.scoresFixed[i] = 64 * i + seed;
    }
}

template <class Set>
void fillSet(Set& set, int32_t numResults) {
    using Record = std::remove_pointer_t<decltype(set.results)>;
    set.results = allocateArray<Record>(numResults);
    for (int32_t i = 0; i < numResults; ++i) {
        Ops<Record>::construct(&set.results[i]);
        fillRecord(set.results[i], i);
        ++set.numResults;
    }
}

template <class T>
void expectSameArray(const T* actual, const T* expected, int32_t count) {
    ASSERT_NE(actual, nullptr);
    EXPECT_NE(actual, expected) << "shared";
    for (int32_t i = 0; i < count; ++i) EXPECT_EQ(actual[i], expected[i]);
}

// Every field; extras only between records of one form.
template <class A, class B>
void expectSameRecord(const A& actual, const B& expected) {
    EXPECT_EQ(actual.numScores, expected.numScores);
    EXPECT_EQ(actual.formats, expected.formats);
    EXPECT_EQ(actual.numEdges, expected.numEdges);
    EXPECT_EQ(actual.position, expected.position);
    EXPECT_EQ(actual.positionFixed, expected.positionFixed);
    EXPECT_EQ(actual.score, expected.score);
    EXPECT_EQ(actual.scoreFixed, expected.scoreFixed);
    expectSameEdges(actual.edges, expected.edges, expected.numEdges);
    expectSameEdges(actual.edgesFixed, expected.edgesFixed, expected.numEdges);
    expectSameArray(actual.scores, expected.scores, expected.numScores);
    expectSameArray(actual.scoresFixed, expected.scoresFixed, expected.numScores);
}

template <class A, class B>
void expectSameSet(const A& actual, const B& expected) {
    ASSERT_EQ(actual.numResults, expected.numResults);
    for (int32_t i = 0; i < expected.numResults; ++i) {
        expectSameRecord(actual.results[i], expected.results[i]);
    }
}

template <class Record>
void expectInitial(const Record& record) {
    EXPECT_EQ(record.formats, 1u);
    EXPECT_EQ(record.numScores, 0);
    EXPECT_EQ(record.numEdges, 0);
    EXPECT_EQ(record.position, 0.0);
    EXPECT_EQ(record.scoreFixed, 0);
    EXPECT_EQ(record.edges, nullptr);
    EXPECT_EQ(record.edgesFixed, nullptr);
    EXPECT_EQ(record.scores, nullptr);
    EXPECT_EQ(record.scoresFixed, nullptr);
}

// Sweeps a record copy or conversion into a destination that already holds
// arrays. A failed copy keeps what it copied but claims no edges, no scores
// and no combined score.
template <class Destination, class Source, class Copy>
int32_t sweepRecordCopy(Copy copy) {
    return sweepAllocationFailures([&](int32_t k) {
        Owned<Source> source;
        Owned<Destination> destination;
        fillRecord(source.value, 4);
        fillRecord(destination.value, 9, 1, 1);
        FailAllocation failure(k);
        const int32_t status = copy(&destination.value, &source.value);
        if (status < 0) {
            EXPECT_EQ(destination.value.numEdges, 0);
            EXPECT_EQ(destination.value.numScores, 0);
            EXPECT_EQ(destination.value.score, 0.0);
            EXPECT_EQ(destination.value.scoreFixed, 0);
            EXPECT_EQ(destination.value.position, source.value.position);
        } else {
            expectSameRecord(destination.value, source.value);
        }
        return status;
    });
}

// Sweeps a set copy or conversion: after a failure numResults counts exactly
// the records copied in full.
template <class Destination, class Source, class Copy>
int32_t sweepSetCopy(Copy copy) {
    return sweepAllocationFailures([&](int32_t k) {
        Owned<Source> source;
        Owned<Destination> destination;
        fillSet(source.value, 3);
        fillSet(destination.value, 1);
        FailAllocation failure(k);
        const int32_t status = copy(&destination.value, &source.value);
        if (status >= 0) {
            expectSameSet(destination.value, source.value);
            return status;
        }
        EXPECT_LE(destination.value.numResults, 2);
        for (int32_t i = 0; i < destination.value.numResults; ++i) {
            expectSameRecord(destination.value.results[i], source.value.results[i]);
        }
        return status;
    });
}

}  // namespace

template <class Record>
class ScoreOneResultLifecycle : public ::testing::Test {};
using RecordTypes = ::testing::Types<cclp_scoreOneResult, cclp_scoreOneResultEx>;
TYPED_TEST_SUITE(ScoreOneResultLifecycle, RecordTypes);

TYPED_TEST(ScoreOneResultLifecycle, ConstructedRecordHoldsNothingAndResetRestoresIt) {
    LeakCheck leaks;
    Owned<TypeParam> record;
    expectInitial(record.value);
    fillRecord(record.value, 1);
    ASSERT_EQ(Ops<TypeParam>::reset(&record.value), 0);
    expectInitial(record.value);
}

TYPED_TEST(ScoreOneResultLifecycle, AssignAndCopyConstructShareNothing) {
    LeakCheck leaks;
    Owned<TypeParam> source;
    fillRecord(source.value, 2);
    Owned<TypeParam> assigned;
    fillRecord(assigned.value, 5, 1, 4);  // replaced without leaking
    ASSERT_EQ(Ops<TypeParam>::assign(&assigned.value, &source.value), 0);
    expectSameRecord(assigned.value, source.value);
    TypeParam copy;
    ASSERT_EQ(Ops<TypeParam>::constructCopy(&copy, &source.value), 0);
    expectSameRecord(copy, source.value);
    EXPECT_EQ(Ops<TypeParam>::destruct(&copy), 0);
}

TYPED_TEST(ScoreOneResultLifecycle, ArraysAreCopiedOnlyWhenCountedAndPresent) {
    LeakCheck leaks;
    Owned<TypeParam> source;
    fillRecord(source.value, 3);
    void* edges = source.value.edges;
    csys_memory_free_internal(&edges);
    source.value.edges = nullptr;  // numEdges stays 2
    source.value.numScores = 0;    // scores stay allocated
    Owned<TypeParam> destination;
    ASSERT_EQ(Ops<TypeParam>::assign(&destination.value, &source.value), 0);
    EXPECT_EQ(destination.value.numEdges, 2);
    EXPECT_EQ(destination.value.edges, nullptr);
    EXPECT_NE(destination.value.edgesFixed, nullptr);
    EXPECT_EQ(destination.value.scores, nullptr);
    EXPECT_EQ(destination.value.scoresFixed, nullptr);
}

TYPED_TEST(ScoreOneResultLifecycle, SelfAssignmentChangesNothing) {
    LeakCheck leaks;
    Owned<TypeParam> record;
    fillRecord(record.value, 1);
    const auto* edges = record.value.edges;
    const int64_t requests = csys_testing_allocationCount();
    EXPECT_EQ(Ops<TypeParam>::assign(&record.value, &record.value), 0);
    EXPECT_EQ(csys_testing_allocationCount(), requests);
    EXPECT_EQ(record.value.edges, edges);
    EXPECT_EQ(record.value.numEdges, 2);
}

TYPED_TEST(ScoreOneResultLifecycle, FailedCopiesKeepOnlyWhatTheyCopied) {
    EXPECT_EQ((sweepRecordCopy<TypeParam, TypeParam>(Ops<TypeParam>::assign)), 4);
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  Owned<TypeParam> source;
                  fillRecord(source.value, 1);
                  TypeParam copy;
                  FailAllocation failure(k);
                  const int32_t status = Ops<TypeParam>::constructCopy(&copy, &source.value);
                  if (status >= 0) Ops<TypeParam>::destruct(&copy);
                  return status;
              }),
              4);
}

template <class Set>
class ScoreResultSetLifecycle : public ::testing::Test {};
using SetTypes = ::testing::Types<cclp_scoreResultSet, cclp_scoreResultSetEx>;
TYPED_TEST_SUITE(ScoreResultSetLifecycle, SetTypes);

TYPED_TEST(ScoreResultSetLifecycle, AssignAndCopyConstructKeepOrderAndShareNothing) {
    LeakCheck leaks;
    Owned<TypeParam> source;
    fillSet(source.value, 3);
    Owned<TypeParam> assigned;
    fillSet(assigned.value, 2);
    ASSERT_EQ(Ops<TypeParam>::assign(&assigned.value, &source.value), 0);
    expectSameSet(assigned.value, source.value);
    EXPECT_EQ(assigned.value.results[2].position, 2.5);
    TypeParam copy;
    ASSERT_EQ(Ops<TypeParam>::constructCopy(&copy, &source.value), 0);
    expectSameSet(copy, source.value);
    EXPECT_EQ(Ops<TypeParam>::destruct(&copy), 0);
}

TYPED_TEST(ScoreResultSetLifecycle, AMissingOrUncountedArrayAssignsAsEmpty) {
    LeakCheck leaks;
    TypeParam missing{5, nullptr};
    Owned<TypeParam> destination;
    fillSet(destination.value, 1);
    ASSERT_EQ(Ops<TypeParam>::assign(&destination.value, &missing), 0);
    EXPECT_EQ(destination.value.numResults, 0);
    EXPECT_EQ(destination.value.results, nullptr);
    EXPECT_EQ(Ops<TypeParam>::destruct(&missing), 0);
    EXPECT_EQ(missing.numResults, 0);

    for (int32_t uncounted : {0, -3}) {
        Owned<TypeParam> source;
        fillSet(source.value, 2);
        source.value.numResults = uncounted;
        ASSERT_EQ(Ops<TypeParam>::assign(&destination.value, &source.value), 0);
        EXPECT_EQ(destination.value.numResults, 0);
        source.value.numResults = 2;
    }
}

TYPED_TEST(ScoreResultSetLifecycle, SelfAssignmentChangesNothing) {
    LeakCheck leaks;
    Owned<TypeParam> set;
    fillSet(set.value, 2);
    const auto* results = set.value.results;
    EXPECT_EQ(Ops<TypeParam>::assign(&set.value, &set.value), 0);
    EXPECT_EQ(set.value.results, results);
    EXPECT_EQ(set.value.numResults, 2);
}

TYPED_TEST(ScoreResultSetLifecycle, FailedCopiesCountOnlyTheRecordsCopiedInFull) {
    // The array, then four arrays per record.
    EXPECT_EQ((sweepSetCopy<TypeParam, TypeParam>(Ops<TypeParam>::assign)), 13);
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  Owned<TypeParam> source;
                  fillSet(source.value, 3);
                  TypeParam copy;
                  FailAllocation failure(k);
                  const int32_t status = Ops<TypeParam>::constructCopy(&copy, &source.value);
                  if (status >= 0) Ops<TypeParam>::destruct(&copy);
                  return status;
              }),
              13);
}

TEST(ScoreResultSet, ResetReleasesEveryRecordAndTheArray) {
    LeakCheck leaks;
    Owned<cclp_scoreResultSet> set;
    fillSet(set.value, 3);
    ASSERT_EQ(cclp_scoreResultSet_reset(&set.value), 0);
    EXPECT_EQ(set.value.numResults, 0);
    EXPECT_EQ(set.value.results, nullptr);
}

TEST(ScoreResultConversion, ToExtendedZeroesTheExtras) {
    LeakCheck leaks;
    Owned<cclp_scoreOneResult> plain;
    fillRecord(plain.value, 1);
    Owned<cclp_scoreOneResultEx> extended;
    ASSERT_EQ(cclp_scoreOneResultEx_assignToEx(&extended.value, &plain.value), 0);
    expectSameRecord(extended.value, plain.value);
    expectZeroExtras(extended.value.edges, 2);
    expectZeroExtras(extended.value.edgesFixed, 2);
}

TEST(ScoreResultConversion, RoundTripThroughThePlainFormOnlyLosesTheExtras) {
    LeakCheck leaks;
    Owned<cclp_scoreOneResultEx> source;
    fillRecord(source.value, 2);
    Owned<cclp_scoreOneResult> plain;
    ASSERT_EQ(cclp_scoreOneResultEx_assignFromEx(&plain.value, &source.value), 0);
    Owned<cclp_scoreOneResultEx> back;
    ASSERT_EQ(cclp_scoreOneResultEx_assignToEx(&back.value, &plain.value), 0);
    expectSameRecord(back.value, plain.value);
    expectSameRecord(plain.value, source.value);
    expectZeroExtras(back.value.edges, 2);
    expectZeroExtras(back.value.edgesFixed, 2);
}

TEST(ScoreResultConversion, FixedOnlyRecordKeepsItsMissingFloatingEdges) {
    LeakCheck leaks;
    Owned<cclp_scoreOneResult> plain;
    fillRecord(plain.value, 1);
    void* edges = plain.value.edges;
    csys_memory_free_internal(&edges);
    plain.value.edges = nullptr;
    plain.value.formats = 2;
    Owned<cclp_scoreOneResultEx> extended;
    fillRecord(extended.value, 7);
    ASSERT_EQ(cclp_scoreOneResultEx_assignToEx(&extended.value, &plain.value), 0);
    EXPECT_EQ(extended.value.formats, 2u);
    EXPECT_EQ(extended.value.edges, nullptr);
    expectSameEdges(extended.value.edgesFixed, plain.value.edgesFixed, 2);
}

TEST(ScoreResultConversion, SetsConvertInOrderBothWays) {
    LeakCheck leaks;
    Owned<cclp_scoreResultSet> plain;
    fillSet(plain.value, 3);
    Owned<cclp_scoreResultSetEx> extended;
    ASSERT_EQ(cclp_scoreResultSetEx_assignToEx(&extended.value, &plain.value), 0);
    expectSameSet(extended.value, plain.value);
    Owned<cclp_scoreResultSet> back;
    ASSERT_EQ(cclp_scoreResultSetEx_assignFromEx(&back.value, &extended.value), 0);
    expectSameSet(back.value, plain.value);

    const cclp_scoreResultSet empty{4, nullptr};
    ASSERT_EQ(cclp_scoreResultSetEx_assignToEx(&extended.value, &empty), 0);
    EXPECT_EQ(extended.value.numResults, 0);
    EXPECT_EQ(extended.value.results, nullptr);
}

// A failed set conversion also releases what the record it was converting
// already held; the sweeps' leak checks see it.
TEST(ScoreResultConversion, FailedConversionsLeaveDestructibleDestinations) {
    EXPECT_EQ((sweepRecordCopy<cclp_scoreOneResultEx, cclp_scoreOneResult>(
                  cclp_scoreOneResultEx_assignToEx)),
              4);
    EXPECT_EQ((sweepRecordCopy<cclp_scoreOneResult, cclp_scoreOneResultEx>(
                  cclp_scoreOneResultEx_assignFromEx)),
              4);
    EXPECT_EQ((sweepSetCopy<cclp_scoreResultSetEx, cclp_scoreResultSet>(
                  cclp_scoreResultSetEx_assignToEx)),
              13);
    EXPECT_EQ((sweepSetCopy<cclp_scoreResultSet, cclp_scoreResultSetEx>(
                  cclp_scoreResultSetEx_assignFromEx)),
              13);
}

TEST(ScoreResults, NullRecordsAreReportedAndRefused) {
    LeakCheck leaks;
    AssertionCounter assertions;
    cclp_scoreOneResult record;
    cclp_scoreResultSetEx set;
    ASSERT_EQ(cclp_scoreOneResult_construct(&record), 0);
    ASSERT_EQ(cclp_scoreResultSetEx_construct(&set), 0);
    EXPECT_EQ(cclp_scoreOneResult_construct(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreOneResult_assign(&record, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreOneResultEx_reset(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreOneResultEx_assignFromEx(&record, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreResultSet_destruct(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreResultSetEx_assignToEx(&set, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreResultSet_construct(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreResultSetEx_assign(&set, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreOneResult_constructCopy(nullptr, &record), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_scoreResultSetEx_constructCopy(nullptr, &set), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 10);
    EXPECT_EQ(cclp_scoreOneResult_constructCopy(&record, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    expectInitial(record);
}
