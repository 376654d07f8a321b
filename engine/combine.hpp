// How the method scores of one candidate combine into its score: their
// geometric mean, and 0 as soon as one method scores 0 or less. The product
// is formed while the methods are evaluated; the root is taken at the end.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "cmath_lib.h"
#include "frame/fixed_point.hpp"
#include "engine/number_formats.hpp"
#include "frame/portable_pow.hpp"

namespace cclp {

// The count-th root of a product of count scores. Roots beyond the square
// root use the portable power function: the C library's pow differs between
// platforms in the last bit, and results must not.
inline double combineScores(double product, int32_t count) {
    if (count <= 0) return 0.0;
    if (count == 1) return product;
    if (count == 2) return std::sqrt(product);
    return portablePow(product, 1.0 / count);
}

// The same in 1/256 units: the square root is the integer root of the
// product scaled by 256 (keeping its low 16 bits), higher roots go through
// double precision and are rounded back.
inline int32_t combineScoresFixed(int32_t product, int32_t count) {
    if (count <= 0) return 0;
    if (count == 1) return product;
    if (count == 2) {
        const uint32_t root = cmath_sqrt32(static_cast<uint32_t>(shiftLeft(product, 8)));
        return static_cast<int32_t>(root & 0xFFFFu);
    }
    return round256Scaled(portablePow(product / 256.0, 1.0 / count) * 256.0);
}

// The products that combine, for certain, into a score below `score`: those
// below the value returned (0 where none can be told without the root).
// Only roots through the power function are worth avoiding. The bound keeps
// a relative margin of 1e-9 below the exact root, far beyond the error of
// the power function and of the bound's own pow, so a product below it
// gives a lower score on every platform; a fixed-point score is also
// rounded, so the bound lies half a unit lower still.
inline double productsBelowScore(double score, int32_t count) {
    constexpr double kMargin = 1.0 - 1e-9;
    if (count < 3 || !(score > 0.0)) return 0.0;
    const double bound = std::pow(score * kMargin, count);
    return bound >= DBL_MIN ? bound : 0.0;
}

inline double productsBelowScore(int32_t score, int32_t count) {
    const double unrounded = static_cast<double>(score) - 0.5;
    if (!(unrounded > 0.0)) return 0.0;
    return 256.0 * productsBelowScore(unrounded / 256.0, count);
}

inline double multiplyScores(double product, double score) { return product * score; }
inline int32_t multiplyScores(int32_t product, int32_t score) { return mulRound8(product, score); }

// The running product of one candidate's method scores, in method order.
// After the first score of 0 or less the later ones are no longer
// multiplied in and the candidate scores 0.
template <class Number>
class ScoreProduct {
public:
    explicit ScoreProduct(int32_t numMethods) : numMethods_(numMethods), valid_(numMethods >= 1) {}

    void add(Number score) {
        if (valid_ && score > 0) {
            product_ = multiplyScores(product_, score);
        } else {
            valid_ = false;
        }
    }

    // Whether the combined score is certainly below the score whose
    // productsBelowScore bound is given; the root is not taken.
    bool combinesBelow(double bound) const {
        const double product = valid_ && product_ > 0 ? static_cast<double>(product_) : 0.0;
        return product < bound;
    }

    Number combined() const {
        if (!valid_ || !(product_ > 0)) return Number{0};
        if constexpr (std::is_same_v<Number, double>) {
            return combineScores(product_, numMethods_);
        } else {
            return combineScoresFixed(product_, numMethods_);
        }
    }

private:
    Number product_ = NumberFormat<Number>::kFullScore;
    int32_t numMethods_;
    bool valid_;
};

}  // namespace cclp
