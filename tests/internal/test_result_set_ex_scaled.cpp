// Conversion to the extended form at a target projection scale, as the
// vector conversion uses it: when the first row of the projection is
// rescaled, and how.
#include <gtest/gtest.h>

#include "caliper_fixtures.hpp"
#include "result_set_ex.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

struct Scaled {
    CaliperSet source;
    CaliperSetEx destination;

    Scaled(uint32_t scale, uint32_t scaling, uint32_t target) {
        fillCaliperSet(source.value, 2);
        source.value.projectionScale = scale;
        source.value.projectionScaling = scaling;
        status = cclp::assignToExScaled(destination.value, target, source.value);
    }
    uint32_t sourcePixel(int32_t x, int32_t y) const {
        return *cimg_image32_pixelAtConst(&source.value.projectionImage, x, y);
    }
    uint32_t pixel(int32_t x, int32_t y) const {
        return *cimg_image32_pixelAtConst(&destination.value.projectionImage, x, y);
    }
    int32_t status = 0;
};

}  // namespace

TEST(AssignToExScaled, RescalesOnlyTheFirstRowOfARescalableProjection) {
    LeakCheck leaks;
    for (uint32_t unscaled : {0u, 1u}) {
        Scaled run(unscaled, 1, 4);
        ASSERT_EQ(run.status, 0);
        EXPECT_EQ(run.destination.value.projectionScale, 4u);
        EXPECT_EQ(run.destination.value.projectionScaling, 1u);
        for (int32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(run.pixel(x, 0), run.sourcePixel(x, 0) * 4u);
            EXPECT_EQ(run.pixel(x, 1), run.sourcePixel(x, 1));
        }
    }
}

TEST(AssignToExScaled, CopiesUnscaledWhenScalingIsOffOrTheScaleMatches) {
    LeakCheck leaks;
    Scaled notScaling(1, 0, 4);
    Scaled sameScale(4, 1, 4);
    for (const Scaled* run : {&notScaling, &sameScale}) {
        ASSERT_EQ(run->status, 0);
        EXPECT_EQ(run->destination.value.projectionScale, 4u);
        expectSamePixels(run->destination.value.projectionImage, run->source.value.projectionImage);
    }
}

TEST(AssignToExScaled, KeepsTheLow32BitsOfEachProduct) {
    LeakCheck leaks;
    CaliperSet source;
    fillCaliperSet(source.value, 1);
    source.value.projectionScale = 1;
    *cimg_image32_pixelAt(&source.value.projectionImage, 0, 0) = 0x80000001u;
    *cimg_image32_pixelAt(&source.value.projectionImage, 1, 0) = 0xFFFFFFFFu;
    CaliperSetEx destination;
    ASSERT_EQ(cclp::assignToExScaled(destination.value, 4, source.value), 0);
    EXPECT_EQ(*cimg_image32_pixelAt(&destination.value.projectionImage, 0, 0), 0x00000004u);
    EXPECT_EQ(*cimg_image32_pixelAt(&destination.value.projectionImage, 1, 0), 0xFFFFFFFCu);
}

TEST(AssignToExScaled, AScaledSourceIsReportedAndStillRescaled) {
    LeakCheck leaks;
    AssertionCounter assertions;
    Scaled run(2, 1, 6);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(assertions.count(), 1);
    EXPECT_EQ(run.pixel(3, 0), run.sourcePixel(3, 0) * 6u);
}

TEST(AssignToExScaled, AnUnboundProjectionHasNothingToRescale) {
    LeakCheck leaks;
    CaliperSet source;
    source.value.projectionScaling = 1;
    CaliperSetEx destination;
    ASSERT_EQ(cclp::assignToExScaled(destination.value, 8, source.value), 0);
    EXPECT_EQ(destination.value.projectionImage.pixels, nullptr);
    EXPECT_EQ(destination.value.projectionScale, 8u);
}
