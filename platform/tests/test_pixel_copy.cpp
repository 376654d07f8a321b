// The pixel stand-in's whole-image copy, which the module's result set
// copies rely on: a failed copy leaves the destination as it was.
#include <gtest/gtest.h>

#include "cimg_image.h"
#include "cip_pixel.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

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
