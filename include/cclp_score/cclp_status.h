/** @file
 * Status codes of the scoring module. 0 is success; every failure is
 * negative. Failures of the sibling libraries (memory, attention) pass
 * through unchanged, so callers test the sign, not a particular value. */
#ifndef CCLP_STATUS_H
#define CCLP_STATUS_H

#include <stdint.h>

/** Builds a negative 32-bit status from its unsigned spelling without relying
 * on implementation-defined conversions. */
#define CCLP_STATUS_FROM_BITS(bits) \
    ((int32_t)((uint32_t)(bits) - 0x80000000u) - 0x7FFFFFFF - 1)

/** The module's own status codes, one row each: X(name, bits, meaning)
 * makes the constant name = CCLP_STATUS_FROM_BITS(bits) of enum
 * cclp_statusCode, which cclp_statusName() names and cclp_statusMeaning()
 * explains by meaning. */
#define CCLP_STATUS_TABLE(X)                                                                   \
    X(CCLP_STATUS_Y0_OUT_OF_RANGE, 0x80000E22u, "y0 outside [0, 1] or not a number")          \
    X(CCLP_STATUS_Y1_OUT_OF_RANGE, 0x80000E23u, "y1 outside [0, 1] or not a number")          \
    X(CCLP_STATUS_Y0_BELOW_Y1, 0x80000E24u, "y0 below y1")                                    \
    X(CCLP_STATUS_ABSCISSAE_NOT_MONOTONE, 0x80000E25u,                                         \
      "abscissae neither ascending nor descending")                                            \
    X(CCLP_STATUS_HIGH_X1_BELOW_X0, 0x80000E26u, "high side: x1 below x0")                    \
    X(CCLP_STATUS_HIGH_X1_BELOW_X2, 0x80000E27u, "high side: x1 below x2")                    \
    X(CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT, 0x80000E28u, "low-side abscissa above the split point") \
    X(CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE, 0x80000E29u, "maximum number of results not positive") \
    X(CCLP_STATUS_METHOD_NEEDS_PAIR, 0x80000E2Au,                                              \
      "score method needs an edge pair, or unknown method for a single edge")                  \
    X(CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR, 0x80000E2Bu, "unknown score method for an edge pair") \
    X(CCLP_STATUS_NOT_ONE_SIDED_METHOD, 0x80000E2Cu, "method does not take a one-sided function") \
    X(CCLP_STATUS_NOT_TWO_SIDED_METHOD, 0x80000E2Du, "method does not take a two-sided function") \
    X(CCLP_STATUS_BAD_DESIRED_EDGE_COUNT, 0x80000E2Eu, "number of desired edges not 1 or 2")   \
    X(CCLP_STATUS_SCORE_METHOD_COUNT_NOT_POSITIVE, 0x80000E2Fu, "number of score methods not positive") \
    X(CCLP_STATUS_FORMAT_NOT_VALID, 0x80000E30u, "edge format needed by the run not valid")    \
    X(CCLP_STATUS_ZERO_PAIR_WIDTH, 0x80000E31u, "desired edges at the same position")          \
    X(CCLP_STATUS_METHOD_INDEX_OUT_OF_RANGE, 0x80000E32u, "score method index out of range")

/** Success. */
#define CCLP_STATUS_OK 0
#define CCLP_STATUS_DEFINE_(name, bits, meaning) name = CCLP_STATUS_FROM_BITS(bits),
/** The module's status codes, one per row of CCLP_STATUS_TABLE (name = its
 * bits as a negative int32_t). Enumerators are int; every code fits, and they
 * stay constant expressions. */
enum cclp_statusCode { CCLP_STATUS_TABLE(CCLP_STATUS_DEFINE_) CCLP_STATUS_END_ = 0 };
#undef CCLP_STATUS_DEFINE_

/** The name of one of the module's codes, "CCLP_STATUS_OK" for 0, or null for
 * any other code (a sibling library's). */
static inline const char* cclp_statusName(int32_t status) {
    if (status == CCLP_STATUS_OK) return "CCLP_STATUS_OK";
#define CCLP_STATUS_NAME_(name, bits, meaning) \
    if (status == CCLP_STATUS_FROM_BITS(bits)) return #name;
    CCLP_STATUS_TABLE(CCLP_STATUS_NAME_)
#undef CCLP_STATUS_NAME_
    return 0;
}

/** What one of the module's codes means, or null for any other code. */
static inline const char* cclp_statusMeaning(int32_t status) {
    if (status == CCLP_STATUS_OK) return "success";
#define CCLP_STATUS_MEANING_(name, bits, meaning) \
    if (status == CCLP_STATUS_FROM_BITS(bits)) return meaning;
    CCLP_STATUS_TABLE(CCLP_STATUS_MEANING_)
#undef CCLP_STATUS_MEANING_
    return 0;
}

#endif
