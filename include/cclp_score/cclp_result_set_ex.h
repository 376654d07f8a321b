/** @file
 * The extended caliper result set: a caliper result set whose edges carry
 * three extra values, and its conversions to and from the caliper's form. */
#ifndef CCLP_RESULT_SET_EX_H
#define CCLP_RESULT_SET_EX_H

#include <stdint.h>

#include "cclp_caliper.h"
#include "cclp_export.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

/** An edge with three extra values (cclp_edge has none). */
typedef struct cclp_edgeEx {
    double position; /**< from the caliper's centre along the search direction */
    double contrast; /**< signed: its sign is the edge's polarity */
    double extra1;   /**< first extra value (scored by extra1Diff) */
    double extra2;   /**< second extra value (scored by extraMax) */
    double extra3;   /**< third extra value (scored by extraMax) */
} cclp_edgeEx;

/** cclp_edgeEx in units of 1/256. */
typedef struct cclp_edgeFixedEx {
    int32_t position; /**< cclp_edgeEx::position */
    int32_t contrast; /**< cclp_edgeEx::contrast */
    int32_t extra1;   /**< cclp_edgeEx::extra1 */
    int32_t extra2;   /**< cclp_edgeEx::extra2 */
    int32_t extra3;   /**< cclp_edgeEx::extra3 */
} cclp_edgeFixedEx;

/** The caliper result set (cclp_resultSet) with extended edges; 216 bytes.
 * The fields after edgesFixed are the caliper's, carried through unchanged. */
typedef struct cclp_resultSetEx {
    int32_t numEdges;              /**< edges in each valid format */
    uint32_t formats;              /**< CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED: the valid arrays */
    cclp_edgeEx* edges;            /**< numEdges, owned (allocated through the runtime) */
    cclp_edgeFixedEx* edgesFixed;  /**< numEdges in 1/256 units, owned */
    void* reserved0;               /**< reserved */
    void* reserved1;               /**< reserved */
    uint32_t projectionScaling;    /**< nonzero: the projection follows projectionScale */
    cimg_image32 projectionImage;  /**< the caliper's projection */
    uint32_t projectionScale;      /**< the projection's scale */
    uint32_t auxValue;             /**< the caliper's auxiliary value */
    cimg_imageD doubleImage;       /**< the caliper's double-precision image */
    cmath_vect vect0;              /**< the caliper's first vector */
    cmath_vect vect1;              /**< the caliper's second vector */
} cclp_resultSetEx;

/** An empty set. */
CCLP_API int32_t cclp_resultSetEx_construct(cclp_resultSetEx* set);
/** Constructs set as a copy of source. */
CCLP_API int32_t cclp_resultSetEx_constructCopy(cclp_resultSetEx* set, const cclp_resultSetEx* source);
/** Makes the constructed set a copy of source. */
CCLP_API int32_t cclp_resultSetEx_assign(cclp_resultSetEx* set, const cclp_resultSetEx* source);
/** Empties set, freeing what it owns. */
CCLP_API int32_t cclp_resultSetEx_reset(cclp_resultSetEx* set);
/** Frees what set owns. */
CCLP_API int32_t cclp_resultSetEx_destruct(cclp_resultSetEx* set);
/** Plain to extended: set becomes source with extras 0. */
CCLP_API int32_t cclp_resultSetEx_assignToEx(cclp_resultSetEx* set, const cclp_resultSet* source);
/** Extended to plain: set becomes source without its extras. */
CCLP_API int32_t cclp_resultSetEx_assignFromEx(cclp_resultSet* set, const cclp_resultSetEx* source);

CCLP_EXTERN_C_END

#endif
