// The line and circle tools under random nominal geometry over random
// images held in blocks of exactly their bytes: segments and circles
// anywhere, of any size, caliper counts and spacings, fit settings, single
// edges or pairs. Checks what a caller relies on: a status from the list,
// the outputs untouched on failure, consistent counts and finite numbers on
// success, nothing leaked.
#include <cstring>
#include <memory>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "cgeom/cgeom.h"
#include "fuzz_support.hpp"

namespace {

using cclp::fuzz::readDouble;

// Work a call may take, in samples: inputs beyond it are only counted.
constexpr double kMaxSamples = 4e5;

double readCoordinate(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeFloatingPointInRange<double>(-10.0, 60.0) : readDouble(in);
}

double readSize(FuzzedDataProvider& in, double high) {
    return in.ConsumeBool() ? in.ConsumeFloatingPointInRange<double>(0.0, high) : readDouble(in);
}

void readCalipers(FuzzedDataProvider& in, cgeom_calipers& calipers) {
    calipers.count = cclp::fuzz::readInt(in, 0, 40);
    calipers.flags = in.ConsumeIntegralInRange<uint32_t>(0, 2);
    calipers.spacing = readSize(in, 20.0);
    calipers.length = readSize(in, 40.0);
    calipers.thickness = readSize(in, 8.0);
}

void readFit(FuzzedDataProvider& in, cgeom_fitParams& fit) {
    fit.weight = in.ConsumeIntegralInRange<int32_t>(-1, 3);
    fit.maxIterations = cclp::fuzz::readInt(in, 0, 101);
    fit.inlierDistance = readSize(in, 4.0);
}

// Single edges near the centre, or pairs of an expected width.
void readScoring(FuzzedDataProvider& in, cclp_scoreParams& params) {
    cclp_scoreOneSided function;
    cclp_scoreOneSided_initValues(&function, 0.0, in.ConsumeFloatingPointInRange<double>(0.5, 20.0),
                                  30.0, 1.0, 0.0);
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

bool tooMuchWork(int32_t count, const cgeom_calipers& calipers) {
    return count * (calipers.length + 1.0) * (calipers.thickness + 1.0) > kMaxSamples;
}

void checkSummary(const cgeom_fitSummary& fit, const cgeom_caliperResult* results, int32_t count) {
    FUZZ_CHECK(fit.numCalipers == count && fit.numFound + fit.numMissing == count);
    FUZZ_CHECK(fit.numUsed <= fit.numFound && std::isfinite(fit.rms) && fit.rms >= 0.0);
    int32_t used = 0;
    for (int32_t i = 0; i < count; ++i) {
        const cgeom_caliperResult& result = results[i];
        FUZZ_CHECK(result.status == 0 || result.status == CEDGE_STATUS_OUTSIDE_IMAGE);
        FUZZ_CHECK(result.found == 0 ? result.used == 0 && result.numEdges == 0 : result.status == 0);
        FUZZ_CHECK(std::isfinite(result.point.x) && std::isfinite(result.point.y));
        FUZZ_CHECK(result.weight >= 0.0 && result.weight <= 1.0 && std::isfinite(result.residual));
        used += result.used;
    }
    FUZZ_CHECK(used == fit.numUsed);
}

constexpr unsigned char kMark = 0xA5;

bool marked(const void* block, std::size_t bytes) {
    const auto* p = static_cast<const unsigned char*>(block);
    for (std::size_t i = 0; i < bytes; ++i) {
        if (p[i] != kMark) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int64_t blocksBefore = csys_testing_liveBlocks();
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
    cclp_scoreParams scoreParams;
    FUZZ_CHECK(cclp_scoreParams_construct(&scoreParams) == 0);
    readScoring(in, scoreParams);

    const bool circle = in.ConsumeBool();
    cgeom_lineParams line;
    cgeom_circleParams ring;
    cgeom_lineParams_init(&line);
    cgeom_circleParams_init(&ring);
    line = cgeom_lineParams{readCoordinate(in), readCoordinate(in), readCoordinate(in),
                            readCoordinate(in), line.calipers, line.fit};
    ring.centerX = readCoordinate(in);
    ring.centerY = readCoordinate(in);
    ring.radius = readSize(in, 40.0);
    ring.startAngle = readDouble(in);
    ring.sweep = in.ConsumeBool() ? 360.0 : readDouble(in);
    cgeom_calipers& calipers = circle ? ring.calipers : line.calipers;
    readCalipers(in, calipers);
    readFit(in, circle ? ring.fit : line.fit);

    int32_t count = 0;
    const int32_t counted =
        circle ? cgeom_circleCaliperCount(&ring, &count) : cgeom_lineCaliperCount(&line, &count);
    if (counted == 0 && !tooMuchWork(count, calipers)) {
        const int32_t capacity = count - (in.ConsumeIntegralInRange<int32_t>(0, 8) == 0 ? 1 : 0);
        std::vector<cgeom_caliperResult> results(static_cast<std::size_t>(count));
        cgeom_line lineOut;
        cgeom_circle circleOut;
        std::memset(results.data(), kMark, results.size() * sizeof(cgeom_caliperResult));
        std::memset(&lineOut, kMark, sizeof lineOut);
        std::memset(&circleOut, kMark, sizeof circleOut);
        const int32_t status =
            circle ? cgeom_findCircle(&image, &ring, &edgeParams, &scoreParams, &circleOut,
                                      results.data(), capacity)
                   : cgeom_findLine(&image, &line, &edgeParams, &scoreParams, &lineOut,
                                    results.data(), capacity);
        FUZZ_CHECK_STATUS(status, CGEOM_STATUS_OK, CGEOM_STATUS_CAPACITY_TOO_SMALL,
                          CGEOM_STATUS_TOO_FEW_POINTS, CGEOM_STATUS_POINTS_COINCIDENT,
                          CGEOM_STATUS_POINTS_COLLINEAR, CGEOM_STATUS_FIT_NOT_FINITE);
        if (status == CGEOM_STATUS_OK && circle) {
            FUZZ_CHECK(std::isfinite(circleOut.center.x) && std::isfinite(circleOut.center.y));
            FUZZ_CHECK(std::isfinite(circleOut.radius));
            checkSummary(circleOut.fit, results.data(), count);
        } else if (status == CGEOM_STATUS_OK) {
            const double norm = std::hypot(lineOut.direction.x, lineOut.direction.y);
            FUZZ_CHECK(std::fabs(norm - 1.0) < 1e-9 && std::isfinite(lineOut.angle));
            FUZZ_CHECK(std::isfinite(lineOut.point.x) && std::isfinite(lineOut.point.y));
            checkSummary(lineOut.fit, results.data(), count);
        } else {
            FUZZ_CHECK(marked(results.data(), results.size() * sizeof(cgeom_caliperResult)));
            FUZZ_CHECK(marked(&lineOut, sizeof lineOut) && marked(&circleOut, sizeof circleOut));
        }
    }
    cclp_scoreParams_destruct(&scoreParams);
    FUZZ_CHECK(csys_testing_liveBlocks() == blocksBefore);
    return 0;
}
