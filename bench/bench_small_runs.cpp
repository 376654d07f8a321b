// The runs production makes, one per caliper: 8 to 50 edges, 1 to 6
// methods, the best 5 results; and long pair runs whose size method scores
// only pairs near the expected width. Each is timed against a plain scalar
// loop that computes the same results (plain_reference.hpp), checked equal
// to the run's before timing. Times are the thread's CPU time; the ratios
// are taken within one iteration, so the load of a shared machine largely
// cancels out.
//
// smallRun counters, per run:
//   run_us     the module's run
//   plain_us   the plain loop
//   x          run_us / plain_us
// alternatingCounts: runs that keep 6 and 10 results in turn, against runs
// that keep 10 every time (x: the alternating run's time over the steady
// one's).
// pairRunAgainstPlainScan: ns per pair of the run and of the plain loop's full scan,
// their ratio, and the run's working block.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bench_inputs.hpp"
#include "cclp_score/cclp_score.h"
#include "engine/working_block.hpp"
#include "plain_reference.hpp"
#include "timing.hpp"

namespace {

std::vector<cclp_score> methodsFor(bool pairs, int32_t count) {
    using namespace plain;
    const std::vector<cclp_score> pool =
        pairs ? std::vector<cclp_score>{oneSided(kSizeDiff, 0, 0.5, 0.5),
                                        oneSided(kContrast, 255, 0, 0),
                                        oneSided(kPosAbs, 0, 50, 60),
                                        oneSided(kSize, 0.5, 2, 3),
                                        oneSided(kPos, -100, 100, 100),
                                        oneSided(kPosNormAbs, 0, 2, 3)}
              : std::vector<cclp_score>{oneSided(kContrast, 255, 0, 0),
                                        oneSided(kPosAbs, 0, 50, 60),
                                        oneSided(kPos, -100, 100, 100),
                                        oneSided(kContrast, 100, 10, 0),
                                        oneSided(kPosAbs, 5, 80, 90),
                                        oneSided(kPos, -50, 50, 60)};
    return {pool.begin(), pool.begin() + count};
}

// Arguments: pairs (0/1), fixed point (0/1), edges, methods, results kept.
class Scenario {
public:
    explicit Scenario(const benchmark::State& state)
        : pairs_(state.range(0) != 0),
          fixed_(state.range(1) != 0),
          numEdges_(static_cast<int32_t>(state.range(2))),
          numMethods_(static_cast<int32_t>(state.range(3))),
          keep_(static_cast<int32_t>(state.range(4))),
          profile_(numEdges_, fixed_ ? CCLP_FORMAT_FIXED : CCLP_FORMAT_DOUBLE) {
        cclp_scoreParams_construct(&params_);
        const cclp_desiredEdge desired[2] = {{-5.0, 3}, {5.0, 3}};
        cclp_scoreParams_setDesiredEdges(&params_, pairs_ ? 2 : 1, desired);
        const std::vector<cclp_score> methods = methodsFor(pairs_, numMethods_);
        cclp_scoreParams_setScoreMethods(&params_, numMethods_, methods.data());
        cclp_scoreParams_setMaxNumResults(&params_, keep_);
        cclp_scoreResultSet_construct(&output_);
        doubleReference_ = {params_.scoreMethods, numMethods_, 10.0, keep_};
        fixedReference_ = {params_.scoreMethodsFixed, numMethods_, fixed256(10.0), keep_};
    }
    ~Scenario() {
        cclp_scoreResultSet_destruct(&output_);
        cclp_scoreParams_destruct(&params_);
    }
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    double candidates() const {
        return pairs_ ? static_cast<double>(numEdges_) * (numEdges_ - 1) / 2.0 : numEdges_;
    }
    int32_t repeats() const {
        return static_cast<int32_t>(std::max(1.0, std::ceil(20000.0 / candidates())));
    }

    bool run(int32_t keep) {
        params_.maxNumResults = keep;
        const bool ok = cclp_runScore(&profile_.set, &params_, &output_) >= 0;
        benchmark::DoNotOptimize(output_.results);
        return ok;
    }
    bool run() { return run(keep_); }

    bool runPlain() {
        if (fixed_) {
            benchmark::DoNotOptimize(fixedReference_.run(profile_.edgesFixed.data(), numEdges_,
                                                         pairs_).data());
        } else {
            benchmark::DoNotOptimize(
                doubleReference_.run(profile_.edges.data(), numEdges_, pairs_).data());
        }
        return true;
    }

    bool agrees() {
        if (!run()) return false;
        return fixed_ ? plain::sameResults(fixedReference_.run(profile_.edgesFixed.data(),
                                                               numEdges_, pairs_),
                                           output_)
                      : plain::sameResults(doubleReference_.run(profile_.edges.data(),
                                                                numEdges_, pairs_),
                                           output_);
    }

    int32_t numEdges() const { return numEdges_; }
    int32_t numMethods() const { return numMethods_; }
    bool fixed() const { return fixed_; }

private:
    bool pairs_;
    bool fixed_;
    int32_t numEdges_;
    int32_t numMethods_;
    int32_t keep_;
    Profile profile_;
    cclp_scoreParams params_{};
    cclp_scoreResultSet output_{};
    // Set up once the parameters hold their methods.
    plain::Reference<double, cclp_edge, cclp_score> doubleReference_{nullptr, 0, 0.0, 0};
    plain::Reference<int32_t, cclp_edgeFixed, cclp_scoreFixed> fixedReference_{nullptr, 0, 0, 0};
};

void smallRun(benchmark::State& state) {
    Scenario scenario(state);
    if (!scenario.agrees()) {
        state.SkipWithError("the run's results differ from the plain loop's");
        return;
    }
    const int32_t repeats = scenario.repeats();
    double runTime = 0.0;
    double plainTime = 0.0;
    bool ok = true;
    for (auto _ : state) {
        runTime += timed(repeats, ok, [&] { return scenario.run(); });
        plainTime += timed(repeats, ok, [&] { return scenario.runPlain(); });
    }
    if (!ok) state.SkipWithError("a run failed");
    const double runs = static_cast<double>(state.iterations()) * repeats;
    state.counters["run_us"] = runTime / runs * 1e6;
    state.counters["plain_us"] = plainTime / runs * 1e6;
    state.counters["x"] = runTime / plainTime;
}

BENCHMARK(smallRun)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "keep"})
    ->ArgsProduct({{0, 1}, {0, 1}, {8, 20, 50}, {1, 3, 6}, {5}})
    ->MinTime(0.05)
    ->Unit(benchmark::kMicrosecond);

void alternatingCounts(benchmark::State& state) {
    Scenario scenario(state);
    const int32_t repeats = 200;
    double alternating = 0.0;
    double steady = 0.0;
    bool ok = true;
    for (auto _ : state) {
        int32_t turn = 0;
        alternating += timed(repeats, ok, [&] { return scenario.run(++turn % 2 ? 6 : 10); });
        steady += timed(repeats, ok, [&] { return scenario.run(10); });
    }
    if (!ok) state.SkipWithError("a run failed");
    const double runs = static_cast<double>(state.iterations()) * repeats;
    state.counters["alternating_us"] = alternating / runs * 1e6;
    state.counters["steady_us"] = steady / runs * 1e6;
    state.counters["x"] = alternating / steady;
}

BENCHMARK(alternatingCounts)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "keep"})
    ->Args({1, 0, 20, 3, 10})
    ->MinTime(0.05)
    ->Unit(benchmark::kMicrosecond);

void pairRunAgainstPlainScan(benchmark::State& state) {
    Scenario scenario(state);
    const cclp::SelectionRule rule{static_cast<int32_t>(state.range(4)), true};
    cclp::BlockPlan plan{};
    bool ok = (scenario.fixed()
                   ? cclp::planWorkingBlock<int32_t>(scenario.numEdges(), scenario.numMethods(),
                                                     true, rule, plan)
                   : cclp::planWorkingBlock<double>(scenario.numEdges(), scenario.numMethods(),
                                                    true, rule, plan)) >= 0;
    ok = ok && scenario.agrees();
    double runTime = 0.0;
    double plainTime = 0.0;
    for (auto _ : state) {
        runTime += timed(1, ok, [&] { return scenario.run(); });
        plainTime += timed(1, ok, [&] { return scenario.runPlain(); });
    }
    if (!ok) state.SkipWithError("a run failed or differs from the plain loop");
    const double pairs = static_cast<double>(state.iterations()) * scenario.candidates();
    state.counters["ns_pair"] = runTime / pairs * 1e9;
    state.counters["plain_ns_pair"] = plainTime / pairs * 1e9;
    state.counters["x"] = runTime / plainTime;
    state.counters["block_bytes"] = static_cast<double>(plan.bytes);
}

BENCHMARK(pairRunAgainstPlainScan)
    ->ArgNames({"pairs", "fixed", "edges", "methods", "keep"})
    ->ArgsProduct({{1}, {0, 1}, {1000, 10000}, {3}, {10}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
