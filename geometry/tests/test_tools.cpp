// The line and circle tools on scenes of known geometry: accuracy over 50
// random instances in 8 and 16 bits, the true edge chosen by score beside
// stronger distractors, the robust fit setting them aside the same way on
// every call, and an inward search on half an arc.
#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <type_traits>

#include "geometry_scenes.hpp"

namespace cgeom::testing {
namespace {

// A 240-pixel nominal segment at a random angle, 20 calipers 40 x 10, the
// true boundary up to 1 pixel and 0.5 degrees off it; `share` of the
// calipers get a bright scratch 12 pixels on the dark side of the true edge.
struct LineInstance {
    using Out = cgeom_line;
    static constexpr uint32_t kSeed = 2024u, kNoiseSeed = 5u;
    static constexpr int32_t kCalipers = 20;
    BoundaryScene scene;
    cgeom_lineParams params{};
    std::vector<int32_t> scratched = std::vector<int32_t>(kCalipers);
    int32_t size = 300;

    LineInstance(std::mt19937& random, double grayScale, double share) {
        const double nominal = uniform(random, -180.0, 180.0), radians = nominal * kPi / 180.0;
        const double cx = 150.0 + uniform(random, -3.0, 3.0), cy = 150.0 + uniform(random, -3.0, 3.0);
        const double dx = 120.0 * std::cos(radians), dy = 120.0 * std::sin(radians);
        cgeom_lineParams_init(&params);
        params = cgeom_lineParams{cx - dx, cy - dy, cx + dx, cy + dy,
                                  cgeom_calipers{kCalipers, 0u, 0.0, 40.0, 10.0}, params.fit};
        const double offset = uniform(random, -1.0, 1.0);
        scene.angle = nominal + uniform(random, -0.5, 0.5);
        scene.x0 = cx - offset * std::sin(radians);
        scene.y0 = cy + offset * std::cos(radians);
        scene.dark *= grayScale;
        scene.light *= grayScale;
        std::iota(scratched.begin(), scratched.end(), 0);
        std::shuffle(scratched.begin(), scratched.end(), random);
        scratched.resize(static_cast<std::size_t>(std::lround(share * kCalipers)));
        const double ux = -std::sin(scene.angle * kPi / 180.0), uy = std::cos(scene.angle * kPi / 180.0);
        for (const int32_t i : scratched) {
            const double t = (i + 0.5) / kCalipers * 2.0 - 1.0, px = cx + t * dx, py = cy + t * dy;
            const double at = (scene.x0 - px) * ux + (scene.y0 - py) * uy - 12.0;
            scene.blobs.push_back({px + at * ux, py + at * uy, ux, uy, 1.5, 5.5, 250.0 * grayScale});
        }
    }
    // Of the angle (degrees) and of the offset at the segment's middle.
    std::pair<double, double> errors(const cgeom_line& line) const {
        const double radians = scene.angle * kPi / 180.0;
        return {std::remainder(line.angle - scene.angle, 180.0),
                -(line.point.x - scene.x0) * std::sin(radians) + (line.point.y - scene.y0) * std::cos(radians)};
    }
};

// A disc of radius 40 to 70, the nominal circle up to 1.5 pixels off it,
// 48 calipers 40 x 2; `share` of them get a bright speck 12 pixels outside.
struct CircleInstance {
    using Out = cgeom_circle;
    static constexpr uint32_t kSeed = 4711u, kNoiseSeed = 3u;
    DiscScene scene;
    cgeom_circleParams params{};
    int32_t size = 0;

    CircleInstance(std::mt19937& random, double grayScale, double share) {
        scene.radius = uniform(random, 40.0, 70.0);
        scene.cx = scene.radius + 30.0 + uniform(random, 0.0, 1.0);
        scene.cy = scene.radius + 30.0 + uniform(random, 0.0, 1.0);
        scene.dark *= grayScale;
        scene.light *= grayScale;
        size = static_cast<int32_t>(std::ceil(2.0 * scene.radius + 62.0));
        cgeom_circleParams_init(&params);
        params.centerX = scene.cx + uniform(random, -1.5, 1.5);
        params.centerY = scene.cy + uniform(random, -1.5, 1.5);
        params.radius = scene.radius + uniform(random, -1.5, 1.5);
        params.calipers = cgeom_calipers{48, 0u, 0.0, 40.0, 2.0};
        for (int32_t i = 0; i < 48; ++i) {
            if (uniform(random, 0.0, 1.0) >= share) continue;
            const double ux = std::cos((i + 0.5) / 48 * 2.0 * kPi), uy = std::sin((i + 0.5) / 48 * 2.0 * kPi);
            // Where the caliper's ray meets the disc's edge, then 12 pixels on.
            const double px = params.centerX - scene.cx, py = params.centerY - scene.cy, b = px * ux + py * uy;
            const double at = -b + std::sqrt(b * b - (px * px + py * py) + scene.radius * scene.radius) + 12.0;
            scene.blobs.push_back({params.centerX + at * ux, params.centerY + at * uy, ux, uy, 1.5, 2.5,
                                   250.0 * grayScale});
        }
    }
    // Of the centre and of the radius.
    std::pair<double, double> errors(const cgeom_circle& circle) const {
        return {std::hypot(circle.center.x - scene.cx, circle.center.y - scene.cy), circle.radius - scene.radius};
    }
};

// The tool with the instance's calipers and the weight, over its scene.
template <class Pixel, class Instance>
int32_t run(const Instance& instance, const ScoreParams& score, int32_t weight, double grayScale,
            typename Instance::Out& out, std::vector<cgeom_caliperResult>& results) {
    const cedge::testing::SceneImage<Pixel> image(instance.scene, instance.size, instance.size,
                                                  kNoise * grayScale, Instance::kNoiseSeed);
    const cedge_image view = image.view();
    const cedge_params edges = edgeSearch(grayScale);
    auto params = instance.params;
    params.fit.weight = weight;
    int32_t& count = out.fit.numCalipers;
    if constexpr (std::is_same_v<decltype(params), cgeom_lineParams>) {
        EXPECT_EQ(cgeom_lineCaliperCount(&params, &count), 0);
        results.assign(static_cast<std::size_t>(count), cgeom_caliperResult{});
        return cgeom_findLine(&view, &params, &edges, &score.c, &out, results.data(), count);
    } else {
        EXPECT_EQ(cgeom_circleCaliperCount(&params, &count), 0);
        results.assign(static_cast<std::size_t>(count), cgeom_caliperResult{});
        return cgeom_findCircle(&view, &params, &edges, &score.c, &out, results.data(), count);
    }
}

// Root mean square of the two errors over 50 instances.
template <class Instance, class Pixel = uint8_t>
std::array<double, 2> accuracy(double grayScale, double share, const ScoreParams& score, int32_t weight) {
    std::mt19937 random(Instance::kSeed);
    double sum[2] = {0.0, 0.0};
    for (int n = 0; n < 50; ++n) {
        const Instance instance(random, grayScale, share);
        typename Instance::Out out{};
        std::vector<cgeom_caliperResult> results;
        EXPECT_EQ(run<Pixel>(instance, score, weight, grayScale, out, results), 0);
        const auto [first, second] = instance.errors(out);
        sum[0] += first * first;
        sum[1] += second * second;
    }
    return {std::sqrt(sum[0] / 50.0), std::sqrt(sum[1] / 50.0)};
}

TEST(LineCircleTools, WithinTheirLimitsOn50InstancesIn8And16Bits) {
    const auto rising = trueEdge(cclp_polarityPositive), falling = trueEdge(cclp_polarityNegative);
    const auto line8 = accuracy<LineInstance>(1.0, 0.0, *rising, cgeom_weightTukey);
    const auto line16 = accuracy<LineInstance, uint16_t>(256.0, 0.0, *rising, cgeom_weightHuber);
    const auto circle8 = accuracy<CircleInstance>(1.0, 0.0, *falling, cgeom_weightTukey);
    const auto circle16 = accuracy<CircleInstance, uint16_t>(256.0, 0.0, *falling, cgeom_weightHuber);
    EXPECT_LE(std::max(line8[0], line16[0]), 0.01);
    EXPECT_LE(std::max(line8[1], line16[1]), 0.02);
    EXPECT_LE(std::max({circle8[0], circle8[1], circle16[0], circle16[1]}), 0.02);
}

// A distractor stronger than the edge on 30 % of the calipers: the true
// edge's parameters keep even a plain least squares fit within the limits,
// the strongest edge does not, and the robust fit sets the distractors aside.
TEST(LineCircleTools, TrueEdgeParametersStayWithinLimitsWhereTheStrongestEdgeDoesNot) {
    const auto strongest = strongestEdge(1.0);
    const auto line = accuracy<LineInstance>(1.0, 0.3, *trueEdge(cclp_polarityPositive), cgeom_weightNone);
    const auto lineStrongest = accuracy<LineInstance>(1.0, 0.3, *strongest, cgeom_weightNone);
    const auto circle = accuracy<CircleInstance>(1.0, 0.3, *trueEdge(cclp_polarityNegative), cgeom_weightNone);
    const auto circleStrongest = accuracy<CircleInstance>(1.0, 0.3, *strongest, cgeom_weightNone);
    const auto circleRobust = accuracy<CircleInstance>(1.0, 0.3, *strongest, cgeom_weightTukey);
    EXPECT_LE(line[0], 0.01);
    EXPECT_LE(line[1], 0.02);
    EXPECT_GT(lineStrongest[0], 0.1);
    EXPECT_GT(lineStrongest[1], 1.0);
    EXPECT_LE(std::max(circle[0], circle[1]), 0.02);
    EXPECT_GT(circleStrongest[1], 1.0);
    EXPECT_LE(circleRobust[1], 0.05);
}

// From its sampled start (20 calipers give more pairs than are enumerated),
// the robust fit sets exactly the scratched calipers aside, the same on
// every call; the true edge's parameters use every caliper.
TEST(LineCircleTools, RobustFitSetsTheScratchedCalipersAsideOnEveryCall) {
    std::mt19937 random(77u);
    const LineInstance line(random, 1.0, 0.3);
    cgeom_line out{}, again{};
    std::vector<cgeom_caliperResult> results, repeated;
    ASSERT_EQ(run<uint8_t>(line, *strongestEdge(1.0), cgeom_weightTukey, 1.0, out, results), 0);
    ASSERT_EQ(run<uint8_t>(line, *strongestEdge(1.0), cgeom_weightTukey, 1.0, again, repeated), 0);
    EXPECT_EQ(std::memcmp(&out, &again, sizeof out), 0);
    EXPECT_EQ(std::memcmp(results.data(), repeated.data(), results.size() * sizeof results[0]), 0);
    for (int32_t i = 0; i < LineInstance::kCalipers; ++i) {
        const bool scratched = std::count(line.scratched.begin(), line.scratched.end(), i) != 0;
        EXPECT_EQ(results[static_cast<std::size_t>(i)].used, scratched ? 0 : 1) << "caliper " << i;
    }
    EXPECT_EQ(out.fit.numUsed, LineInstance::kCalipers - 6);
    EXPECT_EQ(out.fit.numFound, LineInstance::kCalipers);
    ASSERT_EQ(run<uint8_t>(line, *trueEdge(cclp_polarityPositive), cgeom_weightTukey, 1.0, out, results), 0);
    EXPECT_EQ(out.fit.numUsed, LineInstance::kCalipers);
    EXPECT_LE(out.fit.rms, 0.1);
}

// From the bottom, counter-clockwise on screen, inward: the right half.
TEST(LineCircleTools, InwardSearchOnAHalfArc) {
    std::mt19937 random(9u);
    CircleInstance disc(random, 1.0, 0.0);
    disc.params.startAngle = 90.0;
    disc.params.sweep = -180.0;
    disc.params.calipers = cgeom_calipers{0, CGEOM_SEARCH_INWARD, 6.0, 40.0, 2.0};
    const cgeom_circleParams& params = disc.params;
    cgeom_circle out{};
    std::vector<cgeom_caliperResult> results;
    ASSERT_EQ(run<uint8_t>(disc, *trueEdge(cclp_polarityPositive), cgeom_weightTukey, 1.0, out, results), 0);
    EXPECT_EQ(static_cast<double>(results.size()), std::floor(kPi * params.radius / 6.0));
    for (const cgeom_caliperResult& result : results) {
        EXPECT_GE(result.point.x, params.centerX - 0.5);
        const double outward = std::atan2(result.caliper.centerY - params.centerY,
                                          result.caliper.centerX - params.centerX) * 180.0 / kPi;
        EXPECT_NEAR(std::remainder(result.caliper.angle - outward - 180.0, 360.0), 0.0, 1e-9);
    }
    EXPECT_LE(std::fabs(disc.errors(out).second), 0.05);
    EXPECT_LE(disc.errors(out).first, 0.1);
}

}  // namespace
}  // namespace cgeom::testing
