// Value types of the C++ interface: what their construction refuses, with
// which status, in the throwing and in the non-throwing form; the method
// table as the enum and the name lookups see it; the error category.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "tests/support/runtime_controls.hpp"

namespace {

using namespace cclp::score;

template <class Build>
int32_t thrownStatus(Build build) {
    try {
        build();
    } catch (const Error& error) {
        EXPECT_EQ(&error.code().category(), &errorCategory());
        return error.status();
    }
    return 0;
}

TEST(CxxValues, FunctionsRefuseWhatTheModuleRefusesWithItsStatus) {
    EXPECT_EQ(thrownStatus([] { OneSided(0, 1, 2, 1.5, 0); }), CCLP_STATUS_Y0_OUT_OF_RANGE);
    EXPECT_EQ(thrownStatus([] { OneSided(0, 1, 2, 0.2, 0.5); }), CCLP_STATUS_Y0_BELOW_Y1);
    EXPECT_EQ(thrownStatus([] { OneSided(0, 2, 1, 1, 0); }), CCLP_STATUS_ABSCISSAE_NOT_MONOTONE);
    EXPECT_EQ(thrownStatus([] { TwoSided({-3, -2, -1, 1, 0}, {3, 0, 1, 1, 0}); }),
              CCLP_STATUS_HIGH_X1_BELOW_X2);
    std::error_code ec;
    const OneSided fallback = OneSided::make(0, 1, 2, 1, -0.5, ec);
    EXPECT_EQ(ec, makeErrorCode(CCLP_STATUS_Y1_OUT_OF_RANGE));
    EXPECT_EQ(fallback.breakpoints().x1, OneSided().breakpoints().x1);
    const OneSided ramp = OneSided::make(0, 1, 2, 1, 0, ec);
    EXPECT_FALSE(ec);
    EXPECT_EQ(ramp.breakpoints().x2, 2.0);
}

TEST(CxxValues, MethodsAreBuiltByIdOrNameAndCheckedForTheirFunction) {
    EXPECT_EQ(Method("posAbs", OneSided()).id(), MethodId::PosAbs);
    EXPECT_STREQ(Method(MethodId::EdgePos, TwoSided()).name(), "edgePos");
    EXPECT_EQ(thrownStatus([] { Method(MethodId::EdgePos, OneSided()); }),
              CCLP_STATUS_NOT_ONE_SIDED_METHOD);
    EXPECT_EQ(thrownStatus([] { Method(MethodId::Contrast, TwoSided()); }),
              CCLP_STATUS_NOT_TWO_SIDED_METHOD);
}

TEST(CxxValues, MethodTableGivesEveryNumberItsNameBothWays) {
    ASSERT_EQ(std::size(kMethods), static_cast<std::size_t>(CCLP_SCORE_METHOD_COUNT));
    for (int32_t number = 1; number <= CCLP_SCORE_METHOD_COUNT; ++number) {
        const auto id = static_cast<MethodId>(number);
        ASSERT_NE(methodInfo(id), nullptr);
        EXPECT_STREQ(methodName(id), cclp_scoreMethodName(number));
        EXPECT_EQ(methodByName(methodName(id)), id);
    }
    EXPECT_EQ(methodInfo(MethodId{}), nullptr);
    EXPECT_FALSE(methodByName("SizeDiff").has_value());
    EXPECT_EQ(methodInfo(MethodId::OffsetDist)->function, FunctionKind::ByCandidate);
    EXPECT_TRUE(methodInfo(MethodId::Extra1Diff)->extendedOnly);
}

TEST(CxxValues, MethodsSayWhichRunsTheyScore) {
    const OneSided f;
    EXPECT_EQ(Method(MethodId::SizeDiff, f).fit({false, false}), Fit::NeedsPairs);
    EXPECT_EQ(Method(MethodId::SizeDiff, f).fit({true, false}), Fit::Suits);
    EXPECT_EQ(Method(MethodId::ExtraMax, f).fit({false, false}), Fit::NeedsExtendedEdges);
    EXPECT_EQ(Method(MethodId::ExtraMax, f).fit({false, true}), Fit::Suits);
    EXPECT_EQ(Method(MethodId::OffsetDist, f).fit({true, true}), Fit::NeedsTwoSided);
    EXPECT_EQ(Method(MethodId::OffsetDist, TwoSided()).fit({false, false}), Fit::NeedsOneSided);
    EXPECT_STREQ(fitText(Fit::NeedsPairs), "scores edge pairs only");
    EXPECT_EQ(statusText(CCLP_STATUS_Y0_BELOW_Y1), "CCLP_STATUS_Y0_BELOW_Y1: y0 below y1");
}

TEST(CxxValues, ParamsRefuseBadSettingsAndKeepTheRestAsSet) {
    Params params;
    EXPECT_EQ(thrownStatus([&] { params.maxResults(0); }),
              CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE);
    EXPECT_EQ(thrownStatus([&] { params.pair({5, Polarity::Any}, {5, Polarity::Any}); }),
              CCLP_STATUS_ZERO_PAIR_WIDTH);
    EXPECT_EQ(thrownStatus([&] { params.methods({}); }),
              CCLP_STATUS_SCORE_METHOD_COUNT_NOT_POSITIVE);
    EXPECT_EQ(thrownStatus([&] { params.oneSidedOffset(1, 2.0); }),
              CCLP_STATUS_METHOD_INDEX_OUT_OF_RANGE);
    std::error_code ec;
    params.maxResults(-3, ec).sorted(false);
    EXPECT_EQ(ec.value(), CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE);
    params.pair({-4, Polarity::Negative}, {4, Polarity::Positive})
        .methods({Method(MethodId::Size, OneSided(1, 2, 3, 1, 0)),
                  Method(MethodId::SizeDiffSigned, TwoSided())})
        .maxResults(7);
    EXPECT_TRUE(params.pairs());
    EXPECT_EQ(params.maxResults(), 7);
    EXPECT_FALSE(params.sorted());
    EXPECT_EQ(params.numMethods(), 2);
    EXPECT_EQ(params.method(1).id(), MethodId::SizeDiffSigned);
    EXPECT_EQ(params.desiredEdge(0).polarity, Polarity::Negative);
    EXPECT_EQ(params.desiredEdge(1).position, 4.0);
}

TEST(CxxValues, EdgesRefuseColumnsOfUnequalLength) {
    const std::vector<double> two{1.0, 2.0};
    const std::vector<double> three{1.0, 2.0, 3.0};
    EXPECT_EQ(thrownStatus([&] { Edges(two, three); }), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(thrownStatus([&] { EdgesEx(two, two, two, three, two); }),
              CSYS_STATUS_INVALID_ARGUMENT);
    std::error_code ec;
    const Edges edges = Edges::makeFixed({1, 2}, {3}, ec);
    EXPECT_EQ(ec.value(), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(edges.size(), 0);
}

TEST(CxxValues, EdgesHoldTheCallersValuesInTheFormatsAskedFor) {
    cclp::testing::LeakCheck leaks;
    const Edges both({-1.5, 2.25}, {40.0, -0.001}, Formats::Both);
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(both.formats(), Formats::Both);
    EXPECT_EQ(both.doubles()[1].position, 2.25);
    EXPECT_EQ(both.fixedPoint()[0].position, cclp_round256(-1.5));
    EXPECT_EQ(both.fixedPoint()[1].contrast, cclp_round256(-0.001));
    const EdgesEx fixed = EdgesEx::fixed({256}, {-512}, {1}, {2}, {3});
    EXPECT_EQ(fixed.formats(), Formats::Fixed);
    EXPECT_EQ(fixed.doubles(), nullptr);
    EXPECT_EQ(fixed.fixedPoint()[0].extra3, 3);
    const EdgesEx copy = fixed;
    EXPECT_NE(copy.fixedPoint(), fixed.fixedPoint());
    EXPECT_EQ(copy.fixedPoint()[0].contrast, -512);
}

// Each status's text is its name and meaning (as statusText shows above);
// runtime statuses are named too, unknown ones by their bits.
TEST(CxxValues, ErrorCategoryNamesEveryStatusARunCanReturn) {
    const std::error_category& category = errorCategory();
    for (int32_t status : {CSYS_STATUS_OUT_OF_MEMORY, CSYS_STATUS_NULL_ARGUMENT,
                           CSYS_STATUS_ATTENTION, CSYS_STATUS_INVALID_ARGUMENT,
                           CSYS_STATUS_OVERFLOW}) {
        EXPECT_EQ(category.message(status).rfind("CSYS_STATUS_", 0), 0u);
    }
    EXPECT_EQ(category.message(CCLP_STATUS_FROM_BITS(0x80001234u)), "unknown status 0x80001234");
    EXPECT_STREQ(category.name(), "cclp_score");
    EXPECT_FALSE(makeErrorCode(CCLP_STATUS_OK));
}

}  // namespace
