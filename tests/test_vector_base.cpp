// The runtime's generic vector: storage, growth, element handling through
// the element-operation table, and failure guarantees.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "cstd_vector.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// An element that owns a heap block holding a copy of its value, so that
// leaks, double frees and skipped constructions all show. Assignment clones
// into the held variable, which keeps the old block until the new exists.
struct Item {
    int32_t value;
    void* block;
};
constexpr intptr_t kItemSize = sizeof(Item);

int32_t setItem(void* element, int32_t value) {
    static_cast<Item*>(element)->value = value;
    static_cast<Item*>(element)->block = nullptr;
    return csys_memory_clone_internal(sizeof value, &value, &static_cast<Item*>(element)->block);
}

const cstd_vectorElementOps kItemOps = {
    [](void* element, void*) { return setItem(element, 7); },
    [](void* to, const void* from) { return setItem(to, static_cast<const Item*>(from)->value); },
    [](void* to, const void* from) {
        const int32_t* value = &static_cast<const Item*>(from)->value;
        const int32_t status =
            csys_memory_clone_internal(sizeof *value, value, &static_cast<Item*>(to)->block);
        if (status >= 0) static_cast<Item*>(to)->value = *value;
        return status;
    },
    [](void* element) { return csys_memory_free_internal(&static_cast<Item*>(element)->block); },
    CSTD_VECTOR_TABLE_END_MARK};
const cstd_vectorElementOps kPlainOps = {nullptr, nullptr, nullptr, nullptr,
                                         CSTD_VECTOR_TABLE_END_MARK};

using Values = std::vector<int32_t>;

cstd_vector itemsOf(std::initializer_list<int32_t> values) {
    cstd_vector vector;
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 0, kItemSize, &kItemOps), 0);
    for (int32_t value : values) {
        const Item source{value, nullptr};
        EXPECT_EQ(cstd_vector__pushBack(&vector, &source), 0);
    }
    return vector;
}

const Item* beginOf(const cstd_vector& vector) {
    const void* begin = nullptr;
    EXPECT_EQ(cstd_vector__getBeginConst(&vector, &begin), 0);
    return static_cast<const Item*>(begin);
}

// The values of a vector of items; every item must own a matching block.
Values valuesOf(const cstd_vector& vector) {
    intptr_t size = -1;
    EXPECT_EQ(cstd_vector__getSize(&vector, &size), 0);
    Values values;
    for (const Item* item = beginOf(vector); item < beginOf(vector) + size; ++item) {
        EXPECT_TRUE(item->block != nullptr && *static_cast<int32_t*>(item->block) == item->value);
        values.push_back(item->value);
    }
    return values;
}

intptr_t capacityOf(const cstd_vector& vector) {
    intptr_t capacity = -1;
    EXPECT_EQ(cstd_vector__getCapacity(&vector, &capacity), 0);
    return capacity;
}

void destruct(std::initializer_list<cstd_vector*> vectors) {
    for (cstd_vector* vector : vectors) EXPECT_EQ(cstd_vector__destruct(vector), 0);
}

}  // namespace

// On success each construction holds its elements; on failure nothing is
// left; a vector may be destructed twice.
TEST(VectorBase, ConstructionsBuildTheirElementsOrLeaveNothing) {
    const Item fill{3, nullptr};
    cstd_vector source = itemsOf({1, 2, 3});
    const Item* begin = beginOf(source);
    const std::pair<std::function<int32_t(cstd_vector*)>, Values> constructions[] = {
        {[](cstd_vector* v) {
             return cstd_vector__constructWithVtable(v, 4, kItemSize, &kItemOps);
         },
         {7, 7, 7, 7}},
        {[&](cstd_vector* v) {
             return cstd_vector__constructFillWithVtable(v, 3, kItemSize, &fill, &kItemOps);
         },
         {3, 3, 3}},
        {[&](cstd_vector* v) {
             return cstd_vector__constructFromBlockWithVtable(v, kItemSize, begin + 1, begin + 3,
                                                              &kItemOps);
         },
         {2, 3}},
        {[&](cstd_vector* v) { return cstd_vector__constructCopy(v, &source); }, {1, 2, 3}},
    };
    for (const auto& [construct, expected] : constructions) {
        EXPECT_GE(sweepAllocationFailures([&](int32_t k) {
                      cstd_vector vector;
                      const int32_t status = failingAt(k, [&] { return construct(&vector); });
                      EXPECT_EQ(valuesOf(vector), status < 0 ? Values{} : expected);
                      destruct({&vector, &vector});
                      return status;
                  }),
                  3)
            << "the storage and every element's block";
    }
    destruct({&source});
}

// Refused without an assertion, except a missing table; the vector is left
// destructible.
TEST(VectorBase, RefusesBadElementTypesAndNullPointers) {
    LeakCheck leaks;
    AssertionCounter assertions;
    cstd_vectorElementOps unmarked = kItemOps;
    unmarked.endMark = 0;
    const cstd_vectorMemoryOps unmarkedMemory = {nullptr, nullptr, 0};
    cstd_vector vector;
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 2, kItemSize, &unmarked),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 2, 0, &kItemOps),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__resize(&vector, 2), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, -1, kItemSize, &kItemOps),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__constructWithVtableWithMtable(&vector, 1, kItemSize, &kItemOps,
                                                         &unmarkedMemory),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(assertions.count(), 0);
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 2, kItemSize, nullptr),
              CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cstd_vector__constructCopy(&vector, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    destruct({&vector});
    // Outputs are cleared.
    vector = itemsOf({1});
    void* begin = &vector;
    void* end = &vector;
    EXPECT_EQ(cstd_vector__getBeginEnd(&vector, &begin, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(begin, nullptr);
    EXPECT_EQ(cstd_vector__getBeginEnd(nullptr, &begin, &end), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(end, nullptr);
    EXPECT_EQ(cstd_vector__pushBack(&vector, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cstd_vector__destruct(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cstd_vector__assign(nullptr, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 7);
    destruct({&vector});
}

// The capacity doubles. Elements and blocks of the vector itself, pushed,
// inserted, assigned or appended, are copied before the old storage goes.
// Blocks must be whole constructed elements; inserting at the size appends.
TEST(VectorBase, EditsKeepTheOrderAndMayTakeTheVectorsOwnElements) {
    LeakCheck leaks;
    cstd_vector vector = itemsOf({1, 2, 3});
    EXPECT_EQ(capacityOf(vector), 4);
    const Item ten{10, nullptr};
    ASSERT_EQ(cstd_vector__insertElement(&vector, 1, &ten), 0);
    ASSERT_EQ(cstd_vector__pushBack(&vector, beginOf(vector) + 3), 0);
    EXPECT_EQ(capacityOf(vector), 8);
    ASSERT_EQ(cstd_vector__insert(&vector, 0, beginOf(vector) + 2, beginOf(vector) + 4), 0);
    EXPECT_EQ(valuesOf(vector), (Values{2, 3, 1, 10, 2, 3, 3}));
    ASSERT_EQ(cstd_vector__erase(&vector, 1, 3), 0);
    ASSERT_EQ(cstd_vector__eraseElement(&vector, 0), 0);
    ASSERT_EQ(cstd_vector__popBack(&vector), 0);
    ASSERT_EQ(cstd_vector__insertElement(&vector, 2, &ten), 0);
    EXPECT_EQ(valuesOf(vector), (Values{2, 3, 10}));
    ASSERT_EQ(cstd_vector__append(&vector, &vector), 0);
    ASSERT_EQ(cstd_vector__assignElements(&vector, beginOf(vector) + 1, beginOf(vector) + 5), 0);
    EXPECT_EQ(valuesOf(vector), (Values{3, 10, 2, 3}));
    cstd_vector plain, other = itemsOf({8});
    ASSERT_EQ(cstd_vector__constructWithVtable(&plain, 1, kItemSize, &kPlainOps), 0);
    EXPECT_EQ(cstd_vector__assign(&vector, &plain), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__append(&vector, &plain), CSYS_STATUS_INVALID_ARGUMENT);
    ASSERT_EQ(cstd_vector__swap(&vector, &other), 0);
    EXPECT_EQ(valuesOf(other), (Values{3, 10, 2, 3}));
    EXPECT_EQ(cstd_vector__erase(&vector, 1, 1), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__insertElement(&vector, 2, &ten), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__eraseElement(&vector, -1), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__resize(&vector, -1), CSYS_STATUS_INVALID_ARGUMENT);
    ASSERT_EQ(cstd_vector__reserve(&vector, 4), 0);  // room past the last element
    const auto* bytes = reinterpret_cast<const std::byte*>(beginOf(vector));
    const std::pair<intptr_t, intptr_t> badBlocks[] = {
        {0, kItemSize + 1}, {kItemSize, 0}, {kItemSize, 2 * kItemSize}, {1, 1 + kItemSize}};
    for (const auto& [first, last] : badBlocks) {
        EXPECT_EQ(cstd_vector__insert(&vector, 0, bytes + first, bytes + last),
                  CSYS_STATUS_INVALID_ARGUMENT)
            << first << ".." << last;
    }
    EXPECT_EQ(cstd_vector__insert(&vector, 0, nullptr, nullptr), 0) << "an empty block";
    ASSERT_EQ(cstd_vector__clear(&vector), 0);
    EXPECT_EQ(cstd_vector__popBack(&vector), CSYS_STATUS_INVALID_ARGUMENT);
    destruct({&vector, &other, &plain});
}

// Unconstructed elements are zero bytes, never garbage.
TEST(VectorBase, UnconstructedElementsMissingElementsAndSizesBeyond32Bits) {
    LeakCheck leaks;
    cstd_vector vector;
    ASSERT_EQ(cstd_vector__constructWithVtableUninit(&vector, 2, kItemSize, &kItemOps), 0);
    EXPECT_EQ(beginOf(vector)[1].value, 0);
    EXPECT_EQ(beginOf(vector)[1].block, nullptr);
    void* element = &vector;
    EXPECT_EQ(cstd_vector__getElement(&vector, 2, &element), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(element, nullptr);
    destruct({&vector});
    cstd_vector huge{};
    huge.size = static_cast<intptr_t>(INT32_MAX) + 1;
    int32_t size32 = 5;
    EXPECT_EQ(cstd_vector__getSize32(&huge, &size32), CSYS_STATUS_OVERFLOW);
    EXPECT_EQ(size32, 0);
}

// On failure the vector is exactly as it was, storage included. Three
// elements leave room for one more; four fill the storage.
TEST(VectorBase, FailedGrowthLeavesTheVectorAsItWas) {
    const Item fill{4, nullptr};
    const std::function<int32_t(cstd_vector&)> operations[] = {
        [](cstd_vector& v) { return cstd_vector__resize(&v, 7); },
        [&](cstd_vector& v) { return cstd_vector__resizeFill(&v, 6, &fill); },
        [](cstd_vector& v) { return cstd_vector__reserve(&v, 9); },
        [&](cstd_vector& v) { return cstd_vector__pushBack(&v, &fill); },
        [&](cstd_vector& v) { return cstd_vector__insertElement(&v, 0, &fill); },
        [](cstd_vector& v) { return cstd_vector__insert(&v, 1, beginOf(v), beginOf(v) + 2); },
        [](cstd_vector& v) { return cstd_vector__resize(&v, 4); },
        [](cstd_vector& v) { return cstd_vector__append(&v, &v); },
    };
    for (const auto values : {std::initializer_list<int32_t>{1, 2, 3}, {1, 2, 3, 4}}) {
        for (const auto& operation : operations) {
            sweepAllocationFailures([&](int32_t k) {
                cstd_vector vector = itemsOf(values);
                const Item* begin = beginOf(vector);
                const intptr_t capacity = capacityOf(vector);
                const int32_t status = failingAt(k, [&] { return operation(vector); });
                if (status < 0) {
                    EXPECT_EQ(valuesOf(vector), Values(values));
                    EXPECT_EQ(beginOf(vector), begin);
                    EXPECT_EQ(capacityOf(vector), capacity);
                }
                destruct({&vector});
                return status;
            });
        }
    }
}

// Assignment that needs new storage is all or nothing; in place, every
// element stays valid.
TEST(VectorBase, FailedAssignmentLeavesValidElements) {
    for (const auto target : {std::initializer_list<int32_t>{1}, {1, 2, 3, 4}}) {
        sweepAllocationFailures([&](int32_t k) {
            cstd_vector vector = itemsOf(target);
            cstd_vector source = itemsOf({7, 8, 9});
            const int32_t status =
                failingAt(k, [&] { return cstd_vector__assign(&vector, &source); });
            const Values values = valuesOf(vector);
            if (status >= 0 || target.size() == 1) {
                EXPECT_EQ(values, (status >= 0 ? Values{7, 8, 9} : Values{1}));
            }
            destruct({&vector, &source});
            return status;
        });
    }
}
