/** @file
 * Status codes of the geometry tools. 0 is success, every failure negative.
 * The edge finder's codes (a caliper's length, the image, the edge search
 * settings), the scoring module's (the score parameters) and the runtime's
 * pass through unchanged. */
#ifndef CGEOM_STATUS_H
#define CGEOM_STATUS_H

#include <stdint.h>

#include "cedge/cedge_status.h"

/** X(name, bits, meaning): the single table of the geometry tools' own codes.
 * Each row makes the constant name of enum cgeom_statusCode, which
 * cgeom_statusName() names and cgeom_statusMeaning() explains by meaning. */
#define CGEOM_STATUS_TABLE(X)                                                                     \
    X(CGEOM_STATUS_SEGMENT_NOT_VALID, 0x80001001u, "segment end points not finite")                \
    X(CGEOM_STATUS_SEGMENT_TOO_SHORT, 0x80001002u, "segment shorter than 1 pixel")                 \
    X(CGEOM_STATUS_CENTER_NOT_VALID, 0x80001003u, "circle centre not finite")                      \
    X(CGEOM_STATUS_RADIUS_NOT_VALID, 0x80001004u, "circle radius not finite or below 1 pixel")     \
    X(CGEOM_STATUS_ARC_NOT_VALID, 0x80001005u,                                                     \
      "arc start not finite, or sweep not finite, 0 or beyond 360 degrees either way")             \
    X(CGEOM_STATUS_CALIPER_COUNT_NOT_VALID, 0x80001006u,                                           \
      "caliper count negative or above 4096, or spacing not finite or not positive")               \
    X(CGEOM_STATUS_FIT_SETTINGS_NOT_VALID, 0x80001007u,                                            \
      "fit weight unknown, inlier distance not finite or not positive, or iterations not 1-100")   \
    X(CGEOM_STATUS_SEARCH_NOT_VALID, 0x80001008u, "unknown search flags")                          \
    X(CGEOM_STATUS_CAPACITY_TOO_SMALL, 0x80001009u, "caliper results array smaller than the count") \
    X(CGEOM_STATUS_TOO_FEW_POINTS, 0x8000100Au,                                                    \
      "too few calipers found a point, or too few points agree, for a fit")                        \
    X(CGEOM_STATUS_POINTS_COINCIDENT, 0x8000100Bu, "the points of a line fit all coincide")        \
    X(CGEOM_STATUS_POINTS_COLLINEAR, 0x8000100Cu, "the points of a circle fit lie on a line")      \
    X(CGEOM_STATUS_FIT_NOT_FINITE, 0x8000100Du,                                                    \
      "the fit gave numbers that are not finite, or a circle without a positive radius")

/** Success. */
#define CGEOM_STATUS_OK 0
#define CGEOM_STATUS_DEFINE_(name, bits, meaning) name = CSYS_STATUS_FROM_BITS(bits),
/** The geometry tools' own status codes, one per row of CGEOM_STATUS_TABLE.
 * Enumerators are int; every code fits, and they stay constant expressions. */
enum cgeom_statusCode { CGEOM_STATUS_TABLE(CGEOM_STATUS_DEFINE_) CGEOM_STATUS_END_ = 0 };
#undef CGEOM_STATUS_DEFINE_

/** The name of a geometry, edge finder or runtime code ("CGEOM_STATUS_OK" for
 * 0), or null for any other code (the scoring module's: cclp_anyStatusName). */
static inline const char* cgeom_statusName(int32_t status) {
    if (status == CGEOM_STATUS_OK) return "CGEOM_STATUS_OK";
#define CGEOM_STATUS_NAME_(name, bits, meaning) \
    if (status == (name)) return #name;
    CGEOM_STATUS_TABLE(CGEOM_STATUS_NAME_)
#undef CGEOM_STATUS_NAME_
    return cedge_statusName(status);
}

/** What a geometry, edge finder or runtime code means, or null. */
static inline const char* cgeom_statusMeaning(int32_t status) {
    if (status == CGEOM_STATUS_OK) return "success";
#define CGEOM_STATUS_MEANING_(name, bits, meaning) \
    if (status == (name)) return meaning;
    CGEOM_STATUS_TABLE(CGEOM_STATUS_MEANING_)
#undef CGEOM_STATUS_MEANING_
    return cedge_statusMeaning(status);
}

#endif
