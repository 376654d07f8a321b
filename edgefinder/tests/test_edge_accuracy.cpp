// Edges of synthetic bars at known sub-pixel positions and angles, with the
// noise of a real camera: positions, signs, order and the result set's
// formats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "cclp_scoring_function.h"
#include "edge_fixtures.hpp"
#include "synthetic_image.hpp"

namespace cedge::testing {
namespace {

constexpr double kNoise = 2.0;  // gray levels

// A scene whose bar is centred near the caliper's centre, rising at
// rise and falling at fall along the caliper.
BarScene barAt(double angle, double rise, double fall) {
    BarScene scene;
    scene.originX = 80.3;
    scene.originY = 70.6;
    scene.angle = angle;
    scene.rise = rise;
    scene.fall = fall;
    return scene;
}

cedge_caliper caliperAlong(const BarScene& scene) {
    return cedge_caliper{scene.originX, scene.originY, scene.angle, 100.0, 20.0};
}

// The root mean square error of both edges over bars at a spread of
// sub-pixel positions, at one angle.
template <class Pixel>
double rmsErrorAt(double angle, double grayScale) {
    double sumSquares = 0.0;
    int count = 0;
    for (int shift = 0; shift < 10; ++shift) {
        const double rise = -15.0 + 0.1 * shift + 0.013 * shift * shift;
        const double fall = 17.5 - 0.093 * shift;
        const BarScene scene = barAt(angle, rise, fall);
        const SceneImage<Pixel> image(scene, 160, 140, kNoise * grayScale, 1234u + static_cast<uint32_t>(shift),
                                      grayScale);
        const cedge_image view = image.view();
        const cedge_caliper caliper = caliperAlong(scene);
        const cedge_params params = paramsWith(1.5, 10.0 * grayScale);
        ResultSet edges;
        EXPECT_EQ(cedge_findEdges(&view, &caliper, &params, &edges.c, nullptr), 0);
        EXPECT_EQ(edges.c.numEdges, 2) << "angle " << angle << ", shift " << shift;
        if (edges.c.numEdges != 2) return 1e9;
        for (const auto& [found, truth] : {std::pair{edges.c.edges[0].position, rise},
                                           std::pair{edges.c.edges[1].position, fall}}) {
            sumSquares += (found - truth) * (found - truth);
            ++count;
        }
    }
    return std::sqrt(sumSquares / count);
}

class AngleAccuracy : public ::testing::TestWithParam<double> {};

TEST_P(AngleAccuracy, PositionsWithin005PixelRmsAtBothDepths) {
    for (const auto& [bits, rms] : {std::pair{8, rmsErrorAt<uint8_t>(GetParam(), 1.0)},
                                    std::pair{16, rmsErrorAt<uint16_t>(GetParam(), 256.0)}}) {
        std::printf("angle %.0f: position error %.4f px RMS (%d-bit)\n", GetParam(), rms, bits);
        EXPECT_LE(rms, 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, AngleAccuracy, ::testing::Values(0.0, 17.0, 45.0, -120.0));

TEST(EdgeSearch, ContrastSignFollowsTheSearchDirection) {
    const BarScene scene = barAt(17.0, -12.0, 9.0);
    const SceneImage<uint8_t> image(scene, 160, 140, kNoise, 7u);
    const cedge_image view = image.view();
    cedge_caliper caliper = caliperAlong(scene);
    const cedge_params params = paramsWith(1.5, 10.0);
    ResultSet forward;
    ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &forward.c, nullptr), 0);
    ASSERT_EQ(forward.c.numEdges, 2);
    // Dark to light, then light to dark, in gray levels per pixel: a step of
    // 120 blurred by 1.5 and smoothed by 1.5 peaks near 120 / (sqrt(2 pi) 2.12).
    EXPECT_NEAR(forward.c.edges[0].contrast, 22.6, 1.0);
    EXPECT_NEAR(forward.c.edges[1].contrast, -22.6, 1.0);

    // Turned round, the same edges appear mirrored, ascending again.
    caliper.angle += 180.0;
    ResultSet backward;
    ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &backward.c, nullptr), 0);
    ASSERT_EQ(backward.c.numEdges, 2);
    EXPECT_NEAR(backward.c.edges[0].position, -9.0, 0.1);
    EXPECT_GT(backward.c.edges[0].contrast, 0.0);
    EXPECT_NEAR(backward.c.edges[1].position, 12.0, 0.1);
    EXPECT_LT(backward.c.edges[1].contrast, 0.0);
}

TEST(EdgeSearch, PolarityAndMinimumContrastFilterTheEdges) {
    const BarScene scene = barAt(0.0, -12.0, 9.0);
    const SceneImage<uint8_t> image(scene, 160, 140, kNoise, 8u);
    const cedge_image view = image.view();
    const cedge_caliper caliper = caliperAlong(scene);
    const struct {
        int32_t polarity;
        double minContrast;
        std::vector<double> positions;
    } cases[] = {{cedge_polarityPositive, 10.0, {-12.0}},
                 {cedge_polarityNegative, 10.0, {9.0}},
                 {cedge_polarityAny, 30.0, {}}};
    for (const auto& c : cases) {
        const cedge_params params = paramsWith(1.5, c.minContrast, c.polarity);
        ResultSet edges;
        ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &edges.c, nullptr), 0);
        ASSERT_EQ(edges.c.numEdges, static_cast<int32_t>(c.positions.size())) << c.polarity;
        for (std::size_t i = 0; i < c.positions.size(); ++i) {
            EXPECT_NEAR(edges.c.edges[i].position, c.positions[i], 0.1);
        }
    }
}

TEST(EdgeSearch, WritesBothFormatsRoundedAsTheModuleRoundsAndReplacesOldEdges) {
    const BarScene scene = barAt(45.0, -12.3, 9.7);
    const SceneImage<uint8_t> image(scene, 160, 140, kNoise, 9u);
    const cedge_image view = image.view();
    const cedge_caliper caliper = caliperAlong(scene);
    cedge_params params = paramsWith(1.5, 10.0);
    ResultSet edges;
    ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &edges.c, nullptr), 0);  // held, then replaced
    params.formats = CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED;
    ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &edges.c, nullptr), 0);
    ASSERT_EQ(edges.c.numEdges, 2);
    EXPECT_EQ(edges.c.formats, CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(edges.c.edgesFixed[i].position, cclp_round256(edges.c.edges[i].position));
        EXPECT_EQ(edges.c.edgesFixed[i].contrast, cclp_round256(edges.c.edges[i].contrast));
    }
    params.formats = CCLP_FORMAT_FIXED;
    ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &edges.c, nullptr), 0);
    EXPECT_EQ(edges.c.edges, nullptr);
    EXPECT_NE(edges.c.edgesFixed, nullptr);
}

TEST(EdgeSearch, ProfileHoldsTheProjectionAndItsDerivativeAtIntegerDistances) {
    // A horizontal ramp of one gray level per pixel: every sample is exact.
    std::vector<uint8_t> pixels(60 * 20);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(100 + i % 60);
    const cedge_image view{pixels.data(), pixels.size(), 60, 20, 60, 8};
    const cedge_caliper caliper{30.5, 10.0, 0.0, 41.0, 4.0};  // 41 samples, 5 lines
    const cedge_params params = paramsWith(2.0, 2.0);
    ResultSet edges;
    Profile profile;
    ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &edges.c, &profile.c), 0);
    ASSERT_EQ(profile.c.count, 41);
    EXPECT_EQ(profile.c.firstPosition, -20.0);
    EXPECT_EQ(profile.c.validFirst, 0);
    EXPECT_EQ(profile.c.validCount, 41);
    for (int32_t i = 0; i < profile.c.count; ++i) {
        EXPECT_DOUBLE_EQ(profile.c.values[i], 100.0 + 30.5 - 20.0 + i);
    }
    // Away from the ends, the derivative of a ramp is its slope.
    EXPECT_NEAR(profile.c.derivative[20], 1.0, 1e-12);
    EXPECT_EQ(edges.c.numEdges, 0);  // a ramp has no extremum inside
}

}  // namespace
}  // namespace cedge::testing
