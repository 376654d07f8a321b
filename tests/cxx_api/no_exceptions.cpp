// A caller built without exceptions: every failure comes back as a status
// through the std::error_code forms. Exits non-zero on a wrong status.
#include <cstdio>
#include <system_error>
#include <utility>

#include "cclp_score/cclp_score.hpp"

int main() {
    using namespace cclp::score;
    std::error_code ec;
    int failures = 0;
    const auto expect = [&](int32_t status, const char* what) {
        if (ec.value() != status) {
            std::printf("FAILED: %s gave %s\n", what, ec.message().c_str());
            ++failures;
        }
    };
    const OneSided ramp = OneSided::make(0.0, 5.0, 5.0, 1.0, 0.0, ec);
    expect(CCLP_STATUS_OK, "a valid function");
    (void)OneSided::make(0.0, 5.0, 5.0, 0.0, 1.0, ec);
    expect(CCLP_STATUS_Y0_BELOW_Y1, "y0 below y1");
    const Method method = Method::make(MethodId::SizeDiff, ramp, ec);
    Params params = Params::make(ec);
    params.pair({-5.0, Polarity::Positive}, {5.0, Polarity::Negative}, ec).methods({method}, ec);
    params.maxResults(0, ec);
    expect(CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE, "no results");
    params.maxResults(2, ec);
    const Edges edges = Edges::make({-5.0, 1.0, 5.5}, {30.0, -3.0, -40.0}, Formats::Double, ec);
    Scorer scorer(std::move(params));
    const Results results = scorer.score(edges, ec);
    expect(CCLP_STATUS_OK, "the run");
    if (results.size() != 2 || results[0].index(0) != 0 || results[0].index(1) != 2) {
        std::printf("FAILED: best pair\n");
        ++failures;
    }
    const Edges fixedOnly = Edges::makeFixed({0, 256}, {10, -10}, ec);
    scorer.params().pair({0.0, Polarity::Any}, {0.001, Polarity::Any}, ec);
    (void)scorer.score(fixedOnly, ec);
    expect(CCLP_STATUS_ZERO_PAIR_WIDTH, "a fixed-point pair without width");
    std::printf("%s\n", failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
}
