// The circle tool on discs of known centre and radius: its accuracy over
// random instances in 8 and 16 bits, specks stronger than the edge, and an
// inward search on half an arc.
#include <cstdio>

#include "geometry_scenes.hpp"

namespace cgeom::testing {
namespace {

// A disc of radius 40 to 70, the nominal circle up to 1.5 pixels off it,
// 48 calipers 40 x 2; `share` of them get a bright speck 12 pixels outside.
cgeom_circleParams randomCircle(std::mt19937& random, double grayScale, double share, DiscScene& disc) {
    disc.radius = uniform(random, 40.0, 70.0);
    disc.cx = disc.radius + 30.0 + uniform(random, 0.0, 1.0);
    disc.cy = disc.radius + 30.0 + uniform(random, 0.0, 1.0);
    disc.dark *= grayScale;
    disc.light *= grayScale;
    cgeom_circleParams params;
    cgeom_circleParams_init(&params);
    params.centerX = disc.cx + uniform(random, -1.5, 1.5);
    params.centerY = disc.cy + uniform(random, -1.5, 1.5);
    params.radius = disc.radius + uniform(random, -1.5, 1.5);
    params.calipers = cgeom_calipers{48, 0u, 0.0, 40.0, 2.0};
    for (int32_t i = 0; i < 48; ++i) {
        if (uniform(random, 0.0, 1.0) >= share) continue;
        const double ux = std::cos((i + 0.5) / 48 * 2.0 * kPi), uy = std::sin((i + 0.5) / 48 * 2.0 * kPi);
        // Where the caliper's ray meets the disc's edge, then 12 pixels on.
        const double px = params.centerX - disc.cx, py = params.centerY - disc.cy, b = px * ux + py * uy;
        const double at = -b + std::sqrt(b * b - (px * px + py * py) + disc.radius * disc.radius) + 12.0;
        disc.blobs.push_back({params.centerX + at * ux, params.centerY + at * uy, ux, uy, 1.5, 2.5,
                              250.0 * grayScale});
    }
    return params;
}

template <class Pixel>
int32_t findCircle(const DiscScene& disc, const cgeom_circleParams& params, const ScoreParams& score,
                   double grayScale, cgeom_circle& out, std::vector<cgeom_caliperResult>& results) {
    const auto size = static_cast<int32_t>(std::ceil(2.0 * disc.radius + 62.0));
    const cedge::testing::SceneImage<Pixel> image(disc, size, size, kNoise * grayScale, 3u);
    const cedge_image view = image.view();
    const cedge_params edges = edgeSearch(grayScale);
    int32_t count = 0;
    EXPECT_EQ(cgeom_circleCaliperCount(&params, &count), 0);
    results.assign(static_cast<std::size_t>(count), cgeom_caliperResult{});
    return cgeom_findCircle(&view, &params, &edges, &score.c, &out, results.data(), count);
}

template <class Pixel>
Rms circleAccuracy(double grayScale, double share, const ScoreParams& score, int32_t weight) {
    std::mt19937 random(4711u);
    Rms rms;
    for (int n = 0; n < 50; ++n) {
        DiscScene disc;
        cgeom_circleParams params = randomCircle(random, grayScale, share, disc);
        params.fit.weight = weight;
        cgeom_circle out{};
        std::vector<cgeom_caliperResult> results;
        EXPECT_EQ(findCircle<Pixel>(disc, params, score, grayScale, out, results), 0);
        rms.add(std::hypot(out.center.x - disc.cx, out.center.y - disc.cy), out.radius - disc.radius);
    }
    return rms;
}

TEST(CircleTool, CentreAndRadiusWithin002PixelOn50Discs) {
    const Rms narrow = circleAccuracy<uint8_t>(1.0, 0.0, *trueEdge(cclp_polarityNegative), cgeom_weightTukey);
    const Rms wide = circleAccuracy<uint16_t>(256.0, 0.0, *trueEdge(cclp_polarityNegative), cgeom_weightHuber);
    std::printf("circle, 8-bit: centre %.4f px, radius %.4f px RMS; 16-bit: %.4f px, %.4f px\n", narrow[0],
                narrow[1], wide[0], wide[1]);
    EXPECT_LE(std::max({narrow[0], narrow[1], wide[0], wide[1]}), 0.02);
}

// Specks stronger than the edge outside 30 % of the calipers: the true
// edge's parameters keep even a plain fit within the limits, the strongest
// edge does not, and the robust fit sets the specks aside.
TEST(CircleTool, TrueEdgeParametersStayWithinLimitsWhereTheStrongestEdgeDoesNot) {
    const Rms chosen = circleAccuracy<uint8_t>(1.0, 0.3, *trueEdge(cclp_polarityNegative), cgeom_weightNone);
    const Rms strongest = circleAccuracy<uint8_t>(1.0, 0.3, *strongestEdge(1.0), cgeom_weightNone);
    const Rms robust = circleAccuracy<uint8_t>(1.0, 0.3, *strongestEdge(1.0), cgeom_weightTukey);
    std::printf("circle, 30%% specks: true edge %.4f / %.4f px, strongest %.4f / %.4f px (plain), "
                "%.4f / %.4f px (Tukey)\n", chosen[0], chosen[1], strongest[0], strongest[1], robust[0], robust[1]);
    EXPECT_LE(std::max(chosen[0], chosen[1]), 0.02);
    EXPECT_GT(strongest[1], 1.0);
    EXPECT_LE(robust[1], 0.05);
}

// From the bottom, counter-clockwise on screen, inward: the right half.
TEST(CircleTool, InwardSearchOnAHalfArc) {
    std::mt19937 random(9u);
    DiscScene disc;
    cgeom_circleParams params = randomCircle(random, 1.0, 0.0, disc);
    params.startAngle = 90.0;
    params.sweep = -180.0;
    params.calipers.count = 0;
    params.calipers.spacing = 6.0;
    params.calipers.flags = CGEOM_SEARCH_INWARD;
    cgeom_circle out{};
    std::vector<cgeom_caliperResult> results;
    ASSERT_EQ(findCircle<uint8_t>(disc, params, *trueEdge(cclp_polarityPositive), 1.0, out, results), 0);
    EXPECT_EQ(static_cast<double>(results.size()), std::floor(kPi * params.radius / 6.0));
    for (const cgeom_caliperResult& result : results) {
        EXPECT_GE(result.point.x, params.centerX - 0.5);
        const double outward = std::atan2(result.caliper.centerY - params.centerY,
                                          result.caliper.centerX - params.centerX) * 180.0 / kPi;
        EXPECT_NEAR(std::remainder(result.caliper.angle - outward - 180.0, 360.0), 0.0, 1e-9);
    }
    EXPECT_NEAR(out.radius, disc.radius, 0.05);
    EXPECT_NEAR(std::hypot(out.center.x - disc.cx, out.center.y - disc.cy), 0.0, 0.1);
}

}  // namespace
}  // namespace cgeom::testing
