/** @file
 * Sampling scoring functions through the module itself.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_SAMPLING_HPP
#define CCLP_SCORE_CXX_SAMPLING_HPP

#include <cstddef>
#include <cstdint>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "functions.hpp"
#include "methods.hpp"
#include "params.hpp"
#include "scorer.hpp"

namespace cclp::score {

namespace detail {

// A single-edge run of the position method, whose measured value is the
// edge's position itself: every value becomes an edge of contrast 0 (which
// passes any polarity), and the run, unsorted, keeps them all in order.
template <class Number>
std::vector<Number> sampleOneSided(const cclp_scoreOneSided& function, ArrayRef<Number> values,
                                   std::error_code& ec) {
    std::vector<Number> samples;
    ec.clear();
    if (values.empty()) return samples;
    int32_t count = 0;
    if (!countFits(values.size(), count, ec)) return samples;
    const Method method(Method::make(MethodId::Pos, OneSided(function), ec));
    if (ec) return samples;
    Params params = Params::make(ec);
    if (!ec) params.single({0.0, Polarity::Any}, ec);
    if (!ec) params.methods({method}, ec);
    if (!ec) params.maxResults(count, ec);
    if (ec) return samples;
    params.sorted(false);
    const std::vector<Number> contrasts(values.size(), Number{0});
    constexpr bool kFixed = std::is_same_v<Number, int32_t>;
    Edges edges = Edges::makeUnchecked(Unchecked{}, values, ArrayRef<Number>(contrasts),
                                       kFixed ? Formats::Fixed : Formats::Double, ec);
    if (ec) return samples;
    Scorer scorer(std::move(params));
    const Results results = scorer.score(edges, ec);
    if (ec) return samples;
    samples.reserve(values.size());
    for (const Result& result : results) {
        if constexpr (kFixed) {
            samples.push_back(result.methodScoreFixed(0));
        } else {
            samples.push_back(result.methodScore(0));
        }
    }
    return samples;
}

}  // namespace detail

template <class Number>
std::vector<Number> TwoSided::sampleBySide(ArrayRef<Number> values, Number split,
                                           std::error_code& ec) const {
    std::vector<Number> low;
    std::vector<Number> high;
    for (const Number value : values) (value < split ? low : high).push_back(value);
    const std::vector<Number> lowSamples = detail::sampleOneSided(c_.lowSide, ArrayRef<Number>(low), ec);
    if (ec) return {};
    const std::vector<Number> highSamples =
        detail::sampleOneSided(c_.highSide, ArrayRef<Number>(high), ec);
    if (ec) return {};
    std::vector<Number> samples;
    samples.reserve(values.size());
    std::size_t nextLow = 0;
    std::size_t nextHigh = 0;
    for (const Number value : values) {
        samples.push_back(value < split ? lowSamples[nextLow++] : highSamples[nextHigh++]);
    }
    return samples;
}

}  // namespace cclp::score

#endif
