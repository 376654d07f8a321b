// Binary PGM (P5) and PPM (P6) files, from memory.
#ifndef CEDGE_PNM_READER_HPP
#define CEDGE_PNM_READER_HPP

#include <cstddef>
#include <cstdint>

#include "decoded_image.h"

namespace cedge {

struct PnmHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t maxValue = 0;
    uint32_t channels = 0;
    std::size_t rasterOffset = 0;  // the header's length
    std::size_t rasterBytes = 0;
};

enum class PnmParse { complete, incomplete, invalid };

// Reads the header at the start of the first `size` bytes of a file:
// incomplete when they end inside it, invalid when it is not a P5/P6 header
// within the reader's limits (comments included, at most 1 MiB long).
PnmParse parsePnmHeader(const unsigned char* data, std::size_t size, PnmHeader& header);

// Decodes a whole file. Sample values are kept as stored (not scaled to the
// maximum value); a maximum above 255 gives 16-bit samples.
int32_t decodePnm(const unsigned char* data, std::size_t size, cedge_decodedImage& image);

}  // namespace cedge

#endif
