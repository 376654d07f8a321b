// Arrays that records own through the runtime's memory functions: release,
// and copy from a source array of the same or of the twin edge type. Shared
// by the caliper result sets and the scored results.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "check.hpp"
#include "csys_runtime.h"

namespace cclp {

// Frees the array a record holds and nulls the field.
template <class T>
int32_t releaseArray(T*& array) {
    void* block = array;
    const int32_t status = csys_memory_free_internal(&block);
    array = static_cast<T*>(block);
    return status;
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

// Makes `destination` a copy of `count` elements of `source`: cloned when the
// types match, converted edge by edge otherwise. When there is nothing to
// copy (a count that is not positive, or no source array) the destination's
// array is released instead. On failure the field still holds its old array.
template <class To, class From>
int32_t copyArray(To*& destination, int32_t count, const From* source) {
    if (count <= 0 || source == nullptr) return releaseArray(destination);
    const size_t bytes = static_cast<size_t>(count) * sizeof(To);
    void* block = destination;
    if constexpr (std::is_same_v<To, From>) {
        CCLP_RETURN_IF_FAILED(csys_memory_clone_internal(bytes, source, &block));
        destination = static_cast<To*>(block);
    } else {
        CCLP_RETURN_IF_FAILED(csys_memory_alloc_internal(bytes, &block));
        destination = static_cast<To*>(block);
        for (int32_t i = 0; i < count; ++i) destination[i] = convertEdge<To>(source[i]);
    }
    return CSYS_STATUS_OK;
}

}  // namespace cclp
