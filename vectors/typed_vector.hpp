// One typed vector family, written once for every element type: each
// member binds the element size and the family's element operations, or
// forwards to the generic vector with typed pointers.
#pragma once

#include <cstdint>

#include "frame/owned_memory.hpp"
#include "vectors/typed_output.hpp"
#include "vectors/vector_family.hpp"

namespace cclp {

template <class E>
struct TypedVector {
    using V = typename VectorFamily<E>::Vector;
    static constexpr intptr_t kElementSize = sizeof(E);
    static constexpr const cstd_vectorElementOps* kOps = &VectorFamily<E>::elementOps;

    static int32_t construct(V* vector, intptr_t count) {
        return cstd_vector__constructWithVtable(baseOf(vector), count, kElementSize, kOps);
    }
    static int32_t constructWithMtable(V* vector, intptr_t count,
                                       const cstd_vectorMemoryOps* memoryTable) {
        return cstd_vector__constructWithVtableWithMtable(baseOf(vector), count, kElementSize, kOps,
                                                          memoryTable);
    }
    static int32_t constructEmpty(V* vector) { return construct(vector, 0); }
    static int32_t constructEmptyWithMtable(V* vector, const cstd_vectorMemoryOps* memoryTable) {
        return constructWithMtable(vector, 0, memoryTable);
    }
    static int32_t constructUninit(V* vector, intptr_t count) {
        return cstd_vector__constructWithVtableUninit(baseOf(vector), count, kElementSize, kOps);
    }
    static int32_t constructFill(V* vector, intptr_t count, const E* fill) {
        return cstd_vector__constructFillWithVtable(baseOf(vector), count, kElementSize, fill,
                                                    kOps);
    }
    static int32_t constructFromBlock(V* vector, const E* first, const E* last) {
        return cstd_vector__constructFromBlockWithVtable(baseOf(vector), kElementSize, first, last,
                                                         kOps);
    }
    static int32_t constructCopy(V* vector, const V* source) {
        return cstd_vector__constructCopy(baseOf(vector), baseOf(source));
    }
    static int32_t assign(V* vector, const V* source) {
        return cstd_vector__assign(baseOf(vector), baseOf(source));
    }
    static int32_t assignElements(V* vector, const E* first, const E* last) {
        return cstd_vector__assignElements(baseOf(vector), first, last);
    }
    static int32_t destruct(V* vector) { return cstd_vector__destruct(baseOf(vector)); }

    static int32_t resize(V* vector, intptr_t count) {
        return cstd_vector__resize(baseOf(vector), count);
    }
    static int32_t resizeUninit(V* vector, intptr_t count) {
        return cstd_vector__resizeUninit(baseOf(vector), count);
    }
    static int32_t reserve(V* vector, intptr_t count) {
        return cstd_vector__reserve(baseOf(vector), count);
    }
    static int32_t resizeFill(V* vector, intptr_t count, const E* fill) {
        return cstd_vector__resizeFill(baseOf(vector), count, fill);
    }

    static int32_t getSize(const V* vector, int32_t* size) { return getSize32(vector, size); }
    static int32_t getSize32(const V* vector, int32_t* size) {
        return cstd_vector__getSize32(baseOf(vector), size);
    }
    static int32_t getSizeIntPtr(const V* vector, intptr_t* size) {
        return cstd_vector__getSize(baseOf(vector), size);
    }
    static int32_t getCapacity(const V* vector, intptr_t* capacity) {
        return cstd_vector__getCapacity(baseOf(vector), capacity);
    }
    static int32_t getElementSize(const V* vector, intptr_t* elementSize) {
        return cstd_vector__getElementSize(baseOf(vector), elementSize);
    }

    static int32_t getBegin(V* vector, E** begin) {
        return cstd_vector__getBegin(baseOf(vector), typed(begin));
    }
    static int32_t getBeginConst(const V* vector, const E** begin) {
        return cstd_vector__getBeginConst(baseOf(vector), typed(begin));
    }
    static int32_t getBeginEnd(V* vector, E** begin, E** end) {
        return cstd_vector__getBeginEnd(baseOf(vector), typed(begin), typed(end));
    }
    static int32_t getBeginEndConst(const V* vector, const E** begin, const E** end) {
        return cstd_vector__getBeginEndConst(baseOf(vector), typed(begin), typed(end));
    }
    static int32_t getBeginSize(V* vector, E** begin, int32_t* size) {
        return getBeginSize32(vector, begin, size);
    }
    static int32_t getBeginSize32(V* vector, E** begin, int32_t* size) {
        return cstd_vector__getBeginSize32(baseOf(vector), typed(begin), size);
    }
    static int32_t getBeginSizeIntPtr(V* vector, E** begin, intptr_t* size) {
        return cstd_vector__getBeginSize(baseOf(vector), typed(begin), size);
    }
    static int32_t getBeginSizeConst(const V* vector, const E** begin, int32_t* size) {
        return getBeginSize32Const(vector, begin, size);
    }
    static int32_t getBeginSize32Const(const V* vector, const E** begin, int32_t* size) {
        return cstd_vector__getBeginSize32Const(baseOf(vector), typed(begin), size);
    }
    static int32_t getBeginSizeIntPtrConst(const V* vector, const E** begin, intptr_t* size) {
        return cstd_vector__getBeginSizeConst(baseOf(vector), typed(begin), size);
    }

    static int32_t getElement(V* vector, intptr_t index, E** element) {
        return cstd_vector__getElement(baseOf(vector), index, typed(element));
    }
    static int32_t getElementConst(const V* vector, intptr_t index, const E** element) {
        return cstd_vector__getElementConst(baseOf(vector), index, typed(element));
    }
    static int32_t getNextElement(V* vector, const E* element, E** next) {
        return cstd_vector__getNextElement(baseOf(vector), element, typed(next));
    }
    static int32_t getNextElementConst(const V* vector, const E* element, const E** next) {
        return cstd_vector__getNextElementConst(baseOf(vector), element, typed(next));
    }

    static int32_t insert(V* vector, intptr_t index, const E* first, const E* last) {
        return cstd_vector__insert(baseOf(vector), index, first, last);
    }
    static int32_t insertElement(V* vector, intptr_t index, const E* element) {
        return cstd_vector__insertElement(baseOf(vector), index, element);
    }
    static int32_t erase(V* vector, intptr_t index, intptr_t count) {
        return cstd_vector__erase(baseOf(vector), index, count);
    }
    static int32_t eraseElement(V* vector, intptr_t index) {
        return cstd_vector__eraseElement(baseOf(vector), index);
    }
    static int32_t pushBack(V* vector, const E* element) {
        return cstd_vector__pushBack(baseOf(vector), element);
    }
    static int32_t append(V* vector, const V* source) {
        return cstd_vector__append(baseOf(vector), baseOf(source));
    }
    static int32_t swap(V* vector, V* other) {
        return cstd_vector__swap(baseOf(vector), baseOf(other));
    }
    static int32_t popBack(V* vector) { return cstd_vector__popBack(baseOf(vector)); }
    static int32_t clear(V* vector) { return cstd_vector__clear(baseOf(vector)); }
    static int32_t clearAndFreeMemory(V* vector) {
        return cstd_vector__clearAndFreeMemory(baseOf(vector));
    }

    using Lifecycle = HeapLifecycle<V, &constructEmpty, &destruct, &assign>;
    static int32_t newClone(V** vector, const V* source) {
        return Lifecycle::clone(vector, source);
    }
};

}  // namespace cclp
