// A scoring function drawn as a run scores it: its values computed by the
// module in the run's arithmetic, at abscissae that take in both sides of
// every breakpoint so that steps show upright. Shared by the plot and the
// tuning page.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "cclp_score/cclp_score.hpp"

namespace cclp_cli {

// `function` (OneSided or TwoSided) at `xs`; a fixed-point run reads each
// abscissa rounded to 1/256 and scores in 1/256 steps.
template <class Function>
std::vector<double> sampleAsRun(const Function& function, const std::vector<double>& xs,
                                bool fixedPoint) {
    if (!fixedPoint) return function.sample(xs);
    std::vector<int32_t> values;
    for (double x : xs) values.push_back(cclp_round256(x));
    std::vector<double> samples;
    for (int32_t sample : function.sampleFixed(values)) {
        samples.push_back(cclp::score::fromFixed(sample));
    }
    return samples;
}

// `samples` + 1 evenly spaced abscissae from lo to hi, with each break and
// its neighbouring doubles that lie strictly inside, ascending.
inline std::vector<double> curveAbscissae(double lo, double hi, double samples,
                                          const std::vector<double>& breaks) {
    std::vector<double> xs;
    for (double i = 0.0; i <= samples; i += 1.0) xs.push_back(lo + (hi - lo) * i / samples);
    for (double b : breaks) {
        for (double at : {std::nextafter(b, -HUGE_VAL), b, std::nextafter(b, HUGE_VAL)}) {
            if (at > lo && at < hi) xs.push_back(at);
        }
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

}  // namespace cclp_cli
