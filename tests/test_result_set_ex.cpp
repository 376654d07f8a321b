// The extended caliper result set: life cycle, deep copies, the conversions
// to and from the caliper library's result set, and their failure paths.
// Round trips over any counts, arrays and scales are the conversion fuzzer's.
#include <gtest/gtest.h>

#include <type_traits>

#include "tests/support/caliper_fixtures.hpp"
#include "cclp_score/cclp_result_set_ex.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

namespace {

void fill(cclp_resultSet& set, int32_t numEdges) { fillCaliperSet(set, numEdges); }

// An extended set converted from a filled caliper set, extras made nonzero.
void fill(cclp_resultSetEx& set, int32_t numEdges) {
    CaliperSet plain;
    fillCaliperSet(plain.value, numEdges);
    ASSERT_EQ(cclp_resultSetEx_assignToEx(&set, &plain.value), 0);
    for (int32_t i = 0; i < numEdges; ++i) {
        set.edges[i].extra1 = 1.0 + i;
        set.edgesFixed[i].extra3 = 7 + i;
    }
}

template <class Set>
using Guard = std::conditional_t<std::is_same_v<Set, cclp_resultSet>, CaliperSet, CaliperSetEx>;

// Every failure point of a copy into a destination that holds arrays and
// pixels beforehand: the status passes through, the destination claims
// nothing and destructs without leaking; a success copies everything.
template <class Destination, class Source>
int32_t sweepCopy(int32_t (*copy)(Destination*, const Source*)) {
    return sweepAllocationFailures([&](int32_t k) {
        Guard<Source> source;
        Guard<Destination> destination;
        fill(source.value, 3);
        fill(destination.value, 1);
        FailAllocation failure(k);
        const int32_t status = copy(&destination.value, &source.value);
        if (status < 0) {
            expectClaimsNothing(destination.value);
        } else {
            expectSameContent(destination.value, source.value);
        }
        return status;
    });
}

}  // namespace

TEST(ResultSetEx, ResetEmptiesButKeepsFormatsScalesAndVectors) {
    LeakCheck leaks;
    CaliperSetEx set;
    fill(set.value, 2);
    const cclp_resultSetEx before = set.value;
    ASSERT_EQ(cclp_resultSetEx_reset(&set.value), 0);
    EXPECT_EQ(set.value.numEdges, 0);
    EXPECT_TRUE(!set.value.edges && !set.value.edgesFixed && !set.value.projectionImage.pixels &&
                !set.value.doubleImage.pixels);
    EXPECT_EQ(set.value.formats, before.formats);
    EXPECT_EQ(set.value.projectionScale, before.projectionScale);
    EXPECT_EQ(set.value.vect1.y, before.vect1.y);
}

TEST(ResultSetEx, CopiesAreDeepAndFailedCopiesLeaveADestructibleDestination) {
    // Two edge arrays and two images each.
    EXPECT_EQ(sweepCopy(cclp_resultSetEx_assign), 4);
    EXPECT_EQ(sweepCopy(cclp_resultSetEx_assignToEx), 4);
    EXPECT_EQ(sweepCopy(cclp_resultSetEx_assignFromEx), 4);
    LeakCheck leaks;
    CaliperSetEx source;
    fill(source.value, 2);
    const auto same = [](const cclp_resultSetEx& copy, const cclp_resultSetEx& original) {
        expectSameContent(copy, original);
    };
    EXPECT_EQ(sweepConstructCopy(cclp_resultSetEx_constructCopy, cclp_resultSetEx_destruct,
                                 source.value, same),
              4);
    expectSelfAssignmentKeeps(cclp_resultSetEx_assign, source.value);
}

// A copy construction refused for its null source leaves nothing to destroy.
TEST(ResultSetEx, NullRecordsAreReportedAndRefused) {
    LeakCheck leaks;
    CaliperSetEx set;
    cclp_resultSetEx copy;
    EXPECT_NULL_REFUSED(cclp_resultSetEx_construct(nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_reset(nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_destruct(nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_constructCopy(nullptr, &set.value));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assign(&set.value, nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assign(nullptr, nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assignToEx(&set.value, nullptr));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_assignFromEx(nullptr, &set.value));
    EXPECT_NULL_REFUSED(cclp_resultSetEx_constructCopy(&copy, nullptr));
}
