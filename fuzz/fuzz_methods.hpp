// Scoring functions and score methods built from the fuzzer's bytes through
// the exported initialisations, checking on the way that each returns the
// status its checks call for, leaves the record unchanged when it refuses
// and stores exactly what it was given when it accepts; a method builder
// accepts exactly the method numbers of its kind and copies the function
// whole (the other function zero).
#pragma once

#include <cstdint>
#include <cmath>
#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "cclp_score/cclp_scoring_function.h"
#include "fuzz/fuzz_support.hpp"
#include "score/method_table.hpp"

namespace cclp::fuzz {

// Mostly one of the method numbers or just outside them, sometimes
// anything.
inline int32_t readMethodNumber(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return in.ConsumeIntegral<int32_t>();
    return in.ConsumeIntegralInRange<int32_t>(0, CCLP_SCORE_METHOD_COUNT + 1);
}

inline bool isLevel(double y) { return y >= 0.0 && y <= 1.0; }

// The checks of a one-sided initialisation, in their order.
inline int32_t expectedOneSidedStatus(double x0, double x1, double x2, double y0, double y1) {
    if (!((x0 <= x1 && x1 <= x2) || (x2 <= x1 && x1 <= x0))) {
        return CCLP_STATUS_ABSCISSAE_NOT_MONOTONE;
    }
    if (!isLevel(y0)) return CCLP_STATUS_Y0_OUT_OF_RANGE;
    if (!isLevel(y1)) return CCLP_STATUS_Y1_OUT_OF_RANGE;
    if (!(y0 >= y1)) return CCLP_STATUS_Y0_BELOW_Y1;
    return CCLP_STATUS_OK;
}

// The cross-checks of a two-sided initialisation, before either side.
inline int32_t expectedCrossCheckStatus(const double (&x)[6]) {
    double split = x[5];
    if (x[3] <= x[5]) {
        if (x[4] < x[3]) return CCLP_STATUS_HIGH_X1_BELOW_X0;
        split = x[3];
    } else if (x[4] < x[5]) {
        return CCLP_STATUS_HIGH_X1_BELOW_X2;
    }
    if (x[0] > split || x[2] > split || x[1] > split) return CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT;
    return CCLP_STATUS_OK;
}

// A record filled with a recognisable pattern, so that "unchanged" means
// something.
template <class T>
T patterned(unsigned char byte) {
    T record;
    std::memset(&record, byte, sizeof record);
    return record;
}

// A one-sided function initialised from arbitrary values: the status is the
// first check that fails, a refusal leaves the record as it was, and an
// accepted function gives back exactly its values, its ramp derived from
// them and no offset. Returns the status; the record holds the default
// function when the values are refused.
inline int32_t readOneSided(FuzzedDataProvider& in, cclp_scoreOneSided& f) {
    const double x0 = readDouble(in), x1 = readDouble(in), x2 = readDouble(in);
    const double y0 = readLevel(in), y1 = readLevel(in);
    f = patterned<cclp_scoreOneSided>(0xA5);
    const Bytes before = bytesOf(&f);
    const int32_t status = cclp_scoreOneSided_initValues(&f, x0, x1, x2, y0, y1);
    FUZZ_CHECK(status == expectedOneSidedStatus(x0, x1, x2, y0, y1));
    if (status < 0) {
        FUZZ_CHECK(bytesOf(&f) == before);
        FUZZ_CHECK(cclp_scoreOneSided_init(&f) == 0);
        return status;
    }
    double got[5];
    FUZZ_CHECK(cclp_scoreOneSided_getValues(&f, &got[0], &got[1], &got[2], &got[3], &got[4]) == 0);
    FUZZ_CHECK(sameBits(got[0], x0) && sameBits(got[1], x1) && sameBits(got[2], x2));
    FUZZ_CHECK(sameBits(got[3], y0) && sameBits(got[4], y1));
    FUZZ_CHECK(f.positionOffset == 0.0);
    FUZZ_CHECK(sameBits(f.rampConst, x1 * y0 - x0 * y1));
    FUZZ_CHECK(sameBits(f.rampDrop, y0 - y1));
    FUZZ_CHECK(sameBits(f.rampInvSpan, std::fabs(x1 - x0) > 1e-7 ? 1.0 / (x1 - x0) : 1e9));
    return status;
}

// A two-sided function, with or without the cross-checks: cross-checks
// first, then the low side, then the high side; only a failure of the high
// side leaves the new low side behind; an accepted function gives back
// exactly its values and no offsets. Returns the status; the record holds the default
// function when the values are refused.
inline int32_t readTwoSided(FuzzedDataProvider& in, cclp_scoreTwoSided& f, bool& crossChecked) {
    double x[6];
    for (double& value : x) value = readDouble(in);
    const double levels[4] = {readLevel(in), readLevel(in), readLevel(in), readLevel(in)};
    crossChecked = in.ConsumeBool();
    f = patterned<cclp_scoreTwoSided>(0x5A);
    const cclp_scoreTwoSided old = f;
    const int32_t status =
        crossChecked ? cclp_scoreTwoSided_initValues(&f, x[0], x[1], x[2], x[3], x[4], x[5],
                                                     levels[0], levels[1], levels[2], levels[3])
                     : cclp_scoreTwoSided_initOneSided(&f, x[0], x[1], x[2], levels[0], levels[1],
                                                       x[3], x[4], x[5], levels[2], levels[3]);
    const int32_t crossStatus = crossChecked ? expectedCrossCheckStatus(x) : CCLP_STATUS_OK;
    const int32_t lowStatus = expectedOneSidedStatus(x[0], x[1], x[2], levels[0], levels[1]);
    const int32_t highStatus = expectedOneSidedStatus(x[3], x[4], x[5], levels[2], levels[3]);
    const int32_t expected = crossStatus < 0 ? crossStatus : lowStatus < 0 ? lowStatus : highStatus;
    FUZZ_CHECK(status == expected);
    if (status < 0) {
        const bool lowReplaced = crossStatus == 0 && lowStatus == 0;
        FUZZ_CHECK(bytesOf(&f.highSide) == bytesOf(&old.highSide));
        if (!lowReplaced) FUZZ_CHECK(bytesOf(&f.lowSide) == bytesOf(&old.lowSide));
        FUZZ_CHECK(cclp_scoreTwoSided_init(&f) == 0);
        return status;
    }
    double got[10];
    FUZZ_CHECK(cclp_scoreTwoSided_getValues(&f, &got[0], &got[1], &got[2], &got[3], &got[4],
                                            &got[5], &got[6], &got[7], &got[8], &got[9]) == 0);
    for (int i = 0; i < 6; ++i) FUZZ_CHECK(sameBits(got[i], x[i]));
    for (int i = 0; i < 4; ++i) FUZZ_CHECK(sameBits(got[6 + i], levels[i]));
    FUZZ_CHECK(f.lowSide.positionOffset == 0.0 && f.highSide.positionOffset == 0.0);
    return status;
}

template <class T>
bool isAllZero(const T& record) {
    static const T zero{};
    return std::memcmp(&record, &zero, sizeof record) == 0;
}

// A score method of either kind; the default method when the number does
// not fit the kind.
inline cclp_score readScoreMethod(FuzzedDataProvider& in) {
    cclp_score score = patterned<cclp_score>(0x3C);
    const cclp_score old = score;
    const int32_t method = readMethodNumber(in);
    int32_t status;
    if (in.ConsumeBool()) {
        cclp_scoreOneSided function;
        readOneSided(in, function);
        status = cclp_score_initScoreMethodOneSided(&score, method, &function);
        FUZZ_CHECK(status == (takesOneSided(method) ? 0 : CCLP_STATUS_NOT_ONE_SIDED_METHOD));
        if (status == 0) {
            FUZZ_CHECK(score.isOneSided == 1 && score.method == method);
            FUZZ_CHECK(std::memcmp(&score.oneSided, &function, sizeof function) == 0);
            FUZZ_CHECK(isAllZero(score.twoSided));
        }
    } else {
        cclp_scoreTwoSided function;
        bool crossChecked;
        readTwoSided(in, function, crossChecked);
        status = cclp_score_initScoreMethodTwoSided(&score, method, &function);
        FUZZ_CHECK(status == (takesTwoSided(method) ? 0 : CCLP_STATUS_NOT_TWO_SIDED_METHOD));
        if (status == 0) {
            FUZZ_CHECK(score.isOneSided == 0 && score.method == method);
            FUZZ_CHECK(std::memcmp(&score.twoSided, &function, sizeof function) == 0);
            FUZZ_CHECK(isAllZero(score.oneSided));
        }
    }
    if (status < 0) {
        FUZZ_CHECK(std::memcmp(&score, &old, sizeof score) == 0);
        FUZZ_CHECK(cclp_score_init(&score) == 0);
    }
    return score;
}

}  // namespace cclp::fuzz
