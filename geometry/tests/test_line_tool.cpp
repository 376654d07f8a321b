// The line tool on straight boundaries of known position and angle: its
// accuracy over random instances in 8 and 16 bits, and calipers choosing the
// true edge by score where a stronger scratch lies beside it.
#include <algorithm>
#include <cstdio>
#include <numeric>

#include "geometry_scenes.hpp"

namespace cgeom::testing {
namespace {

constexpr int32_t kCalipers = 20, kSize = 300;

struct LineInstance {
    BoundaryScene scene;
    cgeom_lineParams params{};
    std::vector<int32_t> scratched;
};

// A 240-pixel nominal segment at a random angle, the true boundary up to
// 1 pixel and 0.5 degrees off it; `share` of the calipers get a bright
// scratch 12 pixels on the dark side of the true edge.
LineInstance randomLine(std::mt19937& random, double grayScale, double share) {
    LineInstance line;
    const double nominal = uniform(random, -180.0, 180.0), radians = nominal * kPi / 180.0;
    const double cx = 150.0 + uniform(random, -3.0, 3.0), cy = 150.0 + uniform(random, -3.0, 3.0);
    const double dx = 120.0 * std::cos(radians), dy = 120.0 * std::sin(radians);
    cgeom_lineParams_init(&line.params);
    line.params = cgeom_lineParams{cx - dx, cy - dy, cx + dx, cy + dy,
                                   cgeom_calipers{kCalipers, 0u, 0.0, 40.0, 10.0}, line.params.fit};
    const double offset = uniform(random, -1.0, 1.0);
    line.scene.angle = nominal + uniform(random, -0.5, 0.5);
    line.scene.x0 = cx - offset * std::sin(radians);
    line.scene.y0 = cy + offset * std::cos(radians);
    line.scene.dark *= grayScale;
    line.scene.light *= grayScale;
    line.scratched.resize(kCalipers);
    std::iota(line.scratched.begin(), line.scratched.end(), 0);
    std::shuffle(line.scratched.begin(), line.scratched.end(), random);
    line.scratched.resize(static_cast<std::size_t>(std::lround(share * kCalipers)));
    const double ux = -std::sin(line.scene.angle * kPi / 180.0), uy = std::cos(line.scene.angle * kPi / 180.0);
    for (const int32_t i : line.scratched) {
        const double t = (i + 0.5) / kCalipers * 2.0 - 1.0;
        const double px = cx + t * dx, py = cy + t * dy;
        const double at = (line.scene.x0 - px) * ux + (line.scene.y0 - py) * uy - 12.0;
        line.scene.blobs.push_back({px + at * ux, py + at * uy, ux, uy, 1.5, 5.5, 250.0 * grayScale});
    }
    return line;
}

// Errors of the angle (degrees) and of the offset at the segment's middle.
std::pair<double, double> errorsOf(const BoundaryScene& scene, const cgeom_line& line) {
    const double radians = scene.angle * kPi / 180.0;
    return {std::remainder(line.angle - scene.angle, 180.0),
            -(line.point.x - scene.x0) * std::sin(radians) + (line.point.y - scene.y0) * std::cos(radians)};
}

template <class Pixel>
int32_t findLine(const LineInstance& line, const ScoreParams& score, int32_t weight, double grayScale,
                 cgeom_line& out, std::vector<cgeom_caliperResult>& results) {
    const cedge::testing::SceneImage<Pixel> image(line.scene, kSize, kSize, kNoise * grayScale, 5u);
    const cedge_image view = image.view();
    cgeom_lineParams params = line.params;
    params.fit.weight = weight;
    const cedge_params edges = edgeSearch(grayScale);
    results.assign(kCalipers, cgeom_caliperResult{});
    return cgeom_findLine(&view, &params, &edges, &score.c, &out, results.data(), kCalipers);
}

template <class Pixel>
Rms lineAccuracy(double grayScale, double share, const ScoreParams& score, int32_t weight) {
    std::mt19937 random(2024u);
    Rms rms;
    for (int n = 0; n < 50; ++n) {
        const LineInstance line = randomLine(random, grayScale, share);
        cgeom_line out{};
        std::vector<cgeom_caliperResult> results;
        EXPECT_EQ(findLine<Pixel>(line, score, weight, grayScale, out, results), 0);
        // The direction points as the nominal segment does.
        EXPECT_GT(out.direction.x * (line.params.endX - line.params.startX) +
                  out.direction.y * (line.params.endY - line.params.startY), 0.0);
        const auto [angle, offset] = errorsOf(line.scene, out);
        rms.add(angle, offset);
    }
    return rms;
}

TEST(LineTool, AngleWithinAHundredthOfADegreeAndOffsetWithin002PixelOn50Boundaries) {
    const Rms narrow = lineAccuracy<uint8_t>(1.0, 0.0, *trueEdge(cclp_polarityPositive), cgeom_weightTukey);
    const Rms wide = lineAccuracy<uint16_t>(256.0, 0.0, *trueEdge(cclp_polarityPositive), cgeom_weightHuber);
    std::printf("line, 8-bit: angle %.5f deg, offset %.4f px RMS; 16-bit: %.5f deg, %.4f px\n", narrow[0],
                narrow[1], wide[0], wide[1]);
    EXPECT_LE(std::max(narrow[0], wide[0]), 0.01);
    EXPECT_LE(std::max(narrow[1], wide[1]), 0.02);
}

// With a stronger scratch beside the true edge on 30 % of the calipers,
// the true edge's parameters keep even a plain least squares fit within the
// limits; the strongest edge puts the scratches into the points.
TEST(LineTool, TrueEdgeParametersStayWithinLimitsWhereTheStrongestEdgeDoesNot) {
    const Rms chosen = lineAccuracy<uint8_t>(1.0, 0.3, *trueEdge(cclp_polarityPositive), cgeom_weightNone);
    const Rms strongest = lineAccuracy<uint8_t>(1.0, 0.3, *strongestEdge(1.0), cgeom_weightNone);
    std::printf("line, 30%% scratched, plain fit: true edge %.5f deg %.4f px; strongest %.5f deg %.4f px\n",
                chosen[0], chosen[1], strongest[0], strongest[1]);
    EXPECT_LE(chosen[0], 0.01);
    EXPECT_LE(chosen[1], 0.02);
    EXPECT_GT(strongest[0], 0.1);
    EXPECT_GT(strongest[1], 1.0);
}

// The robust fit sets exactly the scratched calipers aside when the
// strongest edge is chosen; the true edge's parameters use every caliper.
TEST(LineTool, RobustFitSetsTheScratchedCalipersAside) {
    std::mt19937 random(77u);
    const LineInstance line = randomLine(random, 1.0, 0.3);
    cgeom_line out{};
    std::vector<cgeom_caliperResult> results;
    ASSERT_EQ(findLine<uint8_t>(line, *strongestEdge(1.0), cgeom_weightTukey, 1.0, out, results), 0);
    for (int32_t i = 0; i < kCalipers; ++i) {
        const bool scratched = std::count(line.scratched.begin(), line.scratched.end(), i) != 0;
        EXPECT_EQ(results[static_cast<std::size_t>(i)].used, scratched ? 0 : 1) << "caliper " << i;
    }
    EXPECT_EQ(out.fit.numUsed, kCalipers - 6);
    EXPECT_EQ(out.fit.numFound, kCalipers);
    ASSERT_EQ(findLine<uint8_t>(line, *trueEdge(cclp_polarityPositive), cgeom_weightTukey, 1.0, out, results), 0);
    EXPECT_EQ(out.fit.numUsed, kCalipers);
    EXPECT_LE(out.fit.rms, 0.1);
}

}  // namespace
}  // namespace cgeom::testing
