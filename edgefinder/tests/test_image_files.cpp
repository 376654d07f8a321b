// Images from files: PGM and PPM at both depths, PNG where the build reads
// it, colour to gray by the luma weights, the statuses of files that are
// missing, not images or cut short, files that declare more than they hold,
// and pipes and FIFOs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "cedge/cedge.h"
#include "runtime_controls.hpp"

namespace cedge::testing {
namespace {

// PNG files built byte by byte: chunks with their CRC, pixel rows in one
// stored (uncompressed) deflate block.
uint32_t crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string bigEndian(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string pngChunk(const std::string& type, const std::string& data) {
    return bigEndian(static_cast<uint32_t>(data.size())) + type + data + bigEndian(crc32(type + data));
}

// The signature and the header of an image with 8-bit samples.
std::string pngStart(uint32_t width, uint32_t height, char colorType) {
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", bigEndian(width) + bigEndian(height) + '\x08' + colorType +
                                std::string(3, '\0'));
}

// Rows, each led by its filter byte, as the zlib stream of one IDAT chunk,
// and the end of the file.
std::string pngRowsAndEnd(const std::string& rows) {
    uint32_t a = 1, b = 0;
    for (const char byte : rows) {
        a = (a + static_cast<unsigned char>(byte)) % 65521u;
        b = (b + a) % 65521u;
    }
    const auto length = static_cast<uint16_t>(rows.size());
    const std::string stored{'\x01', static_cast<char>(length & 0xFF), static_cast<char>(length >> 8),
                             static_cast<char>(~length & 0xFF), static_cast<char>((~length >> 8) & 0xFF)};
    return pngChunk("IDAT", "\x78\x01" + stored + rows + bigEndian((b << 16) | a)) + pngChunk("IEND", "");
}

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
    ScratchFile(ScratchFile&& other) noexcept : path(std::move(other.path)) { other.path.clear(); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        if (!path.empty()) std::remove(path.c_str());
    }
};

int32_t read(const std::string& path, OwnedImage& image) {
    return cedge_readImageFile(path.c_str(), &image.c);
}

uint8_t pixel8(const cedge_image& image, int x, int y) {
    return static_cast<const uint8_t*>(image.pixels)[y * image.strideBytes + x];
}

// The process's peak memory; 0 where the platform does not tell.
long peakResidentKib() {
#ifdef _WIN32
    return 0;
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
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

TEST(ImageFiles, PaletteWithTransparencyBecomesLumaOfItsColours) {
    if (!cedge_readsPng()) GTEST_SKIP() << "this build reads no PNG files";
    // Red, half-transparent blue: alpha is dropped, whatever chunk carries it.
    const ScratchFile file("palette.png", pngStart(2, 1, '\x03') +
                                              pngChunk("PLTE", std::string("\xff\0\0\0\0\xff", 6)) +
                                              pngChunk("tRNS", "\xff\x80") +
                                              pngRowsAndEnd(std::string("\0\0\x01", 3)));
    OwnedImage image;
    ASSERT_EQ(read(file.path, image), 0);
    EXPECT_EQ(image.c.view.bufferBytes, 2u);
    EXPECT_EQ(pixel8(image.c.view, 0, 0), 76);
    EXPECT_EQ(pixel8(image.c.view, 1, 0), 29);
}

// Files that are missing, not images or cut short, or that declare a chunk,
// a raster or sides they do not hold or the reader does not accept: named
// by their status, the image left as it was, nothing leaked, and refused
// without the memory they declare (the process's peak grows by less than
// 64 MiB for all of them).
TEST(ImageFiles, FilesThatAreNotImagesAreNamedAndLeaveTheImageAsItWas) {
    const long peakBefore = peakResidentKib();
    const std::string lastRow = std::string(1, '\0') + std::string(16384, '\x7f');
    const int32_t png = cedge_readsPng() ? CEDGE_STATUS_FILE_NOT_IMAGE : CEDGE_STATUS_FILE_FORMAT_UNSUPPORTED;
    std::vector<ScratchFile> files;
    std::vector<std::pair<std::string, int32_t>> cases = {
        {"cedge_test_no_such_file.pgm", CEDGE_STATUS_FILE_UNREADABLE}};
    const auto add = [&](const char* name, const std::string& bytes,
                         int32_t status = CEDGE_STATUS_FILE_NOT_IMAGE) {
        files.emplace_back(name, bytes);
        cases.emplace_back(files.back().path, status);
    };
    add("text.pgm", "just some text\n");
    add("empty.pgm", "");
    add("short.pgm", "P5\n4 4\n255\n\x01\x02\x03");
    add("zero.pgm", "P5\n0 4\n255\n");
    add("huge.pgm", "P5\n99999999 99999999\n255\n");
    add("max.pgm", "P5\n1 1\n70000\n\x01");
    add("fake.png", "\x89PNG\r\n\x1a\n but nothing after", png);
    add("pnm_raster_missing.pgm", "P5\n16384 16384\n255\n\x01\x02\x03");
    add("pnm_too_wide.pgm", "P5\n70000 1\n255\n\x01");
    add("pnm_too_many_bytes.ppm", "P6\n65536 65536\n65535\n\x01");
    add("pnm_endless_comment.pgm", "P5\n#" + std::string(1 << 21, 'c'));
    if (cedge_readsPng()) {
        // A 44-byte file whose text chunk declares 2 GiB.
        add("png_huge_text.png", pngStart(1, 1, '\0') + "\x7f\xff\xff\xfftEXtabc");
        add("png_too_many_bytes.png", pngStart(65536, 65536, '\x02') + pngRowsAndEnd(""));
        add("png_raster_missing.png", pngStart(16384, 16384, '\0') + pngRowsAndEnd(lastRow));
    }
    const ScratchFile good("good.pgm", std::string("P5 1 1 255\n\x07"));
    for (const auto& [path, status] : cases) {
        OwnedImage image;
        ASSERT_EQ(read(good.path, image), 0);
        const cclp::testing::LeakCheck noLeaks;
        EXPECT_EQ(read(path, image), status) << path;
        EXPECT_EQ(image.c.view.width, 1) << "image replaced by a failed read of " << path;
        EXPECT_EQ(pixel8(image.c.view, 0, 0), 7);
    }
    EXPECT_LT(peakResidentKib() - peakBefore, 64 * 1024);
    OwnedImage image;
    EXPECT_EQ(cedge_readImageFile(nullptr, &image.c), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cedge_readImageFile(good.path.c_str(), nullptr), CSYS_STATUS_NULL_ARGUMENT);
}

#ifndef _WIN32
std::vector<unsigned char> pixelsOf(const cedge_image& view) {
    const auto* first = static_cast<const unsigned char*>(view.pixels);
    return {first, first + view.bufferBytes};
}

// A file's bytes written into a pipe by another thread read as the file
// does: once, from the start, never rewound.
TEST(HostileImageFiles, PipesReadAsTheirFiles) {
    std::vector<std::string> paths = {CEDGE_TEST_DATA "/name_plate.pgm"};
    if (cedge_readsPng()) paths.push_back(CEDGE_TEST_DATA "/name_plate.png");
    for (const std::string& path : paths) {
        OwnedImage expected;
        ASSERT_EQ(read(path, expected), 0);
        std::FILE* file = std::fopen(path.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        std::vector<char> bytes(1 << 20);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        std::thread writer([&] {
            EXPECT_EQ(write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
            close(ends[1]);
        });
        OwnedImage image;
        EXPECT_EQ(read("/dev/fd/" + std::to_string(ends[0]), image), 0) << path;
        writer.join();
        close(ends[0]);
        EXPECT_EQ(pixelsOf(image.c.view), pixelsOf(expected.c.view)) << path;
    }
}

// Nobody writes: the read returns (as an empty file's) instead of waiting.
// Should it hang, the test opens the FIFO for writing itself to end it.
TEST(HostileImageFiles, FifoWithoutWriterReadsAsEmpty) {
    const std::string path = "cedge_test_fifo";
    std::remove(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    OwnedImage image;
    auto reading = std::async(std::launch::async, [&] { return read(path, image); });
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ADD_FAILURE() << "reading a FIFO without a writer blocks";
        const int unblock = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (unblock >= 0) close(unblock);
    }
    EXPECT_EQ(reading.get(), CEDGE_STATUS_FILE_NOT_IMAGE);
    std::remove(path.c_str());
}
#endif

}  // namespace
}  // namespace cedge::testing
