// The runtime's generic vector: storage, growth, element handling through
// the element-operation table, failure guarantees and the shareable kind.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "cstd_vector.h"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// An element that owns a heap block holding a copy of its value, so that
// leaks, double frees and skipped constructions all show.
struct Item {
    int32_t value;
    void* block;
};

constexpr int32_t kConstructedValue = 7;
constexpr intptr_t kItemSize = sizeof(Item);

int32_t ownValue(Item* item) {
    item->block = nullptr;
    return csys_memory_clone_internal(sizeof item->value, &item->value, &item->block);
}

const cstd_vectorElementOps kItemOps = {
    [](void* element, void*) {
        static_cast<Item*>(element)->value = kConstructedValue;
        return ownValue(static_cast<Item*>(element));
    },
    [](void* destination, const void* source) {
        static_cast<Item*>(destination)->value = static_cast<const Item*>(source)->value;
        return ownValue(static_cast<Item*>(destination));
    },
    // Cloning into a held variable keeps the old block until the new exists.
    [](void* destination, const void* source) {
        auto* item = static_cast<Item*>(destination);
        const auto* from = static_cast<const Item*>(source);
        const int32_t status =
            csys_memory_clone_internal(sizeof from->value, &from->value, &item->block);
        if (status >= 0) item->value = from->value;
        return status;
    },
    [](void* element) { return csys_memory_free_internal(&static_cast<Item*>(element)->block); },
    CSTD_VECTOR_TABLE_END_MARK};
const cstd_vectorElementOps kPlainOps = {nullptr, nullptr, nullptr, nullptr,
                                         CSTD_VECTOR_TABLE_END_MARK};

using Values = std::vector<int32_t>;

// A vector of items with these values, built by pushing back each in turn.
cstd_vector itemsOf(std::initializer_list<int32_t> values) {
    cstd_vector vector;
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 0, kItemSize, &kItemOps), 0);
    for (int32_t value : values) {
        const Item source{value, nullptr};
        EXPECT_EQ(cstd_vector__pushBack(&vector, &source), 0);
    }
    return vector;
}

// The values of a vector of items; every item must own a matching block.
Values valuesOf(const cstd_vector& vector) {
    const void* begin = nullptr;
    intptr_t size = -1;
    EXPECT_EQ(cstd_vector__getBeginSizeConst(&vector, &begin, &size), 0);
    Values values;
    for (intptr_t i = 0; i < size; ++i) {
        const Item& element = static_cast<const Item*>(begin)[i];
        EXPECT_NE(element.block, nullptr) << "element " << i << " not constructed";
        if (element.block != nullptr) {
            EXPECT_EQ(*static_cast<const int32_t*>(element.block), element.value);
        }
        values.push_back(element.value);
    }
    return values;
}

intptr_t capacityOf(const cstd_vector& vector) {
    intptr_t capacity = -1;
    EXPECT_EQ(cstd_vector__getCapacity(&vector, &capacity), 0);
    return capacity;
}

const Item* beginOf(const cstd_vector& vector) {
    const void* begin = nullptr;
    EXPECT_EQ(cstd_vector__getBeginConst(&vector, &begin), 0);
    return static_cast<const Item*>(begin);
}

void destruct(std::initializer_list<cstd_vector*> vectors) {
    for (cstd_vector* vector : vectors) EXPECT_EQ(cstd_vector__destruct(vector), 0);
}

}  // namespace

TEST(VectorBaseConstruct, BuildsCopiesAndFillsThroughTheTable) {
    LeakCheck leaks;
    const Item fill{5, nullptr};
    cstd_vector built, filled, fromBlock, copy;
    ASSERT_EQ(cstd_vector__constructWithVtable(&built, 3, kItemSize, &kItemOps), 0);
    EXPECT_EQ(valuesOf(built), Values(3, kConstructedValue));
    EXPECT_EQ(capacityOf(built), 3);
    ASSERT_EQ(cstd_vector__constructFillWithVtable(&filled, 2, kItemSize, &fill, &kItemOps), 0);
    EXPECT_EQ(valuesOf(filled), (Values{5, 5}));
    cstd_vector source = itemsOf({1, 2, 3});
    ASSERT_EQ(cstd_vector__constructFromBlockWithVtable(&fromBlock, kItemSize, beginOf(source) + 1,
                                                        beginOf(source) + 3, &kItemOps),
              0);
    EXPECT_EQ(valuesOf(fromBlock), (Values{2, 3}));
    ASSERT_EQ(cstd_vector__constructCopy(&copy, &source), 0);
    destruct({&source, &built, &filled, &fromBlock});
    EXPECT_EQ(valuesOf(copy), (Values{1, 2, 3})) << "the copy owns its own elements";
    destruct({&copy, &copy});  // a destructed vector may be destructed again
    EXPECT_EQ(beginOf(copy), nullptr);
}

// Null entries mean plain bytes; unconstructed elements are zero bytes.
TEST(VectorBaseConstruct, PlainAndUninitialisedElementsAreZeroBytes) {
    LeakCheck leaks;
    cstd_vector vector;
    ASSERT_EQ(cstd_vector__constructWithVtable(&vector, 2, sizeof(int64_t), &kPlainOps), 0);
    const int64_t value = 0x0102030405060708;
    ASSERT_EQ(cstd_vector__pushBack(&vector, &value), 0);
    const void* begin = nullptr;
    ASSERT_EQ(cstd_vector__getBeginConst(&vector, &begin), 0);
    EXPECT_EQ(static_cast<const int64_t*>(begin)[1], 0);
    EXPECT_EQ(static_cast<const int64_t*>(begin)[2], value);
    destruct({&vector});
    ASSERT_EQ(cstd_vector__constructWithVtableUninit(&vector, 2, kItemSize, &kItemOps), 0);
    EXPECT_EQ(beginOf(vector)[1].value, 0);
    EXPECT_EQ(beginOf(vector)[1].block, nullptr);
    destruct({&vector});
}

// A refused construction leaves a vector that destructs to nothing.
TEST(VectorBaseConstruct, RefusesBadElementTypes) {
    LeakCheck leaks;
    AssertionCounter assertions;
    cstd_vectorElementOps unmarked = kItemOps;
    unmarked.endMark = 0;
    const cstd_vectorMemoryOps unmarkedMemory = {nullptr, nullptr, 0};
    cstd_vector vector;
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 2, kItemSize, &unmarked),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__destruct(&vector), 0);
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 2, 0, &kItemOps),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__resize(&vector, 2), CSYS_STATUS_INVALID_ARGUMENT)
        << "a vector without an element type cannot grow";
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, -1, kItemSize, &kItemOps),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__constructWithVtableWithMtable(&vector, 1, kItemSize, &kItemOps,
                                                         &unmarkedMemory),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(assertions.count(), 0);
    EXPECT_EQ(cstd_vector__constructWithVtable(&vector, 2, kItemSize, nullptr),
              CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 1);
    EXPECT_EQ(cstd_vector__destruct(&vector), 0);
}

// An element of the vector itself, pushed while the storage moves, is
// copied before the old storage goes.
TEST(VectorBaseGrowth, CapacityDoublesAndElementsSurviveEveryMove) {
    LeakCheck leaks;
    cstd_vector vector = itemsOf({});
    std::vector<intptr_t> capacities;
    for (int32_t i = 0; i < 9; ++i) {
        const Item next{i, nullptr};
        ASSERT_EQ(cstd_vector__pushBack(&vector, &next), 0);
        capacities.push_back(capacityOf(vector));
    }
    EXPECT_EQ(capacities, (std::vector<intptr_t>{1, 2, 4, 4, 8, 8, 8, 8, 16}));
    EXPECT_EQ(valuesOf(vector), (Values{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_EQ(cstd_vector__resize(&vector, 16), 0);
    ASSERT_EQ(cstd_vector__pushBack(&vector, beginOf(vector)), 0);
    EXPECT_EQ(valuesOf(vector)[16], 0);
    ASSERT_EQ(cstd_vector__reserve(&vector, 40), 0);
    ASSERT_EQ(cstd_vector__reserve(&vector, 3), 0);
    EXPECT_EQ(capacityOf(vector), 40) << "reserve never shrinks";
    destruct({&vector});
}

TEST(VectorBaseResize, ShrinksAndGrowsThroughTheTable) {
    LeakCheck leaks;
    cstd_vector vector = itemsOf({1, 2, 3, 4});
    ASSERT_EQ(cstd_vector__resize(&vector, 2), 0);
    EXPECT_EQ(capacityOf(vector), 4) << "shrinking keeps the storage";
    ASSERT_EQ(cstd_vector__resize(&vector, 3), 0);
    const Item fill{9, nullptr};
    ASSERT_EQ(cstd_vector__resizeFill(&vector, 5, &fill), 0);
    EXPECT_EQ(valuesOf(vector), (Values{1, 2, kConstructedValue, 9, 9}));
    ASSERT_EQ(cstd_vector__clear(&vector), 0);
    EXPECT_EQ(valuesOf(vector), Values{});
    EXPECT_GE(capacityOf(vector), 5);
    ASSERT_EQ(cstd_vector__clearAndFreeMemory(&vector), 0);
    EXPECT_EQ(capacityOf(vector), 0);
    EXPECT_EQ(cstd_vector__resize(&vector, -1), CSYS_STATUS_INVALID_ARGUMENT);
    destruct({&vector});
}

// Blocks must be whole constructed elements; inserting at the size appends;
// a block of the vector's own elements survives the move to larger storage.
TEST(VectorBaseEdit, InsertEraseAndPopKeepTheOrder) {
    LeakCheck leaks;
    cstd_vector vector = itemsOf({1, 2, 3});
    const Item ten{10, nullptr};
    ASSERT_EQ(cstd_vector__insertElement(&vector, 1, &ten), 0);
    ASSERT_EQ(cstd_vector__insertElement(&vector, 4, &ten), 0);
    EXPECT_EQ(valuesOf(vector), (Values{1, 10, 2, 3, 10}));
    ASSERT_EQ(cstd_vector__insert(&vector, 0, beginOf(vector) + 2, beginOf(vector) + 4), 0);
    EXPECT_EQ(valuesOf(vector), (Values{2, 3, 1, 10, 2, 3, 10}));
    ASSERT_EQ(cstd_vector__erase(&vector, 1, 3), 0);
    ASSERT_EQ(cstd_vector__eraseElement(&vector, 0), 0);
    ASSERT_EQ(cstd_vector__popBack(&vector), 0);
    EXPECT_EQ(valuesOf(vector), (Values{2, 3}));
    EXPECT_EQ(cstd_vector__erase(&vector, 1, 2), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__insertElement(&vector, 3, &ten), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__eraseElement(&vector, -1), CSYS_STATUS_INVALID_ARGUMENT);
    ASSERT_EQ(cstd_vector__reserve(&vector, 8), 0);
    const auto* bytes = reinterpret_cast<const std::byte*>(beginOf(vector));
    const std::pair<intptr_t, intptr_t> badBlocks[] = {
        {0, kItemSize + 1}, {kItemSize, 0}, {2 * kItemSize, 4 * kItemSize}, {1, 1 + kItemSize}};
    for (const auto& [first, last] : badBlocks) {
        EXPECT_EQ(cstd_vector__insert(&vector, 0, bytes + first, bytes + last),
                  CSYS_STATUS_INVALID_ARGUMENT)
            << first << ".." << last;
    }
    EXPECT_EQ(cstd_vector__insert(&vector, 0, nullptr, nullptr), 0) << "an empty block";
    EXPECT_EQ(valuesOf(vector), (Values{2, 3}));
    ASSERT_EQ(cstd_vector__clear(&vector), 0);
    EXPECT_EQ(cstd_vector__popBack(&vector), CSYS_STATUS_INVALID_ARGUMENT);
    destruct({&vector});
}

TEST(VectorBaseAccess, ElementsAndTheWalkOverThem) {
    LeakCheck leaks;
    cstd_vector vector = itemsOf({4, 5, 6});
    void* element = nullptr;
    ASSERT_EQ(cstd_vector__getElement(&vector, 2, &element), 0);
    EXPECT_EQ(static_cast<Item*>(element)->value, 6);
    EXPECT_EQ(cstd_vector__getElement(&vector, 3, &element), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(element, nullptr);
    Values walked;
    void* next = nullptr;
    ASSERT_EQ(cstd_vector__getNextElement(&vector, nullptr, &next), 0);
    while (next != nullptr) {
        walked.push_back(static_cast<Item*>(next)->value);
        ASSERT_EQ(cstd_vector__getNextElement(&vector, next, &next), 0);
    }
    EXPECT_EQ(walked, (Values{4, 5, 6}));
    const Item outsider{0, nullptr};
    EXPECT_EQ(cstd_vector__getNextElement(&vector, &outsider, &next), CSYS_STATUS_INVALID_ARGUMENT);
    destruct({&vector});

    cstd_vector huge{};
    huge.size = static_cast<intptr_t>(INT32_MAX) + 1;
    int32_t size32 = 5;
    EXPECT_EQ(cstd_vector__getSize32(&huge, &size32), CSYS_STATUS_OVERFLOW);
    EXPECT_EQ(size32, 0);
}

TEST(VectorBaseAssign, CopiesElementwiseAndRefusesOtherTypes) {
    LeakCheck leaks;
    cstd_vector vector = itemsOf({1, 2, 3});
    cstd_vector shorter = itemsOf({8});
    cstd_vector longer = itemsOf({5, 6, 7, 8, 9});
    ASSERT_EQ(cstd_vector__assign(&vector, &vector), 0);
    ASSERT_EQ(cstd_vector__assign(&vector, &shorter), 0);
    EXPECT_EQ(valuesOf(vector), (Values{8}));
    ASSERT_EQ(cstd_vector__assign(&vector, &longer), 0);
    ASSERT_EQ(cstd_vector__assignElements(&vector, beginOf(vector) + 2, beginOf(vector) + 5), 0);
    EXPECT_EQ(valuesOf(vector), (Values{7, 8, 9}));
    ASSERT_EQ(cstd_vector__append(&vector, &vector), 0);
    EXPECT_EQ(valuesOf(vector), (Values{7, 8, 9, 7, 8, 9}));
    cstd_vector plain;
    ASSERT_EQ(cstd_vector__constructWithVtable(&plain, 1, kItemSize, &kPlainOps), 0);
    EXPECT_EQ(cstd_vector__assign(&vector, &plain), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cstd_vector__append(&vector, &plain), CSYS_STATUS_INVALID_ARGUMENT);
    ASSERT_EQ(cstd_vector__swap(&vector, &shorter), 0);
    EXPECT_EQ(valuesOf(vector), (Values{8}));
    EXPECT_EQ(valuesOf(shorter), (Values{7, 8, 9, 7, 8, 9}));
    destruct({&vector, &shorter, &longer, &plain});
}

// Two blocks for the vector, one for its copy.
TEST(VectorBaseMemory, StorageComesFromTheMemoryTable) {
    LeakCheck leaks;
    static int allocations = 0;
    static int frees = 0;
    const cstd_vectorMemoryOps counting = {[](size_t size, void** block) {
                                               ++allocations;
                                               return csys_memory_alloc_internal(size, block);
                                           },
                                           [](void** block) {
                                               frees += *block != nullptr;
                                               return csys_memory_free_internal(block);
                                           },
                                           CSTD_VECTOR_TABLE_END_MARK};
    cstd_vector vector, copy;
    ASSERT_EQ(
        cstd_vector__constructWithVtableWithMtable(&vector, 2, kItemSize, &kItemOps, &counting), 0);
    const Item extra{1, nullptr};
    ASSERT_EQ(cstd_vector__pushBack(&vector, &extra), 0);
    ASSERT_EQ(cstd_vector__constructCopy(&copy, &vector), 0);
    destruct({&vector, &copy});
    EXPECT_EQ(allocations, 3);
    EXPECT_EQ(frees, 3);
}

// Outputs are cleared; a failed construction destructs to nothing.
TEST(VectorBaseNull, NullPointersAreReportedAndOutputsCleared) {
    AssertionCounter assertions;
    cstd_vector vector = itemsOf({1});
    void* begin = &vector;
    void* end = &vector;
    EXPECT_EQ(cstd_vector__getBeginEnd(&vector, &begin, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(begin, nullptr);
    EXPECT_EQ(cstd_vector__getBeginEnd(nullptr, &begin, &end), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(end, nullptr);
    EXPECT_EQ(cstd_vector__pushBack(&vector, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cstd_vector__destruct(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    cstd_vector copy;
    EXPECT_EQ(cstd_vector__constructCopy(&copy, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 5);
    destruct({&copy, &vector});
}

TEST(VectorBaseFailures, FailedConstructionsLeaveNothingBehind) {
    const Item fill{3, nullptr};
    cstd_vector source = itemsOf({1, 2, 3});
    const Item* begin = beginOf(source);
    const std::function<int32_t(cstd_vector*)> constructions[] = {
        [](cstd_vector* v) { return cstd_vector__constructWithVtable(v, 4, kItemSize, &kItemOps); },
        [&](cstd_vector* v) {
            return cstd_vector__constructFillWithVtable(v, 3, kItemSize, &fill, &kItemOps);
        },
        [&](cstd_vector* v) {
            return cstd_vector__constructFromBlockWithVtable(v, kItemSize, begin, begin + 3,
                                                             &kItemOps);
        },
        [&](cstd_vector* v) { return cstd_vector__constructCopy(v, &source); },
    };
    for (const auto& construct : constructions) {
        EXPECT_GE(sweepAllocationFailures([&](int32_t k) {
                      cstd_vector vector;
                      int32_t status = 0;
                      {
                          FailAllocation fail(k);
                          status = construct(&vector);
                      }
                      if (status < 0) {
                          EXPECT_EQ(valuesOf(vector), Values{});
                      }
                      destruct({&vector});
                      return status;
                  }),
                  4)
            << "the storage and every element's block";
    }
    destruct({&source});
}

// On failure the vector is exactly as it was, storage included. Three
// elements leave room for one more; four fill the storage.
TEST(VectorBaseFailures, FailedGrowthLeavesTheVectorAsItWas) {
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
                int32_t status = 0;
                {
                    FailAllocation fail(k);
                    status = operation(vector);
                }
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
TEST(VectorBaseFailures, FailedAssignmentLeavesValidElements) {
    for (const auto target : {std::initializer_list<int32_t>{1}, {1, 2, 3, 4}}) {
        sweepAllocationFailures([&](int32_t k) {
            cstd_vector vector = itemsOf(target);
            cstd_vector source = itemsOf({7, 8, 9});
            int32_t status = 0;
            {
                FailAllocation fail(k);
                status = cstd_vector__assign(&vector, &source);
            }
            const Values values = valuesOf(vector);
            if (status >= 0) {
                EXPECT_EQ(values, (Values{7, 8, 9}));
            } else if (target.size() == 1) {
                EXPECT_EQ(values, Values{1});
            }
            destruct({&vector, &source});
            return status;
        });
    }
}

// Holds a copy of the vector, forwards to it, and answers its own type
// names; the flags are reserved.
TEST(VectorShareable, HoldsACopyForwardsAndAnswersItsOwnNames) {
    LeakCheck leaks;
    static const cstd_vectorShareableMethods tagMethods = {
        nullptr, [](const void*, const char** name) {
            *name = "tag";
            return 0;
        }};
    cstd_vector vector = itemsOf({1, 2});
    cstd_vectorShareable shareable, copy;
    ASSERT_EQ(cstd_vectorShareable_construct(&shareable, &vector, &tagMethods, 0), 0);
    EXPECT_EQ(valuesOf(vector), (Values{1, 2})) << "the vector is left as it was";
    const Item three{3, nullptr};
    ASSERT_EQ(cstd_vectorShareable_pushBack(&shareable, &three), 0);
    ASSERT_EQ(cstd_vectorShareable_constructCopy(&copy, &shareable), 0);
    ASSERT_EQ(cstd_vectorShareable_resize(&shareable, 1), 0);
    EXPECT_EQ(valuesOf(copy.vector), (Values{1, 2, 3}));
    ASSERT_EQ(cstd_vectorShareable_assign(&copy, &shareable), 0);
    EXPECT_EQ(valuesOf(copy.vector), (Values{1}));
    ASSERT_EQ(cstd_vectorShareable_assignVector(&copy, &vector), 0);
    EXPECT_EQ(valuesOf(copy.vector), (Values{1, 2}));
    ASSERT_EQ(cstd_vectorShareable_reset(&copy), 0);
    EXPECT_EQ(capacityOf(copy.vector), 0);
    EXPECT_EQ(cstd_vectorShareable_construct(&copy, &vector, &tagMethods, 1),
              CSYS_STATUS_INVALID_ARGUMENT);

    const std::pair<const char*, void*> answers[] = {
        {"tag", &shareable}, {CSTD_VECTOR_SHAREABLE_TYPENAME, &shareable}, {"Tag", nullptr}};
    for (const auto& [name, expected] : answers) {
        void* object = &vector;
        ASSERT_EQ(cstd_vectorShareable_queryInterfaceByTypename(&shareable, name, &object), 0);
        EXPECT_EQ(object, expected) << name;
    }
    void* object = nullptr;
    ASSERT_EQ(cstd_vectorShareable_queryInterfaceByTypenameFinal(&shareable, CSTD_VECTOR_TYPENAME,
                                                                 &object),
              0);
    EXPECT_EQ(object, &shareable.vector);
    ASSERT_EQ(cstd_vectorShareable_queryInterfaceByTypename(nullptr, "tag", &object), 0);
    EXPECT_EQ(object, nullptr);
    AssertionCounter assertions;
    EXPECT_EQ(cstd_vectorShareable_queryInterfaceByTypename(&shareable, nullptr, &object),
              CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 1);
    for (cstd_vectorShareable* each : {&shareable, &copy}) cstd_vectorShareable_destruct(each);
    destruct({&vector});
}
