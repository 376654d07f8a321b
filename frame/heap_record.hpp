// Records and arrays held through the runtime's memory functions: typed
// wrappers over the pointer-variable interface, and the new / delete pattern
// that every heap-allocated record follows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cclp_score/cclp_status.h"
#include "check.hpp"
#include "cleanup_frame.hpp"
#include "csys_runtime.h"

namespace cclp {

// The runtime works on the address of an untyped pointer variable.
template <class T>
void** blockOf(T** pointer) {
    return reinterpret_cast<void**>(pointer);
}

// Allocates count records into *array; on failure *array is unchanged.
template <class T>
int32_t allocArray(T** array, int32_t count) {
    return csys_memory_alloc_internal(static_cast<size_t>(count) * sizeof(T), blockOf(array));
}

// Copies count records from source into a new block held by *array; on
// failure *array is unchanged. The old block is released only once the copy
// exists, so source may lie inside it.
template <class T>
int32_t cloneArray(T** array, const T* source, int32_t count) {
    return csys_memory_clone_internal(static_cast<size_t>(count) * sizeof(T), source,
                                      blockOf(array));
}

template <class T>
int32_t freeBlock(T** pointer) {
    return csys_memory_free_internal(blockOf(pointer));
}

// Copies count records into a new block held by *array, or frees *array
// when count is not positive.
template <class T>
int32_t copyArrayOrFree(T** array, const T* source, int32_t count) {
    if (count <= 0) return freeBlock(array);
    return cloneArray(array, source, count);
}

// Deletes what *record holds, then allocates and constructs a fresh record;
// the caller's pointer receives it only once it is fully built.
template <class T, class Construct>
int32_t newRecord(T** record, int32_t (*deleteRecord)(T**), Construct construct) {
    CCLP_RETURN_IF_FAILED(deleteRecord(record));
    CleanupFrame<1> frame;
    T* fresh = nullptr;
    int32_t status = csys_memory_alloc_internal(sizeof(T), blockOf(&fresh));
    if (status < 0) return frame.close(status);
    frame.freeOnFailure(&fresh);
    status = construct(fresh);
    if (status < 0) return frame.close(status);
    *record = fresh;
    return frame.close(CCLP_STATUS_OK);
}

// Destructs (when the record has a destructor) and frees what *record holds,
// leaving the pointer null. A failed destruct keeps the record.
template <class T>
int32_t deleteRecord(T** record, int32_t (*destruct)(T*) = nullptr) {
    if (*record != nullptr && destruct != nullptr) CCLP_RETURN_IF_FAILED(destruct(*record));
    return freeBlock(record);
}

}  // namespace cclp
