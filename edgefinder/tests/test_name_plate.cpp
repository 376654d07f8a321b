// The demo inspection on a real photograph: the height of a name plate at
// two places along it, against edges measured by hand from the pixel values
// (data/measure_by_hand.py: halfway crossings between the background's and
// the plate's gray levels, a method independent of the edge finder's).
#include <gtest/gtest.h>

#include "edge_fixtures.hpp"

namespace cedge::testing {
namespace {

struct HandMeasured {
    double column;
    double top;
    double bottom;
};

// measure_by_hand.py's output, rows of the crop.
constexpr HandMeasured kCuts[] = {{50.0, 14.935, 42.374}, {75.0, 17.095, 44.025}};

// Two methods on a JPEG-ringing edge one pixel wide: within 0.25 px.
constexpr double kTolerance = 0.25;

TEST(NamePlate, EdgesAgreeWithTheHandMeasurement) {
    cedge_ownedImage image;
    cedge_ownedImage_construct(&image);
    ASSERT_EQ(cedge_readImageFile(CEDGE_TEST_DATA "/name_plate.pgm", &image), 0);
    for (const HandMeasured& cut : kCuts) {
        // Downward through the three columns the hand measurement averaged.
        const cedge_caliper caliper{cut.column, 30.0, 90.0, 40.0, 2.0};
        const cedge_params params = paramsWith(1.0, 30.0);
        ResultSet edges;
        ASSERT_EQ(cedge_findEdges(&image.view, &caliper, &params, &edges.c, nullptr), 0);
        ASSERT_EQ(edges.c.numEdges, 2) << "column " << cut.column;
        EXPECT_NEAR(30.0 + edges.c.edges[0].position, cut.top, kTolerance);
        EXPECT_GT(edges.c.edges[0].contrast, 0.0);  // dark uniform to light plate
        EXPECT_NEAR(30.0 + edges.c.edges[1].position, cut.bottom, kTolerance);
        EXPECT_LT(edges.c.edges[1].contrast, 0.0);
    }
    cedge_ownedImage_destruct(&image);
}

}  // namespace
}  // namespace cedge::testing
