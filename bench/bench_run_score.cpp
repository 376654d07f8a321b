// Scoring runs over 50 to 3000 edges: single edges and edge pairs, 1, 3 or 6
// score methods, 1, 10 or 100 results, in double precision and in fixed
// point. Every configuration is measured side by side with a reference that
// ranks the same candidates the way a run without selection would: score
// every candidate, keep them all, order them all with qsort. The figures are
// ratios taken within one iteration, so the load of a shared machine
// largely cancels out. Times are the thread's CPU time.
//
// The "Time" column is one iteration: a stretch of runs of each kind.
// Counters, per run:
//   run_us      the run as configured
//   score_us    the same run keeping no result: forming and scoring alone
//   ref_us      the reference: the run unsorted (scoring, writing the first
//               results), a copy of every candidate record, a full qsort
//   ref_x       ref_us / run_us
//   select_x    (run_us - score_us) / score_us: what selecting, ordering and
//               writing the results cost next to the scoring
//   ns_edge_m   single-edge runs: run time per edge and method
//
// longPairRun: pair runs over 10,000 and 30,000 edges (about 50 and 450
// million pairs), one run each and no reference. Counters:
//   ns_pair     run time per pair
//   block_bytes the run's working block, sized by what the run keeps
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "engine/combine.hpp"
#include "engine/evaluate.hpp"
#include "engine/working_block.hpp"
#include "bench_inputs.hpp"
#include "timing.hpp"

namespace {

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

// The reference's record and order: higher score first, then lower position
// (a NaN position last); candidates equal in both in any order.
template <class Number>
struct ReferenceCandidate {
    Number score;
    Number position;
    int32_t index;
};

template <class Number>
int ascending(Number a, Number b) {
    if (a < b) return -1;
    if (a > b) return 1;
    if constexpr (std::is_floating_point_v<Number>) {
        if (std::isnan(a) != std::isnan(b)) return std::isnan(a) ? 1 : -1;
    }
    return 0;
}

template <class Number>
int compareByScoreThenPosition(const void* a, const void* b) {
    const auto& first = *static_cast<const ReferenceCandidate<Number>*>(a);
    const auto& second = *static_cast<const ReferenceCandidate<Number>*>(b);
    const int byScore = ascending(second.score, first.score);
    return byScore != 0 ? byScore : ascending(first.position, second.position);
}

// Every candidate of the run, scored by the module's own evaluation, in the
// order of forming. The profile's edges all pass the polarity tests.
template <class Number, class Edge, class Method>
std::vector<ReferenceCandidate<Number>> formCandidates(const Edge* edges, int32_t numEdges,
                                                       const Method* methods, int32_t numMethods,
                                                       bool pairs, Number width) {
    const cclp_desiredEdge desired[2] = {{-5.0, 3}, {5.0, 3}};
    std::vector<Number> row(static_cast<size_t>(numMethods));
    std::vector<ReferenceCandidate<Number>> candidates;
    const auto form = [&](const Edge* candidateEdges, int32_t count, Number position) {
        cclp::ScoreProduct<Number> product(numMethods);
        for (int32_t m = 0; m < numMethods; ++m) {
            (void)cclp::evaluateScoreMethod(&methods[m], count, candidateEdges, desired, width,
                                            &row[static_cast<size_t>(m)]);
            product.add(row[static_cast<size_t>(m)]);
        }
        candidates.push_back(
            {product.combined(), position, static_cast<int32_t>(candidates.size())});
    };
    for (int32_t i = 0; i < numEdges; ++i) {
        if (!pairs) {
            form(&edges[i], 1, edges[i].position);
            continue;
        }
        for (int32_t j = i + 1; j < numEdges; ++j) {
            using namespace cclp::measure;
            const Edge pair[2] = {edges[i], edges[j]};
            form(pair, 2, halve(add(pair[0].position, pair[1].position)));
        }
    }
    return candidates;
}

// Arguments: pairs (0/1), fixed point (0/1), edges, methods, maxNumResults.
class Scenario {
public:
    explicit Scenario(const benchmark::State& state)
        : pairs_(state.range(0) != 0),
          fixed_(state.range(1) != 0),
          numEdges_(static_cast<int32_t>(state.range(2))),
          numMethods_(static_cast<int32_t>(state.range(3))),
          maxResults_(static_cast<int32_t>(state.range(4))),
          profile_(numEdges_, fixed_ ? CCLP_FORMAT_FIXED : CCLP_FORMAT_DOUBLE) {
        cclp_scoreParams_construct(&params_);
        const cclp_desiredEdge desired[2] = {{-5.0, 3}, {5.0, 3}};
        cclp_scoreParams_setDesiredEdges(&params_, pairs_ ? 2 : 1, desired);
        const std::vector<cclp_score> methods = methodsFor(pairs_, numMethods_);
        cclp_scoreParams_setScoreMethods(&params_, numMethods_, methods.data());
        for (cclp_scoreResultSet& output : outputs_) cclp_scoreResultSet_construct(&output);
    }
    ~Scenario() {
        for (cclp_scoreResultSet& output : outputs_) cclp_scoreResultSet_destruct(&output);
        cclp_scoreParams_destruct(&params_);
    }
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    double candidates() const {
        return pairs_ ? static_cast<double>(numEdges_) * (numEdges_ - 1) / 2.0 : numEdges_;
    }
    bool pairs() const { return pairs_; }
    int32_t numEdges() const { return numEdges_; }
    int32_t numMethods() const { return numMethods_; }

    // Enough runs per timed stretch that the clock's cost does not count.
    int32_t repeats() const {
        const double work = candidates() * numMethods_;
        return static_cast<int32_t>(std::max(1.0, std::ceil(50000.0 / work)));
    }

    // Each kind of run writes into an output of its own, which keeps its
    // records from one run to the next as a caller's output would.
    enum Kind { kConfigured, kScoringOnly, kReference };

    // Written into the record directly: the setter refuses a limit of 0,
    // which a run accepts (it then writes nothing).
    bool run(Kind kind, int32_t maxResults, bool sort) {
        params_.maxNumResults = maxResults;
        params_.sortByScore = sort ? 1 : 0;
        cclp_scoreResultSet& output = outputs_[kind];
        const bool ok = cclp_runScore(&profile_.set, &params_, &output) >= 0;
        benchmark::DoNotOptimize(output.results);
        return ok;
    }
    bool runAsConfigured() { return run(kConfigured, maxResults_, true); }
    bool runScoringOnly() { return run(kScoringOnly, 0, false); }
    bool runReference() {
        const bool ok = run(kReference, maxResults_, false);
        if (fixed_) {
            orderAll(fixedCandidates_);
        } else {
            orderAll(doubleCandidates_);
        }
        return ok;
    }

    void formReferenceCandidates() {
        if (fixed_) {
            const int32_t width = fixed256(10.0);
            fixedCandidates_.all = formCandidates(profile_.edgesFixed.data(), numEdges_,
                                                  params_.scoreMethodsFixed, numMethods_,
                                                  pairs_, width);
        } else {
            doubleCandidates_.all = formCandidates(profile_.edges.data(), numEdges_,
                                                   params_.scoreMethods, numMethods_, pairs_,
                                                   10.0);
        }
    }

    // The configured run's results agree with the reference's first ones in
    // score and position.
    bool agreesWithReference() {
        if (!runAsConfigured()) return false;
        return fixed_ ? agrees(fixedCandidates_, true) : agrees(doubleCandidates_, false);
    }

private:
    template <class Number>
    struct Candidates {
        std::vector<ReferenceCandidate<Number>> all;
        std::vector<ReferenceCandidate<Number>> scratch;
    };

    template <class Number>
    static void orderAll(Candidates<Number>& candidates) {
        candidates.scratch = candidates.all;
        std::qsort(candidates.scratch.data(), candidates.scratch.size(),
                   sizeof(ReferenceCandidate<Number>), &compareByScoreThenPosition<Number>);
        benchmark::DoNotOptimize(candidates.scratch.data());
    }

    template <class Number>
    bool agrees(Candidates<Number>& candidates, bool fixed) const {
        orderAll(candidates);
        const auto expected = std::min<size_t>(candidates.scratch.size(),
                                               static_cast<size_t>(maxResults_));
        const cclp_scoreResultSet& output = outputs_[kConfigured];
        if (static_cast<size_t>(output.numResults) != expected) return false;
        for (size_t r = 0; r < expected; ++r) {
            const cclp_scoreOneResult& result = output.results[r];
            const auto& reference = candidates.scratch[r];
            const bool same =
                fixed ? result.scoreFixed == static_cast<int32_t>(reference.score) &&
                            result.positionFixed == static_cast<int32_t>(reference.position)
                      : result.score == static_cast<double>(reference.score) &&
                            result.position == static_cast<double>(reference.position);
            if (!same) return false;
        }
        return true;
    }

    bool pairs_;
    bool fixed_;
    int32_t numEdges_;
    int32_t numMethods_;
    int32_t maxResults_;
    Profile profile_;
    cclp_scoreParams params_{};
    cclp_scoreResultSet outputs_[3]{};
    Candidates<double> doubleCandidates_;
    Candidates<int32_t> fixedCandidates_;
};

void runScore(benchmark::State& state) {
    Scenario scenario(state);
    scenario.formReferenceCandidates();
    if (!scenario.agreesWithReference()) {
        state.SkipWithError("the results differ from the reference order");
        return;
    }
    const int32_t repeats = scenario.repeats();
    double runTime = 0.0;
    double scoringTime = 0.0;
    double referenceTime = 0.0;
    bool ok = true;
    for (auto _ : state) {
        runTime += timed(repeats, ok, [&] { return scenario.runAsConfigured(); });
        scoringTime += timed(repeats, ok, [&] { return scenario.runScoringOnly(); });
        referenceTime += timed(repeats, ok, [&] { return scenario.runReference(); });
    }
    if (!ok) state.SkipWithError("a run failed");
    const double runs = static_cast<double>(state.iterations()) * repeats;
    state.counters["run_us"] = runTime / runs * 1e6;
    state.counters["score_us"] = scoringTime / runs * 1e6;
    state.counters["ref_us"] = referenceTime / runs * 1e6;
    state.counters["ref_x"] = referenceTime / runTime;
    state.counters["select_x"] = (runTime - scoringTime) / scoringTime;
    if (!scenario.pairs()) {
        state.counters["ns_edge_m"] =
            runTime / runs * 1e9 / (scenario.numEdges() * scenario.numMethods());
    }
}

constexpr double kMinSeconds = 0.2;

// Single edges at every size, and pairs up to 1000 edges.
BENCHMARK(runScore)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "max"})
    ->ArgsProduct({{0}, {0, 1}, {50, 300, 1000, 3000}, {1, 3, 6}, {1, 10, 100}})
    ->ArgsProduct({{1}, {0, 1}, {50, 300, 1000}, {1, 3, 6}, {1, 10, 100}})
    ->MinTime(kMinSeconds)
    ->Unit(benchmark::kMillisecond);

// Pairs over 3000 edges (about 4.5 million candidates): a few iterations.
BENCHMARK(runScore)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "max"})
    ->ArgsProduct({{1}, {0, 1}, {3000}, {1, 3, 6}, {1, 10, 100}})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

void longPairRun(benchmark::State& state) {
    Scenario scenario(state);
    const cclp::SelectionRule rule{static_cast<int32_t>(state.range(4)), true};
    cclp::BlockPlan plan{};
    const int32_t planned =
        state.range(1) != 0
            ? cclp::planWorkingBlock<int32_t>(scenario.numEdges(), scenario.numMethods(), true,
                                              rule, plan)
            : cclp::planWorkingBlock<double>(scenario.numEdges(), scenario.numMethods(), true,
                                             rule, plan);
    bool ok = planned >= 0;
    double runTime = 0.0;
    for (auto _ : state) runTime += timed(1, ok, [&] { return scenario.runAsConfigured(); });
    if (!ok) state.SkipWithError("a run failed");
    state.counters["ns_pair"] =
        runTime / static_cast<double>(state.iterations()) / scenario.candidates() * 1e9;
    state.counters["block_bytes"] = static_cast<double>(plan.bytes);
}

// Pairs over 10,000 and 30,000 edges: one run each.
BENCHMARK(longPairRun)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "max"})
    ->ArgsProduct({{1}, {0, 1}, {10000, 30000}, {3}, {10}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
