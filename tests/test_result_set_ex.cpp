// The extended caliper result set: life cycle, deep copies, the conversions
// to and from the caliper library's result set, and their failure paths.
#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "caliper_fixtures.hpp"
#include "cclp_score/cclp_result_set_ex.h"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// An extended set converted from a filled caliper set, extras made nonzero.
void fillExtended(cclp_resultSetEx& set, int32_t numEdges) {
    CaliperSet plain;
    fillCaliperSet(plain.value, numEdges);
    ASSERT_EQ(cclp_resultSetEx_assignToEx(&set, &plain.value), 0);
    for (int32_t i = 0; i < numEdges; ++i) {
        set.edges[i].extra1 = 1.0 + i;
        set.edgesFixed[i].extra3 = 7 + i;
    }
}

}  // namespace

TEST(ResultSetEx, ConstructsAnEmptyRecordWithUnboundImages) {
    LeakCheck leaks;
    cclp_resultSetEx set;
    std::memset(&set, 0xA5, sizeof set);
    ASSERT_EQ(cclp_resultSetEx_construct(&set), 0);
    EXPECT_EQ(set.numEdges, 0);
    EXPECT_EQ(set.formats, 0u);
    EXPECT_EQ(set.edges, nullptr);
    EXPECT_EQ(set.edgesFixed, nullptr);
    EXPECT_EQ(set.reserved0, nullptr);
    EXPECT_EQ(set.reserved1, nullptr);
    EXPECT_EQ(set.projectionScale, 0u);
    EXPECT_EQ(set.projectionScaling, 0u);
    EXPECT_EQ(set.auxValue, 0u);
    EXPECT_EQ(set.vect0.x, 0.0);
    EXPECT_EQ(set.vect1.y, 0.0);
    EXPECT_EQ(set.projectionImage.pixels, nullptr);
    EXPECT_EQ(set.doubleImage.pixels, nullptr);
    EXPECT_EQ(cclp_resultSetEx_destruct(&set), 0);
}

TEST(ResultSetEx, RoundTripThroughTheExtendedFormKeepsEverything) {
    LeakCheck leaks;
    CaliperSet source;
    fillCaliperSet(source.value, 3);
    CaliperSetEx extended;
    ASSERT_EQ(cclp_resultSetEx_assignToEx(&extended.value, &source.value), 0);
    expectSameContent(extended.value, source.value);
    expectZeroExtras(extended.value.edges, 3);
    expectZeroExtras(extended.value.edgesFixed, 3);

    CaliperSet back;
    ASSERT_EQ(cclp_resultSetEx_assignFromEx(&back.value, &extended.value), 0);
    expectSameContent(back.value, source.value);
}

TEST(ResultSetEx, ExtrasComeBackZeroAfterAPlainRoundTrip) {
    LeakCheck leaks;
    CaliperSetEx source;
    fillExtended(source.value, 2);
    CaliperSet plain;
    ASSERT_EQ(cclp_resultSetEx_assignFromEx(&plain.value, &source.value), 0);
    CaliperSetEx back;
    ASSERT_EQ(cclp_resultSetEx_assignToEx(&back.value, &plain.value), 0);
    expectSameContent(plain.value, source.value);
    expectSameContent(back.value, plain.value);
    expectZeroExtras(back.value.edges, 2);
    expectZeroExtras(back.value.edgesFixed, 2);
}

TEST(ResultSetEx, ConversionNeverRescalesASingleSet) {
    LeakCheck leaks;
    const uint32_t scales[][2] = {{0, 1}, {1, 1}, {7, 1}, {3, 0}};
    for (const auto& scale : scales) {
        CaliperSet source;
        fillCaliperSet(source.value, 1);
        source.value.projectionScale = scale[0];
        source.value.projectionScaling = scale[1];
        CaliperSetEx extended;
        ASSERT_EQ(cclp_resultSetEx_assignToEx(&extended.value, &source.value), 0);
        expectSameContent(extended.value, source.value);
    }
}

TEST(ResultSetEx, MissingEdgeArraysStayMissingWhateverTheCount) {
    LeakCheck leaks;
    CaliperSet source;
    fillCaliperSet(source.value, 3);
    cclp_edge* edges = source.value.edges;
    csys_memory_free_internal(reinterpret_cast<void**>(&edges));
    source.value.edges = nullptr;

    CaliperSetEx extended;
    fillExtended(extended.value, 2);  // earlier arrays must be released
    ASSERT_EQ(cclp_resultSetEx_assignToEx(&extended.value, &source.value), 0);
    EXPECT_EQ(extended.value.numEdges, 3);
    EXPECT_EQ(extended.value.edges, nullptr);
    expectSameEdges(extended.value.edgesFixed, source.value.edgesFixed, 3);

    CaliperSet back;
    ASSERT_EQ(cclp_resultSetEx_assignFromEx(&back.value, &extended.value), 0);
    EXPECT_EQ(back.value.numEdges, 3);
    EXPECT_EQ(back.value.edges, nullptr);
}

TEST(ResultSetEx, NoEdgesConvertsTheRestOfTheRecord) {
    LeakCheck leaks;
    CaliperSet source;
    fillCaliperSet(source.value, 2);
    source.value.numEdges = 0;  // arrays present but not counted
    CaliperSetEx extended;
    ASSERT_EQ(cclp_resultSetEx_assignToEx(&extended.value, &source.value), 0);
    EXPECT_EQ(extended.value.edges, nullptr);
    EXPECT_EQ(extended.value.edgesFixed, nullptr);
    expectSameContent(extended.value, source.value);
}

TEST(ResultSetEx, AssignAndCopyConstructMakeIndependentCopies) {
    LeakCheck leaks;
    CaliperSetEx source;
    fillExtended(source.value, 3);
    CaliperSetEx assigned;
    ASSERT_EQ(cclp_resultSetEx_assign(&assigned.value, &source.value), 0);
    expectSameContent(assigned.value, source.value);
    EXPECT_EQ(assigned.value.edges[1].extra1, 2.0);
    EXPECT_EQ(assigned.value.edgesFixed[2].extra3, 9);

    cclp_resultSetEx copy;
    ASSERT_EQ(cclp_resultSetEx_constructCopy(&copy, &source.value), 0);
    expectSameContent(copy, source.value);
    EXPECT_EQ(cclp_resultSetEx_destruct(&copy), 0);
}

TEST(ResultSetEx, SelfAssignmentChangesNothing) {
    LeakCheck leaks;
    CaliperSetEx set;
    fillExtended(set.value, 2);
    const cclp_resultSetEx before = set.value;
    const int64_t requests = csys_testing_allocationCount();
    EXPECT_EQ(cclp_resultSetEx_assign(&set.value, &set.value), 0);
    EXPECT_EQ(csys_testing_allocationCount(), requests);
    EXPECT_EQ(set.value.numEdges, 2);
    EXPECT_EQ(set.value.edges, before.edges);
    EXPECT_EQ(set.value.edgesFixed, before.edgesFixed);
    EXPECT_EQ(set.value.projectionImage.pixels, before.projectionImage.pixels);
    EXPECT_EQ(set.value.doubleImage.pixels, before.doubleImage.pixels);
    EXPECT_EQ(set.value.edges[0].extra1, 1.0);
}

TEST(ResultSetEx, ResetEmptiesButKeepsFormatsScalesAndVectors) {
    LeakCheck leaks;
    CaliperSetEx set;
    fillExtended(set.value, 2);
    const cclp_resultSetEx before = set.value;
    ASSERT_EQ(cclp_resultSetEx_reset(&set.value), 0);
    EXPECT_EQ(set.value.numEdges, 0);
    EXPECT_EQ(set.value.edges, nullptr);
    EXPECT_EQ(set.value.edgesFixed, nullptr);
    EXPECT_EQ(set.value.projectionImage.pixels, nullptr);
    EXPECT_EQ(set.value.doubleImage.pixels, nullptr);
    EXPECT_EQ(set.value.formats, before.formats);
    EXPECT_EQ(set.value.projectionScale, before.projectionScale);
    EXPECT_EQ(set.value.projectionScaling, before.projectionScaling);
    EXPECT_EQ(set.value.auxValue, before.auxValue);
    EXPECT_EQ(set.value.vect0.x, before.vect0.x);
    EXPECT_EQ(set.value.vect1.y, before.vect1.y);
    // Still usable.
    CaliperSetEx source;
    fillExtended(source.value, 1);
    ASSERT_EQ(cclp_resultSetEx_assign(&set.value, &source.value), 0);
    expectSameContent(set.value, source.value);
}

TEST(ResultSetEx, NullRecordsAreReportedAndRefused) {
    AssertionCounter assertions;
    CaliperSetEx set;
    EXPECT_EQ(cclp_resultSetEx_construct(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_resultSetEx_assign(&set.value, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_resultSetEx_reset(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_resultSetEx_destruct(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_resultSetEx_assignToEx(&set.value, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_resultSetEx_assignFromEx(nullptr, &set.value), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_resultSetEx_constructCopy(nullptr, &set.value), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 7);
    LeakCheck leaks;
    cclp_resultSetEx copy;
    EXPECT_EQ(cclp_resultSetEx_constructCopy(&copy, nullptr), CSYS_STATUS_NULL_ARGUMENT);
}

// Every failure point of each copy: the status passes through, the
// destination claims nothing and destructs without leaking. The destination
// holds arrays and pixels beforehand, which a copy must replace.
template <class Destination, class Operation>
int32_t sweepCopy(Operation operate) {
    return sweepAllocationFailures([&](int32_t k) {
        CaliperSet plain;
        CaliperSetEx extended;
        Destination destination;
        fillCaliperSet(plain.value, 3);
        fillExtended(extended.value, 3);
        if constexpr (std::is_same_v<Destination, CaliperSet>) {
            fillCaliperSet(destination.value, 1);
        } else {
            fillExtended(destination.value, 1);
        }
        FailAllocation failure(k);
        const int32_t status = operate(destination.value, plain.value, extended.value);
        if (status < 0) expectClaimsNothing(destination.value);
        return status;
    });
}

TEST(ResultSetEx, FailedCopiesLeaveADestructibleDestination) {
    const auto toEx = [](cclp_resultSetEx& destination, const cclp_resultSet& plain,
                         const cclp_resultSetEx&) {
        return cclp_resultSetEx_assignToEx(&destination, &plain);
    };
    const auto fromEx = [](cclp_resultSet& destination, const cclp_resultSet&,
                           const cclp_resultSetEx& extended) {
        return cclp_resultSetEx_assignFromEx(&destination, &extended);
    };
    const auto assign = [](cclp_resultSetEx& destination, const cclp_resultSet&,
                           const cclp_resultSetEx& extended) {
        return cclp_resultSetEx_assign(&destination, &extended);
    };
    // Two edge arrays and two images each.
    EXPECT_EQ(sweepCopy<CaliperSetEx>(toEx), 4);
    EXPECT_EQ(sweepCopy<CaliperSet>(fromEx), 4);
    EXPECT_EQ(sweepCopy<CaliperSetEx>(assign), 4);
}

TEST(ResultSetEx, FailedCopyConstructionLeavesNothing) {
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  CaliperSetEx source;
                  fillExtended(source.value, 2);
                  cclp_resultSetEx copy;
                  FailAllocation failure(k);
                  const int32_t status = cclp_resultSetEx_constructCopy(&copy, &source.value);
                  if (status >= 0) {
                      expectSameContent(copy, source.value);
                      cclp_resultSetEx_destruct(&copy);
                  }
                  return status;
              }),
              4);
}
