// Scoring runs over 100 to 3000 edges: single edges and edge pairs, 1 to 6
// score methods, 1 or 100 results, in double precision and in fixed point.
// The counter "per_candidate" is the time per candidate formed (every edge,
// or every pair: all edges pass the polarity test here).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "cclp_score/cclp_score.h"

namespace {

int32_t fixed256(double value) {
    return static_cast<int32_t>(value * 256.0 + (value >= 0.0 ? 0.5 : -0.4999999999));
}

// A caliper input of n edges in ascending position, in both formats.
struct Profile {
    std::vector<cclp_edge> edges;
    std::vector<cclp_edgeFixed> edgesFixed;
    cclp_resultSet set{};

    Profile(int32_t n, uint32_t formats) {
        std::mt19937 rng(12345);
        std::uniform_real_distribution<double> step(0.1, 2.0);
        std::uniform_real_distribution<double> contrast(-200.0, 200.0);
        double position = -static_cast<double>(n) / 2.0;
        for (int32_t i = 0; i < n; ++i) {
            position += step(rng);
            edges.push_back({position, contrast(rng)});
            edgesFixed.push_back(
                {fixed256(edges.back().position), fixed256(edges.back().contrast)});
        }
        set.numEdges = n;
        set.formats = formats;
        set.edges = edges.data();
        set.edgesFixed = edgesFixed.data();
    }
};

cclp_score oneSided(int32_t method, double x0, double x1, double x2) {
    cclp_scoreOneSided function;
    cclp_scoreOneSided_initValues(&function, x0, x1, x2, 1.0, 0.0);
    cclp_score score;
    cclp_score_initScoreMethodOneSided(&score, method, &function);
    return score;
}

cclp_score twoSided(int32_t method) {
    cclp_scoreTwoSided function;
    cclp_scoreTwoSided_init(&function);
    cclp_score score;
    cclp_score_initScoreMethodTwoSided(&score, method, &function);
    return score;
}

std::vector<cclp_score> methodsFor(bool pairs, int32_t count) {
    const std::vector<cclp_score> pool =
        pairs ? std::vector<cclp_score>{oneSided(cclp_scoreMethodSizeDiff, 0, 0.5, 0.5),
                                        oneSided(cclp_scoreMethodContrast, 255, 0, 0),
                                        oneSided(cclp_scoreMethodPosAbs, 0, 50, 60),
                                        oneSided(cclp_scoreMethodSize, 0.5, 2, 3),
                                        twoSided(cclp_scoreMethodSizeDiffSigned),
                                        twoSided(cclp_scoreMethodEdgePos)}
              : std::vector<cclp_score>{oneSided(cclp_scoreMethodContrast, 255, 0, 0),
                                        oneSided(cclp_scoreMethodPosAbs, 0, 50, 60),
                                        oneSided(cclp_scoreMethodPos, -100, 100, 100),
                                        oneSided(cclp_scoreMethodOffsetDist, 0, 30, 40),
                                        oneSided(cclp_scoreMethodContrast, 100, 10, 0),
                                        oneSided(cclp_scoreMethodPosAbs, 5, 80, 90)};
    return {pool.begin(), pool.begin() + count};
}

// Arguments: pairs (0/1), fixed point (0/1), edges, methods, maxNumResults,
// and optionally sort (1, the default, or 0).
void runScore(benchmark::State& state) {
    const bool pairs = state.range(0) != 0;
    const bool fixedPoint = state.range(1) != 0;
    const auto numEdges = static_cast<int32_t>(state.range(2));
    const auto numMethods = static_cast<int32_t>(state.range(3));
    const Profile profile(numEdges, fixedPoint ? CCLP_FORMAT_FIXED : CCLP_FORMAT_DOUBLE);
    cclp_scoreParams params;
    cclp_scoreParams_construct(&params);
    const cclp_desiredEdge desired[2] = {{-5.0, 3}, {5.0, 3}};
    cclp_scoreParams_setDesiredEdges(&params, pairs ? 2 : 1, desired);
    const std::vector<cclp_score> methods = methodsFor(pairs, numMethods);
    cclp_scoreParams_setScoreMethods(&params, numMethods, methods.data());
    cclp_scoreParams_setMaxNumResults(&params, static_cast<int32_t>(state.range(4)));
    cclp_scoreParams_setSortByScore(&params, state.range(5) != 0 ? 1 : 0);
    cclp_scoreResultSet output;
    cclp_scoreResultSet_construct(&output);

    for (auto _ : state) {
        if (cclp_runScore(&profile.set, &params, &output) < 0) state.SkipWithError("run failed");
        benchmark::DoNotOptimize(output.results);
    }
    const double candidates = pairs ? static_cast<double>(numEdges) * (numEdges - 1) / 2.0
                                    : static_cast<double>(numEdges);
    state.counters["per_candidate"] = benchmark::Counter(
        candidates * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    cclp_scoreResultSet_destruct(&output);
    cclp_scoreParams_destruct(&params);
}

BENCHMARK(runScore)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "max", "sort"})
    ->ArgsProduct({{0, 1}, {0, 1}, {100, 1000, 3000}, {1, 3, 6}, {1, 100}, {1}})
    ->Unit(benchmark::kMicrosecond);

// The share of sorting every candidate: the same pair runs left unsorted.
BENCHMARK(runScore)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "max", "sort"})
    ->ArgsProduct({{1}, {0, 1}, {1000, 3000}, {3}, {100}, {0}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
