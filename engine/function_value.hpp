// The value of a scoring function at one measured value, in double
// precision and in 1/256 fixed point. Both follow the same order of tests:
// beyond x2 scores 0, at or past x1 scores y1, at or before x0 scores y0,
// and the ramp lies strictly between x0 and x1.
#pragma once

#include <cmath>
#include <cstdint>

#include "cclp_score/cclp_scoring_function.h"
#include "frame/check.hpp"
#include "frame/fixed_point.hpp"
#include "score/one_sided.hpp"

namespace cclp {

// Which of the two ends of a function's abscissae lies lower.
template <class Function>
constexpr auto lowerEnd(const Function& function) {
    return function.x2 >= function.x0 ? function.x0 : function.x2;
}

// Whether the ramp formula (rampConst - x*rampDrop)*rampInvSpan gives the
// function's value at x. Where the derived fields follow the line, its value
// is the function's value bit for bit: one that lands a unit in the last
// place beyond a level is the formula's own rounding, not a fault, and stays
// as it is (scores order the candidates, so a mended last bit could swap two
// nearly tied ones). The formula is plainly wrong only where the derived
// fields cannot follow the line: a ramp of kMinRampSpan or less gets the
// inverse span 1e9 whatever its direction (a value of up to 100 times the
// drop), a span beyond the double range gets 0, and abscissae near the ends
// of the range give infinities and NaN.
inline bool rampFormulaHolds(const cclp_scoreOneSided& f, double value) {
    const double span = std::fabs(f.x1 - f.x0);
    return span > kMinRampSpan && std::isfinite(span) && std::isfinite(value);
}

// The value on the ramp: the formula's, except where it is plainly wrong
// and leaves the levels, which then hold it; a NaN (also that of a NaN
// value) scores the lower level. Most values lie between the levels, which
// settles them at once.
inline double rampValue(const cclp_scoreOneSided& f, double formula) {
    const double low = f.y1 < f.y0 ? f.y1 : f.y0;
    const double high = f.y1 < f.y0 ? f.y0 : f.y1;
    if ((formula >= low && formula <= high) || rampFormulaHolds(f, formula)) return formula;
    return formula > high ? high : low;
}

// The value when the function's direction (isUpward) is already known.
inline double oneSidedValue(const cclp_scoreOneSided& f, bool upward, double x) {
    if (upward) {
        if (x > f.x2) return 0.0;
        if (x >= f.x1) return f.y1;
        if (x <= f.x0) return f.y0;
    } else {
        if (x < f.x2) return 0.0;
        if (x <= f.x1) return f.y1;
        if (x >= f.x0) return f.y0;
    }
    return rampValue(f, (f.rampConst - x * f.rampDrop) * f.rampInvSpan);
}

inline double oneSidedValue(const cclp_scoreOneSided& f, double x) {
    return oneSidedValue(f, isUpward(f), x);
}

// The ramp keeps the rounding of its two terms, so a ramp only a few units
// wide can leave [y1, y0]; that is the fixed-point function's definition.
inline int32_t oneSidedValueFixed(const cclp_scoreOneSidedFixed& f, bool upward, int32_t v) {
    if (upward) {
        if (v > f.x2) return 0;
        if (v >= f.x1) return f.y1;
        if (v <= f.x0) return f.y0;
    } else {
        if (v < f.x2) return 0;
        if (v <= f.x1) return f.y1;
        if (v >= f.x0) return f.y0;
    }
    const int32_t t = wrap32(static_cast<int64_t>(f.rampConst) - mulRound8(v, f.rampDrop));
    return mulRound16(t, f.rampInvSpan);
}

inline int32_t oneSidedValueFixed(const cclp_scoreOneSidedFixed& f, int32_t v) {
    return oneSidedValueFixed(f, isUpward(f), v);
}

// Values below the split point (the lower end of the high side) are scored
// by the low side, all others by the high side. A high side whose middle
// lies below its lower end, or a low side reaching past the split, is
// reported and scored as it stands.
template <class TwoSided>
bool highSideStartsAtSplit(const TwoSided& f) {
    return f.highSide.x1 >= lowerEnd(f.highSide);
}

template <class TwoSided>
bool lowSideEndsAtSplit(const TwoSided& f) {
    const auto split = lowerEnd(f.highSide);
    return f.lowSide.x0 <= split && f.lowSide.x1 <= split && f.lowSide.x2 <= split;
}

template <class TwoSided>
auto splitPoint(const TwoSided& f) {
    CCLP_ASSERT(highSideStartsAtSplit(f));
    CCLP_ASSERT(lowSideEndsAtSplit(f));
    return lowerEnd(f.highSide);
}

inline double twoSidedValue(const cclp_scoreTwoSided& f, double x) {
    return x < splitPoint(f) ? oneSidedValue(f.lowSide, x) : oneSidedValue(f.highSide, x);
}

inline int32_t twoSidedValueFixed(const cclp_scoreTwoSidedFixed& f, int32_t v) {
    return v < splitPoint(f) ? oneSidedValueFixed(f.lowSide, v) : oneSidedValueFixed(f.highSide, v);
}

// The same four values under one name, chosen by the number format.
inline double functionValue(const cclp_scoreOneSided& f, double x) { return oneSidedValue(f, x); }
inline int32_t functionValue(const cclp_scoreOneSidedFixed& f, int32_t v) {
    return oneSidedValueFixed(f, v);
}
inline double functionValue(const cclp_scoreTwoSided& f, double x) { return twoSidedValue(f, x); }
inline int32_t functionValue(const cclp_scoreTwoSidedFixed& f, int32_t v) {
    return twoSidedValueFixed(f, v);
}

// A one-sided function with its direction worked out once, for loops that
// apply it to many values; the values are the same.
template <class OneSided>
struct OrientedFunction {
    OneSided function;
    bool upward;

    explicit OrientedFunction(const OneSided& f) : function(f), upward(isUpward(f)) {}
};

// The reference position of a one-sided function, plain or oriented.
template <class OneSided>
auto positionOffsetOf(const OneSided& f) {
    return f.positionOffset;
}
template <class OneSided>
auto positionOffsetOf(const OrientedFunction<OneSided>& f) {
    return f.function.positionOffset;
}

// A two-sided function with its split point worked out once. Its checks are
// the caller's: the split point's preconditions are not reported here.
template <class TwoSided>
struct SplitFunction {
    using Side = decltype(TwoSided::lowSide);
    OrientedFunction<Side> lowSide;
    OrientedFunction<Side> highSide;
    decltype(Side::x0) split;

    explicit SplitFunction(const TwoSided& f)
        : lowSide(f.lowSide), highSide(f.highSide), split(lowerEnd(f.highSide)) {}
};

inline double functionValue(const OrientedFunction<cclp_scoreOneSided>& f, double x) {
    return oneSidedValue(f.function, f.upward, x);
}
inline int32_t functionValue(const OrientedFunction<cclp_scoreOneSidedFixed>& f, int32_t v) {
    return oneSidedValueFixed(f.function, f.upward, v);
}
template <class TwoSided, class Number>
Number functionValue(const SplitFunction<TwoSided>& f, Number x) {
    return x < f.split ? functionValue(f.lowSide, x) : functionValue(f.highSide, x);
}

}  // namespace cclp
