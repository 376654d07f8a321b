// The machinery under the generic vector: element operations with their
// plain-byte defaults, storage from the vector's memory table, growth with
// all-or-nothing element building, and validation of element blocks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cstd_vector.h"
#include "runtime_check.hpp"

namespace csys::vector {

std::byte* elementAt(void* begin, intptr_t elementSize, intptr_t index);
inline std::byte* elementAt(const cstd_vector& vector, intptr_t index) {
    return elementAt(vector.begin, vector.elementSize, index);
}

// Element operations; a missing entry (or table) falls back to plain bytes.
int32_t constructElement(const cstd_vector& vector, void* element);
int32_t copyElement(const cstd_vector& vector, void* destination, const void* source);
int32_t assignElement(const cstd_vector& vector, void* destination, const void* source);
// Destructs count elements from first on, last first, all of them even when
// one fails; returns the first failure.
int32_t destructElements(const cstd_vector& vector, std::byte* first, intptr_t count);

// Checks an element type: size above 0, tables closed by the end mark.
int32_t checkElementType(intptr_t elementSize, const cstd_vectorElementOps* table,
                         const cstd_vectorMemoryOps* memoryTable);
bool haveSameElementType(const cstd_vector& a, const cstd_vector& b);

// Storage from the vector's memory table. freeStorage leaves the variable null.
int32_t allocateStorage(const cstd_vector& vector, intptr_t capacity, void** block);
void freeStorage(const cstd_vector& vector, void** block);
// Moves the elements into block (of the given capacity) and frees the old one.
void moveToStorage(cstd_vector& vector, void* block, intptr_t capacity);

// A validated block of elements to copy from.
struct Block {
    const std::byte* first;
    intptr_t count;
    const void* at(intptr_t index, intptr_t elementSize) const {
        return first + index * elementSize;
    }
};
// (first, last) as a block of vector's elements: a whole number of them, and
// if it lies in the vector's storage, only among its constructed elements.
int32_t toBlock(const cstd_vector& vector, const void* first, const void* last, Block* block);

// Builds count elements at first with build(slot, i); when one fails, the
// ones already built are destructed again and its status is returned.
template <class Build>
int32_t buildElements(const cstd_vector& vector, std::byte* first, intptr_t count, Build&& build) {
    for (intptr_t i = 0; i < count; ++i) {
        const int32_t status = build(first + i * vector.elementSize, i);
        if (status < 0) {
            destructElements(vector, first, i);
            return status;
        }
    }
    return CSYS_STATUS_OK;
}

// The capacity to grow to when needed elements do not fit: at least double.
intptr_t grownCapacity(const cstd_vector& vector, intptr_t needed);

// Appends count elements built by build(slot, i), all or nothing: on
// failure the vector, its storage included, is as it was. Sources that lie
// in the old storage stay readable until every element is built.
template <class Build>
int32_t appendBuilt(cstd_vector& vector, intptr_t count, Build&& build) {
    if (count == 0) return CSYS_STATUS_OK;
    if (vector.elementSize <= 0) return CSYS_STATUS_INVALID_ARGUMENT;
    if (count > INTPTR_MAX - vector.size) return CSYS_STATUS_OUT_OF_MEMORY;
    const intptr_t newSize = vector.size + count;
    if (newSize <= vector.capacity) {
        CSYS_RETURN_IF_FAILED(buildElements(vector, elementAt(vector, vector.size), count, build));
        vector.size = newSize;
        return CSYS_STATUS_OK;
    }
    const intptr_t capacity = grownCapacity(vector, newSize);
    void* block = nullptr;
    CSYS_RETURN_IF_FAILED(allocateStorage(vector, capacity, &block));
    const int32_t status =
        buildElements(vector, elementAt(block, vector.elementSize, vector.size), count, build);
    if (status < 0) {
        freeStorage(vector, &block);
        return status;
    }
    moveToStorage(vector, block, capacity);
    vector.size = newSize;
    return CSYS_STATUS_OK;
}

// Appends copies of a block's elements.
int32_t appendCopies(cstd_vector& vector, const Block& block);
// Makes the vector hold copies of a block's elements (see cstd_vector.h).
int32_t assignCopies(cstd_vector& vector, const Block& block);
// Resizes; new elements built by build(slot, i), removed ones destructed.
template <class Build>
int32_t resizeTo(cstd_vector& vector, intptr_t count, Build&& build) {
    if (count < 0) return CSYS_STATUS_INVALID_ARGUMENT;
    if (count >= vector.size) return appendBuilt(vector, count - vector.size, build);
    const int32_t status = destructElements(vector, elementAt(vector, count), vector.size - count);
    vector.size = count;
    return status;
}

}  // namespace csys::vector
