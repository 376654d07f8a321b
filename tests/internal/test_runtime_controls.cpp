// The runtime stand-in's test controls and memory functions: other tests
// rely on them to find leaks and failure paths, so they are pinned here.
#include <gtest/gtest.h>

#include "csys_runtime.h"
#include "runtime_controls.hpp"

using namespace cclp::testing;

// Alloc and clone into a variable that holds a block release the old one;
// 0-byte requests are granted.
TEST(RuntimeMemory, CountsLiveBlocksThroughAllocReallocCloneAndFree) {
    const int64_t baseline = csys_testing_liveBlocks();
    void* block = nullptr;
    ASSERT_EQ(csys_memory_alloc_internal(0, &block), 0);
    EXPECT_NE(block, nullptr);
    ASSERT_EQ(csys_memory_alloc_internal(16, &block), 0);
    EXPECT_EQ(csys_testing_liveBlocks(), baseline + 1);
    ASSERT_EQ(csys_memory_realloc_internal(64, &block), 0);
    EXPECT_EQ(csys_testing_liveBlocks(), baseline + 1);
    const int payload[3] = {1, 2, 3};
    ASSERT_EQ(csys_memory_clone_internal(sizeof payload, payload, &block), 0);
    ASSERT_EQ(csys_memory_clone_internal(sizeof payload, block, &block), 0)
        << "cloning a variable's own block into it";
    EXPECT_EQ(static_cast<int*>(block)[2], 3);
    void* copy = nullptr;
    ASSERT_EQ(csys_memory_clone_internal(sizeof payload, block, &copy), 0);
    EXPECT_EQ(csys_testing_liveBlocks(), baseline + 2);
    EXPECT_EQ(csys_memory_free_internal(&block), 0);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(csys_memory_free_internal(&copy), 0);
    EXPECT_EQ(csys_memory_free_internal(&copy), 0) << "freeing a null variable is allowed";
    EXPECT_EQ(csys_testing_liveBlocks(), baseline);
}

TEST(RuntimeControls, TransientFailureHitsOnlyTheKthRequestAndDisarmingCancelsIt) {
    LeakCheck leaks;
    void* a = nullptr;
    void* b = nullptr;
    void* c = nullptr;
    {
        FailAllocation failSecond(2);
        EXPECT_EQ(csys_memory_alloc_internal(4, &a), 0);
        EXPECT_EQ(csys_memory_alloc_internal(4, &b), CSYS_STATUS_OUT_OF_MEMORY);
        EXPECT_EQ(b, nullptr) << "a failed request leaves the variable unchanged";
        EXPECT_EQ(csys_memory_clone_internal(4, a, &c), 0) << "the failure fires once";
    }
    void* held = a;
    {
        FailAllocation failFirst(1);
        EXPECT_EQ(csys_memory_realloc_internal(64, &a), CSYS_STATUS_OUT_OF_MEMORY);
        EXPECT_EQ(a, held) << "a failed realloc keeps the block";
    }
    csys_testing_failAllocation(1);
    csys_testing_failAllocation(0);
    EXPECT_EQ(csys_memory_alloc_internal(4, &b), 0);
    for (void** block : {&a, &b, &c}) csys_memory_free_internal(block);
}

TEST(RuntimeControls, PersistentFailureHitsEveryRequestFromTheKthOnUntilDisarmed) {
    LeakCheck leaks;
    void* blocks[4] = {nullptr, nullptr, nullptr, nullptr};
    csys_testing_failAllocationPersistent(2);
    EXPECT_EQ(csys_memory_alloc_internal(4, &blocks[0]), 0);
    EXPECT_EQ(csys_memory_alloc_internal(4, &blocks[1]), CSYS_STATUS_OUT_OF_MEMORY);
    EXPECT_EQ(csys_memory_clone_internal(4, blocks[0], &blocks[2]), CSYS_STATUS_OUT_OF_MEMORY);
    EXPECT_EQ(csys_memory_realloc_internal(8, &blocks[0]), CSYS_STATUS_OUT_OF_MEMORY);
    csys_testing_failAllocation(0);
    EXPECT_EQ(csys_memory_alloc_internal(4, &blocks[3]), 0);
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

TEST(RuntimeControls, SweepFindsEveryAllocationOfAnOperation) {
    // Three allocations, all released on failure: three failure points.
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  void* blocks[3] = {nullptr, nullptr, nullptr};
                  int32_t status = 0;
                  {
                      FailAllocation fail(k);
                      for (void*& block : blocks) {
                          status = csys_memory_alloc_internal(8, &block);
                          if (status < 0) break;
                      }
                  }
                  for (void*& block : blocks) csys_memory_free_internal(&block);
                  return status;
              }),
              3);
}
