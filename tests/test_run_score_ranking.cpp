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
#include "runtime_controls.hpp"
#include "scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

// Everything a result record holds, apart from where its arrays lie.
template <class Record>
std::string contentOf(const Record& record) {
    std::string text = std::to_string(record.formats) + ' ' + std::to_string(record.numEdges);
    const auto append = [&text](double value) {
        text += ' ';
        text += std::to_string(value);
    };
    if ((record.formats & CCLP_FORMAT_DOUBLE) != 0) {
        append(record.score);
        append(record.position);
        for (int32_t m = 0; m < record.numScores; ++m) append(record.scores[m]);
        for (int32_t e = 0; e < record.numEdges; ++e) append(record.edges[e].contrast);
    }
    if ((record.formats & CCLP_FORMAT_FIXED) != 0) {
        append(record.scoreFixed);
        append(record.positionFixed);
        for (int32_t m = 0; m < record.numScores; ++m) append(record.scoresFixed[m]);
        for (int32_t e = 0; e < record.numEdges; ++e) append(record.edgesFixed[e].contrast);
    }
    return text;
}

// Score and position in the format the run ranked by.
template <class Record>
std::pair<double, double> rankKeyOf(const Record& record) {
    if ((record.formats & CCLP_FORMAT_DOUBLE) != 0) return {record.score, record.position};
    return {record.scoreFixed, record.positionFixed};
}

// Every candidate of the run in the order of forming, ranked: higher score
// first, then lower position, candidates equal in both as they were formed.
template <class In, class Set>
std::vector<std::string> fullRanking(const In& input, Params& params) {
    const int32_t limit = params.params.maxNumResults;
    params.maxResults(1 << 20).sorted(false);
    Output<Set> all;
    EXPECT_EQ(runScore(input, params, all), 0);
    params.maxResults(limit).sorted(true);
    std::vector<int32_t> order(static_cast<size_t>(all.set.numResults));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&all](int32_t a, int32_t b) {
        const auto ka = rankKeyOf(all[a]);
        const auto kb = rankKeyOf(all[b]);
        return ka.first > kb.first || (ka.first == kb.first && ka.second < kb.second);
    });
    std::vector<std::string> ranked;
    for (const int32_t k : order) ranked.push_back(contentOf(all[k]));
    return ranked;
}

// Sorted runs at many limits, around and beyond the number of candidates,
// each compared with the head of the full ranking.
template <class In, class Set>
void expectHeadsOfTheFullRanking(const In& input, Params& params) {
    const std::vector<std::string> ranked = fullRanking<In, Set>(input, params);
    const auto n = static_cast<int32_t>(ranked.size());
    ASSERT_GT(n, 300) << "enough candidates to narrow the kept ones several times";
    for (const int32_t limit : {1, 2, 7, 100, 255, 256, 257, 700, n - 1, n, n + 5}) {
        params.maxResults(limit);
        Output<Set> out;
        ASSERT_EQ(runScore(input, params, out), 0);
        const int32_t expected = std::min(limit, n);
        ASSERT_EQ(out.set.numResults, expected) << "limit " << limit;
        for (int32_t r = 0; r < expected; ++r) {
            ASSERT_EQ(contentOf(out[r]), ranked[static_cast<size_t>(r)])
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

cclp_score contrast() {
    cclp_score method;
    EXPECT_EQ(cclp_score_init(&method), 0);
    return method;
}

cclp_score nearCentre() { return oneSidedMethod(cclp_scoreMethodPosAbs, 0, 10, 10, 1, 0); }

}  // namespace

TEST(RunScoreRanking, SortedRunsWriteTheHeadOfTheFullRanking) {
    const std::vector<EdgeSpec> singles = coarseEdges(600, 7);
    const std::vector<EdgeSpec> forPairs = coarseEdges(60, 11);
    for (const uint32_t formats : {1u, 2u, 3u}) {
        SCOPED_TRACE(::testing::Message() << "formats " << formats);
        Params single;
        single.singleEdge().methods({nearCentre(), contrast()});
        expectHeadsOfTheFullRanking<Input, cclp_scoreResultSet>(Input(singles, formats), single);
        Params pairs;
        pairs.edgePair(6, cclp_polarityPositive, 3)
            .methods({oneSidedMethod(cclp_scoreMethodSizeDiff, 0, 0.5, 1, 1, 0), nearCentre(),
                      contrast()});
        expectHeadsOfTheFullRanking<Input, cclp_scoreResultSet>(Input(forPairs, formats), pairs);
        pairs.methods({oneSidedMethod(cclp_scoreMethodExtraMax, 0, 6, 6, 1, 0), nearCentre()});
        expectHeadsOfTheFullRanking<InputEx, cclp_scoreResultSetEx>(InputEx(forPairs, formats),
                                                                   pairs);
    }
}

TEST(RunScoreRanking, CandidatesFormedInRisingRankAreRankedAlike) {
    // Every candidate ranks before all earlier ones: each one is kept for
    // a while and then dropped again.
    std::vector<EdgeSpec> rising;
    for (int32_t i = 0; i < 1000; ++i) rising.push_back({i * 0.125, 50});
    Params params;
    params.singleEdge().methods({oneSidedMethod(cclp_scoreMethodPos, 125, 0, 0, 1, 0)});
    for (const uint32_t formats : {1u, 2u}) {
        expectHeadsOfTheFullRanking<Input, cclp_scoreResultSet>(Input(rising, formats), params);
    }
}

TEST(RunScoreRanking, CandidatesEqualInScoreAndPositionComeInTheOrderTheyWereFormed) {
    // Edges at five positions in shuffled order; the method sees only the
    // position, so each position's edges tie. The contrasts tell them apart.
    std::vector<double> positions;
    for (int32_t i = 0; i < 400; ++i) positions.push_back(i % 5 - 2.0);
    std::shuffle(positions.begin(), positions.end(), std::mt19937(3));
    std::vector<EdgeSpec> edges;
    for (size_t i = 0; i < positions.size(); ++i) {
        edges.push_back({positions[i], static_cast<double>(i + 1)});
    }
    Params params;
    params.singleEdge().methods({nearCentre()});
    for (const uint32_t formats : {1u, 2u}) {
        const Input input(edges, formats);
        expectHeadsOfTheFullRanking<Input, cclp_scoreResultSet>(input, params);
        // The tie at the cut keeps the earliest edges: the 80 at position 0
        // first, then those at -1 (lower than +1) by input index.
        params.maxResults(83);
        Output<cclp_scoreResultSet> out;
        ASSERT_EQ(runScore(input, params, out), 0);
        std::vector<double> atMinusOne;
        for (size_t i = 0; i < edges.size() && atMinusOne.size() < 3; ++i) {
            if (edges[i].position == -1.0) atMinusOne.push_back(edges[i].contrast);
        }
        for (int32_t r = 0; r < 3; ++r) {
            const double contrastOf = formats == 1u ? out[80 + r].edges[0].contrast
                                                    : out[80 + r].edgesFixed[0].contrast / 256.0;
            EXPECT_EQ(contrastOf, atMinusOne[static_cast<size_t>(r)]) << "result " << 80 + r;
        }
    }
    // Pairs: many pairs share a mean position and so a score.
    Params pairs;
    pairs.edgePair(2).methods({nearCentre()});
    std::vector<EdgeSpec> few(edges.begin(), edges.begin() + 40);
    for (const uint32_t formats : {1u, 2u}) {
        expectHeadsOfTheFullRanking<Input, cclp_scoreResultSet>(Input(few, formats), pairs);
    }
}

TEST(RunScoreRanking, AnAbandonedRunHasReportedWhatItsEarlierCandidatesReported) {
    // Edges in falling order: every pair breaks the offset-distance
    // method's precondition once. A run stopped at a poll has scored
    // exactly the candidates formed before it.
    std::vector<EdgeSpec> falling;
    for (int32_t i = 0; i < 12; ++i) falling.push_back({20.0 - 3 * i, 10});
    cclp_scoreTwoSided sides;
    ASSERT_EQ(cclp_scoreTwoSided_init(&sides), 0);
    cclp_score offsets;
    ASSERT_EQ(cclp_score_init(&offsets), 0);
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&offsets, cclp_scoreMethodOffsetDist, &sides), 0);
    Params params;
    params.edgePair(4).methods({offsets}).maxResults(3);
    const int32_t n = static_cast<int32_t>(falling.size());
    // Fixed point polls before every second edge; floating point before
    // every first edge, after which all pairs of the earlier first edges
    // are formed.
    const auto formedBeforeFixedPoll = [](int32_t k) { return k - 1; };
    const auto formedBeforeDoublePoll = [n](int32_t k) {
        int32_t formed = 0;
        for (int32_t i = 0; i < k - 1 && i < n; ++i) formed += n - 1 - i;
        return formed;
    };
    for (const uint32_t formats : {1u, 2u}) {
        const Input input(falling, formats);
        const int32_t polls = formats == 2u ? n * (n - 1) / 2 + 1 : n + 1;
        for (int32_t k = 1; k <= polls; ++k) {
            Output<cclp_scoreResultSet> out;
            AssertionCounter assertions;
            DisarmOnExit disarm;
            csys_testing_failAttention(k);
            ASSERT_EQ(runScore(input, params, out), CSYS_STATUS_ATTENTION) << "poll " << k;
            const int32_t formed =
                formats == 2u ? formedBeforeFixedPoll(k) : formedBeforeDoublePoll(k);
            EXPECT_EQ(assertions.count(), std::min(formed, n * (n - 1) / 2))
                << "formats " << formats << " poll " << k;
        }
    }
}

TEST(RunScoreRanking, ALimitOfZeroWritesNoResult) {
    // The setter refuses a limit of 0; a run given one in the record keeps
    // no candidate, sorted or not, and leaves an empty output.
    const std::vector<EdgeSpec> edges = coarseEdges(30, 2);
    for (const uint32_t formats : {1u, 2u}) {
        for (const bool pairs : {false, true}) {
            for (const bool sort : {false, true}) {
                LeakCheck leaks;
                Params params;
                if (pairs) params.edgePair(6);
                params.methods({nearCentre()}).maxResults(3).sorted(sort);
                Output<cclp_scoreResultSet> out;
                ASSERT_EQ(runScore(Input(edges, formats), params, out), 0);
                ASSERT_EQ(out.set.numResults, 3);
                params.params.maxNumResults = 0;
                EXPECT_EQ(runScore(Input(edges, formats), params, out), 0);
                EXPECT_EQ(out.set.numResults, 0);
            }
        }
    }
}
