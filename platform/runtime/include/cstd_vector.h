/* Generic vector base of the system runtime library (stand-in): a
 * contiguous, growable array of elements of one size, whose elements are
 * constructed, copied, assigned and destructed through an element-operation
 * table. Typed vector families are thin layers over it.
 *
 * Conventions of every function below:
 * - Counts, sizes and indices are pointer-width signed values (intptr_t);
 *   the ...32 getters give 32-bit counts and fail with CSYS_STATUS_OVERFLOW
 *   when the count does not fit.
 * - A null vector or output pointer is reported with cstd_assert_ and
 *   returns CSYS_STATUS_NULL_ARGUMENT; outputs are set to null or 0 on every
 *   failure. A negative count, an index outside the vector, a block that is
 *   not a whole number of elements, or vectors of different element types
 *   return CSYS_STATUS_INVALID_ARGUMENT.
 * - A block of elements is given by two pointers (first, last): the first
 *   element and one past the last, as getBeginEnd reports them. Both null is
 *   an empty block. A block may lie inside the vector itself, but only among
 *   its constructed elements.
 * - Storage grows by doubling; it comes from the vector's memory table (the
 *   runtime's own memory functions by default), so failures and leaks show
 *   in the runtime's test controls. Storage only grows, except through
 *   clearAndFreeMemory and destruct. Elements are moved between blocks as
 *   plain bytes, so element records must not point into themselves.
 * - Failures: construct operations leave an empty, destructible vector of
 *   the requested element type and nothing allocated. resize, resizeFill,
 *   resizeUninit, reserve, insert, insertElement, pushBack and append leave
 *   the vector exactly as it was: elements built before a failing element
 *   construction are destructed again and a new block is freed. assign and
 *   assignElements are all-or-nothing when they need a larger block; when
 *   they assign in place a failure leaves every element valid (the old size,
 *   the elements before the failing one already assigned). Operations that
 *   remove elements always remove them and return the first failing element
 *   destruct status. */
#ifndef CSTD_VECTOR_H
#define CSTD_VECTOR_H

#include <stddef.h>
#include <stdint.h>

#include "csys_runtime.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The end mark that closes every element-operation and memory table. A
 * table without it is refused with CSYS_STATUS_INVALID_ARGUMENT. */
#define CSTD_VECTOR_TABLE_END_MARK 0xFFFFFFFFull

/* Element operations. A null entry means plain bytes: construct zero-fills,
 * copyConstruct and assign copy the bytes, destruct does nothing. The
 * context argument of construct is always null. A failing construct or
 * copyConstruct must leave nothing to destruct; a failing assign must leave
 * the destination valid for destruct. */
typedef struct cstd_vectorElementOps {
    int32_t (*construct)(void* element, void* context);
    int32_t (*copyConstruct)(void* destination, const void* source);
    int32_t (*assign)(void* destination, const void* source);
    int32_t (*destruct)(void* element);
    uint64_t endMark; /* CSTD_VECTOR_TABLE_END_MARK */
} cstd_vectorElementOps;

/* Memory table: where a vector's storage comes from. Both functions follow
 * csys_memory_alloc_internal and csys_memory_free_internal; a null entry, or
 * a null table, uses those runtime functions. */
typedef struct cstd_vectorMemoryOps {
    int32_t (*alloc)(size_t size, void** block);
    int32_t (*free)(void** block);
    uint64_t endMark; /* CSTD_VECTOR_TABLE_END_MARK */
} cstd_vectorMemoryOps;

/* The vector record. Callers treat it as opaque and use the functions. A
 * record of zero bytes is an empty vector without an element type: it may be
 * destructed, swapped or constructed over. */
typedef struct cstd_vector {
    void* begin;
    intptr_t size;
    intptr_t capacity;
    intptr_t elementSize;
    const cstd_vectorElementOps* elementOps;
    const cstd_vectorMemoryOps* memoryOps;
} cstd_vector;

/* Construction. Each builds the vector with the given element size (above
 * 0) and element-operation table. */
/* count elements, each built by the table's construct. */
CSYS_API int32_t cstd_vector__constructWithVtable(cstd_vector* vector, intptr_t count,
                                                  intptr_t elementSize,
                                                  const cstd_vectorElementOps* table);
/* The same with the vector's storage taken from memoryTable (null allowed). */
CSYS_API int32_t cstd_vector__constructWithVtableWithMtable(
    cstd_vector* vector, intptr_t count, intptr_t elementSize, const cstd_vectorElementOps* table,
    const cstd_vectorMemoryOps* memoryTable);
/* count elements left unconstructed: their bytes are zero. The caller must
 * construct each in place before the vector destructs or copies it, unless
 * zero bytes are a valid element. */
CSYS_API int32_t cstd_vector__constructWithVtableUninit(cstd_vector* vector, intptr_t count,
                                                        intptr_t elementSize,
                                                        const cstd_vectorElementOps* table);
/* count copies of *fill. */
CSYS_API int32_t cstd_vector__constructFillWithVtable(cstd_vector* vector, intptr_t count,
                                                      intptr_t elementSize, const void* fill,
                                                      const cstd_vectorElementOps* table);
/* Copies of the block (first, last). */
CSYS_API int32_t cstd_vector__constructFromBlockWithVtable(cstd_vector* vector,
                                                           intptr_t elementSize, const void* first,
                                                           const void* last,
                                                           const cstd_vectorElementOps* table);
/* A copy of source, with its element type and memory table. */
CSYS_API int32_t cstd_vector__constructCopy(cstd_vector* vector, const cstd_vector* source);

/* Makes the vector a copy of source (same element type); nothing for itself. */
CSYS_API int32_t cstd_vector__assign(cstd_vector* vector, const cstd_vector* source);
/* Makes the vector hold copies of the block (first, last). */
CSYS_API int32_t cstd_vector__assignElements(cstd_vector* vector, const void* first,
                                             const void* last);
/* Destructs every element and frees the storage. The vector stays an empty
 * vector of its element type: it may be destructed again or reused. */
CSYS_API int32_t cstd_vector__destruct(cstd_vector* vector);

/* Size changes. Shrinking destructs the elements past count, last first;
 * growing builds the new elements with construct, as zero bytes (Uninit, see
 * constructWithVtableUninit) or as copies of *fill. */
CSYS_API int32_t cstd_vector__resize(cstd_vector* vector, intptr_t count);
CSYS_API int32_t cstd_vector__resizeUninit(cstd_vector* vector, intptr_t count);
CSYS_API int32_t cstd_vector__resizeFill(cstd_vector* vector, intptr_t count, const void* fill);
/* Makes room for count elements without building any; never shrinks. */
CSYS_API int32_t cstd_vector__reserve(cstd_vector* vector, intptr_t count);

/* Getters. */
CSYS_API int32_t cstd_vector__getSize32(const cstd_vector* vector, int32_t* size);
CSYS_API int32_t cstd_vector__getSize(const cstd_vector* vector, intptr_t* size);
CSYS_API int32_t cstd_vector__getCapacity(const cstd_vector* vector, intptr_t* capacity);
CSYS_API int32_t cstd_vector__getElementSize(const cstd_vector* vector, intptr_t* elementSize);
/* The first element; null for a vector without storage. */
CSYS_API int32_t cstd_vector__getBegin(cstd_vector* vector, void** begin);
CSYS_API int32_t cstd_vector__getBeginConst(const cstd_vector* vector, const void** begin);
/* The first element and one past the last. */
CSYS_API int32_t cstd_vector__getBeginEnd(cstd_vector* vector, void** begin, void** end);
CSYS_API int32_t cstd_vector__getBeginEndConst(const cstd_vector* vector, const void** begin,
                                               const void** end);
CSYS_API int32_t cstd_vector__getBeginSize32(cstd_vector* vector, void** begin, int32_t* size);
CSYS_API int32_t cstd_vector__getBeginSize(cstd_vector* vector, void** begin, intptr_t* size);
CSYS_API int32_t cstd_vector__getBeginSize32Const(const cstd_vector* vector, const void** begin,
                                                  int32_t* size);
CSYS_API int32_t cstd_vector__getBeginSizeConst(const cstd_vector* vector, const void** begin,
                                                intptr_t* size);

/* Element access. getElement gives the element at index (0 <= index < size).
 * getNextElement walks the vector: given null it gives the first element,
 * given an element of the vector the one after it, and null past the last
 * or for an empty vector; anything that is not an element of the vector
 * is refused. */
CSYS_API int32_t cstd_vector__getElement(cstd_vector* vector, intptr_t index, void** element);
CSYS_API int32_t cstd_vector__getElementConst(const cstd_vector* vector, intptr_t index,
                                              const void** element);
CSYS_API int32_t cstd_vector__getNextElement(cstd_vector* vector, const void* element,
                                             void** next);
CSYS_API int32_t cstd_vector__getNextElementConst(const cstd_vector* vector, const void* element,
                                                  const void** next);

/* Insertion before index (0 <= index <= size; size appends): copies of the
 * block (first, last), or one copy of *element. */
CSYS_API int32_t cstd_vector__insert(cstd_vector* vector, intptr_t index, const void* first,
                                     const void* last);
CSYS_API int32_t cstd_vector__insertElement(cstd_vector* vector, intptr_t index,
                                            const void* element);
/* Removal of count elements from index on (index + count <= size), or of
 * the element at index; the elements behind move up. */
CSYS_API int32_t cstd_vector__erase(cstd_vector* vector, intptr_t index, intptr_t count);
CSYS_API int32_t cstd_vector__eraseElement(cstd_vector* vector, intptr_t index);
/* Appends one copy of *element (which may be an element of the vector). */
CSYS_API int32_t cstd_vector__pushBack(cstd_vector* vector, const void* element);
/* Appends copies of every element of source (same element type; the vector
 * itself allowed). */
CSYS_API int32_t cstd_vector__append(cstd_vector* vector, const cstd_vector* source);
/* Exchanges the whole contents, element types included, of two vectors. */
CSYS_API int32_t cstd_vector__swap(cstd_vector* vector, cstd_vector* other);
/* Destructs the last element; an empty vector is refused. */
CSYS_API int32_t cstd_vector__popBack(cstd_vector* vector);
/* Destructs every element; clear keeps the storage, clearAndFreeMemory
 * frees it. */
CSYS_API int32_t cstd_vector__clear(cstd_vector* vector);
CSYS_API int32_t cstd_vector__clearAndFreeMemory(cstd_vector* vector);

/* Shareable vectors: a vector that carries a type through a two-entry
 * method table and answers queries for an interface by type name. */

/* Method table of a shareable vector's type. queryInterfaceByTypename
 * answers a query for the type (cstd_vectorShareable_queryInterfaceByTypename
 * dispatches to it); getTypename gives the type's name. */
typedef struct cstd_vectorShareableMethods {
    int32_t (*queryInterfaceByTypename)(void* shareable, const char* name, void** object);
    int32_t (*getTypename)(const void* shareable, const char** name);
} cstd_vectorShareableMethods;

/* The shareable record. Callers treat it as opaque and use the functions;
 * a record of zero bytes is empty, as for the vector record. */
typedef struct cstd_vectorShareable {
    cstd_vector vector;
    const cstd_vectorShareableMethods* methods;
} cstd_vectorShareable;

/* Type names that the base's own query answers. */
#define CSTD_VECTOR_SHAREABLE_TYPENAME "cstd_vectorShareable"
#define CSTD_VECTOR_TYPENAME "cstd_vector"

/* Builds the shareable vector as a copy of vector (which is left as it
 * was), of the type that methodTable describes. flags is reserved and must
 * be 0. On failure the shareable vector is empty and destructible. */
CSYS_API int32_t cstd_vectorShareable_construct(cstd_vectorShareable* shareable,
                                                const cstd_vector* vector,
                                                const cstd_vectorShareableMethods* methodTable,
                                                uint32_t flags);
CSYS_API int32_t cstd_vectorShareable_constructCopy(cstd_vectorShareable* shareable,
                                                    const cstd_vectorShareable* source);
/* Copies the elements of source (same element type); nothing for itself. */
CSYS_API int32_t cstd_vectorShareable_assign(cstd_vectorShareable* shareable,
                                             const cstd_vectorShareable* source);
/* Copies the elements of a plain vector of the same element type. */
CSYS_API int32_t cstd_vectorShareable_assignVector(cstd_vectorShareable* shareable,
                                                   const cstd_vector* vector);
CSYS_API int32_t cstd_vectorShareable_assignElements(cstd_vectorShareable* shareable,
                                                     const void* first, const void* last);
CSYS_API int32_t cstd_vectorShareable_destruct(cstd_vectorShareable* shareable);
/* Destructs every element and frees the storage; the type stays. */
CSYS_API int32_t cstd_vectorShareable_reset(cstd_vectorShareable* shareable);
CSYS_API int32_t cstd_vectorShareable_resize(cstd_vectorShareable* shareable, intptr_t count);
CSYS_API int32_t cstd_vectorShareable_reserve(cstd_vectorShareable* shareable, intptr_t count);
CSYS_API int32_t cstd_vectorShareable_getSize32(const cstd_vectorShareable* shareable,
                                                int32_t* size);
CSYS_API int32_t cstd_vectorShareable_getCapacity(const cstd_vectorShareable* shareable,
                                                  intptr_t* capacity);
CSYS_API int32_t cstd_vectorShareable_getElementSize(const cstd_vectorShareable* shareable,
                                                     intptr_t* elementSize);
CSYS_API int32_t cstd_vectorShareable_getBeginEnd(cstd_vectorShareable* shareable, void** begin,
                                                  void** end);
CSYS_API int32_t cstd_vectorShareable_getBeginEndConst(const cstd_vectorShareable* shareable,
                                                       const void** begin, const void** end);
CSYS_API int32_t cstd_vectorShareable_getBeginSize32(cstd_vectorShareable* shareable,
                                                     void** begin, int32_t* size);
CSYS_API int32_t cstd_vectorShareable_getBeginSize32Const(const cstd_vectorShareable* shareable,
                                                          const void** begin, int32_t* size);
CSYS_API int32_t cstd_vectorShareable_pushBack(cstd_vectorShareable* shareable,
                                               const void* element);

/* Queries. Both null-check name and object, set *object to null, and give
 * 0 with *object null for a null shareable vector or a name nobody answers.
 * queryInterfaceByTypename asks the type's method table (and answers as
 * queryInterfaceByTypenameFinal when the table has no query).
 * queryInterfaceByTypenameFinal is the base's own answer: the shareable
 * vector itself for CSTD_VECTOR_SHAREABLE_TYPENAME and for the name that the
 * method table's getTypename gives, the vector inside it for
 * CSTD_VECTOR_TYPENAME. Names are compared byte for byte. */
CSYS_API int32_t cstd_vectorShareable_queryInterfaceByTypename(cstd_vectorShareable* shareable,
                                                               const char* name, void** object);
CSYS_API int32_t cstd_vectorShareable_queryInterfaceByTypenameFinal(
    cstd_vectorShareable* shareable, const char* name, void** object);

#ifdef __cplusplus
}
#endif

#endif
