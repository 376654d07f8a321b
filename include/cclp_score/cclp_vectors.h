/** @file
 * Typed vectors of score methods, score parameters, scored result sets and
 * extended caliper result sets, their shareable forms, and the conversion of
 * a whole vector of caliper result sets to the extended form.
 *
 * Each family is a thin layer over the runtime's generic vector
 * (cstd_vector.h): it fixes the element size and the element operations of
 * its record, so that elements are constructed, copied, assigned and
 * destructed with the record's own operations (a cclp_score is built by
 * cclp_score_init and otherwise handled as plain bytes). Storage, growth,
 * failure guarantees and the meaning of indices, counts and element blocks
 * (first, last) are the generic vector's. Every member returns a status.
 *
 * For a family F of element type cclp_F the members are named
 * cstd_vector_cclp_F_<member> and take a cstd_vector_cclp_F first; the
 * shareable members are named cstd_vector_cclp_FShareable_<member>. The
 * member tables below declare them all. */
#ifndef CCLP_VECTORS_H
#define CCLP_VECTORS_H

#include <stdint.h>

#include "cclp_caliper.h"
#include "cclp_export.h"
#include "cclp_result_set_ex.h"
#include "cclp_results.h"
#include "cclp_score_method.h"
#include "cclp_score_params.h"
#include "cclp_status.h"
#include "cstd_vector.h"

CCLP_EXTERN_C_BEGIN

/* Typed vectors: the runtime's vector record, one type per element type. */
/** A vector of cclp_score. */
typedef struct cstd_vector_cclp_score {
    cstd_vector base; /**< the runtime's vector */
} cstd_vector_cclp_score;
/** A vector of cclp_scoreParams. */
typedef struct cstd_vector_cclp_scoreParams {
    cstd_vector base; /**< the runtime's vector */
} cstd_vector_cclp_scoreParams;
/** A vector of cclp_scoreResultSet. */
typedef struct cstd_vector_cclp_scoreResultSet {
    cstd_vector base; /**< the runtime's vector */
} cstd_vector_cclp_scoreResultSet;
/** A vector of cclp_resultSetEx. */
typedef struct cstd_vector_cclp_resultSetEx {
    cstd_vector base; /**< the runtime's vector */
} cstd_vector_cclp_resultSetEx;

/* Shareable vectors: the runtime's shareable record, one type per element
 * type; each answers queries for its type name (CSTD_VECTOR_CCLP_TYPENAME). */
/** A shareable vector of cclp_score. */
typedef struct cstd_vector_cclp_scoreShareable {
    cstd_vectorShareable base; /**< the runtime's shareable vector */
} cstd_vector_cclp_scoreShareable;
/** A shareable vector of cclp_scoreParams. */
typedef struct cstd_vector_cclp_scoreParamsShareable {
    cstd_vectorShareable base; /**< the runtime's shareable vector */
} cstd_vector_cclp_scoreParamsShareable;
/** A shareable vector of cclp_scoreResultSet. */
typedef struct cstd_vector_cclp_scoreResultSetShareable {
    cstd_vectorShareable base; /**< the runtime's shareable vector */
} cstd_vector_cclp_scoreResultSetShareable;
/** A shareable vector of cclp_resultSetEx. */
typedef struct cstd_vector_cclp_resultSetExShareable {
    cstd_vectorShareable base; /**< the runtime's shareable vector */
} cstd_vector_cclp_resultSetExShareable;

/** The type name of family F's shareable vector: "cstd_vector_cclp_FShareable". */
#define CSTD_VECTOR_CCLP_TYPENAME(family) "cstd_vector_cclp_" #family "Shareable"

/** X(family): the four families. */
#define CSTD_VECTOR_CCLP_FAMILIES(X) X(score) X(scoreParams) X(scoreResultSet) X(resultSetEx)

/** The typed members, X(family, member, parameters, arguments, zeros) with V
 * the vector type and E the element type. Besides these, each family has
 *   new(V** vector)      deletes what *vector holds, then stores a new empty
 *                        vector in it (null on failure);
 *   delete(V** vector)   destructs and frees the vector *vector holds and
 *                        nulls it; a null *vector is left alone;
 *   __unused__(void)     calls every member once with null arguments, so
 *                        that all are referenced; nothing calls it.
 * getSize and getSize32 give 32-bit counts, getSizeIntPtr pointer-width
 * ones; the same for the getBeginSize members. constructUninit and
 * resizeUninit leave new elements as zero bytes, to be constructed by the
 * caller. newClone with a null source acts as delete; otherwise it is new
 * followed by assign, and a failed assign deletes the new vector again. */
#define CSTD_VECTOR_CCLP_TYPED_MEMBERS(X, family, V, E)                                          \
    X(family, construct, (V* vector, intptr_t count), (vector, count), (0, 0))                 \
    X(family, constructWithMtable,                                                               \
      (V* vector, intptr_t count, const cstd_vectorMemoryOps* memoryTable),                     \
      (vector, count, memoryTable), (0, 0, 0))                                                   \
    X(family, constructEmpty, (V* vector), (vector), (0))                                       \
    X(family, constructEmptyWithMtable, (V* vector, const cstd_vectorMemoryOps* memoryTable),   \
      (vector, memoryTable), (0, 0))                                                             \
    X(family, constructUninit, (V* vector, intptr_t count), (vector, count), (0, 0))           \
    X(family, constructFill, (V* vector, intptr_t count, const E* fill), (vector, count, fill), \
      (0, 0, 0))                                                                                 \
    X(family, constructFromBlock, (V* vector, const E* first, const E* last),                   \
      (vector, first, last), (0, 0, 0))                                                          \
    X(family, constructCopy, (V* vector, const V* source), (vector, source), (0, 0))           \
    X(family, assign, (V* vector, const V* source), (vector, source), (0, 0))                  \
    X(family, assignElements, (V* vector, const E* first, const E* last), (vector, first, last), \
      (0, 0, 0))                                                                                 \
    X(family, destruct, (V* vector), (vector), (0))                                             \
    X(family, resize, (V* vector, intptr_t count), (vector, count), (0, 0))                    \
    X(family, resizeUninit, (V* vector, intptr_t count), (vector, count), (0, 0))              \
    X(family, reserve, (V* vector, intptr_t count), (vector, count), (0, 0))                   \
    X(family, resizeFill, (V* vector, intptr_t count, const E* fill), (vector, count, fill),    \
      (0, 0, 0))                                                                                 \
    X(family, getSize, (const V* vector, int32_t* size), (vector, size), (0, 0))                \
    X(family, getSize32, (const V* vector, int32_t* size), (vector, size), (0, 0))              \
    X(family, getSizeIntPtr, (const V* vector, intptr_t* size), (vector, size), (0, 0))         \
    X(family, getCapacity, (const V* vector, intptr_t* capacity), (vector, capacity), (0, 0))   \
    X(family, getElementSize, (const V* vector, intptr_t* elementSize), (vector, elementSize),   \
      (0, 0))                                                                                    \
    X(family, getBegin, (V* vector, E** begin), (vector, begin), (0, 0))                        \
    X(family, getBeginConst, (const V* vector, const E** begin), (vector, begin), (0, 0))       \
    X(family, getBeginEnd, (V* vector, E** begin, E** end), (vector, begin, end), (0, 0, 0))    \
    X(family, getBeginEndConst, (const V* vector, const E** begin, const E** end),               \
      (vector, begin, end), (0, 0, 0))                                                           \
    X(family, getBeginSize, (V* vector, E** begin, int32_t* size), (vector, begin, size),       \
      (0, 0, 0))                                                                                 \
    X(family, getBeginSize32, (V* vector, E** begin, int32_t* size), (vector, begin, size),     \
      (0, 0, 0))                                                                                 \
    X(family, getBeginSizeIntPtr, (V* vector, E** begin, intptr_t* size), (vector, begin, size), \
      (0, 0, 0))                                                                                 \
    X(family, getBeginSizeConst, (const V* vector, const E** begin, int32_t* size),              \
      (vector, begin, size), (0, 0, 0))                                                          \
    X(family, getBeginSize32Const, (const V* vector, const E** begin, int32_t* size),            \
      (vector, begin, size), (0, 0, 0))                                                          \
    X(family, getBeginSizeIntPtrConst, (const V* vector, const E** begin, intptr_t* size),       \
      (vector, begin, size), (0, 0, 0))                                                          \
    X(family, getElement, (V* vector, intptr_t index, E** element), (vector, index, element),   \
      (0, 0, 0))                                                                                 \
    X(family, getElementConst, (const V* vector, intptr_t index, const E** element),             \
      (vector, index, element), (0, 0, 0))                                                       \
    X(family, getNextElement, (V* vector, const E* element, E** next), (vector, element, next), \
      (0, 0, 0))                                                                                 \
    X(family, getNextElementConst, (const V* vector, const E* element, const E** next),          \
      (vector, element, next), (0, 0, 0))                                                        \
    X(family, insert, (V* vector, intptr_t index, const E* first, const E* last),               \
      (vector, index, first, last), (0, 0, 0, 0))                                                \
    X(family, insertElement, (V* vector, intptr_t index, const E* element),                     \
      (vector, index, element), (0, 0, 0))                                                       \
    X(family, erase, (V* vector, intptr_t index, intptr_t count), (vector, index, count),       \
      (0, 0, 0))                                                                                 \
    X(family, eraseElement, (V* vector, intptr_t index), (vector, index), (0, 0))              \
    X(family, pushBack, (V* vector, const E* element), (vector, element), (0, 0))              \
    X(family, append, (V* vector, const V* source), (vector, source), (0, 0))                  \
    X(family, swap, (V* vector, V* other), (vector, other), (0, 0))                             \
    X(family, popBack, (V* vector), (vector), (0))                                              \
    X(family, clear, (V* vector), (vector), (0))                                                \
    X(family, clearAndFreeMemory, (V* vector), (vector), (0))                                   \
    X(family, newClone, (V** vector, const V* source), (vector, source), (0, 0))

/** The shareable members, X(family, member, parameters, arguments) with S the
 * shareable type, V the typed vector and E the element type. Besides these,
 * each family has new(S**) and delete(S**), as for the typed vectors.
 *   constructEmpty, construct   build the shareable vector from a typed
 *                               vector built by constructEmpty or construct;
 *   constructVector             from a copy of the given typed vector;
 *   getSize, getBeginSize...    32-bit counts;
 *   queryInterfaceByTypename    the shareable vector itself for the family's
 *                               type name (compared byte for byte), the
 *                               runtime's answer for any other name;
 *   queryInterfaceByTypename_   the same, with the runtime's final answer;
 *                               the member the family's method table holds;
 *   queryInterfaceByTypenameFinal  calls queryInterfaceByTypename_;
 *   getTypename                 the family's type name. */
#define CSTD_VECTOR_CCLP_SHAREABLE_MEMBERS(X, family, S, V, E)                                   \
    X(family, constructEmpty, (S* shareable), (shareable))                                      \
    X(family, construct, (S* shareable, intptr_t count), (shareable, count))                    \
    X(family, constructVector, (S* shareable, const V* vector), (shareable, vector))            \
    X(family, constructCopy, (S* shareable, const S* source), (shareable, source))              \
    X(family, assign, (S* shareable, const S* source), (shareable, source))                     \
    X(family, assignVector, (S* shareable, const V* vector), (shareable, vector))               \
    X(family, assignElements, (S* shareable, const E* first, const E* last),                    \
      (shareable, first, last))                                                                  \
    X(family, destruct, (S* shareable), (shareable))                                            \
    X(family, reset, (S* shareable), (shareable))                                               \
    X(family, resize, (S* shareable, intptr_t count), (shareable, count))                       \
    X(family, reserve, (S* shareable, intptr_t count), (shareable, count))                      \
    X(family, getSize, (const S* shareable, int32_t* size), (shareable, size))                   \
    X(family, getCapacity, (const S* shareable, intptr_t* capacity), (shareable, capacity))      \
    X(family, getElementSize, (const S* shareable, intptr_t* elementSize),                       \
      (shareable, elementSize))                                                                  \
    X(family, getBeginEnd, (S* shareable, E** begin, E** end), (shareable, begin, end))         \
    X(family, getBeginEndConst, (const S* shareable, const E** begin, const E** end),            \
      (shareable, begin, end))                                                                   \
    X(family, getBeginSize, (S* shareable, E** begin, int32_t* size), (shareable, begin, size)) \
    X(family, getBeginSizeConst, (const S* shareable, const E** begin, int32_t* size),           \
      (shareable, begin, size))                                                                  \
    X(family, pushBack, (S* shareable, const E* element), (shareable, element))                 \
    X(family, queryInterfaceByTypename, (S* shareable, const char* name, void** object),        \
      (shareable, name, object))                                                                 \
    X(family, queryInterfaceByTypename_, (S* shareable, const char* name, void** object),       \
      (shareable, name, object))                                                                 \
    X(family, queryInterfaceByTypenameFinal, (S* shareable, const char* name, void** object),   \
      (shareable, name, object))                                                                 \
    X(family, getTypename, (const S* shareable, const char** name), (shareable, name))           \
    X(family, newClone, (S** shareable, const S* source), (shareable, source))

#define CSTD_VECTOR_CCLP_DECLARE_TYPED_(family, member, parameters, arguments, zeros) \
    CCLP_API int32_t cstd_vector_cclp_##family##_##member parameters;
#define CSTD_VECTOR_CCLP_DECLARE_SHAREABLE_(family, member, parameters, arguments) \
    CCLP_API int32_t cstd_vector_cclp_##family##Shareable_##member parameters;
#define CSTD_VECTOR_CCLP_DECLARE_FAMILY_(family)                                                 \
    CSTD_VECTOR_CCLP_TYPED_MEMBERS(CSTD_VECTOR_CCLP_DECLARE_TYPED_, family,                       \
                                   cstd_vector_cclp_##family, cclp_##family)                      \
    CCLP_API int32_t cstd_vector_cclp_##family##_new(cstd_vector_cclp_##family** vector);         \
    CCLP_API int32_t cstd_vector_cclp_##family##_delete(cstd_vector_cclp_##family** vector);      \
    CCLP_API void cstd_vector_cclp_##family##___unused__(void);                                  \
    CSTD_VECTOR_CCLP_SHAREABLE_MEMBERS(CSTD_VECTOR_CCLP_DECLARE_SHAREABLE_, family,               \
                                       cstd_vector_cclp_##family##Shareable,                      \
                                       cstd_vector_cclp_##family, cclp_##family)                  \
    CCLP_API int32_t cstd_vector_cclp_##family##Shareable_new(                                   \
        cstd_vector_cclp_##family##Shareable** shareable);                                        \
    CCLP_API int32_t cstd_vector_cclp_##family##Shareable_delete(                                \
        cstd_vector_cclp_##family##Shareable** shareable);

CSTD_VECTOR_CCLP_FAMILIES(CSTD_VECTOR_CCLP_DECLARE_FAMILY_)
#undef CSTD_VECTOR_CCLP_DECLARE_FAMILY_
#undef CSTD_VECTOR_CCLP_DECLARE_SHAREABLE_
#undef CSTD_VECTOR_CCLP_DECLARE_TYPED_

/** Makes vector the extended forms of the caliper library's vector of
 * cclp_resultSet, all at one projection scale: the largest projectionScale
 * of the sources (compared as signed 32-bit values, at least 0). A source
 * whose projection follows its scale (projectionScaling nonzero) at another
 * scale has its projection's first row multiplied by that scale. The vector
 * is resized to the source's count first; a failed element conversion leaves
 * the elements before it converted and the vector destructible. */
CCLP_API int32_t cstd_vector_cclp_resultSetEx_assignToEx(cstd_vector_cclp_resultSetEx* vector,
                                                         const cstd_vector* source);

CCLP_EXTERN_C_END

#endif
