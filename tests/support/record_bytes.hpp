// Byte-level comparisons of plain records in tests, an operation run with an
// allocation failing, and the check that a null argument is refused.
#pragma once

#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "tests/support/runtime_controls.hpp"

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

// Runs `operation` with the k-th memory request from here on failing.
template <class Operation>
int32_t failingAt(int32_t k, Operation operation) {
    const FailAllocation fail(k);
    return operation();
}

}  // namespace cclp::testing

// A call with a null argument: refused with the null-argument status and
// reported by exactly one assertion.
#define EXPECT_NULL_REFUSED(call)                                \
    do {                                                         \
        const ::cclp::testing::AssertionCounter nullAssertions_; \
        EXPECT_EQ((call), CSYS_STATUS_NULL_ARGUMENT) << #call;   \
        EXPECT_EQ(nullAssertions_.count(), 1) << #call;          \
    } while (false)
