#include "score/one_sided.hpp"

#include <cmath>

#include "frame/check.hpp"
#include "frame/fixed_point.hpp"

namespace cclp {
namespace {

// NaN fails both comparisons, so it is out of range too.
bool isUnitLevel(double y) { return y >= 0.0 && y <= 1.0; }

bool isMonotone(double x0, double x1, double x2) {
    return (x0 <= x1 && x1 <= x2) || (x2 <= x1 && x1 <= x0);
}

constexpr double kSteepRampInvSpan = 1e9;
constexpr int32_t kFixedRampScale = 0x1000000;

}  // namespace

int32_t checkOneSidedValues(double x0, double x1, double x2, double y0, double y1) {
    if (!isMonotone(x0, x1, x2)) return CCLP_STATUS_ABSCISSAE_NOT_MONOTONE;
    if (!isUnitLevel(y0)) return CCLP_STATUS_Y0_OUT_OF_RANGE;
    if (!isUnitLevel(y1)) return CCLP_STATUS_Y1_OUT_OF_RANGE;
    if (!(y0 >= y1)) return CCLP_STATUS_Y0_BELOW_Y1;
    return CCLP_STATUS_OK;
}

void storeOneSidedValues(cclp_scoreOneSided& function, double x0, double x1, double x2, double y0,
                         double y1) {
    function.x0 = x0;
    function.x1 = x1;
    function.x2 = x2;
    function.y0 = y0;
    function.y1 = y1;
    function.positionOffset = 0.0;
    function.rampConst = x1 * y0 - x0 * y1;
    function.rampDrop = y0 - y1;
    function.rampInvSpan = std::fabs(x1 - x0) > kMinRampSpan ? 1.0 / (x1 - x0) : kSteepRampInvSpan;
}

cclp_scoreOneSidedFixed toFixed(const cclp_scoreOneSided& function) {
    cclp_scoreOneSidedFixed fixed{};
    fixed.positionOffset = round256(function.positionOffset);
    fixed.x0 = round256(function.x0);
    fixed.x1 = round256(function.x1);
    fixed.x2 = round256(function.x2);
    fixed.y0 = round256(function.y0);
    fixed.y1 = round256(function.y1);
    fixed.rampConst = wrap32(static_cast<int64_t>(mulRound8(fixed.x1, fixed.y0)) -
                             mulRound8(fixed.x0, fixed.y1));
    fixed.rampDrop = wrap32(static_cast<int64_t>(fixed.y0) - fixed.y1);
    const int64_t span = static_cast<int64_t>(fixed.x1) - fixed.x0;
    fixed.rampInvSpan = span == 0 ? INT32_MAX : wrap32(kFixedRampScale / span);
    return fixed;
}

}  // namespace cclp

extern "C" {

int32_t cclp_scoreOneSided_init(cclp_scoreOneSided* function) {
    return cclp_scoreOneSided_initValues(function, 0.0, 1.0, 1.0, 1.0, 0.0);
}

int32_t cclp_scoreOneSided_initValues(cclp_scoreOneSided* function, double x0, double x1, double x2,
                                      double y0, double y1) {
    CCLP_REQUIRE_NONNULL(function);
    CCLP_RETURN_IF_FAILED(cclp::checkOneSidedValues(x0, x1, x2, y0, y1));
    cclp::storeOneSidedValues(*function, x0, x1, x2, y0, y1);
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreOneSided_getValues(const cclp_scoreOneSided* function, double* x0, double* x1,
                                     double* x2, double* y0, double* y1) {
    CCLP_REQUIRE_NONNULL(function, x0, x1, x2, y0, y1);
    *x0 = function->x0;
    *x1 = function->x1;
    *x2 = function->x2;
    *y0 = function->y0;
    *y1 = function->y1;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreOneSided_setPositionOffset(cclp_scoreOneSided* function, double offset) {
    CCLP_REQUIRE_NONNULL(function);
    function->positionOffset = offset;
    return CCLP_STATUS_OK;
}

int32_t cclp_scoreOneSided_getPositionOffset(const cclp_scoreOneSided* function, double* offset) {
    CCLP_REQUIRE_NONNULL(function, offset);
    *offset = function->positionOffset;
    return CCLP_STATUS_OK;
}

}  // extern "C"
