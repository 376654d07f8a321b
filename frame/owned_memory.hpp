// What records own through the runtime's memory functions, written once for
// every record of the module: arrays held in a record's pointer field, heap
// records held through a caller's pointer variable, and copy construction.
// Every helper takes the pointer it writes first, then the count, then the
// source; on failure the pointer keeps what it held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "cclp_score/cclp_status.h"
#include "csys_runtime.h"
#include "frame/check.hpp"
#include "frame/cleanup_frame.hpp"

namespace cclp {

// The runtime works on the address of an untyped pointer variable.
template <class T, class Operation>
int32_t onBlock(T*& array, Operation operation) {
    void* block = array;
    const int32_t status = operation(&block);
    array = static_cast<T*>(block);
    return status;
}

template <class T>
size_t bytesOf(int32_t count) {
    return static_cast<size_t>(count) * sizeof(T);
}

template <class T>
int32_t allocArray(T*& array, int32_t count) {
    return onBlock(array, [&](void** block) {
        return csys_memory_alloc_internal(bytesOf<T>(count), block);
    });
}

// Keeps the first records of the old block.
template <class T>
int32_t reallocArray(T*& array, int32_t count) {
    return onBlock(array, [&](void** block) {
        return csys_memory_realloc_internal(bytesOf<T>(count), block);
    });
}

// A new block holding count records of source. The old block is released
// only once the copy exists, so source may lie inside it.
template <class T>
int32_t cloneArray(T*& array, int32_t count, const T* source) {
    return onBlock(array, [&](void** block) {
        return csys_memory_clone_internal(bytesOf<T>(count), source, block);
    });
}

// Frees the block and nulls the pointer.
template <class T>
int32_t releaseArray(T*& array) {
    return onBlock(array, [](void** block) { return csys_memory_free_internal(block); });
}

// One edge in the form of its twin: position and contrast carried over,
// the extras of an extended edge zero (value-initialised).
template <class To, class From>
constexpr To convertEdge(const From& edge) {
    To converted{};
    converted.position = edge.position;
    converted.contrast = edge.contrast;
    return converted;
}

// Makes array a copy of count records of source: cloned when the types
// match, converted edge by edge from the twin type otherwise. With nothing to
// copy (a count that is not positive, or no source) the array is released.
template <class To, class From>
int32_t copyArray(To*& array, int32_t count, const From* source) {
    if (count <= 0 || source == nullptr) return releaseArray(array);
    if constexpr (std::is_same_v<To, From>) {
        return cloneArray(array, count, source);
    } else {
        CCLP_RETURN_IF_FAILED(allocArray(array, count));
        for (int32_t i = 0; i < count; ++i) array[i] = convertEdge<To>(source[i]);
        return CSYS_STATUS_OK;
    }
}

// Copy construction as every owning record does it: construct the
// destination, have the frame destroy it if the copy fails, then copy.
template <class Record, class Source>
int32_t constructAndAssign(Record* record, const Source* source, int32_t (*construct)(Record*),
                           int32_t (*destruct)(Record*),
                           int32_t (*assign)(Record*, const Source*)) {
    CCLP_REQUIRE_NONNULL(record);
    CleanupFrame<1> frame;
    const int32_t constructed = construct(record);
    if (constructed < 0) return frame.close(constructed);
    frame.destructOnFailure(record, destruct);
    return frame.close(assign(record, source));
}

// new, newClone and delete of a record held through a caller's pointer
// variable.
template <class T, int32_t (*Construct)(T*), int32_t (*Destruct)(T*),
          int32_t (*Assign)(T*, const T*)>
struct HeapLifecycle {
    // Deletes what *pointer holds, then allocates and constructs a fresh
    // record; *pointer receives it only once it is fully built.
    static int32_t create(T** pointer) {
        CCLP_REQUIRE_NONNULL(pointer);
        CCLP_RETURN_IF_FAILED(destroy(pointer));
        CleanupFrame<1> frame;
        T* fresh = nullptr;
        int32_t status = allocArray(fresh, 1);
        if (status < 0) return frame.close(status);
        frame.freeOnFailure(&fresh);
        status = Construct(fresh);
        if (status < 0) return frame.close(status);
        *pointer = fresh;
        return frame.close(CCLP_STATUS_OK);
    }

    // A null source deletes; a source that *pointer already holds is its own
    // clone (deleting it first would leave nothing to copy from). A failed
    // copy deletes the new record.
    static int32_t clone(T** pointer, const T* source) {
        CCLP_REQUIRE_NONNULL(pointer);
        if (source == nullptr) return destroy(pointer);
        if (source == *pointer) return CCLP_STATUS_OK;
        CCLP_RETURN_IF_FAILED(create(pointer));
        const int32_t status = Assign(*pointer, source);
        if (status < 0) (void)destroy(pointer);
        return status;
    }

    // Destructs and frees what *pointer holds and nulls it; a failed
    // destruct keeps the record.
    static int32_t destroy(T** pointer) {
        CCLP_REQUIRE_NONNULL(pointer);
        if (*pointer != nullptr) CCLP_RETURN_IF_FAILED(Destruct(*pointer));
        return releaseArray(*pointer);
    }
};

}  // namespace cclp
