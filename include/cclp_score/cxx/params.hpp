/** @file
 * The parameters of a run, built fluently.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_PARAMS_HPP
#define CCLP_SCORE_CXX_PARAMS_HPP

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

#include "../cclp_score_params.h"
#include "array_ref.hpp"
#include "errors.hpp"
#include "methods.hpp"
#include "records.hpp"

namespace cclp::score {

/// Which way a desired edge's contrast runs along the caliper.
enum class Polarity : int32_t {
    Positive = cclp_polarityPositive,  ///< Contrast >= 0: dark to light.
    Negative = cclp_polarityNegative,  ///< Contrast <= 0: light to dark.
    Any = cclp_polarityAny             ///< Either.
};

/// An edge the caller looks for: where, and of which polarity. The distance
/// of a pair's two desired edges is the pair's expected width.
struct DesiredEdge {
    double position = 0.0;              ///< Along the caliper, in caliper units.
    Polarity polarity = Polarity::Any;  ///< Which way its contrast runs.
};

namespace detail {
/// Six significant digits, with no minus sign on zero.
inline std::string shortNumber(double value) {
    char text[32];
    (void)std::snprintf(text, sizeof text, "%.6g", value);
    return text == std::string("-0") ? "0" : text;
}
}  // namespace detail

/// Why a pair whose first desired edge lies after its second is never
/// formed, in the words every door warns with; "" for a pair in order.
inline std::string reversedPairText(double first, double second) {
    if (!(first > second)) return {};
    return "the first desired edge (at " + detail::shortNumber(first) + ") lies after the second (at " +
           detail::shortNumber(second) +
           "); a run forms each pair from a first edge and a later second edge in ascending "
           "position order, so the pair you describe is never formed";
}

/// The expected width of a run with these desired edges (one or two
/// cclp_desiredEdge records): the distance of a pair's two, which the size
/// methods measure against; 0 for a single edge.
inline double expectedWidth(const cclp_desiredEdge* desired, std::size_t count) noexcept {
    return count == 2 ? std::fabs(desired[1].position - desired[0].position) : 0.0;
}

/// The parameters of a run, built fluently. The defaults score single edges
/// of any polarity by contrast, keep one result and sort. Setters that can
/// fail throw Error, or with ec, report it there and leave the parameters
/// as they were. An owner of the C record (as cwrap::Owned: valid(), c(),
/// get()), copied through the module's copy (a failed copy throws Error;
/// assign(other, ec) reports it instead).
class Params : public detail::Copyable<cclp_scoreParams, detail::ParamsOps> {
    using Base = detail::Copyable<cclp_scoreParams, detail::ParamsOps>;

public:
    /// The defaults; a failed construction throws Error.
    Params() = default;
    /// The noexcept form of construction.
    static Params make(std::error_code& ec) noexcept {
        Params params(NoThrow{});
        ec = params.constructionStatus();
        return params;
    }

    /// Single edges, or pairs of a first and a second edge.
    ///@{
    Params& single(const DesiredEdge& edge = {}) { return desired({edge}); }
    Params& single(const DesiredEdge& edge, std::error_code& ec) noexcept {
        return desired({edge}, ec);
    }
    Params& pair(const DesiredEdge& first, const DesiredEdge& second) {
        return desired({first, second});
    }
    Params& pair(const DesiredEdge& first, const DesiredEdge& second, std::error_code& ec) noexcept {
        return desired({first, second}, ec);
    }
    ///@}

    /// The score methods, replacing those set before; at least one, each
    /// fitting the desired edges.
    ///@{
    Params& methods(ArrayRef<Method> list) {
        return detail::orThrow("cclp_scoreParams_setScoreMethods",
                               [&](std::error_code& ec) -> Params& { return methods(list, ec); });
    }
    Params& methods(ArrayRef<Method> list, std::error_code& ec) {
        int32_t count = 0;
        if (!detail::countFits(list.size(), count, ec)) return *this;
        // Never a null array, so that an empty list is refused for its count.
        std::vector<cclp_score> records;
        records.reserve(list.size() + 1);
        for (const Method& method : list) records.push_back(method.c());
        (void)detail::failed(cclp_scoreParams_setScoreMethods(get(), count, records.data()), ec);
        return *this;
    }
    ///@}

    /// How many results a run keeps, at least 1.
    ///@{
    Params& maxResults(int32_t count) {
        return detail::orThrow("cclp_scoreParams_setMaxNumResults",
                               [&](std::error_code& ec) -> Params& { return maxResults(count, ec); });
    }
    Params& maxResults(int32_t count, std::error_code& ec) noexcept {
        (void)detail::failed(cclp_scoreParams_setMaxNumResults(get(), count), ec);
        return *this;
    }
    ///@}

    /// Whether a run sorts its results best first, else keeps candidate order.
    Params& sorted(bool sortByScore) noexcept {
        (void)cclp_scoreParams_setSortByScore(get(), sortByScore ? 1 : 0);
        return *this;
    }

    /// Moves the reference position of stored method index between runs
    /// (one-sided function; for a two-sided one, each side's).
    ///@{
    Params& oneSidedOffset(int32_t index, double offset) {
        return detail::orThrow("cclp_scoreParams_updateOneSidedOffset",
                               [&](std::error_code& ec) -> Params& {
                                   return oneSidedOffset(index, offset, ec);
                               });
    }
    Params& oneSidedOffset(int32_t index, double offset, std::error_code& ec) noexcept {
        (void)detail::failed(cclp_scoreParams_updateOneSidedOffset(get(), index, offset), ec);
        return *this;
    }
    Params& twoSidedOffsets(int32_t index, double low, double high) {
        return detail::orThrow("cclp_scoreParams_updateTwoSidedOffsets",
                               [&](std::error_code& ec) -> Params& {
                                   return twoSidedOffsets(index, low, high, ec);
                               });
    }
    Params& twoSidedOffsets(int32_t index, double low, double high, std::error_code& ec) noexcept {
        (void)detail::failed(cclp_scoreParams_updateTwoSidedOffsets(get(), index, low, high), ec);
        return *this;
    }
    ///@}

    /// True when the runs score pairs (two desired edges).
    bool pairs() const noexcept { return c().numDesiredEdges == 2; }
    /// The distance of the pair's desired edges; 0 for single edges.
    double expectedWidth() const noexcept {
        return score::expectedWidth(c().desiredEdges, static_cast<std::size_t>(c().numDesiredEdges));
    }
    /// How many results a run keeps.
    int32_t maxResults() const noexcept { return c().maxNumResults; }
    /// Whether a run sorts its results best first.
    bool sorted() const noexcept { return c().sortByScore == 1; }
    /// The number of score methods.
    int32_t numMethods() const noexcept { return c().numScoreMethods; }
    /// Score method index, unchecked (index < numMethods()).
    Method method(int32_t index) const noexcept { return Method(c().scoreMethods[index]); }
    /// Desired edge index, unchecked (0, or 1 for pairs).
    DesiredEdge desiredEdge(int32_t index) const noexcept {
        const cclp_desiredEdge& edge = c().desiredEdges[index];
        return {edge.position, static_cast<Polarity>(edge.polarity)};
    }

private:
    using Base::Base;

    Params& desired(std::initializer_list<DesiredEdge> edges) {
        return detail::orThrow("cclp_scoreParams_setDesiredEdges",
                               [&](std::error_code& ec) -> Params& { return desired(edges, ec); });
    }
    Params& desired(std::initializer_list<DesiredEdge> edges, std::error_code& ec) noexcept {
        std::array<cclp_desiredEdge, 2> records{};
        std::size_t n = 0;
        for (const DesiredEdge& edge : edges) {
            records[n++] = {edge.position, static_cast<int32_t>(edge.polarity)};
        }
        (void)detail::failed(
            cclp_scoreParams_setDesiredEdges(get(), static_cast<int32_t>(n), records.data()), ec);
        return *this;
    }
};

}  // namespace cclp::score

#endif
