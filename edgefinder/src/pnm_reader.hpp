// Binary PGM (P5) and PPM (P6) files.
#ifndef CEDGE_PNM_READER_HPP
#define CEDGE_PNM_READER_HPP

#include <cstdint>
#include <cstdio>

#include "decoded_image.h"

namespace cedge {

// Decodes a file opened for reading at its start (its first two bytes are
// "P5" or "P6"). Sample values are kept as stored (not scaled to the
// maximum value); a maximum above 255 gives 16-bit samples.
int32_t decodePnm(std::FILE* file, cedge_decodedImage& image);

}  // namespace cedge

#endif
