// Running a job through the library: which entry point and fields the
// results come from, edges traced back to their input index, and the
// records released on every path.
#include <gtest/gtest.h>

#include "runtime_controls.hpp"
#include "scoring_run.hpp"
#include "tool_fixtures.hpp"

namespace cclp_cli {
namespace {

RunOutcome run(const Job& job) {
    const ScoreParams params(job);
    return runJob(job, params);
}

TEST(ScoringRun, FormatsDecideTheEntryPointAndWhichFieldsComeBack) {
    Job job = readJob(testing::pairDocument());
    job.formats = CCLP_FORMAT_FIXED;
    const RunOutcome fixed = run(job);
    EXPECT_EQ(fixed.entryPoint, "cclp_runScore");
    EXPECT_TRUE(fixed.fixedPoint());
    ASSERT_FALSE(fixed.results.empty());
    EXPECT_EQ(fixed.results[0].formats, CCLP_FORMAT_FIXED);
    EXPECT_EQ(fixed.results[0].edges[1].fixed.position, 2560);
    EXPECT_EQ(fixed.results[0].scoreFixed, 256);
    EXPECT_DOUBLE_EQ(fixed.results[0].edgeValue(1).position, 10.0);

    job.formats = CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED;
    const RunOutcome both = run(job);
    EXPECT_FALSE(both.fixedPoint());
    EXPECT_EQ(both.results[0].scoreFixed, 256);
    EXPECT_EQ(both.results[0].score, 1.0);
    EXPECT_EQ(both.results[0].edges[0].fixed.contrast, 50 * 256);

    const Job extendedJob = readJob(testing::loadSample("extended_edges.json"));
    const RunOutcome extended = run(extendedJob);
    EXPECT_EQ(extended.entryPoint, "cclp_runScoreEx");
    const ResultEdge& first = extended.results[0].edges[0];
    EXPECT_EQ(first.index, 2u);
    EXPECT_EQ(first.value, extendedJob.edges[2]);
    EXPECT_EQ(first.fixed, toFixed(extendedJob.edges[2]));
}

// Edges recorded twice with the same values are told apart by order: the
// second edge of a pair is looked for after the first.
TEST(ScoringRun, EqualEdgesAreTracedToDistinctIndices) {
    nlohmann::json document = testing::pairDocument();
    document["caliper"]["edges"] = {{{"position", 0}, {"contrast", 9}},
                                    {{"position", 0}, {"contrast", 9}}};
    document["params"]["desiredEdges"][0]["polarity"] = "any";
    document["params"]["desiredEdges"][1]["polarity"] = "any";
    const RunOutcome outcome = run(readJob(document));
    ASSERT_EQ(outcome.results.size(), 1u);
    EXPECT_EQ(outcome.results[0].edges[0].index, 0u);
    EXPECT_EQ(outcome.results[0].edges[1].index, 1u);
}

TEST(ScoringRun, AllocationFailuresAreRunErrorsAndLeakNothing) {
    for (const char* sample : {"pair_with_distractors.json", "extended_edges.json"}) {
        const Job job = readJob(testing::loadSample(sample));
        const ScoreParams params(job);
        const int32_t failurePoints = cclp::testing::sweepAllocationFailures([&](int32_t k) {
            cclp::testing::FailAllocation fail(k);
            try {
                runJob(job, params);
                return CSYS_STATUS_OK;
            } catch (const RunError& error) {
                return error.status();
            }
        });
        EXPECT_GE(failurePoints, 4) << sample;  // edges, working block, result set, records
    }
}

}  // namespace
}  // namespace cclp_cli
