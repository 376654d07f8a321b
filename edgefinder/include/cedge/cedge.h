/** @file
 * Edge finder: projects the gray values inside a rotated rectangle (the
 * caliper) of an 8- or 16-bit image onto its long axis, differentiates the
 * profile with a Gaussian derivative and reports the edges, with sub-pixel
 * positions and signed contrasts, as the caliper result set the scoring
 * module reads (cclp_runScore).
 *
 * @verbatim
 * Conventions
 *   Pixels     pixel (column i, row j) has its centre at (x, y) = (i, j):
 *              x grows to the right, y grows downward; the image covers
 *              0 <= x <= width - 1, 0 <= y <= height - 1 for sampling.
 *   Angle      degrees; the search direction is (cos a, sin a), so 0 runs
 *              to the right and 90 downward (clockwise on screen, because
 *              y runs down). The across direction is (-sin a, cos a).
 *   Samples    at every integer distance k from the centre with
 *              |k| <= length / 2 along the search direction (both end points
 *              included when length / 2 is whole: length 500 gives 501
 *              samples from -250 to 250), and at every integer distance m
 *              with |m| <= thickness / 2 across it (thickness 0: one line).
 *              Each sample is bilinearly interpolated; the profile value at
 *              k is the mean over m.
 *   Positions  of edges, in pixels along the search direction relative to
 *              the caliper's centre, ascending.
 *   Contrast   the Gaussian-derivative filter's value at the edge, in gray
 *              levels per pixel: positive where the profile goes from dark
 *              to light along the search direction, negative from light to
 *              dark.
 *
 *               across (-sin a, cos a)
 *                 ^
 *      +----------|----------+
 *      |          |          |     k = -length/2 ... 0 ... +length/2
 *      |  -  -  - c  -  -  - |---> search direction (cos a, sin a)
 *      |                     |
 *      +---------------------+
 * @endverbatim
 *
 * Every function returns 0 or a negative status (cedge_status.h); on failure
 * its outputs are left as they were. */
#ifndef CEDGE_H
#define CEDGE_H

#include <stddef.h>
#include <stdint.h>

#include "cclp_caliper.h"
#include "cedge_export.h"
#include "cedge_status.h"

#ifdef __cplusplus
extern "C" {
#endif

/** A caller's gray image, read in place (no copy). */
typedef struct cedge_image {
    const void* pixels;     /**< first byte of the top row */
    size_t bufferBytes;     /**< bytes readable from pixels: at least
                                 (height - 1) * strideBytes + width * bytes per pixel */
    int32_t width;          /**< pixels per row, > 0 */
    int32_t height;         /**< rows, > 0 */
    int32_t strideBytes;    /**< from one row to the next, >= width * bytes per pixel */
    int32_t bitsPerPixel;   /**< 8 or 16 (native byte order, any alignment) */
} cedge_image;

/** The caliper: a rotated rectangle of the image (see the conventions above). */
typedef struct cedge_caliper {
    double centerX;   /**< pixels, x to the right */
    double centerY;   /**< pixels, y downward */
    double angle;     /**< degrees; the search direction */
    double length;    /**< pixels along the search direction, 2 to 1048576 */
    double thickness; /**< pixels across it, 0 to 65536 */
} cedge_caliper;

/** Which edges the edge finder reports, by the sign of their contrast, named
 * as the scoring module names a desired edge's polarity (cclp_polarityPositive,
 * ...): positive is dark to light along the search direction. The
 * DarkToLight/LightToDark names are the same values. */
typedef enum cedge_polarity {
    cedge_polarityAny = 0,      /**< every edge */
    cedge_polarityPositive = 1, /**< positive contrast only (dark to light) */
    cedge_polarityNegative = 2, /**< negative contrast only (light to dark) */
    cedge_polarityDarkToLight = cedge_polarityPositive, /**< cedge_polarityPositive by its older name */
    cedge_polarityLightToDark = cedge_polarityNegative  /**< cedge_polarityNegative by its older name */
} cedge_polarity;

/** flags: instead of failing with CEDGE_STATUS_OUTSIDE_IMAGE, project only the
 * slices (one per profile sample) that lie wholly inside the image; the
 * profile's validFirst and validCount say which. */
#define CEDGE_CLIP_TO_IMAGE 1u

/** The smallest sigma, in pixels. */
#define CEDGE_SIGMA_MIN 0.4
/** The largest sigma, in pixels. */
#define CEDGE_SIGMA_MAX 100.0
/** The shortest caliper, in pixels. */
#define CEDGE_LENGTH_MIN 2.0
/** The longest caliper, in pixels. */
#define CEDGE_LENGTH_MAX 1048576.0
/** The thickest caliper, in pixels. */
#define CEDGE_THICKNESS_MAX 65536.0

/** How the edge finder filters and reports edges. */
typedef struct cedge_params {
    double sigma;        /**< Gaussian smoothing scale in pixels, CEDGE_SIGMA_MIN to _MAX */
    double minContrast;  /**< smallest |contrast| reported, gray levels per pixel, >= 0 */
    int32_t polarity;    /**< a cedge_polarity */
    uint32_t flags;      /**< 0 or CEDGE_CLIP_TO_IMAGE */
    uint32_t formats;    /**< CCLP_FORMAT_DOUBLE and/or CCLP_FORMAT_FIXED: the
                              edge arrays written to the result set */
} cedge_params;

/** Default parameters: sigma 1, minimum contrast 5, any polarity, no clipping, double edges. */
CEDGE_API int32_t cedge_params_init(cedge_params* params);

/** The projection and its derivative, for plots. values[i] and
 * derivative[i] belong to the position firstPosition + i; only the
 * samples validFirst to validFirst + validCount - 1 were projected (all of
 * them unless clipped); the others are 0. */
typedef struct cedge_profile {
    int32_t count;        /**< samples */
    int32_t validFirst;   /**< the first projected sample */
    int32_t validCount;   /**< projected samples from validFirst on */
    int32_t reserved;     /**< reserved */
    double firstPosition; /**< -floor(length / 2) */
    double* values;       /**< count gray levels, owned */
    double* derivative;   /**< count gray levels per pixel, owned (null after
                               cedge_project alone) */
} cedge_profile;

/** An empty profile; cannot fail. */
CEDGE_API int32_t cedge_profile_construct(cedge_profile* profile);
/** Frees what profile owns. */
CEDGE_API int32_t cedge_profile_destruct(cedge_profile* profile);

/** Checks the image and caliper and projects the caliper's samples into the
 * profile's values (flags: 0 or CEDGE_CLIP_TO_IMAGE). */
CEDGE_API int32_t cedge_project(const cedge_image* image, const cedge_caliper* caliper,
                                uint32_t flags, cedge_profile* profile);

/** Projects, filters and finds the edges: replaces the edge arrays of a
 * constructed result set with new ones allocated through the runtime (so
 * that cclp_resultSet_destruct frees them), in the formats asked for
 * (fixed point rounded as the scoring module rounds). profile may be null;
 * otherwise it receives the projection and its derivative. */
CEDGE_API int32_t cedge_findEdges(const cedge_image* image, const cedge_caliper* caliper,
                                  const cedge_params* params, cclp_resultSet* edges,
                                  cedge_profile* profile);

/** A point in the image, in pixels (pixel centres at integers). */
typedef struct cedge_point {
    double x; /**< to the right */
    double y; /**< downwards */
} cedge_point;

/** The image point at a position along a caliper's search direction (an
 * edge's position, or a scored pair's centre): centre + position * (cos a,
 * sin a), with the direction exact at multiples of 90 degrees as the
 * samples are. */
CEDGE_API int32_t cedge_caliperPoint(const cedge_caliper* caliper, double position,
                                     cedge_point* point);

/** The image points of a result set's edges, in their order: its double
 * edges, or its 1/256 fixed-point edges when it holds only those. points
 * must hold numEdges (capacity, CEDGE_STATUS_CAPACITY_TOO_SMALL otherwise);
 * an empty set writes nothing. */
CEDGE_API int32_t cedge_edgePoints(const cedge_caliper* caliper, const cclp_resultSet* edges,
                                   cedge_point* points, int32_t capacity);

/** An image read from a file, owned: 8-bit, or 16-bit when the file holds
 * more than 8 bits a sample. Colour is turned into gray by the luma weights
 * 0.299 R + 0.587 G + 0.114 B (rounded); alpha is dropped. */
typedef struct cedge_ownedImage {
    cedge_image view; /**< its pixels belong to this record */
} cedge_ownedImage;

/** An empty image; cannot fail. */
CEDGE_API int32_t cedge_ownedImage_construct(cedge_ownedImage* image);
/** Frees the pixels image owns. */
CEDGE_API int32_t cedge_ownedImage_destruct(cedge_ownedImage* image);

/** The widest and the tallest image cedge_readImageFile accepts, in pixels. */
#define CEDGE_IMAGE_SIDE_MAX 65536u
/** The most bytes of decoded samples (width x height x channels x 1 or 2
 * bytes) it accepts: 256 MiB, such as 16384 x 16384 8-bit gray or
 * 8192 x 5461 16-bit colour. */
#define CEDGE_IMAGE_BYTES_MAX 268435456u
/** The longest file it reads: the samples of the largest image and 16 MiB
 * for headers, other chunks and the compression's overhead. */
#define CEDGE_IMAGE_FILE_BYTES_MAX (CEDGE_IMAGE_BYTES_MAX + 16777216u)

/** Reads a PNG (when built with libpng) or a binary PGM/PPM (P5/P6) file,
 * told apart by their first bytes, not by the name. Pipes and other streams
 * are read once from their start, never rewound; a FIFO without a writer
 * reads as empty. Images beyond the limits above, and files that declare
 * more than they hold, are refused before their samples are allocated. */
CEDGE_API int32_t cedge_readImageFile(const char* path, cedge_ownedImage* image);

/** Nonzero when cedge_readImageFile reads PNG files in this build. */
CEDGE_API int32_t cedge_readsPng(void);

#ifdef __cplusplus
}
#endif

#endif
