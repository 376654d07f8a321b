/* A decoded image file before its conversion to gray: interleaved samples,
 * one or three channels, 8 or 16 bits each (16-bit in native byte order).
 * Shared by the C reader of PNG files and the C++ rest of the library. */
#ifndef CEDGE_DECODED_IMAGE_H
#define CEDGE_DECODED_IMAGE_H

#include <stdint.h>
#include <stdio.h>

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

/* The largest side and pixel count the readers accept: far beyond any
 * caliper's needs, and small enough that no size computation overflows. */
#define CEDGE_MAX_IMAGE_SIDE 65536u
#define CEDGE_MAX_IMAGE_PIXELS (1u << 28)

/* Decodes a PNG file opened for reading at its start. 0, or
 * CEDGE_STATUS_FILE_NOT_IMAGE, CEDGE_STATUS_FILE_UNREADABLE or
 * CSYS_STATUS_OUT_OF_MEMORY; on failure image->samples is null. Only built
 * with libpng. */
int32_t cedge_decodePng(FILE* file, cedge_decodedImage* image);

#ifdef __cplusplus
}
#endif

#endif
