#include "vector_storage.hpp"

#include <algorithm>
#include <cstring>

namespace csys::vector {
namespace {

bool hasEndMark(const cstd_vectorElementOps* table) {
    return table->endMark == CSTD_VECTOR_TABLE_END_MARK;
}
bool hasEndMark(const cstd_vectorMemoryOps* table) {
    return table->endMark == CSTD_VECTOR_TABLE_END_MARK;
}

// Largest element count whose bytes a pointer difference can still measure.
intptr_t maxElements(intptr_t elementSize) { return INTPTR_MAX / elementSize; }

size_t byteCount(intptr_t count, intptr_t elementSize) {
    return static_cast<size_t>(count) * static_cast<size_t>(elementSize);
}

uintptr_t address(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }

}  // namespace

std::byte* elementAt(void* begin, intptr_t elementSize, intptr_t index) {
    return static_cast<std::byte*>(begin) + index * elementSize;
}

int32_t constructElement(const cstd_vector& vector, void* element) {
    const cstd_vectorElementOps* ops = vector.elementOps;
    if (ops != nullptr && ops->construct != nullptr) return ops->construct(element, nullptr);
    std::memset(element, 0, byteCount(1, vector.elementSize));
    return CSYS_STATUS_OK;
}

int32_t copyElement(const cstd_vector& vector, void* destination, const void* source) {
    const cstd_vectorElementOps* ops = vector.elementOps;
    if (ops != nullptr && ops->copyConstruct != nullptr)
        return ops->copyConstruct(destination, source);
    std::memcpy(destination, source, byteCount(1, vector.elementSize));
    return CSYS_STATUS_OK;
}

int32_t assignElement(const cstd_vector& vector, void* destination, const void* source) {
    if (destination == source) return CSYS_STATUS_OK;
    const cstd_vectorElementOps* ops = vector.elementOps;
    if (ops != nullptr && ops->assign != nullptr) return ops->assign(destination, source);
    std::memcpy(destination, source, byteCount(1, vector.elementSize));
    return CSYS_STATUS_OK;
}

int32_t destructElements(const cstd_vector& vector, std::byte* first, intptr_t count) {
    const cstd_vectorElementOps* ops = vector.elementOps;
    if (ops == nullptr || ops->destruct == nullptr) return CSYS_STATUS_OK;
    int32_t firstFailure = CSYS_STATUS_OK;
    for (intptr_t i = count; i-- > 0;) {
        const int32_t status = ops->destruct(first + i * vector.elementSize);
        if (status < 0 && firstFailure == CSYS_STATUS_OK) firstFailure = status;
    }
    return firstFailure;
}

int32_t checkElementType(intptr_t elementSize, const cstd_vectorElementOps* table,
                         const cstd_vectorMemoryOps* memoryTable) {
    CSYS_REQUIRE_NONNULL(table);
    if (elementSize <= 0 || !hasEndMark(table)) return CSYS_STATUS_INVALID_ARGUMENT;
    if (memoryTable != nullptr && !hasEndMark(memoryTable)) return CSYS_STATUS_INVALID_ARGUMENT;
    return CSYS_STATUS_OK;
}

bool haveSameElementType(const cstd_vector& a, const cstd_vector& b) {
    return a.elementSize == b.elementSize && a.elementOps == b.elementOps;
}

int32_t allocateStorage(const cstd_vector& vector, intptr_t capacity, void** block) {
    if (vector.elementSize <= 0) return CSYS_STATUS_INVALID_ARGUMENT;
    if (capacity > maxElements(vector.elementSize)) return CSYS_STATUS_OUT_OF_MEMORY;
    const cstd_vectorMemoryOps* memory = vector.memoryOps;
    const auto alloc =
        memory != nullptr && memory->alloc != nullptr ? memory->alloc : &csys_memory_alloc_internal;
    return alloc(byteCount(capacity, vector.elementSize), block);
}

void freeStorage(const cstd_vector& vector, void** block) {
    const cstd_vectorMemoryOps* memory = vector.memoryOps;
    const auto release =
        memory != nullptr && memory->free != nullptr ? memory->free : &csys_memory_free_internal;
    // Freeing a block that the table handed out does not fail; there would
    // be nothing left to undo if it did.
    static_cast<void>(release(block));
    *block = nullptr;
}

void moveToStorage(cstd_vector& vector, void* block, intptr_t capacity) {
    if (vector.size > 0) {
        std::memcpy(block, vector.begin, byteCount(vector.size, vector.elementSize));
    }
    freeStorage(vector, &vector.begin);
    vector.begin = block;
    vector.capacity = capacity;
}

int32_t toBlock(const cstd_vector& vector, const void* first, const void* last, Block* block) {
    *block = Block{nullptr, 0};
    if (first == nullptr && last == nullptr) return CSYS_STATUS_OK;
    CSYS_REQUIRE_NONNULL(first, last);
    if (vector.elementSize <= 0) return CSYS_STATUS_INVALID_ARGUMENT;
    const uintptr_t from = address(first);
    const uintptr_t to = address(last);
    const auto elementSize = static_cast<uintptr_t>(vector.elementSize);
    if (to < from || (to - from) % elementSize != 0) return CSYS_STATUS_INVALID_ARGUMENT;
    const uintptr_t storage = address(vector.begin);
    const uintptr_t storageEnd = storage + byteCount(vector.capacity, vector.elementSize);
    const uintptr_t constructedEnd = storage + byteCount(vector.size, vector.elementSize);
    const bool overlapsStorage = from < storageEnd && to > storage;
    if (overlapsStorage &&
        (from < storage || to > constructedEnd || (from - storage) % elementSize != 0)) {
        return CSYS_STATUS_INVALID_ARGUMENT;
    }
    *block = Block{static_cast<const std::byte*>(first),
                   static_cast<intptr_t>((to - from) / elementSize)};
    return CSYS_STATUS_OK;
}

intptr_t grownCapacity(const cstd_vector& vector, intptr_t needed) {
    const intptr_t limit = maxElements(vector.elementSize);
    const intptr_t doubled = vector.capacity > limit / 2 ? limit : 2 * vector.capacity;
    return std::max(needed, doubled);
}

int32_t appendCopies(cstd_vector& vector, const Block& block) {
    const intptr_t elementSize = vector.elementSize;
    return appendBuilt(vector, block.count, [&](std::byte* slot, intptr_t i) {
        return copyElement(vector, slot, block.at(i, elementSize));
    });
}

int32_t assignCopies(cstd_vector& vector, const Block& block) {
    const intptr_t elementSize = vector.elementSize;
    if (block.count > vector.capacity) {
        // A larger block: build the copies first, so that a failure leaves
        // the vector untouched.
        void* storage = nullptr;
        CSYS_RETURN_IF_FAILED(allocateStorage(vector, block.count, &storage));
        const int32_t built =
            buildElements(vector, static_cast<std::byte*>(storage), block.count,
                          [&](std::byte* slot, intptr_t i) {
                              return copyElement(vector, slot, block.at(i, elementSize));
                          });
        if (built < 0) {
            freeStorage(vector, &storage);
            return built;
        }
        const int32_t dropped = destructElements(vector, elementAt(vector, 0), vector.size);
        vector.size = 0;
        moveToStorage(vector, storage, block.count);
        vector.size = block.count;
        return dropped;
    }
    // In place: a block inside the vector lies at or after its first element,
    // so assigning front to back reads every source before overwriting it.
    const intptr_t common = std::min(vector.size, block.count);
    for (intptr_t i = 0; i < common; ++i) {
        CSYS_RETURN_IF_FAILED(
            assignElement(vector, elementAt(vector, i), block.at(i, elementSize)));
    }
    return resizeTo(vector, block.count, [&](std::byte* slot, intptr_t i) {
        return copyElement(vector, slot, block.at(common + i, elementSize));
    });
}

}  // namespace csys::vector
