#include "score/two_sided.hpp"

#include <initializer_list>

#include "frame/check.hpp"

namespace cclp {
namespace {

// The high side must rise from its lower end: its middle abscissa may not
// lie below whichever end is lower. That end is the split point below which
// the low side takes over, so every low-side abscissa must lie at or below
// it. Checked before either side is touched.
int32_t checkSides(double lowX0, double lowX1, double lowX2, double highX0, double highX1,
                   double highX2) {
    double split = highX2;
    if (highX0 <= highX2) {
        if (highX1 < highX0) return CCLP_STATUS_HIGH_X1_BELOW_X0;
        split = highX0;
    } else if (highX1 < highX2) {
        return CCLP_STATUS_HIGH_X1_BELOW_X2;
    }
    for (const double lowX : {lowX0, lowX2, lowX1}) {
        if (lowX > split) return CCLP_STATUS_LOW_SIDE_ABOVE_SPLIT;
    }
    return CCLP_STATUS_OK;
}

}  // namespace

cclp_scoreTwoSidedFixed toFixed(const cclp_scoreTwoSided& function) {
    return cclp_scoreTwoSidedFixed{toFixed(function.lowSide), toFixed(function.highSide)};
}

}  // namespace cclp

extern "C" {

int32_t cclp_scoreTwoSided_init(cclp_scoreTwoSided* function) {
    return cclp_scoreTwoSided_initValues(function, 0.0, -1.0, -1.0, 0.0, 1.0, 1.0, 1.0, 0.0, 1.0,
                                         0.0);
}

int32_t cclp_scoreTwoSided_initValues(cclp_scoreTwoSided* function, double lowX0, double lowX1,
                                      double lowX2, double highX0, double highX1, double highX2,
                                      double lowY0, double lowY1, double highY0, double highY1) {
    CCLP_REQUIRE_NONNULL(function);
    CCLP_RETURN_IF_FAILED(cclp::checkSides(lowX0, lowX1, lowX2, highX0, highX1, highX2));
    return cclp_scoreTwoSided_initOneSided(function, lowX0, lowX1, lowX2, lowY0, lowY1, highX0,
                                           highX1, highX2, highY0, highY1);
}

// A failure on the high side leaves the new low side in place.
int32_t cclp_scoreTwoSided_initOneSided(cclp_scoreTwoSided* function, double lowX0, double lowX1,
                                        double lowX2, double lowY0, double lowY1, double highX0,
                                        double highX1, double highX2, double highY0,
                                        double highY1) {
    CCLP_REQUIRE_NONNULL(function);
    CCLP_RETURN_IF_FAILED(
        cclp_scoreOneSided_initValues(&function->lowSide, lowX0, lowX1, lowX2, lowY0, lowY1));
    return cclp_scoreOneSided_initValues(&function->highSide, highX0, highX1, highX2, highY0,
                                         highY1);
}

int32_t cclp_scoreTwoSided_getValues(const cclp_scoreTwoSided* function, double* lowX0,
                                     double* lowX1, double* lowX2, double* highX0, double* highX1,
                                     double* highX2, double* lowY0, double* lowY1, double* highY0,
                                     double* highY1) {
    CCLP_REQUIRE_NONNULL(function, lowX0, lowX1, lowX2, highX0, highX1, highX2, lowY0, lowY1,
                         highY0, highY1);
    CCLP_RETURN_IF_FAILED(
        cclp_scoreOneSided_getValues(&function->lowSide, lowX0, lowX1, lowX2, lowY0, lowY1));
    return cclp_scoreOneSided_getValues(&function->highSide, highX0, highX1, highX2, highY0,
                                        highY1);
}

int32_t cclp_scoreTwoSided_setPositionOffsets(cclp_scoreTwoSided* function, double lowOffset,
                                              double highOffset) {
    CCLP_REQUIRE_NONNULL(function);
    function->lowSide.positionOffset = lowOffset;
    function->highSide.positionOffset = highOffset;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreTwoSided_getPositionOffsets(const cclp_scoreTwoSided* function, double* lowOffset,
                                              double* highOffset) {
    CCLP_REQUIRE_NONNULL(function, lowOffset, highOffset);
    *lowOffset = function->lowSide.positionOffset;
    *highOffset = function->highSide.positionOffset;
    return CCLP_STATUS_OK;
}

}  // extern "C"
