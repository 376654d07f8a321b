// The edge finder's projection and search under random images and random
// geometry: images in blocks of exactly the bytes they claim (so that any
// read past them is caught), calipers anywhere, of any size, at any angle,
// clipped or not, a memory request failing. Checks what a caller relies on:
// a status from the list, a valid part inside the profile, finite values
// within the pixels' range, edges ascending inside the valid part; on a
// failure no edges and the profile as it was; nothing leaked.
#include <algorithm>
#include <memory>

#include "cedge/cedge.h"
#include "fuzz_support.hpp"

namespace {

using cclp::fuzz::readDouble;
using cclp::fuzz::readNear;

void checkProfile(const cedge_profile& profile, double maxGray) {
    FUZZ_CHECK(profile.count > 0 && profile.validCount > 0 && profile.validFirst >= 0);
    FUZZ_CHECK(profile.validFirst + profile.validCount <= profile.count);
    for (int32_t i = profile.validFirst; i < profile.validFirst + profile.validCount; ++i) {
        FUZZ_CHECK(profile.values[i] >= -1e-9 && profile.values[i] <= maxGray + 1e-9);
    }
}

// Double edges inside the valid part, ascending, with a contrast; their
// fixed-point twins ascending too.
void checkEdges(const cclp_resultSet& edges, const cedge_profile& profile) {
    const double low = profile.firstPosition + profile.validFirst;
    const double high = low + profile.validCount - 1;
    FUZZ_CHECK(((edges.formats & CCLP_FORMAT_DOUBLE) != 0) == (edges.edges != nullptr));
    FUZZ_CHECK(((edges.formats & CCLP_FORMAT_FIXED) != 0) == (edges.edgesFixed != nullptr));
    for (int32_t i = 0; i < edges.numEdges; ++i) {
        if (edges.edges != nullptr) {
            const cclp_edge& edge = edges.edges[i];
            FUZZ_CHECK(std::isfinite(edge.contrast) && edge.contrast != 0.0);
            FUZZ_CHECK(edge.position >= low && edge.position <= high);
            if (i > 0) FUZZ_CHECK(edges.edges[i - 1].position <= edge.position);
        }
        if (edges.edgesFixed != nullptr && i > 0) {
            FUZZ_CHECK(edges.edgesFixed[i - 1].position <= edges.edgesFixed[i].position);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int64_t blocksBefore = csys_testing_liveBlocks();
    const int32_t bits = in.ConsumeBool() ? 8 : 16;
    const int32_t width = in.ConsumeIntegralInRange<int32_t>(1, 64);
    const int32_t height = in.ConsumeIntegralInRange<int32_t>(1, 64);
    const int32_t stride = width * (bits / 8) + in.ConsumeIntegralInRange<int32_t>(0, 5);
    const std::size_t bytes = static_cast<std::size_t>((height - 1) * stride + width * (bits / 8));
    // Exactly the bytes the image needs, filled from the input.
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[bytes]);
    for (std::size_t i = 0; i < bytes; ++i) pixels[i] = in.ConsumeIntegral<unsigned char>();
    const cedge_image image{pixels.get(), bytes, width, height, stride, bits};

    // Mostly near a small image, sometimes anywhere.
    const cedge_caliper caliper{readNear(in, -8.0, 72.0), readNear(in, -8.0, 72.0), readDouble(in),
                                readNear(in, 0.0, 90.0), readNear(in, 0.0, 90.0)};
    cedge_params params;
    cedge_params_init(&params);
    params.sigma = in.ConsumeBool() ? in.ConsumeFloatingPointInRange<double>(0.3, 6.0) : readDouble(in);
    params.minContrast = in.ConsumeFloatingPointInRange<double>(0.0, 50.0);
    params.polarity = in.ConsumeIntegralInRange<int32_t>(0, 2);
    params.flags = in.ConsumeBool() ? CEDGE_CLIP_TO_IMAGE : 0u;
    params.formats = in.ConsumeIntegralInRange<uint32_t>(1, 3);
    const double maxGray = bits == 8 ? 255.0 : 65535.0;

    cedge_profile profile;
    cedge_profile_construct(&profile);
    int32_t status = cedge_project(&image, &caliper, params.flags, &profile);
    FUZZ_CHECK_STATUS(status, CEDGE_STATUS_OK, CEDGE_STATUS_CENTER_NOT_VALID,
                      CEDGE_STATUS_ANGLE_NOT_VALID, CEDGE_STATUS_LENGTH_NOT_VALID,
                      CEDGE_STATUS_THICKNESS_NOT_VALID, CEDGE_STATUS_OUTSIDE_IMAGE);
    if (status == CEDGE_STATUS_OK) checkProfile(profile, maxGray);

    cclp_resultSet edges;
    FUZZ_CHECK(cclp_resultSet_construct(&edges) == 0);
    // A failed memory request, when injected, fails the search and leaves
    // the profile as the projection left it.
    const cclp::fuzz::Injection injection = cclp::fuzz::Injection::read(in);
    const cclp::fuzz::Bytes profileBefore = cclp::fuzz::bytesOf(&profile);
    {
        const cclp::fuzz::Armed armed(injection);
        status = cedge_findEdges(&image, &caliper, &params, &edges, &profile);
    }
    if (status == CSYS_STATUS_OUT_OF_MEMORY) FUZZ_CHECK(injection.allocation());
    if (status == CEDGE_STATUS_OK) {
        checkProfile(profile, maxGray);
        checkEdges(edges, profile);
    } else {
        FUZZ_CHECK(edges.numEdges == 0 && edges.edges == nullptr && edges.edgesFixed == nullptr);
        FUZZ_CHECK(cclp::fuzz::bytesOf(&profile) == profileBefore);
    }
    cclp_resultSet_destruct(&edges);
    cedge_profile_destruct(&profile);
    FUZZ_CHECK(csys_testing_liveBlocks() == blocksBefore);
    return 0;
}
