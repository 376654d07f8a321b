// Score methods built from the fuzzer's bytes through the exported
// initialisations, checking on the way that each accepts exactly the method
// numbers of its kind, leaves the record unchanged when it refuses and
// copies the function whole (the other function zero) when it accepts.
#pragma once

#include <cstdint>
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

// A one-sided function from arbitrary values, or the default one when the
// values are refused.
inline cclp_scoreOneSided readOneSided(FuzzedDataProvider& in) {
    const double x0 = readDouble(in), x1 = readDouble(in), x2 = readDouble(in);
    const double y0 = readLevel(in), y1 = readLevel(in);
    cclp_scoreOneSided function;
    if (cclp_scoreOneSided_initValues(&function, x0, x1, x2, y0, y1) < 0) {
        FUZZ_CHECK(cclp_scoreOneSided_init(&function) == 0);
    }
    return function;
}

inline cclp_scoreTwoSided readTwoSided(FuzzedDataProvider& in) {
    double x[6];
    for (double& value : x) value = readDouble(in);
    const double lowY0 = readLevel(in), lowY1 = readLevel(in);
    const double highY0 = readLevel(in), highY1 = readLevel(in);
    cclp_scoreTwoSided function;
    if (cclp_scoreTwoSided_initValues(&function, x[0], x[1], x[2], x[3], x[4], x[5], lowY0, lowY1,
                                      highY0, highY1) < 0) {
        FUZZ_CHECK(cclp_scoreTwoSided_init(&function) == 0);
    }
    return function;
}

template <class T>
bool isAllZero(const T& record) {
    static const T zero{};
    return std::memcmp(&record, &zero, sizeof record) == 0;
}

// A score method of either kind; the default method when the number does
// not fit the kind.
inline cclp_score readScoreMethod(FuzzedDataProvider& in) {
    cclp_score score;
    std::memset(&score, 0x3C, sizeof score);
    const cclp_score old = score;
    const int32_t method = readMethodNumber(in);
    int32_t status;
    if (in.ConsumeBool()) {
        const cclp_scoreOneSided function = readOneSided(in);
        status = cclp_score_initScoreMethodOneSided(&score, method, &function);
        FUZZ_CHECK(status == (takesOneSided(method) ? 0 : CCLP_STATUS_NOT_ONE_SIDED_METHOD));
        if (status == 0) {
            FUZZ_CHECK(score.isOneSided == 1 && score.method == method);
            FUZZ_CHECK(std::memcmp(&score.oneSided, &function, sizeof function) == 0);
            FUZZ_CHECK(isAllZero(score.twoSided));
        }
    } else {
        const cclp_scoreTwoSided function = readTwoSided(in);
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
