// Scored results, plain and extended: the constructed and the reset state,
// and null arguments. Copies, conversions between the forms and their
// failure paths (present or missing arrays, any counts, every injected
// allocation failure, self-assignment) are the result conversion fuzzer's.
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

// A record with every array allocated, or a set of three such records.
template <class T>
void fill(T& value) {
    if constexpr (kIsSet<T>) {
        using Record = std::remove_pointer_t<decltype(value.results)>;
        value.results = allocateArray<Record>(3);
        for (value.numResults = 0; value.numResults < 3; ++value.numResults) {
            Ops<Record>::construct(&value.results[value.numResults]);
            fill(value.results[value.numResults]);
        }
    } else {
        value.numScores = value.numEdges = 2;
        value.formats = 3;
        value.score = 0.75;
        value.edges = allocateArray<std::remove_pointer_t<decltype(value.edges)>>(2);
        value.edgesFixed = allocateArray<std::remove_pointer_t<decltype(value.edgesFixed)>>(2);
        value.scores = allocateArray<double>(2);
        value.scoresFixed = allocateArray<int32_t>(2);
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
    fill(owned.value);
    ASSERT_EQ(Ops<TypeParam>::reset(&owned.value), 0);
    expectInitial(owned.value);
    if constexpr (kIsSet<TypeParam>) {
        // A set without results holds no records, whatever its count says.
        TypeParam missing{5, nullptr};
        EXPECT_EQ(Ops<TypeParam>::destruct(&missing), 0);
        EXPECT_EQ(missing.numResults, 0);
    }
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
