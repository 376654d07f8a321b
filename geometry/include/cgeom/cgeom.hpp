/** @file
 * The line and circle tools for C++17 callers: fluent value types for the
 * nominal geometry and the caliper and fit settings, and findLine /
 * findCircle returning the fitted geometry with every caliper's result.
 * Errors are exceptions of one category that names every status a call can
 * return: the tools', the edge finder's, the scoring module's and the
 * runtime's (category and exception shared with the other wrappers through
 * cclp_score/cxx/c_wrapping.hpp). Header-only; calls only the C exports of
 * cgeom.h (conventions there).
 *
 *     const cedge::Image image = cedge::Image::read("part.png");
 *     const cgeom::LineFit side = cgeom::findLine(
 *         image.view(), cgeom::LineParams(20.0, 50.0, 180.0, 52.0).calipers(12, 40.0, 5.0),
 *         cedge::Settings().sigma(1.5),
 *         cclp::score::Params().single({0.0, cclp::score::Polarity::Positive}));
 *     // side.geometry.angle, side.fit().rms, side.calipers[i].point
 */
#ifndef CGEOM_HPP
#define CGEOM_HPP

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "cclp_score/cxx/c_wrapping.hpp"
#include "cedge/cedge.hpp"
#include "cgeom.h"

/// The line and circle tools for C++17 callers (cgeom.hpp): nominal
/// geometry, caliper and fit settings and the fitted results, over the
/// geometry tools' C exports.
namespace cgeom {

namespace detail {
struct StatusTexts {
    static constexpr const char* kCategory = "cgeom";
    static const char* name(int32_t status) noexcept {
        const char* own = cgeom_statusName(status);
        return own != nullptr ? own : cclp_anyStatusName(status);
    }
    static const char* meaning(int32_t status) noexcept {
        const char* own = cgeom_statusMeaning(status);
        return own != nullptr ? own : cclp_anyStatusMeaning(status);
    }
};
}  // namespace detail

/// Statuses as errors: "CGEOM_STATUS_TOO_FEW_POINTS: too few calipers ...".
using ErrorCategory = cclp::cwrap::StatusCategory<detail::StatusTexts>;

/// The category of every status a geometry call can return.
inline const std::error_category& errorCategory() noexcept {
    return cclp::cwrap::statusCategory<detail::StatusTexts>();
}

/// A status as an error code of errorCategory().
inline std::error_code makeErrorCode(int32_t status) noexcept {
    return std::error_code(static_cast<int>(status), errorCategory());
}

/// "NAME: meaning" of any status a geometry call can return, or its hex.
inline std::string statusText(int32_t status) { return errorCategory().message(status); }

/// Thrown by every failing operation; status() is the C status.
using Error = cclp::cwrap::Error<detail::StatusTexts>;

/// How the fit weighs a point by its residual.
enum class Weight : int32_t {
    Tukey = cgeom_weightTukey,  ///< (1 - (r / d)^2)^2 within the inlier distance d
    Huber = cgeom_weightHuber,  ///< 1 up to d / 2, (d / 2) / |r| beyond, 0 beyond d
    None = cgeom_weightNone  ///< plain least squares over every found point
};

namespace detail {

inline bool failed(int32_t status, std::error_code& ec) noexcept {
    return cclp::cwrap::detail::failed<StatusTexts>(status, ec);
}

template <class Operation>
decltype(auto) orThrow(const char* operation, Operation&& run) {
    return cclp::cwrap::detail::orThrow<StatusTexts>(operation, static_cast<Operation&&>(run));
}

// The caliper and fit settings both tools share, fluent over the C record.
template <class Derived, class Record>
class ToolParams {
public:
    /// K calipers of length x thickness pixels.
    Derived& calipers(int32_t count, double length, double thickness) noexcept {
        c_.calipers.count = count;
        return size(length, thickness);
    }
    /// As many calipers as fit `spacing` pixels apart, each length x thickness.
    Derived& spacing(double spacing, double length, double thickness) noexcept {
        c_.calipers.count = 0;
        c_.calipers.spacing = spacing;
        return size(length, thickness);
    }
    /// The robust fit's weight, consensus band and reweighting rounds.
    Derived& fit(Weight weight, double inlierDistance, int32_t maxIterations = 20) noexcept {
        c_.fit = cgeom_fitParams{static_cast<int32_t>(weight), maxIterations, inlierDistance};
        return self();
    }
    /// The C record (a temporary's, as a copy).
    ///@{
    const Record& c() const& noexcept { return c_; }
    Record c() const&& noexcept { return c_; }
    ///@}

protected:
    Record c_{};
    Derived& self() noexcept { return static_cast<Derived&>(*this); }

private:
    Derived& size(double length, double thickness) noexcept {
        c_.calipers.length = length;
        c_.calipers.thickness = thickness;
        return self();
    }
};

}  // namespace detail

/// A nominal segment and its calipers; values are checked by the call.
/// calipers() or spacing() sets the calipers, fit() the robust fit, and
/// c() gives the C record.
class LineParams : public detail::ToolParams<LineParams, cgeom_lineParams> {
public:
    /// All of a C record's settings.
    explicit LineParams(const cgeom_lineParams& params) noexcept { c_ = params; }
    /// The segment from (startX, startY) to (endX, endY) with the defaults
    /// of cgeom_lineParams_init for the rest.
    LineParams(double startX, double startY, double endX, double endY) noexcept {
        (void)cgeom_lineParams_init(&c_);
        c_.startX = startX;
        c_.startY = startY;
        c_.endX = endX;
        c_.endY = endY;
    }
};

/// A nominal circle (or arc) and its radial calipers; values are checked by
/// the call. calipers() or spacing() sets the calipers, fit() the robust
/// fit, and c() gives the C record.
class CircleParams : public detail::ToolParams<CircleParams, cgeom_circleParams> {
public:
    /// All of a C record's settings.
    explicit CircleParams(const cgeom_circleParams& params) noexcept { c_ = params; }
    /// The circle around (centerX, centerY) with the defaults of
    /// cgeom_circleParams_init for the rest (the whole circle, outward).
    CircleParams(double centerX, double centerY, double radius) noexcept {
        (void)cgeom_circleParams_init(&c_);
        c_.centerX = centerX;
        c_.centerY = centerY;
        c_.radius = radius;
    }
    /// The arc from startAngle over sweep degrees (360: the whole circle).
    CircleParams& arc(double startAngle, double sweep) noexcept {
        c_.startAngle = startAngle;
        c_.sweep = sweep;
        return *this;
    }
    /// Calipers searching toward the centre instead of away from it.
    CircleParams& inward(bool searchInward = true) noexcept {
        c_.calipers.flags = searchInward ? CGEOM_SEARCH_INWARD : 0u;
        return *this;
    }
};

/// What one caliper searched and chose, and what the fit made of it.
using CaliperResult = cgeom_caliperResult;

/// A fitted line (cgeom_line) or circle (cgeom_circle) and one result per
/// caliper, in caliper order.
template <class Geometry>
struct Fitted {
    Geometry geometry{};                  ///< The fitted line or circle and the fit's summary.
    std::vector<CaliperResult> calipers;  ///< One result per caliper, in caliper order.

    /// RMS, calipers, found, missing and used.
    const cgeom_fitSummary& fit() const noexcept { return geometry.fit; }
};
/// What findLine returns.
using LineFit = Fitted<cgeom_line>;
/// What findCircle returns.
using CircleFit = Fitted<cgeom_circle>;

namespace detail {

struct LineCalls {
    static constexpr const char* kFind = "cgeom_findLine";
    static int32_t count(const cgeom_lineParams& p, int32_t& k) { return cgeom_lineCaliperCount(&p, &k); }
    static int32_t find(const cedge_image& image, const cgeom_lineParams& p, const cedge_params& e,
                        const cclp_scoreParams& s, LineFit& out) {
        return cgeom_findLine(&image, &p, &e, &s, &out.geometry, out.calipers.data(),
                              static_cast<int32_t>(out.calipers.size()));
    }
};

struct CircleCalls {
    static constexpr const char* kFind = "cgeom_findCircle";
    static int32_t count(const cgeom_circleParams& p, int32_t& k) {
        return cgeom_circleCaliperCount(&p, &k);
    }
    static int32_t find(const cedge_image& image, const cgeom_circleParams& p, const cedge_params& e,
                        const cclp_scoreParams& s, CircleFit& out) {
        return cgeom_findCircle(&image, &p, &e, &s, &out.geometry, out.calipers.data(),
                                static_cast<int32_t>(out.calipers.size()));
    }
};

// Sizes the results for the parameters' K and runs the tool; a failure
// leaves an empty result (std::bad_alloc aside).
template <class Calls, class Fit, class Record>
Fit find(const cedge::ImageView& image, const Record& params, const cedge::Settings& settings,
         const cclp::score::Params& scoring, std::error_code& ec) {
    Fit fit;
    int32_t count = 0;
    if (failed(Calls::count(params, count), ec)) return fit;
    fit.calipers.resize(static_cast<std::size_t>(count));
    if (failed(Calls::find(image.c(), params, settings.c(), scoring.c(), fit), ec)) return Fit{};
    return fit;
}

}  // namespace detail

/// Runs the line tool: its calipers over the image with the edge search
/// settings, each scored with the scoring parameters, and the robust fit.
/// A failure leaves an empty result and says why in ec (std::bad_alloc aside).
inline LineFit findLine(const cedge::ImageView& image, const LineParams& params,
                        const cedge::Settings& settings, const cclp::score::Params& scoring,
                        std::error_code& ec) {
    return detail::find<detail::LineCalls, LineFit>(image, params.c(), settings, scoring, ec);
}

/// The throwing form of findLine: Error carries the call's status.
inline LineFit findLine(const cedge::ImageView& image, const LineParams& params,
                        const cedge::Settings& settings, const cclp::score::Params& scoring) {
    return detail::orThrow(detail::LineCalls::kFind, [&](std::error_code& ec) {
        return findLine(image, params, settings, scoring, ec);
    });
}

/// Runs the circle tool; as findLine.
inline CircleFit findCircle(const cedge::ImageView& image, const CircleParams& params,
                            const cedge::Settings& settings, const cclp::score::Params& scoring,
                            std::error_code& ec) {
    return detail::find<detail::CircleCalls, CircleFit>(image, params.c(), settings, scoring, ec);
}

/// The throwing form of findCircle: Error carries the call's status.
inline CircleFit findCircle(const cedge::ImageView& image, const CircleParams& params,
                            const cedge::Settings& settings, const cclp::score::Params& scoring) {
    return detail::orThrow(detail::CircleCalls::kFind, [&](std::error_code& ec) {
        return findCircle(image, params, settings, scoring, ec);
    });
}

}  // namespace cgeom

#endif
