/* The records that cross the library boundary have fixed layouts that
 * callers and stored data rely on. They are listed once, here, and checked at
 * compile time by every compiler that builds against the headers: the module
 * itself (C++), the C interface test (C99) and the consumer built for the
 * MSVC ABI. Any difference fails that build.
 *
 *   #include "record_layouts.h"
 *   CCLP_CHECK_RECORD_LAYOUTS()
 *
 * at file scope, after the public headers. */
#ifndef CCLP_RECORD_LAYOUTS_H
#define CCLP_RECORD_LAYOUTS_H

#include <stddef.h>

/* SIZE(type, bytes) and OFFSET(type, field, bytes) for every checked fact. */
#define CCLP_RECORD_LAYOUTS(SIZE, OFFSET)                  \
    SIZE(cclp_scoreOneSided, 72)                           \
    SIZE(cclp_scoreOneSidedFixed, 36)                      \
    OFFSET(cclp_scoreOneSided, rampInvSpan, 64)            \
    SIZE(cclp_scoreTwoSided, 144)                          \
    SIZE(cclp_scoreTwoSidedFixed, 72)                      \
                                                           \
    SIZE(cclp_score, 232)                                  \
    OFFSET(cclp_score, oneSided, 8)                        \
    OFFSET(cclp_score, twoSided, 80)                       \
    OFFSET(cclp_score, method, 224)                        \
    SIZE(cclp_scoreFixed, 116)                             \
    OFFSET(cclp_scoreFixed, oneSided, 4)                   \
    OFFSET(cclp_scoreFixed, twoSided, 40)                  \
    OFFSET(cclp_scoreFixed, method, 112)                   \
                                                           \
    SIZE(cclp_desiredEdge, 16)                             \
    SIZE(cclp_scoreParams, 40)                             \
    OFFSET(cclp_scoreParams, desiredEdges, 8)              \
    OFFSET(cclp_scoreParams, maxNumResults, 16)            \
    OFFSET(cclp_scoreParams, numScoreMethods, 20)          \
    OFFSET(cclp_scoreParams, scoreMethods, 24)             \
    OFFSET(cclp_scoreParams, scoreMethodsFixed, 32)        \
                                                           \
    SIZE(cclp_edge, 16)                                    \
    SIZE(cclp_edgeFixed, 8)                                \
    SIZE(cclp_edgeEx, 40)                                  \
    SIZE(cclp_edgeFixedEx, 20)                             \
                                                           \
    SIZE(cimg_image32, 64)                                 \
    SIZE(cimg_imageD, 64)                                  \
                                                           \
    SIZE(cclp_resultSet, 216)                              \
    OFFSET(cclp_resultSet, numEdges, 0)                    \
    OFFSET(cclp_resultSet, formats, 4)                     \
    OFFSET(cclp_resultSet, edges, 8)                       \
    OFFSET(cclp_resultSet, edgesFixed, 16)                 \
    OFFSET(cclp_resultSet, projectionScale, 40)            \
    OFFSET(cclp_resultSet, projectionScaling, 44)          \
    OFFSET(cclp_resultSet, projectionImage, 48)            \
    OFFSET(cclp_resultSet, auxValue, 112)                  \
    OFFSET(cclp_resultSet, doubleImage, 120)               \
    OFFSET(cclp_resultSet, vect0, 184)                     \
    OFFSET(cclp_resultSet, vect1, 200)                     \
                                                           \
    SIZE(cclp_resultSetEx, 216)                            \
    OFFSET(cclp_resultSetEx, edges, 8)                     \
    OFFSET(cclp_resultSetEx, edgesFixed, 16)               \
    OFFSET(cclp_resultSetEx, projectionScaling, 40)        \
    OFFSET(cclp_resultSetEx, projectionImage, 48)          \
    OFFSET(cclp_resultSetEx, projectionScale, 112)         \
    OFFSET(cclp_resultSetEx, auxValue, 116)                \
    OFFSET(cclp_resultSetEx, doubleImage, 120)             \
    OFFSET(cclp_resultSetEx, vect0, 184)                   \
    OFFSET(cclp_resultSetEx, vect1, 200)                   \
                                                           \
    SIZE(cclp_scoreOneResult, 80)                          \
    OFFSET(cclp_scoreOneResult, position, 16)              \
    OFFSET(cclp_scoreOneResult, positionFixed, 24)         \
    OFFSET(cclp_scoreOneResult, score, 32)                 \
    OFFSET(cclp_scoreOneResult, scoreFixed, 40)            \
    OFFSET(cclp_scoreOneResult, scores, 48)                \
    OFFSET(cclp_scoreOneResult, scoresFixed, 56)           \
    OFFSET(cclp_scoreOneResult, edges, 64)                 \
    OFFSET(cclp_scoreOneResult, edgesFixed, 72)            \
    SIZE(cclp_scoreOneResultEx, 80)                        \
    OFFSET(cclp_scoreOneResultEx, edgesFixed, 72)          \
    SIZE(cclp_scoreResultSet, 16)                          \
    SIZE(cclp_scoreResultSetEx, 16)

/* C++ has static_assert; C99 has not, so there an array of negative size
 * named after the record (and field) stops the compiler. */
#ifdef __cplusplus
#  define CCLP_CHECK_RECORD_SIZE_(type, size) static_assert(sizeof(type) == (size), #type " size");
#  define CCLP_CHECK_RECORD_OFFSET_(type, field, offset) \
      static_assert(offsetof(type, field) == (offset), #type "." #field " offset");
#else
#  define CCLP_CHECK_RECORD_SIZE_(type, size) \
      typedef char cclp_size_of_##type[sizeof(type) == (size) ? 1 : -1];
#  define CCLP_CHECK_RECORD_OFFSET_(type, field, offset) \
      typedef char cclp_offset_of_##type##_##field[offsetof(type, field) == (offset) ? 1 : -1];
#endif

#define CCLP_CHECK_RECORD_LAYOUTS() \
    CCLP_RECORD_LAYOUTS(CCLP_CHECK_RECORD_SIZE_, CCLP_CHECK_RECORD_OFFSET_)

/* How many facts the list holds, for a program that reports what it checked. */
#define CCLP_COUNT_RECORD_SIZE_(type, size) +1
#define CCLP_COUNT_RECORD_OFFSET_(type, field, offset) +1
#define CCLP_RECORD_LAYOUT_COUNT \
    (0 CCLP_RECORD_LAYOUTS(CCLP_COUNT_RECORD_SIZE_, CCLP_COUNT_RECORD_OFFSET_))

#endif
