/** @file
 * Score methods: which property of a candidate is scored, and by which
 * scoring function. */
#ifndef CCLP_SCORE_METHOD_H
#define CCLP_SCORE_METHOD_H

#include <stdint.h>

#include "cclp_export.h"
#include "cclp_scoring_function.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

/** Which scoring function a method maps its measured value through. */
enum cclp_scoreFunctionKind {
    cclp_scoreFunctionNone = 0,        /**< scores without a function */
    cclp_scoreFunctionOneSided = 1,    /**< reads oneSided */
    cclp_scoreFunctionTwoSided = 2,    /**< reads twoSided */
    cclp_scoreFunctionByCandidate = 3  /**< oneSided for single edges, twoSided for pairs */
};

/** X(number, id, name, function, pairsOnly, extendedOnly, needsWidth, measures):
 * the one table of the score methods. id makes the constant
 * cclp_scoreMethod<id>; name is the method's name in text; function a
 * cclp_scoreFunctionKind; pairsOnly: scores edge pairs only; extendedOnly:
 * reads the extra values that only extended edges carry; needsWidth: a pair
 * run needs a positive expected width w; measures: the value it scores, with
 * p0, p1 the positions of a pair's edges (p0 alone for a single edge), c a
 * contrast and w the expected width. */
#define CCLP_SCORE_METHOD_TABLE(X)                                                           \
    X(1, SizeDiff, "sizeDiff", cclp_scoreFunctionOneSided, 1, 0, 1, "||p1 - p0| - w| / w")    \
    X(2, Size, "size", cclp_scoreFunctionOneSided, 1, 0, 1, "|p1 - p0| / w")                  \
    X(3, PosNormAbs, "posNormAbs", cclp_scoreFunctionOneSided, 1, 0, 1, "|p0 + p1| / 2w")     \
    X(4, PosAbs, "posAbs", cclp_scoreFunctionOneSided, 0, 0, 0, "|p0|, pair: |p0 + p1| / 2")  \
    X(5, Straddle, "straddle", cclp_scoreFunctionNone, 1, 0, 0, "1 when p0 < 0 < p1, else 0") \
    X(6, Contrast, "contrast", cclp_scoreFunctionOneSided, 0, 0, 0, "mean |c|")               \
    X(7, PosNorm, "posNorm", cclp_scoreFunctionOneSided, 1, 0, 1, "(p0 + p1) / 2w")           \
    X(8, Pos, "pos", cclp_scoreFunctionOneSided, 0, 0, 0, "p0, pair: (p0 + p1) / 2")          \
    X(9, SizeDiffSigned, "sizeDiffSigned", cclp_scoreFunctionTwoSided, 1, 0, 1,               \
      "(|p1 - p0| - w) / w")                                                                 \
    X(10, EdgePos, "edgePos", cclp_scoreFunctionTwoSided, 1, 0, 1,                            \
      "p0 by the low side, p1 by the high side")                                             \
    X(11, OffsetDist, "offsetDist", cclp_scoreFunctionByCandidate, 0, 0, 0,                   \
      "|p - offset| per edge")                                                               \
    X(12, Extra1Diff, "extra1Diff", cclp_scoreFunctionOneSided, 1, 1, 0,                      \
      "|extra1 of e1 - extra1 of e0|")                                                       \
    X(13, ExtraMax, "extraMax", cclp_scoreFunctionOneSided, 0, 1, 0, "largest extra2/extra3")

/** The number of score methods, numbered 1 to CCLP_SCORE_METHOD_COUNT. */
#define CCLP_SCORE_METHOD_COUNT 13

#define CCLP_SCORE_METHOD_DEFINE_(number, id, ...) cclp_scoreMethod##id = number,
/** The score methods' numbers, one per row of CCLP_SCORE_METHOD_TABLE. */
enum cclp_scoreMethodNumber { CCLP_SCORE_METHOD_TABLE(CCLP_SCORE_METHOD_DEFINE_) };
#undef CCLP_SCORE_METHOD_DEFINE_

/** The name of a method number ("sizeDiff"), or null when it is unknown. */
static inline const char* cclp_scoreMethodName(int32_t method) {
#define CCLP_SCORE_METHOD_NAME_(number, id, name, ...) \
    if (method == (number)) return name;
    CCLP_SCORE_METHOD_TABLE(CCLP_SCORE_METHOD_NAME_)
#undef CCLP_SCORE_METHOD_NAME_
    return 0;
}

/** A score method: what it measures (method) and the scoring function it
 * maps the measured value through. */
typedef struct cclp_score {
    int32_t isOneSided;          /**< 1: built with a one-sided function, 0: two-sided */
    cclp_scoreOneSided oneSided; /**< the function when isOneSided is 1 */
    cclp_scoreTwoSided twoSided; /**< the function when isOneSided is 0 */
    int32_t method;              /**< a cclp_scoreMethodNumber */
} cclp_score;

/** The fixed-point form kept beside every stored score method. */
typedef struct cclp_scoreFixed {
    int32_t isOneSided;               /**< cclp_score::isOneSided */
    cclp_scoreOneSidedFixed oneSided; /**< cclp_score::oneSided in 1/256 units */
    cclp_scoreTwoSidedFixed twoSided; /**< cclp_score::twoSided in 1/256 units */
    int32_t method;                   /**< cclp_score::method */
} cclp_scoreFixed;

/** Makes score a one-sided contrast method: 0 at contrast 0 rising to 1 at 255. */
CCLP_API int32_t cclp_score_init(cclp_score* score);
/** Makes score the given method with a one-sided function. Accepts methods 1-8, 11, 12, 13; copies the function into oneSided. */
CCLP_API int32_t cclp_score_initScoreMethodOneSided(cclp_score* score, int32_t method,
                                                    const cclp_scoreOneSided* function);
/** Makes score the given method with a two-sided function. Accepts methods 9, 10, 11; copies the function into twoSided. */
CCLP_API int32_t cclp_score_initScoreMethodTwoSided(cclp_score* score, int32_t method,
                                                    const cclp_scoreTwoSided* function);
/** Allocates a method made by cclp_score_init() into *score (null on failure). */
CCLP_API int32_t cclp_score_new(cclp_score** score);
/** Allocates a copy of source into *score (null on failure). */
CCLP_API int32_t cclp_score_newClone(cclp_score** score, const cclp_score* source);
/** Frees what cclp_score_new() or cclp_score_newClone() allocated and nulls
 * *score; a null *score is left alone. */
CCLP_API int32_t cclp_score_delete(cclp_score** score);

CCLP_EXTERN_C_END

#endif
