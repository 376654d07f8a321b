/* PNG files through libpng, from memory. In C, because libpng reports errors
 * by longjmp, which must not cross C++ frames. */
#include <png.h>
#include <stdlib.h>
#include <string.h>

#include "cedge/cedge_status.h"
#include "decoded_image.h"

/* Volatile: read after the longjmp back into the function that set it. */
typedef struct pngRead {
    png_structp png;
    png_infop info;
    png_bytep* volatile rows;
    void* volatile samples;
} pngRead;

typedef struct memoryInput {
    const unsigned char* data;
    size_t size;
    size_t position;
} memoryInput;

/* Ancillary chunks that slip past the discarding below (the palette's
 * transparency) may be no longer than this; pixel data are limited by the
 * image's size instead. */
#define ANCILLARY_CHUNK_BYTES_MAX 65536u
#define ANCILLARY_CHUNKS_MAX 128u

/* Deflate codes at most 258 bytes in two bits. */
#define DEFLATE_RATIO_MAX 1032u

/* Failures come back as statuses, without libpng's messages on stderr. */
static void failQuietly(png_structp png, png_const_charp message) {
    (void)message;
    png_longjmp(png, 1);
}

static void ignoreWarning(png_structp png, png_const_charp message) {
    (void)png;
    (void)message;
}

static void readFromMemory(png_structp png, png_bytep out, size_t count) {
    memoryInput* input = (memoryInput*)png_get_io_ptr(png);
    if (count > input->size - input->position) png_error(png, "file ends inside a chunk");
    memcpy(out, input->data + input->position, count);
    input->position += count;
}

static void releaseRead(pngRead* read) {
    free(read->rows);
    free(read->samples);
    png_destroy_read_struct(&read->png, &read->info, NULL);
}

/* Text, colour profiles and every other ancillary chunk are skipped unread:
 * the gray levels need none of them, and a chunk that declares more bytes
 * than the file holds is then a truncated file, not an allocation. */
static void limitWhatIsRead(png_structp png) {
    png_set_user_limits(png, CEDGE_IMAGE_SIDE_MAX, CEDGE_IMAGE_SIDE_MAX);
    png_set_chunk_malloc_max(png, ANCILLARY_CHUNK_BYTES_MAX);
    png_set_chunk_cache_max(png, ANCILLARY_CHUNKS_MAX);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, NULL, -1);
}

/* Palette, low bit depths and transparency become 8-bit gray or RGB without
 * alpha; 16-bit samples come out in the machine's byte order. */
static void requestPlainSamples(png_structp png, png_infop info) {
    const png_byte colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    png_set_strip_alpha(png);
    if (png_get_bit_depth(png, info) == 16) {
        const unsigned probe = 1;
        if (*(const unsigned char*)&probe == 1) png_set_swap(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

/* Whether the rest of the file, read up to the first pixel data, could
 * inflate to the pixels that the header declares: a file cut short is
 * refused before they are allocated. */
static int mayHoldPixels(png_structp png, png_infop info, const memoryInput* input) {
    const uint64_t pixelBits = (uint64_t)png_get_image_width(png, info) *
                               png_get_image_height(png, info) * png_get_bit_depth(png, info) *
                               png_get_channels(png, info);
    return (uint64_t)(input->size - input->position) * DEFLATE_RATIO_MAX >= pixelBits / 8;
}

static int plainAndAccepted(png_structp png, png_infop info) {
    const png_byte channels = png_get_channels(png, info);
    const png_byte bitDepth = png_get_bit_depth(png, info);
    return (channels == 1 || channels == 3) && (bitDepth == 8 || bitDepth == 16) &&
           cedge_imageSizeAccepted(png_get_image_width(png, info), png_get_image_height(png, info),
                                   channels, bitDepth);
}

int32_t cedge_decodePng(const unsigned char* data, size_t size, cedge_decodedImage* image) {
    pngRead read = {NULL, NULL, NULL, NULL};
    memoryInput input = {data, size, 0};
    png_uint_32 height, row;
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
    limitWhatIsRead(read.png);
    png_set_read_fn(read.png, &input, readFromMemory);
    png_read_info(read.png, read.info);
    if (!mayHoldPixels(read.png, read.info, &input)) {
        releaseRead(&read);
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    requestPlainSamples(read.png, read.info);
    if (!plainAndAccepted(read.png, read.info)) {
        releaseRead(&read);
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    height = png_get_image_height(read.png, read.info);
    rowBytes = png_get_rowbytes(read.png, read.info);
    read.samples = malloc(rowBytes * height);
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
    image->width = png_get_image_width(read.png, read.info);
    image->height = height;
    image->channels = png_get_channels(read.png, read.info);
    image->bitDepth = png_get_bit_depth(read.png, read.info);
    image->samples = read.samples;
    read.samples = NULL;
    releaseRead(&read);
    return CEDGE_STATUS_OK;
}
