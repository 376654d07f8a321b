// Conversions between the caliper's result set and the extended one, and the
// extended set's assignment and copy construction, over records decoded from
// arbitrary bytes (edge counts with or without arrays, any formats and scale
// fields, images of any small size) into destinations that may already hold
// results, with an injected allocation failure. Checked:
// - the status is 0, or the injected out-of-memory status;
// - the source is unchanged, and nothing leaks;
// - a success carries everything across: counts, formats, edges (extras 0
//   on the way to the extended form), vectors, scale fields, and pixels
//   that are equal but not shared; the projection is never rescaled;
// - converting to the extended form and back gives the original again;
// - a failure leaves a destination that claims no edges and is destroyed
//   without leaks; a failed copy construction leaves nothing to destroy.
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "cclp_caliper.h"
#include "cclp_score/cclp_result_set_ex.h"
#include "fuzz/fuzz_support.hpp"

namespace {

using cclp::fuzz::append;
using cclp::fuzz::Bytes;
using cclp::fuzz::bytesOf;
using cclp::fuzz::copiedArrayMatches;
using cclp::fuzz::Injection;

template <class Image>
void readImage(FuzzedDataProvider& in, Image& image) {
    const int32_t width = in.ConsumeIntegralInRange<int32_t>(0, 6);
    const int32_t height = in.ConsumeIntegralInRange<int32_t>(0, 3);
    FUZZ_CHECK(cimg_image_destruct(&image) == 0);
    int32_t status;
    if constexpr (std::is_same_v<Image, cimg_image32>) {
        status = cimg_image32_constructSized(&image, width, height);
    } else {
        status = cimg_imageD_constructSized(&image, width, height);
    }
    FUZZ_CHECK(status == 0);
    if (image.pixels == nullptr) return;
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            if constexpr (std::is_same_v<Image, cimg_image32>) {
                image.pixels[y * image.rowStride + x] = in.ConsumeIntegral<uint32_t>();
            } else {
                image.pixels[y * image.rowStride + x] = cclp::fuzz::readDouble(in);
            }
        }
    }
}

template <class Image>
Bytes pixelsOf(const Image& image) {
    Bytes bytes = bytesOf(&image.width);
    append(bytes, {bytesOf(&image.height)});
    if (image.pixels == nullptr) return bytes;
    for (int32_t y = 0; y < image.height; ++y) {
        append(bytes, {bytesOf(image.pixels + y * image.rowStride, image.width)});
    }
    return bytes;
}

// Fills a constructed set of either form from the bytes. An edge array is
// present with exactly numEdges records, or missing with any count.
template <class Set>
void readSet(FuzzedDataProvider& in, Set& set) {
    using Edge = std::remove_pointer_t<decltype(set.edges)>;
    using EdgeFixed = std::remove_pointer_t<decltype(set.edgesFixed)>;
    const int32_t count = in.ConsumeIntegralInRange<int32_t>(0, 12);
    const bool withDouble = in.ConsumeBool();
    const bool withFixed = in.ConsumeBool();
    if (withDouble || withFixed) {
        set.numEdges = in.ConsumeIntegralInRange<int>(0, 7) == 0 ? -count : count;
    } else {
        set.numEdges = cclp::fuzz::readInt(in, -2, 12);
    }
    if (withDouble) {
        set.edges = cclp::fuzz::allocateZeroed<Edge>(count);
        for (int32_t i = 0; i < count; ++i) cclp::fuzz::readEdge(in, set.edges[i]);
    }
    if (withFixed) {
        set.edgesFixed = cclp::fuzz::allocateZeroed<EdgeFixed>(count);
        for (int32_t i = 0; i < count; ++i) cclp::fuzz::readEdge(in, set.edgesFixed[i]);
    }
    set.formats = static_cast<uint32_t>(cclp::fuzz::readInt(in, 0, 3));
    set.projectionScale = static_cast<uint32_t>(cclp::fuzz::readInt(in, 0, 8));
    set.projectionScaling = static_cast<uint32_t>(cclp::fuzz::readInt(in, 0, 1));
    set.auxValue = in.ConsumeIntegral<uint32_t>();
    set.vect0 = cmath_vect{cclp::fuzz::readDouble(in), 0.0};
    set.vect0.y = cclp::fuzz::readDouble(in);
    set.vect1 = cmath_vect{cclp::fuzz::readDouble(in), 0.0};
    set.vect1.y = cclp::fuzz::readDouble(in);
    readImage(in, set.projectionImage);
    readImage(in, set.doubleImage);
}

// Everything a set holds that a conversion reads, as bytes.
template <class Set>
Bytes describe(const Set& set) {
    Bytes bytes = bytesOf(&set);
    return append(bytes, {bytesOf(set.edges, set.numEdges), bytesOf(set.edgesFixed, set.numEdges),
                          pixelsOf(set.projectionImage), pixelsOf(set.doubleImage)});
}

template <class Image>
bool samePixels(const Image& a, const Image& b) {
    return pixelsOf(a) == pixelsOf(b) && (a.pixels == nullptr || a.pixels != b.pixels);
}

template <class To, class From>
void checkCarriedAcross(const To& to, const From& from) {
    FUZZ_CHECK(to.numEdges == from.numEdges);
    FUZZ_CHECK(to.formats == from.formats);
    FUZZ_CHECK(copiedArrayMatches(to.edges, from.edges, from.numEdges));
    FUZZ_CHECK(copiedArrayMatches(to.edgesFixed, from.edgesFixed, from.numEdges));
    FUZZ_CHECK(to.projectionScale == from.projectionScale);
    FUZZ_CHECK(to.projectionScaling == from.projectionScaling);
    FUZZ_CHECK(to.auxValue == from.auxValue);
    FUZZ_CHECK(bytesOf(&to.vect0) == bytesOf(&from.vect0));
    FUZZ_CHECK(bytesOf(&to.vect1) == bytesOf(&from.vect1));
    FUZZ_CHECK(samePixels(to.projectionImage, from.projectionImage));
    FUZZ_CHECK(samePixels(to.doubleImage, from.doubleImage));
}

template <class Set>
void checkClaimsNothing(const Set& set) {
    FUZZ_CHECK(set.numEdges == 0 && set.formats == 0);
    FUZZ_CHECK(set.projectionScaling == 0 && set.auxValue == 0);
}

using CaliperSet =
    cclp::fuzz::Owned<cclp_resultSet, cclp_resultSet_construct, cclp_resultSet_destruct>;
using ExtendedSet =
    cclp::fuzz::Owned<cclp_resultSetEx, cclp_resultSetEx_construct, cclp_resultSetEx_destruct>;

// One conversion (or assignment) under an injected failure; true on success.
template <class To, class From, class Convert>
bool convert(To& to, const From& from, const Injection& injection, Convert operation) {
    const int32_t status = cclp::fuzz::underInjection(injection, from, describe<From>,
                                                      [&] { return operation(&to, &from); });
    if (status < 0) {
        checkClaimsNothing(to);
        return false;
    }
    checkCarriedAcross(to, from);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    cclp::fuzz::NoLeaks noLeaks;
    CaliperSet source;
    readSet(in, source.value);
    ExtendedSet extended;
    // The destination may already hold another conversion's results.
    if (in.ConsumeBool()) {
        CaliperSet earlier;
        readSet(in, earlier.value);
        FUZZ_CHECK(cclp_resultSetEx_assignToEx(&extended.value, &earlier.value) == 0);
    }
    if (!convert(extended.value, source.value, Injection::read(in), cclp_resultSetEx_assignToEx)) {
        return 0;
    }
    // And back: the caliper's record again.
    CaliperSet back;
    if (in.ConsumeBool()) readSet(in, back.value);
    if (convert(back.value, extended.value, Injection::read(in), cclp_resultSetEx_assignFromEx)) {
        checkCarriedAcross(back.value, source.value);
    }
    // Extended to extended, extras included.
    ExtendedSet copy;
    if (in.ConsumeBool()) readSet(in, copy.value);
    convert(copy.value, extended.value, Injection::read(in), cclp_resultSetEx_assign);
    cclp::fuzz::checkSelfAssignment(extended.value, describe<cclp_resultSetEx>,
                                    cclp_resultSetEx_assign);
    checkCarriedAcross(extended.value, source.value);
    // Copy construction into raw storage.
    cclp::fuzz::checkConstructCopy(
        in, extended.value, describe<cclp_resultSetEx>, cclp_resultSetEx_constructCopy,
        cclp_resultSetEx_destruct, [&](const cclp_resultSetEx& constructed) {
            checkCarriedAcross(constructed, extended.value);
        });
    return 0;
}
