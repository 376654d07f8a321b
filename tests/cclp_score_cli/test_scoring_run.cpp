// Running a job through the library: edges traced back to their input
// index, and the records released on every path. (Which entry point and
// fields the results come from shows in the end-to-end runs of the samples.)
#include <gtest/gtest.h>

#include <string>

#include "tests/support/runtime_controls.hpp"
#include "cclp_score_cli/recording_check.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "tests/cclp_score_cli/tool_fixtures.hpp"

namespace cclp_cli {
namespace {

RunOutcome run(const Job& job) {
    return runJob(job, buildParams(job));
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

// Two results that share the second edge and whose first edges are equal
// in value: each names its own first edge, in the order the run formed them.
TEST(ScoringRun, ResultsWithEqualEdgesNameDistinctInputs) {
    nlohmann::json document = testing::pairDocument();
    document["caliper"]["edges"] = {{{"position", -10}, {"contrast", 50}},
                                    {{"position", -10}, {"contrast", 50}},
                                    {{"position", 10}, {"contrast", -40}}};
    for (const bool sorted : {true, false}) {
        document["params"]["sortByScore"] = sorted;
        const RunOutcome outcome = run(readJob(document));
        ASSERT_EQ(outcome.results.size(), 2u);
        EXPECT_EQ(outcome.results[0].edges[0].index, 0u);
        EXPECT_EQ(outcome.results[1].edges[0].index, 1u);
        EXPECT_EQ(outcome.results[1].edges[1].index, 2u);
    }
}

// A recording's expected winner: its edges, or its position within a
// tolerance; no acceptable winner never matches.
TEST(RecordingCheck, JudgesTheWinnerByEdgesOrByPosition) {
    nlohmann::json document = testing::pairDocument();
    document["expect"] = {{"edges", {0, 2}}};
    Job job = readJob(document);
    const std::optional<ScoredResult> winner = run(job).results.at(0);
    std::string problem;
    EXPECT_EQ(judge(job, winner, problem), Verdict::asExpected);
    job.expected->edges = {0, 1};
    EXPECT_EQ(judge(job, winner, problem), Verdict::notAsExpected);
    EXPECT_EQ(problem, "expected #0 #1");
    job.expected = Expectation{{}, 0.5, 0.5};
    EXPECT_EQ(judge(job, winner, problem), Verdict::asExpected);
    job.expected->tolerance = 0.25;
    EXPECT_EQ(judge(job, winner, problem), Verdict::notAsExpected);
    EXPECT_EQ(judge(job, std::nullopt, problem), Verdict::notAsExpected);
    EXPECT_EQ(problem, "no acceptable candidate");
    job.expected.reset();
    EXPECT_EQ(judge(job, winner, problem), Verdict::noExpectation);
    document["expect"] = {{"edges", {0, 2}}, {"position", 0}};
    EXPECT_EQ(testing::inputErrorOf(document).field(), "expect");
}

TEST(ScoringRun, AllocationFailuresAreRunErrorsAndLeakNothing) {
    for (const char* sample : {"pair_with_distractors.json", "extended_edges.json"}) {
        const Job job = readJob(testing::loadSample(sample));
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
