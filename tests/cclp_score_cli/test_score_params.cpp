// The 32-bit limit of a run, refused before any record is built. (What the
// record holds shows in every expected-output case.)
#include <gtest/gtest.h>

#include "cclp_score_cli/cli_namespace.hpp"
#include "recording/run_inputs.hpp"
#include "tests/cclp_score_cli/tool_fixtures.hpp"

namespace cclp_cli {
namespace {

TEST(BuildParams, RefusesRunsBeyondThe32BitCounts) {
    Recording job = readRecording(testing::pairDocument());
    job.edges.resize(46342);  // n * (n - 1) passes 2^31
    EXPECT_THROW(checkRunSize(job), InputError);
    job.edges.resize(46341);  // n * (n - 1) fits, one method per pair too
    EXPECT_NO_THROW(checkRunSize(job));
    job.scoreMethods.resize(3, job.scoreMethods[0]);  // three scores per pair do not
    try {
        checkRunSize(job);
        ADD_FAILURE() << "accepted";
    } catch (const InputError& error) {
        EXPECT_EQ(error.field(), "caliper.edges");
    }
    job.desiredEdges.pop_back();  // single edges need only n * m
    EXPECT_NO_THROW(checkRunSize(job));
}

}  // namespace
}  // namespace cclp_cli
