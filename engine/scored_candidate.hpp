// The run's record of one kept candidate, and the order in which a sorting
// run ranks them: higher score first, among equal scores lower position
// first.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

namespace cclp {

template <class Number>
struct ScoredCandidate {
    Number score;     // combined score of the method scores
    Number position;  // the edge's position, or the mean of the pair's
    int32_t index;    // single edge: its input index; pair: the pair's number
};

namespace detail {

// -1, 0 or 1 as a lies below, level with or above b. Compared directly
// rather than through a difference, so no fixed-point difference can wrap;
// a NaN position ranks after every number, which keeps the order a strict
// weak ordering for the sort.
template <class Number>
int compareAscending(Number a, Number b) {
    if (a < b) return -1;
    if (a > b) return 1;
    if constexpr (std::is_floating_point_v<Number>) {
        const bool aIsNaN = std::isnan(a);
        if (aIsNaN != std::isnan(b)) return aIsNaN ? 1 : -1;
    }
    return 0;
}

}  // namespace detail

// The comparison function for qsort over ScoredCandidate<Number> records.
template <class Number>
int compareScoredCandidates(const void* a, const void* b) {
    const auto& first = *static_cast<const ScoredCandidate<Number>*>(a);
    const auto& second = *static_cast<const ScoredCandidate<Number>*>(b);
    const int byScore = detail::compareAscending(second.score, first.score);
    return byScore != 0 ? byScore : detail::compareAscending(first.position, second.position);
}

}  // namespace cclp
