// Speed of the line tool: 20 calipers of 60 x 10 pixels across a straight
// boundary with the robust line fit, against the same 20 calipers searched
// and scored one call at a time, timed in alternation so that the shared
// machine's load falls on both alike. Counters:
//   us_tool       thread CPU time per tool call
//   us_calipers   the 20 single-caliper searches and scorings
//   fit_percent   what the tool adds to them (the goal: under 10)
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "cgeom/cgeom.h"
#include "timing.hpp"

namespace {

constexpr int32_t kWidth = 640, kHeight = 480, kCalipers = 20;
constexpr double kPi = 3.14159265358979323846;

// Dark to light across a line at 7 degrees through the image's centre,
// blurred, with noise of 2 gray levels.
std::vector<uint8_t> boundaryImage() {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    std::mt19937 random(7u);
    std::normal_distribution<double> noise(0.0, 2.0);
    const double angle = 7.0 * kPi / 180.0;
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const double s = -(x - 320.0) * std::sin(angle) + (y - 240.0) * std::cos(angle);
            const double gray = 40.0 + 80.0 * 0.5 * std::erfc(-s / (1.5 * std::sqrt(2.0))) + noise(random);
            pixels[static_cast<std::size_t>(y * kWidth + x)] = static_cast<uint8_t>(std::lround(gray));
        }
    }
    return pixels;
}

// The edge nearest the caliper's centre, dark to light.
void nearestRising(cclp_scoreParams& params) {
    cclp_scoreParams_construct(&params);
    cclp_scoreOneSided near;
    cclp_scoreOneSided_initValues(&near, 0.0, 10.0, 10.0, 1.0, 0.0);
    cclp_score method;
    cclp_score_initScoreMethodOneSided(&method, cclp_scoreMethodPosAbs, &near);
    const cclp_desiredEdge edge{0.0, cclp_polarityPositive};
    cclp_scoreParams_setDesiredEdges(&params, 1, &edge);
    cclp_scoreParams_setScoreMethods(&params, 1, &method);
    cclp_scoreParams_setMaxNumResults(&params, 1);
}

void lineTool20Calipers(benchmark::State& state) {
    const std::vector<uint8_t> pixels = boundaryImage();
    const cedge_image image{pixels.data(), pixels.size(), kWidth, kHeight, kWidth, 8};
    cgeom_lineParams line;
    cgeom_lineParams_init(&line);
    const double angle = 7.0 * kPi / 180.0;
    line.startX = 320.0 - 200.0 * std::cos(angle);
    line.startY = 240.0 - 200.0 * std::sin(angle);
    line.endX = 320.0 + 200.0 * std::cos(angle);
    line.endY = 240.0 + 200.0 * std::sin(angle);
    line.calipers = cgeom_calipers{kCalipers, 0u, 0.0, 60.0, 10.0};
    cedge_params edgeParams;
    cedge_params_init(&edgeParams);
    edgeParams.sigma = 1.5;
    cclp_scoreParams scoreParams;
    nearestRising(scoreParams);
    // The same calipers, one call each.
    std::vector<cedge_caliper> calipers;
    for (int32_t i = 0; i < kCalipers; ++i) {
        const double share = (i + 0.5) / kCalipers;
        calipers.push_back({line.startX + share * (line.endX - line.startX),
                            line.startY + share * (line.endY - line.startY), 97.0, 60.0, 10.0});
    }
    cclp_resultSet edges;
    cclp_resultSet_construct(&edges);
    cclp_scoreResultSet scored;
    cclp_scoreResultSet_construct(&scored);
    std::vector<cgeom_caliperResult> results(kCalipers);
    cgeom_line fitted{};
    bool ok = true;
    double toolSeconds = 0.0, caliperSeconds = 0.0;
    int64_t runs = 0;
    for (auto _ : state) {
        toolSeconds += timed(20, ok, [&] {
            return cgeom_findLine(&image, &line, &edgeParams, &scoreParams, &fitted, results.data(),
                                  kCalipers) == 0;
        });
        caliperSeconds += timed(20, ok, [&] {
            bool each = true;
            for (const cedge_caliper& caliper : calipers) {
                each = cedge_findEdges(&image, &caliper, &edgeParams, &edges, nullptr) == 0 &&
                       cclp_runScore(&edges, &scoreParams, &scored) == 0 && each;
            }
            return each;
        });
        runs += 20;
    }
    cclp_scoreResultSet_destruct(&scored);
    cclp_resultSet_destruct(&edges);
    cclp_scoreParams_destruct(&scoreParams);
    if (!ok || fitted.fit.numUsed != kCalipers) state.SkipWithError("a search or the fit failed");
    state.counters["us_tool"] = toolSeconds * 1e6 / static_cast<double>(runs);
    state.counters["us_calipers"] = caliperSeconds * 1e6 / static_cast<double>(runs);
    state.counters["fit_percent"] = 100.0 * (toolSeconds - caliperSeconds) / caliperSeconds;
}

BENCHMARK(lineTool20Calipers)->Unit(benchmark::kMicrosecond);

}  // namespace
