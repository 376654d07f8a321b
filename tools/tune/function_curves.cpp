#include "tune/function_curves.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "cclp_score_cli/function_samples.hpp"
#include "cclp_score_cli/measurements.hpp"
#include "recording/method_table.hpp"

namespace cclp_tune {
namespace {

using Json = nlohmann::ordered_json;
using cclp_recording::FunctionKind;

constexpr double kSamples = 200.0;

struct Range {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void include(double v) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
};

// The curve's range: the breaks and measured values with room beyond the
// ends, so that the plateaus and the drop to 0 show.
std::vector<double> abscissae(Range range, const std::vector<double>& breaks) {
    if (!(range.hi >= range.lo)) range.lo = range.hi = 0.0;
    const double pad = range.hi > range.lo ? (range.hi - range.lo) * 0.15
                                           : std::max(1.0, std::fabs(range.lo) * 0.5);
    return cclp_cli::curveAbscissae(range.lo - pad, range.hi + pad, kSamples, breaks);
}

template <class Function>
Json curve(std::string_view side, const Function& function, const std::vector<double>& xs,
           bool fixed) {
    const std::vector<double> ys = cclp_cli::sampleAsRun(function, xs, fixed);
    Json points = Json::array();
    for (std::size_t i = 0; i < xs.size(); ++i) points.push_back(Json::array({xs[i], ys[i]}));
    return Json{{"side", side}, {"points", points}};
}

void includeBreaks(const cclp_scoreOneSided& f, Range& range, std::vector<double>& breaks) {
    for (double b : {f.x0, f.x1, f.x2}) {
        range.include(b);
        breaks.push_back(b);
    }
}

Json methodCurves(const cclp_recording::Recording& job, const cclp_cli::RunOutcome& outcome,
                  std::size_t m) {
    const cclp_score& method = job.scoreMethods[m];
    const FunctionKind kind =
        cclp_recording::functionRead(*cclp_recording::findMethod(method.method), job.pairs());
    if (kind == FunctionKind::None) return Json::array();
    Range range;
    std::vector<double> breaks;
    for (const cclp_cli::ScoredResult& result : outcome.results) {
        for (double v : cclp_cli::measuredValues(method, result.edgeValues(), job.expectedWidth())) {
            range.include(v);
        }
    }
    const bool fixed = outcome.fixedPoint();
    if (kind != FunctionKind::TwoSided) {
        includeBreaks(method.oneSided, range, breaks);
        return Json::array(
            {curve("one", cclp::score::OneSided(method.oneSided), abscissae(range, breaks), fixed)});
    }
    includeBreaks(method.twoSided.lowSide, range, breaks);
    includeBreaks(method.twoSided.highSide, range, breaks);
    const std::vector<double> xs = abscissae(range, breaks);
    const cclp::score::TwoSided f(method.twoSided);
    if (method.method == cclp_scoreMethodSizeDiffSigned) return Json::array({curve("one", f, xs, fixed)});
    return Json::array({curve("low", f.lowSide(), xs, fixed), curve("high", f.highSide(), xs, fixed)});
}

}  // namespace

Json functionCurves(const cclp_recording::Recording& job, const cclp_cli::RunOutcome& outcome) {
    Json curves = Json::array();
    for (std::size_t m = 0; m < job.scoreMethods.size(); ++m) {
        curves.push_back(methodCurves(job, outcome, m));
    }
    return curves;
}

}  // namespace cclp_tune
