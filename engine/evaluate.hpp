// How well one candidate (one edge, or a pair of edges in input order)
// satisfies one score method. The methods' numbers and properties come from
// their table (score/method_table.hpp); their formulas are here, one per
// method and written once: the number format (double, or 1/256 fixed point)
// follows from the edge type, and so do the score method form, the
// measurements (measure.hpp) and the scoring functions.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "cclp_score/cclp_result_set_ex.h"
#include "cclp_score/cclp_score_params.h"
#include "cclp_score/cclp_status.h"
#include "frame/check.hpp"
#include "engine/function_value.hpp"
#include "engine/measure.hpp"
#include "engine/number_formats.hpp"
#include "score/method_table.hpp"

namespace cclp {

template <class Edge>
using EdgeNumber = std::remove_cvref_t<decltype(std::declval<const Edge&>().position)>;

template <class Edge>
concept ExtendedEdge = requires(const Edge& edge) { edge.extra1; };

template <class Edge>
using MethodFor = typename NumberFormat<EdgeNumber<Edge>>::Method;

namespace detail {

template <int32_t Kind>
inline constexpr bool kNoFormula = false;

// What the size methods measure of a pair at p0 and p1: its size relative to
// the expected width w, or its size's difference from w relative to w.
template <int32_t Kind, class Number>
Number sizeMeasure(Number p0, Number p1, Number w) {
    using namespace measure;
    const Number size = magnitude(subtract(p1, p0));
    if constexpr (Kind == cclp_scoreMethodSizeDiff) {
        return ratio(magnitude(subtract(size, w)), w);
    } else {
        return ratio(size, w);
    }
}

template <class Edge>
EdgeNumber<Edge> largerExtra(const Edge& edge) {
    return measure::larger(edge.extra2, edge.extra3);
}

// The score of one candidate against method Kind: first and second are the
// pair's edges in input order (a single edge is passed as both), w the
// expected pair width. The method number must suit the candidate (see
// methodStatus); the formulas of pair-only methods are not meant for single
// edges. Method is the score method record, or its prepared form
// (score_batch.hpp).
template <int32_t Kind, bool Pair, class Method, class Edge>
EdgeNumber<Edge> methodScore(const Method& method, const Edge& first, const Edge& second,
                             EdgeNumber<Edge> w) {
    using namespace measure;
    using Number = EdgeNumber<Edge>;
    const Number p0 = first.position;
    const Number p1 = second.position;
    const auto& f = method.oneSided;
    const auto& sides = method.twoSided;
    if constexpr (methodTraits(Kind).extendedOnly && !ExtendedEdge<Edge>) {
        // Plain edges have no extra values; the method is reported and
        // scores 0, so that the candidate scores 0 rather than whatever
        // memory held.
        cstd_assert_(static_cast<int32_t>(__LINE__));
        return 0;
    } else if constexpr (Kind == cclp_scoreMethodSizeDiff || Kind == cclp_scoreMethodSize) {
        return functionValue(f, sizeMeasure<Kind>(p0, p1, w));
    } else if constexpr (Kind == cclp_scoreMethodPosNormAbs) {
        return functionValue(f, halfRatio(magnitude(add(p1, p0)), w));
    } else if constexpr (Kind == cclp_scoreMethodPosAbs) {
        return functionValue(f, Pair ? halve(magnitude(add(p1, p0))) : magnitude(p0));
    } else if constexpr (Kind == cclp_scoreMethodStraddle) {
        return p0 < 0 && p1 > 0 ? NumberFormat<Number>::kFullScore : Number{0};
    } else if constexpr (Kind == cclp_scoreMethodContrast) {  // the mean absolute contrast
        Number sum = magnitude(first.contrast);
        if constexpr (Pair) sum = add(sum, magnitude(second.contrast));
        return functionValue(f, mean(sum, Pair ? 2 : 1));
    } else if constexpr (Kind == cclp_scoreMethodPosNorm) {
        return functionValue(f, halfRatio(add(p1, p0), w));
    } else if constexpr (Kind == cclp_scoreMethodPos) {
        return functionValue(f, Pair ? halve(add(p0, p1)) : p0);
    } else if constexpr (Kind == cclp_scoreMethodSizeDiffSigned) {
        return functionValue(sides, ratio(subtract(magnitude(subtract(p1, p0)), w), w));
    } else if constexpr (Kind == cclp_scoreMethodEdgePos) {  // each edge by its own side
        if constexpr (NumberFormat<Number>::kEdgePosChecksOrder) CCLP_ASSERT(p0 < p1);
        return halve(add(functionValue(sides.lowSide, p0), functionValue(sides.highSide, p1)));
    } else if constexpr (Kind == cclp_scoreMethodOffsetDist) {
        // the distance from the position offset, per edge
        const auto distance = [](const auto& side, Number position) {
            return functionValue(side, magnitude(subtract(position, positionOffsetOf(side))));
        };
        if constexpr (Pair) {
            CCLP_ASSERT(p0 < p1);
            return halve(add(distance(sides.lowSide, p0), distance(sides.highSide, p1)));
        } else {
            return distance(f, p0);
        }
    } else if constexpr (Kind == cclp_scoreMethodExtra1Diff) {
        return functionValue(f, magnitude(subtract(second.extra1, first.extra1)));
    } else if constexpr (Kind == cclp_scoreMethodExtraMax) {
        if constexpr (Pair) {
            return functionValue(f, larger(largerExtra(first), largerExtra(second)));
        } else {
            return functionValue(f, largerExtra(first));
        }
    } else {
        static_assert(kNoFormula<Kind>, "every score method of the table needs its formula here");
    }
}

}  // namespace detail

// Whether a method can score a candidate of this kind at all: 0, or the
// code with which the evaluation refuses it.
inline int32_t methodStatus(int32_t kind, bool pair, bool extended) {
    if (!isKnownMethod(kind)) {
        return pair ? CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR : CCLP_STATUS_METHOD_NEEDS_PAIR;
    }
    if (!pair && needsPair(kind, extended)) return CCLP_STATUS_METHOD_NEEDS_PAIR;
    return CCLP_STATUS_OK;
}

// Whether method number kind scores candidates of this form (pair or single
// edge) by its formula alone: it is known and suits the form, and it is not
// an extended-only method over plain edges, which reports at every
// evaluation.
template <class Edge>
constexpr bool formulaAlone(int32_t kind, bool pair) {
    constexpr bool kExtended = ExtendedEdge<Edge>;
    if (!isKnownMethod(kind) || (!pair && needsPair(kind, kExtended))) return false;
    return kExtended || !methodTraits(kind).extendedOnly;
}

// Whether every evaluation of the method for candidates of this form
// succeeds without reporting anything that does not depend on the
// candidate's own values: a loop over many candidates may then apply the
// formula directly.
template <class Edge>
bool evaluatesQuietly(const MethodFor<Edge>& method, bool pair, EdgeNumber<Edge> width) {
    const int32_t kind = method.method;
    if (!formulaAlone<Edge>(kind, pair)) return false;
    if (needsWidth(kind) && !(width > 0)) return false;
    if (kind == cclp_scoreMethodSizeDiffSigned) {
        return highSideStartsAtSplit(method.twoSided) && lowSideEndsAtSplit(method.twoSided);
    }
    return true;
}

// Scores one candidate of numEdges edges (1, or 2 for a pair) against one
// method and writes the score; width is the expected pair width (unused for
// single edges). A method that cannot score the candidate returns its code
// and writes nothing. Broken preconditions other than null pointers are
// reported and the evaluation goes on with the values as they are.
template <class Edge>
int32_t evaluateScoreMethod(const MethodFor<Edge>* method, int32_t numEdges, const Edge* edges,
                            const cclp_desiredEdge* desiredEdges, EdgeNumber<Edge> width,
                            EdgeNumber<Edge>* score) {
    CCLP_REQUIRE_NONNULL(method, edges, score);
    CCLP_ASSERT(desiredEdges != nullptr);
    CCLP_ASSERT(numEdges == 1 || numEdges == 2);
    const int32_t kind = method->method;
    const bool pair = numEdges >= 2;
    CCLP_RETURN_IF_FAILED(methodStatus(kind, pair, ExtendedEdge<Edge>));
    if (kind == cclp_scoreMethodContrast && numEdges < 1) {
        return CCLP_STATUS_BAD_DESIRED_EDGE_COUNT;
    }
    if (needsWidth(kind)) CCLP_ASSERT(width > 0);
    visitMethod(kind, [&](auto constant) {
        constexpr int32_t kKind = decltype(constant)::value;
        if constexpr (needsPair(kKind, ExtendedEdge<Edge>)) {
            *score = detail::methodScore<kKind, true>(*method, edges[0], edges[1], width);
        } else {
            *score = pair ? detail::methodScore<kKind, true>(*method, edges[0], edges[1], width)
                          : detail::methodScore<kKind, false>(*method, edges[0], edges[0], width);
        }
    });
    return CCLP_STATUS_OK;
}

inline int32_t evaluateScoreMethodDouble(const cclp_score* method, int32_t numEdges,
                                         const cclp_edge* edges,
                                         const cclp_desiredEdge* desiredEdges,
                                         double expectedWidth, double* score) {
    return evaluateScoreMethod(method, numEdges, edges, desiredEdges, expectedWidth, score);
}

inline int32_t evaluateScoreMethodDoubleEx(const cclp_score* method, int32_t numEdges,
                                           const cclp_edgeEx* edges,
                                           const cclp_desiredEdge* desiredEdges,
                                           double expectedWidth, double* score) {
    return evaluateScoreMethod(method, numEdges, edges, desiredEdges, expectedWidth, score);
}

inline int32_t evaluateScoreMethodFixed(const cclp_scoreFixed* method, int32_t numEdges,
                                        const cclp_edgeFixed* edges,
                                        const cclp_desiredEdge* desiredEdges,
                                        int32_t expectedWidthFixed, int32_t* score) {
    return evaluateScoreMethod(method, numEdges, edges, desiredEdges, expectedWidthFixed, score);
}

inline int32_t evaluateScoreMethodFixedEx(const cclp_scoreFixed* method, int32_t numEdges,
                                          const cclp_edgeFixedEx* edges,
                                          const cclp_desiredEdge* desiredEdges,
                                          int32_t expectedWidthFixed, int32_t* score) {
    return evaluateScoreMethod(method, numEdges, edges, desiredEdges, expectedWidthFixed, score);
}

// The named evaluation of each edge type, through which a run scores its
// candidates one by one.
template <class Edge>
using Evaluation = int32_t (*)(const MethodFor<Edge>*, int32_t, const Edge*,
                               const cclp_desiredEdge*, EdgeNumber<Edge>, EdgeNumber<Edge>*);
template <class Edge>
inline constexpr Evaluation<Edge> evaluationOf = nullptr;
template <>
inline constexpr Evaluation<cclp_edge> evaluationOf<cclp_edge> = &evaluateScoreMethodDouble;
template <>
inline constexpr Evaluation<cclp_edgeEx> evaluationOf<cclp_edgeEx> =
    &evaluateScoreMethodDoubleEx;
template <>
inline constexpr Evaluation<cclp_edgeFixed> evaluationOf<cclp_edgeFixed> =
    &evaluateScoreMethodFixed;
template <>
inline constexpr Evaluation<cclp_edgeFixedEx> evaluationOf<cclp_edgeFixedEx> =
    &evaluateScoreMethodFixedEx;

}  // namespace cclp
