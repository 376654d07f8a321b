// The circle tool on discs of known centre and radius: its accuracy over
// random instances in 8 and 16 bits, arcs, inward search, and calipers
// choosing the true edge by score beside stronger specks.
#include <cstdio>

#include "geometry_scenes.hpp"

namespace cgeom::testing {
namespace {

constexpr int32_t kCalipers = 48;

struct CircleInstance {
    DiscScene scene;
    cgeom_circleParams params{};
    int32_t size = 0;
};

// A disc of radius 40 to 70 with the nominal circle up to 1.5 pixels off
// in centre and radius; distractorShare of the calipers get a bright speck
// 12 pixels outside the true edge.
CircleInstance randomCircle(Draw& draw, double grayScale, double distractorShare) {
    CircleInstance instance;
    DiscScene& scene = instance.scene;
    scene.radius = draw.uniform(40.0, 70.0);
    scene.cx = scene.radius + 30.0 + draw.uniform(0.0, 1.0);
    scene.cy = scene.radius + 30.0 + draw.uniform(0.0, 1.0);
    scene.dark *= grayScale;
    scene.light *= grayScale;
    instance.size = static_cast<int32_t>(std::ceil(2.0 * scene.radius + 62.0));
    cgeom_circleParams_init(&instance.params);
    instance.params.centerX = scene.cx + draw.uniform(-1.5, 1.5);
    instance.params.centerY = scene.cy + draw.uniform(-1.5, 1.5);
    instance.params.radius = scene.radius + draw.uniform(-1.5, 1.5);
    instance.params.calipers = cgeom_calipers{kCalipers, 0u, 0.0, 40.0, 2.0};
    for (int32_t i = 0; i < kCalipers; ++i) {
        if (!draw.chance(distractorShare)) continue;
        const double radians = (i + 0.5) / kCalipers * 2.0 * kPi;
        const double ux = std::cos(radians), uy = std::sin(radians);
        // On the caliper's ray from the nominal centre, 12 pixels outside the disc.
        const double px = instance.params.centerX - scene.cx, py = instance.params.centerY - scene.cy;
        const double along = -(px * ux + py * uy) +
                             std::sqrt(std::pow(px * ux + py * uy, 2.0) - (px * px + py * py) +
                                       scene.radius * scene.radius);
        const double at = along + 12.0;
        scene.blobs.push_back(Blob{instance.params.centerX + at * ux, instance.params.centerY + at * uy,
                                   ux, uy, 1.5, 2.5, 250.0 * grayScale});
    }
    return instance;
}

struct CircleRms {
    double sumCenter = 0.0, sumRadius = 0.0;
    int count = 0;
    double center() const { return std::sqrt(sumCenter / count); }
    double radius() const { return std::sqrt(sumRadius / count); }
};

template <class Pixel>
int32_t runCircle(const CircleInstance& instance, const cgeom_circleParams& params,
                  const ScoreParams& score, double grayScale, uint32_t seed, cgeom_circle& circle,
                  std::vector<cgeom_caliperResult>& results) {
    const cedge::testing::SceneImage<Pixel> image(instance.scene, instance.size, instance.size,
                                                  kNoise * grayScale, seed, 1.0);
    const cedge_image view = image.view();
    const cedge_params edges = edgeSearch(grayScale);
    int32_t count = 0;
    EXPECT_EQ(cgeom_circleCaliperCount(&params, &count), 0);
    results.assign(static_cast<std::size_t>(count), cgeom_caliperResult{});
    return cgeom_findCircle(&view, &params, &edges, &score.c, &circle, results.data(), count);
}

template <class Pixel>
CircleRms circleAccuracy(double grayScale, double distractorShare, bool trueEdge, int32_t weight) {
    ScoreParams score;
    if (trueEdge) {
        describeTrueEdge(score, cclp_polarityNegative);
    } else {
        chooseStrongest(score, grayScale);
    }
    Draw draw(4711u);
    CircleRms rms;
    for (uint32_t n = 0; n < 50; ++n) {
        const CircleInstance instance = randomCircle(draw, grayScale, distractorShare);
        cgeom_circleParams params = instance.params;
        params.fit.weight = weight;
        cgeom_circle circle{};
        std::vector<cgeom_caliperResult> results;
        const int32_t status = runCircle<Pixel>(instance, params, score, grayScale, 300u + n, circle, results);
        EXPECT_EQ(status, 0) << cgeom_statusName(status);
        if (status != 0) break;
        rms.sumCenter += std::pow(circle.center.x - instance.scene.cx, 2.0) +
                         std::pow(circle.center.y - instance.scene.cy, 2.0);
        rms.sumRadius += std::pow(circle.radius - instance.scene.radius, 2.0);
        ++rms.count;
    }
    return rms;
}

TEST(CircleTool, CentreAndRadiusWithin002PixelOn50Discs) {
    const CircleRms narrow = circleAccuracy<uint8_t>(1.0, 0.0, true, cgeom_weightTukey);
    const CircleRms wide = circleAccuracy<uint16_t>(256.0, 0.0, true, cgeom_weightHuber);
    std::printf("circle, 8-bit: centre %.4f px, radius %.4f px RMS; 16-bit: %.4f px, %.4f px\n",
                narrow.center(), narrow.radius(), wide.center(), wide.radius());
    EXPECT_EQ(narrow.count, 50);
    EXPECT_LE(narrow.center(), 0.02);
    EXPECT_LE(narrow.radius(), 0.02);
    EXPECT_EQ(wide.count, 50);
    EXPECT_LE(wide.center(), 0.02);
    EXPECT_LE(wide.radius(), 0.02);
}

// Specks stronger than the disc's edge outside 30 % of the calipers: the
// true edge's parameters keep even a plain least squares fit within the
// limits, the strongest edge does not; the robust fit sets the specks aside.
TEST(CircleTool, TrueEdgeParametersStayWithinLimitsWhereTheStrongestEdgeDoesNot) {
    const CircleRms chosen = circleAccuracy<uint8_t>(1.0, 0.3, true, cgeom_weightNone);
    const CircleRms strongest = circleAccuracy<uint8_t>(1.0, 0.3, false, cgeom_weightNone);
    const CircleRms robust = circleAccuracy<uint8_t>(1.0, 0.3, false, cgeom_weightTukey);
    std::printf("circle with 30%% distractors: true edge %.4f / %.4f px, strongest %.4f / %.4f px "
                "(plain), %.4f / %.4f px (Tukey)\n", chosen.center(), chosen.radius(),
                strongest.center(), strongest.radius(), robust.center(), robust.radius());
    EXPECT_LE(chosen.center(), 0.02);
    EXPECT_LE(chosen.radius(), 0.02);
    EXPECT_GT(strongest.radius(), 1.0);
    EXPECT_LE(robust.radius(), 0.05);
}

// Half an arc searched inward finds the same circle;
// the calipers lie on the arc only and search toward the centre.
TEST(CircleTool, InwardSearchOnAHalfArc) {
    Draw draw(9u);
    const CircleInstance instance = randomCircle(draw, 1.0, 0.0);
    cgeom_circleParams params = instance.params;
    params.startAngle = 90.0;
    params.sweep = -180.0;
    params.calipers.count = 0;
    params.calipers.spacing = 6.0;
    params.calipers.flags = CGEOM_SEARCH_INWARD;
    ScoreParams score;
    describeTrueEdge(score, cclp_polarityPositive);
    cgeom_circle circle{};
    std::vector<cgeom_caliperResult> results;
    ASSERT_EQ(runCircle<uint8_t>(instance, params, score, 1.0, 1u, circle, results), 0);
    EXPECT_EQ(static_cast<double>(results.size()),
              std::floor(kPi * params.radius / params.calipers.spacing));
    for (const cgeom_caliperResult& result : results) {
        // From the bottom counter-clockwise on screen: the right half.
        EXPECT_GE(result.point.x, params.centerX - 0.5);
        EXPECT_NEAR(std::remainder(result.caliper.angle - 180.0 -
                                       std::atan2(result.caliper.centerY - params.centerY,
                                                  result.caliper.centerX - params.centerX) * 180.0 / kPi,
                                   360.0), 0.0, 1e-9);
    }
    EXPECT_NEAR(circle.radius, instance.scene.radius, 0.05);
    EXPECT_NEAR(circle.center.x, instance.scene.cx, 0.08);
    EXPECT_NEAR(circle.center.y, instance.scene.cy, 0.08);
}

}  // namespace
}  // namespace cgeom::testing
