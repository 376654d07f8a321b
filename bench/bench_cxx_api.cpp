// What the C++ interface adds to a run: a pair run over 1000 edges with
// three score methods, through the C API into an output it reuses, and
// through a Scorer over the same edges (its run, and the recovery of every
// result's input indices). Both kinds alternate within each iteration, so
// the ratio is taken under the same load. Counters, per run:
//   c_us        cclp_runScore into a reused output
//   cxx_us      Scorer::score, indices included
//   overhead    cxx_us / c_us - 1 (the goal: at most 0.05)
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "timing.hpp"

namespace {

using namespace cclp::score;

// Arguments: fixed point (0/1), edges, maxNumResults.
class PairRuns {
public:
    explicit PairRuns(const benchmark::State& state)
        : edges_(profile(static_cast<int32_t>(state.range(1)), state.range(0) != 0)),
          scorer_(params(static_cast<int32_t>(state.range(2)))) {
        (void)cclp_scoreResultSet_construct(&output_);
    }
    ~PairRuns() { (void)cclp_scoreResultSet_destruct(&output_); }
    PairRuns(const PairRuns&) = delete;
    PairRuns& operator=(const PairRuns&) = delete;

    bool runThroughC() {
        const bool ok = cclp_runScore(edges_.get(), scorer_.params().get(), &output_) >= 0;
        benchmark::DoNotOptimize(output_.results);
        return ok;
    }
    bool runThroughScorer() {
        std::error_code ec;
        const Results results = scorer_.score(edges_, ec);
        benchmark::DoNotOptimize(results.empty() ? -1 : results[0].index(1));
        return !ec;
    }

private:
    static Edges profile(int32_t n, bool fixed) {
        std::mt19937 rng(12345);
        std::uniform_real_distribution<double> step(0.1, 2.0);
        std::uniform_real_distribution<double> contrast(-200.0, 200.0);
        std::vector<double> positions;
        std::vector<double> contrasts;
        double position = -static_cast<double>(n) / 2.0;
        for (int32_t i = 0; i < n; ++i) {
            position += step(rng);
            positions.push_back(position);
            contrasts.push_back(contrast(rng));
        }
        return Edges(positions, contrasts, fixed ? Formats::Fixed : Formats::Double);
    }

    static Params params(int32_t maxResults) {
        Params params;
        params.pair({-5.0, Polarity::Any}, {5.0, Polarity::Any})
            .methods({Method(MethodId::SizeDiff, OneSided(0.0, 0.5, 0.5, 1.0, 0.0)),
                      Method(MethodId::Contrast, OneSided(255.0, 0.0, 0.0, 1.0, 0.0)),
                      Method(MethodId::PosAbs, OneSided(0.0, 50.0, 60.0, 1.0, 0.0))})
            .maxResults(maxResults);
        return params;
    }

    Edges edges_;
    Scorer scorer_;
    cclp_scoreResultSet output_{};
};

void cxxApiOverhead(benchmark::State& state) {
    PairRuns runs(state);
    constexpr int32_t kRepeats = 4;
    double cTime = 0.0;
    double cxxTime = 0.0;
    bool ok = runs.runThroughC() && runs.runThroughScorer();
    for (auto _ : state) {
        cTime += timed(kRepeats, ok, [&] { return runs.runThroughC(); });
        cxxTime += timed(kRepeats, ok, [&] { return runs.runThroughScorer(); });
    }
    if (!ok) state.SkipWithError("a run failed");
    const double count = static_cast<double>(state.iterations()) * kRepeats;
    state.counters["c_us"] = cTime / count * 1e6;
    state.counters["cxx_us"] = cxxTime / count * 1e6;
    state.counters["overhead"] = cxxTime / cTime - 1.0;
}

BENCHMARK(cxxApiOverhead)
    ->ArgNames({"fixed", "edges", "max"})
    ->ArgsProduct({{0, 1}, {1000}, {1, 10, 100}})
    ->MinTime(0.5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
