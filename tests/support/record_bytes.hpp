// Byte-level comparisons of plain records in tests.
#pragma once

#include <cstring>

#include "cclp_score/cclp_score_method.h"

namespace cclp::testing {

template <class T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

template <class T>
bool allZero(const T& value) {
    static const T zero{};
    return sameBytes(value, zero);
}

// Field by field: a score method has padding that nothing defines.
inline bool sameScore(const cclp_score& a, const cclp_score& b) {
    return a.isOneSided == b.isOneSided && a.method == b.method &&
           sameBytes(a.oneSided, b.oneSided) && sameBytes(a.twoSided, b.twoSided);
}

}  // namespace cclp::testing
