// The image and pixel stand-ins: pixels held through the runtime, either
// kind destroyed through the common header, windows, whole-image copies.
#include <gtest/gtest.h>

#include "cimg_image.h"
#include "cip_pixel.h"
#include "runtime_controls.hpp"

using namespace cclp::testing;

TEST(ImageStandIn, SizedImagesHoldZeroedPixelsThroughTheRuntime) {
    LeakCheck leaks;
    const int64_t live = csys_testing_liveBlocks();
    cimg_image32 image;
    cimg_imageD doubles;
    ASSERT_EQ(cimg_image32_constructSized(&image, 4, 3), 0);
    ASSERT_EQ(cimg_imageD_constructSized(&doubles, 2, 2), 0);
    EXPECT_EQ(csys_testing_liveBlocks(), live + 2);
    EXPECT_EQ(*cimg_image32_pixelAt(&image, 3, 2), 0u);
    EXPECT_EQ(cimg_image32_pixelAt(&image, 4, 0), nullptr);
    EXPECT_EQ(cimg_imageD_pixelAtConst(&doubles, 0, -1), nullptr);
    EXPECT_EQ(cimg_image32_assignUnbound(&image), 0);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(cimg_image_destruct(&image), 0);
    EXPECT_EQ(cimg_image_destruct(&doubles), 0);
    EXPECT_EQ(cimg_image_destruct(&doubles), 0) << "a destroyed image may be destroyed again";
    EXPECT_EQ(cimg_image32_constructSized(&image, -1, 2), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST(ImageStandIn, WindowGivesWidthAndFirstPixel) {
    LeakCheck leaks;
    cimg_image32 image;
    ASSERT_EQ(cimg_image32_constructSized(&image, 6, 2), 0);
    cimg_window window;
    ASSERT_EQ(cimg_window_init(&window, &image), 0);
    EXPECT_EQ(window.width, 6);
    EXPECT_EQ(window.firstPixel, cimg_image32_pixelAt(&image, 0, 0));
    cimg_imageD doubles;
    ASSERT_EQ(cimg_imageD_constructUnbound(&doubles), 0);
    EXPECT_EQ(cimg_window_init(&window, reinterpret_cast<const cimg_image32*>(&doubles)),
              CSYS_STATUS_INVALID_ARGUMENT);
    cimg_image_destruct(&image);
    cimg_image_destruct(&doubles);
}

TEST(PixelStandIn, CopyIsIndependentAndReplacesTheDestination) {
    LeakCheck leaks;
    cimg_image32 source;
    cimg_image32 destination;
    ASSERT_EQ(cimg_image32_constructSized(&source, 3, 2), 0);
    ASSERT_EQ(cimg_image32_constructSized(&destination, 7, 7), 0);
    *cimg_image32_pixelAt(&source, 2, 1) = 42;
    ASSERT_EQ(cip_pelAssignCopyEntire32(&source, &destination), 0);
    EXPECT_EQ(destination.width, 3);
    EXPECT_EQ(destination.height, 2);
    EXPECT_EQ(*cimg_image32_pixelAt(&destination, 2, 1), 42u);
    *cimg_image32_pixelAt(&source, 2, 1) = 7;
    EXPECT_EQ(*cimg_image32_pixelAt(&destination, 2, 1), 42u);
    uint32_t* const pixels = destination.pixels;
    EXPECT_EQ(cip_pelAssignCopyEntire32(&destination, &destination), 0);
    EXPECT_EQ(destination.pixels, pixels);
    // An unbound source unbinds the destination.
    ASSERT_EQ(cimg_image32_assignUnbound(&source), 0);
    ASSERT_EQ(cip_pelAssignCopyEntire32(&source, &destination), 0);
    EXPECT_EQ(destination.pixels, nullptr);
    EXPECT_EQ(destination.width, 0);
    cimg_image_destruct(&source);
    cimg_image_destruct(&destination);
}

TEST(PixelStandIn, FailedCopyLeavesTheDestinationAsItWas) {
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  cimg_imageD source;
                  cimg_imageD destination;
                  cimg_imageD_constructSized(&source, 2, 2);
                  cimg_imageD_constructSized(&destination, 1, 1);
                  *cimg_imageD_pixelAt(&source, 1, 1) = 2.5;
                  *cimg_imageD_pixelAt(&destination, 0, 0) = -1.0;
                  FailAllocation failure(k);
                  const int32_t status = cip_pelAssignCopyEntireD(&source, &destination);
                  const double kept = status < 0 ? -1.0 : 2.5;
                  const int32_t x = status < 0 ? 0 : 1;
                  EXPECT_EQ(*cimg_imageD_pixelAt(&destination, x, x), kept);
                  cimg_image_destruct(&source);
                  cimg_image_destruct(&destination);
                  return status;
              }),
              1);
}

TEST(PixelStandIn, ZeroFilledImagesCountAsUnboundAndOthersAreRefused) {
    LeakCheck leaks;
    cimg_image32 source;
    ASSERT_EQ(cimg_image32_constructSized(&source, 2, 1), 0);
    cimg_image32 zeroed{};
    ASSERT_EQ(cip_pelAssignCopyEntire32(&source, &zeroed), 0);
    EXPECT_EQ(zeroed.kind, CIMG_KIND_IMAGE32) << "the copy makes it a proper image";
    EXPECT_EQ(zeroed.width, 2);
    EXPECT_EQ(cimg_image_destruct(&zeroed), 0);
    cimg_image32 empty{};
    ASSERT_EQ(cip_pelAssignCopyEntire32(&empty, &source), 0);
    EXPECT_EQ(source.pixels, nullptr);
    cimg_image32 garbage{};
    garbage.kind = CIMG_KIND_IMAGED;
    EXPECT_EQ(cip_pelAssignCopyEntire32(&garbage, &source), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cimg_image_destruct(&source), 0);
}
