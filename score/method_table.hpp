// The score method table (CCLP_SCORE_METHOD_TABLE) as constants the module
// can compute with: which numbers are methods, which function each builder
// accepts, which candidates each method scores.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "cclp_score/cclp_score_method.h"

namespace cclp {

struct MethodTraits {
    int32_t number;
    cclp_scoreFunctionKind function;
    bool pairsOnly;
    bool extendedOnly;
    bool needsWidth;
};

#define CCLP_METHOD_TRAITS_(number, id, name, function, pairsOnly, extendedOnly, needsWidth, \
                            measures)                                                         \
    MethodTraits{number, function, pairsOnly != 0, extendedOnly != 0, needsWidth != 0},
inline constexpr std::array<MethodTraits, CCLP_SCORE_METHOD_COUNT> kMethodTable{
    CCLP_SCORE_METHOD_TABLE(CCLP_METHOD_TRAITS_)};
#undef CCLP_METHOD_TRAITS_

// The table lists the methods by number from 1, so a number is its index + 1.
constexpr bool numberedInOrder() {
    for (size_t i = 0; i < kMethodTable.size(); ++i) {
        if (kMethodTable[i].number != static_cast<int32_t>(i) + 1) return false;
    }
    return true;
}
static_assert(numberedInOrder(), "score methods are numbered 1, 2, 3, ... in table order");

constexpr bool isKnownMethod(int32_t method) {
    return method >= 1 && method <= CCLP_SCORE_METHOD_COUNT;
}

// The row of a known method number.
constexpr const MethodTraits& methodTraits(int32_t method) {
    return kMethodTable[static_cast<size_t>(method - 1)];
}

// The one-sided builder takes every method that does not read the
// two-sided function; a method without a function is built with a one-sided
// function that it ignores.
constexpr bool takesOneSided(int32_t method) {
    return isKnownMethod(method) && methodTraits(method).function != cclp_scoreFunctionTwoSided;
}

constexpr bool takesTwoSided(int32_t method) {
    if (!isKnownMethod(method)) return false;
    const cclp_scoreFunctionKind function = methodTraits(method).function;
    return function == cclp_scoreFunctionTwoSided || function == cclp_scoreFunctionByCandidate;
}

// Whether the method scores only pairs of edges of this kind. Over plain
// edges the extended-only methods score nothing at all (they report), so
// they do not ask for a pair there.
constexpr bool needsPair(int32_t method, bool extended) {
    if (!isKnownMethod(method)) return false;
    const MethodTraits& traits = methodTraits(method);
    return traits.pairsOnly && (extended || !traits.extendedOnly);
}

constexpr bool needsWidth(int32_t method) {
    return isKnownMethod(method) && methodTraits(method).needsWidth;
}

template <int32_t Method>
using MethodNumber = std::integral_constant<int32_t, Method>;

// Calls visit with a known method number as a compile-time constant, so
// that a caller can choose a method's formula once and apply it many times.
// An unknown number visits nothing.
template <class Visit>
void visitMethod(int32_t method, Visit&& visit) {
    switch (method) {
#define CCLP_VISIT_METHOD_(number, ...) \
    case number:                        \
        visit(MethodNumber<number>{});  \
        return;
        CCLP_SCORE_METHOD_TABLE(CCLP_VISIT_METHOD_)
#undef CCLP_VISIT_METHOD_
    default:
        return;
    }
}

}  // namespace cclp
