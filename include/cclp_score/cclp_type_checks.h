/** @file
 * Type checks: functions that do nothing at run time. Calls of them, placed
 * where an object and its destruct function are registered on a cleanup
 * frame, let the compiler check that the two belong to the same type. */
#ifndef CCLP_TYPE_CHECKS_H
#define CCLP_TYPE_CHECKS_H

#include <stdint.h>

#include "cclp_export.h"
#include "cclp_result_set_ex.h"
#include "cclp_results.h"
#include "cclp_score_params.h"
#include "cclp_vectors.h"

CCLP_EXTERN_C_BEGIN

/** X(T): the types that have type checks. */
#define CSYS_TYPE_CHECK_TYPES(X)                                                                  \
    X(cclp_scoreParams) X(cclp_scoreOneResult) X(cclp_scoreOneResultEx) X(cclp_scoreResultSet)    \
    X(cclp_scoreResultSetEx) X(cclp_resultSetEx) X(cstd_vector_cclp_score)                        \
    X(cstd_vector_cclp_scoreParams) X(cstd_vector_cclp_scoreResultSet)                            \
    X(cstd_vector_cclp_resultSetEx) X(cstd_vector_cclp_scoreShareable)                            \
    X(cstd_vector_cclp_scoreParamsShareable) X(cstd_vector_cclp_scoreResultSetShareable)          \
    X(cstd_vector_cclp_resultSetExShareable)

/* For type T:
 *   csys_typeCheck_T              an object of T
 *   csys_typeCheckPtr_T           a pointer variable that holds a T
 *   csys_typeCheckFunc_T          T's destruct (or any operation on a T)
 *   csys_typeCheckFuncPtr_T       T's delete (an operation on a T pointer variable)
 *   csys_typeCheckFuncStatus_T    T's assign or constructCopy
 *   csys_typeCheckFuncStatusPtr_T T's newClone
 *   csys_typeCheck_T_T__unused__  calls the six once each; nothing calls it */
#define CSYS_TYPE_CHECK_DECLARE_(T)                                                    \
    CCLP_API void csys_typeCheck_##T(const T* object);                                 \
    CCLP_API void csys_typeCheckPtr_##T(T* const* pointer);                            \
    CCLP_API void csys_typeCheckFunc_##T(int32_t (*function)(T*));                     \
    CCLP_API void csys_typeCheckFuncPtr_##T(int32_t (*function)(T**));                 \
    CCLP_API void csys_typeCheckFuncStatus_##T(int32_t (*function)(T*, const T*));     \
    CCLP_API void csys_typeCheckFuncStatusPtr_##T(int32_t (*function)(T**, const T*)); \
    CCLP_API void csys_typeCheck_##T##_##T##__unused__(void);

CSYS_TYPE_CHECK_TYPES(CSYS_TYPE_CHECK_DECLARE_)
#undef CSYS_TYPE_CHECK_DECLARE_

CCLP_EXTERN_C_END

#endif
