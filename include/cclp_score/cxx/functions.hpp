/** @file
 * One-sided and two-sided scoring functions, checked when they are built,
 * and sampled exactly as runs compute them (sampling.hpp).
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_FUNCTIONS_HPP
#define CCLP_SCORE_CXX_FUNCTIONS_HPP

#include <cstdint>
#include <system_error>
#include <vector>

#include "../cclp_scoring_function.h"
#include "array_ref.hpp"
#include "errors.hpp"

namespace cclp::score {

/// The five abscissae and ordinates of a one-sided function: y0 from x0
/// outward, a ramp to (x1, y1), y1 up to x2, 0 beyond.
struct Breakpoints {
    double x0;  ///< Where the score is y0.
    double x1;  ///< Where the ramp reaches y1.
    double x2;  ///< Where y1 ends.
    double y0;  ///< The score at x0 and outward of it.
    double y1;  ///< The score from x1 to x2.
};

namespace detail {
template <class Number>
std::vector<Number> sampleOneSided(const cclp_scoreOneSided& function, ArrayRef<Number> values,
                                   std::error_code& ec);
}  // namespace detail

/// A one-sided scoring function, checked when it is built.
class OneSided {
public:
    /// 1 up to 0, falling to 0 at 1.
    OneSided() noexcept { (void)cclp_scoreOneSided_init(&c_); }
    /// From its breakpoints, which run one way (x0 <= x1 <= x2 or the
    /// reverse) with 1 >= y0 >= y1 >= 0; anything else throws Error.
    ///@{
    OneSided(double x0, double x1, double x2, double y0, double y1)
        : OneSided(detail::orThrow("cclp_scoreOneSided_initValues", [&](std::error_code& ec) {
              return make(x0, x1, x2, y0, y1, ec);
          })) {}
    explicit OneSided(const Breakpoints& b) : OneSided(b.x0, b.x1, b.x2, b.y0, b.y1) {}
    ///@}
    /// Takes a function the module built (a side of a two-sided one, a stored method's).
    explicit OneSided(const cclp_scoreOneSided& function) noexcept : c_(function) {}

    /// The noexcept form: on failure ec holds the status and the default function is returned.
    static OneSided make(double x0, double x1, double x2, double y0, double y1,
                         std::error_code& ec) noexcept {
        OneSided function;
        (void)detail::failed(cclp_scoreOneSided_initValues(&function.c_, x0, x1, x2, y0, y1), ec);
        return function;
    }

    /// Its breakpoints.
    Breakpoints breakpoints() const noexcept {
        return {c_.x0, c_.x1, c_.x2, c_.y0, c_.y1};
    }
    /// The reference position of the offset-distance method.
    double positionOffset() const noexcept { return c_.positionOffset; }
    /// Sets the reference position of the offset-distance method.
    OneSided& positionOffset(double offset) noexcept {
        (void)cclp_scoreOneSided_setPositionOffset(&c_, offset);
        return *this;
    }
    /// The C record.
    const cclp_scoreOneSided& c() const noexcept { return c_; }

    /// The function's values at xs, exactly as a floating-point run scores
    /// them: computed by the module itself, through a run. A failure
    /// throws Error, or with ec, is reported there.
    ///@{
    std::vector<double> sample(ArrayRef<double> xs) const {
        return detail::orThrow("cclp_runScore", [&](std::error_code& ec) { return sample(xs, ec); });
    }
    std::vector<double> sample(ArrayRef<double> xs, std::error_code& ec) const {
        return detail::sampleOneSided(c_, xs, ec);
    }
    ///@}
    /// The same in 1/256 units, exactly as a fixed-point run scores values.
    ///@{
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values) const {
        return detail::orThrow("cclp_runScore",
                               [&](std::error_code& ec) { return sampleFixed(values, ec); });
    }
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values, std::error_code& ec) const {
        return detail::sampleOneSided(c_, values, ec);
    }
    ///@}

private:
    cclp_scoreOneSided c_{};
};

/// A two-sided scoring function: values below the split point (the lower
/// end of the high side) are scored by the low side, all others by the high
/// side. Checked when it is built.
class TwoSided {
public:
    /// A triangle peaking at 0 with score 1, reaching 0 at -1 and +1.
    TwoSided() noexcept { (void)cclp_scoreTwoSided_init(&c_); }
    /// From the breakpoints of its sides, cross-checked as the signed size
    /// difference needs them; a refused pair throws Error.
    TwoSided(const Breakpoints& low, const Breakpoints& high)
        : TwoSided(detail::orThrow("cclp_scoreTwoSided_initValues",
                                   [&](std::error_code& ec) { return make(low, high, ec); })) {}
    /// Takes a function the module built (a stored method's, say).
    explicit TwoSided(const cclp_scoreTwoSided& function) noexcept : c_(function) {}

    /// The noexcept form: on failure ec holds the status and the default
    /// function is returned.
    static TwoSided make(const Breakpoints& low, const Breakpoints& high,
                         std::error_code& ec) noexcept {
        TwoSided function;
        (void)detail::failed(
            cclp_scoreTwoSided_initValues(&function.c_, low.x0, low.x1, low.x2, high.x0, high.x1,
                                          high.x2, low.y0, low.y1, high.y0, high.y1),
            ec);
        return function;
    }

    /// The side for values below the split point.
    OneSided lowSide() const noexcept { return OneSided(c_.lowSide); }
    /// The side for the split point and above.
    OneSided highSide() const noexcept { return OneSided(c_.highSide); }
    /// Sets each side's reference position of the offset-distance method.
    TwoSided& positionOffsets(double low, double high) noexcept {
        (void)cclp_scoreTwoSided_setPositionOffsets(&c_, low, high);
        return *this;
    }
    /// The C record.
    const cclp_scoreTwoSided& c() const noexcept { return c_; }

    /// Values exactly as a floating-point run scores them, each side through
    /// a run. A failure throws Error, or with ec, is reported there.
    ///@{
    std::vector<double> sample(ArrayRef<double> xs) const {
        return detail::orThrow("cclp_runScore", [&](std::error_code& ec) { return sample(xs, ec); });
    }
    std::vector<double> sample(ArrayRef<double> xs, std::error_code& ec) const {
        const cclp_scoreOneSided& high = c_.highSide;
        return sampleBySide(xs, high.x2 >= high.x0 ? high.x0 : high.x2, ec);
    }
    ///@}
    /// The same in 1/256 units, exactly as a fixed-point run scores values.
    /// The split point in 1/256 units is that of the high side's fixed-point
    /// form, whose abscissae the module rounds one by one.
    ///@{
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values) const {
        return detail::orThrow("cclp_runScore",
                               [&](std::error_code& ec) { return sampleFixed(values, ec); });
    }
    std::vector<int32_t> sampleFixed(ArrayRef<int32_t> values, std::error_code& ec) const {
        const int32_t x0 = cclp_round256(c_.highSide.x0);
        const int32_t x2 = cclp_round256(c_.highSide.x2);
        return sampleBySide(values, x2 >= x0 ? x0 : x2, ec);
    }
    ///@}

private:
    template <class Number>
    std::vector<Number> sampleBySide(ArrayRef<Number> values, Number split,
                                     std::error_code& ec) const;

    cclp_scoreTwoSided c_{};
};

}  // namespace cclp::score

#endif
