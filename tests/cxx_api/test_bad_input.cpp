// Input the C++ interface refuses before a run could misread it: edges out
// of order or not finite, a misspelt method name, a function given to a
// method that takes none. Each refusal carries the words the Python package
// and the tool use for it, and holds nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "tests/support/runtime_controls.hpp"

namespace {

using namespace cclp::score;

// The message of the Error a build throws; "" when it throws none.
template <class Build>
std::string refusal(Build build) {
    try {
        build();
    } catch (const Error& error) {
        EXPECT_EQ(error.status(), CSYS_STATUS_INVALID_ARGUMENT);
        return error.what();
    }
    return "";
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

TEST(CxxBadInput, EdgesOutOfOrderOrNotFiniteAreRefusedNamingColumnAndIndex) {
    const cclp::testing::LeakCheck leaks;
    const double nan = std::nan("");
    const std::vector<double> contrasts{10.0, -10.0, 10.0};
    const std::vector<double> unsorted{-5.0, 5.0, 1.0};
    EXPECT_TRUE(startsWith(refusal([&] { Edges(unsorted, contrasts); }),
                           "positions: " + edgeOrderText(2)));
    EXPECT_TRUE(startsWith(refusal([&] { Edges(std::vector<double>{0.0, nan, 1.0}, contrasts); }),
                           "positions: " + notFiniteText(1)));
    EXPECT_TRUE(startsWith(refusal([&] { Edges(std::vector<double>{0.0, 1.0, 2.0}, {1.0, 2.0, INFINITY}); }),
                           "contrasts: " + notFiniteText(2)));
    const std::vector<double> ok{-1.0, 0.0, 1.0};
    EXPECT_TRUE(startsWith(refusal([&] { EdgesEx(ok, contrasts, ok, {0.0, nan, 0.0}, ok); }),
                           "extra2: " + notFiniteText(1)));
    EXPECT_TRUE(startsWith(refusal([&] { Edges::fixed(std::vector<int32_t>{256, 0}, {1, 1}); }),
                           "positions: " + edgeOrderText(1)));
    // Equal positions are in order; the non-throwing form says only the status.
    std::error_code ec;
    const Edges equal = Edges::make({1.0, 1.0}, {5.0, -5.0}, Formats::Double, ec);
    EXPECT_FALSE(ec);
    EXPECT_EQ(equal.size(), 2);
    const Edges refused = Edges::make(unsorted, contrasts, Formats::Both, ec);
    EXPECT_EQ(ec, makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT));
    EXPECT_EQ(refused.doubles(), nullptr);
}

TEST(CxxBadInput, UnknownMethodNamesAreRefusedInTheWordsOfEveryDoor) {
    EXPECT_TRUE(startsWith(refusal([] { Method("sizediff", OneSided()); }),
                           "unknown score method 'sizediff' (did you mean 'sizeDiff'?)"));
    const std::string unknown = refusal([] { Method("width", TwoSided()); });
    EXPECT_TRUE(startsWith(unknown, "unknown score method 'width' (known: sizeDiff, size, "));
    EXPECT_NE(unknown.find("extraMax)"), std::string::npos);
    std::error_code ec;
    (void)Method::make("width", OneSided(), ec);
    EXPECT_EQ(ec, makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT));
}

TEST(CxxBadInput, StraddleTakesNoFunctionAndOthersNeedOne) {
    EXPECT_TRUE(startsWith(refusal([] { Method(MethodId::Straddle, OneSided()); }),
                           "'straddle' takes no function; give none"));
    EXPECT_TRUE(startsWith(refusal([] { Method("straddle", TwoSided()); }),
                           "'straddle' takes no function; give none"));
    EXPECT_TRUE(startsWith(refusal([] { (void)Method(MethodId::Size); }),
                           "'size' scores through a function; give one"));
    std::error_code ec;
    (void)Method::make(MethodId::Straddle, OneSided(), ec);
    EXPECT_EQ(ec, makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT));

    // Built without one, straddle scores the pair around the origin.
    Params params;
    params.pair({-5.0, Polarity::Any}, {5.0, Polarity::Any}).methods({Method("straddle")});
    Scorer scorer(params);
    const Results results = scorer.score(Edges({-4.0, 4.0}, {9.0, -9.0}));
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].scoreValue(), 1.0);
}

}  // namespace
