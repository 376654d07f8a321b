// The image and pixel stand-ins: pixels held through the runtime, either
// kind destroyed through the common header, windows, whole-image copies.
#include <gtest/gtest.h>

#include "cimg_image.h"
#include "cip_pixel.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

// Sized images hold zeroed pixels in one runtime block; a destroyed image
// may be destroyed again; a window gives width and first pixel.
TEST(ImageStandIn, SizedImagesWindowsAndUnbinding) {
    LeakCheck leaks;
    const int64_t live = csys_testing_liveBlocks();
    cimg_image32 image;
    cimg_imageD doubles;
    ASSERT_EQ(cimg_image32_constructSized(&image, 4, 3), 0);
    ASSERT_EQ(cimg_imageD_constructUnbound(&doubles), 0);
    EXPECT_EQ(csys_testing_liveBlocks(), live + 1);
    EXPECT_EQ(*cimg_image32_pixelAt(&image, 3, 2), 0u);
    EXPECT_EQ(cimg_image32_pixelAt(&image, 4, 0), nullptr);
    EXPECT_EQ(cimg_imageD_pixelAtConst(&doubles, 0, -1), nullptr);
    cimg_window window;
    ASSERT_EQ(cimg_window_init(&window, &image), 0);
    EXPECT_EQ(window.width, 4);
    EXPECT_EQ(window.firstPixel, cimg_image32_pixelAt(&image, 0, 0));
    EXPECT_EQ(cimg_window_init(&window, reinterpret_cast<const cimg_image32*>(&doubles)),
              CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(cimg_image32_assignUnbound(&image), 0);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0);
    for (void* each : {static_cast<void*>(&image), static_cast<void*>(&doubles)}) {
        EXPECT_EQ(cimg_image_destruct(each), 0);
        EXPECT_EQ(cimg_image_destruct(each), 0);
    }
    EXPECT_EQ(cimg_image32_constructSized(&image, -1, 2), CSYS_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(image.pixels, nullptr);
}

// The copy is independent and replaces the destination; copying an image
// into itself keeps its pixels; an unbound or zero-filled source unbinds
// the destination; a zero-filled destination becomes a proper image; an
// image of the other kind is refused.
TEST(PixelStandIn, WholeImageCopies) {
    LeakCheck leaks;
    cimg_image32 source, destination, zeroed{}, other{};
    other.kind = CIMG_KIND_IMAGED;
    ASSERT_EQ(cimg_image32_constructSized(&source, 3, 2), 0);
    ASSERT_EQ(cimg_image32_constructSized(&destination, 7, 7), 0);
    *cimg_image32_pixelAt(&source, 2, 1) = 42;
    ASSERT_EQ(cip_pelAssignCopyEntire32(&source, &destination), 0);
    *cimg_image32_pixelAt(&source, 2, 1) = 7;
    EXPECT_EQ(destination.width, 3);
    EXPECT_EQ(destination.height, 2);
    EXPECT_EQ(*cimg_image32_pixelAt(&destination, 2, 1), 42u);
    uint32_t* const pixels = destination.pixels;
    EXPECT_EQ(cip_pelAssignCopyEntire32(&destination, &destination), 0);
    EXPECT_EQ(destination.pixels, pixels);
    ASSERT_EQ(cip_pelAssignCopyEntire32(&source, &zeroed), 0);
    EXPECT_EQ(zeroed.kind, CIMG_KIND_IMAGE32);
    EXPECT_EQ(zeroed.width, 3);
    EXPECT_EQ(cip_pelAssignCopyEntire32(&other, &source), CSYS_STATUS_INVALID_ARGUMENT);
    ASSERT_EQ(cimg_image32_assignUnbound(&source), 0);
    other = cimg_image32{};
    for (cimg_image32* unbound : {&source, &other}) {
        ASSERT_EQ(cip_pelAssignCopyEntire32(&zeroed, &destination), 0);
        ASSERT_EQ(cip_pelAssignCopyEntire32(unbound, &destination), 0);
        EXPECT_EQ(destination.pixels, nullptr);
        EXPECT_EQ(destination.width, 0);
    }
    for (cimg_image32* each : {&source, &destination, &zeroed}) cimg_image_destruct(each);
}

TEST(PixelStandIn, FailedCopyLeavesTheDestinationAsItWas) {
    EXPECT_EQ(sweepAllocationFailures([](int32_t k) {
                  cimg_imageD source, destination;
                  cimg_imageD_constructSized(&source, 2, 2);
                  cimg_imageD_constructSized(&destination, 1, 1);
                  *cimg_imageD_pixelAt(&source, 1, 1) = 2.5;
                  *cimg_imageD_pixelAt(&destination, 0, 0) = -1.0;
                  const int32_t status =
                      failingAt(k, [&] { return cip_pelAssignCopyEntireD(&source, &destination); });
                  const int32_t x = status < 0 ? 0 : 1;
                  EXPECT_EQ(*cimg_imageD_pixelAt(&destination, x, x), status < 0 ? -1.0 : 2.5);
                  cimg_image_destruct(&source);
                  cimg_image_destruct(&destination);
                  return status;
              }),
              1);
}
