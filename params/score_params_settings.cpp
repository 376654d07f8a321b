// Settings of the score parameters. Range errors are found before anything
// is written; a runtime failure while an array is replaced leaves its count
// at 0 until the next successful replacement or release.
#include <cmath>
#include <cstdint>
#include <functional>

#include "frame/check.hpp"
#include "frame/cleanup_frame.hpp"
#include "cmath_lib.h"
#include "frame/fixed_point.hpp"
#include "frame/owned_memory.hpp"
#include "score/score_method.hpp"
#include "params/score_params.hpp"

namespace cclp {
namespace {

constexpr double kPairWidthTolerance = 1e-15;

bool isPairWidthZero(const cclp_desiredEdge* edges) {
    const double width = std::fabs(edges[0].position - edges[1].position);
    return cmath_double_epsilonEqual(width, 0.0, kPairWidthTolerance) != 0;
}

bool isMethodIndex(const cclp_scoreParams& params, int32_t index) {
    return index >= 0 && index < params.numScoreMethods;
}

// True when the record starts inside the array (std::less gives a total
// order over unrelated pointers).
template <class T>
bool liesWithin(const T* record, const T* array, int32_t count) {
    const std::less<const T*> before;
    return array != nullptr && count > 0 && !before(record, array) && before(record, array + count);
}

// Replaces the methods and builds their fixed-point forms. Releasing the old
// methods would free a source taken from the record's own array, so such a
// source is copied aside first.
int32_t replaceScoreMethods(cclp_scoreParams& params, int32_t count, const cclp_score* methods) {
    CleanupFrame<1> frame;
    cclp_score* setAside = nullptr;
    if (liesWithin(methods, params.scoreMethods, params.numScoreMethods)) {
        const int32_t status = cloneArray(setAside, count, methods);
        if (status < 0) return frame.close(status);
        frame.freeAlways(&setAside);
        methods = setAside;
    }
    int32_t status = releaseScoreMethods(params);
    if (status < 0) return frame.close(status);
    params.numScoreMethods = 0;
    status = cloneArray(params.scoreMethods, count, methods);
    if (status < 0) return frame.close(status);
    status = allocArray(params.scoreMethodsFixed, count);
    if (status < 0) return frame.close(status);
    for (int32_t i = 0; i < count; ++i) params.scoreMethodsFixed[i] = toFixed(methods[i]);
    params.numScoreMethods = count;
    return frame.close(CCLP_STATUS_OK);
}

}  // namespace
}  // namespace cclp

extern "C" {

// The clone releases the old array only once the copy exists, so the caller
// may pass the record's own array back.
int32_t cclp_scoreParams_setDesiredEdges(cclp_scoreParams* params, int32_t count,
                                         const cclp_desiredEdge* edges) {
    CCLP_REQUIRE_NONNULL(params, edges);
    if (count != 1 && count != 2) return CCLP_STATUS_BAD_DESIRED_EDGE_COUNT;
    if (count == 2 && cclp::isPairWidthZero(edges)) return CCLP_STATUS_ZERO_PAIR_WIDTH;
    params->numDesiredEdges = 0;
    CCLP_RETURN_IF_FAILED(cclp::cloneArray(params->desiredEdges, count, edges));
    params->numDesiredEdges = count;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreParams_getDesiredEdges(const cclp_scoreParams* params, int32_t* count,
                                         const cclp_desiredEdge** edges) {
    CCLP_REQUIRE_NONNULL(params, count, edges);
    *count = params->numDesiredEdges;
    *edges = params->desiredEdges;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreParams_setMaxNumResults(cclp_scoreParams* params, int32_t count) {
    CCLP_REQUIRE_NONNULL(params);
    if (count <= 0) return CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE;
    params->maxNumResults = count;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreParams_getMaxNumResults(const cclp_scoreParams* params, int32_t* count) {
    CCLP_REQUIRE_NONNULL(params, count);
    *count = params->maxNumResults;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreParams_setSortByScore(cclp_scoreParams* params, int32_t sortByScore) {
    CCLP_REQUIRE_NONNULL(params);
    params->sortByScore = sortByScore;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreParams_getSortByScore(const cclp_scoreParams* params, int32_t* sortByScore) {
    CCLP_REQUIRE_NONNULL(params, sortByScore);
    *sortByScore = params->sortByScore;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreParams_setScoreMethods(cclp_scoreParams* params, int32_t count,
                                         const cclp_score* methods) {
    CCLP_REQUIRE_NONNULL(params, methods);
    if (count <= 0) return CCLP_STATUS_SCORE_METHOD_COUNT_NOT_POSITIVE;
    return cclp::replaceScoreMethods(*params, count, methods);
}

int32_t cclp_scoreParams_getScoreMethods(const cclp_scoreParams* params, int32_t* count,
                                         const cclp_score** methods) {
    CCLP_REQUIRE_NONNULL(params, count, methods);
    *count = params->numScoreMethods;
    *methods = params->scoreMethods;
    return CCLP_STATUS_OK;
}

// The offset updates write the part they name whatever kind of method the
// index holds; no derived field depends on an offset.
int32_t cclp_scoreParams_updateOneSidedOffset(cclp_scoreParams* params, int32_t index,
                                              double offset) {
    CCLP_REQUIRE_NONNULL(params);
    if (!cclp::isMethodIndex(*params, index)) return CCLP_STATUS_METHOD_INDEX_OUT_OF_RANGE;
    params->scoreMethods[index].oneSided.positionOffset = offset;
    params->scoreMethodsFixed[index].oneSided.positionOffset = cclp::round256(offset);
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreParams_updateTwoSidedOffsets(cclp_scoreParams* params, int32_t index,
                                               double lowOffset, double highOffset) {
    CCLP_REQUIRE_NONNULL(params);
    if (!cclp::isMethodIndex(*params, index)) return CCLP_STATUS_METHOD_INDEX_OUT_OF_RANGE;
    cclp_scoreTwoSided& function = params->scoreMethods[index].twoSided;
    function.lowSide.positionOffset = lowOffset;
    function.highSide.positionOffset = highOffset;
    cclp_scoreTwoSidedFixed& fixed = params->scoreMethodsFixed[index].twoSided;
    fixed.lowSide.positionOffset = cclp::round256(lowOffset);
    fixed.highSide.positionOffset = cclp::round256(highOffset);
    return CCLP_STATUS_OK;
}

}  // extern "C"
