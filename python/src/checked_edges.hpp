// The caller's edge arrays, checked in one pass each: numbers, one
// dimension, equal lengths, finite values and ascending positions. A
// float64 C-contiguous array is taken as it is; others are converted once.
#pragma once

#include <array>
#include <vector>

#include "bindings.hpp"

namespace cclp_python {

struct CheckedEdges {
    DoubleArray positions;
    DoubleArray contrasts;
    py::object extras;  // None, or the (edges, 3) float64 array
    std::array<std::vector<double>, 3> extraColumns;

    bool extended() const noexcept { return !extras.is_none(); }
};

// Raises TypeError or ValueError naming the bad argument (positions,
// contrasts, extras[:, k]). ascending: whether positions must ascend (the
// edge finder's own record is known to).
CheckedEdges checkedEdges(const py::handle& positions, const py::handle& contrasts,
                          const py::handle& extras, bool ascending);

}  // namespace cclp_python
