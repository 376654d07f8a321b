// The runtime's generic vector, as far as the module's vector families rely
// on it: a failed growth, even from the vector's own elements, leaves the
// vector and every element's block as they were.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "cstd_vector.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

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

}  // namespace

// On failure the vector is exactly as it was, storage included. Three
// elements leave room for one more; four fill the storage.
TEST(VectorBase, FailedGrowthLeavesTheVectorAsItWas) {
    const Item fill{4, nullptr};
    const std::function<int32_t(cstd_vector&)> operations[] = {
        [](cstd_vector& v) { return cstd_vector__resize(&v, 7); },
        [&](cstd_vector& v) { return cstd_vector__pushBack(&v, &fill); },
        [&](cstd_vector& v) { return cstd_vector__insertElement(&v, 0, &fill); },
        [](cstd_vector& v) { return cstd_vector__insert(&v, 1, beginOf(v), beginOf(v) + 2); },
        [](cstd_vector& v) { return cstd_vector__append(&v, &v); },
    };
    for (const auto values : {std::initializer_list<int32_t>{1, 2, 3}, {1, 2, 3, 4}}) {
        for (const auto& operation : operations) {
            sweepAllocationFailures([&](int32_t k) {
                cstd_vector vector = itemsOf(values);
                const Item* begin = beginOf(vector);
                const int32_t status = failingAt(k, [&] { return operation(vector); });
                if (status < 0) {
                    EXPECT_EQ(valuesOf(vector), Values(values));
                    EXPECT_EQ(beginOf(vector), begin);
                }
                EXPECT_EQ(cstd_vector__destruct(&vector), 0);
                return status;
            });
        }
    }
}

