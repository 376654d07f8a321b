/* Generic vector base of the system runtime library (stand-in): a
 * contiguous, growable array of elements of one size, whose elements are
 * constructed, copied, assigned and destructed through an element-operation
 * table. Typed vector families are thin layers over it. */
#ifndef CSTD_VECTOR_H
#define CSTD_VECTOR_H

#include <stddef.h>
#include <stdint.h>

#include "csys_runtime.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The end mark that closes every element-operation table. */
#define CSTD_VECTOR_TABLE_END_MARK 0xFFFFFFFFull

/* Element operations. A null copyConstruct, assign or destruct means the
 * elements are plain bytes: copied with memcpy, dropped without a call. */
typedef struct cstd_vectorElementOps {
    int32_t (*construct)(void* element, void* context);
    int32_t (*copyConstruct)(void* destination, const void* source);
    int32_t (*assign)(void* destination, const void* source);
    int32_t (*destruct)(void* element);
    uint64_t endMark; /* CSTD_VECTOR_TABLE_END_MARK */
} cstd_vectorElementOps;

/* The vector record. Callers treat it as opaque and use the functions. */
typedef struct cstd_vector {
    void* begin;
    intptr_t size;
    intptr_t capacity;
    intptr_t elementSize;
    const cstd_vectorElementOps* elementOps;
    const void* memoryTable;
} cstd_vector;

#ifdef __cplusplus
}
#endif

#endif
