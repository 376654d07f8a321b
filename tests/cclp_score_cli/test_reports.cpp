// The three reports of a run (table, JSON, plot) over a hand-made outcome,
// so that they are checked without depending on the scores a run computes.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "cclp_score_cli/compare_report.hpp"
#include "cclp_score_cli/json_output.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "cclp_score_cli/svg_plot.hpp"
#include "cclp_score_cli/table_output.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "tests/cclp_score_cli/tool_fixtures.hpp"

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
        result.positionFixed = cclp_round256(result.position);
        result.scoreFixed = cclp_round256(score);
        result.scores = {methodScore};
        result.scoresFixed = {cclp_round256(methodScore)};
        for (std::size_t index : {std::size_t{0}, second}) {
            result.edges.push_back({index, job.edges[index], toFixed(job.edges[index])});
        }
        return result;
    };
    outcome.results = {pair(2, 1.0, 1.0), pair(1, 0.25, 0.25)};
    return outcome;
}

// The table's rows, the report's run and result structure, and plots that
// render show in the end-to-end runs of the samples.
// No results says what is missing; results that all score 0 are no win.
TEST(TableReport, SaysWhyNoCandidateWasKeptOrAcceptable) {
    Job job = readJob(testing::pairDocument());
    const RunOutcome none{"cclp_runScore", CCLP_FORMAT_FIXED, {}};
    std::string table = formatTable(job, none);
    EXPECT_NE(table.find("fixed point (1/256)"), std::string::npos);
    EXPECT_NE(table.find("no results: no candidate has the desired polarity"), std::string::npos);
    job.edges.resize(1);
    EXPECT_NE(formatTable(job, none).find("a pair needs two edges, the caliper has one"),
              std::string::npos);
    job.edges.clear();
    EXPECT_NE(formatTable(job, none).find("the caliper has no edges"), std::string::npos);

    job = readJob(testing::pairDocument());
    RunOutcome outcome = pairOutcome(job, CCLP_FORMAT_DOUBLE);
    EXPECT_TRUE(hasAcceptableCandidate(outcome));
    EXPECT_EQ(formatTable(job, outcome).find("no acceptable candidate"), std::string::npos);
    for (ScoredResult& result : outcome.results) result.score = 0.0;
    EXPECT_FALSE(hasAcceptableCandidate(outcome));
    EXPECT_NE(formatTable(job, outcome).find("no acceptable candidate"), std::string::npos);
    const std::string plot = renderPlot(job, outcome);
    EXPECT_NE(plot.find("no acceptable candidate"), std::string::npos);
    EXPECT_EQ(plot.find("winner:"), std::string::npos);
}

// Any finite value keeps the table's columns aligned, the largest included.
TEST(TableReport, KeepsColumnsAlignedForAnyFiniteValue) {
    Job job = readJob(testing::pairDocument());
    job.edges[0].position = -1e308;
    job.edges[2].position = 1.7976931348623157e308;
    RunOutcome outcome = pairOutcome(job, CCLP_FORMAT_DOUBLE);
    outcome.results[0].position = 1e300;
    std::istringstream table(formatTable(job, outcome));
    std::vector<std::size_t> widths;
    for (std::string line; std::getline(table, line);) {
        if (line.find("#0") != std::string::npos) widths.push_back(line.find("#0"));
    }
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_EQ(widths[0], widths[1]);
    EXPECT_LT(widths[0], 60u);
    EXPECT_EQ(decimals(-1e308, 3), "-1.000e+308");
    EXPECT_EQ(signedDecimals(1e12, 2), "+1.00e+12");
    EXPECT_EQ(decimals(999999999999.0, 1), "999999999999.0");
}

// Candidates are matched by their edges: the same two in another order are
// a different ranking with no score difference; a score moved by more than
// the tolerance is flagged.
TEST(CompareReport, MatchesCandidatesByEdgesAndFlagsRankingAndTolerance) {
    const Job job = readJob(testing::pairDocument());
    const RunOutcome floating = pairOutcome(job, CCLP_FORMAT_DOUBLE);
    RunOutcome fixed = pairOutcome(job, CCLP_FORMAT_FIXED);
    EXPECT_FALSE(compareRuns(floating, fixed).rankingDiffers);
    std::swap(fixed.results[0], fixed.results[1]);
    Comparison comparison = compareRuns(floating, fixed);
    EXPECT_TRUE(comparison.rankingDiffers);
    EXPECT_EQ(comparison.compared, 2u);
    EXPECT_EQ(comparison.methodDifferences, std::vector<double>{0.0});
    fixed.results[0].scoresFixed[0] += 3;
    comparison = compareRuns(floating, fixed);
    EXPECT_EQ(comparison.methodDifferences[0], 3.0 / 256.0);
    const std::string text = formatComparison(job, floating, fixed);
    EXPECT_NE(text.find("BEYOND 2/256"), std::string::npos) << text;
    EXPECT_NE(text.find("ranking: DIFFERS"), std::string::npos) << text;
}

// A crowded caliper: no two edge labels overlap, and the winner's are there.
TEST(PlotReport, EdgeLabelsNeverOverlapOnACrowdedCaliper) {
    Job job = readJob(testing::pairDocument());
    job.edges.clear();
    // 30 edges: crowded, yet too few for the strip to zoom away from some.
    for (int i = 0; i < 30; ++i) {
        job.edges.push_back({-4.0 + 0.2 * i, (i % 2 == 0 ? 1.0 : -1.0) * (10.0 + i)});
    }
    const RunOutcome outcome = runJob(job, buildParams(job));
    const std::string plot = renderPlot(job, outcome);
    const std::regex label(R"re(<text x="([-0-9.]+)" y="([-0-9.]+)"[^>]*>#([0-9]+)<)re");
    struct Box {
        double left, right, top, bottom;
    };
    std::vector<Box> boxes;
    std::set<std::size_t> labelled;
    for (auto it = std::sregex_iterator(plot.begin(), plot.end(), label); it != std::sregex_iterator();
         ++it) {
        const double x = std::stod((*it)[1]);
        const double y = std::stod((*it)[2]);
        const double half = 2.9 * static_cast<double>((*it)[3].length() + 1);
        boxes.push_back({x - half, x + half, y - 9.0, y + 2.0});
        labelled.insert(std::stoul((*it)[3]));
    }
    EXPECT_GE(boxes.size(), 10u);
    for (std::size_t a = 0; a < boxes.size(); ++a) {
        for (std::size_t b = a + 1; b < boxes.size(); ++b) {
            const bool overlap = boxes[a].left < boxes[b].right && boxes[b].left < boxes[a].right &&
                                 boxes[a].top < boxes[b].bottom && boxes[b].top < boxes[a].bottom;
            EXPECT_FALSE(overlap) << "labels " << a << " and " << b;
        }
    }
    ASSERT_FALSE(outcome.results.empty());
    for (const ResultEdge& edge : outcome.results[0].edges) EXPECT_EQ(labelled.count(edge.index), 1u);
}

TEST(JsonReport, CarriesTheFieldsOfTheFormatsScoredAndReadsBackAsTheSameJob) {
    const Job job = readJob(testing::pairDocument());
    const nlohmann::json report =
        nlohmann::json::parse(formatJson(job, pairOutcome(job, CCLP_FORMAT_FIXED)));
    const nlohmann::json& best = report["results"][0];
    EXPECT_EQ(best["scoreFixed"], 256);
    EXPECT_EQ(best["edges"][1]["positionFixed"], 2560);
    EXPECT_EQ(best["methodScores"][0]["measured"][0], 0.0);
    EXPECT_EQ(report["results"][1]["methodScores"][0]["measured"][0], 0.4);  // |12 - 20| / 20

    for (const char* sample :
         {"single_edge.json", "pair_with_distractors.json", "extended_edges.json"}) {
        const Job original = readJob(testing::loadSample(sample));
        const Job again = readJob(nlohmann::json::parse(
            formatJson(original, RunOutcome{"cclp_runScoreEx", original.formats, {}})));
        EXPECT_EQ(cclp_recording::recordingToJson(again), cclp_recording::recordingToJson(original)) << sample;
        EXPECT_EQ(again.edges, original.edges);
        ASSERT_EQ(again.scoreMethods.size(), original.scoreMethods.size());
        EXPECT_EQ(std::memcmp(again.scoreMethods.data(), original.scoreMethods.data(),
                              original.scoreMethods.size() * sizeof(cclp_score)),
                  0)
            << sample;
    }
}

TEST(PlotReport, DrawsAPanelPerMethodAndTheWinnerUnderTheEscapedDescription) {
    Job job = readJob(testing::pairDocument());
    job.description = "bar <20 px> & \"neighbour\"";
    job.scoreMethods.push_back(job.scoreMethods[0]);
    job.scoreMethods[1].method = cclp_scoreMethodStraddle;
    RunOutcome outcome = pairOutcome(job, CCLP_FORMAT_DOUBLE);
    for (ScoredResult& result : outcome.results) result.scores.push_back(1.0);
    const std::string svg = renderPlot(job, outcome);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    for (const char* text : {"bar &lt;20 px&gt; &amp; &quot;neighbour&quot;", ">2. straddle</text>",
                             "winner: edges #0 and #2 at 0, score 1.0000"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    outcome.results.clear();
    EXPECT_NE(renderPlot(job, outcome).find("no candidate has the desired polarity"),
              std::string::npos);
}

}  // namespace
}  // namespace cclp_cli
