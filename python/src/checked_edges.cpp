// One pass over each array: the first value that is not finite is reported
// before a descent, as a caller fixes the values before their order.
#include "checked_edges.hpp"

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace cclp_python {
namespace {

std::string text(const py::handle& value) { return py::str(value).cast<std::string>(); }

// The value as a float64 C-contiguous array, or a TypeError naming it.
DoubleArray numbers(const py::handle& value, const std::string& name) {
    if (DoubleArray::check_(value)) return py::reinterpret_borrow<DoubleArray>(value);
    const py::array array = py::array::ensure(value);
    if (!array) throw py::type_error(name + ": an array of numbers expected");
    const char kind = array.dtype().kind();
    if (kind != 'b' && kind != 'i' && kind != 'u' && kind != 'f') {
        throw py::type_error(name + ": numbers expected, got an array of " + text(array.dtype()));
    }
    DoubleArray converted = DoubleArray::ensure(array);
    if (!converted) throw py::type_error(name + ": an array of numbers expected");
    return converted;
}

DoubleArray column(const py::handle& value, const std::string& name,
                   std::optional<py::ssize_t> length) {
    DoubleArray array = numbers(value, name);
    if (array.ndim() != 1) {
        throw py::value_error(name + ": a 1-D array expected, got shape " +
                              text(array.attr("shape")));
    }
    if (length && array.size() != *length) {
        throw py::value_error(name + ": " + std::to_string(array.size()) +
                              " values, but positions has " + std::to_string(*length));
    }
    return array;
}

[[noreturn]] void notFinite(const std::string& name, std::size_t at) {
    throw py::value_error(name + ": " + cclp::score::notFiniteText(at));
}

// Checks that every value is finite; returns the index of the first value
// below the one before it, or 0 when the values ascend.
std::size_t scanFinite(const double* values, std::size_t count, std::size_t stride,
                         const std::string& name) {
    std::size_t descent = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = values[i * stride];
        if (!std::isfinite(value)) notFinite(name, i);
        if (descent == 0 && i > 0 && value < values[(i - 1) * stride]) descent = i;
    }
    return descent;
}

// extras as (edges, 3), from (edges, 3) or, when edges is not 3, (3, edges).
py::object extraRows(const py::handle& extras, py::ssize_t edges, CheckedEdges& out) {
    py::array array = py::array::ensure(extras);
    if (!array) throw py::type_error("extras: an array of numbers expected");
    if (array.ndim() == 2 && array.shape(0) == 3 && array.shape(1) == edges && edges != 3) {
        array = array.attr("T");
    }
    if (array.ndim() != 2 || array.shape(0) != edges || array.shape(1) != 3) {
        throw py::value_error(
            "extras: an (edges, 3) array expected (extra1..extra3 per edge), got shape " +
            text(array.attr("shape")) + " for " + std::to_string(edges) + " edges");
    }
    const DoubleArray rows = numbers(array, "extras");
    const auto count = static_cast<std::size_t>(edges);
    for (std::size_t k = 0; k < 3; ++k) {
        (void)scanFinite(rows.data() + k, count, 3, "extras[:, " + std::to_string(k) + "]");
        out.extraColumns[k].resize(count);
        for (std::size_t i = 0; i < count; ++i) out.extraColumns[k][i] = rows.data()[i * 3 + k];
    }
    return rows;
}

}  // namespace

CheckedEdges checkedEdges(const py::handle& positions, const py::handle& contrasts,
                          const py::handle& extras, bool ascending) {
    DoubleArray checkedPositions = column(positions, "positions", std::nullopt);
    const auto count = static_cast<std::size_t>(checkedPositions.size());
    const std::size_t descent = scanFinite(checkedPositions.data(), count, 1, "positions");
    DoubleArray checkedContrasts = column(contrasts, "contrasts", checkedPositions.size());
    (void)scanFinite(checkedContrasts.data(), count, 1, "contrasts");
    if (ascending && descent != 0) {
        throw py::value_error("positions: " + cclp::score::edgeOrderText(descent));
    }
    CheckedEdges out{std::move(checkedPositions), std::move(checkedContrasts), py::none(), {}};
    if (!extras.is_none()) out.extras = extraRows(extras, out.positions.size(), out);
    return out;
}

}  // namespace cclp_python
