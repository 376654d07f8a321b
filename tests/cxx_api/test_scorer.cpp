// The scorer: its results are the C API's, record for record; the indices
// it recovers are those of the candidates a run ranks (checked against the
// order of forming and the run's ranking rule, with duplicate edges); a
// repeated run allocates only the working block; owners move and copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "tests/support/record_text.hpp"
#include "tests/support/runtime_controls.hpp"

namespace {

using namespace cclp::score;

// Edges drawn from a few values, so that many are duplicates of each other.
struct Profile {
    std::vector<double> positions;
    std::vector<double> contrasts;

    Profile(int32_t n, uint32_t seed, bool ascending) {
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> pick(0, 5);
        const double values[] = {-12.5, -3.0, 0.0, 4.25, 9.5, 15.0};
        const double levels[] = {-80.0, -20.0, 0.0, 20.0, 45.0, 80.0};
        for (int32_t i = 0; i < n; ++i) {
            positions.push_back(values[pick(rng)]);
            contrasts.push_back(levels[pick(rng)]);
        }
        if (ascending) std::sort(positions.begin(), positions.end());
    }
};

Params pairParams(bool sorted, int32_t maxResults) {
    Params params;
    params.pair({-6.0, Polarity::Positive}, {6.0, Polarity::Negative})
        .methods({Method(MethodId::SizeDiff, OneSided(0.0, 1.0, 1.5, 1.0, 0.1)),
                  Method(MethodId::Contrast, OneSided(90.0, 0.0, 0.0, 1.0, 0.2)),
                  Method(MethodId::Pos, OneSided(0.0, 20.0, 20.0, 1.0, 0.0))})
        .maxResults(maxResults)
        .sorted(sorted);
    return params;
}

Params singleParams(bool sorted, int32_t maxResults) {
    Params params;
    params.single({0.0, Polarity::Negative})
        .methods({Method(MethodId::PosAbs, OneSided(0.0, 10.0, 20.0, 1.0, 0.3)),
                  Method(MethodId::Contrast, OneSided(90.0, 0.0, 0.0, 1.0, 0.2))})
        .maxResults(maxResults)
        .sorted(sorted);
    return params;
}

bool passes(double contrast, Polarity polarity) {
    if (polarity == Polarity::Positive) return contrast >= 0;
    if (polarity == Polarity::Negative) return contrast <= 0;
    return true;
}

// Every candidate of the right polarity, in the order a run forms them.
std::vector<std::array<int32_t, 2>> formedCandidates(const Profile& profile, const Params& params) {
    std::vector<std::array<int32_t, 2>> candidates;
    const auto n = static_cast<int32_t>(profile.positions.size());
    const auto& c = profile.contrasts;
    for (int32_t i = 0; i < n; ++i) {
        if (!passes(c[static_cast<size_t>(i)], params.desiredEdge(0).polarity)) continue;
        if (!params.pairs()) {
            candidates.push_back({i, -1});
            continue;
        }
        for (int32_t j = i + 1; j < n; ++j) {
            if (passes(c[static_cast<size_t>(j)], params.desiredEdge(1).polarity)) {
                candidates.push_back({i, j});
            }
        }
    }
    return candidates;
}

// The candidates a run writes, by the run's rule: every candidate scored by
// an unsorted run that keeps them all, then (when sorting) ranked by score,
// position and order of forming, and cut to maxResults.
template <class Edges>
std::vector<std::array<int32_t, 2>> expectedCandidates(const Profile& profile, const Params& params,
                                                       const Edges& edges, bool fixed) {
    const auto formed = formedCandidates(profile, params);
    if (formed.empty()) return formed;
    Params all = params;
    all.sorted(false).maxResults(static_cast<int32_t>(formed.size()));
    Scorer scorer(all);
    const auto scored = scorer.score(edges);
    EXPECT_EQ(static_cast<size_t>(scored.size()), formed.size());
    std::vector<int32_t> order(formed.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = static_cast<int32_t>(k);
    const auto key = [&](int32_t k) {
        const auto result = scored[k];
        return fixed ? std::make_pair(-double(result.scoreFixed()), double(result.positionFixed()))
                     : std::make_pair(-result.score(), result.position());
    };
    if (params.sorted()) {
        std::stable_sort(order.begin(), order.end(),
                         [&](int32_t a, int32_t b) { return key(a) < key(b); });
    }
    order.resize(std::min(order.size(), static_cast<size_t>(params.maxResults())));
    std::vector<std::array<int32_t, 2>> expected;
    for (int32_t k : order) expected.push_back(formed[static_cast<size_t>(k)]);
    return expected;
}

// A run through the C API alone, over the same edge and parameter records.
cclp_scoreResultSet runThroughC(const cclp_resultSet& input, const cclp_scoreParams& params) {
    cclp_scoreResultSet output;
    EXPECT_EQ(cclp_scoreResultSet_construct(&output), CCLP_STATUS_OK);
    EXPECT_EQ(cclp_runScore(&input, &params, &output), CCLP_STATUS_OK);
    return output;
}

struct RunCase {
    bool pairs;
    bool sorted;
    bool ascending;
    Formats formats;
    int32_t maxResults;
};

// How test listings name a case: the default prints the record's bytes, padding included.
void PrintTo(const RunCase& run, std::ostream* out) {
    *out << (run.pairs ? "pairs" : "singles") << (run.sorted ? "_sorted" : "_unsorted")
         << (run.ascending ? "_ascending" : "_descending") << "_formats"
         << static_cast<int>(run.formats) << "_max" << run.maxResults;
}

// Edges in the profile's order: Edges refuse positions out of order, so
// they are written over the record, as a C caller may hand one to a run.
Edges edgesOf(const Profile& profile, Formats formats) {
    Edges edges(std::vector<double>(profile.positions.size()), profile.contrasts, formats);
    for (int32_t i = 0; i < edges.size(); ++i) {
        const double position = profile.positions[static_cast<size_t>(i)];
        if (edges.c().edges != nullptr) edges.c().edges[i].position = position;
        if (edges.c().edgesFixed != nullptr) edges.c().edgesFixed[i].position = toFixed(position);
    }
    return edges;
}

class CxxScorerRuns : public ::testing::TestWithParam<RunCase> {};

TEST_P(CxxScorerRuns, MatchTheCApiAndRecoverTheRankedCandidatesIndices) {
    const RunCase run = GetParam();
    cclp::testing::LeakCheck leaks;
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        const Profile profile(run.pairs ? 24 : 40, seed, run.ascending);
        const Params params = run.pairs ? pairParams(run.sorted, run.maxResults)
                                        : singleParams(run.sorted, run.maxResults);
        const Edges edges = edgesOf(profile, run.formats);
        Scorer scorer(params);
        const Results results = scorer.score(edges);

        cclp_scoreResultSet reference = runThroughC(edges.c(), params.c());
        ASSERT_EQ(results.size(), reference.numResults);
        const auto expected =
            expectedCandidates(profile, params, edges, run.formats == Formats::Fixed);
        ASSERT_EQ(static_cast<size_t>(results.size()), expected.size());
        for (int32_t r = 0; r < results.size(); ++r) {
            const Result result = results[r];
            EXPECT_EQ(cclp::testing::recordText(result.c(), false),
                      cclp::testing::recordText(reference.results[r], false));
            const auto& want = expected[static_cast<size_t>(r)];
            EXPECT_EQ(result.index(0), want[0]) << "seed " << seed << " result " << r;
            if (run.pairs) {
                EXPECT_EQ(result.index(1), want[1]) << "seed " << seed << " result " << r;
            }
        }
        cclp_scoreResultSet_destruct(&reference);
    }
}

INSTANTIATE_TEST_SUITE_P(
    DuplicateEdges, CxxScorerRuns,
    ::testing::Values(RunCase{false, true, false, Formats::Double, 12},
                      RunCase{false, false, true, Formats::Double, 9},
                      RunCase{false, true, true, Formats::Fixed, 15},
                      RunCase{true, true, false, Formats::Double, 20},
                      RunCase{true, true, true, Formats::Both, 40},
                      RunCase{true, false, false, Formats::Fixed, 25},
                      RunCase{true, true, false, Formats::Fixed, 30}));

TEST(CxxScorer, ExtendedRunsCompareTheExtrasToo) {
    // Edges 0 and 1 agree in position and contrast but not in extra1.
    const EdgesEx edges({1.0, 1.0, 2.0, 2.0}, {50.0, 50.0, 50.0, 50.0}, {0.0, 9.0, 0.0, 0.0},
                        {1.0, 1.0, 1.0, 1.0}, {0.0, 0.0, 0.0, 0.0});
    Params params;
    params.single().methods({Method(MethodId::ExtraMax, OneSided(0.0, 1.0, 1.0, 1.0, 1.0))})
        .maxResults(4);
    Scorer scorer(params);
    const ResultsEx results = scorer.score(edges);
    ASSERT_EQ(results.size(), 4);
    // Equal scores: lower position first, then as formed.
    const int32_t expected[] = {0, 1, 2, 3};
    for (int32_t r = 0; r < 4; ++r) EXPECT_EQ(results[r].index(0), expected[r]);
    EXPECT_EQ(results[1].edge(0).extra1, 9.0);
}

TEST(CxxScorer, RepeatedRunsAllocateOnlyTheWorkingBlock) {
    const Profile profile(30, 7, true);
    const Edges edges(profile.positions, profile.contrasts, Formats::Both);
    Scorer scorer(pairParams(true, 5));
    (void)scorer.score(edges);
    for (int run = 0; run < 3; ++run) {
        const int64_t before = csys_testing_allocationCount();
        const Results results = scorer.score(edges);
        EXPECT_EQ(csys_testing_allocationCount() - before, 1);
        EXPECT_EQ(results.size(), 5);
    }
}

TEST(CxxScorer, FailedRunsThrowTheRunsStatusAndLeaveAnEmptyView) {
    cclp::testing::DisarmOnExit disarm;
    const Edges fixedOnly = Edges::fixed({256, 512}, {100, -100});
    Params params;
    // 1/1024 apart: no width at all in 1/256 units.
    params.pair({0.0, Polarity::Any}, {1.0 / 1024.0, Polarity::Any})
        .methods({Method(MethodId::Size, OneSided())});
    Scorer scorer(params);
    try {
        (void)scorer.score(fixedOnly);
        ADD_FAILURE() << "no exception";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), makeErrorCode(CCLP_STATUS_ZERO_PAIR_WIDTH));
    }
    std::error_code ec;
    csys_testing_failAttention(1);
    Scorer stopped(pairParams(true, 3));
    const Edges two({1.0, 2.0}, {0.0, 0.0});
    const Results results = stopped.score(two, ec);
    EXPECT_EQ(ec.value(), CSYS_STATUS_ATTENTION);
    EXPECT_TRUE(results.empty());
}

TEST(CxxScorer, FailedAllocationsReportOutOfMemoryAndLeakNothing) {
    const Profile profile(10, 5, true);
    cclp::testing::sweepAllocationFailures([&](int32_t k) {
        cclp::testing::FailAllocation fail(k);
        try {
            const EdgesEx edges(profile.positions, profile.contrasts, profile.positions,
                                profile.contrasts, profile.positions, Formats::Both);
            Scorer scorer(pairParams(true, 4));
            const ResultsEx results = scorer.score(edges);
            EXPECT_EQ(results.size(), 4);
            const EdgesEx copy = edges;
            EXPECT_EQ(copy.size(), 10);
        } catch (const Error& error) {
            return error.status();
        }
        return CCLP_STATUS_OK;
    });
}

TEST(CxxScorer, OwnersMoveAndCopyAndMovedFromOnesAreSafeToDestroy) {
    cclp::testing::LeakCheck leaks;
    const Profile profile(12, 3, true);
    Edges edges(profile.positions, profile.contrasts);
    Params params = pairParams(true, 3);
    Params copy = params;
    copy.maxResults(1);
    EXPECT_EQ(params.maxResults(), 3);
    Params moved = std::move(params);
    EXPECT_FALSE(params.valid());  // NOLINT(bugprone-use-after-move)
    params = moved;                 // a moved-from owner can be assigned to
    EXPECT_EQ(params.maxResults(), 3);
    Edges taken = std::move(edges);
    EXPECT_EQ(edges.size(), 0);  // NOLINT(bugprone-use-after-move)
    Scorer scorer(std::move(moved));
    ASSERT_EQ(scorer.score(taken).size(), 3);
    ResultSet kept = scorer.output();
    ResultSet emptied = std::move(kept);
    EXPECT_EQ(emptied.c().numResults, 3);
    EXPECT_EQ(kept.c().numResults, 0);  // NOLINT(bugprone-use-after-move)
    Scorer second = std::move(scorer);
    EXPECT_EQ(second.score(taken).size(), 3);
}

}  // namespace
