/** @file
 * Status codes of the edge finder. 0 is success, every failure negative.
 * The runtime library's codes (CSYS_STATUS_NULL_ARGUMENT for a null pointer,
 * CSYS_STATUS_OUT_OF_MEMORY) pass through unchanged. */
#ifndef CEDGE_STATUS_H
#define CEDGE_STATUS_H

#include <stdint.h>

#include "csys_runtime.h"

/** The edge finder's own status codes, one row each: X(name, bits, meaning)
 * makes the constant name of enum cedge_statusCode, which cedge_statusName()
 * names and cedge_statusMeaning() explains by meaning. */
#define CEDGE_STATUS_TABLE(X)                                                                    \
    X(CEDGE_STATUS_IMAGE_SIZE_NOT_VALID, 0x80000F01u, "image width or height not positive")     \
    X(CEDGE_STATUS_PIXEL_DEPTH_NOT_VALID, 0x80000F02u, "bits per pixel neither 8 nor 16")       \
    X(CEDGE_STATUS_STRIDE_TOO_SMALL, 0x80000F03u, "row stride smaller than a row of pixels")    \
    X(CEDGE_STATUS_BUFFER_TOO_SMALL, 0x80000F04u, "pixel buffer smaller than the image needs")  \
    X(CEDGE_STATUS_CENTER_NOT_VALID, 0x80000F05u, "caliper centre not finite")                  \
    X(CEDGE_STATUS_ANGLE_NOT_VALID, 0x80000F06u, "caliper angle not finite")                    \
    X(CEDGE_STATUS_LENGTH_NOT_VALID, 0x80000F07u,                                                \
      "caliper length not finite, below 2 or above 1048576 pixels")                            \
    X(CEDGE_STATUS_THICKNESS_NOT_VALID, 0x80000F08u,                                             \
      "caliper thickness not finite, negative or above 65536 pixels")                          \
    X(CEDGE_STATUS_OUTSIDE_IMAGE, 0x80000F09u, "caliper reaches outside the image")             \
    X(CEDGE_STATUS_SIGMA_NOT_VALID, 0x80000F0Au, "sigma not finite or outside [0.4, 100]")      \
    X(CEDGE_STATUS_MIN_CONTRAST_NOT_VALID, 0x80000F0Bu, "minimum contrast negative or not finite") \
    X(CEDGE_STATUS_POLARITY_NOT_VALID, 0x80000F0Cu, "polarity filter not a cedge_polarity")     \
    X(CEDGE_STATUS_FLAGS_NOT_VALID, 0x80000F0Du, "unknown option flags")                        \
    X(CEDGE_STATUS_FORMATS_NOT_VALID, 0x80000F0Eu,                                               \
      "formats neither CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED nor both")                         \
    X(CEDGE_STATUS_FILE_UNREADABLE, 0x80000F0Fu, "file cannot be opened or read")               \
    X(CEDGE_STATUS_FILE_NOT_IMAGE, 0x80000F10u, "file is not a readable PNG, PGM or PPM image") \
    X(CEDGE_STATUS_FILE_FORMAT_UNSUPPORTED, 0x80000F11u,                                         \
      "image format not built into this library (PNG without libpng)")                         \
    X(CEDGE_STATUS_POSITION_NOT_VALID, 0x80000F12u, "position along the caliper not finite")    \
    X(CEDGE_STATUS_CAPACITY_TOO_SMALL, 0x80000F13u, "output array smaller than the edges it must hold")

/** Success. */
#define CEDGE_STATUS_OK 0
#define CEDGE_STATUS_DEFINE_(name, bits, meaning) name = CSYS_STATUS_FROM_BITS(bits),
/** The edge finder's status codes, one per row of CEDGE_STATUS_TABLE.
 * Enumerators are int; every code fits, and they stay constant expressions. */
enum cedge_statusCode { CEDGE_STATUS_TABLE(CEDGE_STATUS_DEFINE_) CEDGE_STATUS_END_ = 0 };
#undef CEDGE_STATUS_DEFINE_

/** The name of an edge finder or runtime code ("CEDGE_STATUS_OK" for 0), or
 * null for any other code. */
static inline const char* cedge_statusName(int32_t status) {
    if (status == CEDGE_STATUS_OK) return "CEDGE_STATUS_OK";
#define CEDGE_STATUS_NAME_(name, bits, meaning) \
    if (status == (name)) return #name;
    CEDGE_STATUS_TABLE(CEDGE_STATUS_NAME_)
#undef CEDGE_STATUS_NAME_
    return csys_statusName(status);
}

/** What an edge finder or runtime code means, or null for any other code. */
static inline const char* cedge_statusMeaning(int32_t status) {
    if (status == CEDGE_STATUS_OK) return "success";
#define CEDGE_STATUS_MEANING_(name, bits, meaning) \
    if (status == (name)) return meaning;
    CEDGE_STATUS_TABLE(CEDGE_STATUS_MEANING_)
#undef CEDGE_STATUS_MEANING_
    return csys_statusMeaning(status);
}

#endif
