// The geometry plot from plain values: every caliper counted by what became
// of it, the fit or the reason there is none in words, and images the edge
// finder would refuse refused by name.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "cgeom/cgeom.hpp"
#include "geometry_scenes.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "plot/geometry_plot.hpp"

namespace cclp_cli {
namespace {

using cgeom::testing::BoundaryScene;

struct LineScene {
    cedge::testing::SceneImage<uint8_t> image{scene(), 120, 90, cgeom::testing::kNoise, 11u};
    cgeom::LineParams params = cgeom::LineParams(15.0, 45.0, 105.0, 45.0).calipers(8, 24.0, 4.0);

    static BoundaryScene scene() {
        BoundaryScene boundary;
        boundary.x0 = 60.0;
        boundary.y0 = 44.0;
        return boundary;
    }
    GeometryPlotRequest request() const {
        GeometryPlotRequest request;
        request.image = image.view();
        request.lineParams = params.c();
        return request;
    }
};

bool holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(GeometryPlot, CountsEveryCaliperByWhatBecameOfIt) {
    const LineScene scene;
    cgeom::LineFit fit = cgeom::findLine(cedge::ImageView(scene.image.view()), scene.params,
                                         cedge::Settings().sigma(1.5), cclp::score::Params());
    GeometryPlotRequest request = scene.request();
    request.line = fit.geometry;
    request.calipers = fit.calipers;
    request.calipers[1].used = 0;
    request.calipers[2].found = 0;
    request.calipers[3].found = 0;
    request.calipers[3].status = CEDGE_STATUS_OUTSIDE_IMAGE;
    request.description = "top <edge>";
    const std::string svg = geometryPlotOf(request);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_TRUE(holds(svg, "top &lt;edge&gt;"));
    EXPECT_TRUE(holds(svg, "line at " + cclp_cli::decimals(fit.geometry.angle, 4) + " degrees"));
    for (const char* count : {">used: 5<", ">set aside: 1<", ">nothing found: 1<", ">outside the image: 1<"})
        EXPECT_TRUE(holds(svg, count)) << count;
}

TEST(GeometryPlot, SaysWhyThereIsNoFit) {
    const LineScene scene;  // the request views its image
    GeometryPlotRequest request = scene.request();
    request.status = CGEOM_STATUS_TOO_FEW_POINTS;
    const std::string svg = geometryPlotOf(request);
    EXPECT_TRUE(holds(svg, "no fit: CGEOM_STATUS_TOO_FEW_POINTS: too few calipers"));
    EXPECT_TRUE(holds(svg, "no caliper results"));
    EXPECT_FALSE(holds(svg, "RMS"));
}

TEST(GeometryPlot, RefusesAnImageByItsField) {
    const LineScene scene;
    const auto refusal = [&](auto spoil) {
        GeometryPlotRequest request = scene.request();
        spoil(request.image);
        try {
            (void)geometryPlotOf(request);
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal([](cedge_image& i) { i.pixels = nullptr; }), "image.pixels: null");
    EXPECT_EQ(refusal([](cedge_image& i) { i.height = 0; }), "image.height: not positive");
    EXPECT_EQ(refusal([](cedge_image& i) { i.bitsPerPixel = 12; }), "image.bitsPerPixel: not 8 or 16");
    EXPECT_EQ(refusal([](cedge_image& i) { i.strideBytes = 100; }), "image.strideBytes: smaller than a row");
    EXPECT_EQ(refusal([](cedge_image& i) { --i.bufferBytes; }), "image.bufferBytes: smaller than the image");
}

}  // namespace
}  // namespace cclp_cli
