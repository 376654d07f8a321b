// What the reports of the samples and the expected-output cases cannot
// show: a comparison that flags differences, text from the input made
// printable, and edge labels that never overlap on a crowded caliper,
// whatever the exact drawing.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <vector>

#include "cclp_score_cli/compare_report.hpp"
#include "cclp_score_cli/json_output.hpp"
#include "cclp_score_cli/printable_text.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "plot/svg_plot.hpp"
#include "tests/cclp_score_cli/tool_fixtures.hpp"

namespace cclp_cli {
namespace {

// Two kept pairs of the pair document: edges 0 and 2 (the winner), 0 and 1.
RunOutcome pairOutcome(const Recording& job, uint32_t formats) {
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

// Candidates are matched by their edges: the same two in another order are
// a different ranking with no score difference.
TEST(CompareReport, MatchesCandidatesByEdgesAndFlagsRanking) {
    const Recording job = readRecording(testing::pairDocument());
    const RunOutcome floating = pairOutcome(job, CCLP_FORMAT_DOUBLE);
    RunOutcome fixed = pairOutcome(job, CCLP_FORMAT_FIXED);
    EXPECT_FALSE(compareRuns(job, floating, fixed).rankingDiffers);
    std::swap(fixed.results[0], fixed.results[1]);
    const Comparison comparison = compareRuns(job, floating, fixed);
    EXPECT_TRUE(comparison.rankingDiffers);
    EXPECT_EQ(comparison.compared, 2u);
    EXPECT_EQ(comparison.methods.at(0).difference, 0.0);
    EXPECT_NE(formatComparison(job, floating, fixed).find("ranking: DIFFERS"), std::string::npos);
}

// A steep ramp (score 1 to 0 over a tenth of the width) turns the 1/256
// quantum of the measured ratio into several 1/256 of score: allowed. A
// fixed-point score moved further than that is a fault, and flagged.
TEST(CompareReport, AllowsWhatTheQuantumExplainsAndFlagsWhatItDoesNot) {
    nlohmann::json document = testing::pairDocument();
    document["caliper"]["edges"][2]["position"] = 10.43;
    document["params"]["scoreMethods"][0]["oneSided"] = {{"x0", 0}, {"x1", 0.1}, {"x2", 0.1}};
    Recording job = readRecording(document);
    job.formats = CCLP_FORMAT_DOUBLE;
    const RunOutcome floating = runJob(job, buildParams(job));
    job.formats = CCLP_FORMAT_FIXED;
    RunOutcome fixed = runJob(job, buildParams(job));
    Comparison comparison = compareRuns(job, floating, fixed);
    EXPECT_GT(comparison.methods.at(0).difference, 2.0 / 256.0);
    EXPECT_FALSE(comparison.beyond()) << formatComparison(job, floating, fixed);

    fixed.results.at(0).scoresFixed.at(0) += 32;
    fixed.results.at(0).scoreFixed += 32;
    comparison = compareRuns(job, floating, fixed);
    EXPECT_TRUE(comparison.methods.at(0).beyond());
    EXPECT_TRUE(comparison.combined.beyond());
    EXPECT_NE(formatComparison(job, floating, fixed).find("BEYOND"), std::string::npos);
}

// Text from the input reaches a report printable: control characters (C0,
// DEL, C1) and bytes outside valid UTF-8 spelled out, other UTF-8 kept.
TEST(ReportText, SpellsOutControlCharactersAndInvalidUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain \u00e9 \u20ac \U0001F600", "plain \u00e9 \u20ac \U0001F600"},
        {"\x1b[31mred\x07", "\\x1B[31mred\\x07"},
        {"csi \xC2\x9B" "2J del \x7F", "csi \\xC2\\x9B2J del \\x7F"},
        {"stray \xFF \x80", "stray \\xFF \\x80"},
        {"overlong \xE0\x80\xAF cut \xE2\x82", "overlong \\xE0\\x80\\xAF cut \\xE2\\x82"},
        {"surrogate \xED\xA0\x80", "surrogate \\xED\\xA0\\x80"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(printableText(text), shown) << shown;
}

// A file name need not be UTF-8; the JSON report of a successful run is
// still written, the name's stray bytes as U+FFFD.
TEST(JsonReport, WritesANameThatIsNotUtf8WithReplacementCharacters) {
    Recording job = readRecording(testing::pairDocument());
    job.image = ImageCaliper{"plate_\xFF.pgm", 50, 30, 90, 40, 2, 1, 5};
    const RunOutcome outcome = runJob(job, buildParams(job));
    const nlohmann::json report = nlohmann::json::parse(formatJson(job, outcome));
    EXPECT_EQ(report["caliper"]["image"]["file"], "plate_\uFFFD.pgm");
}

// A crowded caliper: no two edge labels overlap, and the winner's are there.
TEST(PlotReport, EdgeLabelsNeverOverlapOnACrowdedCaliper) {
    Recording job = readRecording(testing::pairDocument());
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

}  // namespace
}  // namespace cclp_cli
