// The line tool on straight boundaries of known position and angle: its
// accuracy over random instances in 8 and 16 bits, and calipers choosing the
// true edge by score where a stronger distractor lies beside it.
#include <algorithm>
#include <cstdio>
#include <numeric>

#include "geometry_scenes.hpp"

namespace cgeom::testing {
namespace {

constexpr int32_t kCalipers = 20;
constexpr int32_t kSize = 300;

struct LineInstance {
    BoundaryScene scene;
    cgeom_lineParams params{};
    std::vector<int32_t> distracted;  // calipers with a distractor
};

// A 240-pixel nominal segment at a random angle; the true boundary up to
// 1 pixel and 0.5 degrees off it. distractorShare of the calipers get a
// bright scratch 12 pixels on the dark side of the true edge.
LineInstance randomLine(Draw& draw, double grayScale, double distractorShare) {
    LineInstance instance;
    const double nominal = draw.uniform(-180.0, 180.0);
    const double cx = kSize / 2.0 + draw.uniform(-3.0, 3.0);
    const double cy = kSize / 2.0 + draw.uniform(-3.0, 3.0);
    const double radians = nominal * kPi / 180.0;
    cgeom_lineParams_init(&instance.params);
    instance.params.startX = cx - 120.0 * std::cos(radians);
    instance.params.startY = cy - 120.0 * std::sin(radians);
    instance.params.endX = cx + 120.0 * std::cos(radians);
    instance.params.endY = cy + 120.0 * std::sin(radians);
    instance.params.calipers = cgeom_calipers{kCalipers, 0u, 0.0, 40.0, 10.0};
    BoundaryScene& scene = instance.scene;
    const double offset = draw.uniform(-1.0, 1.0);
    scene.angle = nominal + draw.uniform(-0.5, 0.5);
    scene.x0 = cx - offset * std::sin(radians);
    scene.y0 = cy + offset * std::cos(radians);
    scene.dark *= grayScale;
    scene.light *= grayScale;
    std::vector<int32_t> order(kCalipers);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(static_cast<uint32_t>(draw.uniform(0.0, 1e9))));
    order.resize(static_cast<std::size_t>(std::lround(distractorShare * kCalipers)));
    const double trueRadians = scene.angle * kPi / 180.0;
    const double ux = -std::sin(trueRadians), uy = std::cos(trueRadians);
    for (const int32_t i : order) {
        const double share = (i + 0.5) / kCalipers;
        const double px = instance.params.startX + share * (instance.params.endX - instance.params.startX);
        const double py = instance.params.startY + share * (instance.params.endY - instance.params.startY);
        // The true edge on this caliper's line, then 12 pixels darkward.
        const double toEdge = (scene.x0 - px) * ux + (scene.y0 - py) * uy;
        scene.blobs.push_back(Blob{px + (toEdge - 12.0) * ux, py + (toEdge - 12.0) * uy, ux, uy,
                                   1.5, 5.5, 250.0 * grayScale});
    }
    instance.distracted = order;
    return instance;
}

struct LineErrors {
    double angle = 0.0;   // degrees
    double offset = 0.0;  // pixels, at the segment's middle
};

LineErrors errorsOf(const BoundaryScene& scene, const cgeom_line& line) {
    const double radians = scene.angle * kPi / 180.0;
    LineErrors errors;
    errors.angle = std::remainder(line.angle - scene.angle, 180.0);
    errors.offset = -(line.point.x - scene.x0) * std::sin(radians) + (line.point.y - scene.y0) * std::cos(radians);
    return errors;
}

struct Rms {
    double sumAngle = 0.0, sumOffset = 0.0;
    int count = 0;
    void add(const LineErrors& e) {
        sumAngle += e.angle * e.angle;
        sumOffset += e.offset * e.offset;
        ++count;
    }
    double angle() const { return std::sqrt(sumAngle / count); }
    double offset() const { return std::sqrt(sumOffset / count); }
};

// One tool call on a fresh image of the instance; false when it failed.
template <class Pixel>
bool runLine(const LineInstance& instance, const ScoreParams& score, int32_t weight, double grayScale,
             uint32_t seed, cgeom_line& line, std::vector<cgeom_caliperResult>& results) {
    const cedge::testing::SceneImage<Pixel> image(instance.scene, kSize, kSize, kNoise * grayScale, seed,
                                                  1.0);
    const cedge_image view = image.view();
    cgeom_lineParams params = instance.params;
    params.fit.weight = weight;
    const cedge_params edges = edgeSearch(grayScale);
    results.assign(kCalipers, cgeom_caliperResult{});
    const int32_t status = cgeom_findLine(&view, &params, &edges, &score.c, &line, results.data(), kCalipers);
    EXPECT_EQ(status, 0) << cgeom_statusName(status);
    return status == 0;
}

template <class Pixel>
Rms lineAccuracy(double grayScale, double distractorShare, bool trueEdge, int32_t weight) {
    ScoreParams score;
    if (trueEdge) {
        describeTrueEdge(score, cclp_polarityPositive);
    } else {
        chooseStrongest(score, grayScale);
    }
    Draw draw(2024u);
    Rms rms;
    for (uint32_t n = 0; n < 50; ++n) {
        const LineInstance instance = randomLine(draw, grayScale, distractorShare);
        cgeom_line line{};
        std::vector<cgeom_caliperResult> results;
        if (!runLine<Pixel>(instance, score, weight, grayScale, 100u + n, line, results)) break;
        rms.add(errorsOf(instance.scene, line));
    }
    return rms;
}

TEST(LineTool, AngleWithinAHundredthOfADegreeAndOffsetWithin002PixelOn50Boundaries) {
    const Rms narrow = lineAccuracy<uint8_t>(1.0, 0.0, true, cgeom_weightTukey);
    const Rms wide = lineAccuracy<uint16_t>(256.0, 0.0, true, cgeom_weightHuber);
    std::printf("line, 8-bit: angle %.5f deg, offset %.4f px RMS; 16-bit: %.5f deg, %.4f px\n",
                narrow.angle(), narrow.offset(), wide.angle(), wide.offset());
    EXPECT_EQ(narrow.count, 50);
    EXPECT_LE(narrow.angle(), 0.01);
    EXPECT_LE(narrow.offset(), 0.02);
    EXPECT_EQ(wide.count, 50);
    EXPECT_LE(wide.angle(), 0.01);
    EXPECT_LE(wide.offset(), 0.02);
}

// With a stronger scratch beside the true edge on 30 % of the calipers,
// parameters that describe the true edge keep the fit within the limits even
// as a plain least squares fit; the strongest edge puts the scratch into the
// points, which a plain fit follows out of the limits.
TEST(LineTool, TrueEdgeParametersStayWithinLimitsWhereTheStrongestEdgeDoesNot) {
    const Rms chosen = lineAccuracy<uint8_t>(1.0, 0.3, true, cgeom_weightNone);
    const Rms strongest = lineAccuracy<uint8_t>(1.0, 0.3, false, cgeom_weightNone);
    std::printf("line with 30%% distractors, plain fit: true edge %.5f deg %.4f px; strongest %.5f deg %.4f px\n",
                chosen.angle(), chosen.offset(), strongest.angle(), strongest.offset());
    EXPECT_LE(chosen.angle(), 0.01);
    EXPECT_LE(chosen.offset(), 0.02);
    EXPECT_GT(strongest.offset(), 1.0);
    EXPECT_GT(strongest.angle(), 0.1);
}

// The robust fit marks exactly the scratched calipers' points unused when
// the strongest edge is chosen; with the true edge's parameters every
// caliper's point is on the boundary and used.
TEST(LineTool, RobustFitMarksTheDistractedCalipersUnused) {
    Draw draw(77u);
    const LineInstance instance = randomLine(draw, 1.0, 0.3);
    ScoreParams strongest, chosen;
    chooseStrongest(strongest, 1.0);
    describeTrueEdge(chosen, cclp_polarityPositive);
    cgeom_line line{};
    std::vector<cgeom_caliperResult> results;
    ASSERT_TRUE(runLine<uint8_t>(instance, strongest, cgeom_weightTukey, 1.0, 5u, line, results));
    for (int32_t i = 0; i < kCalipers; ++i) {
        const bool distracted = std::count(instance.distracted.begin(), instance.distracted.end(), i) != 0;
        EXPECT_EQ(results[static_cast<std::size_t>(i)].used, distracted ? 0 : 1) << "caliper " << i;
        EXPECT_EQ(results[static_cast<std::size_t>(i)].found, 1);
    }
    EXPECT_EQ(line.fit.numUsed, kCalipers - 6);
    EXPECT_LE(std::fabs(errorsOf(instance.scene, line).offset), 0.05);

    ASSERT_TRUE(runLine<uint8_t>(instance, chosen, cgeom_weightTukey, 1.0, 5u, line, results));
    EXPECT_EQ(line.fit.numUsed, kCalipers);
    EXPECT_EQ(line.fit.numMissing, 0);
    for (const cgeom_caliperResult& result : results) {
        EXPECT_LE(std::fabs(result.residual), 0.3);
        EXPECT_EQ(result.numEdges, 1);
        EXPECT_GT(result.score, 0.0);
    }
    EXPECT_LE(line.fit.rms, 0.1);
}

}  // namespace
}  // namespace cgeom::testing
