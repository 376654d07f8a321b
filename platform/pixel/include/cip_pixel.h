/* Pixel library (stand-in): whole-image pixel copies. */
#ifndef CIP_PIXEL_H
#define CIP_PIXEL_H

#include <stdint.h>

#include "platform_export.h"
#include "cimg_image.h"

#if defined(CIP_BUILDING)
#  define CIP_API PLATFORM_EXPORT
#else
#  define CIP_API PLATFORM_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Makes the destination an independent copy of the whole source: its size
 * and its pixels. Copying an image onto itself does nothing. On failure the
 * destination is left as it was. Both images must be constructed or
 * zero-filled. */
CIP_API int32_t cip_pelAssignCopyEntire32(const cimg_image32* source, cimg_image32* destination);
CIP_API int32_t cip_pelAssignCopyEntireD(const cimg_imageD* source, cimg_imageD* destination);

#ifdef __cplusplus
}
#endif

#endif
