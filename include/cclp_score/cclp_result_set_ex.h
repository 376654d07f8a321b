/* The extended caliper result set: a caliper result set whose edges carry
 * three extra values, and its conversions to and from the caliper's form. */
#ifndef CCLP_RESULT_SET_EX_H
#define CCLP_RESULT_SET_EX_H

#include <stdint.h>

#include "cclp_caliper.h"
#include "cclp_export.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

typedef struct cclp_edgeEx {
    double position;
    double contrast;
    double extra1;
    double extra2;
    double extra3;
} cclp_edgeEx;

typedef struct cclp_edgeFixedEx {
    int32_t position;
    int32_t contrast;
    int32_t extra1;
    int32_t extra2;
    int32_t extra3;
} cclp_edgeFixedEx;

/* 216 bytes. */
typedef struct cclp_resultSetEx {
    int32_t numEdges;
    uint32_t formats; /* CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED */
    cclp_edgeEx* edges;
    cclp_edgeFixedEx* edgesFixed;
    void* reserved0;
    void* reserved1;
    uint32_t projectionScaling;
    cimg_image32 projectionImage;
    uint32_t projectionScale;
    uint32_t auxValue;
    cimg_imageD doubleImage;
    cmath_vect vect0;
    cmath_vect vect1;
} cclp_resultSetEx;

CCLP_API int32_t cclp_resultSetEx_construct(cclp_resultSetEx* set);
CCLP_API int32_t cclp_resultSetEx_constructCopy(cclp_resultSetEx* set, const cclp_resultSetEx* source);
CCLP_API int32_t cclp_resultSetEx_assign(cclp_resultSetEx* set, const cclp_resultSetEx* source);
CCLP_API int32_t cclp_resultSetEx_reset(cclp_resultSetEx* set);
CCLP_API int32_t cclp_resultSetEx_destruct(cclp_resultSetEx* set);
CCLP_API int32_t cclp_resultSetEx_assignToEx(cclp_resultSetEx* set, const cclp_resultSet* source);
CCLP_API int32_t cclp_resultSetEx_assignFromEx(cclp_resultSet* set, const cclp_resultSetEx* source);

CCLP_EXTERN_C_END

#endif
