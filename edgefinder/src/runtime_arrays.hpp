// Arrays handed to callers are allocated through the runtime library, so
// that the records' destruct functions (ours and the caliper library's)
// free them as they expect.
#ifndef CEDGE_RUNTIME_ARRAYS_HPP
#define CEDGE_RUNTIME_ARRAYS_HPP

#include <cstddef>
#include <cstdint>
#include <new>

#include "csys_runtime.h"

namespace cedge {

// A runtime block released on scope exit unless handed over by release().
template <class T>
class RuntimeArray {
public:
    RuntimeArray() = default;
    RuntimeArray(const RuntimeArray&) = delete;
    RuntimeArray& operator=(const RuntimeArray&) = delete;
    ~RuntimeArray() { csys_memory_free_internal(&block_); }

    int32_t allocate(std::size_t count) noexcept {
        if (count > SIZE_MAX / sizeof(T)) return CSYS_STATUS_OVERFLOW;
        return csys_memory_alloc_internal(count * sizeof(T), &block_);
    }
    T* get() const noexcept { return static_cast<T*>(block_); }
    T& operator[](std::size_t i) const noexcept { return get()[i]; }
    T* release() noexcept {
        T* held = get();
        block_ = nullptr;
        return held;
    }

private:
    void* block_ = nullptr;
};

// Frees a runtime block held by a typed pointer and nulls the pointer.
template <class T>
void freeRuntimeArray(T*& array) noexcept {
    void* block = array;
    csys_memory_free_internal(&block);
    array = nullptr;
}

// Runs an operation that may throw std::bad_alloc as a status.
template <class Operation>
int32_t statusOf(Operation&& operation) noexcept {
    try {
        return operation();
    } catch (const std::bad_alloc&) {
        return CSYS_STATUS_OUT_OF_MEMORY;
    }
}

}  // namespace cedge

#endif
