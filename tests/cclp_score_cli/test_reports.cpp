// The three reports of a run (table, JSON, plot) over a hand-made outcome,
// so that they are checked without depending on the scores a run computes.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>

#include "fixed_point.hpp"

#include "json_output.hpp"
#include "svg_plot.hpp"
#include "table_output.hpp"
#include "tool_fixtures.hpp"

namespace cclp_cli {
namespace {

// Two kept pairs of the pair document: edges 0 and 2 (the winner), 0 and 1.
RunOutcome pairOutcome(const Job& job, uint32_t formats) {
    RunOutcome outcome{"cclp_runScore", formats, {}};
    const auto pair = [&](std::size_t second, double score, double methodScore) {
        ScoredResult result;
        result.formats = formats;
        result.position = (job.edges[0].position + job.edges[second].position) / 2.0;
        result.score = score;
        result.positionFixed = round256(result.position);
        result.scoreFixed = round256(score);
        result.scores = {methodScore};
        result.scoresFixed = {round256(methodScore)};
        for (std::size_t index : {std::size_t{0}, second}) {
            result.edges.push_back({index, job.edges[index], toFixed(job.edges[index])});
        }
        return result;
    };
    outcome.results = {pair(2, 1.0, 1.0), pair(1, 0.25, 0.25)};
    return outcome;
}

TEST(TableReport, ListsRanksScoresAndEdges) {
    const Job job = readJob(testing::pairDocument());
    const std::string table = formatTable(job, pairOutcome(job, CCLP_FORMAT_DOUBLE));
    EXPECT_NE(table.find("cclp_runScore, floating point; 3 edges; edge pairs: positive at -10, "
                         "negative at 10 (width 20); 2 of at most 2, best first"),
              std::string::npos)
        << table;
    EXPECT_TRUE(
        std::regex_search(table, std::regex(R"(rank +position +score +sizeDiff +first edge)")));
    EXPECT_TRUE(
        std::regex_search(table, std::regex(R"(\n +1 +0\.000 +1\.0000 +1\.0000 +)"
                                            R"(#0 -10\.000 \(\+50\.00\) +#2 10\.000 \(-40\.00\))")))
        << table;
    EXPECT_TRUE(std::regex_search(
        table, std::regex(R"(\n +2 +-4\.000 +0\.2500 +0\.2500 +#0 .* #1 2\.000 \(-5\.00\))")))
        << table;
}

TEST(TableReport, SaysWhenNoCandidateWasKept) {
    const Job job = readJob(testing::pairDocument());
    const std::string table = formatTable(job, RunOutcome{"cclp_runScore", CCLP_FORMAT_FIXED, {}});
    EXPECT_NE(table.find("fixed point (1/256)"), std::string::npos);
    EXPECT_NE(table.find("no results"), std::string::npos);
}

TEST(JsonReport, CarriesTheFieldsOfTheFormatsScored) {
    const Job job = readJob(testing::pairDocument());
    const nlohmann::json report =
        nlohmann::json::parse(formatJson(job, pairOutcome(job, CCLP_FORMAT_FIXED)));
    EXPECT_EQ(report["run"]["arithmetic"], "fixed point");
    EXPECT_EQ(report["run"]["status"], "CCLP_STATUS_OK");
    const nlohmann::json& best = report["results"][0];
    EXPECT_EQ(best["rank"], 1);
    EXPECT_EQ(best["scoreFixed"], 256);
    EXPECT_FALSE(best.contains("score"));
    EXPECT_EQ(best["edges"][1]["index"], 2);
    EXPECT_EQ(best["edges"][1]["positionFixed"], 2560);
    EXPECT_EQ(best["methodScores"][0]["method"], "sizeDiff");
    EXPECT_EQ(best["methodScores"][0]["measured"][0], 0.0);
    EXPECT_EQ(report["results"][1]["methodScores"][0]["measured"][0], 0.4);  // |12 - 20| / 20
}

// The report repeats the input as scored: read back, it is the same job.
TEST(JsonReport, ReadsBackAsTheSameJob) {
    for (const char* sample :
         {"single_edge.json", "pair_with_distractors.json", "extended_edges.json"}) {
        const Job job = readJob(testing::loadSample(sample));
        const RunOutcome outcome{"cclp_runScoreEx", job.formats, {}};
        const nlohmann::json report = nlohmann::json::parse(formatJson(job, outcome));
        const Job again = readJob(report);
        EXPECT_EQ(jobToJson(again), jobToJson(job)) << sample;
        EXPECT_EQ(again.description, job.description);
        EXPECT_EQ(again.edges, job.edges);
        EXPECT_EQ(again.needsExtendedRun(), job.needsExtendedRun());
        ASSERT_EQ(again.scoreMethods.size(), job.scoreMethods.size());
        for (std::size_t m = 0; m < job.scoreMethods.size(); ++m) {
            EXPECT_EQ(std::memcmp(&again.scoreMethods[m], &job.scoreMethods[m], sizeof(cclp_score)),
                      0)
                << sample << " method " << m;
        }
    }
}

TEST(PlotReport, DrawsAPanelPerMethodAndTheWinner) {
    Job job = readJob(testing::pairDocument());
    job.scoreMethods.push_back(job.scoreMethods[0]);
    job.scoreMethods[1].method = cclp_scoreMethodStraddle;
    RunOutcome outcome = pairOutcome(job, CCLP_FORMAT_DOUBLE);
    for (ScoredResult& result : outcome.results) result.scores.push_back(1.0);
    const std::string svg = renderPlot(job, outcome);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_NE(svg.find(">1. sizeDiff</text>"), std::string::npos);
    EXPECT_NE(svg.find(">2. straddle</text>"), std::string::npos);
    EXPECT_NE(svg.find("winner: edges #0 and #2 at 0, score 1.0000"), std::string::npos);
    // Every marker label is a rank.
    EXPECT_NE(svg.find(">1</text>"), std::string::npos);
    EXPECT_NE(svg.find(">2</text>"), std::string::npos);
}

TEST(PlotReport, EscapesTheDescription) {
    Job job = readJob(testing::pairDocument());
    job.description = "bar <20 px> & \"neighbour\"";
    const std::string svg = renderPlot(job, RunOutcome{"cclp_runScore", CCLP_FORMAT_DOUBLE, {}});
    EXPECT_NE(svg.find("bar &lt;20 px&gt; &amp; &quot;neighbour&quot;"), std::string::npos);
    EXPECT_NE(svg.find("no candidate has the desired polarity"), std::string::npos);
}

}  // namespace
}  // namespace cclp_cli
