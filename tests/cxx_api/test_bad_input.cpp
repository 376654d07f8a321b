// Input the C++ interface refuses before a run could misread it, in the
// words the Python package and the tool use for the same fault.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <system_error>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "tests/support/runtime_controls.hpp"

namespace {

using namespace cclp::score;

// The start of the message of the Error a build throws; "" when none.
template <class Build>
std::string refusal(Build build, std::size_t length) {
    try {
        build();
    } catch (const Error& error) {
        EXPECT_EQ(error.status(), CSYS_STATUS_INVALID_ARGUMENT);
        return std::string(error.what()).substr(0, length);
    }
    return "";
}

TEST(CxxBadInput, EdgesOutOfOrderOrNotFiniteAreRefusedNamingColumnAndIndex) {
    const cclp::testing::LeakCheck leaks;
    const std::vector<double> contrasts{10.0, -10.0, 10.0};
    const std::string order = "positions: " + edgeOrderText(2);
    EXPECT_EQ(refusal([&] { Edges({-5.0, 5.0, 1.0}, contrasts); }, order.size()), order);
    const std::string nan = "extra2: " + notFiniteText(1);
    const std::vector<double> ok{-1.0, 0.0, 1.0};
    EXPECT_EQ(refusal([&] { EdgesEx(ok, contrasts, ok, {0.0, std::nan(""), 0.0}, ok); }, nan.size()),
              nan);
    std::error_code ec;
    EXPECT_EQ(Edges::makeFixed({256, 0}, {1, 1}, ec).fixedPoint(), nullptr);
    EXPECT_EQ(ec, makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT));
}

TEST(CxxBadInput, MisspeltMethodsAndFunctionsForStraddleAreRefusedNamingTheMethod) {
    const std::string misspelt = "unknown score method 'sizediff' (did you mean 'sizeDiff'?)";
    EXPECT_EQ(refusal([] { Method("sizediff", OneSided()); }, misspelt.size()), misspelt);
    const std::string unwanted = "'straddle' takes no function; give none";
    EXPECT_EQ(refusal([] { Method(MethodId::Straddle, OneSided()); }, unwanted.size()), unwanted);
    Params params;  // straddle built without a function scores the pair around 0
    params.pair({-5.0, Polarity::Any}, {5.0, Polarity::Any}).methods({Method("straddle")});
    Scorer scorer(params);
    EXPECT_EQ(scorer.score(Edges({-4.0, 4.0}, {9.0, -9.0}))[0].scoreValue(), 1.0);
}

}  // namespace
