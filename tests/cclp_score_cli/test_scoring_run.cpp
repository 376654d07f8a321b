// Running a job through the library: every allocation failure is a
// RunError naming the status, and nothing leaks. (What a run reports shows
// in the expected-output cases.)
#include <gtest/gtest.h>

#include <string>

#include "cclp_score_cli/scoring_run.hpp"
#include "tests/cclp_score_cli/tool_fixtures.hpp"
#include "tests/support/runtime_controls.hpp"

namespace cclp_cli {
namespace {

RunOutcome run(const Recording& job) {
    return runJob(job, buildParams(job));
}

TEST(ScoringRun, AllocationFailuresAreRunErrorsAndLeakNothing) {
    for (const char* sample : {"pair_with_distractors.json", "extended_edges.json"}) {
        const Recording job = readRecording(testing::loadSample(sample));
        const int32_t failurePoints = cclp::testing::sweepAllocationFailures([&](int32_t k) {
            cclp::testing::FailAllocation fail(k);
            try {
                run(job);
                return CSYS_STATUS_OK;
            } catch (const RunError& error) {
                EXPECT_NE(std::string(error.what()).find("CSYS_STATUS_OUT_OF_MEMORY"),
                          std::string::npos)
                    << error.what();
                return error.status();
            }
        });
        EXPECT_GE(failurePoints, 7) << sample;  // parameters, edges, block, results
    }
}

}  // namespace
}  // namespace cclp_cli
