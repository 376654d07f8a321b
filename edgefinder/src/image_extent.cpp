#include "image_extent.hpp"

#include <cstdint>
#include <cstring>

#include "cedge/cedge.h"
#include "pnm_reader.hpp"

namespace cedge {

namespace {

using State = ImageExtent::State;

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
#ifdef CEDGE_HAVE_PNG
// Only a build that decodes PNG walks its chunks.
constexpr uint32_t kPngChunkLengthMax = 0x7FFFFFFFu;
constexpr std::size_t kPngChunkFrame = 12;  // length, type and CRC

uint32_t bigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

bool isChunkType(const unsigned char* type) {
    for (int i = 0; i < 4; ++i) {
        const bool letter = (type[i] >= 'A' && type[i] <= 'Z') || (type[i] >= 'a' && type[i] <= 'z');
        if (!letter) return false;
    }
    return true;
}

// Walks the chunks from the signature on: no chunk may declare more bytes
// than the longest file read holds.
ImageExtent pngExtent(const unsigned char* data, std::size_t size) {
    std::size_t position = sizeof kPngSignature;
    while (size - position >= 8) {
        const uint32_t length = bigEndian32(data + position);
        const unsigned char* type = data + position + 4;
        const std::size_t end = position + kPngChunkFrame + length;
        if (length > kPngChunkLengthMax || !isChunkType(type) || end > CEDGE_IMAGE_FILE_BYTES_MAX) {
            return {State::invalid, ImageFormat::png, 0};
        }
        if (std::memcmp(type, "IEND", 4) == 0) return {State::known, ImageFormat::png, end};
        if (end > size) break;
        position = end;
    }
    return {State::unknown, ImageFormat::png, 0};
}
#endif

ImageExtent pnmExtent(const unsigned char* data, std::size_t size) {
    PnmHeader header;
    switch (parsePnmHeader(data, size, header)) {
    case PnmParse::complete:
        return {State::known, ImageFormat::pnm, header.rasterOffset + header.rasterBytes};
    case PnmParse::incomplete: return {State::unknown, ImageFormat::pnm, 0};
    case PnmParse::invalid: break;
    }
    return {State::invalid, ImageFormat::pnm, 0};
}

}  // namespace

ImageExtent imageExtent(const unsigned char* data, std::size_t size) {
    if (size == 0) return {};
    if (data[0] == 'P') return pnmExtent(data, size);
    const std::size_t compared = size < sizeof kPngSignature ? size : sizeof kPngSignature;
    if (std::memcmp(data, kPngSignature, compared) != 0) return {State::invalid, ImageFormat::png, 0};
    if (compared < sizeof kPngSignature) return {State::unknown, ImageFormat::png, 0};
#ifdef CEDGE_HAVE_PNG
    return pngExtent(data, size);
#else
    // Without a PNG decoder the signature is all there is to read.
    return {State::known, ImageFormat::png, sizeof kPngSignature};
#endif
}

}  // namespace cedge
