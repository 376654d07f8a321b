// The cleanup frame: which entries run, when, and in which order.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "frame/cleanup_frame.hpp"
#include "tests/support/runtime_controls.hpp"

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

// The destructions of a frame holding "on failure" 1, "always" 2 and "on
// failure" 3, closed with `status` or left to close itself.
std::vector<int> destructionsOf(std::optional<int32_t> status) {
    std::vector<int> log;
    Tracked a{1, &log}, b{2, &log}, c{3, &log};
    {
        CleanupFrame<3> frame;
        frame.destructOnFailure(&a, destructTracked);
        frame.destructAlways(&b, destructTracked);
        frame.destructOnFailure(&c, destructTracked);
        if (status) {
            EXPECT_EQ(frame.close(*status), *status);
        }
    }
    return log;
}

}  // namespace

TEST(CleanupFrame, FailureKindsRunOnlyOnFailureAndAllRunLastRegisteredFirst) {
    EXPECT_EQ(destructionsOf(0), std::vector<int>{2});
    EXPECT_EQ(destructionsOf(-5), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(destructionsOf(std::nullopt), std::vector<int>{2}) << "unclosed closes as success";
}

TEST(CleanupFrame, FreeKindsReleaseBlocksAndNullTheirVariables) {
    LeakCheck leaks;
    void* kept = nullptr;
    void* dropped = nullptr;
    void* scratch = nullptr;
    for (const int32_t status : {0, CSYS_STATUS_OUT_OF_MEMORY}) {
        void*& built = status < 0 ? dropped : kept;
        {
            CleanupFrame<2> frame;
            ASSERT_EQ(csys_memory_alloc_internal(8, &built), 0);
            frame.freeOnFailure(&built);
            ASSERT_EQ(csys_memory_alloc_internal(8, &scratch), 0);
            frame.freeAlways(&scratch);
            if (status < 0) frame.close(status);  // a success closes itself
        }
        EXPECT_EQ(scratch, nullptr) << "scratch is freed on every exit";
    }
    EXPECT_NE(kept, nullptr) << "a successful frame keeps what it built";
    EXPECT_EQ(dropped, nullptr);
    csys_memory_free_internal(&kept);
}

TEST(CleanupFrame, RegisteringPastCapacityIsReportedAndIgnored) {
    std::vector<int> log;
    Tracked a{1, &log}, b{2, &log};
    AssertionCounter assertions;
    {
        CleanupFrame<1> frame;
        frame.destructAlways(&a, destructTracked);
        frame.destructAlways(&b, destructTracked);
    }
    EXPECT_EQ(assertions.count(), 1);
    EXPECT_EQ(log, std::vector<int>{1});
}
