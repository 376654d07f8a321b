// The fits on points of their own: degenerate point sets refused, the same
// answer on every call, outliers set aside by the sampled start.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "circle_fit.hpp"
#include "line_fit.hpp"

namespace cgeom {
namespace {

cgeom_fitParams fitWith(int32_t weight) { return cgeom_fitParams{weight, 20, 1.5}; }

TEST(Fits, CollinearPointsAreNoCircle) {
    const std::vector<Point> points{{0.0, 0.0}, {1.0, 2.0}, {2.0, 4.0}, {3.5, 7.0}, {-1.0, -2.0}};
    for (const int32_t weight : {cgeom_weightTukey, cgeom_weightHuber, cgeom_weightNone}) {
        CircleModel model{{5.0, 5.0}, 3.0};
        std::vector<double> weights;
        EXPECT_EQ(robustFit(CircleGeometry{}, points, fitWith(weight), model, weights),
                  CGEOM_STATUS_POINTS_COLLINEAR)
            << weight;
        EXPECT_EQ(model.radius, 3.0);
    }
}

TEST(Fits, CoincidentPointsAreNoLine) {
    LineModel model{};
    std::vector<double> weights;
    EXPECT_EQ(robustFit(LineGeometry{Point{1.0, 0.0}}, std::vector<Point>(6, Point{3.0, -2.0}),
                        fitWith(cgeom_weightTukey), model, weights), CGEOM_STATUS_POINTS_COINCIDENT);
}

// 80 points on a circle (more than the samples enumerated), a third of them
// pushed 5 pixels out: the same circle on every call, the outliers unused.
TEST(Fits, SampledStartIsRepeatableAndSetsOutliersAside) {
    std::vector<Point> points;
    for (int i = 0; i < 80; ++i) {
        const double angle = i * 0.0785398163397448;
        const double radius = 25.0 + (i % 3 == 0 ? 5.0 : 0.0);
        points.push_back({3.0 + radius * std::cos(angle), -4.0 + radius * std::sin(angle)});
    }
    CircleModel first{}, second{};
    std::vector<double> weights, again;
    ASSERT_EQ(robustFit(CircleGeometry{}, points, fitWith(cgeom_weightTukey), first, weights), 0);
    ASSERT_EQ(robustFit(CircleGeometry{}, points, fitWith(cgeom_weightTukey), second, again), 0);
    EXPECT_EQ(first.center.x, second.center.x);
    EXPECT_EQ(first.radius, second.radius);
    EXPECT_EQ(weights, again);
    EXPECT_NEAR(first.center.x, 3.0, 1e-9);
    EXPECT_NEAR(first.center.y, -4.0, 1e-9);
    EXPECT_NEAR(first.radius, 25.0, 1e-9);
    for (std::size_t i = 0; i < points.size(); ++i) EXPECT_EQ(weights[i] > 0.0, i % 3 != 0) << i;
}

}  // namespace
}  // namespace cgeom
