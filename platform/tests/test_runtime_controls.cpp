// The runtime stand-in's test controls and memory functions: other tests
// rely on them to find leaks and failure paths, so they are pinned here.
#include <gtest/gtest.h>

#include "csys_runtime.h"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

// A failed request leaves the variable unchanged, a failed realloc its block.
TEST(RuntimeControls, TransientFailuresHitOnlyTheKthRequestPersistentOnesAllFromIt) {
    LeakCheck leaks;
    void* blocks[3] = {nullptr, nullptr, nullptr};
    csys_testing_failAllocation(2);
    EXPECT_EQ(csys_memory_alloc_internal(4, &blocks[0]), 0);
    EXPECT_EQ(csys_memory_alloc_internal(4, &blocks[1]), CSYS_STATUS_OUT_OF_MEMORY);
    EXPECT_EQ(blocks[1], nullptr);
    EXPECT_EQ(csys_memory_clone_internal(4, blocks[0], &blocks[1]), 0);
    csys_testing_failAllocationPersistent(2);
    void* const held = blocks[0];
    EXPECT_EQ(csys_memory_alloc_internal(4, &blocks[2]), 0);
    EXPECT_EQ(csys_memory_realloc_internal(64, &blocks[0]), CSYS_STATUS_OUT_OF_MEMORY);
    EXPECT_EQ(blocks[0], held);
    EXPECT_EQ(csys_memory_clone_internal(4, held, &blocks[1]), CSYS_STATUS_OUT_OF_MEMORY);
    csys_testing_failAllocation(0);
    EXPECT_EQ(csys_memory_realloc_internal(64, &blocks[0]), 0) << "disarmed";
    for (void*& block : blocks) csys_memory_free_internal(&block);
}

TEST(RuntimeControls, AttentionFailuresAndAssertionsAreCounted) {
    DisarmOnExit disarm;
    const int64_t before = csys_testing_attentionCount();
    csys_testing_failAttention(3);
    EXPECT_EQ(csys_attention_check(), 0);
    EXPECT_EQ(csys_attention_check(), 0);
    EXPECT_LT(csys_attention_check(), 0);
    EXPECT_EQ(csys_attention_check(), 0);
    EXPECT_EQ(csys_testing_attentionCount(), before + 4);
    AssertionCounter counter;
    cstd_assert_(1234);
    EXPECT_EQ(counter.count(), 1);
    EXPECT_EQ(csys_testing_lastAssertionLine(), 1234);
}
