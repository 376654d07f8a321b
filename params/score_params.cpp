#include "score_params.hpp"

#include "check.hpp"
#include "cleanup_frame.hpp"
#include "heap_record.hpp"
#include "score_method.hpp"
#include "type_checks.hpp"

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
    int32_t status = allocArray(&params.desiredEdges, 1);
    if (status < 0) return frame.close(status);
    frame.freeOnFailure(&params.desiredEdges);
    params.desiredEdges[0] = cclp_desiredEdge{0.0, cclp_polarityAny};

    params.maxNumResults = 1;
    params.numScoreMethods = 1;
    status = allocArray(&params.scoreMethods, 1);
    if (status < 0) return frame.close(status);
    frame.freeOnFailure(&params.scoreMethods);
    status = cclp_score_init(&params.scoreMethods[0]);
    if (status < 0) return frame.close(status);

    status = allocArray(&params.scoreMethodsFixed, 1);
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
        copyArrayOrFree(&params.desiredEdges, source.desiredEdges, source.numDesiredEdges));
    params.maxNumResults = source.maxNumResults;
    CCLP_RETURN_IF_FAILED(
        copyArrayOrFree(&params.scoreMethods, source.scoreMethods, source.numScoreMethods));
    CCLP_RETURN_IF_FAILED(copyArrayOrFree(&params.scoreMethodsFixed, source.scoreMethodsFixed,
                                          source.numScoreMethods));
    params.sortByScore = source.sortByScore;
    params.numDesiredEdges = source.numDesiredEdges;
    params.numScoreMethods = source.numScoreMethods;
    return CCLP_STATUS_OK;
}

}  // namespace

int32_t releaseScoreMethods(cclp_scoreParams& params) {
    params.numScoreMethods = 0;
    CCLP_RETURN_IF_FAILED(freeBlock(&params.scoreMethods));
    return freeBlock(&params.scoreMethodsFixed);
}

int32_t releaseParams(cclp_scoreParams& params) {
    params.numDesiredEdges = 0;
    params.numScoreMethods = 0;
    CCLP_RETURN_IF_FAILED(freeBlock(&params.desiredEdges));
    params.maxNumResults = 1;
    params.sortByScore = 1;
    return releaseScoreMethods(params);
}

}  // namespace cclp

extern "C" {

int32_t cclp_scoreParams_construct(cclp_scoreParams* params) {
    CCLP_REQUIRE_NONNULL(params);
    return cclp::constructDefaults(*params);
}

int32_t cclp_scoreParams_constructCopy(cclp_scoreParams* params, const cclp_scoreParams* source) {
    CCLP_REQUIRE_NONNULL(params, source);
    cclp::CleanupFrame<1> frame;
    const int32_t status = cclp_scoreParams_construct(params);
    if (status < 0) return frame.close(status);
    cclp::typeCheck(params);
    cclp::typeCheckFunc(&cclp_scoreParams_destruct);
    frame.destructOnFailure(params, &cclp_scoreParams_destruct);
    return frame.close(cclp_scoreParams_assign(params, source));
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
    CCLP_REQUIRE_NONNULL(params);
    return cclp::newRecord(params, &cclp_scoreParams_delete, &cclp_scoreParams_construct);
}

// Cloning the record that the pointer already holds would delete the source
// before copying it; that record already is its own clone.
int32_t cclp_scoreParams_newClone(cclp_scoreParams** params, const cclp_scoreParams* source) {
    CCLP_REQUIRE_NONNULL(params);
    if (source == nullptr) return cclp_scoreParams_delete(params);
    if (source == *params) return CCLP_STATUS_OK;
    CCLP_RETURN_IF_FAILED(cclp_scoreParams_new(params));
    // A failed assignment deletes the new record: destruct it, then free it.
    cclp::CleanupFrame<2> frame;
    frame.freeOnFailure(params);
    cclp::typeCheck(*params);
    cclp::typeCheckFunc(&cclp_scoreParams_destruct);
    frame.destructOnFailure(*params, &cclp_scoreParams_destruct);
    return frame.close(cclp_scoreParams_assign(*params, source));
}

int32_t cclp_scoreParams_delete(cclp_scoreParams** params) {
    CCLP_REQUIRE_NONNULL(params);
    return cclp::deleteRecord(params, &cclp_scoreParams_destruct);
}

}  // extern "C"
