// Speed of the edge finder: a 500 x 20 pixel caliper (501 samples along,
// 21 lines across) through a 640 x 480 image, at three angles and both
// pixel depths, projection and search together. Counter:
//   ns_per_sample   thread CPU time per bilinear sample (the goal: at most 5)
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "cedge/cedge.h"
#include "timing.hpp"

namespace {

template <class Pixel>
std::vector<Pixel> texturedImage(int32_t width, int32_t height) {
    std::vector<Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const double gray = 128.0 + 100.0 * std::sin(x * 0.05) * std::cos(y * 0.03);
            pixels[static_cast<std::size_t>(y * width + x)] = static_cast<Pixel>(gray);
        }
    }
    return pixels;
}

// Arguments: angle in degrees, bits per pixel.
void caliper500x20(benchmark::State& state) {
    constexpr int32_t kWidth = 640, kHeight = 480;
    const bool wide = state.range(1) == 16;
    const std::vector<uint8_t> narrowPixels = texturedImage<uint8_t>(kWidth, kHeight);
    const std::vector<uint16_t> widePixels = texturedImage<uint16_t>(kWidth, kHeight);
    const int32_t bytesPerPixel = wide ? 2 : 1;
    const cedge_image image{wide ? static_cast<const void*>(widePixels.data()) : narrowPixels.data(),
                            static_cast<std::size_t>(kWidth * kHeight * bytesPerPixel), kWidth,
                            kHeight, kWidth * bytesPerPixel, wide ? 16 : 8};
    const cedge_caliper caliper{320.0, 240.0, static_cast<double>(state.range(0)), 500.0, 20.0};
    cedge_params params;
    cedge_params_init(&params);
    params.sigma = 1.5;
    cclp_resultSet edges;
    cclp_resultSet_construct(&edges);
    constexpr double kSamples = 501.0 * 21.0;
    bool ok = true;
    double seconds = 0.0;
    int64_t runs = 0;
    for (auto _ : state) {
        seconds += timed(10, ok, [&] { return cedge_findEdges(&image, &caliper, &params, &edges, nullptr) == 0; });
        runs += 10;
    }
    cclp_resultSet_destruct(&edges);
    if (!ok) state.SkipWithError("cedge_findEdges failed");
    state.counters["ns_per_sample"] = seconds * 1e9 / (static_cast<double>(runs) * kSamples);
}

BENCHMARK(caliper500x20)
    ->ArgsProduct({{0, 17, 45}, {8, 16}})
    ->ArgNames({"angle", "bits"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
