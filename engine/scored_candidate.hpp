// The run's record of one kept candidate, and the order in which a sorting
// run ranks them: higher score first, among equal scores lower position
// first, and among candidates equal in both the one formed first. The last
// rule makes the order total, so a run writes the same results on every
// platform, whatever algorithm ranks them.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

namespace cclp {

template <class Number>
struct ScoredCandidate {
    Number score;      // combined score of the method scores
    Number position;   // the edge's position, or the mean of the pair's
    int32_t index;     // single edge: its input index; pair: the pair's number
    int32_t slot = 0;  // where the run keeps the candidate's method scores
};

namespace detail {

// -1, 0 or 1 as a lies below, level with or above b. Compared directly
// rather than through a difference, so no fixed-point difference can wrap;
// a NaN ranks after every number, which keeps the order a strict weak
// ordering.
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

// Whether a ranks before b; only a candidate and itself rank level.
template <class Number>
bool ranksBefore(const ScoredCandidate<Number>& a, const ScoredCandidate<Number>& b) {
    const int byScore = detail::compareAscending(b.score, a.score);
    if (byScore != 0) return byScore < 0;
    const int byPosition = detail::compareAscending(a.position, b.position);
    if (byPosition != 0) return byPosition < 0;
    return a.index < b.index;
}

}  // namespace cclp
