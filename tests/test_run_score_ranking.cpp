// Which results a sorting run writes, and in which order: exactly the first
// maxNumResults of all its candidates ranked by score, then position, then
// the order of forming, whatever share of the candidates it keeps. The
// expected results come from the same run unsorted with room for every
// candidate, ranked here by a stable sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "tests/support/runtime_controls.hpp"
#include "tests/support/scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

// Every candidate of the run in the order of forming, ranked: higher score
// first, then lower position, candidates equal in both as they were formed.
template <class In>
std::vector<std::string> fullRanking(const In& input, Params& params) {
    const int32_t limit = params.params.maxNumResults;
    params.maxResults(1 << 20).sorted(false);
    Output<typename In::Results> all;
    EXPECT_EQ(runScore(input, params, all), 0);
    params.maxResults(limit).sorted(true);
    std::vector<int32_t> order(static_cast<size_t>(all.set.numResults));
    std::iota(order.begin(), order.end(), 0);
    // Scores and positions compare the same in either format the run wrote.
    std::stable_sort(order.begin(), order.end(), [&all](int32_t a, int32_t b) {
        const double sa = scoreOf(all[a]), sb = scoreOf(all[b]);
        return sa > sb || (sa == sb && positionOf(all[a]) < positionOf(all[b]));
    });
    std::vector<std::string> ranked;
    for (const int32_t k : order) ranked.push_back(recordText(all[k], false));
    return ranked;
}

// Sorted runs at many limits, around and beyond the number of candidates,
// each compared with the head of the full ranking.
template <class In>
void expectHeadsOfTheFullRanking(const In& input, Params& params) {
    const std::vector<std::string> ranked = fullRanking(input, params);
    const auto n = static_cast<int32_t>(ranked.size());
    ASSERT_GT(n, 300) << "enough candidates to narrow the kept ones several times";
    for (const int32_t limit : {1, 2, 7, 100, 255, 256, 257, 700, n - 1, n, n + 5}) {
        params.maxResults(limit);
        Output<typename In::Results> out;
        ASSERT_EQ(runScore(input, params, out), 0);
        const int32_t expected = std::min(limit, n);
        ASSERT_EQ(out.set.numResults, expected) << "limit " << limit;
        for (int32_t r = 0; r < expected; ++r) {
            ASSERT_EQ(recordText(out[r], false), ranked[static_cast<size_t>(r)])
                << "limit " << limit << " result " << r;
        }
    }
}

// n edges at positions on a coarse grid (many equal positions and pair
// means), with contrasts of a few values, so that many candidates tie.
std::vector<EdgeSpec> coarseEdges(int32_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int32_t> step(-40, 40);
    std::uniform_int_distribution<int32_t> level(-6, 6);
    std::vector<EdgeSpec> edges;
    for (int32_t i = 0; i < n; ++i) {
        edges.push_back({step(rng) * 0.5, level(rng) * 20.0, level(rng) * 1.0, level(rng) * 1.0,
                         level(rng) * 1.0});
    }
    return edges;
}

}  // namespace

TEST(RunScoreRanking, SortedRunsWriteTheHeadOfTheFullRanking) {
    // Every rising candidate ranks before all earlier ones: each one is kept
    // for a while and then dropped again.
    std::vector<EdgeSpec> rising;
    for (int32_t i = 0; i < 1000; ++i) rising.push_back({i * 0.125, 50});
    for (const uint32_t formats : {1u, 2u, 3u}) {
        SCOPED_TRACE(::testing::Message() << "formats " << formats);
        Params params;
        params.singleEdge().methods({nearCentre(), contrast()});
        expectHeadsOfTheFullRanking(Input(coarseEdges(600, 7), formats), params);
        params.methods({oneSidedMethod(cclp_scoreMethodPos, 125, 0, 0, 1, 0)});
        expectHeadsOfTheFullRanking(Input(rising, formats), params);
    }
}

TEST(RunScoreRanking, CandidatesEqualInScoreAndPositionComeInTheOrderTheyWereFormed) {
    // Edges at five positions in shuffled order; the method sees only the
    // position, so each position's edges tie, at every cut. The contrasts
    // tell them apart.
    std::vector<double> positions;
    for (int32_t i = 0; i < 400; ++i) positions.push_back(i % 5 - 2.0);
    std::shuffle(positions.begin(), positions.end(), std::mt19937(3));
    std::vector<EdgeSpec> edges;
    for (size_t i = 0; i < positions.size(); ++i) {
        edges.push_back({positions[i], static_cast<double>(i + 1)});
    }
    for (const uint32_t formats : {1u, 2u}) {
        Params params;
        params.singleEdge().methods({nearCentre()});
        expectHeadsOfTheFullRanking(Input(edges, formats), params);
        // Pairs: many pairs share a mean position and so a score.
        params.edgePair(2);
        expectHeadsOfTheFullRanking(Input({edges.begin(), edges.begin() + 40}, formats), params);
    }
}

TEST(RunScoreRanking, ALimitOfZeroWritesNoResult) {
    // The setter refuses a limit of 0; a run given one in the record keeps
    // no candidate, sorted or not, and leaves an empty output.
    for (const bool sorted : {false, true}) {
        LeakCheck leaks;
        const Input input(coarseEdges(30, 2), sorted ? 2 : 1);
        Params params;
        params.edgePair(6).methods({nearCentre()}).maxResults(3).sorted(sorted);
        Output<cclp_scoreResultSet> out;
        ASSERT_EQ(runScore(input, params, out), 0);
        params.params.maxNumResults = 0;
        EXPECT_EQ(runScore(input, params, out), 0);
        EXPECT_EQ(out.set.numResults, 0);
    }
}
