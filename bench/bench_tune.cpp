// Speed of one re-score of the tuning page, as the server does it on every
// mouse move: the document read and checked, the edges found again (with an
// image), the run, the measured values, the functions' curves and the JSON
// answer. The page redraws within 50 ms for a 50-edge caliper when this
// stays well below that (the browser's drawing takes the rest): the time
// reported is wall time per answer, in milliseconds.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tune/tune_session.hpp"

namespace {

// 50 edges of alternating polarity along a 200-unit caliper, a pair of
// width 40 sought by three methods.
std::string fiftyEdgeDocument() {
    nlohmann::json edges = nlohmann::json::array();
    for (int i = 0; i < 50; ++i) {
        edges.push_back({{"position", -100.0 + 4.0 * i + std::sin(i) * 0.7},
                         {"contrast", (i % 2 == 0 ? 1.0 : -1.0) * (20.0 + 30.0 * std::fabs(std::cos(i)))}});
    }
    const nlohmann::json document = {
        {"caliper", {{"edges", edges}}},
        {"params",
         {{"desiredEdges", {{{"position", -20}, {"polarity", "positive"}},
                            {{"position", 20}, {"polarity", "negative"}}}},
          {"scoreMethods",
           {{{"method", "sizeDiff"}, {"oneSided", {{"x0", 0}, {"x1", 0.1}, {"x2", 0.3}}}},
            {{"method", "contrast"}, {"oneSided", {{"x0", 60}, {"x1", 10}, {"x2", 0}}}},
            {{"method", "edgePos"},
             {"twoSided",
              {{"low", {{"x0", -20}, {"x1", -24}, {"x2", -30}}},
               {"high", {{"x0", 20}, {"x1", 24}, {"x2", 30}}}}}}}},
          {"maxNumResults", 10}}}};
    return document.dump();
}

void rescore(benchmark::State& state, const std::string& text, cclp_tune::TuneOptions options) {
    const std::filesystem::path recording =
        std::filesystem::temp_directory_path() / "cclp_tune_bench.json";
    std::ofstream(recording) << text;
    options.recordingPath = recording.string();
    const cclp_tune::TuneSession session(options);
    const std::string document = session.state()["scored"]["document"].dump();
    for (auto _ : state) benchmark::DoNotOptimize(session.score(document));
    std::filesystem::remove(recording);
}

void rescoreFiftyEdges(benchmark::State& state) {
    rescore(state, fiftyEdgeDocument(), {});
}

// The name plate's photograph: the caliper searched again each time.
void rescoreImageCaliper(benchmark::State& state) {
    std::ifstream file(CCLP_TUNE_BENCH_RECORDING);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    cclp_tune::TuneOptions options;
    options.imagePath = CCLP_TUNE_BENCH_IMAGE;
    rescore(state, text, options);
}

}  // namespace

BENCHMARK(rescoreFiftyEdges)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(rescoreImageCaliper)->Unit(benchmark::kMillisecond)->UseRealTime();
