// How well one candidate (one edge, or a pair of edges in input order)
// satisfies one score method. The method table is written once: the number
// format (double, or 1/256 fixed point) follows from the edge type, and so
// do the score method form, the measurements (measure.hpp) and the scoring
// functions. Methods 12 and 13 read values that only extended edges carry.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "cclp_score/cclp_result_set_ex.h"
#include "cclp_score/cclp_score_params.h"
#include "cclp_score/cclp_status.h"
#include "check.hpp"
#include "function_value.hpp"
#include "measure.hpp"
#include "number_formats.hpp"

namespace cclp {

template <class Edge>
using EdgeNumber = std::remove_cvref_t<decltype(std::declval<const Edge&>().position)>;

template <class Edge>
concept ExtendedEdge = requires(const Edge& edge) { edge.extra1; };

template <class Edge>
using MethodFor = typename NumberFormat<EdgeNumber<Edge>>::Method;

namespace detail {

constexpr bool needsPair(int32_t method, bool extended) {
    switch (method) {
    case 1: case 2: case 3: case 5: case 7: case 9: case 10: return true;
    case 12: return extended;
    default: return false;
    }
}

constexpr bool dividesByWidth(int32_t method) {
    switch (method) {
    case 1: case 2: case 3: case 7: case 9: case 10: return true;
    default: return false;
    }
}

template <class Edge>
EdgeNumber<Edge> largerExtra(const Edge& edge) {
    return measure::larger(edge.extra2, edge.extra3);
}

// Methods 12 and 13: the extended edges' own measurements. Plain edges have
// no extra values; the method is reported and scores 0, so that the
// candidate scores 0 rather than whatever memory held.
template <class Edge>
EdgeNumber<Edge> scoreExtraMethod(const MethodFor<Edge>& method, bool pair, const Edge* edges) {
    using namespace measure;
    if constexpr (ExtendedEdge<Edge>) {
        const EdgeNumber<Edge> value =
            method.method == 12 ? magnitude(subtract(edges[1].extra1, edges[0].extra1))
            : pair              ? larger(largerExtra(edges[0]), largerExtra(edges[1]))
                                : largerExtra(edges[0]);
        return functionValue(method.oneSided, value);
    } else {
        (void)method, (void)pair, (void)edges;
        cstd_assert_(static_cast<int32_t>(__LINE__));
        return 0;
    }
}

// Method 11: the distance from the function's position offset, per edge.
template <class Edge>
EdgeNumber<Edge> scoreOffsetDistance(const MethodFor<Edge>& method, bool pair, const Edge* edges) {
    using namespace measure;
    const auto distance = [](const auto& side, EdgeNumber<Edge> position) {
        return functionValue(side, magnitude(subtract(position, side.positionOffset)));
    };
    if (!pair) return distance(method.oneSided, edges[0].position);
    CCLP_ASSERT(edges[0].position < edges[1].position);
    const auto& sides = method.twoSided;
    return halve(add(distance(sides.lowSide, edges[0].position),
                     distance(sides.highSide, edges[1].position)));
}

// Method 6: the mean absolute contrast of the candidate's edges.
template <class Edge>
EdgeNumber<Edge> scoreContrast(const MethodFor<Edge>& method, bool pair, const Edge* edges) {
    using namespace measure;
    EdgeNumber<Edge> sum = magnitude(edges[0].contrast);
    if (pair) sum = add(sum, magnitude(edges[1].contrast));
    return functionValue(method.oneSided, mean(sum, pair ? 2 : 1));
}

// The methods that measure positions. w is the expected pair width.
template <class Edge>
EdgeNumber<Edge> scorePositionMethod(const MethodFor<Edge>& method, bool pair, const Edge* edges,
                                     EdgeNumber<Edge> w) {
    using namespace measure;
    using Number = EdgeNumber<Edge>;
    const Number p0 = edges[0].position;
    const Number p1 = pair ? edges[1].position : Number{};
    const auto& f = method.oneSided;
    switch (method.method) {
    case 1: return functionValue(f, ratio(magnitude(subtract(magnitude(subtract(p1, p0)), w)), w));
    case 2: return functionValue(f, ratio(magnitude(subtract(p1, p0)), w));
    case 3: return functionValue(f, halfRatio(magnitude(add(p1, p0)), w));
    case 4: return functionValue(f, pair ? halve(magnitude(add(p1, p0))) : magnitude(p0));
    case 5: return p0 < 0 && p1 > 0 ? NumberFormat<Number>::kFullScore : Number{0};
    case 7: return functionValue(f, halfRatio(add(p1, p0), w));
    case 8: return functionValue(f, pair ? halve(add(p0, p1)) : p0);
    case 9:
        return functionValue(method.twoSided, ratio(subtract(magnitude(subtract(p1, p0)), w), w));
    default: {  // 10: each edge by its own side
        if constexpr (NumberFormat<Number>::kEdgePosChecksOrder) CCLP_ASSERT(p0 < p1);
        const auto& sides = method.twoSided;
        return halve(add(functionValue(sides.lowSide, p0), functionValue(sides.highSide, p1)));
    }
    }
}

}  // namespace detail

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
    if (kind < 1 || kind > 13) {
        return pair ? CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR : CCLP_STATUS_METHOD_NEEDS_PAIR;
    }
    if (!pair && detail::needsPair(kind, ExtendedEdge<Edge>)) return CCLP_STATUS_METHOD_NEEDS_PAIR;
    if (kind == 6 && numEdges < 1) return CCLP_STATUS_BAD_DESIRED_EDGE_COUNT;
    if (detail::dividesByWidth(kind)) CCLP_ASSERT(width > 0);
    switch (kind) {
    case 6: *score = detail::scoreContrast(*method, pair, edges); break;
    case 11: *score = detail::scoreOffsetDistance(*method, pair, edges); break;
    case 12: case 13: *score = detail::scoreExtraMethod(*method, pair, edges); break;
    default: *score = detail::scorePositionMethod(*method, pair, edges, width); break;
    }
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

}  // namespace cclp
