// The generic vector's exported operations (contract in cstd_vector.h).
#include <algorithm>
#include <cstring>
#include <utility>

#include "cstd_vector.h"
#include "vector_storage.hpp"

using namespace csys::vector;

namespace {

// Every construction: an empty vector of the element type first, so that
// whatever fails after that leaves a vector that destructs to nothing.
template <class Build>
int32_t constructBuilt(cstd_vector* vector, intptr_t count, intptr_t elementSize,
                       const cstd_vectorElementOps* table, const cstd_vectorMemoryOps* memoryTable,
                       Build&& build) {
    CSYS_REQUIRE_NONNULL(vector);
    *vector = cstd_vector{};
    CSYS_RETURN_IF_FAILED(checkElementType(elementSize, table, memoryTable));
    vector->elementSize = elementSize;
    vector->elementOps = table;
    vector->memoryOps = memoryTable;
    if (count < 0) return CSYS_STATUS_INVALID_ARGUMENT;
    return appendBuilt(*vector, count, build);
}

auto constructing(const cstd_vector* vector) {
    return [vector](std::byte* slot, intptr_t) { return constructElement(*vector, slot); };
}

auto zeroing(const cstd_vector* vector) {
    return [vector](std::byte* slot, intptr_t) {
        std::memset(slot, 0, static_cast<size_t>(vector->elementSize));
        return CSYS_STATUS_OK;
    };
}

auto copyingFrom(const cstd_vector* vector, const void* fill) {
    return [vector, fill](std::byte* slot, intptr_t) { return copyElement(*vector, slot, fill); };
}

int32_t checkIndex(const cstd_vector& vector, intptr_t index, intptr_t count) {
    if (index < 0 || count < 0 || index > vector.size || count > vector.size - index) {
        return CSYS_STATUS_INVALID_ARGUMENT;
    }
    return CSYS_STATUS_OK;
}

// The position of element in the vector, or -1 when it is not one of its
// constructed elements.
intptr_t indexOf(const cstd_vector& vector, const void* element) {
    const auto from = reinterpret_cast<uintptr_t>(vector.begin);
    const auto at = reinterpret_cast<uintptr_t>(element);
    const auto elementSize = static_cast<uintptr_t>(vector.elementSize);
    if (vector.size == 0 || at < from || (at - from) % elementSize != 0) return -1;
    const uintptr_t index = (at - from) / elementSize;
    return index < static_cast<uintptr_t>(vector.size) ? static_cast<intptr_t>(index) : -1;
}

int32_t size32(intptr_t size, int32_t* result) {
    if (size > INT32_MAX) return CSYS_STATUS_OVERFLOW;
    *result = static_cast<int32_t>(size);
    return CSYS_STATUS_OK;
}

void* endOf(const cstd_vector& vector) {
    return vector.begin == nullptr ? nullptr : elementAt(vector, vector.size);
}

}  // namespace

extern "C" {

int32_t cstd_vector__constructWithVtable(cstd_vector* vector, intptr_t count, intptr_t elementSize,
                                         const cstd_vectorElementOps* table) {
    return cstd_vector__constructWithVtableWithMtable(vector, count, elementSize, table, nullptr);
}

int32_t cstd_vector__constructWithVtableWithMtable(cstd_vector* vector, intptr_t count,
                                                   intptr_t elementSize,
                                                   const cstd_vectorElementOps* table,
                                                   const cstd_vectorMemoryOps* memoryTable) {
    return constructBuilt(vector, count, elementSize, table, memoryTable, constructing(vector));
}

int32_t cstd_vector__constructWithVtableUninit(cstd_vector* vector, intptr_t count,
                                               intptr_t elementSize,
                                               const cstd_vectorElementOps* table) {
    return constructBuilt(vector, count, elementSize, table, nullptr, zeroing(vector));
}

int32_t cstd_vector__constructFillWithVtable(cstd_vector* vector, intptr_t count,
                                             intptr_t elementSize, const void* fill,
                                             const cstd_vectorElementOps* table) {
    CSYS_REQUIRE_NONNULL(vector);
    *vector = cstd_vector{};
    CSYS_REQUIRE_NONNULL(fill);
    return constructBuilt(vector, count, elementSize, table, nullptr, copyingFrom(vector, fill));
}

int32_t cstd_vector__constructFromBlockWithVtable(cstd_vector* vector, intptr_t elementSize,
                                                  const void* first, const void* last,
                                                  const cstd_vectorElementOps* table) {
    CSYS_RETURN_IF_FAILED(constructBuilt(vector, 0, elementSize, table, nullptr, zeroing(vector)));
    Block block{};
    CSYS_RETURN_IF_FAILED(toBlock(*vector, first, last, &block));
    return appendCopies(*vector, block);
}

int32_t cstd_vector__constructCopy(cstd_vector* vector, const cstd_vector* source) {
    CSYS_REQUIRE_NONNULL(vector);
    *vector = cstd_vector{};
    CSYS_REQUIRE_NONNULL(source);
    vector->elementSize = source->elementSize;
    vector->elementOps = source->elementOps;
    vector->memoryOps = source->memoryOps;
    return appendCopies(*vector, Block{static_cast<const std::byte*>(source->begin), source->size});
}

int32_t cstd_vector__assign(cstd_vector* vector, const cstd_vector* source) {
    CSYS_REQUIRE_NONNULL(vector, source);
    if (vector == source) return CSYS_STATUS_OK;
    if (!haveSameElementType(*vector, *source)) return CSYS_STATUS_INVALID_ARGUMENT;
    return assignCopies(*vector, Block{static_cast<const std::byte*>(source->begin), source->size});
}

int32_t cstd_vector__assignElements(cstd_vector* vector, const void* first, const void* last) {
    CSYS_REQUIRE_NONNULL(vector);
    Block block{};
    CSYS_RETURN_IF_FAILED(toBlock(*vector, first, last, &block));
    return assignCopies(*vector, block);
}

int32_t cstd_vector__destruct(cstd_vector* vector) {
    return cstd_vector__clearAndFreeMemory(vector);
}

int32_t cstd_vector__resize(cstd_vector* vector, intptr_t count) {
    CSYS_REQUIRE_NONNULL(vector);
    return resizeTo(*vector, count, constructing(vector));
}

int32_t cstd_vector__resizeUninit(cstd_vector* vector, intptr_t count) {
    CSYS_REQUIRE_NONNULL(vector);
    return resizeTo(*vector, count, zeroing(vector));
}

int32_t cstd_vector__resizeFill(cstd_vector* vector, intptr_t count, const void* fill) {
    CSYS_REQUIRE_NONNULL(vector, fill);
    return resizeTo(*vector, count, copyingFrom(vector, fill));
}

int32_t cstd_vector__reserve(cstd_vector* vector, intptr_t count) {
    CSYS_REQUIRE_NONNULL(vector);
    if (count < 0) return CSYS_STATUS_INVALID_ARGUMENT;
    if (count <= vector->capacity) return CSYS_STATUS_OK;
    void* block = nullptr;
    CSYS_RETURN_IF_FAILED(allocateStorage(*vector, count, &block));
    moveToStorage(*vector, block, count);
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getSize32(const cstd_vector* vector, int32_t* size) {
    csys::clearOutputs(size);
    CSYS_REQUIRE_NONNULL(vector, size);
    return size32(vector->size, size);
}

int32_t cstd_vector__getSize(const cstd_vector* vector, intptr_t* size) {
    csys::clearOutputs(size);
    CSYS_REQUIRE_NONNULL(vector, size);
    *size = vector->size;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getCapacity(const cstd_vector* vector, intptr_t* capacity) {
    csys::clearOutputs(capacity);
    CSYS_REQUIRE_NONNULL(vector, capacity);
    *capacity = vector->capacity;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getElementSize(const cstd_vector* vector, intptr_t* elementSize) {
    csys::clearOutputs(elementSize);
    CSYS_REQUIRE_NONNULL(vector, elementSize);
    *elementSize = vector->elementSize;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBegin(cstd_vector* vector, void** begin) {
    csys::clearOutputs(begin);
    CSYS_REQUIRE_NONNULL(vector, begin);
    *begin = vector->begin;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBeginConst(const cstd_vector* vector, const void** begin) {
    csys::clearOutputs(begin);
    CSYS_REQUIRE_NONNULL(vector, begin);
    *begin = vector->begin;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBeginEnd(cstd_vector* vector, void** begin, void** end) {
    csys::clearOutputs(begin, end);
    CSYS_REQUIRE_NONNULL(vector, begin, end);
    *begin = vector->begin;
    *end = endOf(*vector);
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBeginEndConst(const cstd_vector* vector, const void** begin,
                                      const void** end) {
    csys::clearOutputs(begin, end);
    CSYS_REQUIRE_NONNULL(vector, begin, end);
    *begin = vector->begin;
    *end = endOf(*vector);
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBeginSize32(cstd_vector* vector, void** begin, int32_t* size) {
    csys::clearOutputs(begin, size);
    CSYS_REQUIRE_NONNULL(vector, begin, size);
    CSYS_RETURN_IF_FAILED(size32(vector->size, size));
    *begin = vector->begin;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBeginSize(cstd_vector* vector, void** begin, intptr_t* size) {
    csys::clearOutputs(begin, size);
    CSYS_REQUIRE_NONNULL(vector, begin, size);
    *begin = vector->begin;
    *size = vector->size;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBeginSize32Const(const cstd_vector* vector, const void** begin,
                                         int32_t* size) {
    csys::clearOutputs(begin, size);
    CSYS_REQUIRE_NONNULL(vector, begin, size);
    CSYS_RETURN_IF_FAILED(size32(vector->size, size));
    *begin = vector->begin;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getBeginSizeConst(const cstd_vector* vector, const void** begin,
                                       intptr_t* size) {
    csys::clearOutputs(begin, size);
    CSYS_REQUIRE_NONNULL(vector, begin, size);
    *begin = vector->begin;
    *size = vector->size;
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getElement(cstd_vector* vector, intptr_t index, void** element) {
    const void* found = nullptr;
    const int32_t status = cstd_vector__getElementConst(vector, index, element ? &found : nullptr);
    if (element != nullptr) *element = const_cast<void*>(found);
    return status;
}

int32_t cstd_vector__getElementConst(const cstd_vector* vector, intptr_t index,
                                     const void** element) {
    csys::clearOutputs(element);
    CSYS_REQUIRE_NONNULL(vector, element);
    if (index < 0 || index >= vector->size) return CSYS_STATUS_INVALID_ARGUMENT;
    *element = elementAt(*vector, index);
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__getNextElement(cstd_vector* vector, const void* element, void** next) {
    const void* found = nullptr;
    const int32_t status =
        cstd_vector__getNextElementConst(vector, element, next ? &found : nullptr);
    if (next != nullptr) *next = const_cast<void*>(found);
    return status;
}

int32_t cstd_vector__getNextElementConst(const cstd_vector* vector, const void* element,
                                         const void** next) {
    csys::clearOutputs(next);
    CSYS_REQUIRE_NONNULL(vector, next);
    const intptr_t index = element == nullptr ? -1 : indexOf(*vector, element);
    if (element != nullptr && index < 0) return CSYS_STATUS_INVALID_ARGUMENT;
    if (index + 1 < vector->size) *next = elementAt(*vector, index + 1);
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__insert(cstd_vector* vector, intptr_t index, const void* first,
                            const void* last) {
    CSYS_REQUIRE_NONNULL(vector);
    CSYS_RETURN_IF_FAILED(checkIndex(*vector, index, 0));
    Block block{};
    CSYS_RETURN_IF_FAILED(toBlock(*vector, first, last, &block));
    const intptr_t oldSize = vector->size;
    CSYS_RETURN_IF_FAILED(appendCopies(*vector, block));
    // The copies were built at the end; rotate them, as bytes, into place.
    std::rotate(elementAt(*vector, index), elementAt(*vector, oldSize),
                elementAt(*vector, vector->size));
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__insertElement(cstd_vector* vector, intptr_t index, const void* element) {
    CSYS_REQUIRE_NONNULL(vector, element);
    return cstd_vector__insert(vector, index, element,
                               static_cast<const std::byte*>(element) + vector->elementSize);
}

int32_t cstd_vector__erase(cstd_vector* vector, intptr_t index, intptr_t count) {
    CSYS_REQUIRE_NONNULL(vector);
    CSYS_RETURN_IF_FAILED(checkIndex(*vector, index, count));
    if (count == 0) return CSYS_STATUS_OK;
    const int32_t status = destructElements(*vector, elementAt(*vector, index), count);
    const intptr_t behind = vector->size - index - count;
    std::memmove(elementAt(*vector, index), elementAt(*vector, index + count),
                 static_cast<size_t>(behind * vector->elementSize));
    vector->size -= count;
    return status;
}

int32_t cstd_vector__eraseElement(cstd_vector* vector, intptr_t index) {
    return cstd_vector__erase(vector, index, 1);
}

int32_t cstd_vector__pushBack(cstd_vector* vector, const void* element) {
    CSYS_REQUIRE_NONNULL(vector, element);
    return appendBuilt(*vector, 1, copyingFrom(vector, element));
}

int32_t cstd_vector__append(cstd_vector* vector, const cstd_vector* source) {
    CSYS_REQUIRE_NONNULL(vector, source);
    if (!haveSameElementType(*vector, *source)) return CSYS_STATUS_INVALID_ARGUMENT;
    return appendCopies(*vector, Block{static_cast<const std::byte*>(source->begin), source->size});
}

int32_t cstd_vector__swap(cstd_vector* vector, cstd_vector* other) {
    CSYS_REQUIRE_NONNULL(vector, other);
    std::swap(*vector, *other);
    return CSYS_STATUS_OK;
}

int32_t cstd_vector__popBack(cstd_vector* vector) {
    CSYS_REQUIRE_NONNULL(vector);
    if (vector->size == 0) return CSYS_STATUS_INVALID_ARGUMENT;
    return cstd_vector__erase(vector, vector->size - 1, 1);
}

int32_t cstd_vector__clear(cstd_vector* vector) {
    CSYS_REQUIRE_NONNULL(vector);
    return resizeTo(*vector, 0, constructing(vector));
}

int32_t cstd_vector__clearAndFreeMemory(cstd_vector* vector) {
    CSYS_REQUIRE_NONNULL(vector);
    const int32_t status = resizeTo(*vector, 0, constructing(vector));
    freeStorage(*vector, &vector->begin);
    vector->capacity = 0;
    return status;
}

}  // extern "C"
