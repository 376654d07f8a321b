/* A decoded image file before its conversion to gray: interleaved samples,
 * one or three channels, 8 or 16 bits each (16-bit in native byte order).
 * Shared by the C reader of PNG files and the C++ rest of the library. */
#ifndef CEDGE_DECODED_IMAGE_H
#define CEDGE_DECODED_IMAGE_H

#include <stddef.h>
#include <stdint.h>

#include "cedge/cedge.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct cedge_decodedImage {
    uint32_t width;
    uint32_t height;
    uint32_t channels; /* 1: gray, 3: red, green, blue */
    uint32_t bitDepth; /* 8 or 16 */
    void* samples;     /* width * height * channels samples, malloc'd */
} cedge_decodedImage;

/* Whether an image of this size is within the reader's limits (cedge.h);
 * when it is, no size computation on it overflows. */
static inline int cedge_imageSizeAccepted(uint32_t width, uint32_t height, uint32_t channels,
                                          uint32_t bitDepth) {
    const uint64_t sampleBytes = (uint64_t)channels * (bitDepth > 8 ? 2u : 1u);
    return width >= 1 && height >= 1 && width <= CEDGE_IMAGE_SIDE_MAX &&
           height <= CEDGE_IMAGE_SIDE_MAX &&
           (uint64_t)width * height * sampleBytes <= CEDGE_IMAGE_BYTES_MAX;
}

/* Decodes a whole PNG file held in memory. 0, or CEDGE_STATUS_FILE_NOT_IMAGE
 * or CSYS_STATUS_OUT_OF_MEMORY; on failure image->samples is null. Only
 * built with libpng. */
int32_t cedge_decodePng(const unsigned char* data, size_t size, cedge_decodedImage* image);

#ifdef __cplusplus
}
#endif

#endif
