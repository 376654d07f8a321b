/* Caliper library (stand-in): the caliper result set and its edge records,
 * laid out exactly as the caliper library lays them out. */
#ifndef CCLP_CALIPER_H
#define CCLP_CALIPER_H

#include <stdint.h>

#include "platform_export.h"
#include "cimg_image.h"
#include "cmath_lib.h"
#include "cstd_vector.h"
#include "csys_runtime.h"

#if defined(CCLP_CALIPER_BUILDING)
#  define CCLP_CALIPER_API PLATFORM_EXPORT
#else
#  define CCLP_CALIPER_API PLATFORM_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* formats bits of caliper result sets and scored results. */
#define CCLP_FORMAT_DOUBLE 1u /* floating-point edges and fields valid */
#define CCLP_FORMAT_FIXED 2u  /* fixed-point (1/256) edges and fields valid */

typedef struct cclp_edge {
    double position; /* signed, from the caliper's centre */
    double contrast; /* signed; the sign is the polarity */
} cclp_edge;

typedef struct cclp_edgeFixed {
    int32_t position; /* 1/256 units */
    int32_t contrast;
} cclp_edgeFixed;

/* 216 bytes. */
typedef struct cclp_resultSet {
    int32_t numEdges;
    uint32_t formats;
    cclp_edge* edges;
    cclp_edgeFixed* edgesFixed;
    void* reserved0;
    void* reserved1;
    uint32_t projectionScale;   /* 0 and 1 both mean unscaled */
    uint32_t projectionScaling; /* nonzero: the projection follows projectionScale */
    cimg_image32 projectionImage;
    uint32_t auxValue;
    uint32_t reserved2;
    cimg_imageD doubleImage;
    cmath_vect vect0;
    cmath_vect vect1;
} cclp_resultSet;

/* Makes an empty result set: no edges, unbound images, zero vectors. On
 * failure nothing is left to destroy. */
CCLP_CALIPER_API int32_t cclp_resultSet_construct(cclp_resultSet* set);
/* Releases both edge arrays (held through the runtime's memory functions)
 * and destroys both images. */
CCLP_CALIPER_API int32_t cclp_resultSet_destruct(cclp_resultSet* set);

/* The first result set of a vector of them and their number. The vector's
 * elements must be cclp_resultSet records. */
CCLP_CALIPER_API int32_t cstd_vector_cclp_resultSet_getBeginSizeConst(const cstd_vector* vector,
                                                                      const cclp_resultSet** begin,
                                                                      int32_t* size);

#ifdef __cplusplus
}
#endif

#endif
