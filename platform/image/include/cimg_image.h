/* Image library (stand-in): images of 32-bit values and of doubles, and a
 * window over an image. Pixels are held through the runtime's memory
 * functions. */
#ifndef CIMG_IMAGE_H
#define CIMG_IMAGE_H

#include <stdint.h>

#include "platform_export.h"

#if defined(CIMG_BUILDING)
#  define CIMG_API PLATFORM_EXPORT
#else
#  define CIMG_API PLATFORM_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Values of the common `kind` field. CIMG_KIND_NONE marks a zero-filled or
 * destroyed record: every function takes it for an unbound image of the kind
 * it expects, and it may be destroyed again. */
#define CIMG_KIND_NONE 0u
#define CIMG_KIND_IMAGE32 0x32474D49u /* "IMG2" */
#define CIMG_KIND_IMAGED 0x44474D49u  /* "IMGD" */

/* Both image records are 64 bytes, with a common header so that
 * cimg_image_destruct can take either kind. */
typedef struct cimg_image32 {
    uint32_t kind;         /* which image record this is */
    int32_t width;         /* pixels per row; 0 when unbound */
    int32_t height;        /* rows; 0 when unbound */
    int32_t rowStride;     /* pixels from one row to the next */
    uint32_t* pixels;      /* width*height values, row after row, or null */
    void* reserved[5];
} cimg_image32;

typedef struct cimg_imageD {
    uint32_t kind;
    int32_t width;
    int32_t height;
    int32_t rowStride;
    double* pixels;
    void* reserved[5];
} cimg_imageD;

/* A view of an image of 32-bit values: its width and first pixel. */
typedef struct cimg_window {
    int32_t width;
    int32_t height;
    int32_t rowStride;
    int32_t reserved;
    uint32_t* firstPixel;
} cimg_window;

CIMG_API int32_t cimg_image32_constructUnbound(cimg_image32* image);
CIMG_API int32_t cimg_imageD_constructUnbound(cimg_imageD* image);
/* Constructs an image of width x height pixels, all 0. A width or height of
 * 0 gives an unbound image; a negative one is refused. On failure the image
 * is left unbound, so destroying it is harmless. */
CIMG_API int32_t cimg_image32_constructSized(cimg_image32* image, int32_t width, int32_t height);
CIMG_API int32_t cimg_imageD_constructSized(cimg_imageD* image, int32_t width, int32_t height);
/* Drops the pixels; the image stays usable. */
CIMG_API int32_t cimg_image32_assignUnbound(cimg_image32* image);
CIMG_API int32_t cimg_imageD_assignUnbound(cimg_imageD* image);
/* Destroys an image of either kind. */
CIMG_API int32_t cimg_image_destruct(void* image);
CIMG_API int32_t cimg_window_init(cimg_window* window, const cimg_image32* image);

/* The pixel at column x of row y, or null outside the image. */
CIMG_API uint32_t* cimg_image32_pixelAt(cimg_image32* image, int32_t x, int32_t y);
CIMG_API const uint32_t* cimg_image32_pixelAtConst(const cimg_image32* image, int32_t x, int32_t y);
CIMG_API double* cimg_imageD_pixelAt(cimg_imageD* image, int32_t x, int32_t y);
CIMG_API const double* cimg_imageD_pixelAtConst(const cimg_imageD* image, int32_t x, int32_t y);

#ifdef __cplusplus
}
#endif

#endif
