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
    int32_t status = 0;

    Scaled(uint32_t scale, uint32_t scaling, uint32_t target) {
        fillCaliperSet(source.value, 2);
        source.value.projectionScale = scale;
        source.value.projectionScaling = scaling;
        status = cclp::assignToExScaled(destination.value, target, source.value);
        EXPECT_EQ(destination.value.projectionScale, target);
        EXPECT_EQ(destination.value.projectionScaling, scaling);
    }
    uint32_t sourcePixel(int32_t x, int32_t y) const {
        return *cimg_image32_pixelAtConst(&source.value.projectionImage, x, y);
    }
    uint32_t pixel(int32_t x, int32_t y) const {
        return *cimg_image32_pixelAtConst(&destination.value.projectionImage, x, y);
    }
};

}  // namespace

// An unscaled source is rescaled silently; a scaled one is reported and
// still rescaled.
TEST(AssignToExScaled, RescalesOnlyTheFirstRowOfARescalableProjection) {
    LeakCheck leaks;
    for (const uint32_t scale : {0u, 1u, 2u}) {
        AssertionCounter assertions;
        Scaled run(scale, 1, 6);
        ASSERT_EQ(run.status, 0);
        EXPECT_EQ(assertions.count(), scale > 1 ? 1 : 0);
        for (int32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(run.pixel(x, 0), run.sourcePixel(x, 0) * 6u);
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

TEST(AssignToExScaled, AnUnboundProjectionHasNothingToRescale) {
    LeakCheck leaks;
    CaliperSet source;
    source.value.projectionScaling = 1;
    CaliperSetEx destination;
    ASSERT_EQ(cclp::assignToExScaled(destination.value, 8, source.value), 0);
    EXPECT_EQ(destination.value.projectionImage.pixels, nullptr);
    EXPECT_EQ(destination.value.projectionScale, 8u);
}
