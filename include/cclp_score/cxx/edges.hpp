/** @file
 * The edges of one caliper result, copied from the caller's arrays into
 * the runtime library's, plain and extended.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_EDGES_HPP
#define CCLP_SCORE_CXX_EDGES_HPP

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>

#include "../cclp_run.h"
#include "array_ref.hpp"
#include "errors.hpp"
#include "records.hpp"
#include "csys_runtime.h"

namespace cclp::score {

/// Which number formats an input carries: double precision, 1/256 fixed
/// point, or both (a run then scores in double precision and writes the
/// results' fixed-point fields too).
enum class Formats : uint32_t {
    Double = CCLP_FORMAT_DOUBLE,                   ///< Double precision.
    Fixed = CCLP_FORMAT_FIXED,                     ///< 1/256 fixed point.
    Both = CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED  ///< Both formats.
};

/// A value in 1/256 units in caliper units.
inline double fromFixed(int32_t value) noexcept { return value / 256.0; }
/// A value in caliper units in 1/256 units, rounded as the module rounds.
inline int32_t toFixed(double value) noexcept { return cclp_round256(value); }

namespace detail {
template <class Edge, class = void>
struct HasExtras : std::false_type {};
template <class Edge>
struct HasExtras<Edge, std::void_t<decltype(std::declval<const Edge&>().extra3)>> : std::true_type {};
}  // namespace detail

/// An edge in 1/256 units in caliper units: any pair of edge records with
/// the same fields (position, contrast, and extra1 to extra3 if they have
/// them), the module's or a caller's.
template <class Edge, class EdgeFixed>
Edge fromFixed(const EdgeFixed& fixed) noexcept {
    Edge edge{};
    edge.position = fromFixed(fixed.position);
    edge.contrast = fromFixed(fixed.contrast);
    if constexpr (detail::HasExtras<Edge>::value) {
        edge.extra1 = fromFixed(fixed.extra1);
        edge.extra2 = fromFixed(fixed.extra2);
        edge.extra3 = fromFixed(fixed.extra3);
    }
    return edge;
}

/// A result's value in whichever format the run wrote (formats: the result's
/// bits): the double-precision one when it wrote that, else the 1/256 one in
/// caliper units. Results (results.hpp) read their fields so; so may a
/// caller's copies of them.
///@{
inline bool wroteDouble(uint32_t formats) noexcept { return (formats & CCLP_FORMAT_DOUBLE) != 0; }
inline double valueIn(uint32_t formats, double value, int32_t fixed) noexcept {
    return wroteDouble(formats) ? value : fromFixed(fixed);
}
template <class Edge, class EdgeFixed>
Edge valueIn(uint32_t formats, const Edge& edge, const EdgeFixed& fixed) noexcept {
    return wroteDouble(formats) ? edge : fromFixed<Edge>(fixed);
}
///@}

namespace detail {

// A record family as traits: the caliper result set a run reads and its
// owner's operations, the scored result set it writes, and their records.
template <class InputSet, class InputSetOps, class OutputSet, class ResultRecord, class EdgeRecord,
          class EdgeFixedRecord>
struct RecordFamily {
    using Input = InputSet;
    using InputOps = InputSetOps;
    using Output = OutputSet;
    using Record = ResultRecord;
    using Edge = EdgeRecord;
    using EdgeFixed = EdgeFixedRecord;
};

using PlainFamily = RecordFamily<cclp_resultSet, CaliperSetOps, ResultSet, cclp_scoreOneResult,
                                 cclp_edge, cclp_edgeFixed>;
using ExtendedFamily = RecordFamily<cclp_resultSetEx, CaliperSetExOps, ResultSetEx,
                                    cclp_scoreOneResultEx, cclp_edgeEx, cclp_edgeFixedEx>;

// The entry point of each family.
inline int32_t runScore(const cclp_resultSet* input, const cclp_scoreParams* params,
                        cclp_scoreResultSet* output) {
    return cclp_runScore(input, params, output);
}
inline int32_t runScore(const cclp_resultSetEx* input, const cclp_scoreParams* params,
                        cclp_scoreResultSetEx* output) {
    return cclp_runScoreEx(input, params, output);
}

// The caller's columns of one input, double or 1/256.
template <class Number>
struct Columns {
    ArrayRef<Number> positions;
    ArrayRef<Number> contrasts;
    std::array<ArrayRef<Number>, 3> extras;
};

inline double toDouble(double value) { return value; }
inline double toDouble(int32_t value) { return fromFixed(value); }
inline int32_t toFixed(double value) { return score::toFixed(value); }
inline int32_t toFixed(int32_t value) { return value; }

template <class EdgeRecord, class Number>
void fillEdge(EdgeRecord& edge, const Columns<Number>& columns, std::size_t i) {
    using Field = decltype(edge.position);
    const auto convert = [](Number value) -> Field {
        if constexpr (std::is_same_v<Field, double>) {
            return toDouble(value);
        } else {
            return toFixed(value);
        }
    };
    edge.position = convert(columns.positions[i]);
    edge.contrast = convert(columns.contrasts[i]);
    if constexpr (std::is_same_v<EdgeRecord, cclp_edgeEx> ||
                  std::is_same_v<EdgeRecord, cclp_edgeFixedEx>) {
        edge.extra1 = convert(columns.extras[0][i]);
        edge.extra2 = convert(columns.extras[1][i]);
        edge.extra3 = convert(columns.extras[2][i]);
    }
}

inline bool isFinite(double value) noexcept { return std::isfinite(value); }
inline bool isFinite(int32_t) noexcept { return true; }

// The first value of a column that is not finite.
template <class Number>
std::optional<std::size_t> firstNotFinite(ArrayRef<Number> column) noexcept {
    for (std::size_t i = 0; i < column.size(); ++i) {
        if (!isFinite(column[i])) return i;
    }
    return std::nullopt;
}

}  // namespace detail

/// Why edge positions were refused for their order, in the words every door
/// uses: edge `index` lies before edge `index - 1`.
inline std::string edgeOrderText(std::size_t index) {
    return "edges must come in ascending position order, as the caliper reports them; edge " +
           std::to_string(index) + " lies before edge " + std::to_string(index - 1);
}

/// Why a column of edge values was refused: its value at `index` is NaN or
/// infinite.
inline std::string notFiniteText(std::size_t index) {
    return "every value must be finite (index " + std::to_string(index) + " is not)";
}

namespace detail {

// The first fault of the columns a run would misread: a column shorter or
// longer than the positions, a value that is not finite, or a position
// before its predecessor (the runs form candidates in array order and
// expect them along the caliper).
struct ColumnFault {
    enum Kind { Length, NotFinite, Misordered };
    Kind kind;
    const char* column;
    std::size_t index;  // the value's, or the column's length
};

template <class Number>
std::optional<ColumnFault> findColumnFault(const Columns<Number>& columns,
                                           bool extended) noexcept {
    const std::pair<const char*, ArrayRef<Number>> named[] = {
        {"positions", columns.positions}, {"contrasts", columns.contrasts},
        {"extra1", columns.extras[0]},    {"extra2", columns.extras[1]},
        {"extra3", columns.extras[2]}};
    const std::size_t checked = extended ? 5 : 2;
    for (std::size_t c = 1; c < checked; ++c) {
        const std::size_t n = named[c].second.size();
        if (n != columns.positions.size()) return ColumnFault{ColumnFault::Length, named[c].first, n};
    }
    for (std::size_t c = 0; c < checked; ++c) {
        if (const auto at = firstNotFinite(named[c].second)) {
            return ColumnFault{ColumnFault::NotFinite, named[c].first, *at};
        }
    }
    for (std::size_t i = 1; i < columns.positions.size(); ++i) {
        if (columns.positions[i] < columns.positions[i - 1]) {
            return ColumnFault{ColumnFault::Misordered, "positions", i};
        }
    }
    return std::nullopt;
}

inline std::string faultText(const ColumnFault& fault, std::size_t edges) {
    const std::string column = std::string(fault.column) + ": ";
    switch (fault.kind) {
        case ColumnFault::Length:
            return column + std::to_string(fault.index) + " values, but positions has " +
                   std::to_string(edges);
        case ColumnFault::NotFinite:
            return column + notFiniteText(fault.index);
        default:
            return column + edgeOrderText(fault.index);
    }
}

// The tag of the library's own unchecked edges.
struct Unchecked {};

// Allocates an edge array through the runtime, as the record's destruct
// expects, and fills it from the columns. On failure nothing is held.
template <class EdgeRecord, class Number>
bool allocateEdges(EdgeRecord*& edges, const Columns<Number>& columns, std::error_code& ec) {
    const std::size_t n = columns.positions.size();
    void* block = nullptr;
    if (failed(csys_memory_alloc_internal(n * sizeof(EdgeRecord), &block), ec)) return false;
    edges = static_cast<EdgeRecord*>(block);
    for (std::size_t i = 0; i < n; ++i) fillEdge(edges[i], columns, i);
    return true;
}

}  // namespace detail

namespace detail {
template <class Family>
using EdgesBase = std::conditional_t<std::is_same_v<Family, PlainFamily>,
                                     Owned<typename Family::Input, typename Family::InputOps>,
                                     Copyable<typename Family::Input, typename Family::InputOps>>;
}  // namespace detail

/// The edges of one caliper result, copied from the caller's arrays into
/// arrays of the runtime library, which this object owns. Extended edges
/// (EdgesEx) carry three extra values each. Plain ones are move-only, as the
/// caliper library has no copy of its result set; extended ones copy.
/// As owners (cwrap::Owned) they also give valid(), c() and get() for C
/// code, and release() to hand the record over.
/// @tparam Family Plain or extended records (use Edges or EdgesEx).
template <class Family>
class BasicEdges : public detail::EdgesBase<Family> {
    using Base = detail::EdgesBase<Family>;
    using Input = typename Family::Input;
    static constexpr bool kExtended = std::is_same_v<Family, detail::ExtendedFamily>;

public:
    /// From double positions and contrasts (and, for extended edges, the
    /// three extras), in the formats asked for; fixed-point values are
    /// rounded as the module rounds. A failure throws Error.
    ///@{
    BasicEdges(ArrayRef<double> positions, ArrayRef<double> contrasts,
               Formats formats = Formats::Double)
        : BasicEdges(filled<double>({positions, contrasts, {}}, formats)) {
        static_assert(!kExtended, "extended edges take three extra values");
    }
    BasicEdges(ArrayRef<double> positions, ArrayRef<double> contrasts, ArrayRef<double> extra1,
               ArrayRef<double> extra2, ArrayRef<double> extra3, Formats formats = Formats::Double)
        : BasicEdges(filled<double>({positions, contrasts, {extra1, extra2, extra3}}, formats)) {
        static_assert(kExtended, "extra values need extended edges (EdgesEx)");
    }
    ///@}

    /// Fixed-point edges from values in 1/256 units. A failure throws Error.
    ///@{
    static BasicEdges fixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts) {
        static_assert(!kExtended, "extended edges take three extra values");
        return filled<int32_t>({positions, contrasts, {}}, Formats::Fixed);
    }
    static BasicEdges fixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts,
                            ArrayRef<int32_t> extra1, ArrayRef<int32_t> extra2,
                            ArrayRef<int32_t> extra3) {
        static_assert(kExtended, "extra values need extended edges (EdgesEx)");
        return filled<int32_t>({positions, contrasts, {extra1, extra2, extra3}}, Formats::Fixed);
    }
    ///@}

    /// The non-throwing forms. Arrays of unequal length, a value that is not
    /// finite and positions out of ascending order are refused with
    /// CSYS_STATUS_INVALID_ARGUMENT (the throwing forms name the column and
    /// index), more than 2^31 - 1 edges with CSYS_STATUS_OVERFLOW; a failure
    /// leaves the edges empty.
    ///@{
    static BasicEdges make(ArrayRef<double> positions, ArrayRef<double> contrasts, Formats formats,
                           std::error_code& ec) noexcept {
        static_assert(!kExtended, "extended edges take three extra values");
        return fill<double>({positions, contrasts, {}}, formats, ec);
    }
    static BasicEdges make(ArrayRef<double> positions, ArrayRef<double> contrasts,
                           ArrayRef<double> extra1, ArrayRef<double> extra2,
                           ArrayRef<double> extra3, Formats formats, std::error_code& ec) noexcept {
        static_assert(kExtended, "extra values need extended edges (EdgesEx)");
        return fill<double>({positions, contrasts, {extra1, extra2, extra3}}, formats, ec);
    }
    static BasicEdges makeFixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts,
                                std::error_code& ec) noexcept {
        static_assert(!kExtended, "extended edges take three extra values");
        return fill<int32_t>({positions, contrasts, {}}, Formats::Fixed, ec);
    }
    static BasicEdges makeFixed(ArrayRef<int32_t> positions, ArrayRef<int32_t> contrasts,
                                ArrayRef<int32_t> extra1, ArrayRef<int32_t> extra2,
                                ArrayRef<int32_t> extra3, std::error_code& ec) noexcept {
        static_assert(kExtended, "extra values need extended edges (EdgesEx)");
        return fill<int32_t>({positions, contrasts, {extra1, extra2, extra3}}, Formats::Fixed, ec);
    }
    ///@}

    /// For the library's own single-edge runs over values in any order
    /// (sampling a function, where order cannot change a score): the columns
    /// are not checked for order or finiteness.
    template <class Number>
    static BasicEdges makeUnchecked(detail::Unchecked, ArrayRef<Number> positions,
                                    ArrayRef<Number> contrasts, Formats formats,
                                    std::error_code& ec) noexcept {
        static_assert(!kExtended, "sampling runs use plain edges");
        return fill<Number>({positions, contrasts, {}}, formats, ec, false);
    }

    /// Takes over a caliper result set constructed and filled elsewhere (the
    /// edge finder's, handed over by its release()): nothing is copied, and
    /// these edges destruct the record. Its positions must ascend, as the
    /// runs expect.
    static BasicEdges adopt(const Input& record) noexcept {
        BasicEdges edges{typename Base::Empty{}};
        edges.Base::adopt(record);
        return edges;
    }

    /// The number of edges.
    int32_t size() const noexcept { return this->c().numEdges; }
    /// The formats the edges carry.
    Formats formats() const noexcept { return static_cast<Formats>(this->c().formats); }
    /// The module's copies, double precision and 1/256 fixed point; null for
    /// a format the edges do not carry.
    ///@{
    const typename Family::Edge* doubles() const noexcept { return this->c().edges; }
    const typename Family::EdgeFixed* fixedPoint() const noexcept { return this->c().edgesFixed; }
    ///@}

private:
    explicit BasicEdges(typename Base::NoThrow tag) noexcept : Base(tag) {}
    explicit BasicEdges(typename Base::Empty tag) noexcept : Base(tag) {}

    template <class Number>
    static bool readable(const detail::Columns<Number>& columns, bool checked, int32_t& count,
                         std::error_code& ec) noexcept {
        if (checked && detail::findColumnFault(columns, kExtended)) {
            ec = makeErrorCode(CSYS_STATUS_INVALID_ARGUMENT);
            return false;
        }
        return detail::countFits(columns.positions.size(), count, ec);
    }

    // The throwing form of fill: a refused column is named with its index.
    template <class Number>
    static BasicEdges filled(const detail::Columns<Number>& columns, Formats formats) {
        std::error_code ec;
        BasicEdges edges = fill<Number>(columns, formats, ec);
        if (ec) {
            const auto fault = detail::findColumnFault(columns, kExtended);
            detail::raise(ec, fault ? detail::faultText(*fault, columns.positions.size()).c_str()
                                    : "edges");
        }
        return edges;
    }

    template <class Number>
    static BasicEdges fill(const detail::Columns<Number>& columns, Formats formats,
                           std::error_code& ec, bool checked = true) noexcept {
        BasicEdges edges{typename Base::NoThrow{}};
        ec = edges.constructionStatus();
        int32_t count = 0;
        if (ec || !readable(columns, checked, count, ec)) return edges;
        Input& set = edges.c();
        const auto bits = static_cast<uint32_t>(formats);
        if ((bits & CCLP_FORMAT_DOUBLE) != 0 && !detail::allocateEdges(set.edges, columns, ec)) {
            return edges;
        }
        if ((bits & CCLP_FORMAT_FIXED) != 0 &&
            !detail::allocateEdges(set.edgesFixed, columns, ec)) {
            return edges;
        }
        set.numEdges = count;
        set.formats = bits;
        return edges;
    }
};

/// Edges of a plain caliper result: position and contrast (move-only).
using Edges = BasicEdges<detail::PlainFamily>;
/// Edges of an extended caliper result: three extra values each (copyable).
using EdgesEx = BasicEdges<detail::ExtendedFamily>;

}  // namespace cclp::score

#endif
