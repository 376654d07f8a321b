#include "params/score_params.hpp"

#include "frame/check.hpp"
#include "frame/cleanup_frame.hpp"
#include "frame/owned_memory.hpp"
#include "score/score_method.hpp"

namespace cclp {
namespace {

// Every array is registered as soon as it exists, so that a failure frees
// what was built and nulls its pointer. All three pointers start null, so a
// record whose construction failed is still safe to destruct.
int32_t constructDefaults(cclp_scoreParams& params) {
    CleanupFrame<3> frame;
    params.desiredEdges = nullptr;
    params.scoreMethods = nullptr;
    params.scoreMethodsFixed = nullptr;

    params.numDesiredEdges = 1;
    params.sortByScore = 1;
    int32_t status = allocArray(params.desiredEdges, 1);
    if (status < 0) return frame.close(status);
    frame.freeOnFailure(&params.desiredEdges);
    params.desiredEdges[0] = cclp_desiredEdge{0.0, cclp_polarityAny};

    params.maxNumResults = 1;
    params.numScoreMethods = 1;
    status = allocArray(params.scoreMethods, 1);
    if (status < 0) return frame.close(status);
    frame.freeOnFailure(&params.scoreMethods);
    status = cclp_score_init(&params.scoreMethods[0]);
    if (status < 0) return frame.close(status);

    status = allocArray(params.scoreMethodsFixed, 1);
    if (status < 0) return frame.close(status);
    frame.freeOnFailure(&params.scoreMethodsFixed);
    params.scoreMethodsFixed[0] = toFixed(params.scoreMethods[0]);
    return frame.close(CCLP_STATUS_OK);
}

// The destination passes through the empty state, and its counts are
// written last: a failed copy leaves both counts 0, with whatever arrays were
// already copied held until the next release.
int32_t assignFrom(cclp_scoreParams& params, const cclp_scoreParams& source) {
    CCLP_RETURN_IF_FAILED(releaseParams(params));
    params.numDesiredEdges = 0;
    params.numScoreMethods = 0;
    CCLP_RETURN_IF_FAILED(
        copyArray(params.desiredEdges, source.numDesiredEdges, source.desiredEdges));
    params.maxNumResults = source.maxNumResults;
    CCLP_RETURN_IF_FAILED(
        copyArray(params.scoreMethods, source.numScoreMethods, source.scoreMethods));
    CCLP_RETURN_IF_FAILED(
        copyArray(params.scoreMethodsFixed, source.numScoreMethods, source.scoreMethodsFixed));
    params.sortByScore = source.sortByScore;
    params.numDesiredEdges = source.numDesiredEdges;
    params.numScoreMethods = source.numScoreMethods;
    return CCLP_STATUS_OK;
}

}  // namespace

int32_t releaseScoreMethods(cclp_scoreParams& params) {
    params.numScoreMethods = 0;
    CCLP_RETURN_IF_FAILED(releaseArray(params.scoreMethods));
    return releaseArray(params.scoreMethodsFixed);
}

int32_t releaseParams(cclp_scoreParams& params) {
    params.numDesiredEdges = 0;
    params.numScoreMethods = 0;
    CCLP_RETURN_IF_FAILED(releaseArray(params.desiredEdges));
    params.maxNumResults = 1;
    params.sortByScore = 1;
    return releaseScoreMethods(params);
}

using ParamsOnHeap = HeapLifecycle<cclp_scoreParams, &cclp_scoreParams_construct,
                                  &cclp_scoreParams_destruct, &cclp_scoreParams_assign>;

}  // namespace cclp

extern "C" {

int32_t cclp_scoreParams_construct(cclp_scoreParams* params) {
    CCLP_REQUIRE_NONNULL(params);
    return cclp::constructDefaults(*params);
}

int32_t cclp_scoreParams_constructCopy(cclp_scoreParams* params, const cclp_scoreParams* source) {
    CCLP_REQUIRE_NONNULL(params, source);
    return cclp::constructAndAssign(params, source, &cclp_scoreParams_construct,
                                    &cclp_scoreParams_destruct, &cclp_scoreParams_assign);
}

int32_t cclp_scoreParams_assign(cclp_scoreParams* params, const cclp_scoreParams* source) {
    CCLP_REQUIRE_NONNULL(params, source);
    if (params == source) return CCLP_STATUS_OK;
    return cclp::assignFrom(*params, *source);
}

int32_t cclp_scoreParams_destruct(cclp_scoreParams* params) {
    CCLP_REQUIRE_NONNULL(params);
    return cclp::releaseParams(*params);
}

int32_t cclp_scoreParams_new(cclp_scoreParams** params) {
    return cclp::ParamsOnHeap::create(params);
}

int32_t cclp_scoreParams_newClone(cclp_scoreParams** params, const cclp_scoreParams* source) {
    return cclp::ParamsOnHeap::clone(params, source);
}

int32_t cclp_scoreParams_delete(cclp_scoreParams** params) {
    return cclp::ParamsOnHeap::destroy(params);
}

}  // extern "C"
