// Scoring functions and score methods built from arbitrary doubles and
// method numbers: the initialisations return 0 or one of their own codes in
// the documented order of checks, leave the record unchanged on failure,
// store exactly what they were given on success, and the stored functions
// score as defined (the ramp formula's own bits, or within the levels where
// the formula is plainly wrong); the score parameters keep the fixed-point form
// of every stored method and move only the offsets an update names.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "cclp_score/cclp_score_params.h"
#include "cclp_score/cclp_scoring_function.h"
#include "fuzz/fuzz_methods.hpp"
#include "fuzz/fuzz_support.hpp"
#include "engine/function_value.hpp"
#include "frame/portable_pow.hpp"
#include "score/score_method.hpp"

namespace {

using cclp::fuzz::bytesOf;
using cclp::fuzz::readDouble;
using cclp::fuzz::referenceRound256;
using cclp::fuzz::sameBits;

// The value by the four steps of the definition: 0 beyond x2, the levels on
// the plateaus, the ramp formula strictly between x0 and x1. The formula
// stands bit for bit unless it is plainly wrong (a ramp of 1e-7 or less, a
// span beyond the double range, a value that is not finite); then the value
// lies between the levels.
void checkValuesFollowTheDefinition(const cclp_scoreOneSided& f, FuzzedDataProvider& in) {
    const double low = f.y1 < f.y0 ? f.y1 : f.y0;
    const double high = f.y1 < f.y0 ? f.y0 : f.y1;
    const bool up = f.x0 <= f.x1 && f.x1 <= f.x2;
    const double span = std::fabs(f.x1 - f.x0);
    const double probes[] = {f.x0, f.x1, f.x2, (f.x0 + f.x1) / 2, std::nextafter(f.x0, f.x1),
                             std::nextafter(f.x1, f.x0), readDouble(in), readDouble(in)};
    for (const double v : probes) {
        const double value = cclp::oneSidedValue(f, v);
        if (up ? v > f.x2 : v < f.x2) {
            FUZZ_CHECK(value == 0.0);
        } else if (up ? v >= f.x1 : v <= f.x1) {
            FUZZ_CHECK(sameBits(value, f.y1));
        } else if (up ? v <= f.x0 : v >= f.x0) {
            FUZZ_CHECK(sameBits(value, f.y0));
        } else {
            const double formula = (f.rampConst - v * f.rampDrop) * f.rampInvSpan;
            const bool holds = span > 1e-7 && std::isfinite(span) && std::isfinite(formula);
            FUZZ_CHECK(holds ? sameBits(value, formula) : value >= low && value <= high);
        }
    }
}

// The fixed-point form: every defining value rounded by round256, the
// derived values computed from the rounded integers without overflow.
void checkFixedForm(const cclp_scoreOneSided& f, const cclp_scoreOneSidedFixed& fixed) {
    FUZZ_CHECK(fixed.positionOffset == referenceRound256(f.positionOffset));
    FUZZ_CHECK(fixed.x0 == referenceRound256(f.x0));
    FUZZ_CHECK(fixed.x1 == referenceRound256(f.x1));
    FUZZ_CHECK(fixed.x2 == referenceRound256(f.x2));
    FUZZ_CHECK(fixed.y0 == referenceRound256(f.y0));
    FUZZ_CHECK(fixed.y1 == referenceRound256(f.y1));
    const auto roundedProduct = [](int64_t a, int64_t b) { return (a * b + 128) >> 8; };
    FUZZ_CHECK(fixed.rampConst == static_cast<int32_t>(roundedProduct(fixed.x1, fixed.y0) -
                                                       roundedProduct(fixed.x0, fixed.y1)));
    FUZZ_CHECK(fixed.rampDrop == fixed.y0 - fixed.y1);
    const int64_t span = static_cast<int64_t>(fixed.x1) - fixed.x0;
    FUZZ_CHECK(fixed.rampInvSpan ==
               (span == 0 ? INT32_MAX : static_cast<int32_t>(int64_t{0x1000000} / span)));
    // Plateau values of the fixed-point function are the rounded levels.
    if (cclp::isUpward(fixed)) {
        FUZZ_CHECK(cclp::oneSidedValueFixed(fixed, fixed.x2) == fixed.y1);
        if (fixed.x0 < fixed.x1) FUZZ_CHECK(cclp::oneSidedValueFixed(fixed, fixed.x0) == fixed.y0);
    }
}

void fuzzOneSided(FuzzedDataProvider& in) {
    cclp_scoreOneSided f;
    if (cclp::fuzz::readOneSided(in, f) < 0) return;
    checkValuesFollowTheDefinition(f, in);
    const double offset = readDouble(in);
    FUZZ_CHECK(cclp_scoreOneSided_setPositionOffset(&f, offset) == 0);
    checkFixedForm(f, cclp::toFixed(f));
}

void fuzzTwoSided(FuzzedDataProvider& in) {
    const int64_t assertionsBefore = csys_testing_assertionCount();
    cclp_scoreTwoSided f;
    bool crossChecked;
    if (cclp::fuzz::readTwoSided(in, f, crossChecked) < 0) return;
    checkValuesFollowTheDefinition(f.lowSide, in);
    checkValuesFollowTheDefinition(f.highSide, in);
    const double value = cclp::twoSidedValue(f, readDouble(in));
    FUZZ_CHECK(std::isfinite(value));  // a side's value, the formula's rounding included
    // A cross-checked function never trips the evaluation's own checks.
    if (crossChecked) FUZZ_CHECK(csys_testing_assertionCount() == assertionsBefore);
}

void checkStoredMethod(const cclp_score& method, const cclp_scoreFixed& fixed) {
    FUZZ_CHECK(fixed.isOneSided == method.isOneSided && fixed.method == method.method);
    if (method.isOneSided == 1) {
        checkFixedForm(method.oneSided, fixed.oneSided);
    } else {
        checkFixedForm(method.twoSided.lowSide, fixed.twoSided.lowSide);
        checkFixedForm(method.twoSided.highSide, fixed.twoSided.highSide);
    }
}

// Stores methods in score parameters, then moves offsets by arbitrary
// indices: a refused index changes nothing, an accepted one only the
// offsets it names, in both forms.
void fuzzStoredMethods(FuzzedDataProvider& in) {
    cclp::fuzz::NoLeaks noLeaks;
    cclp_score methods[4];
    const int32_t count = in.ConsumeIntegralInRange<int32_t>(1, 4);
    for (int32_t i = 0; i < count; ++i) methods[i] = cclp::fuzz::readScoreMethod(in);
    cclp_scoreParams params;
    FUZZ_CHECK(cclp_scoreParams_construct(&params) == 0);
    FUZZ_CHECK(cclp_scoreParams_setScoreMethods(&params, count, methods) == 0);
    for (int32_t i = 0; i < count; ++i) {
        FUZZ_CHECK(bytesOf(&params.scoreMethods[i]) == bytesOf(&methods[i]));
        checkStoredMethod(params.scoreMethods[i], params.scoreMethodsFixed[i]);
    }
    for (int round = in.ConsumeIntegralInRange<int>(0, 4); round > 0; --round) {
        const int32_t index = cclp::fuzz::readInt(in, -1, count);
        const bool twoSided = in.ConsumeBool();
        const double low = readDouble(in), high = readDouble(in);
        const auto methodsBefore = bytesOf(params.scoreMethods, count);
        const auto fixedBefore = bytesOf(params.scoreMethodsFixed, count);
        const int32_t status =
            twoSided ? cclp_scoreParams_updateTwoSidedOffsets(&params, index, low, high)
                     : cclp_scoreParams_updateOneSidedOffset(&params, index, low);
        const bool inRange = index >= 0 && index < count;
        FUZZ_CHECK(status == (inRange ? 0 : CCLP_STATUS_METHOD_INDEX_OUT_OF_RANGE));
        if (!inRange) {
            FUZZ_CHECK(bytesOf(params.scoreMethods, count) == methodsBefore);
            FUZZ_CHECK(bytesOf(params.scoreMethodsFixed, count) == fixedBefore);
            continue;
        }
        cclp_score expected;
        cclp_scoreFixed expectedFixed;
        const auto at = static_cast<size_t>(index);
        std::memcpy(&expected, &methodsBefore[at * sizeof expected], sizeof expected);
        std::memcpy(&expectedFixed, &fixedBefore[at * sizeof expectedFixed], sizeof expectedFixed);
        if (twoSided) {
            expected.twoSided.lowSide.positionOffset = low;
            expected.twoSided.highSide.positionOffset = high;
            expectedFixed.twoSided.lowSide.positionOffset = referenceRound256(low);
            expectedFixed.twoSided.highSide.positionOffset = referenceRound256(high);
        } else {
            expected.oneSided.positionOffset = low;
            expectedFixed.oneSided.positionOffset = referenceRound256(low);
        }
        FUZZ_CHECK(bytesOf(&params.scoreMethods[index]) == bytesOf(&expected));
        FUZZ_CHECK(bytesOf(&params.scoreMethodsFixed[index]) == bytesOf(&expectedFixed));
    }
    FUZZ_CHECK(cclp_scoreParams_destruct(&params) == 0);
}

// Units in the last place between two finite doubles.
uint64_t ulpsBetween(double a, double b) {
    const auto ordered = [](double value) {
        int64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits < 0 ? INT64_MIN - bits : bits;
    };
    const int64_t x = ordered(a), y = ordered(b);
    return x > y ? static_cast<uint64_t>(x) - static_cast<uint64_t>(y)
                 : static_cast<uint64_t>(y) - static_cast<uint64_t>(x);
}

// The power function behind the geometric means of three or more scores,
// over what the means ask of it: roots (y = 1/count, count >= 3) of products
// of scores, which lie in (0, 1] in double precision and below 2^23 in fixed
// point. There it is within an ulp of the C library's pow, and a root of a
// value in [0, 1] stays in [0, 1]. The C library's own (exact) results stand
// for the special arguments.
void fuzzPower(FuzzedDataProvider& in) {
    double x = in.ConsumeBool() ? in.ConsumeProbability<double>() : std::fabs(readDouble(in));
    if (x > 8388608.0) x = std::fmod(x, 8388608.0);
    const int32_t count = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(3, 64)
                                           : in.ConsumeIntegralInRange<int32_t>(3, INT32_MAX);
    const double y = in.ConsumeIntegralInRange<int>(0, 15) == 0 ? readDouble(in) : 1.0 / count;
    if (std::isnan(x) || std::isnan(y)) return;  // products of scores are numbers
    const double value = cclp::portablePow(x, y);
    const double reference = std::pow(x, y);
    if (x == 0.0 || std::isinf(x) || std::isinf(y) || x == 1.0 || y == 0.0) {
        FUZZ_CHECK(sameBits(value, reference));
        return;
    }
    if (y < 0.0 || y > 1.0 / 3) return;  // beyond what the means use
    FUZZ_CHECK(ulpsBetween(value, reference) <= 1);
    if (x <= 1.0) FUZZ_CHECK(value > 0.0 && value <= 1.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: fuzzOneSided(in); break;
    case 1: fuzzTwoSided(in); break;
    case 2: fuzzStoredMethods(in); break;
    default: fuzzPower(in); break;
    }
    return 0;
}
