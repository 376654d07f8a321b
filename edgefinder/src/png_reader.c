/* PNG files through libpng. In C, because libpng reports errors by longjmp,
 * which must not cross C++ frames. */
#include <png.h>
#include <stdlib.h>

#include "cedge/cedge_status.h"
#include "decoded_image.h"

/* Volatile: read after the longjmp back into the function that set it. */
typedef struct pngRead {
    png_structp png;
    png_infop info;
    png_bytep* volatile rows;
    void* volatile samples;
} pngRead;

/* Failures come back as statuses, without libpng's messages on stderr. */
static void failQuietly(png_structp png, png_const_charp message) {
    (void)message;
    png_longjmp(png, 1);
}

static void ignoreWarning(png_structp png, png_const_charp message) {
    (void)png;
    (void)message;
}

static void releaseRead(pngRead* read) {
    free(read->rows);
    free(read->samples);
    png_destroy_read_struct(&read->png, &read->info, NULL);
}

/* Palette, low bit depths and transparency become 8-bit gray or RGB without
 * alpha; 16-bit samples come out in the machine's byte order. */
static void requestPlainSamples(png_structp png, png_infop info) {
    const png_byte colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if ((colorType & PNG_COLOR_MASK_ALPHA) != 0) png_set_strip_alpha(png);
    if (png_get_bit_depth(png, info) == 16) {
        const unsigned probe = 1;
        if (*(const unsigned char*)&probe == 1) png_set_swap(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

int32_t cedge_decodePng(FILE* file, cedge_decodedImage* image) {
    pngRead read = {NULL, NULL, NULL, NULL};
    png_uint_32 width, height, row;
    size_t rowBytes;
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, failQuietly, ignoreWarning);
    if (read.png == NULL) return CSYS_STATUS_OUT_OF_MEMORY;
    read.info = png_create_info_struct(read.png);
    if (read.info == NULL) {
        releaseRead(&read);
        return CSYS_STATUS_OUT_OF_MEMORY;
    }
    if (setjmp(png_jmpbuf(read.png))) {
        releaseRead(&read);
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    png_set_user_limits(read.png, CEDGE_MAX_IMAGE_SIDE, CEDGE_MAX_IMAGE_SIDE);
    png_init_io(read.png, file);
    png_read_info(read.png, read.info);
    requestPlainSamples(read.png, read.info);
    width = png_get_image_width(read.png, read.info);
    height = png_get_image_height(read.png, read.info);
    if ((uint64_t)width * height > CEDGE_MAX_IMAGE_PIXELS) {
        releaseRead(&read);
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    rowBytes = png_get_rowbytes(read.png, read.info);
    read.samples = malloc(rowBytes * height + 1);
    read.rows = (png_bytep*)malloc(sizeof(png_bytep) * height);
    if (read.samples == NULL || read.rows == NULL) {
        releaseRead(&read);
        return CSYS_STATUS_OUT_OF_MEMORY;
    }
    for (row = 0; row < height; ++row) {
        read.rows[row] = (png_bytep)read.samples + (size_t)row * rowBytes;
    }
    png_read_image(read.png, read.rows);
    png_read_end(read.png, NULL);
    image->width = width;
    image->height = height;
    image->channels = png_get_channels(read.png, read.info);
    image->bitDepth = png_get_bit_depth(read.png, read.info);
    image->samples = read.samples;
    read.samples = NULL;
    releaseRead(&read);
    return CEDGE_STATUS_OK;
}
