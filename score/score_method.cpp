#include "score/score_method.hpp"

#include <cstring>

#include "frame/check.hpp"
#include "frame/owned_memory.hpp"
#include "score/method_table.hpp"

namespace cclp {
namespace {

// A score method owns nothing: its copy is its bytes, and it has nothing to
// destruct.
int32_t copyScore(cclp_score* score, const cclp_score* source) {
    std::memcpy(score, source, sizeof *score);
    return CCLP_STATUS_OK;
}

int32_t ownsNothing(cclp_score*) { return CCLP_STATUS_OK; }

using ScoreOnHeap = HeapLifecycle<cclp_score, &cclp_score_init, &ownsNothing, &copyScore>;

}  // namespace

cclp_scoreFixed toFixed(const cclp_score& score) {
    cclp_scoreFixed fixed{};
    fixed.isOneSided = score.isOneSided;
    if (score.isOneSided == 1) {
        fixed.oneSided = toFixed(score.oneSided);
    } else {
        fixed.twoSided = toFixed(score.twoSided);
    }
    fixed.method = score.method;
    return fixed;
}

}  // namespace cclp

// The builders zero the function that the method does not use: a run that
// reads it anyway (method 11 on the other kind of candidate) then sees a
// defined function instead of stale or uninitialised bytes.
extern "C" {

int32_t cclp_score_init(cclp_score* score) {
    CCLP_REQUIRE_NONNULL(score);
    cclp_scoreOneSided contrast;
    CCLP_RETURN_IF_FAILED(cclp_scoreOneSided_initValues(&contrast, 255.0, 0.0, 0.0, 1.0, 0.0));
    return cclp_score_initScoreMethodOneSided(score, cclp_scoreMethodContrast, &contrast);
}

int32_t cclp_score_initScoreMethodOneSided(cclp_score* score, int32_t method,
                                           const cclp_scoreOneSided* function) {
    CCLP_REQUIRE_NONNULL(score, function);
    if (!cclp::takesOneSided(method)) return CCLP_STATUS_NOT_ONE_SIDED_METHOD;
    score->isOneSided = 1;
    score->method = method;
    score->oneSided = *function;
    score->twoSided = cclp_scoreTwoSided{};
    return CCLP_STATUS_OK;
}

int32_t cclp_score_initScoreMethodTwoSided(cclp_score* score, int32_t method,
                                           const cclp_scoreTwoSided* function) {
    CCLP_REQUIRE_NONNULL(score, function);
    if (!cclp::takesTwoSided(method)) return CCLP_STATUS_NOT_TWO_SIDED_METHOD;
    score->isOneSided = 0;
    score->method = method;
    score->twoSided = *function;
    score->oneSided = cclp_scoreOneSided{};
    return CCLP_STATUS_OK;
}

int32_t cclp_score_new(cclp_score** score) { return cclp::ScoreOnHeap::create(score); }

int32_t cclp_score_newClone(cclp_score** score, const cclp_score* source) {
    return cclp::ScoreOnHeap::clone(score, source);
}

int32_t cclp_score_delete(cclp_score** score) { return cclp::ScoreOnHeap::destroy(score); }

}  // extern "C"
