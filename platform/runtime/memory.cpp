// Memory functions over the C heap. Every granted block is counted so that
// tests can see leaks, and a request can be made to fail on demand.
#include <cstdlib>
#include <cstring>

#include "csys_runtime.h"
#include "testing_state.hpp"

namespace {

// malloc(0) may return null; a zero-byte request still gets a real block so
// that it can be told apart from a failure and freed like any other.
void* allocateBytes(size_t size) { return std::malloc(size == 0 ? 1 : size); }

}  // namespace

extern "C" {

int32_t csys_memory_alloc_internal(size_t size, void** block) {
    if (block == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (csys::testing::shouldFailAllocation()) return CSYS_STATUS_OUT_OF_MEMORY;
    void* fresh = allocateBytes(size);
    if (fresh == nullptr) return CSYS_STATUS_OUT_OF_MEMORY;
    csys::testing::blockAllocated();
    csys_memory_free_internal(block);
    *block = fresh;
    return CSYS_STATUS_OK;
}

int32_t csys_memory_realloc_internal(size_t size, void** block) {
    if (block == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (csys::testing::shouldFailAllocation()) return CSYS_STATUS_OUT_OF_MEMORY;
    if (*block == nullptr) {
        void* fresh = allocateBytes(size);
        if (fresh == nullptr) return CSYS_STATUS_OUT_OF_MEMORY;
        csys::testing::blockAllocated();
        *block = fresh;
        return CSYS_STATUS_OK;
    }
    void* resized = std::realloc(*block, size == 0 ? 1 : size);
    if (resized == nullptr) return CSYS_STATUS_OUT_OF_MEMORY;
    *block = resized;
    return CSYS_STATUS_OK;
}

int32_t csys_memory_clone_internal(size_t size, const void* source, void** block) {
    if (block == nullptr || (source == nullptr && size > 0)) return CSYS_STATUS_NULL_ARGUMENT;
    if (csys::testing::shouldFailAllocation()) return CSYS_STATUS_OUT_OF_MEMORY;
    void* fresh = allocateBytes(size);
    if (fresh == nullptr) return CSYS_STATUS_OUT_OF_MEMORY;
    csys::testing::blockAllocated();
    if (size > 0) std::memcpy(fresh, source, size);
    csys_memory_free_internal(block);
    *block = fresh;
    return CSYS_STATUS_OK;
}

int32_t csys_memory_free_internal(void** block) {
    if (block == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (*block != nullptr) {
        std::free(*block);
        csys::testing::blockFreed();
        *block = nullptr;
    }
    return CSYS_STATUS_OK;
}

}  // extern "C"
