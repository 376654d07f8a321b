// Scored results, plain and extended: records and sets, deep copies, the
// conversions between the forms, and every failure path of each copy. Which
// arrays a copy carries (present or missing, counted or not) the conversion
// fuzzer checks on far more records.
#include <gtest/gtest.h>

#include <type_traits>

#include "tests/support/caliper_fixtures.hpp"
#include "cclp_score/cclp_results.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// The exported operations of each record and set type, and its twin form
// with the conversion into it. A set of extended results has no reset of
// its own: destruct leaves it empty and reusable.
template <class T>
struct Ops;
#define CCLP_TEST_OPS_(T, TwinType, toTwin, resetFunction)       \
    template <>                                                  \
    struct Ops<T> {                                              \
        using Twin = TwinType;                                   \
        static constexpr auto construct = T##_construct;         \
        static constexpr auto constructCopy = T##_constructCopy; \
        static constexpr auto assign = T##_assign;               \
        static constexpr auto destruct = T##_destruct;           \
        static constexpr auto reset = resetFunction;             \
        static constexpr auto convert = toTwin;                  \
    };
CCLP_TEST_OPS_(cclp_scoreOneResult, cclp_scoreOneResultEx, cclp_scoreOneResultEx_assignToEx,
               cclp_scoreOneResult_reset)
CCLP_TEST_OPS_(cclp_scoreOneResultEx, cclp_scoreOneResult, cclp_scoreOneResultEx_assignFromEx,
               cclp_scoreOneResultEx_reset)
CCLP_TEST_OPS_(cclp_scoreResultSet, cclp_scoreResultSetEx, cclp_scoreResultSetEx_assignToEx,
               cclp_scoreResultSet_reset)
CCLP_TEST_OPS_(cclp_scoreResultSetEx, cclp_scoreResultSet, cclp_scoreResultSetEx_assignFromEx,
               cclp_scoreResultSetEx_destruct)
#undef CCLP_TEST_OPS_

template <class T>
constexpr bool kIsSet = requires(T value) {
    value.results;
};

template <class T>
using Owned = Guarded<T, Ops<T>::construct, Ops<T>::destruct>;

// `count` edges with every field set, told apart by `base`.
template <class Edge>
Edge* makeEdges(int32_t count, int32_t base) {
    using V = decltype(Edge::position);
    Edge* edges = allocateArray<Edge>(count);
    for (int32_t i = 0; i < count; ++i) {
        edges[i] = Edge{};
        edges[i].position = V(base + 10 * i);
        edges[i].contrast = V(i % 2 == 0 ? 40 + i : -40 - i);
        if constexpr (kHasExtras<Edge>) edges[i].extra1 = edges[i].extra3 = V(1 + i);
    }
    return edges;
}

// A record with every field and array filled, `seed` telling records apart,
// or a set of three such records; a small record has one edge and one
// score, a small set one record.
template <class T>
void fill(T& value, int32_t seed, bool small = false) {
    if constexpr (kIsSet<T>) {
        using Record = std::remove_pointer_t<decltype(value.results)>;
        const int32_t count = small ? 1 : 3;
        value.results = allocateArray<Record>(count);
        for (int32_t i = 0; i < count; ++i) {
            Ops<Record>::construct(&value.results[i]);
            fill(value.results[i], i);
            ++value.numResults;
        }
    } else {
        value.numScores = small ? 1 : 3;
        value.numEdges = small ? 1 : 2;
        value.formats = 3;
        value.position = 0.5 + seed;
        value.positionFixed = 128 + 256 * seed;
        value.score = 0.75;
        value.scoreFixed = 192;
        value.edges = makeEdges<std::remove_pointer_t<decltype(value.edges)>>(value.numEdges, seed);
        value.edgesFixed = makeEdges<std::remove_pointer_t<decltype(value.edgesFixed)>>(
            value.numEdges, 256 * seed);
        value.scores = allocateArray<double>(value.numScores);
        value.scoresFixed = allocateArray<int32_t>(value.numScores);
        for (int32_t i = 0; i < value.numScores; ++i) {
            value.scores[i] = 0.25 * i;
            value.scoresFixed[i] = 64 * i + seed;
        }
    }
}

template <class T>
void expectSameArray(const T* actual, const T* expected, int32_t count) {
    ASSERT_NE(actual, nullptr);
    EXPECT_NE(actual, expected) << "shared";
    for (int32_t i = 0; i < count; ++i) EXPECT_EQ(actual[i], expected[i]);
}

// Every field, records in order.
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
    }
}

template <class T>
void expectInitial(const T& value) {
    if constexpr (kIsSet<T>) {
        EXPECT_EQ(value.numResults, 0);
        EXPECT_EQ(value.results, nullptr);
    } else {
        EXPECT_EQ(value.formats, 1u);
        EXPECT_EQ(value.numScores, 0);
        EXPECT_EQ(value.numEdges, 0);
        EXPECT_TRUE(!value.edges && !value.edgesFixed && !value.scores && !value.scoresFixed);
    }
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
class ScoreResults : public ::testing::Test {};
using RecordAndSetTypes = ::testing::Types<cclp_scoreOneResult, cclp_scoreOneResultEx,
                                           cclp_scoreResultSet, cclp_scoreResultSetEx>;
TYPED_TEST_SUITE(ScoreResults, RecordAndSetTypes);

TYPED_TEST(ScoreResults, ResetReleasesEverythingAndRestoresTheConstructedState) {
    LeakCheck leaks;
    Owned<TypeParam> owned;
    expectInitial(owned.value);
    fill(owned.value, 1);
    ASSERT_EQ(Ops<TypeParam>::reset(&owned.value), 0);
    expectInitial(owned.value);
    if constexpr (kIsSet<TypeParam>) {
        // A set without results holds no records, whatever its count says.
        TypeParam missing{5, nullptr};
        EXPECT_EQ(Ops<TypeParam>::destruct(&missing), 0);
        EXPECT_EQ(missing.numResults, 0);
    }
}

// Assignment, the conversion into the twin form and copy construction. A
// failed set conversion also releases what the record it was converting
// already held, which the sweeps' leak checks see. Self-assignment changes
// and allocates nothing.
TYPED_TEST(ScoreResults, CopiesShareNothingAndFailuresKeepOnlyWhatWasCopied) {
    EXPECT_EQ(sweepCopy(Ops<TypeParam>::assign), kCopyPoints<TypeParam>);
    EXPECT_EQ(sweepCopy(Ops<TypeParam>::convert), kCopyPoints<TypeParam>);
    LeakCheck leaks;
    Owned<TypeParam> source;
    fill(source.value, 1);
    const auto same = [](const TypeParam& copy, const TypeParam& original) {
        expectSame(copy, original);
    };
    EXPECT_EQ(sweepConstructCopy(Ops<TypeParam>::constructCopy, Ops<TypeParam>::destruct,
                                 source.value, same),
              kCopyPoints<TypeParam>);
    expectSelfAssignmentKeeps(Ops<TypeParam>::assign, source.value);
}

// A copy construction refused for its null source leaves nothing to destroy.
TYPED_TEST(ScoreResults, NullArgumentsAreReportedAndRefused) {
    LeakCheck leaks;
    Owned<TypeParam> owned;
    Owned<typename Ops<TypeParam>::Twin> twin;
    EXPECT_NULL_REFUSED(Ops<TypeParam>::constructCopy(nullptr, &owned.value));
    EXPECT_NULL_REFUSED(Ops<TypeParam>::assign(&owned.value, nullptr));
    EXPECT_NULL_REFUSED(Ops<TypeParam>::assign(nullptr, nullptr));
    EXPECT_NULL_REFUSED(Ops<TypeParam>::convert(&twin.value, nullptr));
    TypeParam copy;
    EXPECT_NULL_REFUSED(Ops<TypeParam>::constructCopy(&copy, nullptr));
    expectInitial(copy);
}
