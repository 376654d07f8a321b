// Scored results, plain and extended: records and sets, deep copies, the
// conversions between the forms, and every failure path of each copy.
#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "caliper_fixtures.hpp"
#include "cclp_score/cclp_results.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// The exported operations of each record and set type, and its twin form
// with the conversion into it, for typed tests.
template <class T>
struct Ops;
#define CCLP_TEST_OPS_(T, TwinType, toTwin)                      \
    template <>                                                  \
    struct Ops<T> {                                              \
        using Twin = TwinType;                                   \
        static constexpr auto construct = T##_construct;         \
        static constexpr auto constructCopy = T##_constructCopy; \
        static constexpr auto assign = T##_assign;               \
        static constexpr auto destruct = T##_destruct;           \
        static constexpr auto convert = toTwin;                  \
    };
CCLP_TEST_OPS_(cclp_scoreOneResult, cclp_scoreOneResultEx, cclp_scoreOneResultEx_assignToEx)
CCLP_TEST_OPS_(cclp_scoreOneResultEx, cclp_scoreOneResult, cclp_scoreOneResultEx_assignFromEx)
CCLP_TEST_OPS_(cclp_scoreResultSet, cclp_scoreResultSetEx, cclp_scoreResultSetEx_assignToEx)
CCLP_TEST_OPS_(cclp_scoreResultSetEx, cclp_scoreResultSet, cclp_scoreResultSetEx_assignFromEx)
#undef CCLP_TEST_OPS_

template <class T>
constexpr bool kIsSet = requires(T value) { value.results; };

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

// A record, or a set of three records told apart by their positions; a
// small one has one edge, one score, one record.
template <class T>
void fill(T& value, int32_t seed, bool small = false) {
    if constexpr (kIsSet<T>) {
        using Record = std::remove_pointer_t<decltype(value.results)>;
        const int32_t count = small ? 1 : 3;
        value.results = allocateArray<Record>(count);
        for (int32_t i = 0; i < count; ++i) {
            Ops<Record>::construct(&value.results[i]);
            fillRecord(value.results[i], i);
            ++value.numResults;
        }
    } else {
        fillRecord(value, seed, small ? 1 : 2, small ? 1 : 3);
    }
}

template <class T>
void expectSameArray(const T* actual, const T* expected, int32_t count) {
    ASSERT_NE(actual, nullptr);
    EXPECT_NE(actual, expected) << "shared";
    for (int32_t i = 0; i < count; ++i) EXPECT_EQ(actual[i], expected[i]);
}

// Every field, records in order; extras only between records of one form.
template <class A, class B>
void expectSame(const A& actual, const B& expected) {
    if constexpr (kIsSet<A>) {
        ASSERT_EQ(actual.numResults, expected.numResults);
        for (int32_t i = 0; i < expected.numResults; ++i) {
            expectSame(actual.results[i], expected.results[i]);
        }
    } else {
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
        // A conversion to the extended form zeroes the extras.
        using Edge = std::remove_pointer_t<decltype(actual.edges)>;
        if constexpr (kHasExtras<Edge> && !std::is_same_v<A, B>) {
            expectZeroExtras(actual.edges, actual.numEdges);
            expectZeroExtras(actual.edgesFixed, actual.numEdges);
        }
    }
}

int32_t resetRecord(cclp_scoreOneResult* record) { return cclp_scoreOneResult_reset(record); }
int32_t resetRecord(cclp_scoreOneResultEx* record) { return cclp_scoreOneResultEx_reset(record); }

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

// The failure points of a copy: four arrays per record, and a set's array.
template <class T>
constexpr int32_t kCopyPoints = kIsSet<T> ? 1 + 3 * 4 : 4;

// Sweeps a copy or conversion into a destination that already holds arrays.
// A failed record copy keeps what it copied but claims no edges, no scores
// and no combined score; after a failed set copy numResults counts exactly
// the records copied in full.
template <class Destination, class Source>
int32_t sweepCopy(int32_t (*copy)(Destination*, const Source*)) {
    return sweepAllocationFailures([&](int32_t k) {
        Owned<Source> source;
        Owned<Destination> destination;
        fill(source.value, 4);
        fill(destination.value, 9, true);
        FailAllocation failure(k);
        const int32_t status = copy(&destination.value, &source.value);
        const Destination& d = destination.value;
        if (status >= 0) {
            expectSame(d, source.value);
        } else if constexpr (kIsSet<Destination>) {
            EXPECT_LE(d.numResults, 2);
            for (int32_t i = 0; i < d.numResults; ++i) {
                expectSame(d.results[i], source.value.results[i]);
            }
        } else {
            EXPECT_EQ(d.numEdges, 0);
            EXPECT_EQ(d.numScores, 0);
            EXPECT_EQ(d.score, 0.0);
            EXPECT_EQ(d.scoreFixed, 0);
            EXPECT_EQ(d.position, source.value.position);
        }
        return status;
    });
}

}  // namespace

template <class T>
class ScoreResultCopies : public ::testing::Test {};
using RecordAndSetTypes = ::testing::Types<cclp_scoreOneResult, cclp_scoreOneResultEx,
                                           cclp_scoreResultSet, cclp_scoreResultSetEx>;
TYPED_TEST_SUITE(ScoreResultCopies, RecordAndSetTypes);

// Assignment and the conversion into the twin form; a failed set conversion
// also releases what the record it was converting already held, which the
// sweeps' leak checks see.
TYPED_TEST(ScoreResultCopies, CopiesShareNothingAndFailuresKeepOnlyWhatWasCopied) {
    EXPECT_EQ(sweepCopy(Ops<TypeParam>::assign), kCopyPoints<TypeParam>);
    EXPECT_EQ(sweepCopy(Ops<TypeParam>::convert), kCopyPoints<TypeParam>);
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  Owned<TypeParam> source;
                  fill(source.value, 1);
                  TypeParam copy;
                  FailAllocation failure(k);
                  const int32_t status = Ops<TypeParam>::constructCopy(&copy, &source.value);
                  if (status >= 0) {
                      expectSame(copy, source.value);
                      Ops<TypeParam>::destruct(&copy);
                  }
                  return status;
              }),
              kCopyPoints<TypeParam>);
}

TYPED_TEST(ScoreResultCopies, SelfAssignmentChangesNothing) {
    LeakCheck leaks;
    Owned<TypeParam> owned;
    fill(owned.value, 1);
    TypeParam before;
    std::memcpy(&before, &owned.value, sizeof before);
    const int64_t requests = csys_testing_allocationCount();
    EXPECT_EQ(Ops<TypeParam>::assign(&owned.value, &owned.value), 0);
    EXPECT_EQ(csys_testing_allocationCount(), requests);
    EXPECT_TRUE(sameBytes(owned.value, before));
}

template <class Record>
class ScoreOneResult : public ::testing::Test {};
using RecordTypes = ::testing::Types<cclp_scoreOneResult, cclp_scoreOneResultEx>;
TYPED_TEST_SUITE(ScoreOneResult, RecordTypes);

TYPED_TEST(ScoreOneResult, ConstructedRecordHoldsNothingAndResetRestoresIt) {
    LeakCheck leaks;
    Owned<TypeParam> record;
    expectInitial(record.value);
    fill(record.value, 1);
    ASSERT_EQ(resetRecord(&record.value), 0);
    expectInitial(record.value);
}

// Into records of both forms that hold arrays, which must be released.
TYPED_TEST(ScoreOneResult, ArraysAreCopiedOnlyWhenCountedAndPresent) {
    LeakCheck leaks;
    Owned<TypeParam> source;
    fill(source.value, 3);
    void* edges = source.value.edges;
    csys_memory_free_internal(&edges);
    source.value.edges = nullptr;  // numEdges stays 2
    source.value.numScores = 0;    // scores stay allocated
    source.value.formats = 2;
    Owned<TypeParam> same;
    Owned<typename Ops<TypeParam>::Twin> twin;
    fill(same.value, 7);
    fill(twin.value, 7);
    ASSERT_EQ(Ops<TypeParam>::assign(&same.value, &source.value), 0);
    ASSERT_EQ(Ops<TypeParam>::convert(&twin.value, &source.value), 0);
    const auto expectCopied = [&](const auto& destination) {
        EXPECT_EQ(destination.formats, 2u);
        EXPECT_EQ(destination.numEdges, 2);
        EXPECT_EQ(destination.edges, nullptr);
        expectSameEdges(destination.edgesFixed, source.value.edgesFixed, 2);
        EXPECT_EQ(destination.scores, nullptr);
        EXPECT_EQ(destination.scoresFixed, nullptr);
    };
    expectCopied(same.value);
    expectCopied(twin.value);
}

template <class Set>
class ScoreResultSet : public ::testing::Test {};
using SetTypes = ::testing::Types<cclp_scoreResultSet, cclp_scoreResultSetEx>;
TYPED_TEST_SUITE(ScoreResultSet, SetTypes);

// A negative count is an empty set, not a huge request.
TYPED_TEST(ScoreResultSet, AMissingOrUncountedArrayAssignsAsEmpty) {
    LeakCheck leaks;
    TypeParam missing{5, nullptr};
    Owned<TypeParam> destination;
    Owned<typename Ops<TypeParam>::Twin> twin;
    fill(destination.value, 0, true);
    fill(twin.value, 0, true);
    ASSERT_EQ(Ops<TypeParam>::assign(&destination.value, &missing), 0);
    ASSERT_EQ(Ops<TypeParam>::convert(&twin.value, &missing), 0);
    EXPECT_EQ(destination.value.numResults, 0);
    EXPECT_EQ(destination.value.results, nullptr);
    EXPECT_EQ(twin.value.numResults, 0);
    EXPECT_EQ(twin.value.results, nullptr);
    EXPECT_EQ(Ops<TypeParam>::destruct(&missing), 0);
    EXPECT_EQ(missing.numResults, 0);
    for (int32_t uncounted : {0, -3}) {
        Owned<TypeParam> source;
        fill(source.value, 0, true);
        source.value.numResults = uncounted;
        ASSERT_EQ(Ops<TypeParam>::assign(&destination.value, &source.value), 0);
        EXPECT_EQ(destination.value.numResults, 0);
        source.value.numResults = 1;
    }
}

TEST(ScoreResultSet, ResetReleasesEveryRecordAndTheArray) {
    LeakCheck leaks;
    Owned<cclp_scoreResultSet> set;
    fill(set.value, 0);
    ASSERT_EQ(cclp_scoreResultSet_reset(&set.value), 0);
    EXPECT_EQ(set.value.numResults, 0);
    EXPECT_EQ(set.value.results, nullptr);
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
