// Edges as image points: a position along the caliper becomes centre +
// position * search direction; refusals write nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "edge_fixtures.hpp"
#include "synthetic_image.hpp"

namespace cedge::testing {
namespace {

TEST(EdgePoints, RefusalsLeaveThePointsUnwritten) {
    const cedge_caliper caliper{50.0, 30.0, 0.0, 40.0, 2.0};
    cedge_point point{7.0, 7.0};
    EXPECT_EQ(cedge_caliperPoint(&caliper, std::nan(""), &point), CEDGE_STATUS_POSITION_NOT_VALID);
    const cedge_caliper bad{50.0, HUGE_VAL, 0.0, 40.0, 2.0};
    EXPECT_EQ(cedge_caliperPoint(&bad, 1.0, &point), CEDGE_STATUS_CENTER_NOT_VALID);
    EXPECT_EQ(point.x, 7.0);
    cclp_edge edges[2] = {{1.0, 5.0}, {std::nan(""), 5.0}};
    ResultSet set;
    set.c.numEdges = 2;
    set.c.edges = edges;
    cedge_point points[2] = {{7.0, 7.0}, {7.0, 7.0}};
    EXPECT_EQ(cedge_edgePoints(&caliper, &set.c, points, 1), CEDGE_STATUS_CAPACITY_TOO_SMALL);
    EXPECT_EQ(cedge_edgePoints(&caliper, &set.c, points, 2), CEDGE_STATUS_POSITION_NOT_VALID);
    EXPECT_EQ(points[0].x, 7.0);
    set.c.edges = nullptr;  // the array is the test's own
    set.c.numEdges = 0;
}

// The points of found edges lie on the bar's boundaries in the image, at
// a slant (35 degrees) as on the axes.
TEST(EdgePoints, FoundEdgesLieOnTheScenesBoundaries) {
    BarScene scene;
    scene.originX = 60.0;
    scene.originY = 50.0;
    scene.angle = 35.0;
    const SceneImage<uint8_t> image(scene, 120, 100, 0.0, 1u);
    const cedge_image view = image.view();
    const cedge_caliper caliper{60.0, 50.0, 35.0, 60.0, 10.0};
    const cedge_params params = paramsWith(1.5, 10.0);
    ResultSet edges;
    ASSERT_EQ(cedge_findEdges(&view, &caliper, &params, &edges.c, nullptr), 0);
    ASSERT_EQ(edges.c.numEdges, 2);
    cedge_point points[2];
    ASSERT_EQ(cedge_edgePoints(&caliper, &edges.c, points, 2), 0);
    cedge_point alone{};
    ASSERT_EQ(cedge_caliperPoint(&caliper, edges.c.edges[1].position, &alone), 0);
    EXPECT_EQ(alone.x, points[1].x);
    const double radians = 35.0 * 3.14159265358979323846 / 180.0;
    for (int i = 0; i < 2; ++i) {
        const double s = (points[i].x - 60.0) * std::cos(radians) + (points[i].y - 50.0) * std::sin(radians);
        EXPECT_NEAR(s, i == 0 ? scene.rise : scene.fall, 0.05);
    }
}

}  // namespace
}  // namespace cedge::testing
