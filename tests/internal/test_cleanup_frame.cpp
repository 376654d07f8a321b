// The cleanup frame: which entries run, when, and in which order.
#include <gtest/gtest.h>

#include <vector>

#include "cleanup_frame.hpp"
#include "runtime_controls.hpp"

using cclp::CleanupFrame;
using namespace cclp::testing;

namespace {

struct Tracked {
    int id;
    std::vector<int>* log;
};

int32_t destructTracked(Tracked* object) {
    object->log->push_back(object->id);
    return 0;
}

}  // namespace

TEST(CleanupFrame, FailureKindsRunOnlyWhenTheStatusIsNegative) {
    std::vector<int> log;
    Tracked a{1, &log};
    {
        CleanupFrame<1> frame;
        frame.destructOnFailure(&a, destructTracked);
        EXPECT_EQ(frame.close(0), 0);
    }
    EXPECT_TRUE(log.empty());
    {
        CleanupFrame<1> frame;
        frame.destructOnFailure(&a, destructTracked);
        EXPECT_EQ(frame.close(-5), -5);
    }
    EXPECT_EQ(log, std::vector<int>{1});
}

TEST(CleanupFrame, AlwaysKindsRunOnSuccessAndFailure) {
    std::vector<int> log;
    Tracked a{7, &log};
    for (int32_t status : {0, -1}) {
        CleanupFrame<1> frame;
        frame.destructAlways(&a, destructTracked);
        frame.close(status);
    }
    EXPECT_EQ(log, (std::vector<int>{7, 7}));
}

TEST(CleanupFrame, EntriesRunLastRegisteredFirst) {
    std::vector<int> log;
    Tracked a{1, &log}, b{2, &log}, c{3, &log};
    CleanupFrame<3> frame;
    frame.destructOnFailure(&a, destructTracked);
    frame.destructAlways(&b, destructTracked);
    frame.destructOnFailure(&c, destructTracked);
    frame.close(-1);
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));
}

TEST(CleanupFrame, FreeKindsReleaseBlocksAndNullTheirVariables) {
    LeakCheck leaks;
    void* kept = nullptr;
    void* dropped = nullptr;
    void* scratch = nullptr;
    {
        CleanupFrame<3> frame;
        ASSERT_EQ(csys_memory_alloc_internal(8, &kept), 0);
        frame.freeOnFailure(&kept);
        ASSERT_EQ(csys_memory_alloc_internal(8, &scratch), 0);
        frame.freeAlways(&scratch);
        frame.close(0);
    }
    EXPECT_NE(kept, nullptr) << "a successful frame keeps what it built";
    EXPECT_EQ(scratch, nullptr) << "scratch is freed on every exit";
    {
        CleanupFrame<1> frame;
        ASSERT_EQ(csys_memory_alloc_internal(8, &dropped), 0);
        frame.freeOnFailure(&dropped);
        frame.close(CSYS_STATUS_OUT_OF_MEMORY);
    }
    EXPECT_EQ(dropped, nullptr);
    csys_memory_free_internal(&kept);
}

TEST(CleanupFrame, AnUnclosedFrameClosesAsSuccessWhenItGoesOutOfScope) {
    std::vector<int> log;
    Tracked a{1, &log}, b{2, &log};
    {
        CleanupFrame<2> frame;
        frame.destructOnFailure(&a, destructTracked);
        frame.destructAlways(&b, destructTracked);
    }
    EXPECT_EQ(log, std::vector<int>{2});
}

TEST(CleanupFrame, RegisteringPastCapacityIsReportedAndIgnored) {
    std::vector<int> log;
    Tracked a{1, &log}, b{2, &log};
    AssertionCounter assertions;
    CleanupFrame<1> frame;
    frame.destructAlways(&a, destructTracked);
    frame.destructAlways(&b, destructTracked);
    frame.close(0);
    EXPECT_EQ(assertions.count(), 1);
    EXPECT_EQ(log, std::vector<int>{1});
}
