// The line and circle tools under random nominal geometry over random
// images held in blocks of exactly their bytes: segments and circles
// anywhere, of any size, caliper counts and spacings, fit settings, single
// edges or pairs, failed memory requests and interruptions. Checks what a
// caller relies on: a status from the list, the outputs untouched on
// failure, consistent counts and finite numbers on success, a line pointing
// as its segment, no leaks.
#include <memory>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "cgeom/cgeom.h"
#include "fuzz_support.hpp"

namespace {

using namespace cclp::fuzz;

// Work a call may take, in samples: inputs beyond it are only counted.
constexpr double kMaxSamples = 4e5;

void read(FuzzedDataProvider& in, cgeom_calipers& calipers, cgeom_fitParams& fit) {
    calipers = cgeom_calipers{readInt(in, 0, 40), in.ConsumeIntegralInRange<uint32_t>(0, 2),
                              readNear(in, 0.0, 20.0), readNear(in, 0.0, 40.0), readNear(in, 0.0, 8.0)};
    fit = cgeom_fitParams{in.ConsumeIntegralInRange<int32_t>(-1, 3), readInt(in, 0, 101), readNear(in, 0.0, 4.0)};
}

// Single edges near the centre, or pairs of an expected width.
void readScoring(FuzzedDataProvider& in, cclp_scoreParams& params) {
    cclp_scoreOneSided function;
    const double ramp = in.ConsumeFloatingPointInRange<double>(0.5, 20.0);
    cclp_scoreOneSided_initValues(&function, 0.0, ramp, 30.0, 1.0, 0.0);
    cclp_score method;
    const bool pairs = in.ConsumeBool();
    cclp_score_initScoreMethodOneSided(&method, pairs ? cclp_scoreMethodSizeDiff : cclp_scoreMethodPosAbs,
                                       &function);
    const double width = in.ConsumeFloatingPointInRange<double>(1.0, 20.0);
    const cclp_desiredEdge edges[2] = {{-width / 2.0, in.ConsumeIntegralInRange<int32_t>(1, 3)},
                                       {width / 2.0, in.ConsumeIntegralInRange<int32_t>(1, 3)}};
    cclp_scoreParams_setDesiredEdges(&params, pairs ? 2 : 1, edges);
    cclp_scoreParams_setScoreMethods(&params, 1, &method);
    cclp_scoreParams_setMaxNumResults(&params, in.ConsumeIntegralInRange<int32_t>(1, 4));
}

void checkSummary(const cgeom_fitSummary& fit, const std::vector<cgeom_caliperResult>& results) {
    FUZZ_CHECK(fit.numCalipers == static_cast<int32_t>(results.size()));
    FUZZ_CHECK(fit.numFound + fit.numMissing == fit.numCalipers);
    FUZZ_CHECK(fit.numUsed <= fit.numFound && std::isfinite(fit.rms) && fit.rms >= 0.0);
    int32_t used = 0;
    for (const cgeom_caliperResult& result : results) {
        FUZZ_CHECK(result.status == 0 || result.status == CEDGE_STATUS_OUTSIDE_IMAGE);
        FUZZ_CHECK(result.found == 0 ? result.used == 0 && result.numEdges == 0 : result.status == 0);
        FUZZ_CHECK(std::isfinite(result.point.x) && std::isfinite(result.point.y));
        FUZZ_CHECK(result.weight >= 0.0 && result.weight <= 1.0 && std::isfinite(result.residual));
        used += result.used;
    }
    FUZZ_CHECK(used == fit.numUsed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const NoLeaks noLeaks;
    const int32_t bits = in.ConsumeBool() ? 8 : 16;
    const int32_t width = in.ConsumeIntegralInRange<int32_t>(1, 48);
    const int32_t height = in.ConsumeIntegralInRange<int32_t>(1, 48);
    const std::size_t bytes = static_cast<std::size_t>(width * height * (bits / 8));
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[bytes]);
    // Blocks of gray rather than noise, so that edges exist.
    const unsigned char levels[2] = {in.ConsumeIntegral<unsigned char>(), in.ConsumeIntegral<unsigned char>()};
    for (std::size_t i = 0; i < bytes; ++i) pixels[i] = levels[in.ConsumeBool() ? 1 : 0];
    const cedge_image image{pixels.get(), bytes, width, height, width * (bits / 8), bits};
    cedge_params edgeParams;
    cedge_params_init(&edgeParams);
    edgeParams.flags = in.ConsumeBool() ? CEDGE_CLIP_TO_IMAGE : 0u;
    edgeParams.formats = in.ConsumeIntegralInRange<uint32_t>(1, 3);
    Owned<cclp_scoreParams, cclp_scoreParams_construct, cclp_scoreParams_destruct> scoring;
    readScoring(in, scoring.value);

    const bool circle = in.ConsumeBool();
    cgeom_lineParams line{readNear(in, -10.0, 60.0), readNear(in, -10.0, 60.0), readNear(in, -10.0, 60.0),
                          readNear(in, -10.0, 60.0), {}, {}};
    cgeom_circleParams ring{readNear(in, -10.0, 60.0), readNear(in, -10.0, 60.0), readNear(in, 0.0, 40.0),
                            readDouble(in), in.ConsumeBool() ? 360.0 : readDouble(in), {}, {}};
    cgeom_calipers& calipers = circle ? ring.calipers : line.calipers;
    read(in, calipers, circle ? ring.fit : line.fit);
    int32_t count = 0;
    const int32_t counted =
        circle ? cgeom_circleCaliperCount(&ring, &count) : cgeom_lineCaliperCount(&line, &count);
    if (counted != 0 || count * (calipers.length + 1.0) * (calipers.thickness + 1.0) > kMaxSamples) return 0;

    const int32_t capacity = count - (in.ConsumeIntegralInRange<int32_t>(0, 8) == 0 ? 1 : 0);
    cgeom_caliperResult mark;
    cgeom_line lineOut;
    cgeom_circle circleOut;
    std::memset(&mark, 0xA5, sizeof mark);
    std::memset(&lineOut, 0xA5, sizeof lineOut);
    std::memset(&circleOut, 0xA5, sizeof circleOut);
    std::vector<cgeom_caliperResult> results(static_cast<std::size_t>(count), mark);
    const auto outputs = [&] {
        Bytes all = bytesOf(results.data(), count);
        return append(all, {bytesOf(&lineOut), bytesOf(&circleOut)});
    };
    const Bytes before = outputs();
    const Injection injection = Injection::read(in);
    int32_t status;
    {
        const Armed armed(injection);
        status = circle ? cgeom_findCircle(&image, &ring, &edgeParams, &scoring.value, &circleOut,
                                           results.data(), capacity)
                        : cgeom_findLine(&image, &line, &edgeParams, &scoring.value, &lineOut, results.data(),
                                         capacity);
    }
    // A failed memory request or a caller's interruption, when injected, ends the call.
    const int32_t injected = injection.allocation()  ? CSYS_STATUS_OUT_OF_MEMORY
                             : injection.attention() ? CSYS_STATUS_ATTENTION
                                                     : CGEOM_STATUS_OK;
    // Finite nominal geometry far enough out places calipers whose centre or
    // span is not finite: the finder's refusal of such a caliper passes through.
    FUZZ_CHECK_STATUS(status, CGEOM_STATUS_OK, CGEOM_STATUS_CAPACITY_TOO_SMALL, CGEOM_STATUS_TOO_FEW_POINTS,
                      CGEOM_STATUS_POINTS_COINCIDENT, CGEOM_STATUS_POINTS_COLLINEAR, CGEOM_STATUS_FIT_NOT_FINITE,
                      CEDGE_STATUS_CENTER_NOT_VALID, CEDGE_STATUS_ANGLE_NOT_VALID,
                      CEDGE_STATUS_LENGTH_NOT_VALID, CEDGE_STATUS_THICKNESS_NOT_VALID, injected);
    if (status != CGEOM_STATUS_OK) {
        FUZZ_CHECK(outputs() == before);
    } else if (circle) {
        FUZZ_CHECK(std::isfinite(circleOut.center.x) && std::isfinite(circleOut.center.y));
        FUZZ_CHECK(std::isfinite(circleOut.radius) && circleOut.radius > 0.0);
        checkSummary(circleOut.fit, results);
    } else {
        FUZZ_CHECK(std::fabs(std::hypot(lineOut.direction.x, lineOut.direction.y) - 1.0) < 1e-9);
        FUZZ_CHECK(std::isfinite(lineOut.angle) && std::isfinite(lineOut.point.x));
        FUZZ_CHECK(std::isfinite(lineOut.point.y));
        // The direction points as the nominal segment does.
        const double dx = line.endX - line.startX, dy = line.endY - line.startY;
        FUZZ_CHECK(lineOut.direction.x * dx + lineOut.direction.y * dy >= 0.0);
        checkSummary(lineOut.fit, results);
    }
    return 0;
}
