// The C++ wrapper of the line and circle tools: a fit and its per-caliper
// results as values, refusals as exceptions (or error codes) carrying the
// status of whichever library refused, and the fluent settings reaching
// the C records.
#include <cmath>
#include <system_error>

#include "cgeom/cgeom.hpp"
#include "geometry_scenes.hpp"

namespace cgeom::testing {
namespace {

using cclp::score::Polarity;

// A boundary at 10 degrees through (100, 80), light below it.
cedge::testing::SceneImage<uint8_t> boundaryImage() {
    BoundaryScene scene;
    scene.x0 = 100.0;
    scene.y0 = 80.0;
    scene.angle = 10.0;
    return {scene, 200, 160, kNoise, 7u};
}

cedge::ImageView viewOf(const cedge::testing::SceneImage<uint8_t>& image) {
    return cedge::ImageView(image.view());
}

const cclp::score::Params& darkToLight() {
    static const cclp::score::Params params = cclp::score::Params().single({0.0, Polarity::Positive});
    return params;
}

TEST(CxxWrapper, FitsALineAndReturnsEveryCaliper) {
    const auto image = boundaryImage();
    const double dx = 70.0 * std::cos(10.0 * kPi / 180.0), dy = 70.0 * std::sin(10.0 * kPi / 180.0);
    const LineFit fit = findLine(viewOf(image),
                                 LineParams(100.0 - dx, 81.0 - dy, 100.0 + dx, 81.0 + dy)
                                     .calipers(12, 30.0, 6.0)
                                     .fit(Weight::Huber, 1.0, 10),
                                 cedge::Settings().sigma(1.5), darkToLight());
    EXPECT_NEAR(fit.geometry.angle, 10.0, 0.05);
    EXPECT_NEAR(-(fit.geometry.point.x - 100.0) * std::sin(10.0 * kPi / 180.0) +
                    (fit.geometry.point.y - 80.0) * std::cos(10.0 * kPi / 180.0),
                0.0, 0.05);
    ASSERT_EQ(fit.calipers.size(), 12u);
    EXPECT_EQ(fit.fit().numCalipers, 12);
    EXPECT_EQ(fit.fit().numUsed, 12);
    EXPECT_LT(fit.fit().rms, 0.1);
    for (const CaliperResult& caliper : fit.calipers) {
        EXPECT_EQ(caliper.found, 1);
        EXPECT_EQ(caliper.used, 1);
        EXPECT_DOUBLE_EQ(caliper.caliper.length, 30.0);
        EXPECT_LT(std::fabs(caliper.residual), 0.3);
    }
}

// Searching inward: from the dark ground into the light disc.
TEST(CxxWrapper, FitsACircleFromAnInwardArc) {
    DiscScene scene;
    scene.cx = 80.0;
    scene.cy = 70.0;
    scene.radius = 45.0;
    const cedge::testing::SceneImage<uint8_t> image(scene, 160, 140, kNoise, 3u);
    const CircleParams params =
        CircleParams(80.5, 69.5, 45.0).arc(-90.0, 180.0).inward().calipers(16, 30.0, 2.0);
    EXPECT_EQ(params.c().calipers.flags, CGEOM_SEARCH_INWARD);
    EXPECT_DOUBLE_EQ(params.c().sweep, 180.0);
    const CircleFit fit =
        findCircle(cedge::ImageView(image.view()), params, cedge::Settings().sigma(1.5), darkToLight());
    EXPECT_NEAR(fit.geometry.center.x, 80.0, 0.1);
    EXPECT_NEAR(fit.geometry.center.y, 70.0, 0.1);
    EXPECT_NEAR(fit.geometry.radius, 45.0, 0.1);
    EXPECT_EQ(fit.calipers.size(), 16u);
}

// Each refusal names the status of the library that refused it, in both forms.
TEST(CxxWrapper, RefusalsCarryTheirStatus) {
    const auto image = boundaryImage();
    const auto statusOf = [&](const LineParams& params, const cedge::Settings& settings) {
        try {
            (void)findLine(viewOf(image), params, settings, darkToLight());
        } catch (const Error& error) {
            EXPECT_EQ(error.code().category(), errorCategory());
            EXPECT_NE(std::string(error.what()).find(cgeom_statusName(error.status())), std::string::npos);
            return error.status();
        }
        return 0;
    };
    const LineParams flat(30.0, 81.0, 170.0, 81.0);
    EXPECT_EQ(statusOf(LineParams(30.0, 81.0, 30.0, 81.0), {}), CGEOM_STATUS_SEGMENT_TOO_SHORT);
    EXPECT_EQ(statusOf(LineParams(flat).calipers(-1, 30.0, 6.0), {}), CGEOM_STATUS_CALIPER_COUNT_NOT_VALID);
    EXPECT_EQ(statusOf(LineParams(flat).fit(Weight::Tukey, 0.0), {}), CGEOM_STATUS_FIT_SETTINGS_NOT_VALID);
    EXPECT_EQ(statusOf(flat, cedge::Settings().sigma(0.0)), CEDGE_STATUS_SIGMA_NOT_VALID);
    // Every caliper reaching out of the image: nothing to fit.
    EXPECT_EQ(statusOf(LineParams(30.0, 1.0, 170.0, 1.0), {}), CGEOM_STATUS_TOO_FEW_POINTS);

    std::error_code ec;
    const LineFit none = findLine(viewOf(image), LineParams(30.0, 1.0, 170.0, 1.0), {}, darkToLight(), ec);
    EXPECT_EQ(ec, makeErrorCode(CGEOM_STATUS_TOO_FEW_POINTS));
    EXPECT_TRUE(none.calipers.empty());
    EXPECT_EQ(statusText(CGEOM_STATUS_TOO_FEW_POINTS).rfind("CGEOM_STATUS_TOO_FEW_POINTS: ", 0), 0u);
    EXPECT_EQ(statusText(CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE).rfind("CCLP_STATUS_", 0), 0u);
}

}  // namespace
}  // namespace cgeom::testing
