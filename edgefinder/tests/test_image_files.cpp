// Images from files: PGM and PPM at both depths, PNG where the build reads
// it, colour to gray by the luma weights, and the statuses of files that
// are missing, not images or cut short.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cedge/cedge.h"

namespace cedge::testing {
namespace {

struct OwnedImage {
    cedge_ownedImage c{};
    OwnedImage() { cedge_ownedImage_construct(&c); }
    ~OwnedImage() { cedge_ownedImage_destruct(&c); }
};

// A file in the test's working folder, removed at scope exit.
struct ScratchFile {
    std::string path;
    ScratchFile(const std::string& name, const std::string& bytes) : path("cedge_test_" + name) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        if (file != nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
    }
    ~ScratchFile() { std::remove(path.c_str()); }
};

int32_t read(const std::string& path, OwnedImage& image) {
    return cedge_readImageFile(path.c_str(), &image.c);
}

uint8_t pixel8(const cedge_image& image, int x, int y) {
    return static_cast<const uint8_t*>(image.pixels)[y * image.strideBytes + x];
}

TEST(ImageFiles, PgmWithCommentsReadsAsStored) {
    const ScratchFile file("gray.pgm", std::string("P5\n# a comment\n3 2\n# another\n255\n") +
                                           std::string("\x00\x10\x20\x30\x40\xff", 6));
    OwnedImage image;
    ASSERT_EQ(read(file.path, image), 0);
    const cedge_image& view = image.c.view;
    EXPECT_EQ(view.width, 3);
    EXPECT_EQ(view.height, 2);
    EXPECT_EQ(view.bitsPerPixel, 8);
    EXPECT_EQ(view.strideBytes, 3);
    EXPECT_EQ(view.bufferBytes, 6u);
    EXPECT_EQ(pixel8(view, 2, 0), 0x20);
    EXPECT_EQ(pixel8(view, 2, 1), 0xff);
}

TEST(ImageFiles, SixteenBitPgmComesOutInNativeOrder) {
    const ScratchFile file("wide.pgm", std::string("P5 2 1 65535\n") + std::string("\x01\x02\xff\x00", 4));
    OwnedImage image;
    ASSERT_EQ(read(file.path, image), 0);
    ASSERT_EQ(image.c.view.bitsPerPixel, 16);
    const auto* pixels = static_cast<const uint16_t*>(image.c.view.pixels);
    EXPECT_EQ(pixels[0], 0x0102);
    EXPECT_EQ(pixels[1], 0xff00);
}

TEST(ImageFiles, PpmColourBecomesLuma) {
    // Pure red, green, blue, white: 0.299, 0.587, 0.114 of 255, rounded.
    const ScratchFile file("colour.ppm",
                           std::string("P6\n4 1\n255\n") +
                               std::string("\xff\x00\x00\x00\xff\x00\x00\x00\xff\xff\xff\xff", 12));
    OwnedImage image;
    ASSERT_EQ(read(file.path, image), 0);
    const cedge_image& view = image.c.view;
    EXPECT_EQ(pixel8(view, 0, 0), 76);
    EXPECT_EQ(pixel8(view, 1, 0), 150);
    EXPECT_EQ(pixel8(view, 2, 0), 29);
    EXPECT_EQ(pixel8(view, 3, 0), 255);
}

TEST(ImageFiles, FilesThatAreNotImagesAreNamedAndLeaveTheImageAsItWas) {
    const ScratchFile text("text.pgm", "just some text\n");
    const ScratchFile empty("empty.pgm", "");
    const ScratchFile shortRaster("short.pgm", "P5\n4 4\n255\n\x01\x02\x03");
    const ScratchFile zeroWidth("zero.pgm", "P5\n0 4\n255\n");
    const ScratchFile huge("huge.pgm", "P5\n99999999 99999999\n255\n");
    const ScratchFile badMaximum("max.pgm", "P5\n1 1\n70000\n\x01");
    const ScratchFile fakePng("fake.png", "\x89PNG\r\n\x1a\n but nothing after");
    const int32_t pngStatus =
        cedge_readsPng() ? CEDGE_STATUS_FILE_NOT_IMAGE : CEDGE_STATUS_FILE_FORMAT_UNSUPPORTED;
    const struct {
        std::string path;
        int32_t status;
    } cases[] = {{"cedge_test_no_such_file.pgm", CEDGE_STATUS_FILE_UNREADABLE},
                 {text.path, CEDGE_STATUS_FILE_NOT_IMAGE},
                 {empty.path, CEDGE_STATUS_FILE_NOT_IMAGE},
                 {shortRaster.path, CEDGE_STATUS_FILE_NOT_IMAGE},
                 {zeroWidth.path, CEDGE_STATUS_FILE_NOT_IMAGE},
                 {huge.path, CEDGE_STATUS_FILE_NOT_IMAGE},
                 {badMaximum.path, CEDGE_STATUS_FILE_NOT_IMAGE},
                 {fakePng.path, pngStatus}};
    const ScratchFile good("good.pgm", std::string("P5 1 1 255\n\x07"));
    for (const auto& c : cases) {
        OwnedImage image;
        ASSERT_EQ(read(good.path, image), 0);
        EXPECT_EQ(read(c.path, image), c.status) << c.path;
        EXPECT_EQ(image.c.view.width, 1) << "image replaced by a failed read of " << c.path;
        EXPECT_EQ(pixel8(image.c.view, 0, 0), 7);
    }
    OwnedImage image;
    EXPECT_EQ(cedge_readImageFile(nullptr, &image.c), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cedge_readImageFile(good.path.c_str(), nullptr), CSYS_STATUS_NULL_ARGUMENT);
}

TEST(ImageFiles, PngOfThePhotographReadsAsItsLumaPgm) {
    if (!cedge_readsPng()) GTEST_SKIP() << "this build reads no PNG files";
    OwnedImage png;
    OwnedImage pgm;
    ASSERT_EQ(read(CEDGE_TEST_DATA "/name_plate.png", png), 0);
    ASSERT_EQ(read(CEDGE_TEST_DATA "/name_plate.pgm", pgm), 0);
    ASSERT_EQ(png.c.view.bufferBytes, pgm.c.view.bufferBytes);
    EXPECT_EQ(png.c.view.width, 144);
    EXPECT_EQ(png.c.view.height, 60);
    const auto* a = static_cast<const uint8_t*>(png.c.view.pixels);
    const auto* b = static_cast<const uint8_t*>(pgm.c.view.pixels);
    EXPECT_EQ(std::vector<uint8_t>(a, a + png.c.view.bufferBytes),
              std::vector<uint8_t>(b, b + pgm.c.view.bufferBytes));
}

}  // namespace
}  // namespace cedge::testing
